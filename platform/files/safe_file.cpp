#include "platform/files/safe_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <random>
#include <vector>

#include "platform/language/translation.h"

namespace {

bool Fail(std::string* why, std::string reason) {
  if (why) *why = std::move(reason);
  return false;
}

// TRANSLATORS: the reasons a file could not be opened or saved end a
// sentence such as "Cannot save "x": ..."; they start in lower case.
std::string NotAFile(mode_t mode) {
  if (S_ISDIR(mode)) return _("it is a folder, not a regular file");
  if (S_ISFIFO(mode)) return _("it is a named pipe, not a regular file");
  if (S_ISSOCK(mode)) return _("it is a socket, not a regular file");
  if (S_ISCHR(mode) || S_ISBLK(mode)) return _("it is a device, not a regular file");
  return _("it is not a regular file");
}

// A file descriptor, closed when it goes out of scope.
class Fd {
 public:
  explicit Fd(int fd) : m_fd(fd) {}
  ~Fd() {
    if (m_fd >= 0) ::close(m_fd);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return m_fd; }
  explicit operator bool() const { return m_fd >= 0; }

 private:
  int m_fd;
};

bool MayAccess(const std::string& path, int mode) {
  return ::faccessat(AT_FDCWD, path.c_str(), mode, AT_EACCESS) == 0;
}

bool IsFolder(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// A folder as the player knows it: "." is no name to show.
std::string ShownFolder(const std::string& folder) {
  if (!folder.empty() && folder[0] == '/') return folder;
  char cwd[PATH_MAX];
  if (::getcwd(cwd, sizeof cwd) == nullptr) return folder;
  return folder == "." ? std::string(cwd) : std::string(cwd) + "/" + folder;
}

// The folders that lead to `path`, from the top down ("/a", "/a/b" for
// "/a/b/c").
std::vector<std::string> FoldersLeadingTo(const std::string& path) {
  std::vector<std::string> folders;
  for (std::size_t slash = path.find('/', 1); slash != std::string::npos;
       slash = path.find('/', slash + 1))
    folders.push_back(path.substr(0, slash));
  return folders;
}

// When `err` came from a folder on the way to `path` rather than from the
// file itself, which folder and how; empty otherwise.
std::string FolderProblem(const std::string& path, int err) {
  for (const std::string& folder : FoldersLeadingTo(path)) {
    struct stat st {};
    if (::stat(folder.c_str(), &st) != 0) {
      if (errno == ENOENT && err == ENOENT)
        return FormattedText(_("the folder \"%s\" does not exist"), ShownFolder(folder).c_str());
      continue;
    }
    if (!S_ISDIR(st.st_mode) && err == ENOTDIR)
      return FormattedText(_("\"%s\" is not a folder"), ShownFolder(folder).c_str());
    if (S_ISDIR(st.st_mode) && err == EACCES && !MayAccess(folder, X_OK))
      return FormattedText(_("you may not open the folder \"%s\""), ShownFolder(folder).c_str());
  }
  return {};
}

std::string ReadError(const std::string& path, int err) {
  if (std::string folder = FolderProblem(path, err); !folder.empty()) return folder;
  if (err == ENOENT) return _("there is no such file");
  if (err == EACCES) return _("you may not read it");
  return std::strerror(err);
}

// Why the new contents could not be written; the old file is still whole.
std::string WriteFailure(int err) {
  if (err == ENOSPC) return _("the disk is full; the file was left as it was");
  if (err == EDQUOT) return _("your disk quota is used up; the file was left as it was");
  return std::strerror(err);
}

// Why an existing file (`st`, when known) could not be written.
std::string WriteError(const std::string& path, int err, const struct stat* st) {
  if (std::string folder = FolderProblem(path, err); !folder.empty()) return folder;
  if (err == EACCES || err == EPERM) {
    if (st && st->st_uid == ::geteuid() && (st->st_mode & S_IWUSR) == 0)
      return _("it is read-only");
    return _("you may not write to it");
  }
  if (err == EROFS) return _("it is on a read-only file system");
  if (err == ETXTBSY) return _("it is a program that is running");
  if (err == ELOOP) return _("it was replaced by a link meanwhile");
  return std::strerror(err);
}

// Why no new file could be made in `folder`.
std::string CreateError(const std::string& folder, int err) {
  if (std::string problem = FolderProblem(folder + "/x", err); !problem.empty()) return problem;
  if (err == EACCES || err == EPERM)
    return FormattedText(_("you may not create files in the folder \"%s\""),
                         ShownFolder(folder).c_str());
  if (err == EROFS)
    return FormattedText(_("the folder \"%s\" is on a read-only file system"),
                         ShownFolder(folder).c_str());
  return WriteFailure(err);
}

// The file a link leads to (or `path` itself when it is no link).
bool ResolveLink(const std::string& path, std::string* target, std::string* why) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
    *target = path;
    return true;
  }
  char resolved[PATH_MAX];
  if (::realpath(path.c_str(), resolved) == nullptr) {
    if (errno == ENOENT) return Fail(why, _("it is a link to something that does not exist"));
    return Fail(why, ReadError(path, errno));
  }
  *target = resolved;
  return true;
}

