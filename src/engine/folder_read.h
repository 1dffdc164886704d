#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/folder_contents.h"
#include "engine/folder_identity.h"
#include "engine/listing_rules.h"
#include "engine/yield_hook.h"

namespace quorvane {

// Opening and reading one folder: the platform's part of the walk. Hidden entries (a leading
// '.' on POSIX, the hidden or system attribute on Windows) are left out unless the rules ask
// for them, and so are the folders the rules exclude; `relativePrefix` is the read folder's
// path below the target, ending with a separator (empty for the target), for exclusions by
// path. The subfolders come in the rules' order, and with the facts they ask for.

// The error a read reports for a folder on another volume than the walk stays on: it is
// listed, but neither read nor reported.
inline constexpr int kOtherVolume = -1;

// On Windows another volume is mounted on a reparse point, so only a folder reached through a
// link can lie on another volume; on POSIX any folder may be a mount point.
#ifdef _WIN32
inline constexpr bool kVolumesJoinOnlyAtLinks = true;
#else
inline constexpr bool kVolumesJoinOnlyAtLinks = false;
#endif

#ifndef _WIN32
inline constexpr int kNoHandle = -1;

// Opens the folder `name` relative to the open folder `at`, following a link; with AT_FDCWD,
// `name` is a full path. Returns the descriptor, or kNoHandle with errno set.
int OpenFolderAt(int at, const char* name);

// The open folder's identity, and with `modified` its modification time.
std::optional<FolderIdentity> IdentityOfHandle(int handle,
                                               std::optional<std::int64_t>* modified = nullptr);

// Reads the visible subfolders of the open folder `handle` into `contents` with getdents64
// (readdir elsewhere), taking each entry's type from the directory entry, so that only links
// and entries of unknown type cost a stat. Calls `yield` once per entry. Returns 0 or the
// errno value of a failed read; what was read before it stays.
int ReadSubfolders(int handle, FolderContents& contents, YieldHook* yield,
                   const ListingRules& rules = {}, std::string_view relativePrefix = {});

// The same through readdir, which ReadSubfolders uses where getdents64 is missing; kept apart
// so that it is tested on Linux too.
int ReadSubfoldersWithReaddir(int handle, FolderContents& contents, YieldHook* yield,
                              const ListingRules& rules = {}, std::string_view relativePrefix = {});
#else
// Reads the visible subfolders of the folder `path` (folder path form, any length) into
// `contents` with FindFirstFileExW. Calls `yield` once as the folder is open and once per
// entry. Returns 0 or the Windows error code; an empty drive root reads as empty.
int ReadSubfolders(const std::string& path, FolderContents& contents, YieldHook* yield,
                   const ListingRules& rules = {}, std::string_view relativePrefix = {});

// Opens the folder (following a link) only to read its volume serial number and file index.
std::optional<FolderIdentity> IdentityOfFolder(const std::string& path);
#endif

// What a read of a folder by its full path came to.
struct FolderReadOutcome {
    int error = 0;  // 0, kOtherVolume, or the system's error code
    // Read on POSIX, where the open folder's identity comes at the price of one fstat;
    // Windows leaves it to the walk, which needs it only below links.
    std::optional<FolderIdentity> identity;
};

// Reads the folder `path` (folder path form) by its full path, as the read-ahead does: opens
// it, checks its volume against `requiredDevice`, reads its subfolders and closes it. Never
// yields; `contents.entriesSeen` tells how often the walk owes the window a yield for it.
FolderReadOutcome ReadFolderAtPath(const std::string& path, FolderContents& contents,
                                   std::optional<std::uint64_t> requiredDevice,
                                   const ListingRules& rules = {},
                                   std::string_view relativePrefix = {});

// The longest full path the read-ahead hands to ReadFolderAtPath; longer ones are left to the
// walk, which opens them relative to a folder it holds open.
std::size_t LongestPathReadAhead();

}  // namespace quorvane
