#include "platform/accessibility/qt_accessible_menu.h"

#include <QAccessible>
#include <QAction>
#include <QMenu>
#include <QPointer>
#include <QStyle>

namespace {

// The menu showing `action`, if any.
QMenu* MenuOf(QAction* action) {
  for (QObject* owner : action->associatedObjects())
    if (auto* menu = qobject_cast<QMenu*>(owner)) return menu;
  return nullptr;
}

// "&Print...\tCtrl+P" read as "Print...": the mnemonic marks dropped ("&&"
// stays one "&") and the shortcut after the tab left out.
QString NameOf(const QString& text) {
  const QString shown = text.left(text.indexOf(u'\t'));
  QString name;
  for (qsizetype i = 0; i < shown.size(); ++i) {
    if (shown[i] != u'&') {
      name += shown[i];
    } else if (i + 1 < shown.size() && shown[i + 1] == u'&') {
      name += u'&';
      ++i;
    }
  }
  return name;
}

QString ShortcutOf(const QString& text) {
  const qsizetype tab = text.indexOf(u'\t');
  return tab < 0 ? QString() : text.mid(tab + 1);
}

// A menu item whose text carries its shortcut, read as Qt reads any other
// item but for its name and key binding.
class ShortcutTextMenuItem : public QAccessibleInterface, public QAccessibleActionInterface {
 public:
  ShortcutTextMenuItem(QMenu* menu, QAction* action) : m_menu(menu), m_action(action) {}

  bool isValid() const override { return m_menu && m_action; }
  QObject* object() const override { return m_action; }
  QWindow* window() const override {
    if (!m_menu) return nullptr;
    if (QWindow* window = m_menu->windowHandle()) return window;
    const QWidget* parent = m_menu->nativeParentWidget();
    return parent ? parent->windowHandle() : nullptr;
  }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessibleInterface* parent() const override {
    return QAccessible::queryAccessibleInterface(m_menu.data());
  }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QString text(QAccessible::Text t) const override {
    if (!m_action) return {};
    if (t == QAccessible::Name) return NameOf(m_action->text());
    if (t == QAccessible::Accelerator) return ShortcutOf(m_action->text());
    return {};
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override {
    if (!m_menu || !m_action) return {};
    const QRect geometry = m_menu->actionGeometry(m_action);
    return QRect(m_menu->mapToGlobal(geometry.topLeft()), geometry.size());
  }
  QAccessible::Role role() const override { return QAccessible::MenuItem; }
  QAccessible::State state() const override {
    QAccessible::State state;
    if (!m_menu || !m_action) return state;
    state.invisible = !m_menu->isVisible();
    state.focused = m_menu->activeAction() == m_action;
    state.hotTracked = m_menu->style()->styleHint(QStyle::SH_Menu_MouseTracking) != 0;
    state.disabled = !m_action->isEnabled();
    state.checkable = m_action->isCheckable();
    state.checked = m_action->isChecked();
    return state;
  }
  void* interface_cast(QAccessible::InterfaceType type) override {
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                : nullptr;
  }

  QStringList actionNames() const override {
    if (!m_action || !m_action->isEnabled()) return {};
    return {pressAction()};
  }
  void doAction(const QString& actionName) override {
    if (m_action && m_action->isEnabled() && actionName == pressAction()) m_action->trigger();
  }
  QStringList keyBindingsForAction(const QString& actionName) const override {
    if (!m_action || actionName != pressAction()) return {};
    const QString shortcut = ShortcutOf(m_action->text());
    return shortcut.isEmpty() ? QStringList() : QStringList{shortcut};
  }

 private:
  QPointer<QMenu> m_menu;
  QPointer<QAction> m_action;
};

QAccessibleInterface* MenuItemFactory(const QString& className, QObject* object) {
  if (className != QLatin1String("QAction")) return nullptr;
  auto* action = qobject_cast<QAction*>(object);
  if (!action || !action->text().contains(u'\t')) return nullptr;
  QMenu* menu = MenuOf(action);
  return menu ? new ShortcutTextMenuItem(menu, action) : nullptr;
}

}  // namespace

void InstallMenuItemAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(&MenuItemFactory);
    return true;
  }();
  (void)installed;
}
