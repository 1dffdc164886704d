// Editing the results list: removing the selected entry, clearing, and the two text filters.

#include <string>
#include <vector>

#include "form/error_report.h"
#include "form/error_trap.h"
#include "form/form1.h"
#include "form/run_time_error.h"
#include "form/window_yield_hook.h"
#include "results/result_filters.h"

namespace quorvane {

namespace {

constexpr char kContainingPrompt[] = "Remove entries containing: ";
constexpr char kNotContainingPrompt[] = "Remove entries not containing: ";

}  // namespace

void Form1::keyDownInResults(int keyCode, int /*shift*/) {
    if (keyCode != kDeleteKeyCode) return;
    removeSelectedResult();
}

void Form1::removeSelectedResult() {
    // A busy command may be reading the list by index.
    if (mousePointer_ == kHourglassPointer) return;
    if (results_.count() == 0) return;
    const std::int64_t selected = view_.selectedResult();
    if (selected == 0) return;
    ThrowIfFailed(results_.removeAt(selected));
}

void Form1::clearResults() {
    ErrorTrap trap(services_.dialogs, procedure::kClearResults);
    trap.step(100, [&] {
        if (mousePointer_ != kHourglassPointer) results_.clear();
    });
}

void Form1::removeContaining() {
    removeResultsWithText(procedure::kRemoveContaining, kContainingPrompt,
                          ResultFilter::Containing);
}

void Form1::removeNotContaining() {
    removeResultsWithText(procedure::kRemoveNotContaining, kNotContainingPrompt,
                          ResultFilter::NotContaining);
}

void Form1::removeResultsWithText(const char* procedurePath, const char* prompt,
                                  ResultFilter filter) {
    ErrorTrap trap(services_.dialogs, procedurePath);
    std::string text;
    trap.step(100, [&] { text = services_.dialogs.input(prompt, applicationTitle_); });
    if (trap.test(102, [&] { return text.empty(); })) return;
    // Set whatever the pointer was: the filter may run inside another command's yield.
    trap.step(104, [&] { setMousePointer(kHourglassPointer); });
    trap.step(106, [&] {
        WindowYieldHook hook(view_);
        std::vector<bool> remove;
        // A scan that failed throws here: nothing is removed then.
        ThrowIfFailed(ResultsToRemove(results_.entries(), text, filter, &hook, remove));
        results_.removeMarked(remove);
    });
    trap.step(108, [&] { setMousePointer(kDefaultPointer); });
}

}  // namespace quorvane
