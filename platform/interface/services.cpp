// The services the application installs at start-up (the Qt ones:
// platform/qt/qt_platform.h), and the quiet stand-ins that answer until it
// has: a program that installs nothing (a test, a tool) shows no window,
// plays no sound and finds no resource.
#include <cstdio>
#include <utility>

#include "platform/interface/modal_ui.h"
#include "platform/interface/resources.h"
#include "platform/interface/sound_output.h"

namespace {
class NoModalUI : public IModalUI {
 public:
  // No window to show the message in: it goes to standard error instead.
  int MessageBox(const std::string& text, const std::string&, UINT) override {
    std::fprintf(stderr, "kelvo: %s\n", text.c_str());
    return IDOK;
  }
  int RunDialog(CDialog&) override { return IDCANCEL; }
  BOOL PreparePrinting(CPrintInfo&) override { return FALSE; }
};

class NoSoundOutput : public ISoundOutput {
 public:
  void Play(UINT, std::span<const unsigned char>, bool) override {}
};

class NoResources : public IResourceFinder {
 public:
  std::span<const unsigned char> Find(UINT, const char*) override { return {}; }
};

IModalUI* g_modalUI = nullptr;
ISoundOutput* g_soundOutput = nullptr;
IResourceFinder* g_resources = nullptr;
}  // namespace

IModalUI& ModalUI() {
  static NoModalUI none;
  return g_modalUI ? *g_modalUI : none;
}
IModalUI* SetModalUI(IModalUI* ui) { return std::exchange(g_modalUI, ui); }

int AfxMessageBox(const std::string& text, UINT style) {
  return ModalUI().MessageBox(text, AfxAppTitle(), style);
}

ISoundOutput& SoundOutput() {
  static NoSoundOutput none;
  return g_soundOutput ? *g_soundOutput : none;
}
ISoundOutput* SetSoundOutput(ISoundOutput* output) { return std::exchange(g_soundOutput, output); }

std::span<const unsigned char> FindResource(UINT id, const char* type) {
  static NoResources none;
  return type ? (g_resources ? *g_resources : none).Find(id, type)
              : std::span<const unsigned char>();
}
IResourceFinder* SetResourceFinder(IResourceFinder* finder) {
  return std::exchange(g_resources, finder);
}
