// A drawing surface for tests: it logs every call with the font, pen, brush
// and text colour in force at that moment, and can pass each call on to a
// real surface so that pixels and the log can be checked together.
#pragma once

#include <string>
#include <vector>

#include "platform/interface/dc.h"

struct DrawCall {
  enum Kind {
    kSetBkMode,
    kSetTextColor,
    kSelectPen,
    kSelectFont,
    kFillRect,
    kDrawText,
    kMoveTo,
    kLineTo,
    kRectangle,
    kSetPixel,
    kStartPage,
    kEndPage,
  };
  Kind kind = kDrawText;
  RECT rect = {};    // FillRect, DrawText, Rectangle
  std::string text;  // DrawText: the characters drawn (count applied)
  UINT format = 0;   // DrawText
  POINT from = {};   // LineTo: the current position before the call
  POINT to = {};     // MoveTo, LineTo, SetPixel
  // FillRect: the brush colour (white for a null brush); DrawText and
  // SetTextColor: the text colour; LineTo, Rectangle, SelectPen: the pen
  // colour; SetPixel: the pixel colour.
  COLORREF color = 0;
  int penWidth = 1;      // LineTo, Rectangle, SelectPen
  LOGFONT font;          // DrawText, SelectFont: the font in force
  bool hasFont = false;  // false while the surface's default font is in use
  int bkMode = OPAQUE;   // DrawText, SetBkMode
};

class RecordingDC : public CDC {
 public:
  // Every call is also made on `target` when one is given.  With `log` the
  // calls go there as they are made, instead of into the surface's own list.
  explicit RecordingDC(CDC* target = nullptr, std::vector<DrawCall>* log = nullptr)
      : m_pTarget(target), m_log(log ? log : &m_calls) {}
  RecordingDC(const RecordingDC&) = delete;
  RecordingDC& operator=(const RecordingDC&) = delete;

  const std::vector<DrawCall>& Calls() const { return *m_log; }
  void Clear() { m_log->clear(); }
  // The DrawText calls only, in order.
  std::vector<DrawCall> Texts() const;
  // The DrawText calls whose text is exactly `text`.
  std::vector<DrawCall> TextsEqual(const std::string& text) const;
  // The DrawText calls whose box is exactly `box`.
  std::vector<DrawCall> TextsIn(const RECT& box) const;
  // The FillRect calls whose box is exactly `box`.
  std::vector<DrawCall> FillsOf(const RECT& box) const;

  int SetBkMode(int mode) override;
  COLORREF SetTextColor(COLORREF color) override;
  CPen* SelectObject(CPen* pen) override;
  CFont* SelectObject(CFont* font) override;
  void FillRect(const RECT* rect, CBrush* brush) override;
  // A DT_CALCRECT measurement is the target's (0 without one), not logged.
  int DrawText(std::string_view text, int count, RECT* rect, UINT format) override;
  using CDC::DrawText;
  POINT MoveTo(int x, int y) override;
  BOOL LineTo(int x, int y) override;
  BOOL Rectangle(const RECT* rect) override;
  COLORREF SetPixel(int x, int y, COLORREF color) override;
  // From the target when there is one; otherwise a fixed estimate (0.6 of
  // the font height per character, the font height down).
  CSize GetTextExtent(std::string_view text) override;
  int StartPage() override;
  int EndPage() override;

  CFont* CurrentFont() const { return SurfaceState().font; }
  CPen* CurrentPen() const { return SurfaceState().pen; }
  int BkMode() const { return SurfaceState().bkMode; }

 private:
  DrawCall Make(DrawCall::Kind kind) const;

  CDC* m_pTarget;
  std::vector<DrawCall> m_calls;
  std::vector<DrawCall>* m_log;
};
