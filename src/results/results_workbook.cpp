#include "results/results_workbook.h"

#include <random>

#include "engine/path_rules.h"
#include "results/list_scan.h"
#include "results/new_file.h"

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
    const std::string folder = TemporaryFolder();
    std::random_device seed;
    std::mt19937 random(seed());
    int error = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string path = folder + kSeparator + "Quorvane Results " +
                                 std::to_string(random() % 100000000) + ".xlsx";
        switch (CreateNewFile(path, error)) {
            case NewFileResult::Created:
                return path;
            case NewFileResult::Exists:
                continue;
            case NewFileResult::Failed:
                throw RunTimeError::fromSystemError(error);
        }
    }
    throw RunTimeError::fromSystemError(error);
}

}  // namespace quorvane
