#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "base/status.h"
#include "base/yield_hook.h"
#include "output/atomic_file.h"
#include "results/zip_writer.h"

namespace quorvane {

// Writes the results workbook (.xlsx) one entry at a time: "Results" in A1, one entry per row
// below it, every entry as text (never read as a formula or a number, whatever it looks like),
// and column A as wide as its widest text. Rows are compressed straight into the file, so
// memory stays flat however many entries there are. When a sheet is full, the entries go on in
// a further sheet under a heading of its own, so none is dropped.
//
// The workbook appears at its file name only once finish() succeeds: it is built beside it
// under a new name and renamed into place (a symbolic link keeps its link, the file behind
// it is replaced; see AtomicFile). A zip archive is written with seeks, which a device or a
// pipe does not take: such a file gets the workbook once it is complete, built in the
// temporary folder in a file that no end of the program leaves behind. After the first
// failure, of any kind, every call does nothing and gives that failure again, finish() too.
class WorkbookWriter {
  public:
    static constexpr size_t kSheetRows = 1048576;  // a sheet's rows, the heading's included

    explicit WorkbookWriter(std::string file, size_t rowsPerSheet = kSheetRows);
    // Without a successful finish(), leaves no file behind.
    ~WorkbookWriter();
    WorkbookWriter(const WorkbookWriter&) = delete;
    WorkbookWriter& operator=(const WorkbookWriter&) = delete;

    // Creates the file's new name, so a folder that cannot take the workbook is known before
    // any entry is written.
    Status open();
    Status append(std::string_view entry);
    // Completes the workbook and puts it in place; with a hook the window runs while it goes
    // to the disk (see CallWhileYielding).
    Status finish(YieldHook* hook = nullptr);

  private:
    bool failed() const { return !failure_.ok(); }
    Status startSheet();
    Status endSheet();
    Status appendRow(std::string_view cellText);
    // Keeps `status` when it is the first failure; returns it.
    Status note(Status status);

    std::string file_;
    std::unique_ptr<AtomicFile> out_;
    std::unique_ptr<ZipWriter> zip_;
    Status failure_;  // the first, from the file or the archive
    size_t rowsPerSheet_;
    size_t sheets_ = 0;
    size_t row_ = 0;           // the next row of the current sheet, 0-based
    size_t widestPixels_ = 0;  // of the current sheet's texts
    std::string cell_;
    std::string xml_;
};

}  // namespace quorvane
