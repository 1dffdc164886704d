#include <windows.h>

#include <algorithm>
#include <optional>
#include <utility>

#include "support/expected_walk.h"
#include "support/wide_text.h"

namespace quorvane::test {

namespace {

using Identity = std::pair<DWORD, ULONGLONG>;

struct Entry {
    std::string name;
    DWORD attributes;
    std::uint64_t size;
};

// The entries of `folder` in listing order, "." and ".." left out; none when it cannot be read.
std::vector<Entry> allEntries(const std::string& folder) {
    std::vector<Entry> entries;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((LongForm(folder) + L"*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return entries;
    do {
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        entries.push_back({Narrow(name), data.dwFileAttributes,
                           (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow});
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return entries;
}

bool listed(const Entry& entry, const ListingChoice& choice) {
    return choice.hidden || !(entry.attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
}

bool isFolder(const Entry& entry) {
    return entry.attributes & FILE_ATTRIBUTE_DIRECTORY;
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

void walk(const std::string& folder, const std::string& relative, int depth, int level,
          const ListingChoice& choice, std::vector<std::optional<Identity>>& chain,
          std::vector<ExpectedFolder>& out) {
    std::vector<std::string> names;
    for (const Entry& entry : allEntries(folder)) {
        if (!listed(entry, choice) || !isFolder(entry)) continue;
        if (choice.excluded && choice.excluded(entry.name, relative + entry.name)) continue;
        names.push_back(entry.name);
    }
    if (choice.before) std::stable_sort(names.begin(), names.end(), choice.before);
    if (depth != 1) {
        for (const std::string& name : names) {
            const auto id = identityOf(folder + name + "\\");
            bool onChain = false;
            for (const auto& c : chain)
                onChain = onChain || (id && c == id);
            if (onChain) continue;
            chain.push_back(id);
            walk(folder + name + "\\", relative + name + "\\", depth == 0 ? 0 : depth - 1,
                 level + 1, choice, chain, out);
            chain.pop_back();
        }
    }
    for (const std::string& name : names)
        out.push_back({folder + name + "\\", level});
}

}  // namespace

std::vector<ExpectedFolder> ExpectedListing(const std::string& root, int depth,
                                            const ListingChoice& choice) {
    std::vector<ExpectedFolder> out;
    std::vector<std::optional<Identity>> chain{identityOf(root)};
    walk(root, "", depth, 1, choice, chain, out);
    return out;
}

std::vector<std::string> ExpectedWalk(const std::string& root, int depth) {
    std::vector<std::string> paths;
    for (ExpectedFolder& folder : ExpectedListing(root, depth, {}))
        paths.push_back(std::move(folder.path));
    return paths;
}

EntryCounts ExpectedCounts(const std::string& folder, const ListingChoice& choice) {
    EntryCounts counts;
    const std::string path = folder.ends_with('\\') ? folder : folder + "\\";
    for (const Entry& entry : allEntries(path)) {
        ++counts.entries;
        if (!listed(entry, choice)) continue;
        if (isFolder(entry)) {
            ++counts.folders;
        } else {
            ++counts.files;
            counts.bytes += entry.size;
        }
    }
    return counts;
}

}  // namespace quorvane::test
