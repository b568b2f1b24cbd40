// The application tests' entry: one QApplication for the whole run, on the
// offscreen platform unless told otherwise, so widgets, fonts and printing
// work without a display, with the Qt implementation installed as the
// program installs it.  Settings go to a private folder so the suite never
// touches the user's own.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <cstdlib>

#include "platform/qt/qt_platform.h"
#include "platform/window_system/session_bus.h"
#include "res/app_resources.h"
#include "res/main_menu.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QTemporaryDir configHome;
  setenv("XDG_CONFIG_HOME", configHome.path().toUtf8().constData(), 1);
  // As the game does: the tests run on a real X server too, and no session
  // bus daemon may be started for them and left behind.
  ChooseSessionBus(std::chrono::seconds(3));
  QApplication app(argc, argv);
  QtPlatform platform;
  QCoreApplication::setOrganizationName(QStringLiteral("Local AppWizard-Generated Applications"));
  QCoreApplication::setApplicationName(QString::fromLatin1(kAppTitle));
  // What the program hands the platform at start-up, for the tests that run
  // dialogs and message boxes without an application object.
  SetAppResources(KelvoAppResources());
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
