// The document reads nothing and writes an empty file; what cannot be opened
// or saved is reported and changes nothing, and no file's data is lost.
#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdlib>
#include <cstring>

#include "app/MyKelvoDoc.h"
#include "app/RecentFileList.h"
#include "platform/files/safe_file.h"
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
struct stat Stat(const std::string& path) {
  struct stat st {};
  ::stat(path.c_str(), &st);
  return st;
}

// Runs `body` as an ordinary user: as nobody in a child process when the
// suite runs as root (as CI does), as ourselves otherwise.  The body
// returns what went wrong, empty when nothing did.
std::string AsOrdinaryUser(const std::function<std::string()>& body) {
  if (::geteuid() != 0) return body();
  const passwd* nobody = ::getpwnam("nobody");
  if (!nobody) return "no user nobody";
  const group* nogroup = ::getgrnam("nogroup");
  const uid_t uid = nobody->pw_uid;
  const gid_t gid = nogroup ? nogroup->gr_gid : nobody->pw_gid;
  int report[2];
  if (::pipe(report) != 0) return "no pipe";
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(report[0]);
    std::string failure = "could not become nobody";
    if (::setgroups(0, nullptr) == 0 && ::setresgid(gid, gid, gid) == 0 &&
        ::setresuid(uid, uid, uid) == 0)
      failure = body();
    if (::write(report[1], failure.data(), failure.size()) < 0) ::_exit(2);
    ::_exit(0);
  }
  ::close(report[1]);
  std::string failure;
  char buffer[512];
  for (ssize_t n; (n = ::read(report[0], buffer, sizeof buffer)) > 0;) failure.append(buffer, n);
  ::close(report[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return "the child failed: " + failure;
  return failure;
}
}  // namespace

