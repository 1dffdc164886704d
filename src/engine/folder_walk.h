#pragma once

#include <cstddef>
#include <string_view>

#include "base/status.h"
#include "base/yield_hook.h"
#include "engine/folder_sink.h"
#include "engine/listing_rules.h"
#include "engine/walk_levels.h"

namespace quorvane {

// What a walk did beside its list, for tests and benchmarks.
struct WalkCounts {
    unsigned threadsThatWalked = 1;  // part of the tree, the calling one included
    size_t handOuts = 0;             // parts handed to another thread
    size_t nearHandOuts = 0;  // of them, what the list reaches next, handed out past half the bound
    size_t parks = 0;         // parts whose helper stopped, for the calling thread to finish
};

// How a walk goes, as plain data: the window and quorvane-list fill it.
struct WalkOptions {
    DepthChoice depth;  // every level, or levels 1 to N
    // For drive targets: folders on another volume (mounted below the root, even during the
    // walk) are listed but not entered, so no folder is listed twice when every drive is
    // walked.
    bool stayOnVolume = false;
    // Threads that share the walk, the calling one included. 0: one per core while there is
    // work for them, and more, up to kMostThreads, while reads wait on a device and more
    // threads read more folders a second (ThreadGrowth). 1: the calling thread alone. N: N
    // from the start. The list is the same whatever the number.
    unsigned threads = 0;
    // The helpers run below the other threads of the process (LowerThisThreadsPriority): a
    // window's run, whose calling thread is its own and does the same, so that the window's
    // thread never waits for a core behind them.
    bool background = false;
    // Bytes of the list that threads ahead of its order may hold before the list reaches them
    // (what it reaches next, twice as much); tests make it small.
    size_t aheadLimit = size_t{8} << 20;
    // Hidden folders, exclusions, the order of each block and the facts of each folder.
    ListingRules rules = {};
    YieldHook* yield = nullptr;    // told at every point where the window may run
    WalkCounts* counts = nullptr;  // filled in as the walk ends, when given
};

// The most threads a walk starts on its own: enough to keep a cold disk busy.
inline constexpr unsigned kMostThreads = 32;

// Hands `sink` the visible subfolders below `root` (folder path form), in this order: each
// folder's own subfolders as one block, after everything found below them. The sink is told
// on the calling thread only, as are the yields; other threads only walk.
//
// Hidden entries are neither listed nor entered, unless the rules say otherwise; nor are the
// folders the rules exclude. With facts asked for, the folders at the depth limit are read
// too, for the facts of their entries, but their subfolders are not listed. A folder that
// cannot be read adds nothing, is told to the sink, and the walk goes on; so is a folder that
// moved away while the walk had let go of it, whose remaining subfolders cannot be reached. A
// folder that is already one of the folders the walk is inside (a link, or on POSIX also a
// mount, leading back up) is listed but not entered, so loops end. Any depth and any path
// length is walked, within any limit of open descriptors. Once the walk holds a folder, it
// reaches that folder's subfolders only through it, never by a path resolved again from the
// root, so a rename during the walk cannot bring anything from outside the target into the
// list. The walk ends early once the sink says it has stopped.
//
// A shortage of descriptors or memory is no folder's fault: the walk gives back what it holds
// and tries again, and fails (with the sink holding part of the list) only when that does not
// mend it.
Status WalkFolders(std::string_view root, const WalkOptions& options, FolderSink& sink);

}  // namespace quorvane
