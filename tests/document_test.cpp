// The document reads nothing and writes an empty file; what cannot be opened
// or saved is reported and changes nothing.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>

#include "app/MyKelvoDoc.h"
#include "app/RecentFileList.h"
#include "support/scripted_modal_ui.h"

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
