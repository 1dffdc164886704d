#include "engine/folder_walk.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/folder_listing.h"
#include "engine/path_rules.h"

namespace quorvane {

namespace {

// Below this many levels each folder keeps its handle open while the walk is inside it, so
// subfolders open relative to it; deeper folders are opened by full path, so that a very deep
// tree cannot run the process out of descriptors.
constexpr size_t kHeldHandles = 128;

// One folder on the walk's current chain, from the target down to the folder being listed.
struct Frame {
    FolderListing listing;
    std::string path;  // folder path form
    int depth = 0;     // what the depth argument is for this folder
    bool descend = false;
    size_t next = 0;  // the subfolder to enter next
    // Reached through a link, here or further up: below such a folder even a plain
    // subfolder may be one the walk is already inside.
    bool belowLink = false;
    std::optional<FolderIdentity> identity;
    bool identityRead = false;
};

class Walk {
  public:
    Walk(FolderSink& results, bool recurse, bool limitDepth, const WalkContext& context)
        : results_(results), recurse_(recurse), limitDepth_(limitDepth), context_(context) {}

    void run(std::string_view root, int depth) {
        if (results_.stopped()) return;
        Frame& top = frame(0);
        // The POSIX rule is idempotent, so one pass over the root keeps every path below it
        // clean; the Windows rule is applied to each path as it is formed.
#ifdef _WIN32
        top.path.assign(root);
#else
        top.path = CollapseSlashRuns(root);
#endif
        top.belowLink = false;
        open(top, 0, nullptr, {}, depth, std::nullopt);
        if (context_.stayOnVolume) {
            if (const auto self = top.listing.identity()) device_ = self->device;
        }

        size_t level = 0;
        for (;;) {
            Frame& current = frame(level);
            if (current.descend && current.next < current.listing.count()) {
                const size_t i = current.next++;
                const bool belowLink = current.belowLink || current.listing.throughLink(i);
                if (belowLink && leadsBackInside(level, i)) continue;
                Frame& child = frame(level + 1);
                child.belowLink = belowLink;
                child.path = childPath(current.path, current.listing.name(i));
                if (results_.stopped()) return;
                const bool mayLeaveVolume =
                    !FolderListing::kVolumesJoinOnlyAtLinks || current.listing.throughLink(i);
                open(child, level + 1, &current.listing, current.listing.name(i), current.depth - 1,
                     mayLeaveVolume ? device_ : std::nullopt);
                ++level;
                continue;
            }
            appendBlock(current);
            current.listing.releaseHandle();
            if (level == 0 || results_.stopped()) break;
            --level;
        }
    }

  private:
    Frame& frame(size_t level) {
        while (frames_.size() <= level)
            frames_.push_back(std::make_unique<Frame>());
        return *frames_[level];
    }

    void open(Frame& f, size_t level, const FolderListing* parent, std::string_view name, int depth,
              std::optional<std::uint64_t> device) {
        f.depth = depth;
        f.descend = recurse_ && (!limitDepth_ || depth > 1);
        f.next = 0;
        f.identity.reset();
        f.identityRead = false;
        const int error = f.listing.list(f.path, parent, name, context_.yield, device);
        if (error != 0 && error != FolderListing::kOtherVolume) results_.unreadable(f.path, error);
        if (level >= kHeldHandles || !f.descend) f.listing.releaseHandle();
    }

    // Only a link, or a folder below one, can lead back to a folder on the chain; its
    // identity is compared with the chain's, which are read lazily, so a tree without links
    // costs no extra calls.
    bool leadsBackInside(size_t level, size_t i) {
        const auto target = frame(level).listing.subfolderIdentity(i);
        if (!target) return true;
        for (size_t k = 0; k <= level; ++k) {
            Frame& f = frame(k);
            if (!f.identityRead) {
                f.identity = f.listing.identity();
                f.identityRead = true;
            }
            if (f.identity == target) return true;
        }
        return false;
    }

    const std::string& childPath(const std::string& parent, std::string_view name) {
        scratch_.assign(parent).append(name).push_back(kSeparator);
#ifdef _WIN32
        scratch_ = RemoveDoubleBackslashesWindows(scratch_);
#endif
        return scratch_;
    }

    void appendBlock(Frame& f) {
        for (size_t i = 0; i < f.listing.count(); ++i) {
            yieldTo(context_.yield);
            results_.append(childPath(f.path, f.listing.name(i)));
            if (results_.stopped()) return;
        }
    }

    FolderSink& results_;
    const bool recurse_;
    const bool limitDepth_;
    const WalkContext& context_;
    std::optional<std::uint64_t> device_;
    std::vector<std::unique_ptr<Frame>> frames_;
    std::string scratch_;
};

}  // namespace

void GetSubDirectoriesUnique(std::string_view path, FolderSink& results, bool recurse,
                             bool limitDepth, std::int16_t depth, const WalkContext& context) {
    Walk(results, recurse, limitDepth, context).run(path, depth);
}

}  // namespace quorvane
