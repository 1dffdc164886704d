#ifndef _WIN32

#include "engine/open_chain_posix.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace quorvane {

namespace {

// Half of what the descriptor limit leaves once the program's own files and the readers' are
// counted.
size_t HandleBudget(unsigned readers) {
    rlimit limit{};
    rlim_t soft = 1024;
    if (getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY) {
        soft = limit.rlim_cur;
    }
    const long spare = static_cast<long>(std::min<rlim_t>(soft, 1 << 16)) - 32 - readers;
    return static_cast<size_t>(std::max(4L, spare / 2));
}

}  // namespace

OpenChain::~OpenChain() {
    while (!folders_.empty())
        pop();
}

void OpenChain::start(std::string root, unsigned readers) {
    path_ = std::move(root);
    budget_ = HandleBudget(readers);
}

std::string_view OpenChain::pathOf(size_t level) const {
    return std::string_view(path_).substr(0, folders_[level].pathEnd);
}

void OpenChain::enter(size_t level, std::string_view name) {
    path_.resize(folders_[level].pathEnd);
    path_.append(name).push_back('/');
}

int OpenChain::openEntered(size_t level) {
    const int at = handleOf(level);
    if (at < 0) return kNoHandle;
    // The name as the path ends it, separator and all: a folder is what it must be.
    return openRetrying(at, level, path_.c_str() + folders_[level].pathEnd);
}

void OpenChain::leave() {
    path_.resize(folders_.empty() ? 0 : folders_.back().pathEnd);
}

void OpenChain::push(int handle, bool keepHandle) {
    folders_.push_back({kNoHandle, path_.size()});
    if (handle < 0) return;
    if (keepHandle) {
        keep(folders_.size() - 1, handle);
    } else {
        close(handle);
    }
}

void OpenChain::pop() {
    if (folders_.back().handle >= 0) {
        close(folders_.back().handle);
        --held_;
    }
    folders_.pop_back();
    leave();
}

int OpenChain::handleOf(size_t level) {
    if (folders_[level].handle >= 0) return folders_[level].handle;
    if (folders_[level].pathEnd < PATH_MAX) {
        const std::string path(pathOf(level));
        const int handle = openRetrying(AT_FDCWD, kNoLevel, path.c_str());
        if (handle >= 0) keep(level, handle);
        return handle;
    }
    size_t reached = level - 1;
    while (folders_[reached].handle < 0 && folders_[reached].pathEnd >= PATH_MAX)
        --reached;
    if (handleOf(reached) < 0) return kNoHandle;
    while (reached < level) {
        const size_t start = folders_[reached].pathEnd;
        size_t to = reached + 1;
        while (to < level && folders_[to + 1].pathEnd - start < PATH_MAX)
            ++to;
        const std::string step(pathOf(to).substr(start));
        const int handle = openRetrying(folders_[reached].handle, reached, step.c_str());
        if (handle < 0) return kNoHandle;
        keep(to, handle);
        reached = to;
    }
    return folders_[level].handle;
}

// Never gives up the descriptor of `spare`, the folder opened from.
int OpenChain::openRetrying(int at, size_t spare, const char* name) {
    for (;;) {
        const int handle = OpenFolderAt(at, name);
        if (handle >= 0 || (errno != EMFILE && errno != ENFILE)) return handle;
        const int error = errno;
        if (!giveUpOne(spare)) {
            errno = error;
            return kNoHandle;
        }
    }
}

void OpenChain::keep(size_t level, int handle) {
    while (held_ >= budget_ && giveUpOne(level)) {
    }
    folders_[level].handle = handle;
    ++held_;
    scanFrom_ = std::min(scanFrom_, level);
}

bool OpenChain::giveUpOne(size_t spare) {
    for (size_t k = scanFrom_; k < folders_.size(); ++k) {
        if (k == spare || folders_[k].handle < 0) continue;
        close(folders_[k].handle);
        folders_[k].handle = kNoHandle;
        --held_;
        scanFrom_ = spare < k && folders_[spare].handle >= 0 ? spare : k + 1;
        return true;
    }
    return false;
}

}  // namespace quorvane

#endif
