#include "engine/read_ahead.h"

#include <algorithm>
#include <new>
#include <system_error>

#include "engine/folder_access.h"

namespace quorvane {

namespace {

using ChildState = FolderNode::ChildState;

// Whether subfolder `i` of `a` comes before subfolder `j` of `b` in the order the walk enters
// folders: depth first, so a folder comes before everything below it, and below one folder
// its subfolders come in their listing's order.
bool entersBefore(const FolderNode* a, size_t i, const FolderNode* b, size_t j) {
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

// Readers never read through a link: the walk checks those for loops as it enters them.
bool readable(const FolderNode& node, size_t i) {
    return !node.contents.throughLink(i);
}

size_t bytesOf(const FolderNode& node) {
    return sizeof node + node.contents.memoryBytes() +
           node.children.capacity() * sizeof(FolderNode::Child) + node.held.memoryBytes();
}

}  // namespace

bool ReadAhead::Later::operator()(const Job& a, const Job& b) const {
    return entersBefore(b.node.get(), b.next, a.node.get(), a.next);
}

ReadAhead::ReadAhead(const FolderReading& reading, unsigned maxReaders, ReadAheadLimits limits,
                     size_t heldFolders)
    : reading_(reading),
      limits_(limits),
      heldFolderLimit_(std::max<size_t>(1, heldFolders)),
      maxReaders_(maxReaders),
      affordable_(ReaderThread::Affordable()) {}

ReadAhead::~ReadAhead() {
    stop();
    std::lock_guard lock(mutex_);
    // Nodes hold their parents and their parents hold their ready reads: undo those links.
    for (Job& job : jobs_)
        finishLocked(*job.node);
    jobs_.clear();
}

void ReadAhead::stop() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    workReady_.notify_all();
    threads_.clear();  // each waits for its thread
}

void ReadAhead::grow(unsigned readers) {
    std::lock_guard lock(mutex_);
    wanted_ = static_cast<unsigned>(std::min<size_t>(std::max(wanted_, readers), maxReaders_));
    wakeReaders();
}

bool ReadAhead::prepare(FolderNode& node) const {
    if (node.belowLink || !reading_.entersSubfolders(node)) return false;
    try {
        node.children.resize(node.contents.count());
    } catch (const std::bad_alloc&) {
        return false;  // not offered: the walk reads these subfolders itself
    }
    return true;
}

void ReadAhead::offer(const std::shared_ptr<FolderNode>& node, size_t from) {
    if (!prepare(*node)) return;
    std::lock_guard lock(mutex_);
    offerLocked(node, from);
}

void ReadAhead::offerLocked(const std::shared_ptr<FolderNode>& node, size_t from) {
    size_t unclaimed = 0;
    for (size_t i = 0; i < node->children.size(); ++i) {
        if (i < from || !readable(*node, i)) {
            node->children[i].state = ChildState::Walk;
        } else {
            ++unclaimed;
        }
    }
    if (unclaimed == 0) return;
    try {
        jobs_.push_back({node, from});
    } catch (const std::bad_alloc&) {
        for (FolderNode::Child& child : node->children)
            child.state = ChildState::Walk;
        return;
    }
    std::push_heap(jobs_.begin(), jobs_.end(), Later{});
    node->unclaimed = unclaimed;
    unclaimed_ += unclaimed;
    wakeReaders();
}

// Wakes, or starts, as many readers as the unclaimed work keeps busy in batches. The first
// folder waiting is likely the walk's next, which it reads itself before a woken reader could:
// a folder with one subfolder wakes none.
void ReadAhead::wakeReaders() {
    if (stopping_ || full_ || unclaimed_ == 0) return;
    const size_t batch = std::clamp<size_t>(unclaimed_ / std::max(1u, wanted_), 1, kMostInBatch);
    size_t running = threads_.size() - endedReaders_;
    size_t busy = running - idleReaders_ + std::min(waking_, size_t{idleReaders_});
    while (busy * batch + 1 < unclaimed_) {
        if (idleReaders_ > waking_) {
            ++waking_;
            workReady_.notify_one();
        } else if (running < wanted_ && affordable_ > 0) {
            if (!startReader()) {
                // No thread, or no memory for one: fewer readers only make the walk read more
                // for itself.
                maxReaders_ = wanted_ = static_cast<unsigned>(running);
                return;
            }
            ++running;
            --affordable_;
        } else {
            return;
        }
        ++busy;
    }
}

bool ReadAhead::startReader() {
    const size_t before = threads_.size();
    try {
        threads_.emplace_back();
        if (threads_.back().start([this] { work(); }).ok()) return true;
    } catch (const std::bad_alloc&) {
    }
    if (threads_.size() > before) threads_.pop_back();
    return false;
}

std::shared_ptr<FolderNode> ReadAhead::take(FolderNode& parent, size_t i) {
    std::lock_guard lock(mutex_);
    if (parent.children.empty()) return nullptr;
    FolderNode::Child& slot = parent.children[i];
    // A folder not read yet is the walk's, even one a reader is reading: reading it again
    // costs less than waiting for the reader when it comes from memory, and no more when it
    // comes from the disk, whose answer both get at once. The reader's read is dropped.
    const ChildState state = slot.state;
    slot.state = ChildState::Walk;
    if (state == ChildState::Untouched) {
        --parent.unclaimed;
        --unclaimed_;
    }
    if (state != ChildState::Ready) return nullptr;
    std::shared_ptr<FolderNode> child = std::move(slot.read);
    release(*child);
    if (roomMade()) wakeReaders();
    return child;
}

void ReadAhead::closeToReaders(FolderNode& node) {
    if (node.children.empty()) return;  // never offered: no reader opens from it
    std::unique_lock lock(mutex_);
    node.closedToReaders = true;
    for (FolderNode::Child& child : node.children) {
        if (child.state == ChildState::Untouched || child.state == ChildState::Claimed) {
            child.state = ChildState::Walk;
        }
    }
    unclaimed_ -= node.unclaimed;
    node.unclaimed = 0;
    opensDone_.wait(lock, [&] { return node.opening == 0; });
}

bool ReadAhead::finish(FolderNode& node) {
    // A node never offered has no reads below it and no reader opening from it; it was
    // offered, if at all, before the walk got it, so this needs no lock.
    if (node.children.empty()) return false;
    std::lock_guard lock(mutex_);
    finishLocked(node);
    // Jobs of folders the walk is done with lead nowhere; those on top go now.
    while (!jobs_.empty() && jobs_.front().node->closedToReaders)
        dropJob();
    if (roomMade()) wakeReaders();
    return node.opening > 0;
}

void ReadAhead::finishLocked(FolderNode& node) {
    node.finished = true;
    node.closedToReaders = true;
    unclaimed_ -= node.unclaimed;
    node.unclaimed = 0;
    for (FolderNode::Child& slot : node.children) {
        std::shared_ptr<FolderNode>& child = slot.read;
        if (!child) continue;
        release(*child);
        finishLocked(*child);
        child.reset();
    }
}

void ReadAhead::release(const FolderNode& node) {
    --heldCount_;
    heldBytes_ -= bytesOf(node);
    if (node.held.held()) --heldFolders_;
}

bool ReadAhead::roomLeft() {
    if (full_) return false;
    full_ = heldCount_ >= limits_.folders || heldBytes_ >= limits_.bytes ||
            heldFolders_ >= heldFolderLimit_;
    return !full_;
}

bool ReadAhead::roomMade() {
    if (!full_ || heldCount_ > limits_.folders / 2 || heldBytes_ > limits_.bytes / 2 ||
        heldFolders_ > heldFolderLimit_ / 2) {
        return false;
    }
    full_ = false;
    return true;
}

bool ReadAhead::workWaiting() {
    if (jobs_.empty()) return false;
    const FolderNode& top = *jobs_.front().node;
    return top.closedToReaders || top.unclaimed == 0 || roomLeft();
}

void ReadAhead::dropJob() {
    FolderNode& node = *jobs_.front().node;
    unclaimed_ -= node.unclaimed;
    node.unclaimed = 0;
    std::pop_heap(jobs_.begin(), jobs_.end(), Later{});
    jobs_.pop_back();
}

ReadAhead::Batch ReadAhead::claim() {
    Job& top = jobs_.front();
    FolderNode& parent = *top.node;
    Batch batch;
    if (parent.closedToReaders || parent.unclaimed == 0) {
        dropJob();
        return batch;
    }
    size_t most = std::clamp<size_t>(parent.unclaimed / std::max(1u, wanted_), 1, kMostInBatch);
    most = std::min({most, limits_.folders - heldCount_, heldFolderLimit_ - heldFolders_});
    batch.parent = top.node;
    size_t i = top.next;
    for (; i < parent.children.size() && batch.count < most; ++i) {
        if (parent.children[i].state != ChildState::Untouched) continue;
        parent.children[i].state = ChildState::Claimed;
        batch.subfolders[batch.count++] = i;
    }
    // Nothing below the claimed subfolders is known yet, so nothing lies between them and the
    // next one: the top stays the top.
    top.next = i;
    parent.unclaimed -= batch.count;
    unclaimed_ -= batch.count;
    heldCount_ += batch.count;
    heldFolders_ += batch.count;
    ++parent.opening;
    if (parent.unclaimed == 0) dropJob();
    return batch;
}

void ReadAhead::work() {
    std::unique_lock lock(mutex_);
    for (;;) {
        if (!stopping_ && !workWaiting()) {
            ++idleReaders_;
            do {
                workReady_.wait(lock);
                if (waking_ > 0) --waking_;
            } while (!stopping_ && !workWaiting());
            --idleReaders_;
        }
        if (stopping_) return;
        Batch batch = claim();
        if (batch.count > 0 && !readBatch(batch, lock)) {
            // Out of memory: one reader fewer, and the walk reads what it would have.
            ++endedReaders_;
            wanted_ = std::min(wanted_, static_cast<unsigned>(threads_.size() - endedReaders_));
            maxReaders_ = wanted_;
            return;
        }
    }
}

bool ReadAhead::readBatch(Batch& batch, std::unique_lock<std::mutex>& lock) {
    FolderNode& parent = *batch.parent;
    bool memoryLeft = true;
    for (size_t k = 0; k < batch.count; ++k) {
        const size_t i = batch.subfolders[k];
        ChildState& state = parent.children[i].state;
        if (!memoryLeft || state != ChildState::Claimed || parent.closedToReaders || stopping_) {
            // The walk got to it first, has taken the folder back, or ends, or this reader
            // cannot go on: it is the walk's.
            giveBack(parent, i);
            continue;
        }
        state = ChildState::Reading;
        lock.unlock();
        std::shared_ptr<FolderNode> child = read(batch.parent, i);
        lock.lock();
        memoryLeft = child != nullptr;
        store(parent, i, std::move(child));
    }
    if (--parent.opening == 0) opensDone_.notify_all();
    return memoryLeft;
}

std::shared_ptr<FolderNode> ReadAhead::read(const std::shared_ptr<FolderNode>& parent,
                                            size_t i) const {
    try {
        std::shared_ptr<FolderNode> child = reading_.subfolderNode(parent, i);
        child->status = OpenSubfolder(parent->held, parent->contents.name(i), false, child->held);
        if (!child->status.ok()) return child;
        if (reading_.identifyAndCheckVolume(*child)) {
            child->held.close();
            return child;
        }
        reading_.read(*child, nullptr, nullptr);
        // The walk opens nothing from a folder it does not enter.
        if (reading_.entersSubfolders(*child)) {
            prepare(*child);
        } else {
            child->held.close();
        }
        return child;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void ReadAhead::giveBack(FolderNode& parent, size_t i) {
    --heldCount_;
    --heldFolders_;
    if (!parent.finished) parent.children[i].state = ChildState::Walk;
}

void ReadAhead::store(FolderNode& parent, size_t i, std::shared_ptr<FolderNode> child) {
    // Out of memory or of descriptors is no fault of the folder's: the walk reads it itself,
    // and meets the shortage, if it lasts, where it reports it.
    if (parent.finished || parent.children[i].state != ChildState::Reading || !child ||
        TooManyOpen(child->status)) {
        giveBack(parent, i);
    } else {
        heldBytes_ += bytesOf(*child);
        if (!child->held.held()) --heldFolders_;
        parent.children[i].state = ChildState::Ready;
        if (!child->children.empty()) offerLocked(child, 0);
        parent.children[i].read = std::move(child);
    }
}

}  // namespace quorvane
