#pragma once

#include <string>
#include <vector>

namespace quorvane::test {

// What a walk of `root` must give, worked out independently of the engine from the order in
// which the file system lists each folder (readdir on POSIX, FindFirstFileW on Windows) and
// plain attribute queries: each folder's own visible subfolders as one block after everything
// found below them, down to `depth` levels (0: every level). Visible means no leading '.' on
// POSIX, neither the hidden nor the system attribute on Windows. An entry counts as a folder
// when its attributes, following links, say so; a folder that is already on the chain from
// the root is listed but not entered. Paths are in folder path form: `root` (which ends with
// the separator) followed by the names, each ending with the separator.
std::vector<std::string> ExpectedWalk(const std::string& root, int depth = 0);

// The same as results list entries: without the trailing separator.
std::vector<std::string> ExpectedEntries(const std::string& root, int depth = 0);

// Entries joined, each followed by `end`.
std::string JoinEntries(const std::vector<std::string>& entries, const std::string& end);

}  // namespace quorvane::test
