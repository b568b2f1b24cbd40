#include "platform/qt/frame_menu_bar.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOption>
#include <algorithm>

namespace {
// The application's style, whichever it is and even if it changes, for the
// menu bar and its menus, with the differences the header lists.  Every
// question is passed on to the application's style object itself (a proxy
// style would need a copy of it, or take it over for every widget).
class MenuStyle : public QStyle {
 public:
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returnData) const override {
    if (hint == SH_MenuBar_AltKeyNavigation) return 1;
    if (hint == SH_Menu_AllowActiveAndDisabled && m_fromKeyboard) return 1;
    return App()->styleHint(hint, option, widget, returnData);
  }
  // Watches the menu bar and its menus for who is working them: a key
  // makes it the keyboard until the mouse moves or clicks.  (A menu may be
  // sent a move without any, when it opens under a still pointer.)
  bool eventFilter(QObject* watched, QEvent* event) override {
    switch (event->type()) {
      case QEvent::KeyPress:
      case QEvent::ShortcutOverride:
      case QEvent::Shortcut:
        if (!m_fromKeyboard) m_pointerAtKey = QCursor::pos();
        m_fromKeyboard = true;
        break;
      case QEvent::MouseMove:
        if (static_cast<QMouseEvent*>(event)->globalPosition().toPoint() != m_pointerAtKey)
          m_fromKeyboard = false;
        break;
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
        m_fromKeyboard = false;
        break;
      default:
        break;
    }
    return QStyle::eventFilter(watched, event);
  }
  // A separator at least half a line of text high, its line in the middle.
  QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                         const QWidget* widget) const override {
    QSize result = App()->sizeFromContents(type, option, size, widget);
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (type == CT_MenuItem && item && item->menuItemType == QStyleOptionMenuItem::Separator &&
        item->text.isEmpty())
      result.setHeight(std::max(result.height(), item->fontMetrics.height() / 2));
    return result;
  }

  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
    App()->drawPrimitive(element, option, painter, widget);
  }
  // A title selected from the keyboard is drawn as one whose menu is open.
  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget) const override {
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (element == CE_MenuBarItem && item && widget && widget->hasFocus() &&
        (item->state & State_Selected)) {
      QStyleOptionMenuItem selected(*item);
      selected.state |= State_Sunken;
      App()->drawControl(element, &selected, painter, widget);
      return;
    }
    // A greyed item the arrow keys stopped on is drawn selected in the
    // colours of a greyed one (styles such as Fusion draw it as if nothing
    // were selected).
    if (element == CE_MenuItem && item && (item->state & State_Selected) &&
        !(item->state & State_Enabled)) {
      QStyleOptionMenuItem selected(*item);
      selected.state |= State_Enabled;
      App()->drawControl(element, &selected, painter, widget);
      return;
    }
    App()->drawControl(element, option, painter, widget);
  }
  QRect subElementRect(SubElement element, const QStyleOption* option,
                       const QWidget* widget) const override {
    return App()->subElementRect(element, option, widget);
  }
  void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                          QPainter* painter, const QWidget* widget) const override {
    App()->drawComplexControl(control, option, painter, widget);
  }
  SubControl hitTestComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                   const QPoint& point, const QWidget* widget) const override {
    return App()->hitTestComplexControl(control, option, point, widget);
  }
  QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl sub,
                       const QWidget* widget) const override {
    return App()->subControlRect(control, option, sub, widget);
  }
  int pixelMetric(PixelMetric metric, const QStyleOption* option,
                  const QWidget* widget) const override {
    return App()->pixelMetric(metric, option, widget);
  }
  QPixmap standardPixmap(StandardPixmap pixmap, const QStyleOption* option,
                         const QWidget* widget) const override {
    return App()->standardPixmap(pixmap, option, widget);
  }
  QIcon standardIcon(StandardPixmap icon, const QStyleOption* option,
                     const QWidget* widget) const override {
    return App()->standardIcon(icon, option, widget);
  }
  QPixmap generatedIconPixmap(QIcon::Mode mode, const QPixmap& pixmap,
                              const QStyleOption* option) const override {
    return App()->generatedIconPixmap(mode, pixmap, option);
  }
  int layoutSpacing(QSizePolicy::ControlType first, QSizePolicy::ControlType second,
                    Qt::Orientation orientation, const QStyleOption* option,
                    const QWidget* widget) const override {
    return App()->layoutSpacing(first, second, orientation, option, widget);
  }
  void polish(QWidget* widget) override { App()->polish(widget); }
  void unpolish(QWidget* widget) override { App()->unpolish(widget); }
  void polish(QPalette& palette) override { App()->polish(palette); }
  QRect itemTextRect(const QFontMetrics& metrics, const QRect& rect, int flags, bool enabled,
                     const QString& text) const override {
    return App()->itemTextRect(metrics, rect, flags, enabled, text);
  }
  QRect itemPixmapRect(const QRect& rect, int flags, const QPixmap& pixmap) const override {
    return App()->itemPixmapRect(rect, flags, pixmap);
  }
  void drawItemText(QPainter* painter, const QRect& rect, int flags, const QPalette& palette,
                    bool enabled, const QString& text, QPalette::ColorRole role) const override {
    App()->drawItemText(painter, rect, flags, palette, enabled, text, role);
  }
  void drawItemPixmap(QPainter* painter, const QRect& rect, int alignment,
                      const QPixmap& pixmap) const override {
    App()->drawItemPixmap(painter, rect, alignment, pixmap);
  }
  QPalette standardPalette() const override { return App()->standardPalette(); }

 private:
  static QStyle* App() { return QApplication::style(); }
  // Greyed items are skipped by the mouse, as the application's style has
  // it, but the arrow keys stop on them, so that a screen reader can say
  // what is there and that it is unavailable (and a keyboard player sees
  // it), as menus behave on the desktop this game was first made for.
  bool m_fromKeyboard = false;
  QPoint m_pointerAtKey;
};
}  // namespace

FrameMenuBar::FrameMenuBar(QWidget* parent) : QMenuBar(parent) {
  // The style outlives every widget that uses it: it goes once the menu
  // bar's own children (its menus) are gone.
  auto* style = new MenuStyle;
  setStyle(style);
  installEventFilter(style);
  connect(this, &QObject::destroyed, [style] { delete style; });
}

QMenu* FrameMenuBar::AddMenu(const QString& title) {
  QMenu* menu = addMenu(title);
  menu->setStyle(style());
  menu->installEventFilter(style());
  return menu;
}

void FrameMenuBar::ToggleKeyboardSelection() {
  // An Alt pressed with nothing else and released: the menu bar's own
  // handler toggles its keyboard mode on the release.  The press must read
  // as "Alt held"; Qt 6 reports a modifier key's own modifier flipped, so
  // the flag given is the one that reads that way in this Qt.
  const QKeyEvent probe(QEvent::ShortcutOverride, Qt::Key_Alt, Qt::NoModifier);
  QKeyEvent press(QEvent::ShortcutOverride, Qt::Key_Alt,
                  probe.modifiers() == Qt::AltModifier ? Qt::NoModifier : Qt::AltModifier);
  eventFilter(this, &press);
  QKeyEvent release(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
  eventFilter(this, &release);
}
