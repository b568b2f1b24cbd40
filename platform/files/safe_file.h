// Reading and writing the player's files without harm to what is there.
// Only regular files are read or written; a link is followed to one, and a
// folder, named pipe, device or socket (or a link to one) is left alone.  No
// call here blocks on a pipe or device, but any may wait on a stalled file
// system: the game runs them through CallBounded.
//
// On failure each puts into `why` a reason that completes "Cannot save
// "x": ...", naming the folder when the folder is the problem.
#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

// Checks that `path` is a regular file this program may read.
bool CheckReadableRegularFile(const std::string& path, std::string* why);

enum class ReadResult { kRead, kMissing, kRefused };
// Reads the whole of `path` into `bytes` when it is a regular file of at
// most `maxBytes`; kMissing when nothing is there.
ReadResult ReadRegularFile(const std::string& path, std::size_t maxBytes, std::string* bytes,
                           std::string* why);

// Checks, changing nothing, that ReplaceFileContents could write `path`: an
// existing regular file we may write, or a new file in a folder we may
// create files in.
bool CheckWritableTarget(const std::string& path, std::string* why);

struct ReplaceOptions {
  // Runs once the new contents are ready, just before the file is changed.
  std::function<void()> beforeCommit = {};
  // Set when the caller has given up waiting: the file is then left as it is.
  const std::atomic<bool>* givenUp = nullptr;
};

// Replaces the contents of `path` with `bytes`.  Owner, group, mode and
// hard links are kept: the new contents go to a temporary file beside it
// that is then renamed over it (so the old file stays whole until the new
// one is complete), or, where a rename would lose the owner or a link or
// the folder cannot take a new file, they are written into the file itself.
// A file the player may not write is refused.  A killed save leaves no
// temporary file where the file system can create unnamed ones; stale
// temporaries of ours in the folder (their writer gone) are removed.
bool ReplaceFileContents(const std::string& path, std::string_view bytes, std::string* why,
                         const ReplaceOptions& options = {});

// Creates `folder` and any missing folders above it, private to the user
// (mode 0700, as the settings folders are made).
bool MakeFolders(const std::string& folder, std::string* why);

// The folder part of `path` ("." for a bare name).
std::string FolderOf(const std::string& path);
