#pragma once

#include <cstdint>
#include <functional>
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

// What quorvane-list's listing options change in the reference walk.
struct ListingChoice {
    bool hidden = false;  // hidden folders are listed and entered too
    // Folders neither listed nor entered, by name and by path below the root ("a/b" with the
    // platform's separator).
    std::function<bool(const std::string& name, const std::string& relativePath)> excluded;
    // The order of each block; without it, the listing order.
    std::function<bool(const std::string& a, const std::string& b)> before;
};

struct ExpectedFolder {
    std::string path;  // folder path form
    int level;         // 1 for the root's own subfolders
};

// ExpectedWalk with the listing options, and each folder's level.
std::vector<ExpectedFolder> ExpectedListing(const std::string& root, int depth,
                                            const ListingChoice& choice);

// A folder's own entries as plain attribute queries see them: every entry, and of those the
// choice lists (visible, or all with hidden), the folders, the other entries and their sizes
// (a link as itself). Exclusions are not applied.
struct EntryCounts {
    std::uint64_t entries = 0;
    std::uint64_t files = 0;
    std::uint64_t folders = 0;
    std::uint64_t bytes = 0;
};
EntryCounts ExpectedCounts(const std::string& folder, const ListingChoice& choice = {});

// Entries joined, each followed by `end`.
std::string JoinEntries(const std::vector<std::string>& entries, const std::string& end);

}  // namespace quorvane::test
