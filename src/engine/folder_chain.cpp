#include "engine/folder_chain.h"

#include <algorithm>

namespace quorvane {

// Never lets go of `spare`, the folder opened from.
template <typename Open>
Status FolderChain::openRetrying(size_t spare, Open open) {
    for (;;) {
        const Status status = open();
        if (status.ok() || !IsShortage(status) || !letGoOne(spare)) return status;
    }
}

FolderChain::~FolderChain() {
    for (Level& level : levels_)
        release(level);
}

void FolderChain::start(std::string path) {
    path_ = std::move(path);
    rootLength_ = path_.size();
}

std::string_view FolderChain::pathOf(size_t level) const {
    return ChainPathOf(path_, levels_[level].path);
}

void FolderChain::enter(size_t level, std::string_view name) {
    FormChainPath(path_, levels_[level].path, name);
}

Status FolderChain::openEntered(size_t level, std::string_view name, SubfolderOpening how,
                                HeldFolder& folder) {
    const HeldFolder& at = levels_[level].held;
    return openRetrying(level, [&] { return OpenSubfolder(at, name, how, folder); });
}

void FolderChain::leave() {
    if (levels_.empty()) {
        path_.resize(rootLength_);
        return;
    }
    RestoreChainPath(path_, levels_.back().path);
}

void FolderChain::push(HeldFolder folder, bool keep, std::optional<FolderIdentity> identity) {
    Level& level = levels_.emplace_back();
    level.identity = identity;
    RecordChainPath(path_, level.path);
    if (keep) level.held = std::move(folder);
    if (keep && level.held.held()) this->keep(levels_.size() - 1);
}

void FolderChain::pop() {
    if (levels_.size() >= 2) reopenFromBelow(levels_.size() - 2);
    release(levels_.back());
    levels_.pop_back();
    scanFrom_ = std::min(scanFrom_, levels_.size());
    leave();
}

Status FolderChain::heldAt(size_t level, const HeldFolder*& held) {
    if (!levels_[level].held.held()) {
        if (const Status status = reopen(level); !status.ok()) return status;
    }
    held = &levels_[level].held;
    return {};
}

std::optional<FolderIdentity> FolderChain::identityAt(size_t level) {
    Level& at = levels_[level];
    if (!at.identity && at.held.held()) at.identity = IdentityOf(at.held);
    return at.identity;
}

// Coming back up from the deepest folder, which is held, to one that was let go: its ".." is
// that folder wherever it is now, unless the deepest was reached through a link or a mount.
// Opened again only where it was let go and is not gone since; otherwise by its path when next
// needed.
void FolderChain::reopenFromBelow(size_t level) {
    Level& at = levels_[level];
    const Level& below = levels_[level + 1];
    if (at.held.held() || !at.identity || !below.held.held()) return;
    HeldFolder folder;
    const Status opened = openRetrying(level + 1, [&] { return OpenParentOf(below.held, folder); });
    if (!opened.ok() || IdentityOf(folder) != at.identity) return;
    at.held = std::move(folder);
    keep(level);
}

// By its path when that fits one open, otherwise from the nearest folder above that is held
// or has a short enough path, in steps that each fit one open.
Status FolderChain::reopen(size_t level) {
    if (level == 0 || pathOf(level).size() < LongestOpenedPath()) {
        return openKept(level, nullptr, std::string(pathOf(level)));
    }
    size_t reached = level - 1;
    while (!levels_[reached].held.held() && pathOf(reached).size() >= LongestOpenedPath())
        --reached;
    const HeldFolder* at = nullptr;
    if (const Status status = heldAt(reached, at); !status.ok()) return status;
    while (reached < level) {
        const size_t start = pathOf(reached).size();
        size_t to = reached + 1;
        while (to < level && pathOf(to + 1).size() - start < LongestOpenedPath())
            ++to;
        const std::string step(pathOf(to).substr(start));
        if (const Status status = openKept(to, &levels_[reached].held, step); !status.ok()) {
            return status;
        }
        reached = to;
    }
    return {};
}

// Opens the folder at `level` again, by `path` below `at` (or a full path without it), and
// keeps it if it is the folder that was let go.
Status FolderChain::openKept(size_t level, const HeldFolder* at, const std::string& path) {
    HeldFolder folder;
    const Status status = openRetrying(at ? level - 1 : kNoLevel, [&] {
        return at ? OpenFolderBelow(*at, path, folder) : OpenFolderPath(path, folder);
    });
    if (!status.ok()) return status;
    const std::optional<FolderIdentity> identity = IdentityOf(folder);
    if (!identity || identity != levels_[level].identity) return FolderMovedStatus();
    levels_[level].held = std::move(folder);
    keep(level);
    return {};
}

void FolderChain::keep(size_t level) {
    while (budget_.full() && letGoOne(level)) {
    }
    levels_[level].counted = true;
    budget_.take();
    scanFrom_ = std::min(scanFrom_, level);
}

bool FolderChain::letGoOne(size_t spare) {
    for (size_t k = scanFrom_; k < levels_.size(); ++k) {
        if (k == spare || !levels_[k].held.held()) continue;
        letGo(k);
        scanFrom_ = spare < k && levels_[spare].held.held() ? spare : k + 1;
        return true;
    }
    return false;
}

void FolderChain::letGoAll() {
    for (size_t k = 0; k < levels_.size(); ++k) {
        if (levels_[k].held.held()) letGo(k);
    }
    scanFrom_ = levels_.size();
}

void FolderChain::letGo(size_t level) {
    identityAt(level);
    release(levels_[level]);
}

void FolderChain::release(Level& level) {
    level.held.close();
    if (level.counted) budget_.giveBack();
    level.counted = false;
}

}  // namespace quorvane
