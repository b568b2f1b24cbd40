// A file system that stops answering, as a stalled network mount does, costs
// the game a message, never its window: Open, Save, the settings and Print to
// File give up after the limit, and the window keeps going meanwhile.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/fanotify.h>
#include <unistd.h>

#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <atomic>
#include <chrono>
#include <future>
#include <thread>

#include "app/AppSettings.h"
#include "app/MyKelvoDoc.h"
#include "game/MyKelvoView.h"
#include "platform/files/bounded_call.h"
#include "platform/qt/print_loop.h"
#include "platform/qt/qt_modal_ui.h"
#include "support/qt/print_to_file_ui.h"

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// Every open of a file in a folder is held by the kernel until released: a
// stand-in for a stalled network file system (fanotify permission events,
// which need root).  Released at the latest after `deadline`, so a call that
// waits without bound fails the test instead of hanging it.
class StalledFolder {
 public:
  StalledFolder(const std::string& folder, milliseconds deadline) {
    m_fd = ::fanotify_init(FAN_CLASS_CONTENT | FAN_CLOEXEC, O_RDONLY);
    if (m_fd >= 0 && ::fanotify_mark(m_fd, FAN_MARK_ADD, FAN_OPEN_PERM | FAN_EVENT_ON_CHILD,
                                     AT_FDCWD, folder.c_str()) != 0) {
      ::close(m_fd);
      m_fd = -1;
    }
    if (m_fd >= 0)
      m_watchdog = std::thread([this, deadline] {
        const auto until = Clock::now() + deadline;
        while (!m_released && Clock::now() < until) std::this_thread::sleep_for(milliseconds(5));
        Release();
      });
  }
  ~StalledFolder() {
    Release();
    if (m_watchdog.joinable()) m_watchdog.join();
  }
  bool Stalled() const { return m_fd >= 0; }
  // Lets every held open go on (closing the group allows them all).
  void Release() {
    if (!m_released.exchange(true) && m_fd >= 0) ::close(m_fd);
  }

 private:
  int m_fd = -1;
  std::atomic<bool> m_released{false};
  std::thread m_watchdog;
};

struct ShorterFileCallLimit {
  explicit ShorterFileCallLimit(milliseconds limit) : saved(FileCallLimit()) {
    SetFileCallLimit(limit);
  }
  ~ShorterFileCallLimit() { SetFileCallLimit(saved); }
  milliseconds saved;
};

TEST(StalledFiles, OpenSaveSettingsAndPrintGiveUpWithAMessageWhileTheWindowGoesOn) {
  if (::geteuid() != 0) GTEST_SKIP() << "holding opens with fanotify needs root";
  QTemporaryDir dir;
  const std::string document = (dir.path() + "/round.kelv").toStdString();
  const std::string settings = (dir.path() + "/Kelvo.conf").toStdString();
  for (const std::string& path : {document, settings}) {
    QFile f(QString::fromStdString(path));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[Recent%20File%20List]\nFile1=/kept\n");
  }
  const ShorterFileCallLimit limit(milliseconds(300));
  // The main window is up, and its timer should keep ticking throughout.
  QWidget window;
  window.show();
  SetModalParent(&window);
  int ticks = 0;
  QTimer clock;
  QObject::connect(&clock, &QTimer::timeout, [&] { ++ticks; });
  clock.start(10);

  StalledFolder stall(dir.path().toStdString(), milliseconds(8000));
  if (!stall.Stalled()) GTEST_SKIP() << "fanotify permission events are not available";
  PrintToFileUI modal;
  CMyKelvoDoc doc;
  CMyKelvoView view;
  SettingsStore store;
  std::string error;
  auto gaveUp = [&](const std::function<bool()>& call, const char* what) {
    SCOPED_TRACE(what);
    const int ticksBefore = ticks;
    const auto start = Clock::now();
    error.clear();
    modal.boxes.clear();
    EXPECT_FALSE(call());
    if (error.empty() && !modal.boxes.empty()) error = modal.boxes[0].text;
    EXPECT_NE(error.find("did not answer within 1 second"), std::string::npos) << error;
    // A hang check, not a speed check: without the limit the call waits
    // for the release, eight seconds on.
    EXPECT_LT(Clock::now() - start, milliseconds(4000));
    EXPECT_GE(ticks - ticksBefore, 5) << "the window stood still";
  };
  gaveUp([&] { return doc.OnOpenDocument(document, &error); }, "open");
  gaveUp([&] { return doc.OnSaveDocument(document, &error); }, "save");
  gaveUp([&] { return store.Load(settings, {"Recent File List/File1"}, &error); }, "settings");
  gaveUp(
      [&] {
        modal.target = (dir.path() + "/round.kelv").toStdString();
        view.OnFilePrint();
        return modal.boxes.empty();
      },
      "print to file");
  SetModalParent(nullptr);

  // Once the file system answers again, the abandoned save and print change
  // nothing.
  stall.Release();
  std::this_thread::sleep_for(milliseconds(300));
  QFile f(QString::fromStdString(document));
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), QByteArray("[Recent%20File%20List]\nFile1=/kept\n"));
  EXPECT_EQ(doc.GetTitle(), "Untitled");
}

// Between the deadline and a change already under way, whichever comes
// first decides, and the message says which.
TEST(StalledFiles, NothingChangesOnceTheGameGaveUpAndAChangeUnderWaySaysItMayFinish) {
  const ShorterFileCallLimit limit(milliseconds(200));
  for (const bool enterAtOnce : {false, true}) {
    std::promise<void> release;
    auto entered = std::make_shared<std::promise<bool>>();
    std::future<bool> enteredOrNot = entered->get_future();
    std::string why;
    EXPECT_FALSE(CallFileOperation(
        [released = release.get_future().share(), entered, enterAtOnce](std::string*,
                                                                        CommitGate& gate) {
          const bool early = enterAtOnce && gate.Enter();
          released.wait();
          const bool ok = early || gate.Enter();
          entered->set_value(ok);
          return ok;
        },
        &why));
    release.set_value();
    const bool changed = enteredOrNot.get();
    if (!enterAtOnce) {
      EXPECT_FALSE(changed) << "a change began after the game gave up";
    }
    EXPECT_EQ(why.find("may still finish") != std::string::npos, changed) << why;
  }
}

// An idle window sends its loop nothing: the wait must end on its own timer,
// every time, not when the stalled call does.
TEST(StalledFiles, AnIdleWindowStopsWaitingAtTheLimit) {
  const ShorterFileCallLimit limit(milliseconds(100));
  QWidget window;
  window.show();
  SetModalParent(&window);
  std::promise<void> release;
  const std::shared_future<void> released = release.get_future().share();
  for (int i = 0; i < 5; ++i) {
    const auto start = Clock::now();
    EXPECT_FALSE(CallBounded<bool>([released](CommitGate&) {
      return released.wait_for(milliseconds(5000)) == std::future_status::ready;
    }));
    EXPECT_LT(Clock::now() - start, milliseconds(2000)) << "the wait overslept";
  }
  SetModalParent(nullptr);
  release.set_value();
}

}  // namespace
