// Reading and writing the player's files without harm to what is there.
// Only regular files are read or written; a link is followed to one, and a
// folder, named pipe, device or socket (or a link to one) is left alone.  No
// call here blocks on a pipe or device, but any may wait on a stalled file
// system: the game runs them through CallBounded.
//
// On failure each puts into `why` a reason that completes "Cannot save
// "x": ...", naming the folder when the folder is the problem.
//
// GIO's file replacement (g_file_replace) was measured and does not serve:
// it leaves a named temporary behind a killed save, empties a hard-linked
// file before it knows the disk has room, drops ACLs, may still rename after
// it was cancelled, and blocks opening a named pipe.
#pragma once

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

// Replaces the contents of `path` with `bytes`.  Owner, group, mode, ACL,
// extended attributes and hard links are kept: the new contents go to a
// temporary file beside it that is then renamed over it (so the old file
// stays whole until the new one is complete), or, where a rename would lose
// any of those or the folder cannot take a new file, they are written into
// the file itself once the disk has room for them.  A file the player may
// not write is refused.  A killed save leaves no temporary file where the
// file system can create unnamed ones; stale temporaries of ours in the
// folder (their writer gone) are removed.  `mayCommit` is asked just before
// the file is changed: when it answers false (its caller gave up waiting),
// the file is left as it is.
bool ReplaceFileContents(const std::string& path, std::string_view bytes, std::string* why,
                         const std::function<bool()>& mayCommit = {});

// Creates `folder` and any missing folders above it, private to the user
// (mode 0700, as the settings folders are made).
bool MakeFolders(const std::string& folder, std::string* why);

// The folder part of `path` ("." for a bare name).
std::string FolderOf(const std::string& path);