bool WriteAllAt(int fd, std::string_view bytes, off_t offset) {
  while (!bytes.empty()) {
    const ssize_t n = ::pwrite(fd, bytes.data(), bytes.size(), offset);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = EIO;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
    offset += n;
  }
  return true;
}

void SyncFolder(const std::string& folder) {
  Fd fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd) ::fsync(fd.get());
}

using CommitCheck = std::function<bool()>;

// Whether the file may be changed now; the caller may have given up waiting.
bool MayCommit(const CommitCheck& mayCommit, std::string* why) {
  return !mayCommit || mayCommit() || Fail(why, _("it took too long, and the save was abandoned"));
}

// Temporaries of ours are named ".kelvo-save-PID-XXXXXX", PID being their
// writer's process.
constexpr std::string_view kTempPrefix = ".kelvo-save-";

std::string TemporaryName() {
  static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  thread_local std::mt19937 random{std::random_device{}()};
  std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
  std::string name = std::string(kTempPrefix) + std::to_string(::getpid()) + "-";
  for (int i = 0; i < 6; ++i) name += kLetters[pick(random)];
  return name;
}

// The process that wrote temporary `name`; nothing when it is no name of ours.
std::optional<pid_t> WriterOf(std::string_view name) {
  if (!name.starts_with(kTempPrefix)) return std::nullopt;
  name.remove_prefix(kTempPrefix.size());
  const std::size_t dash = name.find('-');
  if (dash == 0 || dash == std::string_view::npos || dash > 9 || name.size() != dash + 7)
    return std::nullopt;
  long pid = 0;
  for (char c : name.substr(0, dash)) {
    if (c < '0' || c > '9') return std::nullopt;
    pid = pid * 10 + (c - '0');
  }
  for (char c : name.substr(dash + 1))
    if (!std::isalnum(static_cast<unsigned char>(c))) return std::nullopt;
  if (pid <= 0) return std::nullopt;
  return static_cast<pid_t>(pid);
}

// A save that was killed leaves its temporary behind where the file system
// cannot make unnamed files.  Those of ours whose writer is gone are removed
// (only regular files of this user; a writer still alive is left alone).
void RemoveStaleTemporaries(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return;
  DIR* dir = ::fdopendir(fd);
  if (!dir) {
    ::close(fd);
    return;
  }
  while (const dirent* entry = ::readdir(dir)) {
    const std::optional<pid_t> writer = WriterOf(entry->d_name);
    if (!writer || *writer == ::getpid()) continue;
    if (::kill(*writer, 0) == 0 || errno != ESRCH) continue;
    struct stat st {};
    if (::fstatat(fd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
    if (!S_ISREG(st.st_mode) || st.st_uid != ::geteuid()) continue;
    ::unlinkat(fd, entry->d_name, 0);
  }
  ::closedir(dir);
}

bool ProcFdUsable() {
  static const bool usable = ::access("/proc/self/fd", X_OK) == 0;
  return usable;
}

// The new contents on their way: a file beside the target, unnamed where
// the file system allows (so a killed save leaves nothing), given a name
// only to be renamed over the target.
class TempFile {
 public:
  ~TempFile() {
    if (m_fd >= 0) ::close(m_fd);
    if (!m_name.empty()) ::unlink(m_name.c_str());
  }
  int fd() const { return m_fd; }

  // False, with errno set, when no file can be made in `folder`.
  bool Create(const std::string& folder, mode_t mode) {
    m_folder = folder;
    if (ProcFdUsable()) {
      m_fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
      if (m_fd >= 0) return true;
      if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) return false;
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
      const std::string name = folder + "/" + TemporaryName();
      // The mode is the kernel's to narrow by the umask, as for any new file.
      m_fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
      if (m_fd >= 0) {
        m_name = name;
        return true;
      }
      if (errno != EEXIST) return false;
    }
    return false;
  }

  // Puts the file in the place of `target`; false, with errno set, when it
  // cannot.
  bool CommitAs(const std::string& target) {
    while (m_name.empty()) {
      const std::string name = m_folder + "/" + TemporaryName();
      const std::string self = "/proc/self/fd/" + std::to_string(m_fd);
      if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0)
        m_name = name;
      else if (errno != EEXIST)
        return false;
    }
    // A network file system may report a failed write only now.
    const int closed = ::close(m_fd);
    m_fd = -1;
    if (closed != 0) return false;
    if (::rename(m_name.c_str(), target.c_str()) != 0) return false;
    m_name.clear();
    return true;
  }

 private:
  int m_fd = -1;
  std::string m_folder;
  std::string m_name;  // empty while the file has none
};

