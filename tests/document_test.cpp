// The document reads nothing and writes an empty file; what cannot be opened
// or saved is reported and changes nothing, and no file's data is lost.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>

#include "app/MyKelvoDoc.h"
#include "app/RecentFileList.h"
#include "app/SafeFile.h"
#include "support/fifo_watchdog.h"
#include "support/scripted_modal_ui.h"

namespace {
std::string Write(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly)) return {};
  f.write(bytes);
  f.close();
  return path.toStdString();
}
QByteArray Read(const std::string& path) {
  QFile f(QString::fromStdString(path));
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(unreadable)");
}
}  // namespace

TEST(Document, OpeningTakesTheNameAndReadsNothing) {
  QTemporaryDir dir;
  const std::string path = (dir.path() + "/round.kelv").toStdString();
  QFile f(QString::fromStdString(path));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("not a game file at all");
  f.close();

  CMyKelvoDoc doc;
  std::string error;
  ASSERT_TRUE(doc.OnOpenDocument(path, &error)) << error;
  EXPECT_EQ(doc.GetTitle(), "round.kelv");
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(RecentFileList::Instance().Files().front(), path);
}

TEST(Document, WhatCannotBeOpenedIsReportedAndChangesNothing) {
  QTemporaryDir dir;
  CMyKelvoDoc doc;
  std::string error;
  EXPECT_FALSE(doc.OnOpenDocument(dir.path().toStdString(), &error));
  EXPECT_NE(error.find("folder"), std::string::npos);
  error.clear();
  EXPECT_FALSE(doc.OnOpenDocument((dir.path() + "/missing").toStdString(), &error));
  EXPECT_NE(error.find("missing"), std::string::npos);
  EXPECT_EQ(doc.GetTitle(), "Untitled");
}

TEST(Document, SaveWritesAnEmptyFileAndFailuresAreReported) {
  QTemporaryDir dir;
  ScriptedModalUI modal;
  CMyKelvoDoc doc;

  modal.chosenFile = (dir.path() + "/saved.kelv").toStdString();
  doc.OnFileSave();
  ASSERT_EQ(modal.fileDialogs.size(), 1u);
  EXPECT_TRUE(modal.fileDialogs[0].first);
  EXPECT_EQ(modal.fileDialogs[0].second, "Save As");
  EXPECT_EQ(QFileInfo(QString::fromStdString(modal.chosenFile)).size(), 0);
  EXPECT_EQ(doc.GetTitle(), "saved.kelv");

  // Saved once, the next save asks no name.
  doc.OnFileSave();
  EXPECT_EQ(modal.fileDialogs.size(), 1u);
  EXPECT_TRUE(modal.boxes.empty());

  // A folder that does not exist, and a read-only file system (where even
  // root cannot create a file), and a folder in place of a file.
  for (const std::string& bad : {dir.path().toStdString() + "/no/such/folder/x.kelv",
                                 std::string("/proc/kelvo-test.kelv"), dir.path().toStdString()}) {
    CMyKelvoDoc fresh;
    modal.chosenFile = bad;
    modal.boxes.clear();
    fresh.OnFileSave();
    ASSERT_EQ(modal.boxes.size(), 1u) << bad;
    EXPECT_EQ(modal.boxes[0].caption, "Kelvo");
    EXPECT_EQ(modal.boxes[0].style, static_cast<UINT>(MB_ICONEXCLAMATION));
    EXPECT_EQ(fresh.GetTitle(), "Untitled") << bad;
  }

  // Cancelling the file dialog does nothing.
  CMyKelvoDoc cancelled;
  modal.chosenFile.clear();
  modal.boxes.clear();
  cancelled.OnFileSave();
  EXPECT_TRUE(modal.boxes.empty());
  EXPECT_EQ(cancelled.GetTitle(), "Untitled");
}

