// The real main window on an X server: the suite runs these under xvfb-run
// on Qt's xcb platform, with no window manager; elsewhere they are skipped.
// tools/check-desktop checks the same window under real window managers.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <future>
#include <optional>

#include "app/MainFrame.h"
#include "app/MyKelvoApp.h"
#include "platform/files/bounded_call.h"
#include "platform/qt/qt_modal_ui.h"
#include "platform/qt/view_widget.h"
#include "platform/window_system/x11_properties.h"
#include "platform/window_system/x11_window_hints.h"
#include "support/game_play.h"

namespace {
bool WaitFor(const std::function<bool()>& done) {
  QElapsedTimer clock;
  clock.start();
  while (!done() && clock.elapsed() < 5000) QApplication::processEvents(QEventLoop::AllEvents, 20);
  return done();
}

std::vector<std::uint32_t> MotifHintsOf(QWidget& window) {
  return ReadX11Property(static_cast<xcb_window_t>(window.winId()), X11Atom("_MOTIF_WM_HINTS"));
}
}  // namespace

TEST(OnX11, TheWindowManagerHintsSurviveAChangeOfTheWindowsFlags) {
  if (!X11Connection()) GTEST_SKIP() << "needs Qt's xcb platform";
  QWidget window;
  window.setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  SetWindowManagerHints(&window, {.move = false, .close = true});
  const std::vector<std::uint32_t> ours = MotifHintsOf(window);
  ASSERT_EQ(ours.size(), 5u);
  // Qt writes its own hints (move and resize allowed) on every change of
  // the flags.
  window.setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                        Qt::WindowCloseButtonHint);
  window.show();
  EXPECT_TRUE(WaitFor([&] { return MotifHintsOf(window) == ours; }))
      << "functions now " << (MotifHintsOf(window).size() > 1 ? MotifHintsOf(window)[1] : 0);
}

TEST(OnX11, WithNoWindowManagerTheWindowCoversTheScreenFromItsFirstFrameAndHasTheKeys) {
  if (!X11Connection()) GTEST_SKIP() << "needs Qt's xcb platform";
  if (X11WindowManagerRuns()) GTEST_SKIP() << "a window manager runs here";
  CueRecorder cues;
  CMyKelvoApp app;
  ASSERT_TRUE(app.InitInstance(CommandLine{}));
  std::optional<PixelRect> atFirstFrame;
  app.Frame()->View()->SetFirstFrameHook(
      [&] { atFirstFrame = X11ClientGeometry(static_cast<xcb_window_t>(app.Frame()->winId())); });
  ASSERT_TRUE(WaitFor([&] { return atFirstFrame.has_value(); })) << "no frame was painted";
  const qreal ratio = app.Frame()->devicePixelRatioF();
  const QRect screen = app.Frame()->screen()->geometry();
  EXPECT_EQ(atFirstFrame->x, 0);
  EXPECT_EQ(atFirstFrame->y, 0);
  EXPECT_EQ(atFirstFrame->width, qRound(screen.width() * ratio));
  EXPECT_EQ(atFirstFrame->height, qRound(screen.height() * ratio));
  // Nobody else hands the new window the keyboard: it must take it itself.
  EXPECT_TRUE(WaitFor([&] { return QApplication::activeWindow() == app.Frame(); }));
  EXPECT_EQ(QApplication::focusWidget(), app.Frame()->View());
}

TEST(OnX11, ACloseAskedForDuringAFileWaitClosesTheWindowOnceTheCommandIsOver) {
  if (!X11Connection()) GTEST_SKIP() << "needs Qt's xcb platform";
  QWidget window;
  window.show();
  SetModalParent(&window);
  const std::chrono::milliseconds limit = FileCallLimit();
  SetFileCallLimit(std::chrono::milliseconds(300));
  std::promise<void> release;
  bool openAfterTheMessage = false;
  // A command from the window's own loop that waits in vain and then says so,
  // while a window manager asks the window to close.
  QTimer::singleShot(0, [&] {
    QTimer::singleShot(50, [&] {
      const xcb_client_message_event_t close = {.response_type = XCB_CLIENT_MESSAGE,
                                                .format = 32,
                                                .sequence = 0,
                                                .window = static_cast<xcb_window_t>(window.winId()),
                                                .type = X11Atom("WM_PROTOCOLS"),
                                                .data = {.data32 = {X11Atom("WM_DELETE_WINDOW")}}};
      xcb_send_event(X11Connection(), 0, close.window, XCB_EVENT_MASK_NO_EVENT,
                     reinterpret_cast<const char*>(&close));
      xcb_flush(X11Connection());
    });
    EXPECT_FALSE(CallBounded<bool>([released = release.get_future().share()](CommitGate&) {
      released.wait();
      return true;
    }));
    QMessageBox message(&window);
    QTimer::singleShot(300, &message, &QDialog::accept);
    message.exec();
    openAfterTheMessage = window.isVisible();
  });
  // The command runs from the window's own event loop, as the game's do: the
  // close is carried out when control is back in that loop.
  QEventLoop loop;
  QTimer poll;
  poll.callOnTimeout([&] {
    if (openAfterTheMessage && !window.isVisible()) loop.quit();
  });
  poll.start(20);
  QTimer::singleShot(5000, &loop, &QEventLoop::quit);
  loop.exec();
  EXPECT_TRUE(openAfterTheMessage && !window.isVisible())
      << "the close was lost, or came inside the command";
  release.set_value();
  SetModalParent(nullptr);
  SetFileCallLimit(limit);
}
