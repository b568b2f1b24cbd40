// Swap periods on the real precise timers: how long a whole period without a
// swap takes from Enter to its close (ideally 10.1 s: 100 ticks that show 99
// to 0 and the closing tick), and how evenly the 100 ms ticks come.
//   kelvo_round_timing [ROUNDS]
#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "game/MyKelvoView.h"
#include "platform/interface/sound_output.h"
#include "platform/interface/virtual_keys.h"
#include "platform/qt/view_widget.h"

namespace {

class SilentOutput : public ISoundOutput {
 public:
  void Play(UINT, std::span<const unsigned char>, bool) override {}
};

// The real view, with a stopwatch on its timer handler.
class TimedView : public CMyKelvoView {
 public:
  void OnTimer(UINT_PTR id) override {
    if (id == kSwapTimer) ticks.push_back(clock.nsecsElapsed());
    CMyKelvoView::OnTimer(id);
  }
  QElapsedTimer clock;
  std::vector<qint64> ticks;
};

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
  SilentOutput silent;
  SetSoundOutput(&silent);

  TimedView view;
  ViewWidget widget(&view, nullptr);
  widget.resize(1024, 700);
  widget.show();
  QApplication::processEvents();

  std::vector<double> periods;
  std::vector<double> intervals;
  for (int r = 0; r < rounds; ++r) {
    view.ticks.clear();
    view.clock.start();
    // Enter starts the round (a new game first, then the rest is cut short).
    view.OnKeyDown(VK_RETURN, 1, 0);
    while (view.m_nGameState == kStateSwapPeriod)
      QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    periods.push_back(view.ticks.back() / 1e6);
    for (std::size_t i = 1; i < view.ticks.size(); ++i)
      intervals.push_back((view.ticks[i] - view.ticks[i - 1]) / 1e6);
    std::printf("round %d: %zu ticks, closed after %.1f ms\n", r + 1, view.ticks.size(),
                periods.back());
  }

  double mean = 0;
  for (double v : intervals) mean += v;
  mean /= static_cast<double>(intervals.size());
  double var = 0;
  for (double v : intervals) var += (v - mean) * (v - mean);
  const double sd = std::sqrt(var / static_cast<double>(intervals.size()));
  const auto [lo, hi] = std::minmax_element(intervals.begin(), intervals.end());
  std::sort(periods.begin(), periods.end());
  std::printf("swap period: median %.1f ms (ideal 10100)\n", periods[periods.size() / 2]);
  std::printf("tick interval: mean %.2f ms, sd %.2f ms, min %.2f ms, max %.2f ms\n", mean, sd, *lo,
              *hi);
  SetSoundOutput(nullptr);
  return 0;
}
