#include "platform/interface/app_resources.h"

namespace {
AppResources g_resources;
}  // namespace

void SetAppResources(const AppResources& resources) {
  g_resources = resources;
  if (!g_resources.title) g_resources.title = "";
}

const char* AfxAppTitle() { return g_resources.title; }

const DialogTemplate* FindDialogTemplate(UINT id) {
  for (const DialogTemplate& t : g_resources.dialogs)
    if (t.id == id) return &t;
  return nullptr;
}
