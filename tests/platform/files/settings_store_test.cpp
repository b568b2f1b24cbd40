// The settings store: Qt's settings class works on a scratch copy, and the
// player's file is reached only through the safe reader and writer.
#include "platform/files/settings_store.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

TEST(SettingsStore, WritesOnlyChangesOverWhatTheFileHoldsByThenAndLeavesNothingBehind) {
  const std::string list = "Recent File List/File", pages = "Settings/PreviewPages";
  QTemporaryDir dir;
  const QString path = dir.filePath("Kelvo.conf");
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  // File2 holds a number, File3 a list: there, but no file names.
  file.write(
      "[Recent%20File%20List]\nFile1=/a\nFile2=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x5)\n"
      "File3=x, y\n\n[Settings]\nPreviewPages=0\n");
  file.close();
  // Scratch copies go to a temporary folder of the test's own, where a save
  // killed long ago left one.
  QTemporaryDir temporary;
  const QByteArray savedTemporary = qgetenv("TMPDIR");
  qputenv("TMPDIR", temporary.path().toUtf8());
  ASSERT_TRUE(QDir(temporary.path()).mkpath("kelvo-settings-2147483647-Ab12Cd/x"));

  SettingsStore store;
  std::string why;
  ASSERT_TRUE(
      store.Load(path.toStdString(), {list + "1", list + "2", list + "3", list + "4", pages}, &why))
      << why;
  EXPECT_EQ(store.Value(list + "1"), "/a");
  EXPECT_TRUE(store.Has(list + "2") && store.Has(list + "3") && !store.Has(list + "4"));
  EXPECT_EQ(store.Value(list + "3"), std::nullopt);
  {
    // Another program writes the file meanwhile.
    QSettings other(path, QSettings::IniFormat);
    other.setValue("Other/Kept", "yes");
    other.setValue("Recent File List/File1", "/b");
  }
  const std::string bytes = "/tmp/\xff\xfe name\x80";
  store.Set(list + "4", bytes);
  store.Remove(list + "3");
  store.Set(pages, "0");
  ASSERT_TRUE(store.Save(&why)) << why;
  QSettings after(path, QSettings::IniFormat);
  EXPECT_EQ(after.value("Other/Kept").toString(), "yes");
  EXPECT_EQ(after.value("Recent File List/File1").toString(), "/b");
  EXPECT_EQ(after.value("Recent File List/File2").toInt(), 5);
  EXPECT_FALSE(after.contains("Recent File List/File3"));
  EXPECT_EQ(after.value("Recent File List/File4").toByteArray(), QByteArray::fromStdString(bytes));
  EXPECT_FALSE(QFile::exists(path + ".lock"));
  EXPECT_EQ(QDir(temporary.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
            QStringList());

  // What the file holds by then already is not written again.
  struct stat before {};
  ::stat(path.toUtf8().constData(), &before);
  store.Set(list + "1", "/b");
  ASSERT_TRUE(store.Save(&why)) << why;
  struct stat now {};
  ::stat(path.toUtf8().constData(), &now);
  EXPECT_TRUE(now.st_ino == before.st_ino && now.st_mtim.tv_nsec == before.st_mtim.tv_nsec)
      << "rewritten though nothing changed";
  qputenv("TMPDIR", savedTemporary);
}
