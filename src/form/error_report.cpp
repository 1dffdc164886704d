#include "form/error_report.h"

namespace quorvane {

namespace {

std::string reportHead(std::string_view description, std::string_view procedurePath, int line) {
    std::string text(description);
    text += "\r\n";
    text += procedurePath;
    text += "at line ";
    text += std::to_string(line);
    text += "\r\r";
    return text;
}

std::string screenshotRequest() {
    return std::string("Please email screenshot of this message to ") + kSupportAddress;
}

}  // namespace

std::string ErrorReportText(std::string_view description, std::string_view procedurePath,
                            int line) {
    return reportHead(description, procedurePath, line) + screenshotRequest();
}

std::string WalkErrorReportText(std::string_view description, int line, long number,
                                std::string_view path, std::string_view name) {
    std::string text = reportHead(description, procedure::kSubfolderWalk, line);
    text += "Err.Number ";
    text += std::to_string(number);
    text += " Path is ";
    text += path;
    text += "\r\rName is ";
    text += name;
    text += "\r\r";
    return text + screenshotRequest();
}

}  // namespace quorvane
