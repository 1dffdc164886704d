#pragma once

#ifndef _WIN32

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "engine/folder_read.h"

namespace quorvane {

// The POSIX walk's hold on the folders of its chain, from the target (level 0) down: their
// paths, each a start of one buffer, so a chain of any depth costs memory in proportion to its
// depth; and open descriptors, so that a subfolder is opened relative to its folder.
//
// At most a budget of descriptors, taken from RLIMIT_NOFILE, is held at once; past it the
// folders nearest the target give theirs up first, since the walk needs them again last. A
// folder whose descriptor was given up is opened again by its full path when the system takes
// that, otherwise step by step from the nearest folder above it that is open or has a short
// enough path, each step as long as one open takes (PATH_MAX). When the process runs out of
// descriptors all the same, held ones are given up until an open succeeds.
class OpenChain {
  public:
    OpenChain() = default;
    ~OpenChain();  // closes what it holds
    OpenChain(const OpenChain&) = delete;
    OpenChain& operator=(const OpenChain&) = delete;

    // Starts with the target's path (folder path form) as the one being entered. `readers`:
    // the read-ahead's threads, whose descriptors the budget leaves to them.
    void start(std::string root, unsigned readers);

    // The path being entered, or the deepest folder's when none is.
    const std::string& path() const { return path_; }
    // The path of the folder at `level`.
    std::string_view pathOf(size_t level) const;

    // Forms the path of subfolder `name` of the folder at `level`, the deepest, as the one
    // being entered.
    void enter(size_t level, std::string_view name);
    // Opens the folder being entered, relative to its folder at `level`. Returns the
    // descriptor, or kNoHandle with errno set.
    int openEntered(size_t level);
    // Gives up the folder being entered: the path is the deepest folder's again.
    void leave();

    // The folder being entered joins the chain as the deepest. Its `handle` (or kNoHandle) is
    // kept when `keepHandle`, since subfolders will be opened relative to it, else closed.
    void push(int handle, bool keepHandle);
    // The deepest folder leaves the chain; its descriptor is closed.
    void pop();

    // The open folder at `level`, opened again when it was given up; kNoHandle with errno set
    // when it cannot be.
    int handleOf(size_t level);

  private:
    struct Folder {
        int handle = kNoHandle;
        size_t pathEnd = 0;  // its path is this long a start of path_
    };
    static constexpr size_t kNoLevel = static_cast<size_t>(-1);

    int openRetrying(int at, size_t spare, const char* name);
    void keep(size_t level, int handle);
    bool giveUpOne(size_t spare);

    std::string path_;
    std::vector<Folder> folders_;
    size_t budget_ = 4;
    size_t held_ = 0;
    size_t scanFrom_ = 0;  // no folder below it holds a descriptor, but maybe a spared one
};

}  // namespace quorvane

#endif
