#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/descriptor_budget.h"
#include "engine/folder_access.h"

namespace quorvane {

// One thread's hold on the folders of the chain it walks, from its first folder (level 0: the
// target, or the folder whose subfolders another thread handed it) down to the folder being
// entered: their paths, and the held folders through which their subfolders are opened.
//
// How the paths are kept differs by platform (ChainLevelPath in folder_access.h). Within the walk's
// descriptor budget the folders nearest the first are let go first, since the walk needs them again
// last. One let go is opened again, and taken only when it is the same folder it was (a rename
// meanwhile must not lead the walk outside its tree): on the way back up from the subfolder the
// walk comes back from, which finds it wherever it was moved; otherwise by its path (step by step
// from the nearest folder still held when the path is longer than one open takes).
class FolderChain {
  public:
    explicit FolderChain(DescriptorBudget& budget) : budget_(budget) {}
    ~FolderChain();  // lets go of what it holds
    FolderChain(FolderChain&&) = default;
    FolderChain(const FolderChain&) = delete;
    FolderChain& operator=(const FolderChain&) = delete;

    // Starts with the path of the first folder (folder path form) as the one being entered.
    void start(std::string path);

    size_t depth() const { return levels_.size(); }
    // The path being entered, or the deepest folder's when none is.
    const std::string& path() const { return path_; }
    std::string_view pathOf(size_t level) const;

    // Forms the path of subfolder `name` of the folder at `level`, the deepest, as the one
    // being entered.
    void enter(size_t level, std::string_view name);
    // Opens the folder being entered, subfolder `name` of the one at `level`, which must be
    // held (heldAt). A shortage is met by letting go of other folders of the chain first.
    Status openEntered(size_t level, std::string_view name, SubfolderOpening how,
                       HeldFolder& folder);
    // Gives up the folder being entered: the path is the deepest folder's again.
    void leave();

    // The folder being entered joins the chain as the deepest. It is kept when `keep`, since
    // subfolders will be opened from it; otherwise it is let go now. A folder that is not held
    // (a task's whose hold was given back) is opened again, when needed, as `identity`.
    void push(HeldFolder folder, bool keep, std::optional<FolderIdentity> identity = {});
    // The deepest folder leaves the chain and is let go. The folder above, if it was let go,
    // is first opened again from it.
    void pop();

    // The held folder at `level`, opened again if it was let go. Fails when it cannot be
    // opened, or is no longer the folder it was: it moved (ENOENT, ERROR_PATH_NOT_FOUND).
    Status heldAt(size_t level, const HeldFolder*& held);
    // The folder at `level` while it is held, or null.
    const HeldFolder* held(size_t level) const {
        return levels_[level].held.held() ? &levels_[level].held : nullptr;
    }
    // Which folder the one at `level` is: asked of the held folder once, or as recorded when it
    // was let go.
    std::optional<FolderIdentity> identityAt(size_t level);

    // Lets go of one folder of the chain other than `spare`, to meet a shortage; false when
    // there is none.
    bool letGoOne(size_t spare);
    // Lets go of every folder of the chain, which stays able to open them again.
    void letGoAll();

    static constexpr size_t kNoLevel = static_cast<size_t>(-1);

  private:
    struct Level {
        HeldFolder held;
        bool counted = false;                    // held within the budget
        std::optional<FolderIdentity> identity;  // asked once, or recorded when it was let go
        ChainLevelPath path;
    };

    Status reopen(size_t level);
    void reopenFromBelow(size_t level);
    Status openKept(size_t level, const HeldFolder* at, const std::string& path);
    template <typename Open>
    Status openRetrying(size_t spare, Open open);
    void keep(size_t level);
    void letGo(size_t level);
    void release(Level& level);

    std::string path_;
    size_t rootLength_ = 0;
    std::vector<Level> levels_;
    DescriptorBudget& budget_;
    size_t scanFrom_ = 0;  // no folder above it is held
};

}  // namespace quorvane
