#include "results/results_workbook.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <random>

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
    std::error_code folderError;
    const std::filesystem::path folder = std::filesystem::temp_directory_path(folderError);
    if (folderError) throw RunTimeError::fromSystemError(folderError.value());
    std::random_device seed;
    std::mt19937 random(seed());
    int error = EEXIST;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string path =
            (folder / ("Quorvane Results " + std::to_string(random() % 100000000) + ".xlsx"))
                .string();
        errno = 0;
        if (std::FILE* reserved = std::fopen(path.c_str(), "wbx")) {
            std::fclose(reserved);
            return path;
        }
        if (errno != EEXIST) {
            error = errno != 0 ? errno : EIO;
            break;
        }
    }
    throw RunTimeError::fromSystemError(error);
}

}  // namespace quorvane
