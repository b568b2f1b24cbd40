// A surface that draws nowhere: what a view draws on while no window shows
// it.  It keeps the selected objects and text colour so callers still get
// back what they selected before.
#pragma once

#include "platform/dc.h"

class NullDC : public CDC {
 public:
  int SetBkMode(int mode) override {
    const int old = m_nBkMode;
    m_nBkMode = mode;
    return old;
  }
  COLORREF SetTextColor(COLORREF color) override {
    const COLORREF old = m_textColor;
    m_textColor = color;
    return old;
  }
  COLORREF GetTextColor() const override { return m_textColor; }
  CPen* SelectObject(CPen* pen) override {
    CPen* old = m_pPen;
    m_pPen = pen;
    return old;
  }
  CFont* SelectObject(CFont* font) override {
    CFont* old = m_pFont;
    m_pFont = font;
    return old;
  }
  void FillRect(const RECT*, CBrush*) override {}
  int DrawText(std::string_view, int, RECT*, UINT) override { return 0; }
  POINT MoveTo(int x, int y) override {
    const POINT old = m_pos;
    m_pos = {x, y};
    return old;
  }
  BOOL LineTo(int x, int y) override {
    m_pos = {x, y};
    return TRUE;
  }
  BOOL Rectangle(const RECT*) override { return TRUE; }
  COLORREF SetPixel(int, int, COLORREF color) override { return color; }
  CSize GetTextExtent(std::string_view) override { return {0, 0}; }

 private:
  int m_nBkMode = OPAQUE;
  COLORREF m_textColor = RGB(0, 0, 0);
  CPen* m_pPen = nullptr;
  CFont* m_pFont = nullptr;
  POINT m_pos;
};
