#pragma once

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "engine/folder_node.h"
#include "engine/listing_rules.h"
#include "engine/yield_hook.h"

namespace quorvane {

// How much the read-ahead may hold that the walk has not taken yet.
struct ReadAheadLimits {
    size_t folders = 4096;
    size_t bytes = size_t{16} << 20;
};

// Reader threads that read folders before the walk needs them, so that on a cold disk many
// folder reads wait on the disk at once, while the walk itself stays one ordered consumer.
//
// The readers take the folders in the order the walk will enter them: depth first, nearest
// first. The walk takes each read from here; when no reader has started on a folder, the walk
// reads it itself, so it waits only on a folder that a reader is reading at that moment. Only
// plain subfolders of folders that the walk descends into are read ahead: never a folder
// reached through a link, whose loops the walk checks as it goes, and never one whose path is
// longer than a single open takes. Reads not yet taken are capped in count and bytes; a
// reader waits for room. The readers never touch the walk's sink or yield hook.
class ReadAhead {
  public:
    ReadAhead(unsigned readers, bool recurse, bool limitDepth,
              std::optional<std::uint64_t> requiredDevice, ReadAheadLimits limits = {},
              const ListingRules& rules = {});
    // Stops the readers and waits for them; each ends after the folder it is reading.
    ~ReadAhead();
    ReadAhead(const ReadAhead&) = delete;
    ReadAhead& operator=(const ReadAhead&) = delete;

    // Offers the subfolders of `node`, which the walk has just read, for reading ahead.
    void offer(const std::shared_ptr<FolderNode>& node);

    // The read of subfolder `i` of `parent`, which the walk is about to enter: done by a
    // reader, or by one busy with it (then the walk waits, yielding now and then so that the
    // window stays live). Null when the walk must read it itself; no reader will then.
    std::shared_ptr<FolderNode> take(FolderNode& parent, size_t i, YieldHook* yield);

    // The walk is done with `node`, or drops it: reads below it that were not taken are let go
    // and nothing more below it is read.
    void finish(FolderNode& node);

  private:
    // The next subfolders of a node to read: from `next` on, as far as they are worth reading.
    struct Job {
        std::shared_ptr<FolderNode> node;
        size_t next;
    };
    struct Later {
        bool operator()(const Job& a, const Job& b) const;
    };

    void work();
    // Reads subfolder i of `parent` without the lock; null when memory ran short.
    std::shared_ptr<FolderNode> read(const std::shared_ptr<FolderNode>& parent, size_t i) const;
    // Hands a reader's read to the walk, or gives the folder back to it.
    void store(FolderNode& parent, size_t i, std::shared_ptr<FolderNode> child);
    bool readable(const FolderNode& node, size_t i) const;
    size_t nextReadable(const FolderNode& node, size_t from) const;
    // Sizes the bookkeeping of the node's subfolders, outside the lock; false when none of
    // them is to be read ahead.
    bool prepare(FolderNode& node) const;
    // Offers a prepared node.
    void offerLocked(const std::shared_ptr<FolderNode>& node);
    void finishLocked(FolderNode& node);
    void release(const FolderNode& node);
    bool roomLeft();
    bool roomMade();

    const bool recurse_;
    const bool limitDepth_;
    const std::optional<std::uint64_t> requiredDevice_;
    const ReadAheadLimits limits_;
    const ListingRules rules_;

    std::mutex mutex_;
    std::condition_variable workWaiting_;  // readers wait here
    std::condition_variable readDone_;     // the walk waits here
    // A heap whose top is the job the walk will need first. No job lies between the top's
    // next subfolder and its following one (nothing below them is read yet), so a reader
    // moves the top on in place and the heap needs no work for it.
    std::vector<Job> jobs_;
    size_t heldFolders_ = 0;  // being read, or read and not yet taken
    size_t heldBytes_ = 0;    // of those read and not yet taken
    // The cap was reached: readers wait until the walk has taken half of what is held, so
    // that they wake in a batch rather than once per folder taken.
    bool full_ = false;
    bool walkWaiting_ = false;
    unsigned idleReaders_ = 0;
    bool stopping_ = false;
    size_t maxReaders_;
    std::vector<std::thread> readers_;  // started as work appears for them, up to maxReaders_
};

// The number of readers a walk uses by default: enough to keep a cold disk busy.
unsigned DefaultReaders();

}  // namespace quorvane
