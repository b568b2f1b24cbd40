#include "platform/accessibility/view_accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>
#include <QWindow>
#include <QtGlobal>
#include <algorithm>
#include <cmath>

#include "platform/accessibility/accessible_changes.h"

namespace {

// Without Qt's announcement event, what is said unasked is a notification
// shown.  A screen reader reads its name when it comes to the event, which
// may be after the next thing has been said: each announcement takes the
// next of a few notifications, so none is overwritten before it is read.
const std::string kAnnouncementKey = "announcement";
constexpr std::size_t kAnnouncementSlots = 4;

bool IsAnnouncement(const std::string& key) { return key.rfind(kAnnouncementKey, 0) == 0; }

// The views that describe themselves, by widget, for the factory.
std::map<const QObject*, ViewAccessibility*>& Views() {
  static std::map<const QObject*, ViewAccessibility*> views;
  return views;
}

QString Text(const std::string& text) { return QString::fromStdString(text); }

QAccessible::Role QtRole(AccessibleRole role) {
  switch (role) {
    case AccessibleRole::kCanvas:
      return QAccessible::Canvas;
    case AccessibleRole::kPane:
      return QAccessible::Grouping;
    case AccessibleRole::kTable:
      return QAccessible::Table;
    case AccessibleRole::kCell:
      return QAccessible::Cell;
    case AccessibleRole::kText:
      return QAccessible::StaticText;
    case AccessibleRole::kAnnouncement:
      return QAccessible::Notification;
  }
  return QAccessible::NoRole;
}

// The children of `node` as interfaces, for both the widget and its parts.
QAccessibleInterface* ChildOf(ViewAccessibility& owner, const AccessibleNode& node, int index) {
  if (index < 0 || index >= static_cast<int>(node.children.size())) return nullptr;
  return owner.InterfaceFor(node.children[static_cast<std::size_t>(index)].key);
}

int IndexOf(ViewAccessibility& owner, const AccessibleNode& node,
            const QAccessibleInterface* child) {
  for (std::size_t i = 0; i < node.children.size(); ++i)
    if (owner.InterfaceFor(node.children[i].key) == child) return static_cast<int>(i);
  return -1;
}

QAccessibleInterface* ChildAt(ViewAccessibility& owner, const AccessibleNode& node, int x, int y) {
  for (const AccessibleNode& child : node.children)
    if (!child.hidden && owner.ScreenRect(child.rect).contains(x, y))
      return owner.InterfaceFor(child.key);
  return nullptr;
}

// The text of a part that holds one (the rules), read only, for a screen
// reader to move through by line and by word.  Qt's own boundaries serve:
// lines end at line feeds, words are Unicode's.  There being no layout of
// this text on the screen, each line is placed in an equal strip of the
// part's rectangle, so that reading the screen by position meets them in
// order.
class PartText : public QAccessibleTextInterface {
 public:
  PartText(ViewAccessibility* owner, std::string key) : m_owner(owner), m_key(std::move(key)) {}

  void selection(int, int* startOffset, int* endOffset) const override {
    *startOffset = *endOffset = 0;
  }
  int selectionCount() const override { return 0; }
  void addSelection(int, int) override {}
  void removeSelection(int) override {}
  void setSelection(int, int, int) override {}
  // A screen reader may place its reading point; the text stays as it is.
  int cursorPosition() const override { return std::min(m_cursor, characterCount()); }
  void setCursorPosition(int position) override {
    m_cursor = std::clamp(position, 0, characterCount());
  }
  QString text(int startOffset, int endOffset) const override {
    const QString all = Whole();
    startOffset = std::clamp(startOffset, 0, static_cast<int>(all.size()));
    endOffset = std::clamp(endOffset, startOffset, static_cast<int>(all.size()));
    return all.mid(startOffset, endOffset - startOffset);
  }
  int characterCount() const override { return static_cast<int>(Whole().size()); }
  QRect characterRect(int offset) const override {
    const QString all = Whole();
    if (offset < 0 || offset >= all.size()) return {};
    return LineStrip(static_cast<int>(all.left(offset).count(QLatin1Char('\n'))));
  }
  int offsetAtPoint(const QPoint& point) const override {
    const QString all = Whole();
    const int lines = static_cast<int>(all.count(QLatin1Char('\n'))) + 1;
    for (int line = 0, start = 0; line < lines; ++line) {
      if (LineStrip(line).contains(point)) return start;
      start = static_cast<int>(all.indexOf(QLatin1Char('\n'), start)) + 1;
    }
    return -1;
  }
  void scrollToSubstring(int, int) override {}
  QString attributes(int, int* startOffset, int* endOffset) const override {
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
  }

