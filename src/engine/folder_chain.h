#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/folder_access.h"

namespace quorvane {

// The walk's hold on the folders of its chain, from the target (level 0) down to the folder
// being entered: their paths, and the held folders through which their subfolders are opened.
//
// On POSIX each path is a start of one buffer, so a chain of any depth costs memory in
// proportion to its depth; on Windows each level keeps its own, formed from its parent's by
// the Windows rule. At most a budget of folders is held at once; past it the folders nearest
// the target are let go first, since the walk needs them again last. One let go is opened
// again by its path when it is needed (step by step from the nearest folder still held when
// the path is longer than one open takes) and taken only when it is the same folder it was:
// a rename meanwhile must not lead the walk outside its tree.
class FolderChain {
  public:
    // `budget`: how many folders to hold at most (HeldFolderBudget()).
    explicit FolderChain(size_t budget) : budget_(budget) {}
    ~FolderChain();  // lets go of what it holds
    FolderChain(const FolderChain&) = delete;
    FolderChain& operator=(const FolderChain&) = delete;

    // Called with a level just before its folder is let go, while it is still held.
    void setBeforeLettingGo(std::function<void(size_t)> beforeLettingGo) {
        beforeLettingGo_ = std::move(beforeLettingGo);
    }

    // Starts with the target's path (folder path form) as the one being entered.
    void start(std::string root);

    // The path being entered, or the deepest folder's when none is.
    const std::string& path() const { return path_; }
    std::string_view pathOf(size_t level) const;
    // The entry of subfolder `name` of the folder at `level`, as the results list shows it,
    // into `entry`.
    void formEntry(size_t level, std::string_view name, std::string& entry) const;

    // Forms the path of subfolder `name` of the folder at `level`, the deepest, as the one
    // being entered.
    void enter(size_t level, std::string_view name);
    // Opens the folder being entered, subfolder `name` of the one at `level`.
    Status openEntered(size_t level, std::string_view name, bool throughLink, HeldFolder& folder);
    // Gives up the folder being entered: the path is the deepest folder's again.
    void leave();

    // The folder being entered joins the chain as the deepest. `held` (owned by the caller,
    // and staying where it is until pop) is kept when `keep`, since subfolders will be opened
    // from it; otherwise it is let go now.
    void push(HeldFolder* held, bool keep);
    // The deepest folder leaves the chain and is let go; without `close` its owner closes it
    // later.
    void pop(bool close = true);

    // The held folder at `level`, opened again if it was let go.
    Status heldAt(size_t level, const HeldFolder*& held);
    // Which folder the one at `level` is: asked of the held folder, or as recorded when it was
    // let go.
    std::optional<FolderIdentity> identityAt(size_t level);

  private:
    struct Level {
        HeldFolder* held = nullptr;
        bool counted = false;                    // held within the budget
        std::optional<FolderIdentity> identity;  // recorded when it was let go
#ifdef _WIN32
        std::string path;
#else
        size_t pathEnd = 0;  // its path is this long a start of path_
#endif
    };
    static constexpr size_t kNoLevel = static_cast<size_t>(-1);

    Status reopen(size_t level);
    Status openKept(size_t level, const HeldFolder* at, const std::string& path);
    Status openRetrying(size_t spare, const std::function<Status()>& open);
    void keep(size_t level);
    bool letGoOne(size_t spare);
    void letGo(size_t level);

    std::string path_;
    size_t rootLength_ = 0;
    std::vector<Level> levels_;
    size_t budget_;
    size_t held_ = 0;
    size_t scanFrom_ = 0;  // no folder above it is held
    std::function<void(size_t)> beforeLettingGo_;
};

}  // namespace quorvane