bool WriteAndCommit(TempFile& temp, const std::string& target, std::string_view bytes,
                    std::string* why, const CommitCheck& mayCommit) {
  if (!WriteAllAt(temp.fd(), bytes, 0) || ::fsync(temp.fd()) != 0)
    return Fail(why, WriteFailure(errno));
  if (!MayCommit(mayCommit, why)) return false;
  if (!temp.CommitAs(target)) return Fail(why, WriteError(target, errno, nullptr));
  // The rename itself reaches the disk with its folder.
  SyncFolder(FolderOf(target));
  return true;
}

bool WriteNewFile(const std::string& target, std::string_view bytes, std::string* why,
                  const CommitCheck& mayCommit) {
  const std::string folder = FolderOf(target);
  RemoveStaleTemporaries(folder);
  TempFile temp;
  if (!temp.Create(folder, 0666)) return Fail(why, CreateError(folder, errno));
  return WriteAndCommit(temp, target, bytes, why, mayCommit);
}

// An answer of flistxattr or fgetxattr, whose size is not known beforehand;
// nothing when the call fails.
template <class Call>
std::optional<std::string> AttributeAnswer(Call call) {
  for (;;) {
    const ssize_t size = call(nullptr, 0);
    if (size < 0) return std::nullopt;
    std::string answer(static_cast<std::size_t>(size), '\0');
    const ssize_t got = call(answer.data(), answer.size());
    if (got >= 0) return answer.substr(0, static_cast<std::size_t>(got));
    if (errno != ERANGE) return std::nullopt;  // else it grew meanwhile
  }
}

std::optional<std::string> AttributeList(int fd) {
  std::optional<std::string> names =
      AttributeAnswer([fd](char* to, std::size_t size) { return ::flistxattr(fd, to, size); });
  if (!names && errno == ENOTSUP) return std::string();  // a file system without any
  return names;
}

std::optional<std::string> AttributeValue(int fd, const char* name) {
  return AttributeAnswer(
      [fd, name](char* to, std::size_t size) { return ::fgetxattr(fd, name, to, size); });
}

// Gives file `to` exactly the extended attributes of file `from`, its ACL
// (system.posix_acl_access) among them: those `to` was born with (a
// folder's default ACL) go unless `from` has them too.
bool CopyAttributes(int from, int to) {
  const std::optional<std::string> wanted = AttributeList(from);
  const std::optional<std::string> present = AttributeList(to);
  if (!wanted || !present) return false;
  auto names = [](const std::string& list) {
    std::vector<std::string> split;
    for (std::size_t at = 0; at < list.size(); at += split.back().size() + 1)
      split.emplace_back(list.c_str() + at);
    return split;
  };
  const std::vector<std::string> keep = names(*wanted);
  for (const std::string& name : names(*present))
    if (std::find(keep.begin(), keep.end(), name) == keep.end() &&
        ::fremovexattr(to, name.c_str()) != 0)
      return false;
  for (const std::string& name : keep) {
    const std::optional<std::string> value = AttributeValue(from, name.c_str());
    if (!value) return false;
    if (AttributeValue(to, name.c_str()) != value &&
        ::fsetxattr(to, name.c_str(), value->data(), value->size(), 0) != 0)
      return false;
  }
  return true;
}

enum class RenameResult { kDone, kFailed, kWriteInPlace };

