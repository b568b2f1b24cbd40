#include "app/DisplayStartGuard.h"

#include <QString>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/language/translation.h"

namespace {
struct HeldMessage {
  QtMsgType type;
  std::string file;
  int line;
  std::string function;
  std::string category;
  QString text;
};

std::vector<HeldMessage>& Held() {
  static std::vector<HeldMessage> held;
  return held;
}

QtMessageHandler g_passOn = nullptr;

std::string DisplaySettings() {
  std::string settings;
  for (const char* name : {"QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "DISPLAY"}) {
    if (!qEnvironmentVariableIsSet(name)) continue;
    if (!settings.empty()) settings += ", ";
    settings += std::string(name) + "=" + qgetenv(name).toStdString();
  }
  return settings;
}

[[noreturn]] void CannotOpenDisplay() {
  const std::string settings = DisplaySettings();
  std::string message =
      settings.empty() ? std::string(_("kelvo: cannot open the display"))
                       : FormattedText(_("kelvo: cannot open the display (%s)"), settings.c_str());
  message += "\n";
  for (const HeldMessage& held : Held()) {
    // That a plugin was found but did not load adds nothing to the reason
    // given just before it.
    if (held.text.contains(QLatin1String("even though it was found"))) continue;
    message += "  ";
    if (!held.category.empty() && held.category != "default") message += held.category + ": ";
    message += held.text.toStdString() + "\n";
  }
  message += FormattedText(_("kelvo: check that the display server is running and named right, "
                             "or play without a desktop: %s\n"),
                           kPlayWithoutADesktop);
  std::fputs(message.c_str(), stderr);
  std::fflush(stderr);
  // Nothing has been written yet; there is nothing to save or close.
  std::_Exit(1);
}

std::string Copy(const char* text) { return text ? std::string(text) : std::string(); }

void HoldBack(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  // A fatal message while the display is being opened is Qt giving up on
  // every platform plugin.
  if (type == QtFatalMsg) CannotOpenDisplay();
  Held().push_back({type, Copy(context.file), context.line, Copy(context.function),
                    Copy(context.category), text});
}
}  // namespace

DisplayStartGuard::DisplayStartGuard() { g_passOn = qInstallMessageHandler(HoldBack); }

DisplayStartGuard::~DisplayStartGuard() { Opened(); }

void DisplayStartGuard::Opened() {
  if (!m_armed) return;
  m_armed = false;
  qInstallMessageHandler(g_passOn);
  for (const HeldMessage& held : Held()) {
    const QMessageLogContext context(held.file.empty() ? nullptr : held.file.c_str(), held.line,
                                     held.function.empty() ? nullptr : held.function.c_str(),
                                     held.category.empty() ? nullptr : held.category.c_str());
    g_passOn(held.type, context, held.text);
  }
  Held().clear();
}
