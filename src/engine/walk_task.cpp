#include "engine/walk_task.h"

#include <algorithm>

namespace quorvane {

bool FoldersAbove::contains(const FolderIdentity& identity) const {
    for (const FoldersAbove* at = this; at; at = at->above.get()) {
        if (std::find(at->folders.begin(), at->folders.end(), identity) != at->folders.end()) {
            return true;
        }
    }
    return false;
}

bool EntersBefore(const FolderNode* a, size_t i, const FolderNode* b, size_t j) {
    bool aLifted = false;
    bool bLifted = false;
    // Up to the same level: a position stands for its ancestor there.
    while (a->level > b->level) {
        i = a->indexInParent;
        a = a->parent.get();
        aLifted = true;
    }
    while (b->level > a->level) {
        j = b->indexInParent;
        b = b->parent.get();
        bLifted = true;
    }
    while (a != b) {
        i = a->indexInParent;
        a = a->parent.get();
        j = b->indexInParent;
        b = b->parent.get();
    }
    if (i != j) return i < j;
    // One lies below the other, which comes first.
    return bLifted && !aLifted;
}

}  // namespace quorvane