// Replaces `target` (open as `oldFd`, described by `old`) by a new file with
// the same owner, group, mode and extended attributes; kWriteInPlace when
// that cannot be had.
RenameResult ReplaceByRename(const std::string& target, int oldFd, const struct stat& old,
                             std::string_view bytes, std::string* why,
                             const CommitCheck& mayCommit) {
  const std::string folder = FolderOf(target);
  RemoveStaleTemporaries(folder);
  TempFile temp;
  if (!temp.Create(folder, 0600)) {
    // A folder closed to new files: the file itself may still be written.
    if (errno == EACCES || errno == EPERM || errno == EROFS) return RenameResult::kWriteInPlace;
    Fail(why, CreateError(folder, errno));
    return RenameResult::kFailed;
  }
  // The owner first: a change of owner clears the set-ID bits, which the
  // mode then puts back.  Only root may give a file to someone else, and
  // only to a group of one's own.
  if ((old.st_uid != ::geteuid() || old.st_gid != ::getegid()) &&
      ::fchown(temp.fd(), old.st_uid, old.st_gid) != 0)
    return RenameResult::kWriteInPlace;
  if (::fchmod(temp.fd(), old.st_mode & 07777) != 0 || !CopyAttributes(oldFd, temp.fd()))
    return RenameResult::kWriteInPlace;
  // An ACL sets the mode's bits too: the new file must end up with exactly
  // the old one's permissions, none wider.
  struct stat made {};
  if (::fstat(temp.fd(), &made) != 0 || made.st_uid != old.st_uid || made.st_gid != old.st_gid ||
      made.st_mode != old.st_mode)
    return RenameResult::kWriteInPlace;
  return WriteAndCommit(temp, target, bytes, why, mayCommit) ? RenameResult::kDone
                                                             : RenameResult::kFailed;
}

// Makes room on the disk for `bytes` in the file (`oldSize` long) before any
// of the old contents is overwritten; false, with errno set and the old
// contents whole, when there is none.
bool Reserve(int fd, off_t oldSize, std::string_view bytes) {
  const auto size = static_cast<off_t>(bytes.size());
  // Keeping the size: the reservation alone changes nothing one can read.
  if (size == 0 || ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, size) == 0) return true;
  if (errno != EOPNOTSUPP) return false;
  // A file system that reserves nothing (NFSv3, many FUSE ones): the part
  // beyond the old end goes first and is cut off again should it not fit.
  if (size <= oldSize || WriteAllAt(fd, bytes.substr(static_cast<std::size_t>(oldSize)), oldSize))
    return true;
  const int err = errno;
  if (::ftruncate(fd, oldSize) == 0) errno = err;
  return false;
}

// Writes `bytes` into the open file itself (`oldSize` long): over the old
// contents from the start once the disk has room, then cut to length.
// Owner, mode, attributes and links stay as they are, but an interrupted
// write of non-empty contents can leave a mixture.
bool WriteInPlace(int fd, off_t oldSize, std::string_view bytes, std::string* why,
                  const CommitCheck& mayCommit) {
  if (!MayCommit(mayCommit, why)) return false;
  if (!Reserve(fd, oldSize, bytes)) return Fail(why, WriteFailure(errno));
  if (!WriteAllAt(fd, bytes, 0) || ::ftruncate(fd, static_cast<off_t>(bytes.size())) != 0 ||
      ::fsync(fd) != 0)
    return Fail(why, std::strerror(errno));
  return true;
}

bool ReplaceExisting(const std::string& target, const struct stat& seen, std::string_view bytes,
                     std::string* why, const CommitCheck& mayCommit) {
  // Opening for writing is where the kernel says whether the player may
  // write the file; it changes nothing yet.  Not through a link that was
  // swapped in, and without waiting should a pipe or device be there now.
  Fd fd(::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC));
  if (!fd) return Fail(why, WriteError(target, errno, &seen));
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) return Fail(why, std::strerror(errno));
  if (!S_ISREG(st.st_mode)) return Fail(why, NotAFile(st.st_mode));
  if (st.st_dev != seen.st_dev || st.st_ino != seen.st_ino)
    return Fail(why, _("it was replaced by another file meanwhile; nothing was written"));
  // Renaming a new file over one with other hard links would split them.
  if (st.st_nlink == 1) {
    switch (ReplaceByRename(target, fd.get(), st, bytes, why, mayCommit)) {
      case RenameResult::kDone:
        return true;
      case RenameResult::kFailed:
        return false;
      case RenameResult::kWriteInPlace:
        break;
    }
  }
  return WriteInPlace(fd.get(), st.st_size, bytes, why, mayCommit);
}

}  // namespace

