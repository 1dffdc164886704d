#include "form/scratch_file.h"

#include <filesystem>

#include "form/local_path.h"

namespace quorvane {

std::string ScratchFilePath() {
#ifdef _WIN32
    return "C:\\vrn.txt";
#else
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::temp_directory_path(error);
    return FromLocalPath((error ? std::filesystem::path("/tmp") : folder) / "vrn.txt");
#endif
}

}  // namespace quorvane
