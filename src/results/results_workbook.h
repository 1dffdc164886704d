#pragma once

#include <optional>
#include <string>

#include "engine/run_time_error.h"
#include "engine/yield_hook.h"
#include "results/path_list.h"
#include "results/workbook_writer.h"

namespace quorvane {

// Writes the results list as a workbook to `file` (see WorkbookWriter), letting the window run
// once before each entry. Returns the one error that stopped it, or nothing when written.
// Throws RunTimeError::indexOutOfBounds when the list loses entries meanwhile (see ListScan);
// then, as after any failure, no file is left behind.
std::optional<RunTimeError> WriteResultsWorkbook(const PathList& list, const std::string& file,
                                                 YieldHook* hook = nullptr,
                                                 size_t rowsPerSheet = WorkbookWriter::kSheetRows);

// A new, empty file in the temporary folder with a name of its own ending in ".xlsx", for a
// workbook that the user saves elsewhere if at all. Throws RunTimeError with the system's
// error when none can be made.
std::string ReserveTemporaryWorkbookPath();

}  // namespace quorvane
