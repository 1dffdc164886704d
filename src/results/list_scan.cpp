#include "results/list_scan.h"

#include "engine/run_time_error.h"

namespace quorvane {

std::string_view ListScan::next(size_t index) {
    yieldTo(hook_);
    if (list_.removalCount() != removals_) throw RunTimeError::indexOutOfBounds();
    return list_.at(static_cast<std::int64_t>(index));
}

}  // namespace quorvane
