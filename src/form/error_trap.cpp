#include "form/error_trap.h"

#include <new>
#include <system_error>

#include "form/error_report.h"
#include "form/memory_reserve.h"
#include "form/run_time_error.h"

namespace quorvane {

FailureDetails DescribeFailure(std::exception_ptr failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const RunTimeError& error) {
        return {error.what(), error.number()};
    } catch (const std::bad_alloc&) {
        return {"Out of memory", 7};
    } catch (const std::system_error& error) {
        return {error.code().message(), error.code().value()};
    } catch (const std::exception& error) {
        return {error.what(), 0};
    } catch (...) {
        return {"Unknown error", 0};
    }
}

ErrorTrap::ErrorTrap(Dialogs& dialogs, const char* procedurePath, Form form)
    : dialogs_(dialogs), procedurePath_(procedurePath), form_(form) {
    KeepMemoryReserve();
}

void ErrorTrap::report(std::exception_ptr failure) noexcept {
    ReleaseMemoryReserve();
    try {
        const FailureDetails details = DescribeFailure(failure);
        const std::string text =
            form_ == Form::Walk
                ? WalkErrorReportText(details.description, line_, details.number, "", "")
                : ErrorReportText(details.description, procedurePath_, line_);
        dialogs_.message(text, kErrorReportTitle, MessageStyle::Exclamation);
    } catch (...) {
        // Not even the memory kept for it was room enough: the report is lost, the command
        // goes on.
    }
    KeepMemoryReserve();
}

}  // namespace quorvane