TEST(Document, OpeningTakesTheNameAndReadsNothing) {
  QTemporaryDir dir;
  const std::string path = Write(dir.path() + "/round.kelv", "not a game file at all");
  CMyKelvoDoc doc;
  std::string error;
  ASSERT_TRUE(doc.OnOpenDocument(path, &error)) << error;
  EXPECT_EQ(doc.GetTitle(), "round.kelv");
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(RecentFileList::Instance().Files().front(), path);
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

TEST(Document, AFullDiskLeavesTheOldContentsWholeAndSaysSo) {
  if (::geteuid() != 0) GTEST_SKIP() << "mounting a small tmpfs needs root";
  QTemporaryDir dir;
  const std::string disk = dir.path().toStdString();
  if (::mount("kelvo-test", disk.c_str(), "tmpfs", 0, "size=256k") != 0)
    GTEST_SKIP() << "no tmpfs could be mounted: " << std::strerror(errno);
  const struct Unmount {
    std::string at;
    ~Unmount() { ::umount(at.c_str()); }
  } unmount{disk};
  const QByteArray old(100000, 'o');
  const std::string linked = Write(dir.path() + "/linked", old);
  const std::string single = Write(dir.path() + "/single", old);
  ASSERT_EQ(::link(linked.c_str(), (disk + "/other").c_str()), 0);
  // 200 kB more fits nowhere: not beside the old file, not over it in place.
  const std::string larger(200000, 'n');
  std::string why;
  for (const std::string& path : {linked, single}) {
    EXPECT_FALSE(ReplaceFileContents(path, larger, &why)) << path;
    EXPECT_EQ(why, "the disk is full; the file was left as it was");
    EXPECT_EQ(Read(path), old) << path;
  }
  ::unlink(single.c_str());
  EXPECT_TRUE(ReplaceFileContents(linked, larger, &why)) << why;
  EXPECT_EQ(Read(disk + "/other"), QByteArray::fromStdString(larger));
}

TEST(Document, SaveKeepsTheAclAndAttributesAndWidensNoPermission) {
  // On the build folder's file system, which keeps ACLs.
  QTemporaryDir dir(KELVO_BINARY_DIR "/acl-test-XXXXXX");
  if (!dir.isValid()) GTEST_SKIP() << "no folder can be made in the build folder";
  const std::string shared = Write(dir.path() + "/shared.txt", "old");
  const std::string plain = Write(dir.path() + "/plain.txt", "old");
  ::chmod(plain.c_str(), 0644);
  // The folder's default ACL would let daemon into a new file: not into a
  // file saved over one that let daemon in as little as a plain 0644 does.
  const std::string setfacl = "setfacl -m u:daemon:rw " + shared +
                              " && setfacl -d -m u:daemon:rw " + dir.path().toStdString() +
                              " 2>/dev/null";
  if (std::system(setfacl.c_str()) != 0)
    GTEST_SKIP() << "setfacl is missing or this file system keeps no ACLs";
  const bool userAttributes = ::setxattr(shared.c_str(), "user.kelvo", "kept", 4, 0) == 0;
  auto attribute = [](const std::string& path, const char* name) {
    char value[256];
    const ssize_t size = ::getxattr(path.c_str(), name, value, sizeof value);
    return size < 0 ? std::string() : std::string(value, static_cast<std::size_t>(size));
  };
  const std::string acl = attribute(shared, "system.posix_acl_access");
  const struct stat before = Stat(shared);
  std::string why;
  ASSERT_TRUE(ReplaceFileContents(shared, "new", &why)) << why;
  EXPECT_EQ(attribute(shared, "system.posix_acl_access"), acl);
  EXPECT_EQ(Stat(shared).st_mode, before.st_mode);
  if (userAttributes) {
    EXPECT_EQ(attribute(shared, "user.kelvo"), "kept");
  }
  // Still a new file renamed over the old one, not the old one rewritten.
  EXPECT_NE(Stat(shared).st_ino, before.st_ino);
  ASSERT_TRUE(ReplaceFileContents(plain, "new", &why)) << why;
  EXPECT_EQ(attribute(plain, "system.posix_acl_access"), "");
  EXPECT_EQ(Stat(plain).st_mode & 07777, 0644u);
}

TEST(Document, PipesDevicesAndFoldersAreRefusedAtOnceWithOneMessage) {
  QTemporaryDir dir;
  FifoWatchdog fifo((dir.path() + "/pipe").toStdString());
  ASSERT_TRUE(fifo.Created());
  ScriptedModalUI modal;
  for (const auto& [path, kind] : {std::pair{fifo.Path(), "it is a named pipe"},
                                   {"/dev/null", "it is a device"},
                                   {dir.path().toStdString(), "it is a folder"}}) {
    CMyKelvoDoc doc;
    std::string error;
    fifo.Arm();
    EXPECT_FALSE(doc.OnOpenDocument(path, &error)) << path;
    EXPECT_FALSE(fifo.Disarm()) << "opening blocked on " << path;
    EXPECT_NE(error.find(std::string(kind) + ", not a regular file"), std::string::npos) << error;

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

TEST(Document, SaveWritesOnlyWhatThePlayerMayAndKeepsOwnerModeAndLinks) {
  QTemporaryDir dir;
  const std::string folder = dir.path().toStdString();
  // A folder anyone may write to, holding a file of root's: the rename that
  // replaces a file needs only the folder's permission, not the file's.
  ASSERT_EQ(::chmod(folder.c_str(), 0777), 0);
  const bool root = ::geteuid() == 0;
  const std::string roots = folder + "/roots.txt";
  const std::string closed = folder + "/closed";
  ASSERT_TRUE(QDir().mkdir(QString::fromStdString(closed)));
  const std::string inClosed = closed + "/mine.txt";
  if (root) {
    Write(QString::fromStdString(roots), "root's own");
    ASSERT_EQ(::chmod(roots.c_str(), 0644), 0);
    // A file the player owns in a folder where they may create nothing.
    Write(QString::fromStdString(inClosed), "in a closed folder");
    const passwd* nobody = ::getpwnam("nobody");
    ASSERT_NE(nobody, nullptr);
    ASSERT_EQ(::chown(inClosed.c_str(), nobody->pw_uid, static_cast<gid_t>(-1)), 0);
  }

  const std::string failure = AsOrdinaryUser([&]() -> std::string {
    std::string why;
    std::string failures;
    auto expect = [&](bool ok, const std::string& what) {
      if (!ok) failures += what + " (" + why + "); ";
    };
    ::umask(027);
    const std::string readOnly = folder + "/read-only.txt";
    Write(QString::fromStdString(readOnly), "keep me");
    ::chmod(readOnly.c_str(), 0444);
    expect(!ReplaceFileContents(readOnly, {}, &why), "a read-only file was saved");
    expect(why.find("read-only") != std::string::npos, "no word of read-only");
    expect(Read(readOnly) == "keep me", "the read-only file changed");

    if (root) {
      expect(!ReplaceFileContents(roots, {}, &why), "root's file was saved");
      expect(why.find("may not write") != std::string::npos, "no reason given");
      expect(Stat(roots).st_uid == 0 && Read(roots) == "root's own", "root's file changed");
    }

    const std::string linked = folder + "/linked.txt";
    const std::string other = folder + "/other-name.txt";
    Write(QString::fromStdString(linked), "shared");
    ::chmod(linked.c_str(), 0604);
    ::link(linked.c_str(), other.c_str());
    const ino_t inode = Stat(linked).st_ino;
    expect(ReplaceFileContents(linked, "new", &why), "the linked file was not saved");
    expect(Stat(linked).st_ino == inode && Stat(other).st_ino == inode, "the links were split");
    expect(Stat(linked).st_nlink == 2 && Read(other) == "new", "the other name lost it");
    expect((Stat(linked).st_mode & 07777) == 0604, "the mode changed");

    const std::string fresh = folder + "/fresh.txt";
    expect(ReplaceFileContents(fresh, {}, &why), "a new file was not saved");
    expect((Stat(fresh).st_mode & 07777) == 0640, "a new file ignores the umask");

    if (!root) {
      Write(QString::fromStdString(inClosed), "in a closed folder");
      ::chmod(closed.c_str(), 0555);
    }
    const ino_t closedInode = Stat(inClosed).st_ino;
    expect(ReplaceFileContents(inClosed, {}, &why), "a file in a closed folder was not saved");
    expect(Stat(inClosed).st_ino == closedInode && Read(inClosed).isEmpty(),
           "the file in the closed folder was not written in place");
    expect(!ReplaceFileContents(closed + "/new.txt", {}, &why), "a file appeared");
    expect(why == "you may not create files in the folder \"" + closed + "\"",
           "the folder is not named");
    ::chmod(closed.c_str(), 0755);
    return failures;
  });
  EXPECT_EQ(failure, "");
}

TEST(Document, ASaveKeepsTheOldFileWholeUntilDoneLeavesNoTemporaryAndClearsStaleOnes) {
  QTemporaryDir dir;
  const std::string folder = dir.path().toStdString();
  // A process that is surely gone, and one that is surely alive (init).
  const pid_t gone = ::fork();
  if (gone == 0) ::_exit(0);
  ::waitpid(gone, nullptr, 0);
  const std::string stale = ".kelvo-save-" + std::to_string(gone) + "-aB3dE9";
  const std::vector<std::string> kept = {
      ".kelvo-save-1-aB3dE9", ".kelvo-save-" + std::to_string(gone) + "-link00",
      ".kelvo-save-aB3dE9", "kelvo-save-" + std::to_string(gone) + "-aB3dE9"};
  Write(QString::fromStdString(folder + "/" + stale), "left by a killed save");
  for (const std::string& name : kept) Write(QString::fromStdString(folder + "/" + name), "");
  ::unlink((folder + "/" + kept[1]).c_str());
  ASSERT_EQ(::symlink("elsewhere", (folder + "/" + kept[1]).c_str()), 0);
  auto ours = [&] {
    QStringList names = QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System);
    names.removeIf([](const QString& n) { return !n.startsWith(".kelvo-save-"); });
    names.sort();
    return names;
  };

  // While a save is under way its new contents have no name where the file
  // system can make unnamed files, so a killed save leaves nothing.
  const int probe = ::open(folder.c_str(), O_TMPFILE | O_WRONLY, 0600);
  const bool unnamedFiles = probe >= 0;
  if (probe >= 0) ::close(probe);
  // Until the new contents are in place the old ones are there whole.
  const QByteArray old = "the old contents, all of them";
  const std::string path = Write(dir.path() + "/round.kelv", old);
  QStringList during;
  QByteArray seenBeforeRename;
  std::string why;
  ASSERT_TRUE(ReplaceFileContents(path, "new", &why, [&] {
    during = ours();
    seenBeforeRename = Read(path);
    return true;
  })) << why;
  EXPECT_EQ(seenBeforeRename, old);
  EXPECT_EQ(Read(path), QByteArray("new"));
  QStringList left = {QString::fromStdString(kept[0]), QString::fromStdString(kept[1]),
                      QString::fromStdString(kept[2])};
  left.sort();
  EXPECT_EQ(ours(), left) << "the stale temporary stays, or one of the others went";
  if (unnamedFiles) {
    EXPECT_EQ(during, left) << "a temporary had a name during the save";
  }
  EXPECT_TRUE(QFile::exists(QString::fromStdString(folder + "/" + kept[3])));
}
