#include "cli/folder_problem.h"

#include <windows.h>

#include <cerrno>

#include "engine/extended_length_path.h"
#include "engine/folder_exists.h"
#include "engine/path_rules.h"

namespace quorvane::cli {

Status FolderProblem(const std::string& folder) {
    // The attributes' own failures (no access, a bad name) all leave the folder unseen. The
    // C library's numbers, for its words: "No such file or directory", as elsewhere.
    const auto exists = FolderExists(folder);
    if (!exists) return Status::library(ENOENT);
    if (!*exists) return Status::library(ENOTDIR);
    // A folder that is there may still refuse to be listed: its first entry is read, as the
    // walk will read them.
    const std::wstring pattern = ToExtendedLengthPath(ToFolderPathForm(folder)) + L"*";
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                   nullptr, 0);
    if (find == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        // An empty drive root has no "." entry.
        return error == ERROR_FILE_NOT_FOUND ? Status() : Status::system(static_cast<int>(error));
    }
    FindClose(find);
    return {};
}

}  // namespace quorvane::cli
