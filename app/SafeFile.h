// Opening and replacing the document's file without harm to what is there:
// only regular files are touched (a named pipe or a device would block or
// misbehave), and a file is replaced whole or not at all.
#pragma once

#include <functional>
#include <string>
#include <string_view>

// What `path` is when it exists but is no regular file ("a folder", "a named
// pipe", "a device", "a socket"); empty when it is a regular file (or a link
// to one) or does not exist.
std::string NonRegularKind(const std::string& path);

// Checks, without blocking, that `path` is a regular file this program may
// read.  On failure puts the reason into `why`.
bool CheckReadableRegularFile(const std::string& path, std::string* why);

// Replaces the contents of `path` with `bytes`: they are written to a
// temporary file beside it, which is then renamed over it, so the old file
// stays whole until the new one is complete.  A link is followed; an
// existing file keeps its permissions (and, where allowed, its owner).
// `beforeRename`, if given, runs once the new contents are on disk.  On
// failure nothing is changed and the reason goes into `why`.
bool ReplaceFileContents(const std::string& path, std::string_view bytes, std::string* why,
                         const std::function<void()>& beforeRename = {});
