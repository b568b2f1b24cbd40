#include "app/SafeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace {

std::string KindOf(mode_t mode) {
  if (S_ISREG(mode)) return {};
  if (S_ISDIR(mode)) return "a folder";
  if (S_ISFIFO(mode)) return "a named pipe";
  if (S_ISSOCK(mode)) return "a socket";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
  return "not a regular file";
}

std::string NotAFile(const std::string& kind) {
  return kind == "not a regular file" ? kind : "it is " + kind + ", not a regular file";
}

bool Fail(std::string* why, const std::string& reason) {
  *why = reason;
  return false;
}

bool FailErrno(std::string* why) { return Fail(why, std::strerror(errno)); }

// The folder part of `path` ("." for a bare name).
std::string FolderOf(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

mode_t CurrentUmask() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return mask;
}

}  // namespace

std::string NonRegularKind(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return {};
  return KindOf(st.st_mode);
}

bool CheckReadableRegularFile(const std::string& path, std::string* why) {
  const std::string kind = NonRegularKind(path);
  if (!kind.empty()) return Fail(why, NotAFile(kind));
  // Non-blocking, should the file have been swapped for a pipe meanwhile;
  // what was opened is checked again.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return FailErrno(why);
  struct stat st {};
  const bool statted = ::fstat(fd, &st) == 0;
  const int savedErrno = errno;
  ::close(fd);
  if (!statted) {
    errno = savedErrno;
    return FailErrno(why);
  }
  if (!S_ISREG(st.st_mode)) return Fail(why, NotAFile(KindOf(st.st_mode)));
  return true;
}

bool ReplaceFileContents(const std::string& path, std::string_view bytes, std::string* why,
                         const std::function<void()>& beforeRename) {
  // The file a link points to is the one replaced; the link stays.
  std::string target = path;
  struct stat old {};
  const bool exists = ::stat(path.c_str(), &old) == 0;
  if (exists) {
    if (!S_ISREG(old.st_mode)) return Fail(why, NotAFile(KindOf(old.st_mode)));
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) == nullptr) return FailErrno(why);
    target = resolved;
  } else if (errno != ENOENT) {
    return FailErrno(why);
  }

  std::string temp = FolderOf(target) + "/.kelvo-save-XXXXXX";
  const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
  if (fd < 0) return FailErrno(why);
  auto abandon = [&](int err) {
    ::close(fd);
    ::unlink(temp.c_str());
    errno = err;
    return FailErrno(why);
  };
  // A new file gets the usual permissions; an existing one keeps its own.
  const mode_t mode = exists ? (old.st_mode & 07777) : (0666 & ~CurrentUmask());
  if (::fchmod(fd, mode) != 0) return abandon(errno);
  if (exists && (old.st_uid != ::geteuid() || old.st_gid != ::getegid())) {
    // Only root may give the file back to its owner; others keep theirs.
    if (::fchown(fd, old.st_uid, old.st_gid) != 0 && errno != EPERM) return abandon(errno);
  }
  if (!WriteAll(fd, bytes) || ::fsync(fd) != 0) return abandon(errno);
  if (::close(fd) != 0) {
    const int err = errno;
    ::unlink(temp.c_str());
    errno = err;
    return FailErrno(why);
  }
  if (beforeRename) beforeRename();
  if (::rename(temp.c_str(), target.c_str()) != 0) {
    const int err = errno;
    ::unlink(temp.c_str());
    errno = err;
    return FailErrno(why);
  }
  // The rename itself reaches the disk with its folder.
  const int folder = ::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder >= 0) {
    ::fsync(folder);
    ::close(folder);
  }
  return true;
}
