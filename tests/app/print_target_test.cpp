// Print to File: the certificate goes only to a regular file the player may
// write, whatever name was typed, and neither the print dialog nor the job
// ever waits on a named pipe.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include "game/MyKelvoView.h"
#include "platform/interface/modal_ui.h"
#include "platform/interface/print_info.h"
#include "platform/qt/print_loop.h"
#include "support/fifo_watchdog.h"
#include "support/qt/print_to_file_ui.h"

namespace {

QByteArray Head(const std::string& path) {
  QFile f(QFile::decodeName(path.c_str()));
  return f.open(QIODevice::ReadOnly) ? f.read(5) : QByteArray();
}

TEST(PrintToFile, OnlyARegularFileThePlayerMayWriteIsPrintedTo) {
  QTemporaryDir dir;
  const std::string folder = dir.path().toStdString();
  FifoWatchdog fifo(folder + "/pipe");
  ASSERT_TRUE(fifo.Created());
  CMyKelvoView view;
  view.m_nGameState = kStateGameOver;
  PrintToFileUI modal;

  const std::string readOnly = folder + "/read-only.pdf";
  QFile(QString::fromStdString(readOnly)).open(QIODevice::WriteOnly);
  ::chmod(readOnly.c_str(), 0444);
  std::vector<std::pair<std::string, std::string>> refused = {
      {fifo.Path(), "named pipe"},
      {"/dev/null", "device"},
      {folder, "folder"},
      {folder + "/missing/certificate.pdf", "the folder \"" + folder + "/missing\" does not exist"},
  };
  // Root may write any file.
  if (::geteuid() != 0) refused.push_back({readOnly, "read-only"});
  for (const auto& [target, reason] : refused) {
    modal.target = target;
    modal.boxes.clear();
    fifo.Arm();
    view.OnFilePrint();
    EXPECT_FALSE(fifo.Disarm()) << "printing waited on " << target;
    ASSERT_EQ(modal.boxes.size(), 1u) << target;
    EXPECT_EQ(modal.boxes[0].text.rfind("Cannot print to \"" + target + "\": ", 0), 0u)
        << modal.boxes[0].text;
    EXPECT_NE(modal.boxes[0].text.find(reason), std::string::npos) << modal.boxes[0].text;
  }
  struct stat st {};
  ASSERT_EQ(::lstat(fifo.Path().c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
  EXPECT_EQ(Head(readOnly), QByteArray());

  // A new file, an existing one (its mode kept) and one behind a link (the
  // link kept) get the page.
  const std::string kept = folder + "/kept.pdf";
  QFile(QString::fromStdString(kept)).open(QIODevice::WriteOnly);
  ::chmod(kept.c_str(), 0600);
  const std::string link = folder + "/link.pdf";
  ASSERT_EQ(::symlink("behind-link.pdf", link.c_str()), 0);
  QFile(QString::fromStdString(folder + "/behind-link.pdf")).open(QIODevice::WriteOnly);
  for (const std::string& target : {folder + "/new.pdf", kept, link}) {
    modal.target = target;
    modal.boxes.clear();
    view.OnFilePrint();
    EXPECT_TRUE(modal.boxes.empty()) << modal.boxes[0].text;
    EXPECT_EQ(Head(target), QByteArray("%PDF-")) << target;
  }
  ASSERT_EQ(::stat(kept.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0600u);
  ASSERT_EQ(::lstat(link.c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
}

TEST(PrintToFile, ThePrintDialogRefusesAPipeWithoutWaitingOnIt) {
  QTemporaryDir dir;
  FifoWatchdog fifo((dir.path() + "/pipe").toStdString());
  ASSERT_TRUE(fifo.Created());

  // Plays the player: picks Print to File, types the pipe's name, presses
  // Print; then closes whatever message comes up, and the dialog.
  std::vector<QString> messages;
  bool typed = false;
  QTimer player;
  QObject::connect(&player, &QTimer::timeout, [&] {
    QWidget* active = QApplication::activeModalWidget();
    if (auto* box = qobject_cast<QMessageBox*>(active)) {
      messages.push_back(box->text());
      box->reject();
    } else if (auto* dialog = qobject_cast<QPrintDialog*>(active)) {
      if (typed) {
        dialog->reject();
        return;
      }
      typed = true;
      auto* printers = dialog->findChild<QComboBox*>(QStringLiteral("printers"));
      auto* fileName = dialog->findChild<QLineEdit*>(QStringLiteral("filename"));
      auto* buttons = dialog->findChild<QDialogButtonBox*>();
      ASSERT_TRUE(printers && fileName && buttons);
      printers->setCurrentIndex(printers->count() - 1);
      fileName->setText(QString::fromStdString(fifo.Path()));
      // Pressed once this tick is over: a message box it opens must not
      // run inside the tick, where the ticks stop.
      QMetaObject::invokeMethod(buttons->button(QDialogButtonBox::Ok), "click",
                                Qt::QueuedConnection);
    }
  });
  player.start(20);
  fifo.Arm();
  CPrintInfo info;
  const BOOL accepted = ModalUI().PreparePrinting(info);
  EXPECT_FALSE(fifo.Disarm()) << "the dialog waited on the pipe";
  EXPECT_FALSE(accepted);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].indexOf(QStringLiteral("named pipe")), -1) << messages[0].toStdString();
}

}  // namespace
