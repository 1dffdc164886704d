#include "results/results_workbook.h"

#include "output/new_file.h"
#include "results/list_scan.h"

namespace quorvane {

Status WriteResultsWorkbook(const EntrySource& list, const std::string& file, YieldHook* hook,
                            size_t rowsPerSheet) {
    WorkbookWriter writer(file, rowsPerSheet);
    if (const Status status = writer.open(); !status.ok()) return status;
    ListScan scan(list, hook);
    std::string_view entry;
    for (size_t i = 1; i <= scan.count(); ++i) {
        // The writer's destructor removes what it wrote.
        if (const Status status = scan.next(i, entry); !status.ok()) return status;
        if (const Status status = writer.append(entry); !status.ok()) return status;
    }
    return writer.finish(hook);
}

Status ReserveTemporaryWorkbookPath(std::string& path) {
    return CreateTemporaryFile("Quorvane Results ", ".xlsx", path);
}

}  // namespace quorvane
