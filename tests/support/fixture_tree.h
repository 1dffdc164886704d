#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace quorvane::test {

// Builders for trees made at run time, and the plain queries of the file system that the tests
// check the program against. Paths are full paths in UTF-8 with the platform's separator;
// parents must exist. On Windows they are reached in their extended-length form, so they may
// be of any length. fixture_tree_posix.cpp and fixture_tree_windows.cpp implement them.
void MakeFolder(const std::string& path);
// Makes every missing folder of `path`, like mkdir -p.
void MakeFolders(const std::string& path);
void MakeFile(const std::string& path, const std::string& bytes = "");
std::string ReadFile(const std::string& path);

// Makes `path` hidden as the platform has it: the hidden attribute on Windows; on POSIX a name
// that begins with '.' is hidden already and nothing is done.
void MakeHidden(const std::string& path);
// Sets the modification time of the folder `folder` to `seconds` since 1970.
void SetModified(const std::string& folder, std::int64_t seconds);

// The names in `folder` other than "." and "..", in the order the file system lists them.
std::vector<std::string> ListedNames(const std::string& folder);

// One entry of a folder as plain queries see it: readdir and stat on POSIX, FindFirstFileW on
// Windows.
struct ListedEntry {
    std::string name;
    bool hidden = false;     // a leading '.' on POSIX, the hidden or system attribute on Windows
    bool folder = false;     // following links; on POSIX an entry of no type at all counts too
    std::uint64_t size = 0;  // of the entry itself, a link as itself
};
// The entries of `folder` (with a trailing separator) in listing order, "." and ".." left out;
// none when it cannot be read.
std::vector<ListedEntry> ListedEntries(const std::string& folder);

// Which folder `path` leads to (its volume and file number), when that can be told.
std::optional<std::pair<std::uint64_t, std::uint64_t>> IdentityOfPath(const std::string& path);

// The system's code for a path whose folder does not exist: ENOENT, ERROR_PATH_NOT_FOUND.
extern const int kMissingFolderError;
// Whether the file system takes names that differ only in letter case for the same (Windows).
extern const bool kNamesIgnoreCase;
// Whether a file that is open can be removed at once (POSIX); on Windows it goes once closed.
extern const bool kOpenFilesCanBeRemoved;
// The root folder of the file system the tests run on: "/", or "C:\\" on Windows.
extern const std::string kRootFolder;
// Changes the calling thread's last error (errno, or Windows' last error), as handling the
// window's events may.
void ChangeLastError();

// Builds, in `parent`, a tree named "tree" that holds what trips the platform's walkers up,
// and returns its path. On both: hidden folders with folders inside, files, names with blanks
// and a chain of ten nested folders ("deep/d1/.../d10"). On POSIX also links to a folder, to
// a file and to nowhere, a link back to the target and one to the target's parent (which also
// holds the folder "outside"), letter-case variants, a name that is not valid UTF-8 and one
// with a line break. On Windows folders with the hidden, the system and the read-only
// attribute, names far outside the ANSI code page and names ending in a blank or a dot
// (which only the extended-length form reaches).
std::string BuildAwkwardTree(const std::string& parent);

// What the walk of the awkward tree must get right: texts that never show up in its paths
// (hidden folders and what they hold), and, below the tree in folder path form, entries that
// are no folders and folders that must be there.
struct AwkwardTreeNames {
    std::vector<std::string> neverShown;
    std::vector<std::string> notFolders;
    std::vector<std::string> folders;
};
const AwkwardTreeNames& AwkwardNames();

// A link to a folder at `path`, leading to `target` (relative to the link's folder, or a full
// path). On POSIX a symbolic link; on Windows a directory symbolic link, and under Wine a link
// of the Unix file system, which Wine shows as a folder. On POSIX it may lead to anything.
void MakeLink(const std::string& path, const std::string& target);

// Windows only: sets the attributes (FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_SYSTEM, ...) of
// `path`; removes the folder `path` with everything in it, whatever their attributes (a link
// is removed as a link, never entered; nothing happens when there is no such folder).
void SetAttributes(const std::string& path, unsigned long attributes);
void RemoveTree(const std::string& path);

}  // namespace quorvane::test
