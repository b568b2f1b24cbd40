// How long a swap takes from the button's release to the redrawn square,
// line values and score table, on the real drawing surface at full HD.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdlib>

#include "game/MyKelvoView.h"
#include "support/headless_host.h"
#include "support/qt/pixel_host.h"

namespace {

// Fonts need a running application; one for the whole run, off screen,
// shared with any other benchmark that already made it.
void EnsureApplication() {
  if (QCoreApplication::instance()) return;
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  static int argc = 1;
  static char name[] = "kelvo_bench";
  static char* argv[] = {name, nullptr};
  // Never destroyed: it outlives every benchmark and the process ends it.
  new QGuiApplication(argc, argv);
}

CPoint Centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

// Press on cell 1 and release on cell 2 of 1 8 6 / 3 5 7 / 4 9 2: every
// other swap makes the square magic, every other undoes it, so both the
// magic and the plain scoring paths are timed.  Each iteration puts the
// round back into its swap period first (a few assignments).
void BM_SwapPressAndRelease(benchmark::State& state) {
  EnsureApplication();
  CMyKelvoView view;
  PixelHost host(1920, 1080);
  host.Attach(&view);
  host.Paint();  // the layout and fonts a handler finds in place
  view.MakePuzzle(0, 0);
  view.m_nBeforeSum = 147;
  const CPoint from = Centre(view.m_rcCell[1]);
  const CPoint to = Centre(view.m_rcCell[2]);
  int round = 0;
  for (auto _ : state) {
    round = round % kRounds + 1;
    if (round == 1) {
      for (int i = 0; i < 12; ++i) view.m_nScore[i] = view.m_nBonus[i] = 0;
    }
    view.m_nRound = round;
    view.m_nGameState = kStateSwapPeriod;
    view.m_nCountdown = 100;
    view.OnLButtonDown(MK_LBUTTON, from);
    view.OnLButtonUp(0, to);
  }
  if (view.m_nGameState != kStateRest) state.SkipWithError("the swap was refused");
  host.Attach(nullptr);
}
BENCHMARK(BM_SwapPressAndRelease)->Unit(benchmark::kMicrosecond);

}  // namespace
