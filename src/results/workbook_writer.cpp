#include "results/workbook_writer.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <random>

#include "results/cell_text.h"
#include "results/yielding_call.h"

namespace quorvane {

namespace {

constexpr const char* kHeading = "Results";

RunTimeError libraryError(lxw_error error) {
    return {lxw_strerror(error), error};
}

}  // namespace

WorkbookWriter::WorkbookWriter(std::string file, size_t rowsPerSheet)
    : file_(std::move(file)), rowsPerSheet_(std::clamp<size_t>(rowsPerSheet, 2, kSheetRows)) {}

WorkbookWriter::~WorkbookWriter() {
    abandon();
}

void WorkbookWriter::abandon() {
    if (workbook_) lxw_workbook_free(workbook_);
    workbook_ = nullptr;
    sheet_ = nullptr;
    if (!partFile_.empty()) std::remove(partFile_.c_str());
    partFile_.clear();
}

void WorkbookWriter::fail(RunTimeError error) {
    if (!failure_) failure_ = std::move(error);
    abandon();
}

std::optional<RunTimeError> WorkbookWriter::open() {
    std::random_device seed;
    std::mt19937 random(seed());
    int error = 0;
    for (int attempt = 0; attempt < 100 && partFile_.empty(); ++attempt) {
        const std::string name = file_ + ".part-" + std::to_string(random() % 1000000);
        errno = 0;
        // "x": the name must be new, so two writers never share a partial workbook.
        if (std::FILE* reserved = std::fopen(name.c_str(), "wbx")) {
            std::fclose(reserved);
            partFile_ = name;
        } else if (errno != EEXIST) {
            error = errno != 0 ? errno : EIO;
            break;
        }
    }
    if (partFile_.empty()) {
        fail(RunTimeError::fromSystemError(error != 0 ? error : EEXIST));
        return failure_;
    }
    lxw_workbook_options options = {};
    options.constant_memory = LXW_TRUE;
    workbook_ = workbook_new_opt(partFile_.c_str(), &options);
    if (!workbook_) {
        fail(libraryError(LXW_ERROR_MEMORY_MALLOC_FAILED));
        return failure_;
    }
    startSheet();
    return failure_;
}

bool WorkbookWriter::startSheet() {
    if (sheet_) fitColumn();
    sheet_ = workbook_add_worksheet(workbook_, nullptr);
    if (!sheet_) {
        fail(libraryError(LXW_ERROR_CREATING_TMPFILE));
        return false;
    }
    row_ = 0;
    widestPixels_ = TextPixelWidth(kHeading);
    if (const lxw_error error = worksheet_write_string(sheet_, 0, 0, kHeading, nullptr)) {
        fail(libraryError(error));
        return false;
    }
    row_ = 1;
    return true;
}

void WorkbookWriter::fitColumn() {
    const double width = ColumnWidthForPixels(widestPixels_);
    if (const lxw_error error = worksheet_set_column(sheet_, 0, 0, width, nullptr)) {
        fail(libraryError(error));
    }
}

void WorkbookWriter::append(std::string_view entry) {
    if (!workbook_) return;
    if (row_ >= rowsPerSheet_ && !startSheet()) return;
    cell_.clear();
    AppendCellText(entry, cell_);
    // An empty text leaves its row empty; the row still belongs to its entry.
    if (!cell_.empty()) {
        const lxw_error error =
            worksheet_write_string(sheet_, static_cast<lxw_row_t>(row_), 0, cell_.c_str(), nullptr);
        if (error) {
            fail(libraryError(error));
            return;
        }
        widestPixels_ = std::max(widestPixels_, TextPixelWidth(cell_));
    }
    ++row_;
}

std::optional<RunTimeError> WorkbookWriter::finish(YieldHook* hook) {
    if (!workbook_) {
        if (!failure_) failure_ = RunTimeError::fromSystemError(EBADF);
        return failure_;
    }
    fitColumn();
    if (failure_) return failure_;
    lxw_workbook* workbook = workbook_;
    workbook_ = nullptr;
    sheet_ = nullptr;
    // Closing writes the whole file and frees the workbook, whether it succeeds or not.
    const lxw_error error =
        CallWhileYielding(hook, [workbook] { return workbook_close(workbook); });
    if (error != LXW_NO_ERROR) {
        fail(libraryError(error));
        return failure_;
    }
    std::error_code renameError;
    std::filesystem::rename(partFile_, file_, renameError);
    if (renameError) {
        fail(RunTimeError::fromSystemError(renameError.value()));
        return failure_;
    }
    partFile_.clear();
    return std::nullopt;
}

}  // namespace quorvane
