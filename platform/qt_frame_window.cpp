#include "platform/qt_frame_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QShortcut>
#include <cmath>
#include <sstream>

#include "platform/key_mapping.h"
#include "platform/qt_view_widget.h"
#include "platform/screen_filler.h"
#include "platform/x11_properties.h"

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
  // F10 selects the menu bar: its first title highlighted, no menu open yet
  // (Down or Return opens it), as a lone Alt press does.
  auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), this);
  connect(f10, &QShortcut::activated, this, &FrameWindow::SelectMenuBar);
}

void FrameWindow::SelectMenuBar() {
  // Qt's menu bar enters its keyboard mode on an Alt key pressed and
  // released with no other key between; it has no other way in, so F10
  // plays that tap where a real one would arrive.
  QWidget* target = focusWidget();
  if (!target) target = m_viewWidget ? static_cast<QWidget*>(m_viewWidget) : this;
  QKeyEvent override(QEvent::ShortcutOverride, Qt::Key_Alt, Qt::AltModifier);
  QCoreApplication::sendEvent(target, &override);
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
  QCoreApplication::sendEvent(target, &press);
  QKeyEvent release(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
  QCoreApplication::sendEvent(target, &release);
}

void FrameWindow::FocusView() {
  if (m_viewWidget) m_viewWidget->setFocus(Qt::OtherFocusReason);
}

void FrameWindow::BuildMenus(const MenuResource& menu) {
  for (const MenuPopupResource& popup : menu) {
    QMenu* qmenu = menuBar()->addMenu(QString::fromUtf8(popup.text));
    // Every separator the resource lists is shown, even two in a row.
    qmenu->setSeparatorsCollapsible(false);
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
        // A menu reached from the keyboard leaves the focus on the menu bar;
        // the game's keys belong to the view.
        FocusView();
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
      FocusView();
    });
  }
}

ViewWidget* FrameWindow::SetView(CView* view) {
  m_viewWidget = new ViewWidget(view, this);
  setCentralWidget(m_viewWidget);
  m_viewWidget->SetAfterEvent([this] { UpdateCommandUI(); });
  m_viewWidget->SetCaptionSink(
      [this](const std::string& text) { setWindowTitle(QString::fromStdString(text)); });
  // The window hands its focus to the view, so whatever gives the window
  // the focus back (the end of a dialog, a message box) gives it to the view.
  setFocusProxy(m_viewWidget);
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
  X11Rect client{device(geometry().x()), device(geometry().y()), device(width()), device(height())};
  std::vector<std::uint32_t> extents(4, 0);
  if (X11Connection()) {
    const auto window = static_cast<xcb_window_t>(internalWinId());
    if (const std::optional<X11Rect> onServer = X11ClientGeometry(window)) client = *onServer;
    const std::vector<std::uint32_t> announced =
        ReadX11Property(window, X11Atom("_NET_FRAME_EXTENTS"));
    if (announced.size() == 4) extents = announced;
  }
  std::ostringstream out;
  out << "kelvo-window client " << client.x << ' ' << client.y << ' ' << client.width << ' '
      << client.height << " frame-extents " << extents[0] << ' ' << extents[1] << ' ' << extents[2]
      << ' ' << extents[3];
  if (m_viewWidget) {
    const QPoint offset = m_viewWidget->mapTo(this, QPoint(0, 0));
    const RECT view = m_viewWidget->ClientRect();
    out << " view " << client.x + device(offset.x()) << ' ' << client.y + device(offset.y()) << ' '
        << view.right << ' ' << view.bottom;
  }
  out << '\n';
  int index = 0;
  for (QAction* title : menuBar()->actions()) {
    out << "kelvo-menu " << index++ << ' ' << title->text().toStdString() << ':';
    if (title->menu())
      for (QAction* item : title->menu()->actions())
        out << ' ' << item->text().section(QLatin1Char('\t'), 0, 0).toStdString() << " |";
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
