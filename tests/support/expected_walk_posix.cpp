#include "support/expected_walk.h"

#include <dirent.h>
#include <sys/stat.h>

#include <utility>

namespace quorvane::test {

namespace {

using Identity = std::pair<dev_t, ino_t>;

bool isFolder(const std::string& path) {
    struct stat st;
    if (stat(path.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
    return lstat(path.c_str(), &st) != 0;  // no type at all counts as a folder
}

// The visible names of `folder` in listing order; none when it cannot be read.
std::vector<std::string> visibleNames(const std::string& folder) {
    std::vector<std::string> names;
    if (DIR* dir = opendir(folder.c_str())) {
        while (const dirent* entry = readdir(dir)) {
            if (entry->d_name[0] != '.') names.push_back(entry->d_name);
        }
        closedir(dir);
    }
    return names;
}

Identity identityOf(const std::string& path) {
    struct stat st {};
    stat(path.c_str(), &st);
    return {st.st_dev, st.st_ino};
}

void walk(const std::string& folder, int depth, std::vector<Identity>& chain,
          std::vector<std::string>& out) {
    std::vector<std::string> block;
    for (const std::string& name : visibleNames(folder)) {
        if (isFolder(folder + name)) block.push_back(folder + name + "/");
    }
    if (depth != 1) {
        for (const std::string& sub : block) {
            const Identity id = identityOf(sub);
            bool onChain = false;
            for (const Identity& c : chain)
                onChain = onChain || c == id;
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
    std::vector<Identity> chain{identityOf(root)};
    walk(root, depth, chain, out);
    return out;
}

}  // namespace quorvane::test
