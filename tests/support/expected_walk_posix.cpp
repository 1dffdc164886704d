#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <utility>

#include "support/expected_walk.h"

namespace quorvane::test {

namespace {

using Identity = std::pair<dev_t, ino_t>;

bool isFolder(const std::string& path) {
    struct stat st;
    if (stat(path.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
    return lstat(path.c_str(), &st) != 0;  // no type at all counts as a folder
}

// The names of `folder` in listing order, "." and ".." left out; none when it cannot be read.
std::vector<std::string> allNames(const std::string& folder) {
    std::vector<std::string> names;
    if (DIR* dir = opendir(folder.c_str())) {
        while (const dirent* entry = readdir(dir)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..") names.push_back(name);
        }
        closedir(dir);
    }
    return names;
}

bool listed(const std::string& name, const ListingChoice& choice) {
    return choice.hidden || name[0] != '.';
}

Identity identityOf(const std::string& path) {
    struct stat st {};
    stat(path.c_str(), &st);
    return {st.st_dev, st.st_ino};
}

void walk(const std::string& folder, const std::string& relative, int depth, int level,
          const ListingChoice& choice, std::vector<Identity>& chain,
          std::vector<ExpectedFolder>& out) {
    std::vector<std::string> names;
    for (const std::string& name : allNames(folder)) {
        if (!listed(name, choice) || !isFolder(folder + name)) continue;
        if (choice.excluded && choice.excluded(name, relative + name)) continue;
        names.push_back(name);
    }
    if (choice.before) std::stable_sort(names.begin(), names.end(), choice.before);
    if (depth != 1) {
        for (const std::string& name : names) {
            const Identity id = identityOf(folder + name);
            if (std::find(chain.begin(), chain.end(), id) != chain.end()) continue;
            chain.push_back(id);
            walk(folder + name + "/", relative + name + "/", depth == 0 ? 0 : depth - 1, level + 1,
                 choice, chain, out);
            chain.pop_back();
        }
    }
    for (const std::string& name : names)
        out.push_back({folder + name + "/", level});
}

}  // namespace

std::vector<ExpectedFolder> ExpectedListing(const std::string& root, int depth,
                                            const ListingChoice& choice) {
    std::vector<ExpectedFolder> out;
    std::vector<Identity> chain{identityOf(root)};
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
    const std::string path = folder.ends_with('/') ? folder : folder + "/";
    for (const std::string& name : allNames(path)) {
        ++counts.entries;
        if (!listed(name, choice)) continue;
        if (!isFolder(path + name)) {
            struct stat st {};
            lstat((path + name).c_str(), &st);
            ++counts.files;
            counts.bytes += static_cast<std::uint64_t>(st.st_size);
        } else {
            ++counts.folders;
        }
    }
    return counts;
}

}  // namespace quorvane::test
