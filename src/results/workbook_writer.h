#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "engine/run_time_error.h"
#include "engine/yield_hook.h"
#include "results/pending_files.h"

struct lxw_workbook;
struct lxw_worksheet;

namespace quorvane {

// Writes the results workbook one entry at a time: "Results" in A1, one entry per row below
// it, every entry as text (never read as a formula or a number, whatever it looks like), and
// column A as wide as its widest text. Rows go straight to disk, so memory stays flat however
// many entries there are. When a sheet is full, the entries go on in a further sheet under a
// heading of its own, so none is dropped.
//
// The workbook appears at its file name only once finish() succeeds: it is built beside it
// under a new name and renamed into place (a symbolic link keeps its link, the file behind
// it is replaced). A device or a pipe as the file gets the workbook once it is complete, built
// in the temporary folder. A failure of any kind, the library's or a write to its temporary
// files, is one error from finish(); appending after a failure does nothing.
class WorkbookWriter {
  public:
    static constexpr size_t kSheetRows = 1048576;  // a sheet's rows, the heading's included

    explicit WorkbookWriter(std::string file, size_t rowsPerSheet = kSheetRows);
    ~WorkbookWriter();  // without a successful finish(), leaves no file behind
    WorkbookWriter(const WorkbookWriter&) = delete;
    WorkbookWriter& operator=(const WorkbookWriter&) = delete;

    // Reserves the file's new name, so a folder that cannot take the workbook is known before
    // any entry is written. Returns the system's error, or nothing.
    std::optional<RunTimeError> open();
    void append(std::string_view entry);
    // Packs the workbook into its file, which takes a while for many rows; with a hook the
    // window runs meanwhile (see CallWhileYielding).
    std::optional<RunTimeError> finish(YieldHook* hook = nullptr);

    // True once a failure makes the workbook impossible; finish() then reports it.
    bool failed() const { return failure_.has_value(); }

  private:
    bool startSheet();
    void fitColumn();
    void fail(RunTimeError error);
    void abandon();
    bool temporaryWritesFailed();
    std::optional<RunTimeError> deliver();

    std::string file_;
    std::string destination_;  // the file that the workbook replaces
    bool inPlace_ = false;     // a device or a pipe, written in place
    std::string partFile_;
    PendingFile pendingPart_;
    unsigned temporaryWriteFailures_ = 0;  // the process's count when the workbook began
    size_t rowsPerSheet_;
    lxw_workbook* workbook_ = nullptr;
    lxw_worksheet* sheet_ = nullptr;
    size_t row_ = 0;           // the next row of the current sheet, 0-based
    size_t widestPixels_ = 0;  // of the current sheet's texts
    std::string cell_;
    std::optional<RunTimeError> failure_;
};

}  // namespace quorvane
