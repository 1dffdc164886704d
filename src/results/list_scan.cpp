#include "results/list_scan.h"

namespace quorvane {

Status ListScan::next(size_t index, std::string_view& entry) {
    yieldTo(hook_);
    if (list_.removalCount() != removals_) return Status::of(Status::Failure::ListChanged);
    // Without removals the list has only grown, so the index still names its entry.
    entry = list_[index - 1];
    return {};
}

}  // namespace quorvane
