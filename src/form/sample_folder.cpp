#include "form/sample_folder.h"

#include <filesystem>

#include "form/help_texts.h"
#include "text/local_path.h"

namespace quorvane {

namespace {

bool IsFolder(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_directory(LocalPath(path), error);
}

}  // namespace

std::string InstalledSampleFolder(const std::string& programFolder) {
    std::filesystem::path installed = LocalPath(programFolder) / QUORVANE_SAMPLES_FROM_PROGRAM;
    return FromLocalPath(installed.lexically_normal().make_preferred());
}

std::string FindSampleFolder(const std::string& programFolder) {
    const std::string beside = SampleFolderPath(programFolder);
    if (IsFolder(beside)) return beside;
    const std::string installed = InstalledSampleFolder(programFolder);
    return IsFolder(installed) ? installed : beside;
}

}  // namespace quorvane
