#include "results/list_scan.h"

namespace quorvane {

Status ListScan::next(size_t index, std::string_view& entry, size_t& shared) {
    yieldTo(hook_);
    if (list_.removalCount() != removals_) return Status::of(Status::Failure::ListChanged);
    // Without removals the list has only grown, so the index still names its entry.
    entry = reader_->read(index - 1, shared);
    return {};
}

}  // namespace quorvane
