#pragma once

#include <chrono>
#include <cstdint>
#include <optional>

#include "form/form_view.h"
#include "results/results_list.h"
#include "text/numeric_text.h"

namespace quorvane {

// What the window shows of a run while it goes on: the new rows, told to the view now and
// then, and the count of the folders found in the caption, a few times a second.
//
// Told of new rows, a list view lays out all its rows again in the next pass of the event
// loop, which takes longer the longer the list is. So the rows are told at intervals that
// grow with what that pass cost (ten times as long, from every pass up to every half second):
// the list visibly fills while the layouts stay a small share of the run.
class RunProgress {
  public:
    RunProgress(ResultsList& results, FormView& view, const NumberFormat& format);

    // Around each pass of the event loop during the run.
    void beforePass();
    void afterPass();
    // Every row is told, and the caption is the program's again.
    void end();

  private:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds kLongestInterval{500};
    static constexpr std::chrono::milliseconds kCaptionInterval{250};

    void showCount(Clock::time_point now);

    ResultsList& results_;
    FormView& view_;
    const NumberFormat& format_;
    Clock::time_point lastPublished_;
    std::optional<Clock::time_point> passStart_;
    Clock::duration interval_ = Clock::duration::zero();
    // The first count shows once the run has gone on for a while: a short run never changes
    // the caption.
    Clock::time_point lastCaption_;
    bool counted_ = false;
    std::uint64_t shownCount_ = 0;
};

// The caption during a run that has found `folders` so far: "Quorvane – 1,234 folders".
std::string RunCaption(std::uint64_t folders, const NumberFormat& format);

}  // namespace quorvane