 private:
  const AccessibleNode* Node() const { return m_owner->Part(m_key); }
  QString Whole() const { return Node() ? Text(Node()->text) : QString(); }
  // Line `line` of the text: its share of the part's height.
  QRect LineStrip(int line) const {
    if (!Node()) return {};
    const QString all = Whole();
    const int lines = static_cast<int>(all.count(QLatin1Char('\n'))) + 1;
    const RECT& r = Node()->rect;
    const int height = r.bottom - r.top;
    return m_owner->ScreenRect(
        {r.left, r.top + height * line / lines, r.right, r.top + height * (line + 1) / lines});
  }

  ViewAccessibility* m_owner;
  std::string m_key;
  int m_cursor = 0;
};

// One part of the description.  It keeps only its key and answers every
// question from the latest description, so it stays the same object for
// the screen reader while what it shows changes.
class PartAccessible : public QAccessibleInterface,
                       public QAccessibleTableInterface,
                       public QAccessibleTableCellInterface {
 public:
  PartAccessible(ViewAccessibility* owner, std::string key)
      : m_owner(owner), m_key(std::move(key)), m_text(owner, m_key) {}

  bool isValid() const override { return m_owner->Part(m_key) != nullptr; }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return m_owner->Widget()->window()->windowHandle(); }
  QAccessibleInterface* childAt(int x, int y) const override {
    return ChildAt(*m_owner, Node(), x, y);
  }
  QAccessibleInterface* parent() const override {
    const std::string parentKey = m_owner->ParentKey(m_key);
    if (parentKey.empty()) return QAccessible::queryAccessibleInterface(m_owner->Widget());
    return m_owner->InterfaceFor(parentKey);
  }
  QAccessibleInterface* child(int index) const override { return ChildOf(*m_owner, Node(), index); }
  int childCount() const override { return static_cast<int>(Node().children.size()); }
  int indexOfChild(const QAccessibleInterface* child) const override {
    return IndexOf(*m_owner, Node(), child);
  }
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) return Text(Node().name);
    if (t == QAccessible::Description) return Text(Node().description);
    return {};
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override { return m_owner->ScreenRect(Node().rect); }
  QAccessible::Role role() const override { return QtRole(Node().role); }
  QAccessible::State state() const override {
    QAccessible::State state;
    const AccessibleNode& node = Node();
    state.invisible = node.hidden;
    state.readOnly = node.role == AccessibleRole::kText;
    state.multiLine = !node.text.empty();
    state.focusable = node.focused;
    state.focused = node.focused && m_owner->Widget()->hasFocus();
    return state;
  }
  void* interface_cast(QAccessible::InterfaceType type) override {
    const AccessibleRole role = Node().role;
    if (type == QAccessible::TableInterface && role == AccessibleRole::kTable)
      return static_cast<QAccessibleTableInterface*>(this);
    if (type == QAccessible::TableCellInterface && role == AccessibleRole::kCell)
      return static_cast<QAccessibleTableCellInterface*>(this);
    if (type == QAccessible::TextInterface && !Node().text.empty())
      return static_cast<QAccessibleTextInterface*>(&m_text);
    return nullptr;
  }

  // A table: its size and its cells; nothing in it can be selected.
  QAccessibleInterface* caption() const override { return nullptr; }
  QAccessibleInterface* summary() const override { return nullptr; }
  QAccessibleInterface* cellAt(int row, int column) const override {
    for (const AccessibleNode& cell : Node().children)
      if (cell.row == row && cell.column == column) return m_owner->InterfaceFor(cell.key);
    return nullptr;
  }
  int selectedCellCount() const override { return 0; }
  QList<QAccessibleInterface*> selectedCells() const override { return {}; }
  QString columnDescription(int) const override { return {}; }
  QString rowDescription(int) const override { return {}; }
  int selectedColumnCount() const override { return 0; }
  int selectedRowCount() const override { return 0; }
  int columnCount() const override { return Node().columns; }
  int rowCount() const override { return Node().rows; }
  QList<int> selectedColumns() const override { return {}; }
  QList<int> selectedRows() const override { return {}; }
  bool isColumnSelected(int) const override { return false; }
  bool isRowSelected(int) const override { return false; }
  bool selectRow(int) override { return false; }
  bool selectColumn(int) override { return false; }
  bool unselectRow(int) override { return false; }
  bool unselectColumn(int) override { return false; }
  void modelChange(QAccessibleTableModelChangeEvent*) override {}

  // A cell: its place.
  bool isSelected() const override { return false; }
  QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
  QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
  int columnIndex() const override { return Node().column; }
  int rowIndex() const override { return Node().row; }
  int columnExtent() const override { return 1; }
  int rowExtent() const override { return 1; }
  QAccessibleInterface* table() const override { return parent(); }

 private:
  const AccessibleNode& Node() const {
    static const AccessibleNode gone;
    const AccessibleNode* node = m_owner->Part(m_key);
    return node ? *node : gone;
  }

  ViewAccessibility* m_owner;
  std::string m_key;
  PartText m_text;
};

