#pragma once

#include <string>

#include "base/status.h"
#include "base/yield_hook.h"
#include "results/entry_source.h"
#include "results/workbook_writer.h"

namespace quorvane {

// Writes the results list as a workbook to `file` (see WorkbookWriter), letting the window run
// once before each entry. Fails with the one error that stopped it, or with ListChanged when
// the list loses entries meanwhile (see ListScan); after any failure no file is left behind.
Status WriteResultsWorkbook(const EntrySource& list, const std::string& file,
                            YieldHook* hook = nullptr,
                            size_t rowsPerSheet = WorkbookWriter::kSheetRows);

// Makes a new, empty file in the temporary folder with a name of its own ending in ".xlsx",
// for a workbook that the user saves elsewhere if at all, and gives its path.
Status ReserveTemporaryWorkbookPath(std::string& path);

}  // namespace quorvane
