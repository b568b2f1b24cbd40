// The settings store: Qt's settings class works on a scratch copy, and the
// player's file is reached only through the safe reader and writer.
#include "platform/files/settings_store.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <cstdlib>

namespace {

const std::string kFile1 = "Recent File List/File1";
const std::string kFile2 = "Recent File List/File2";
const std::string kFile3 = "Recent File List/File3";
const std::string kFile4 = "Recent File List/File4";
const std::string kPages = "Settings/PreviewPages";

struct stat Stat(const QString& path) {
  struct stat st {};
  ::stat(path.toUtf8().constData(), &st);
  return st;
}

// Scratch copies go to a temporary folder of the test's own, to be counted.
struct PrivateTemporaryFolder {
  PrivateTemporaryFolder() : saved(qgetenv("TMPDIR")) { qputenv("TMPDIR", folder.path().toUtf8()); }
  ~PrivateTemporaryFolder() { qputenv("TMPDIR", saved); }
  QStringList Left() const {
    return QDir(folder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden);
  }
  QTemporaryDir folder;
  QByteArray saved;
};

TEST(SettingsStore, WritesOnlyItsChangesOverWhatTheFileHoldsByThen) {
  QTemporaryDir dir;
  const QString path = dir.filePath("Kelvo.conf");
  {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(
        "[Recent%20File%20List]\nFile1=/a\nFile2=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x5)\n"
        "File3=x, y\n\n[Settings]\nPreviewPages=0\n");
  }
  const PrivateTemporaryFolder temporary;
  SettingsStore store;
  std::string why;
  ASSERT_TRUE(store.Load(path.toStdString(), {kFile1, kFile2, kFile3, kFile4, kPages}, &why))
      << why;
  EXPECT_EQ(store.Value(kFile1), "/a");
  // A number and a list: there, but no file names.
  EXPECT_TRUE(store.Has(kFile2) && store.Has(kFile3));
  EXPECT_EQ(store.Value(kFile2), std::nullopt);
  EXPECT_EQ(store.Value(kFile3), std::nullopt);
  EXPECT_FALSE(store.Has(kFile4));

  // Another program writes the file meanwhile.
  {
    QSettings other(path, QSettings::IniFormat);
    other.setValue("Other/Kept", "yes");
    other.setValue(QString::fromStdString(kFile1), "/b");
  }
  // A save killed midway, long ago, left its scratch copy.
  ASSERT_TRUE(QDir(temporary.folder.path()).mkpath("kelvo-settings-2147483647-Ab12Cd/x"));
  const std::string bytes = "/tmp/\xff\xfe name\x80";
  store.Set(kFile4, bytes);
  store.Remove(kFile3);
  store.Set(kPages, "0");
  ASSERT_TRUE(store.Save(&why)) << why;
  {
    QSettings after(path, QSettings::IniFormat);
    EXPECT_EQ(after.value("Other/Kept").toString(), "yes");
    EXPECT_EQ(after.value(QString::fromStdString(kFile1)).toString(), "/b");
    EXPECT_EQ(after.value(QString::fromStdString(kFile2)).toInt(), 5);
    EXPECT_FALSE(after.contains(QString::fromStdString(kFile3)));
    EXPECT_EQ(after.value(QString::fromStdString(kFile4)).toByteArray(),
              QByteArray::fromStdString(bytes));
  }
  EXPECT_FALSE(QFile::exists(path + ".lock"));
  EXPECT_TRUE(temporary.Left().isEmpty()) << temporary.Left().join(' ').toStdString();

  // What the file holds already is not written again.
  const struct stat before = Stat(path);
  store.Set(kFile1, "/b");
  ASSERT_TRUE(store.Save(&why)) << why;
  const struct stat after = Stat(path);
  EXPECT_TRUE(after.st_ino == before.st_ino && after.st_mtim.tv_nsec == before.st_mtim.tv_nsec &&
              after.st_mtim.tv_sec == before.st_mtim.tv_sec)
      << "rewritten though nothing changed";
}

TEST(SettingsStore, AFileQtCannotReadWhollyIsLeftAsItIs) {
  QTemporaryDir dir;
  const QString path = dir.filePath("Kelvo.conf");
  // A line that is no "key=value" would vanish from Qt's rewrite.
  const QByteArray bytes = "[Settings]\nPreviewPages=0\nnot a setting\n";
  {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
  }
  SettingsStore store;
  std::string why;
  EXPECT_FALSE(store.Load(path.toStdString(), {kPages}, &why));
  EXPECT_NE(why.find("INI layout"), std::string::npos) << why;
  store.Set(kFile1, "/a");
  EXPECT_TRUE(store.Save(&why));
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), bytes);
}

}  // namespace
