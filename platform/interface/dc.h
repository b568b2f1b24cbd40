// The drawing surface every piece of game code draws through.  One
// interface, several surfaces: the screen's backing image and a printer page
// (PainterDC), and a recording one for tests (RecordingDC).
//
// What the game relies on:
//  - FillRect with a null brush paints with the surface's current brush,
//    which is always the default white one (no brush is ever selected).
//  - DrawText: count -1 is the whole text, n the first n characters; the
//    single-line formats centre or align in the box (DT_CENTER, DT_RIGHT,
//    DT_VCENTER), DT_WORDBREAK breaks at spaces at the right edge and at
//    every line feed, left-aligned from the top; always clipped to the box
//    unless DT_NOCLIP.  With DT_CALCRECT nothing is drawn: the text is
//    measured, the box's bottom moved to its last line's (one line's right
//    edge to its end) and the height returned.
//  - MoveTo/LineTo draw from the start up to but not including the end;
//    horizontal and vertical lines are pixel-exact, slanted ones are not
//    (the game draws none).
//  - Rectangle draws a one-pixel outline in the current pen over
//    left..right-1, top..bottom-1 and fills the inside with the current brush.
//  - Rectangles and fills are pixel-exact; text may be antialiased.
//  - Texts are UTF-8.
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "platform/interface/gdi_objects.h"
#include "platform/interface/win_types.h"

// What every surface keeps between calls.  A null pen or font is the
// surface's default one (a one-pixel black pen, the default font).
struct DCState {
  int bkMode = OPAQUE;
  COLORREF textColor = RGB(0, 0, 0);
  CPen* pen = nullptr;
  CFont* font = nullptr;
  POINT position = {};
};

class CDC {
 public:
  virtual ~CDC() = default;

  // The state calls keep the surface's DCState; a surface overrides them
  // only to do more (a recording surface logs them).
  virtual int SetBkMode(int mode) { return std::exchange(m_dcState.bkMode, mode); }
  virtual COLORREF SetTextColor(COLORREF color) {
    return std::exchange(m_dcState.textColor, color);
  }
  COLORREF GetTextColor() const { return m_dcState.textColor; }

  // Selecting returns what was selected before (the surface's default
  // object at first), so callers can put it back.
  virtual CPen* SelectObject(CPen* pen) { return std::exchange(m_dcState.pen, pen); }
  virtual CFont* SelectObject(CFont* font) { return std::exchange(m_dcState.font, font); }

  virtual void FillRect(const RECT* rect, CBrush* brush) = 0;
  virtual int DrawText(std::string_view text, int count, RECT* rect, UINT format) = 0;
  int DrawText(const std::string& text, RECT* rect, UINT format) {
    return DrawText(text, -1, rect, format);
  }
  virtual POINT MoveTo(int x, int y) { return std::exchange(m_dcState.position, POINT{x, y}); }
  virtual BOOL LineTo(int x, int y) = 0;
  virtual BOOL Rectangle(const RECT* rect) = 0;
  virtual COLORREF SetPixel(int x, int y, COLORREF color) = 0;
  virtual CSize GetTextExtent(std::string_view text) = 0;

  // Printing: begin and end of a page; nothing on screen surfaces.
  virtual int StartPage() { return 1; }
  virtual int EndPage() { return 1; }

  const DCState& SurfaceState() const { return m_dcState; }

 protected:
  // For LineTo: moves the current position to the line's end and returns
  // where the line starts.
  POINT AdvancePosition(int x, int y) { return std::exchange(m_dcState.position, POINT{x, y}); }

 private:
  DCState m_dcState;
};

// The first `count` characters of a UTF-8 text (all of it for a negative
// count), never splitting a character.
std::string_view LeadingCharacters(std::string_view text, int count);
