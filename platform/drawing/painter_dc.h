// The real drawing surface: the game's drawing calls made with a QPainter on
// an image (the screen's backing image) or a printer page.  Lines, outlines
// and fills are pixel-exact (no antialiasing); text is antialiased.
#pragma once

#include <memory>

#include "platform/interface/dc.h"

class QPainter;
class QPaintDevice;

class PainterDC : public CDC {
 public:
  // Opens its own painter on `device` for the surface's lifetime.
  explicit PainterDC(QPaintDevice* device);
  // Draws with `painter`, which the caller keeps open and owns.
  explicit PainterDC(QPainter* painter);
  ~PainterDC() override;
  PainterDC(const PainterDC&) = delete;
  PainterDC& operator=(const PainterDC&) = delete;

  void FillRect(const RECT* rect, CBrush* brush) override;
  int DrawText(std::string_view text, int count, RECT* rect, UINT format) override;
  using CDC::DrawText;
  BOOL LineTo(int x, int y) override;
  BOOL Rectangle(const RECT* rect) override;
  COLORREF SetPixel(int x, int y, COLORREF color) override;
  CSize GetTextExtent(std::string_view text) override;
  int StartPage() override;
  int EndPage() override;

  QPainter* Painter() const;

 private:
  struct State;
  std::unique_ptr<State> m_state;
};
