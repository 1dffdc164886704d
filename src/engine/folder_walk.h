#pragma once

#include <cstdint>
#include <string_view>

#include "engine/folder_sink.h"
#include "engine/listing_rules.h"
#include "engine/read_ahead.h"
#include "engine/yield_hook.h"

namespace quorvane {

// What the caller adds to the walk beyond its five classic arguments.
struct WalkContext {
    YieldHook* yield = nullptr;
    // Set for drive targets: folders on another device (volumes mounted below the root) are
    // listed but not entered, so no folder is listed twice when every drive is walked.
    bool stayOnVolume = false;
    // Threads that read folders ahead of the walk (see ReadAhead); 1 reads every folder on
    // the calling thread. The list is the same either way.
    unsigned readers = 1;
    // What the readers may hold that the walk has not taken yet; tests make it small.
    ReadAheadLimits readAheadLimits = {};
    // Hidden folders, exclusions, the order of each block and the facts of each folder.
    ListingRules rules = {};
};

// Appends to `results` the visible subfolders below `path` (folder path form), in this order:
// each folder's own subfolders as one block, after everything found below them. With
// `recurse` false only the folder's own subfolders are given; otherwise `limitDepth` with
// `depth` N gives levels 1 to N (N below 1 behaves as 1), and without it every level.
//
// Hidden entries are neither listed nor entered, unless the rules say otherwise; nor are the
// folders the rules exclude. With facts asked for, the folders at the depth limit are read
// too, for the facts of their entries, but their subfolders are not listed. A folder that
// cannot be listed adds nothing
// and the walk goes on. A folder that is already one of the folders the walk is inside (a
// link, or on POSIX also a mount, leading back up) is listed but not entered, so loops end.
// Any depth and any path length is walked, within any limit of open descriptors: folders are
// opened relative to an open ancestor, never by a path longer than the system takes. The
// walk ends early once the sink says it has stopped.
void GetSubDirectoriesUnique(std::string_view path, FolderSink& results, bool recurse,
                             bool limitDepth, std::int16_t depth, const WalkContext& context = {});

}  // namespace quorvane