// The view widget itself, named and described by the view, whose children
// are the parts of its description.
class ViewWidgetAccessible : public QAccessibleWidget {
 public:
  ViewWidgetAccessible(QWidget* widget, ViewAccessibility* owner)
      : QAccessibleWidget(widget, QAccessible::Canvas), m_owner(owner) {
    m_owner->SetWidgetInterface(this);
  }
  ~ViewWidgetAccessible() override {
    if (m_owner) m_owner->SetWidgetInterface(nullptr);
  }
  void Detach() { m_owner = nullptr; }

  QString text(QAccessible::Text t) const override {
    if (!m_owner) return QAccessibleWidget::text(t);
    if (t == QAccessible::Name) return Text(m_owner->Root().name);
    if (t == QAccessible::Description) return Text(m_owner->Root().description);
    return QAccessibleWidget::text(t);
  }
  QAccessible::Role role() const override {
    return m_owner ? QtRole(m_owner->Root().role) : QAccessibleWidget::role();
  }
  int childCount() const override {
    return m_owner ? static_cast<int>(m_owner->Root().children.size()) : 0;
  }
  QAccessibleInterface* child(int index) const override {
    return m_owner ? ChildOf(*m_owner, m_owner->Root(), index) : nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    return m_owner ? IndexOf(*m_owner, m_owner->Root(), child) : -1;
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    return m_owner ? ChildAt(*m_owner, m_owner->Root(), x, y) : nullptr;
  }
  QAccessibleInterface* focusChild() const override {
    if (!m_owner) return nullptr;
    const AccessibleNode* focused = m_owner->Root().FocusedPart();
    return focused && focused != &m_owner->Root() ? m_owner->InterfaceFor(focused->key) : nullptr;
  }

 private:
  ViewAccessibility* m_owner;
};

}  // namespace

ViewAccessibility::ViewAccessibility(QWidget* widget, std::function<void(AccessibleNode&)> describe)
    : m_widget(widget), m_describe(std::move(describe)) {
  static const bool installed = [] {
    QAccessible::installFactory(&ViewAccessibility::Factory);
    return true;
  }();
  (void)installed;
  Views()[m_widget] = this;
}

ViewAccessibility::~ViewAccessibility() {
  Views().erase(m_widget);
  if (m_widgetInterface) static_cast<ViewWidgetAccessible*>(m_widgetInterface)->Detach();
  for (const auto& [key, id] : m_interfaceIds) QAccessible::deleteAccessibleInterface(id);
}

QAccessibleInterface* ViewAccessibility::Factory(const QString& /*className*/, QObject* object) {
  auto it = Views().find(object);
  if (it == Views().end()) return nullptr;
  return new ViewWidgetAccessible(it->second->m_widget, it->second);
}

void ViewAccessibility::SetWidgetInterface(QAccessibleInterface* iface) {
  const bool first = !m_widgetInterface && iface;
  m_widgetInterface = iface;
  // The parts are described from the moment someone looks.
  if (first) Refresh();
}

const AccessibleNode* ViewAccessibility::Part(const std::string& key) const {
  auto it = m_parts.find(key);
  return it == m_parts.end() ? nullptr : it->second;
}

std::string ViewAccessibility::ParentKey(const std::string& key) const {
  auto it = m_parents.find(key);
  return it == m_parents.end() ? std::string() : it->second;
}

QAccessibleInterface* ViewAccessibility::InterfaceFor(const std::string& key) {
  if (!Part(key)) return nullptr;
  auto it = m_interfaceIds.find(key);
  if (it != m_interfaceIds.end()) return QAccessible::accessibleInterface(it->second);
  auto* iface = new PartAccessible(this, key);
  m_interfaceIds[key] = QAccessible::registerAccessibleInterface(iface);
  return iface;
}

