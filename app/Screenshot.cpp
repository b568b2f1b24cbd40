#include "app/Screenshot.h"

#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>

#include "game/MyKelvoView.h"
#include "platform/interface/translation.h"
#include "platform/qt/view_image.h"

int SaveOpeningScreenshot(int argc, char** argv, const CommandLine& cl) {
  // No display is needed: the offscreen platform has fonts and images.
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication qapp(argc, argv);
  CMyKelvoView view;
  if (!SaveViewImage(view, cl.width, cl.height, cl.screenshotPath)) {
    std::fprintf(stderr, _("kelvo: cannot write the screenshot to '%s'\n"),
                 cl.screenshotPath.c_str());
    return 1;
  }
  return 0;
}