std::string FolderOf(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

bool CheckReadableRegularFile(const std::string& path, std::string* why) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return Fail(why, ReadError(path, errno));
  if (!S_ISREG(st.st_mode)) return Fail(why, NotAFile(st.st_mode));
  // Without waiting, should it have been swapped for a pipe meanwhile; what
  // was opened is checked again.
  Fd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (!fd) return Fail(why, ReadError(path, errno));
  if (::fstat(fd.get(), &st) != 0) return Fail(why, std::strerror(errno));
  if (!S_ISREG(st.st_mode)) return Fail(why, NotAFile(st.st_mode));
  return true;
}

ReadResult ReadRegularFile(const std::string& path, std::size_t maxBytes, std::string* bytes,
                           std::string* why) {
  bytes->clear();
  auto refuse = [why](std::string reason) {
    Fail(why, std::move(reason));
    return ReadResult::kRefused;
  };
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) {
    const int err = errno;
    struct stat link {};
    if (err == ENOENT && ::lstat(path.c_str(), &link) != 0) return ReadResult::kMissing;
    return refuse(err == ENOENT ? _("it is a link to something that does not exist")
                                : ReadError(path, err));
  }
  const std::string tooLarge = FormattedText(
      TranslatedCount("it is larger than %zu byte", "it is larger than %zu bytes", maxBytes),
      maxBytes);
  if (!S_ISREG(st.st_mode)) return refuse(NotAFile(st.st_mode));
  if (static_cast<std::size_t>(st.st_size) > maxBytes) return refuse(tooLarge);
  Fd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (!fd) return refuse(ReadError(path, errno));
  if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return refuse(NotAFile(st.st_mode));
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return refuse(std::strerror(errno));
    if (n == 0) return ReadResult::kRead;
    if (bytes->size() + static_cast<std::size_t>(n) > maxBytes) return refuse(tooLarge);
    bytes->append(buffer, static_cast<std::size_t>(n));
  }
}

bool CheckWritableTarget(const std::string& path, std::string* why) {
  if (path.empty()) return Fail(why, _("no file name was given"));
  std::string target;
  if (!ResolveLink(path, &target, why)) return false;
  struct stat st {};
  if (::stat(target.c_str(), &st) == 0) {
    if (!S_ISREG(st.st_mode)) return Fail(why, NotAFile(st.st_mode));
    if (!MayAccess(target, W_OK)) return Fail(why, WriteError(target, errno, &st));
    return true;
  }
  if (errno != ENOENT) return Fail(why, WriteError(target, errno, nullptr));
  const std::string folder = FolderOf(target);
  if (::stat(folder.c_str(), &st) != 0) return Fail(why, CreateError(folder, errno));
  if (!S_ISDIR(st.st_mode)) return Fail(why, CreateError(folder, ENOTDIR));
  if (!MayAccess(folder, W_OK | X_OK)) return Fail(why, CreateError(folder, errno));
  return true;
}

bool ReplaceFileContents(const std::string& path, std::string_view bytes, std::string* why,
                         const std::function<bool()>& mayCommit) {
  if (path.empty()) return Fail(why, _("no file name was given"));
  // The file a link leads to is the one written; the link stays.
  std::string target;
  if (!ResolveLink(path, &target, why)) return false;
  struct stat st {};
  if (::stat(target.c_str(), &st) != 0) {
    if (errno != ENOENT) return Fail(why, WriteError(target, errno, nullptr));
    return WriteNewFile(target, bytes, why, mayCommit);
  }
  if (!S_ISREG(st.st_mode)) return Fail(why, NotAFile(st.st_mode));
  return ReplaceExisting(target, st, bytes, why, mayCommit);
}

bool MakeFolders(const std::string& folder, std::string* why) {
  struct stat st {};
  if (::stat(folder.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode)) return true;
    return Fail(why, FormattedText(_("\"%s\" is not a folder"), folder.c_str()));
  }
  if (errno != ENOENT) return Fail(why, CreateError(FolderOf(folder), errno));
  const std::string parent = FolderOf(folder);
  if (parent != folder && !MakeFolders(parent, why)) return false;
  if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
    return Fail(why, CreateError(parent, errno));
  if (!IsFolder(folder))
    return Fail(why, FormattedText(_("\"%s\" is not a folder"), folder.c_str()));
  return true;
}
