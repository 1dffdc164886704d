#include "results/results_workbook.h"

#include "output/new_file.h"
#include "results/list_scan.h"

namespace quorvane {

std::optional<RunTimeError> WriteResultsWorkbook(const PathList& list, const std::string& file,
                                                 YieldHook* hook, size_t rowsPerSheet) {
    WorkbookWriter writer(file, rowsPerSheet);
    if (auto failure = writer.open()) return failure;
    ListScan scan(list, hook);
    for (size_t i = 1; i <= scan.count(); ++i)
        writer.append(scan.next(i));
    return writer.finish(hook);
}

std::string ReserveTemporaryWorkbookPath() {
    return CreateTemporaryFile("Quorvane Results ", ".xlsx");
}

}  // namespace quorvane
