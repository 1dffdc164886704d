#pragma once

#include <condition_variable>
#include <cstddef>
#include <memory>
#include <mutex>
#include <vector>

#include "engine/folder_node.h"
#include "engine/folder_reading.h"
#include "engine/reader_thread.h"
#include "engine/yield_hook.h"

namespace quorvane {

// How much the read-ahead may hold that the walk has not taken yet.
struct ReadAheadLimits {
    size_t folders = 4096;
    size_t bytes = size_t{16} << 20;  // everything the held reads take in memory
};

// Reader threads that read folders before the walk needs them, so that on a disk read for the
// first time many folder reads wait on it at once, while the walk stays one ordered consumer.
//
// A reader opens each folder relative to its parent, which the walk or the reader that read it
// holds open for as long as subfolders of it wait to be read; no path is resolved again, so
// depth costs nothing and a rename in the tree cannot lead a read outside it. Readers take the
// folders in the order the walk will enter them (depth first, nearest first), siblings in
// batches, and are woken one per batch, as many as the work waiting keeps busy. When no reader
// has started on a folder the walk reads it itself, so it waits only on a folder being read at
// that moment. Readers never read through a link, nor below one (the walk checks those for
// loops as it goes), and never touch the walk's sink or yield hook. Reads not yet taken are
// capped in count, bytes and held folders; a reader waits for room.
class ReadAhead {
  public:
    // `heldFolders`: how many of the reads not yet taken may hold their folder open.
    ReadAhead(const FolderReading& reading, unsigned maxReaders, ReadAheadLimits limits,
              size_t heldFolders);
    // Stops the readers and lets go of what was not taken.
    ~ReadAhead();
    ReadAhead(const ReadAhead&) = delete;
    ReadAhead& operator=(const ReadAhead&) = delete;

    // Lets the read-ahead use up to `readers` threads (no more than the most it was given);
    // they start as work appears for them.
    void grow(unsigned readers);
    unsigned readers() const { return wanted_; }

    // Offers subfolders `from` on of `node`, which the walk has read and holds, for reading.
    void offer(const std::shared_ptr<FolderNode>& node, size_t from = 0);

    // The read of subfolder `i` of `parent`, which the walk is about to enter, when a reader
    // has done it. Null when the walk must read it itself; no reader's read counts then.
    std::shared_ptr<FolderNode> take(FolderNode& parent, size_t i);

    // No reader opens anything more from `node.held` once this returns, so the walk may let it
    // go; subfolders no reader has started on are left to the walk.
    void closeToReaders(FolderNode& node);
    // The walk is done with `node`, or drops it: reads below it that were not taken are let go
    // and nothing more below it is read. Returns whether a reader is still opening a subfolder
    // from `node.held`, which must then stay open as long as the node lives.
    bool finish(FolderNode& node);

    // Stops the readers and waits for them; each ends after the folder it is reading.
    void stop();

  private:
    struct Job {
        std::shared_ptr<FolderNode> node;
        size_t next;  // the first of its subfolders that may still be unclaimed
    };
    struct Later {
        bool operator()(const Job& a, const Job& b) const;
    };
    // Siblings a reader takes at once: enough to spare most wake-ups when the folders come
    // from memory, few enough that a batch does not hold up the walk behind a slow disk.
    static constexpr size_t kMostInBatch = 8;
    struct Batch {
        std::shared_ptr<FolderNode> parent;
        size_t subfolders[kMostInBatch];
        size_t count = 0;
    };

    void work();
    bool workWaiting();
    Batch claim();
    // Returns false when the reader ran out of memory and must end.
    bool readBatch(Batch& batch, std::unique_lock<std::mutex>& lock);
    std::shared_ptr<FolderNode> read(const std::shared_ptr<FolderNode>& parent, size_t i) const;
    void store(FolderNode& parent, size_t i, std::shared_ptr<FolderNode> child);
    void giveBack(FolderNode& parent, size_t i);
    bool prepare(FolderNode& node) const;
    void offerLocked(const std::shared_ptr<FolderNode>& node, size_t from);
    void dropJob();
    void finishLocked(FolderNode& node);
    void release(const FolderNode& node);
    void wakeReaders();
    // Whether one more reader could be started.
    bool startReader();
    bool roomLeft();
    bool roomMade();

    const FolderReading& reading_;
    const ReadAheadLimits limits_;
    const size_t heldFolderLimit_;
    size_t maxReaders_;
    unsigned affordable_;  // reader threads the memory left allows

    std::mutex mutex_;
    std::condition_variable workReady_;  // readers wait here
    std::condition_variable opensDone_;  // the walk waits here to let go of a folder
    // A heap whose top is the job the walk will need first. Nothing below the top's next
    // subfolders is known yet, so a reader claims them in place and the top stays the top.
    std::vector<Job> jobs_;
    size_t unclaimed_ = 0;    // subfolders offered that no one has claimed
    size_t heldCount_ = 0;    // being read, or read and not yet taken
    size_t heldBytes_ = 0;    // of those read and not yet taken
    size_t heldFolders_ = 0;  // folders held open by them, or being opened
    // The cap was reached: readers wait until the walk has taken half of what is held, so
    // that they wake in a batch rather than once per folder taken.
    bool full_ = false;
    unsigned idleReaders_ = 0;
    unsigned endedReaders_ = 0;  // ended early, out of memory
    size_t waking_ = 0;          // readers told of work that have not woken yet
    unsigned wanted_ = 0;
    bool stopping_ = false;
    std::vector<ReaderThread> threads_;
};

}  // namespace quorvane
