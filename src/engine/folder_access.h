#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/status.h"
#include "base/yield_hook.h"
#include "engine/folder_contents.h"
#include "engine/folder_identity.h"
#include "engine/held_folder.h"
#include "engine/listing_rules.h"
#include "engine/mount_points.h"
#include "engine/wait_meter.h"

namespace quorvane {

// The platform's part of the walk: opening folders, reading their subfolders, telling which
// folder a held one is. folder_access_posix.cpp and folder_access_windows.cpp implement it.

// Opens the folder `path` (folder path form, any length on Windows), following a link in any
// part of it: the walk's target, or a folder of the walk's chain opened again.
Status OpenFolderPath(const std::string& path, HeldFolder& folder);

// Opens `relativePath`, a path of one or more names below the held folder `at`, following
// links, as the chain does when it opens again a folder it had to let go.
Status OpenFolderBelow(const HeldFolder& at, const std::string& relativePath, HeldFolder& folder);

// Opens the folder that holds `folder` as the system sees it now, wherever `folder` was moved
// meanwhile: the chain opens again a folder it let go from the subfolder it comes back from.
// Where the subfolder was reached through a link or a mount, that is another folder, which the
// chain tells by its identity.
Status OpenParentOf(const HeldFolder& folder, HeldFolder& parent);

// A second hold on `folder`, for another thread that opens subfolders from it.
Status DuplicateFolder(const HeldFolder& folder, HeldFolder& copy);

// How OpenSubfolder opens a subfolder.
struct SubfolderOpening {
    // The listing found it as a link, which is followed. Any other name is opened only as the
    // folder it was, so a link put in its place since the listing leads nowhere (POSIX:
    // O_NOFOLLOW), and nothing from outside the tree gets in.
    bool throughLink = false;
    // The system refuses to cross onto another volume mounted there (see RefusedCrossing), where
    // KernelRefusesCrossings says it can.
    bool stayOnVolume = false;
};

// Opens the subfolder `name` of the held folder `parent`.
Status OpenSubfolder(const HeldFolder& parent, std::string_view name, SubfolderOpening how,
                     HeldFolder& folder);

// Whether OpenSubfolder's stayOnVolume is kept by the system itself here (Linux 5.6 and later:
// openat2 with RESOLVE_NO_XDEV), tried on the held `target`. Where it is not, the walk asks the
// device of every folder it opens.
bool KernelRefusesCrossings(const HeldFolder& target);

// Whether an open failed because the system refused to cross a mount point.
bool RefusedCrossing(Status status);

// Which folder a held one is, and so whether two paths lead to the same folder.
std::optional<FolderIdentity> IdentityOf(const HeldFolder& folder);

// How one read of a folder goes.
struct ReadSettings {
    YieldHook* yield = nullptr;  // called once per directory entry
    const ListingRules* rules = nullptr;
    // The folder's path below the target, with a separator at the end (empty for the
    // target), for exclusions by path.
    std::string_view relativePrefix = {};
    WaitMeter* meter = nullptr;  // told how long the first call to the file system took
};

// Reads the subfolders of the held folder into `contents`: hidden ones (a leading '.' on
// POSIX, the hidden or system attribute on Windows) and excluded ones left out unless the
// rules ask for them, in the rules' order, with the facts they ask for. On POSIX entry types
// come from the directory entries (getdents64 on Linux, into a buffer on the heap), so only
// links and entries of unknown type cost a stat. What was read before a failure stays; an
// empty Windows drive root reads as empty.
Status ReadSubfolders(const HeldFolder& folder, FolderContents& contents,
                      const ReadSettings& settings);

// Makes the next read of `folder` start at its first entry again, after a read that failed
// for a shortage.
Status RewindFolder(const HeldFolder& folder);

// POSIX only: the same through readdir, which ReadSubfolders uses where getdents64 is missing;
// kept apart so that it is tested on Linux too.
Status ReadSubfoldersWithReaddir(const HeldFolder& folder, FolderContents& contents,
                                 const ReadSettings& settings);

// The volumes mounted below the held target, as far as the system tells.
MountPoints MountPointsBelow(const HeldFolder& target);

// Whether the waits of reads below the held target can be told only by their time (see
// WaitMeter): on a network file system, whose reads wait on another machine rather than on a
// device of this one, and where the system counts no thread's reads from its devices.
bool WaitsToldByTime(const HeldFolder& target);

// How many more files the process may open now: its limit less those open (POSIX). Windows
// holds a folder as its path, so there it is no limit.
size_t FreeDescriptors();

// Where a thread's chain of folders (FolderChain) keeps the path of one of them. On POSIX each
// path of a chain is a start of the path below it, so the chain keeps one buffer and each level
// where its path ends there: a chain of any depth costs memory in proportion to its depth. On
// Windows each path is formed from its parent's by the Windows rule (FormSubfolderPath), which
// may tidy the parent's part again, so each level keeps a path of its own.
struct ChainLevelPath {
    size_t end = 0;   // POSIX
    std::string own;  // Windows
};

// Forms in `path`, the chain's buffer, the path of the subfolder `name` of the folder at
// `parent`.
void FormChainPath(std::string& path, const ChainLevelPath& parent, std::string_view name);
// The path of `level`, given the chain's buffer.
std::string_view ChainPathOf(const std::string& path, const ChainLevelPath& level);
// Records the path in the chain's buffer as `level`'s.
void RecordChainPath(const std::string& path, ChainLevelPath& level);
// Puts the path of `level` back into the chain's buffer.
void RestoreChainPath(std::string& path, const ChainLevelPath& level);

// The longest path that one open takes; the chain opens a folder of a longer one in steps.
size_t LongestOpenedPath();

// What opening a folder again gives when it is not the folder it was: gone from where the walk
// found it (ENOENT, ERROR_PATH_NOT_FOUND).
Status FolderMovedStatus();

// Whether a failure is a shortage of the process or the system (open files, kernel memory)
// rather than the folder's own, so that giving back what the walk holds and trying again helps.
bool IsShortage(Status status);

}  // namespace quorvane
