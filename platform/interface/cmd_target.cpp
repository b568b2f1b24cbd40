#include "platform/interface/cmd_target.h"

bool CommandRouter::IsEnabled(UINT id) const {
  bool handled = false;
  for (const CCmdTarget* t : m_targets) {
    if (t->HasCommand(id)) {
      handled = true;
      break;
    }
  }
  if (!handled) return false;
  for (const CCmdTarget* t : m_targets) {
    if (t->HasUpdateRule(id)) {
      CCmdUI ui(id);
      t->RunUpdateRule(id, &ui);
      return ui.m_bEnabled;
    }
  }
  return true;
}

bool CommandRouter::Execute(UINT id) const {
  if (!IsEnabled(id)) return false;
  for (const CCmdTarget* t : m_targets) {
    if (t->HasCommand(id)) {
      t->RunCommand(id);
      return true;
    }
  }
  return false;
}
