#include <windows.h>

#include <random>
#include <stdexcept>

#include "support/fixture_tree.h"
#include "support/temp_folder.h"
#include "support/wide_text.h"

namespace quorvane::test {

TempFolder::TempFolder() {
    wchar_t base[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, base);
    if (length == 0 || length > MAX_PATH) throw std::runtime_error("no temporary folder");
    std::mt19937 random{std::random_device{}()};
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string path =
            Narrow(base) + "quorvane-test-" + std::to_string(random() % 100000000);
        if (CreateDirectoryW(Wide(path).c_str(), nullptr)) {
            path_ = path;
            return;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS) break;
    }
    throw std::runtime_error(LastErrorText("cannot create a folder in", Narrow(base)));
}

TempFolder::~TempFolder() {
    RemoveTree(path_);
}

}  // namespace quorvane::test
