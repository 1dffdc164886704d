#pragma once

#include <cstdint>

namespace quorvane {

// What makes a folder the same folder whichever path reaches it: device and inode on POSIX,
// volume serial number and file index on Windows.
struct FolderIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;

    friend bool operator==(const FolderIdentity&, const FolderIdentity&) = default;
};

}  // namespace quorvane