QRect ViewAccessibility::ScreenRect(const RECT& rect) const {
  // The view draws in device pixels; Qt places widgets in logical ones.
  const qreal ratio = m_widget->devicePixelRatioF();
  const QPoint topLeft(static_cast<int>(std::floor(rect.left / ratio)),
                       static_cast<int>(std::floor(rect.top / ratio)));
  const QPoint bottomRight(static_cast<int>(std::ceil(rect.right / ratio)),
                           static_cast<int>(std::ceil(rect.bottom / ratio)));
  return QRect(m_widget->mapToGlobal(topLeft), m_widget->mapToGlobal(bottomRight) - QPoint(1, 1));
}

void ViewAccessibility::Describe(AccessibleNode& root) const {
  m_describe(root);
#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
  for (std::size_t slot = 0; slot < kAnnouncementSlots; ++slot) {
    const std::string text = slot < m_announcements.size() ? m_announcements[slot] : "";
    AccessibleNode& said =
        root.Add(kAnnouncementKey + std::to_string(slot), AccessibleRole::kAnnouncement, text);
    said.hidden = text.empty();
  }
#endif
}

void ViewAccessibility::Index(const AccessibleNode& node, const std::string& parentKey) {
  for (const AccessibleNode& child : node.children) {
    m_parts[child.key] = &child;
    m_parents[child.key] = parentKey;
    Index(child, child.key);
  }
}

void ViewAccessibility::Refresh() {
  if (!m_widgetInterface) return;
  AccessibleNode next;
  Describe(next);
  const AccessibleNode previous = std::exchange(m_root, std::move(next));
  m_parts.clear();
  m_parents.clear();
  Index(m_root, std::string());
  SendChanges(previous, m_root);
}

void ViewAccessibility::SendChanges(const AccessibleNode& before, const AccessibleNode& after) {
  // Parts that are gone are forgotten.
  for (auto it = m_interfaceIds.begin(); it != m_interfaceIds.end();) {
    if (Part(it->first)) {
      ++it;
      continue;
    }
    QAccessible::deleteAccessibleInterface(it->second);
    it = m_interfaceIds.erase(it);
  }
  using Kind = AccessibleChange::Kind;
  for (const AccessibleChange& change : ChangesBetween(before, after)) {
    // The announcement says itself (Announce).
    if (IsAnnouncement(change.key)) continue;
    // The view's own help, taken away or given for the next focus.
    if (change.key == after.key) {
      QAccessibleEvent event(m_widget, QAccessible::DescriptionChanged);
      QAccessible::updateAccessibility(&event);
      continue;
    }
    switch (change.kind) {
      case Kind::kCreated:
        SendEvent(change.key, QAccessible::ObjectCreated);
        break;
      case Kind::kFocused:
        if (m_widget->hasFocus()) SendEvent(change.key, QAccessible::Focus);
        break;
      default:
        // Only parts a screen reader has seen can be out of date there.
        if (!m_interfaceIds.count(change.key)) break;
        SendEvent(change.key, change.kind == Kind::kNameChanged ? QAccessible::NameChanged
                              : change.kind == Kind::kDescriptionChanged
                                  ? QAccessible::DescriptionChanged
                              : change.kind == Kind::kShown ? QAccessible::ObjectShow
                                                            : QAccessible::ObjectHide);
        break;
    }
  }
}

void ViewAccessibility::SendEvent(const std::string& key, int type) {
  QAccessibleInterface* iface = InterfaceFor(key);
  if (!iface) return;
  QAccessibleEvent event(iface, static_cast<QAccessible::Event>(type));
  QAccessible::updateAccessibility(&event);
}

void ViewAccessibility::FocusPart() {
  if (!m_widgetInterface || !m_widget->hasFocus()) return;
  const AccessibleNode* focused = m_root.FocusedPart();
  if (focused && focused != &m_root) SendEvent(focused->key, QAccessible::Focus);
}

void ViewAccessibility::Announce(const std::string& text) {
  if (!m_widgetInterface) return;
    // The parts are brought up to date first, so that a screen reader that
    // looks at what it is told about finds it as it is now.
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
  Refresh();
  QAccessibleAnnouncementEvent event(m_widget, Text(text));
  QAccessible::updateAccessibility(&event);
#else
  const std::size_t slot = m_nextAnnouncement++ % kAnnouncementSlots;
  m_announcements.resize(kAnnouncementSlots);
  m_announcements[slot] = text;
  // Their changes are sent here; the notification's own below.
  Refresh();
  // The name first, so that a reader that keeps names is not left with the
  // old one; a notification shown is what a screen reader reads out.
  const std::string key = kAnnouncementKey + std::to_string(slot);
  SendEvent(key, QAccessible::NameChanged);
  SendEvent(key, QAccessible::ObjectShow);
#endif
}
