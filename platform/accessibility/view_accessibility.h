// A view's description (platform/accessible_model.h) on Qt's accessibility
// interfaces, which Qt carries to the desktop's screen readers (AT-SPI on
// Linux): the view widget becomes a pane whose children are the parts the
// view describes, tables and cells included.  After each event the view is
// described again and a listening screen reader is told what changed; an
// announcement reaches it as Qt's announcement event where Qt has one
// (6.8 on), otherwise as a notification shown.
//
// Nothing is done until a screen reader (or a test) asks for the widget's
// interface, so a player without one pays nothing.
#pragma once

#include <QRect>
#include <QString>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/interface/accessible_model.h"

class QAccessibleInterface;
class QObject;
class QWidget;

class ViewAccessibility {
 public:
  // `describe` fills a description of what `widget` shows now, in device
  // pixels of its client area.
  ViewAccessibility(QWidget* widget, std::function<void(AccessibleNode&)> describe);
  ~ViewAccessibility();
  ViewAccessibility(const ViewAccessibility&) = delete;
  ViewAccessibility& operator=(const ViewAccessibility&) = delete;

  // Describes the view again and tells a listening screen reader what
  // changed: names, what is shown, where the focus is.
  void Refresh();
  // Has the screen reader say `text` now.
  void Announce(const std::string& text);
  // The widget has the keyboard focus again: the focused part gets it.
  void FocusPart();

  // --- for the interfaces ---
  QWidget* Widget() const { return m_widget; }
  // The latest description; before Qt 6.8 its last children are the
  // notifications that say what was said unasked.
  const AccessibleNode& Root() const { return m_root; }
  const AccessibleNode* Part(const std::string& key) const;
  // The key of the part holding `key`, "" for a child of the view.
  std::string ParentKey(const std::string& key) const;
  // The interface of part `key`, made when first asked for.
  QAccessibleInterface* InterfaceFor(const std::string& key);
  // Called by the widget's interface as it comes and goes.
  void SetWidgetInterface(QAccessibleInterface* iface);
  // The widget's own interface: made by Qt through a factory this class
  // installs.
  static QAccessibleInterface* Factory(const QString& className, QObject* object);
  // Client pixels to the screen's logical coordinates.
  QRect ScreenRect(const RECT& rect) const;

 private:
  void Describe(AccessibleNode& root) const;
  void Index(const AccessibleNode& node, const std::string& parentKey);
  // Tells the screen reader how `before` became `after`, part by part.
  void SendChanges(const AccessibleNode& before, const AccessibleNode& after);
  void SendEvent(const std::string& key, int type);

  QWidget* m_widget;
  std::function<void(AccessibleNode&)> m_describe;
  AccessibleNode m_root;
  std::map<std::string, const AccessibleNode*> m_parts;
  std::map<std::string, std::string> m_parents;
  std::map<std::string, unsigned> m_interfaceIds;  // QAccessible::Id of each part made
  QAccessibleInterface* m_widgetInterface = nullptr;
  // What was said unasked, in the notifications that say it (Qt before 6.8).
  std::vector<std::string> m_announcements;
  std::size_t m_nextAnnouncement = 0;
};
