#pragma once

#include <cstdint>
#include <optional>

namespace quorvane {

// What a read of a folder tells of its own entries, when a walk asks for it (quorvane-list's
// --format columns, --empty and --total).
struct FolderFacts {
    std::uint64_t entries = 0;  // every entry but "." and "..", hidden ones included
    // As the walk lists: hidden entries only with --hidden, excluded folders not at all.
    std::uint64_t files = 0;               // entries that are not folders (links to files included)
    std::uint64_t folders = 0;             // subfolders (links to folders included)
    std::uint64_t bytes = 0;               // the sizes of those files; a link counts as itself
    std::optional<std::int64_t> modified;  // the folder's own, seconds since the epoch (UTC)

    // Adds the counts and sizes of a folder below, for totals of a whole subtree.
    void addBelow(const FolderFacts& below) {
        entries += below.entries;
        files += below.files;
        folders += below.folders;
        bytes += below.bytes;
    }
};

}  // namespace quorvane
