// Command routing.  A menu item or accelerator carries a command id; each
// object that handles commands keeps a table of id -> handler and, where the
// command can be unavailable, an enable rule.  The router asks its targets in
// order (view, document, frame, application); the first that knows the id
// handles it.  A command nobody handles is disabled, and a disabled command
// is neither shown enabled nor carried out from its accelerator.
#pragma once

#include <functional>
#include <map>
#include <vector>

#include "platform/interface/win_types.h"

// What an enable rule is given: it says whether the command is available.
class CCmdUI {
 public:
  explicit CCmdUI(UINT id) : m_nID(id) {}
  void Enable(BOOL on = TRUE) {
    m_bEnabled = on != FALSE;
    m_bEnableChanged = true;
  }
  UINT m_nID;
  bool m_bEnabled = true;
  bool m_bEnableChanged = false;
};

class CCmdTarget {
 public:
  virtual ~CCmdTarget() = default;
  using Handler = std::function<void()>;
  using UpdateRule = std::function<void(CCmdUI*)>;

  void OnCommand(UINT id, Handler handler) { m_commands[id] = std::move(handler); }
  void OnUpdateCommandUI(UINT id, UpdateRule rule) { m_updates[id] = std::move(rule); }

  bool HasCommand(UINT id) const { return m_commands.count(id) != 0; }
  bool HasUpdateRule(UINT id) const { return m_updates.count(id) != 0; }
  void RunCommand(UINT id) const { m_commands.at(id)(); }
  void RunUpdateRule(UINT id, CCmdUI* ui) const { m_updates.at(id)(ui); }

 private:
  std::map<UINT, Handler> m_commands;
  std::map<UINT, UpdateRule> m_updates;
};

class CommandRouter {
 public:
  // Targets are asked in the order they were added.
  void AddTarget(CCmdTarget* target) { m_targets.push_back(target); }
  void Clear() { m_targets.clear(); }

  // Whether the command is available now: someone handles it and its enable
  // rule, if any, says yes.
  bool IsEnabled(UINT id) const;
  // Carries the command out if it is available; returns whether it ran.
  bool Execute(UINT id) const;

 private:
  std::vector<CCmdTarget*> m_targets;
};
