#include "app/Screenshot.h"

#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>

#include "game/MyKelvoView.h"
#include "platform/drawing/view_image.h"
#include "platform/files/bounded_call.h"
#include "platform/files/safe_file.h"
#include "platform/language/translation.h"

bool WriteOpeningScreenshot(const std::string& path, int width, int height, std::string* why) {
  CMyKelvoView view;
  const std::optional<std::string> png = DrawViewAsPng(view, width, height);
  if (!png) {
    *why = _("the picture could not be made");
    return false;
  }
  return CallFileOperation(
      [path, png = *png](std::string* reason, CommitGate& gate) {
        return ReplaceFileContents(path, png, reason, [&gate] { return gate.Enter(); });
      },
      why);
}

int SaveOpeningScreenshot(int argc, char** argv, const CommandLine& cl) {
  // No display is needed: the offscreen platform has fonts and images.
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication qapp(argc, argv);
  std::string why;
  if (!WriteOpeningScreenshot(cl.screenshotPath, cl.width, cl.height, &why)) {
    std::fprintf(stderr, _("kelvo: cannot write the screenshot to \"%s\": %s\n"),
                 cl.screenshotPath.c_str(), why.c_str());
    return 1;
  }
  return 0;
}
