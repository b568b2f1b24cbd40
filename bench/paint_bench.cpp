// How long a full repaint of the screen takes, and the making and drawing of
// one new square, on the real drawing surface (a QPainter on an image).
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <cstdlib>

#include "game/MyKelvoView.h"
#include "platform/drawing/painter_dc.h"
#include "support/headless_host.h"
#include "support/qt/pixel_host.h"

namespace {

// Fonts need a running application; one for the whole run, off screen.
void EnsureApplication() {
  static QGuiApplication* app = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "kelvo_bench";
    static char* argv[] = {name, nullptr};
    return new QGuiApplication(argc, argv);
  }();
  (void)app;
}

// A game in round 6 with five rounds scored and all labels showing.
void PutInMidGame(CMyKelvoView& view) {
  view.m_nGameState = kStateRest;
  view.m_nRound = 6;
  view.MakePuzzle(4, 23);
  for (int r = 1; r <= 5; ++r) view.m_nScore[r] = r == 3 ? 30 : 100;
  view.m_nBonus[2] = 10;
  view.m_nBonus[5] = 10;
  view.m_nScore[11] = 430;
  view.m_nBonus[11] = 20;
  view.m_strRoundLabel = "Round 6";
  view.m_strBeforeLabel = "Before Sum 75";
  view.m_strAfterLabel = "After Sum 0";
  view.m_strPlayerLabel = "Player: Benchmark";
}

// One paint as the window does it: erase to white, then OnDraw.
void BM_FullPaint(benchmark::State& state) {
  EnsureApplication();
  CMyKelvoView view;
  if (state.range(2)) PutInMidGame(view);
  PixelHost host(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  host.Attach(&view);
  host.Paint();  // fonts and glyph caches warm
  for (auto _ : state) host.Paint();
  state.SetLabel(state.range(2) ? "mid-game" : "idle");
}
BENCHMARK(BM_FullPaint)
    ->ArgNames({"w", "h", "game"})
    ->Args({1920, 1080, 0})
    ->Args({1920, 1080, 1})
    ->Args({3840, 2160, 0})
    ->Args({3840, 2160, 1})
    ->Unit(benchmark::kMillisecond);

// A new square made and drawn between paints, as the start of a round does.
void BM_DrawNewPuzzle(benchmark::State& state) {
  EnsureApplication();
  CMyKelvoView view;
  PutInMidGame(view);
  PixelHost host(1920, 1080);
  host.Attach(&view);
  host.Paint();  // the layout and fonts a handler finds in place
  QImage image(1920, 1080, QImage::Format_RGB32);
  image.fill(Qt::white);
  PainterDC dc(&image);
  for (auto _ : state) view.DrawPuzzle(&dc, FALSE);
}
BENCHMARK(BM_DrawNewPuzzle)->Unit(benchmark::kMicrosecond);

}  // namespace