TEST(Document, SavingAnOpenedFileThatHoldsDataAsksAndCancelKeepsIt) {
  QTemporaryDir dir;
  const QByteArray notes = "my own notes\n";
  const std::string path = Write(dir.path() + "/notes.txt", notes);
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  // Saved through a link, the link stays and its file is the one saved.
  const std::string link = (dir.path() + "/link.txt").toStdString();
  ASSERT_EQ(::symlink(path.c_str(), link.c_str()), 0);

  ScriptedModalUI modal;
  CMyKelvoDoc doc;
  std::string error;
  ASSERT_TRUE(doc.OnOpenDocument(link, &error)) << error;
  modal.boxAnswer = IDCANCEL;
  doc.OnFileSave();
  ASSERT_EQ(modal.boxes.size(), 1u);
  EXPECT_EQ(modal.boxes[0].style, static_cast<UINT>(MB_OKCANCEL | MB_ICONQUESTION));
  EXPECT_NE(modal.boxes[0].text.find("link.txt"), std::string::npos);
  EXPECT_EQ(Read(path), notes);
  EXPECT_TRUE(modal.fileDialogs.empty());

  modal.boxAnswer = IDOK;
  doc.OnFileSave();
  ASSERT_EQ(modal.boxes.size(), 2u);
  EXPECT_EQ(Read(path), QByteArray());
  EXPECT_TRUE(QFileInfo(QString::fromStdString(link)).isSymLink());
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);

  // Now empty, it is saved again without a question.
  doc.OnFileSave();
  EXPECT_EQ(modal.boxes.size(), 2u);
}

TEST(Document, AnInterruptedSaveLeavesTheOldFileWhole) {
  QTemporaryDir dir;
  const QByteArray old = "the old contents, all of them";
  const std::string path = Write(dir.path() + "/kept.txt", old);
  QByteArray seenBeforeRename;
  std::string why;
  ASSERT_TRUE(ReplaceFileContents(path, "new", &why, [&] { seenBeforeRename = Read(path); }))
      << why;
  EXPECT_EQ(seenBeforeRename, old);
  EXPECT_EQ(Read(path), QByteArray("new"));
  // No temporary file is left beside it.
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST(Document, PipesDevicesAndFoldersAreRefusedAtOnceWithOneMessage) {
  QTemporaryDir dir;
  FifoWatchdog fifo((dir.path() + "/pipe").toStdString());
  ASSERT_TRUE(fifo.Created());
  ScriptedModalUI modal;
  for (const std::string& path :
       {fifo.Path(), std::string("/dev/null"), dir.path().toStdString()}) {
    CMyKelvoDoc doc;
    std::string error;
    fifo.Arm();
    EXPECT_FALSE(doc.OnOpenDocument(path, &error)) << path;
    EXPECT_FALSE(fifo.Disarm()) << "opening blocked on " << path;
    EXPECT_NE(error.find("not a regular file"), std::string::npos) << error;

    modal.chosenFile = path;
    modal.boxes.clear();
    fifo.Arm();
    doc.OnFileSave();
    EXPECT_FALSE(fifo.Disarm()) << "saving blocked on " << path;
    ASSERT_EQ(modal.boxes.size(), 1u) << path;
    EXPECT_NE(modal.boxes[0].text.find("not a regular file"), std::string::npos);
    EXPECT_EQ(doc.GetTitle(), "Untitled");
  }
  struct stat st {};
  ASSERT_EQ(::stat(fifo.Path().c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode)) << "the pipe was replaced";
}

TEST(RecentFiles, KeepsFourNewestFirstAndSurvivesARoundTrip) {
  RecentFileList& list = RecentFileList::Instance();
  list.Clear();
  for (const char* f : {"a", "b", "c", "d", "e", "c"}) list.Add(f);
  EXPECT_EQ(list.Files(), (std::vector<std::string>{"c", "e", "d", "b"}));
  list.Save();
  {
    QSettings settings;
    EXPECT_EQ(settings.value("Recent File List/File1").toString(), QStringLiteral("c"));
    EXPECT_EQ(settings.value("Recent File List/File4").toString(), QStringLiteral("b"));
  }
  list.Clear();
  list.Load();
  EXPECT_EQ(list.Files(), (std::vector<std::string>{"c", "e", "d", "b"}));
}
