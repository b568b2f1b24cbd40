// A surface that draws nowhere: what a view draws on while no window shows
// it.  Like every surface it keeps the selected objects and text colour, so
// callers still get back what they selected before.
#pragma once

#include "platform/dc.h"

class NullDC : public CDC {
 public:
  void FillRect(const RECT*, CBrush*) override {}
  int DrawText(std::string_view, int, RECT*, UINT) override { return 0; }
  BOOL LineTo(int x, int y) override {
    AdvancePosition(x, y);
    return TRUE;
  }
  BOOL Rectangle(const RECT*) override { return TRUE; }
  COLORREF SetPixel(int, int, COLORREF color) override { return color; }
  CSize GetTextExtent(std::string_view) override { return {0, 0}; }
};
