#include "form/run_progress.h"

#include <algorithm>

#include "form/form1_layout.h"

namespace quorvane {

RunProgress::RunProgress(ResultsList& results, FormView& view, const NumberFormat& format)
    : results_(results),
      view_(view),
      format_(format),
      lastPublished_(Clock::now()),
      lastCaption_(lastPublished_) {}

void RunProgress::beforePass() {
    const Clock::time_point now = Clock::now();
    if (now - lastCaption_ >= kCaptionInterval) showCount(now);
    if (now - lastPublished_ < interval_) return;
    results_.publishAppended();
    passStart_ = now;
}

void RunProgress::afterPass() {
    if (!passStart_) return;
    const Clock::time_point now = Clock::now();
    interval_ = std::min<Clock::duration>(10 * (now - *passStart_), kLongestInterval);
    passStart_.reset();
    lastPublished_ = now;
}

void RunProgress::end() {
    results_.publishAppended();
    if (counted_) view_.setCaption(kProductName);
    counted_ = false;
}

void RunProgress::showCount(Clock::time_point now) {
    lastCaption_ = now;
    const auto folders = static_cast<std::uint64_t>(results_.count());
    if (counted_ && folders == shownCount_) return;
    view_.setCaption(RunCaption(folders, format_));
    shownCount_ = folders;
    counted_ = true;
}

std::string RunCaption(std::uint64_t folders, const NumberFormat& format) {
    return std::string(kProductName) + " \u2013 " + GroupedDigits(folders, format) +
           (folders == 1 ? " folder" : " folders");
}

}  // namespace quorvane
