#include "platform/modal_ui.h"

#include "platform/qt_modal_ui.h"

namespace {
IModalUI* g_installed = nullptr;
}

IModalUI& ModalUI() {
  if (g_installed) return *g_installed;
  static QtModalUI qtModalUI;
  return qtModalUI;
}

void SetModalUI(IModalUI* ui) { g_installed = ui; }

int AfxMessageBox(const std::string& text, UINT style) {
  return ModalUI().MessageBox(text, AfxAppTitle(), style);
}
