#pragma once

#include <cstdint>
#include <string_view>

#include "engine/folder_sink.h"
#include "engine/yield_hook.h"

namespace quorvane {

// What the caller adds to the walk beyond its five classic arguments.
struct WalkContext {
    YieldHook* yield = nullptr;
    // Set for drive targets: folders on another device (volumes mounted below the root) are
    // listed but not entered, so no folder is listed twice when every drive is walked.
    bool stayOnVolume = false;
};

// Appends to `results` the visible subfolders below `path` (folder path form), in this order:
// each folder's own subfolders as one block, after everything found below them. With
// `recurse` false only the folder's own subfolders are given; otherwise `limitDepth` with
// `depth` N gives levels 1 to N (N below 1 behaves as 1), and without it every level.
//
// Hidden entries are neither listed nor entered. A folder that cannot be listed adds nothing
// and the walk goes on. A link to a folder is listed and walked like a folder, but never
// entered when it leads to a folder that the walk is already inside, so link loops end.
void GetSubDirectoriesUnique(std::string_view path, FolderSink& results, bool recurse,
                             bool limitDepth, std::int16_t depth, const WalkContext& context = {});

}  // namespace quorvane
