#include <windows.h>

#include <optional>
#include <utility>

#include "support/expected_walk.h"
#include "support/wide_text.h"

namespace quorvane::test {

namespace {

using Identity = std::pair<DWORD, ULONGLONG>;

// The visible subfolders of `folder` in listing order; none when it cannot be read.
std::vector<std::string> visibleFolders(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((LongForm(folder) + L"*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        const std::wstring name = data.cFileName;
        const DWORD attributes = data.dwFileAttributes;
        if (name == L"." || name == L".." || !(attributes & FILE_ATTRIBUTE_DIRECTORY) ||
            (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))) {
            continue;
        }
        names.push_back(Narrow(name));
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return names;
}

std::optional<Identity> identityOf(const std::string& path) {
    HANDLE file = CreateFileW(LongForm(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info{};
    GetFileInformationByHandle(file, &info);
    CloseHandle(file);
    return Identity{info.dwVolumeSerialNumber,
                    (ULONGLONG{info.nFileIndexHigh} << 32) | info.nFileIndexLow};
}

void walk(const std::string& folder, int depth, std::vector<std::optional<Identity>>& chain,
          std::vector<std::string>& out) {
    std::vector<std::string> block;
    for (const std::string& name : visibleFolders(folder))
        block.push_back(folder + name + "\\");
    if (depth != 1) {
        for (const std::string& sub : block) {
            const auto id = identityOf(sub);
            bool onChain = false;
            for (const auto& c : chain)
                onChain = onChain || (id && c == id);
            if (onChain) continue;
            chain.push_back(id);
            walk(sub, depth == 0 ? 0 : depth - 1, chain, out);
            chain.pop_back();
        }
    }
    out.insert(out.end(), block.begin(), block.end());
}

}  // namespace

std::vector<std::string> ExpectedWalk(const std::string& root, int depth) {
    std::vector<std::string> out;
    std::vector<std::optional<Identity>> chain{identityOf(root)};
    walk(root, depth, chain, out);
    return out;
}

}  // namespace quorvane::test
