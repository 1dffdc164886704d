#include "form/run_feed.h"

#include <new>

namespace quorvane {

namespace {

// A clock read costs little, but the walk yields once per directory entry and once per entry
// it lists.
constexpr unsigned kYieldsPerLook = 64;

}  // namespace

std::string_view RunFeed::Batch::take() {
    const size_t end = entries.find('\0', next);
    const std::string_view entry = std::string_view(entries).substr(next, end - next);
    next = end + 1;
    return entry;
}

void RunFeed::append(const ListedFolder& folder) {
    if (stopped()) return;
    filling_.append(folder.entry).push_back('\0');
    if (filling_.size() >= kBatchBytes) {
        handOn();
    } else {
        yield();
    }
}

void RunFeed::yield() {
    if (yieldsUntilLook_ > 0) {
        --yieldsUntilLook_;
        return;
    }
    yieldsUntilLook_ = kYieldsPerLook;
    if (!filling_.empty() && std::chrono::steady_clock::now() - lastHandedOn_ >= kHandOnAfter) {
        handOn();
    }
}

void RunFeed::handOn() {
    bool wasEmpty = false;
    {
        std::unique_lock lock(mutex_);
        roomMade_.wait(lock, [&] { return queuedBytes_ < kMostQueued || stopped(); });
        wasEmpty = queue_.empty();
        queuedBytes_ += filling_.size();
        queue_.push_back(std::move(filling_));
    }
    filling_ = std::string();
    filling_.reserve(kBatchBytes + 4096);
    lastHandedOn_ = std::chrono::steady_clock::now();
    // The window's thread takes every batch before it waits: with one queued, it is not waiting.
    if (wasEmpty) wake_();
}

void RunFeed::finish(Status status) {
    {
        std::lock_guard lock(mutex_);
        try {
            if (!filling_.empty()) {
                queue_.push_back(std::move(filling_));
                queuedBytes_ += queue_.back().size();
            }
        } catch (const std::bad_alloc&) {
            // The last entries cannot be handed on: the list is not whole, and says so.
            if (status.ok()) status = Status::of(Status::Failure::OutOfMemory);
        }
        finished_ = true;
        status_ = status;
    }
    wake_();
}

bool RunFeed::take(Batch& batch) {
    {
        std::lock_guard lock(mutex_);
        if (queue_.empty()) return false;
        batch.entries.swap(queue_.front());
        batch.next = 0;
        queue_.pop_front();
        queuedBytes_ -= batch.entries.size();
    }
    roomMade_.notify_one();
    return true;
}

bool RunFeed::hasBatches() {
    std::lock_guard lock(mutex_);
    return !queue_.empty();
}

bool RunFeed::ended() {
    std::lock_guard lock(mutex_);
    return finished_ && queue_.empty();
}

Status RunFeed::status() {
    std::lock_guard lock(mutex_);
    return status_;
}

void RunFeed::stop() {
    {
        std::lock_guard lock(mutex_);
        stopped_ = true;
    }
    roomMade_.notify_one();
}

}  // namespace quorvane
