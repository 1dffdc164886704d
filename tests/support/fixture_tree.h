#pragma once

#include <string>
#include <vector>

namespace quorvane::test {

// Builders for trees made at run time. Paths are full paths in UTF-8; parents must exist. On
// Windows they are reached in their extended-length form, so they may be of any length.
void MakeFolder(const std::string& path);
// Makes every missing folder of `path`, like mkdir -p.
void MakeFolders(const std::string& path);
void MakeFile(const std::string& path, const std::string& bytes = "");
std::string ReadFile(const std::string& path);

// The names in `folder` other than "." and "..", in the order the file system lists them.
std::vector<std::string> ListedNames(const std::string& folder);

#ifdef _WIN32
// Sets the attributes (FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_SYSTEM, ...) of `path`.
void SetAttributes(const std::string& path, unsigned long attributes);
// Removes the folder `path` with everything in it, whatever their attributes; a link is
// removed as a link, never entered. Nothing happens when there is no such folder.
void RemoveTree(const std::string& path);
#else
void MakeLink(const std::string& path, const std::string& target);

// Builds, in `parent`, a tree named "tree" that holds what trips walkers up, and returns its
// path. Below the target: hidden folders with folders inside, plain files, a link to a folder,
// a link to a file, a dangling link, a link back to the target and one to the target's parent
// (which also holds the folder "outside"), names with spaces and letter-case variants, a name
// that is not valid UTF-8, a name with a line break, and a chain of ten nested folders.
std::string BuildAwkwardTree(const std::string& parent);

// The names of the awkward tree that must never show up in a walk's results.
inline constexpr const char* kAwkwardHiddenNames[] = {".hidden", "never", "innermost"};
#endif

}  // namespace quorvane::test
