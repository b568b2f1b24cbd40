#include "platform/qt/frame_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QShortcut>
#include <cmath>
#include <sstream>

#include "platform/language/translation.h"
#include "platform/qt/frame_menu_bar.h"
#include "platform/qt/key_mapping.h"
#include "platform/qt/view_widget.h"
#include "platform/window_system/caption_bar.h"
#include "platform/window_system/screen_filler.h"
#include "platform/window_system/wayland_decorations.h"
#include "platform/window_system/x11_properties.h"

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
  // The menus stay in the window, never in a desktop's global menu bar: a
  // menu bar asks the session bus for one as it is made, and waits for the
  // answer without a limit.
  QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
  m_menuBar = new FrameMenuBar(this);
  // A caption bar only: no system menu, no minimize, maximize or close
  // buttons; the window is shown over the whole available area and is not
  // meant to be moved or resized.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  // Where the window system draws no caption, the window draws its own.
  if (!WindowSystemDrawsCaption()) new CaptionBar(this);
  setMenuBar(m_menuBar);
  BuildMenus(menu);
  BuildAccelerators(accelerators);

  // Alt+F4 closes the window even where no window manager provides it.
  auto* close = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_F4), this);
  close->setContext(Qt::ApplicationShortcut);
  connect(close, &QShortcut::activated, this, &QWidget::close);
  // F10 selects the menu bar, as Alt alone does (frame_menu_bar.h).
  auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), this);
  connect(f10, &QShortcut::activated, m_menuBar, &FrameMenuBar::ToggleKeyboardSelection);

  connect(qApp, &QApplication::focusChanged, this,
          [this](QWidget*, QWidget* now) { KeepKeysOnView(now); });
  qApp->installEventFilter(this);
}

// Closing the window on its way out moves the focus and hides widgets; by
// then the frame's own members are gone, so it stops listening first (Qt
// would only let go of it in QObject's destructor, too late).
FrameWindow::~FrameWindow() {
  disconnect(qApp, &QApplication::focusChanged, this, nullptr);
  qApp->removeEventFilter(this);
}

// Qt gives the focus back to the widget that last had it whenever the
// window becomes active again (after a dialog, a message box, a popup), and
// the menu bar hands it back itself when it leaves its keyboard mode with
// the focus still on it; but a dialog opened while the menu bar was selected
// (an accelerator pressed after F10) leaves the focus on a menu bar that is
// no longer selected.
void FrameWindow::KeepKeysOnView(QWidget* focused) {
  if (!m_viewWidget || !focused || focused == m_viewWidget || focused->window() != this) return;
  if (focused == m_menuBar && m_menuBar->activeAction()) return;
  m_viewWidget->setFocus(Qt::OtherFocusReason);
}

bool FrameWindow::eventFilter(QObject* watched, QEvent* event) {
  // A dialog of the program's own closes over this window: the window takes
  // the keyboard back (Qt leaves no window active after some of them, such
  // as the file dialogs).
  if (event->type() == QEvent::Hide && watched->isWidgetType()) {
    auto* closing = static_cast<QWidget*>(watched);
    if (closing->windowType() == Qt::Dialog && closing->parentWidget() &&
        closing->parentWidget()->window() == this && isVisible()) {
      activateWindow();
      KeepKeysOnView(focusWidget());
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void FrameWindow::RunCommand(UINT id) {
  m_router.Execute(id);
  UpdateCommandUI();
}

void FrameWindow::BuildMenus(const MenuResource& menu) {
  for (const MenuPopupResource& popup : menu) {
    QMenu* qmenu = m_menuBar->AddMenu(QString::fromUtf8(_(popup.text)));
    // Every separator the resource lists is shown, even two in a row.
    qmenu->setSeparatorsCollapsible(false);
    for (const MenuItemResource& item : popup.items) {
      if (!item.text) {
        qmenu->addSeparator();
        continue;
      }
      // "&Print...\tCtrl+P": the text before the tab names the item, the
      // one after it is the item's shortcut, which the menu shows at its
      // right and a screen reader reads as its key.  The key itself is the
      // accelerator table's: the item's shortcut acts only inside its menu.
      // The name is the player's language's, the shortcut always the
      // resource's own (Qt shows it as the keyboard names it).
      const QString text = QString::fromUtf8(item.text);
      const QString translated = QString::fromUtf8(_(item.text));
      QAction* action = qmenu->addAction(translated.section(QLatin1Char('\t'), 0, 0));
      action->setShortcut(
          QKeySequence::fromString(text.section(QLatin1Char('\t'), 1), QKeySequence::PortableText));
      action->setShortcutContext(Qt::WidgetShortcut);
      const UINT id = item.id;
      action->setData(id);
      connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
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
    connect(shortcut, &QShortcut::activated, this, [this, id] { RunCommand(id); });
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

void FrameWindow::ShowFillingTheScreen() {
  if (!m_screenFiller) m_screenFiller = new ScreenFiller(this);
  m_screenFiller->Show();
}

void FrameWindow::UpdateCommandUI() {
  for (const auto& [id, action] : m_actions) action->setEnabled(m_router.IsEnabled(id));
}

std::string FrameWindow::PlacementReport() const {
  const qreal ratio = devicePixelRatioF();
  auto device = [ratio](int logical) { return static_cast<int>(std::lround(logical * ratio)); };
  PixelRect client{device(geometry().x()), device(geometry().y()), device(width()),
                   device(height())};
  FrameExtents extents;
  if (X11Connection()) {
    const auto window = static_cast<xcb_window_t>(internalWinId());
    client = X11ClientGeometry(window).value_or(client);
    extents = X11FrameExtents(window).value_or(extents);
  }
  std::ostringstream out;
  out << "kelvo-window client " << client.x << ' ' << client.y << ' ' << client.width << ' '
      << client.height << " frame-extents " << extents.left << ' ' << extents.right << ' '
      << extents.top << ' ' << extents.bottom;
  if (m_viewWidget) {
    const QPoint offset = m_viewWidget->mapTo(this, QPoint(0, 0));
    const RECT view = m_viewWidget->ClientRect();
    out << " view " << client.x + device(offset.x()) << ' ' << client.y + device(offset.y()) << ' '
        << view.right << ' ' << view.bottom;
  }
  out << '\n';
  int index = 0;
  for (QAction* title : m_menuBar->actions()) {
    out << "kelvo-menu " << index++ << ' ' << title->text().toStdString() << ':';
    if (title->menu())
      for (QAction* item : title->menu()->actions())
        out << ' ' << item->text().toStdString() << " |";
    out << '\n';
  }
  return out.str();
}

QAction* FrameWindow::ActionFor(UINT id) const {
  auto it = m_actions.find(id);
  return it == m_actions.end() ? nullptr : it->second;
}

void FrameWindow::closeEvent(QCloseEvent* event) {
  // The document is never modified, so closing never asks to save.
  event->accept();
}
