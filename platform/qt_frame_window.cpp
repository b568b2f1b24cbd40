#include "platform/qt_frame_window.h"

#include <QCloseEvent>
#include <QMenuBar>
#include <QShortcut>

#include "platform/key_mapping.h"
#include "platform/qt_view_widget.h"
#include "platform/screen_filler.h"

QKeySequence KeySequenceFor(const AcceleratorResource& accelerator) {
  int combination = QtKeyFromVirtualKey(accelerator.key);
  if (accelerator.modifiers & FSHIFT) combination |= Qt::SHIFT;
  if (accelerator.modifiers & FCONTROL) combination |= Qt::CTRL;
  if (accelerator.modifiers & FALT) combination |= Qt::ALT;
  return QKeySequence(combination);
}

FrameWindow::FrameWindow(const MenuResource& menu, const AcceleratorTable& accelerators,
                         CommandRouter& router)
    : m_router(router) {
  // A caption bar only: no system menu, no minimize, maximize or close
  // buttons; the window is shown maximized and is not meant to be moved or
  // resized.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  BuildMenus(menu);
  BuildAccelerators(accelerators);

  // Alt+F4 closes the window even where no window manager provides it.
  auto* close = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_F4), this);
  close->setContext(Qt::ApplicationShortcut);
  connect(close, &QShortcut::activated, this, &QWidget::close);
  // F10 opens the first menu, as on the desktop the game was made for.
  auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), this);
  connect(f10, &QShortcut::activated, this, [this] {
    const auto actions = menuBar()->actions();
    if (!actions.isEmpty()) {
      menuBar()->setFocus(Qt::MenuBarFocusReason);
      menuBar()->setActiveAction(actions.first());
    }
  });
}

void FrameWindow::BuildMenus(const MenuResource& menu) {
  for (const MenuPopupResource& popup : menu) {
    QMenu* qmenu = menuBar()->addMenu(QString::fromUtf8(popup.text));
    for (const MenuItemResource& item : popup.items) {
      if (!item.text) {
        qmenu->addSeparator();
        continue;
      }
      // Qt shows the text after the tab as the item's shortcut, and the key
      // itself is handled by the accelerator table, not by the item.
      QAction* action = qmenu->addAction(QString::fromUtf8(item.text));
      const UINT id = item.id;
      action->setData(id);
      connect(action, &QAction::triggered, this, [this, id] {
        m_router.Execute(id);
        UpdateCommandUI();
      });
      m_actions.emplace(id, action);
    }
    // Enable rules are asked again just before a menu opens.
    connect(qmenu, &QMenu::aboutToShow, this, &FrameWindow::UpdateCommandUI);
  }
}

void FrameWindow::BuildAccelerators(const AcceleratorTable& accelerators) {
  for (const AcceleratorResource& accelerator : accelerators) {
    auto* shortcut = new QShortcut(KeySequenceFor(accelerator), this);
    shortcut->setContext(Qt::WindowShortcut);
    const UINT id = accelerator.id;
    // A disabled command's key does nothing: Execute asks the rule first.
    connect(shortcut, &QShortcut::activated, this, [this, id] {
      m_router.Execute(id);
      UpdateCommandUI();
    });
  }
}

ViewWidget* FrameWindow::SetView(CView* view) {
  m_viewWidget = new ViewWidget(view, this);
  setCentralWidget(m_viewWidget);
  m_viewWidget->SetAfterEvent([this] { UpdateCommandUI(); });
  m_viewWidget->SetCaptionSink(
      [this](const std::string& text) { setWindowTitle(QString::fromStdString(text)); });
  m_viewWidget->setFocus(Qt::OtherFocusReason);
  return m_viewWidget;
}

void FrameWindow::ShowMaximizedAndFixed() {
  if (!m_screenFiller) m_screenFiller = new ScreenFiller(this);
  m_screenFiller->Show();
}

void FrameWindow::UpdateCommandUI() {
  for (const auto& [id, action] : m_actions) action->setEnabled(m_router.IsEnabled(id));
}

QAction* FrameWindow::ActionFor(UINT id) const {
  auto it = m_actions.find(id);
  return it == m_actions.end() ? nullptr : it->second;
}

void FrameWindow::closeEvent(QCloseEvent* event) {
  // The document is never modified, so closing never asks to save.
  event->accept();
}
