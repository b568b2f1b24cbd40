// A desktop's logout sends SIGTERM: the game ends as Alt+F4 ends it, and
// what changed in the settings is saved.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <csignal>

TEST(TerminationSignal, EndsTheGameAsClosingItsWindowDoesAndSavesTheSettings) {
  QTemporaryDir dir;
  const QString document = dir.filePath("round.kelv");
  QFile(document).open(QIODevice::WriteOnly);
  QProcess game;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("XDG_CONFIG_HOME", dir.path());
  environment.insert("QT_QPA_PLATFORM", "offscreen");
  environment.insert("KELVO_REPORT_WINDOW", "1");
  game.setProcessEnvironment(environment);
  game.setReadChannel(QProcess::StandardError);
  game.start(KELVO_PROGRAM, {document});
  ASSERT_TRUE(game.waitForStarted());
  // The window is up once it reports where it is.
  QByteArray said;
  while (!said.contains("kelvo-window") && game.waitForReadyRead(20000))
    said += game.readAllStandardError();
  ASSERT_TRUE(said.contains("kelvo-window")) << said.toStdString();
  ::kill(static_cast<pid_t>(game.processId()), SIGTERM);
  ASSERT_TRUE(game.waitForFinished(20000));
  EXPECT_EQ(game.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(game.exitCode(), 0);
  // Opening the document put it first in the recent-file list.
  const QSettings settings(dir.filePath("Local AppWizard-Generated Applications/Kelvo.conf"),
                           QSettings::IniFormat);
  EXPECT_EQ(settings.value("Recent File List/File1").toString(), document);
}
