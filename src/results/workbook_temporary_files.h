#pragma once

namespace quorvane {

// libxlsxwriter builds every part of a workbook in temporary files and ignores what their
// writes return, so a full temporary folder would go unnoticed and give a workbook with
// empty or cut parts. Where the platform allows (glibc), the program supplies those files
// itself and counts the writes to them that fail.

// True when the writes to the library's temporary files are watched.
bool WatchesWorkbookTemporaryFiles();

struct TemporaryWriteFailures {
    unsigned count = 0;  // so far in this process
    int lastError = 0;   // the system's error of the last one
};

TemporaryWriteFailures WorkbookTemporaryWriteFailures();

}  // namespace quorvane
