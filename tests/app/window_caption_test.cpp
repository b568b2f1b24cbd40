// The caption the window draws itself where the window system draws none,
// on the real main window; and how the game learns whether a Wayland
// compositor draws captions, asked of a stand-in compositor.
#include <gtest/gtest.h>
#include <wayland-server-core.h>

#include <QApplication>
#include <QMenuBar>
#include <QScreen>
#include <QTemporaryDir>
#include <atomic>
#include <string>
#include <thread>

#include "app/MainFrame.h"
#include "app/MyKelvoApp.h"
#include "platform/qt/view_widget.h"
#include "platform/window_system/caption_bar.h"
#include "platform/window_system/wayland_decorations.h"
#include "support/scripted_modal_ui.h"

namespace {

// What the window really shows: the offscreen platform's copy of its
// backing store, so only what was repainted is there.
QImage Shown(QWidget* window) {
  QApplication::processEvents();
  return window->screen()
      ->grabWindow(window->winId())
      .toImage()
      .convertToFormat(QImage::Format_RGB32);
}

// Pixels of the strip at the window's top that are not its background.
int InkIn(const QImage& shown, const QRect& strip, QRgb background) {
  int ink = 0;
  for (int y = strip.top(); y <= strip.bottom(); ++y)
    for (int x = strip.left(); x <= strip.right(); ++x)
      if (shown.pixel(x, y) != background) ++ink;
  return ink;
}

TEST(OwnCaption, ShowsTheTitleAboveTheMenuBarAndFollowsIt) {
  ScriptedModalUI modal;
  CMyKelvoApp app;
  ASSERT_TRUE(app.InitInstance(CommandLine{}));
  CMainFrame* frame = app.Frame();
  auto* caption = new CaptionBar(frame);
  frame->setWindowTitle(QStringLiteral("Kelvo - a caption long enough to be seen"));
  QImage shown = Shown(frame);

  // The strip spans the window's top, and the menu bar and the view are
  // below it, not under it.
  const QRect strip(0, 0, frame->width(), caption->height());
  EXPECT_EQ(caption->geometry(), strip);
  EXPECT_GT(caption->height(), 0);
  EXPECT_GT(frame->menuBar()->geometry().top(), strip.bottom());
  EXPECT_GT(frame->View()->mapTo(frame, QPoint(0, 0)).y(), frame->menuBar()->geometry().bottom());

  const QRgb background = shown.pixel(1, 1);
  EXPECT_NE(background, qRgb(0xFF, 0xFF, 0xFF)) << "the strip is the game's white";
  const int longTitle = InkIn(shown, strip, background);
  EXPECT_GT(longTitle, 100) << "no title drawn in the strip";

  // A new title is drawn as soon as it is set.
  frame->setWindowTitle(QStringLiteral("K"));
  shown = Shown(frame);
  const int shortTitle = InkIn(shown, strip, background);
  EXPECT_GT(shortTitle, 0);
  EXPECT_LT(shortTitle * 4, longTitle);
}

// A compositor of globals only, on its own thread and socket.
class StandInCompositor {
 public:
  explicit StandInCompositor(bool offersDecorations) {
    if (offersDecorations) wl_global_create(m_display, &kDecorationManager, 1, nullptr, Bind);
    m_socket = wl_display_add_socket_auto(m_display);
    m_thread = std::thread([this] {
      wl_event_loop* loop = wl_display_get_event_loop(m_display);
      while (!m_stop) {
        wl_event_loop_dispatch(loop, 20);
        wl_display_flush_clients(m_display);
      }
    });
  }
  ~StandInCompositor() {
    m_stop = true;
    m_thread.join();
    // A client whose hang-up the loop had no turn left to see is still held.
    wl_display_destroy_clients(m_display);
    wl_display_destroy(m_display);
  }
  const char* Socket() const { return m_socket; }

 private:
  static constexpr wl_interface kDecorationManager = {
      "zxdg_decoration_manager_v1", 1, 0, nullptr, 0, nullptr};
  static void Bind(wl_client*, void*, std::uint32_t, std::uint32_t) {}

  wl_display* m_display = wl_display_create();
  const char* m_socket = nullptr;
  std::atomic<bool> m_stop{false};
  std::thread m_thread;
};

class ScopedEnv {
 public:
  ScopedEnv(const char* name, const QByteArray& value) : m_name(name), m_old(qgetenv(name)) {
    m_was = qEnvironmentVariableIsSet(name);
    qputenv(name, value);
  }
  ~ScopedEnv() {
    if (m_was)
      qputenv(m_name, m_old);
    else
      qunsetenv(m_name);
  }

 private:
  const char* m_name;
  QByteArray m_old;
  bool m_was = false;
};

TEST(CompositorCaptions, ServerSideDecorationsAreFoundWhereOffered) {
  QTemporaryDir runtime;
  ScopedEnv runtimeDir("XDG_RUNTIME_DIR", runtime.path().toUtf8());
  {
    StandInCompositor kdeLike(true);
    ASSERT_NE(kdeLike.Socket(), nullptr);
    ScopedEnv display("WAYLAND_DISPLAY", kdeLike.Socket());
    EXPECT_TRUE(CompositorOffersServerSideDecorations());
  }
  {
    StandInCompositor gnomeLike(false);
    ASSERT_NE(gnomeLike.Socket(), nullptr);
    ScopedEnv display("WAYLAND_DISPLAY", gnomeLike.Socket());
    EXPECT_FALSE(CompositorOffersServerSideDecorations());
  }
  ScopedEnv display("WAYLAND_DISPLAY", "kelvo-no-compositor");
  EXPECT_FALSE(CompositorOffersServerSideDecorations());
}

}  // namespace
