#include "results/workbook_writer.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <random>

#include "results/atomic_file.h"
#include "results/cell_text.h"
#include "results/output_target.h"
#include "results/workbook_temporary_files.h"
#include "results/yielding_call.h"

namespace quorvane {

namespace {

constexpr const char* kHeading = "Results";

RunTimeError libraryError(lxw_error error) {
    return {lxw_strerror(error), error};
}

// Copies the file `from` into `to` (see AtomicFile). Returns the system's error, or nothing.
std::optional<RunTimeError> CopyFile(const std::string& from, const std::string& to) {
    AtomicFile target(to);
    if (!target.open()) return RunTimeError::fromSystemError(target.error());
    std::FILE* source = std::fopen(from.c_str(), "rb");
    if (!source) return RunTimeError::fromSystemError(errno != 0 ? errno : EIO);
    std::string buffer(size_t{1} << 16, '\0');
    bool written = true;
    while (written) {
        const size_t got = std::fread(buffer.data(), 1, buffer.size(), source);
        if (got == 0) break;
        written = target.write(std::string_view(buffer.data(), got));
    }
    const bool readFailed = std::ferror(source) != 0;
    std::fclose(source);
    if (readFailed) return RunTimeError::fromSystemError(EIO);
    if (!written || !target.commit()) return RunTimeError::fromSystemError(target.error());
    return std::nullopt;
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
    pendingPart_.forget();
}

bool WorkbookWriter::temporaryWritesFailed() {
    const TemporaryWriteFailures failures = WorkbookTemporaryWriteFailures();
    if (failures.count == temporaryWriteFailures_) return false;
    fail(RunTimeError::fromSystemError(failures.lastError != 0 ? failures.lastError : EIO));
    return true;
}

void WorkbookWriter::fail(RunTimeError error) {
    if (!failure_) failure_ = std::move(error);
    abandon();
}

std::optional<RunTimeError> WorkbookWriter::open() {
    const OutputTarget where = ResolveOutputTarget(file_);
    if (where.error != 0) {
        fail(RunTimeError::fromSystemError(where.error));
        return failure_;
    }
    destination_ = where.file;
    inPlace_ = where.inPlace;
    // The zip format is written with seeks, which a device or a pipe does not take: such a
    // workbook is built in the temporary folder and copied once complete.
    std::string beside = destination_;
    if (inPlace_) {
        std::error_code folderError;
        const std::filesystem::path folder = std::filesystem::temp_directory_path(folderError);
        if (folderError) {
            fail(RunTimeError::fromSystemError(folderError.value()));
            return failure_;
        }
        beside = (folder / "Quorvane workbook").string();
    }
    std::random_device seed;
    std::mt19937 random(seed());
    int error = 0;
    for (int attempt = 0; attempt < 100 && partFile_.empty(); ++attempt) {
        const std::string name = PartFileName(beside, static_cast<unsigned>(random()));
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
    pendingPart_ = PendingFile(partFile_);
    temporaryWriteFailures_ = WorkbookTemporaryWriteFailures().count;
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
    temporaryWritesFailed();
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
    if (temporaryWritesFailed()) return failure_;
    if (auto failure = deliver()) {
        fail(std::move(*failure));
        return failure_;
    }
    return std::nullopt;
}

std::optional<RunTimeError> WorkbookWriter::deliver() {
    if (inPlace_) {
        if (auto failure = CopyFile(partFile_, destination_)) return failure;
        std::remove(partFile_.c_str());
    } else {
        std::error_code renameError;
        std::filesystem::rename(partFile_, destination_, renameError);
        if (renameError) return RunTimeError::fromSystemError(renameError.value());
    }
    partFile_.clear();
    pendingPart_.forget();
    return std::nullopt;
}

}  // namespace quorvane
