#pragma once

#include <exception>
#include <string>
#include <utility>

#include "form/dialogs.h"

namespace quorvane {

// The error trap of one command handler. The handler runs its numbered steps through it; a
// step that fails is reported with the standard error report, naming the handler and the
// number of the last step begun (0 before the first), and the handler goes on with its next
// step, so a command is never abandoned half-way and always clears its busy state.
//
// The report is shown from memory kept for it (see memory_reserve.h), which every trap takes
// again as its procedure starts where it was given back, so that even a command that ran out of
// memory can say so; a report that fails all the same is given up, and the command goes on.
class ErrorTrap {
  public:
    // The report's form: the standard one, or the walk's own (WalkErrorReportText), whose
    // trap is armed only while the walk makes its list, when its path and name are empty.
    enum class Form { Standard, Walk };

    ErrorTrap(Dialogs& dialogs, const char* procedurePath, Form form = Form::Standard);

    // Runs the step numbered `line`. A failure loses the step's effect and is reported.
    template <typename Step>
    void step(int line, Step&& body) {
        line_ = line;
        guard(std::forward<Step>(body));
    }

    // Runs the test of a conditional numbered `line`. A test that fails is reported and
    // counts as true: execution goes into the guarded block, as the next statement after a
    // failed test is the block's first one.
    template <typename Test>
    bool test(int line, Test&& condition) {
        line_ = line;
        bool result = true;
        guard([&] { result = condition(); });
        return result;
    }

    // Runs code that belongs to the last numbered step begun.
    template <typename Body>
    void guard(Body&& body) {
        try {
            body();
        } catch (...) {
            report(std::current_exception());
        }
    }

    int line() const { return line_; }

  private:
    void report(std::exception_ptr failure) noexcept;

    Dialogs& dialogs_;
    const char* procedurePath_;
    Form form_;
    int line_ = 0;
};

// The description and number of a failure, in the terms the error report uses.
struct FailureDetails {
    std::string description;
    long number = 0;
};
FailureDetails DescribeFailure(std::exception_ptr failure);

}  // namespace quorvane
