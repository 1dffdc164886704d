#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace quorvane::cli {

// What --format writes of one folder. The texts are views: they must live until the row is
// written. A count, size or time that could not be had (the folder could not be read) is
// left empty and written as an empty field or null.
struct FolderRow {
    std::string_view path;                 // the entry as the list shows it (or below the target)
    std::string_view name;                 // its last component
    int depth = 0;                         // 1 for the folders directly inside the target
    std::optional<std::uint64_t> files;    // entries that are not folders
    std::optional<std::uint64_t> folders;  // entries that are folders
    std::optional<std::uint64_t> bytes;    // the sizes of the files
    std::optional<std::int64_t> modified;  // seconds since 1970-01-01T00:00:00Z
};

}  // namespace quorvane::cli
