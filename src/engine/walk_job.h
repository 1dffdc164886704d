#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include "base/yield_hook.h"
#include "engine/folder_chain.h"
#include "engine/folder_node.h"
#include "engine/folder_reading.h"
#include "engine/wait_meter.h"
#include "engine/walk_output.h"
#include "engine/walk_task.h"

namespace quorvane {

class WalkTeam;

// One thread's part of a walk: the target and everything below it, or a task another thread
// handed out. It walks depth first, one step at a time (enter a subfolder, or end a folder and
// write its block), so that the thread running it can look up between steps: to feed the sink,
// hand work to an idle thread, or stop. Parts of it that it handed out are written by their
// own threads, and the job puts them in its list where they belong.
class WalkJob {
  public:
    // The walk of the target, already opened as `held` and read into `target`.
    WalkJob(WalkTeam& team, std::shared_ptr<const FolderNode> target, std::string path,
            HeldFolder held);
    // A task another thread handed out.
    WalkJob(WalkTeam& team, WalkTask task);
    ~WalkJob();
    WalkJob(const WalkJob&) = delete;
    WalkJob& operator=(const WalkJob&) = delete;

    // Where its blocks go, and whether that is the sink's own order (then it must wait for the
    // parts it handed out before going past them); the yield hook of the thread running it.
    void runOn(WalkOutput& output, bool direct, YieldHook* yield);

    enum class Step {
        Going,
        Done,
        // Its output is direct, and the list has reached a part it handed out (waitingOn()):
        // once that part is in the list, passWaited() and go on.
        Waits,
        // A shortage of descriptors or memory that giving back its own could not mend
        // (shortage()): retry the step once the other threads have given back theirs.
        Short,
    };
    Step step();

    Segment* waitingOn() const { return waitingOn_; }
    void passWaited();
    Status shortage() const { return shortage_; }

    // Hands the oldest work it can spare (the later half of the remaining subfolders of the
    // folder nearest its start) to the team; or, `near`, the work the list reaches next (the
    // later half of those of the deepest folder that has some to spare). False when it has
    // none to spare.
    bool handOut(bool near = false);
    // Lets go of every folder it holds; each is opened again when needed.
    void letGoAll() { chain_.letGoAll(); }

  private:
    struct HandedOut {
        size_t end;  // it covers the subfolders from the frame's end (or the one before) to this
        Segment* segment;
    };
    // One folder of the job's chain.
    struct Frame {
        std::shared_ptr<const FolderNode> node;
        size_t next = 0;  // the subfolder to enter next
        size_t end = 0;   // subfolders from here on were handed out, or are another job's
        // The parts handed out, the one whose subfolders come first last: each new one comes
        // before those handed out earlier.
        std::vector<HandedOut> handedOut;
        bool writesBlock = true;  // false for a task's folder, whose block its walker writes
        bool lost = false;        // it moved away: its remaining subfolders cannot be reached
    };

    Step enter(size_t level, size_t i);
    Step read(FolderNode& node, const HeldFolder& held);
    void noteRead();
    Step shortageOf(Status why);
    bool takeOrPassHandedOut(Frame& frame);
    void push(std::shared_ptr<const FolderNode> node, HeldFolder held);
    void pop();
    void writeBlock(size_t level);
    bool leadsBackInside(const FolderNode& node);
    bool handOutFrom(size_t level, bool near);
    std::shared_ptr<const FoldersAbove> foldersAbove(size_t level);

    WalkTeam& team_;
    const FolderReading& reading_;
    FolderChain chain_;
    std::vector<Frame> frames_;
    std::shared_ptr<const FoldersAbove> above_;
    WalkOutput* output_ = nullptr;
    bool direct_ = false;
    YieldHook* yield_ = nullptr;
    // Only where the team adapts its threads to the reads' waits.
    WaitMeter meter_;
    bool metered_ = false;
    unsigned readsUnreported_ = 0;
    Segment* waitingOn_ = nullptr;
    Status shortage_;
    size_t firstWithWork_ = 0;  // no frame below it has subfolders left to hand out
    // The identities of the first knownInside_ folders on the chain.
    struct IdentityHash {
        size_t operator()(const FolderIdentity& identity) const;
    };
    std::unordered_multiset<FolderIdentity, IdentityHash> inside_;
    std::vector<std::optional<FolderIdentity>> insideOf_;  // each level's, as inserted
    size_t knownInside_ = 0;
    // The identities of the folders on the chain asked only for FolderNode::deepGuard.
    std::unordered_multiset<FolderIdentity, IdentityHash> guarded_;
};

}  // namespace quorvane
