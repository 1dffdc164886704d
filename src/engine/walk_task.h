#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/folder_identity.h"
#include "engine/folder_node.h"
#include "engine/held_folder.h"

namespace quorvane {

// The folders above a part of the walk that a thread was handed, which that part must not
// enter again (a link or a mount leading back up): the chain of the thread that handed it out,
// and the folders above that.
struct FoldersAbove {
    std::shared_ptr<const FoldersAbove> above;
    std::vector<FolderIdentity> folders;

    bool contains(const FolderIdentity& identity) const;
};

struct Segment;

// Subfolders [from, to) of one folder, handed by the thread walking it to an idle one, which
// walks each of them and everything below them in order. Its list goes into `segment`, which
// the list reaches where the folder's own walker would have written it.
struct WalkTask {
    std::shared_ptr<const FolderNode> folder;
    size_t from = 0;
    size_t to = 0;
    std::string path;  // the folder's, in folder path form
    // The task's own hold on the folder; given back when the walk must spare descriptors, and
    // then opened again by `path`, if it is still the folder `identity` says.
    HeldFolder held;
    std::optional<FolderIdentity> identity;
    std::shared_ptr<const FoldersAbove> above;
    Segment* segment = nullptr;
};

// Whether subfolder `i` of `a` comes before subfolder `j` of `b` in the order the walk enters
// folders: depth first, so a folder comes before everything below it, and below one folder its
// subfolders come in their block's order.
bool EntersBefore(const FolderNode* a, size_t i, const FolderNode* b, size_t j);

}  // namespace quorvane
