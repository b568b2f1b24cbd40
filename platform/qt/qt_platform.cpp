#include "platform/qt/qt_platform.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <algorithm>

#include "platform/files/bounded_call.h"
#include "platform/qt/close_after_wait.h"
#include "platform/qt/qt_modal_ui.h"
#include "platform/qt/qt_resources.h"
#include "platform/sound/qt_sound_output.h"

namespace {
// While the window's thread waits for a file call, the main window (once
// shown) keeps its timers and painting going; keys and clicks wait, and a
// request to close the window is kept for after (close_after_wait.h).
class WindowWaitingLoop : public IWaitingLoop {
 public:
  bool KeepsWindowAlive() const override {
    const QCoreApplication* app = QCoreApplication::instance();
    if (!app || QThread::currentThread() != app->thread()) return false;
    const QWidget* window = ModalParent();
    return window && window->isVisible();
  }
  void RunUntil(std::chrono::steady_clock::time_point deadline) override {
    // A precise timer wakes the loop when the time is up; should it come a
    // little early, the caller runs the loop again for what is left.
    const auto left =
        std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    QTimer timeUp;
    timeUp.setTimerType(Qt::PreciseTimer);
    timeUp.setSingleShot(true);
    timeUp.start(std::max(left, std::chrono::milliseconds(0)));
    CloseAfterWait::Begin(ModalParent());
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents |
                                    QEventLoop::WaitForMoreEvents);
  }
  void Wake() override {
    if (QAbstractEventDispatcher* dispatcher =
            QAbstractEventDispatcher::instance(QCoreApplication::instance()->thread()))
      dispatcher->wakeUp();
  }
};
}  // namespace

QtPlatform::QtPlatform()
    : m_modalUI(std::make_unique<QtModalUI>()),
      // Nothing of the audio system is touched until the first sound or the
      // warm-up after the window is shown.
      m_sound(std::make_unique<QtSoundOutput>()),
      m_resources(std::make_unique<QtResourceFinder>()),
      m_waitingLoop(std::make_unique<WindowWaitingLoop>()) {
  SetModalUI(m_modalUI.get());
  SetSoundOutput(m_sound.get());
  SetResourceFinder(m_resources.get());
  SetWaitingLoop(m_waitingLoop.get());
}

QtPlatform::~QtPlatform() {
  SetWaitingLoop(nullptr);
  SetResourceFinder(nullptr);
  SetSoundOutput(nullptr);
  SetModalUI(nullptr);
}
