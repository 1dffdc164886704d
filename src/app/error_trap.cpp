#include "app/error_trap.h"

#include <new>
#include <system_error>

#include "app/error_report.h"
#include "engine/run_time_error.h"

namespace quorvane {

FailureDetails DescribeFailure(std::exception_ptr failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const RunTimeError& error) {
        return {QString::fromStdString(error.what()), error.number()};
    } catch (const std::bad_alloc&) {
        return {QStringLiteral("Out of memory"), 7};
    } catch (const std::system_error& error) {
        return {QString::fromStdString(error.code().message()), error.code().value()};
    } catch (const std::exception& error) {
        return {QString::fromStdString(error.what()), 0};
    } catch (...) {
        return {QStringLiteral("Unknown error"), 0};
    }
}

void ErrorTrap::report(std::exception_ptr failure) {
    const FailureDetails details = DescribeFailure(failure);
    const std::string text =
        ErrorReportText(details.description.toStdString(), procedurePath_, line_);
    dialogs_.message(QString::fromStdString(text), QString::fromLatin1(kErrorReportTitle),
                     MessageStyle::Exclamation);
}

}  // namespace quorvane
