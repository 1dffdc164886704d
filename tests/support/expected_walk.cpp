#include "support/expected_walk.h"

#include <algorithm>
#include <utility>

#include "engine/path_rules.h"
#include "support/fixture_tree.h"

namespace quorvane::test {

namespace {

using Identity = std::optional<std::pair<std::uint64_t, std::uint64_t>>;

bool listed(const ListedEntry& entry, const ListingChoice& choice) {
    return choice.hidden || !entry.hidden;
}

void walk(const std::string& folder, const std::string& relative, int depth, int level,
          const ListingChoice& choice, std::vector<Identity>& chain,
          std::vector<ExpectedFolder>& out) {
    std::vector<std::string> names;
    for (const ListedEntry& entry : ListedEntries(folder)) {
        if (!listed(entry, choice) || !entry.folder) continue;
        if (choice.excluded && choice.excluded(entry.name, relative + entry.name)) continue;
        names.push_back(entry.name);
    }
    if (choice.before) std::stable_sort(names.begin(), names.end(), choice.before);
    if (depth != 1) {
        for (const std::string& name : names) {
            const Identity id = IdentityOfPath(folder + name + kSeparator);
            if (id && std::find(chain.begin(), chain.end(), id) != chain.end()) continue;
            chain.push_back(id);
            walk(folder + name + kSeparator, relative + name + kSeparator,
                 depth == 0 ? 0 : depth - 1, level + 1, choice, chain, out);
            chain.pop_back();
        }
    }
    for (const std::string& name : names)
        out.push_back({folder + name + kSeparator, level});
}

}  // namespace

std::vector<ExpectedFolder> ExpectedListing(const std::string& root, int depth,
                                            const ListingChoice& choice) {
    std::vector<ExpectedFolder> out;
    std::vector<Identity> chain{IdentityOfPath(root)};
    walk(root, "", depth, 1, choice, chain, out);
    return out;
}

std::vector<std::string> ExpectedWalk(const std::string& root, int depth) {
    std::vector<std::string> paths;
    for (ExpectedFolder& folder : ExpectedListing(root, depth, {}))
        paths.push_back(std::move(folder.path));
    return paths;
}

std::vector<std::string> ExpectedEntries(const std::string& root, int depth) {
    std::vector<std::string> entries = ExpectedWalk(root, depth);
    for (std::string& entry : entries)
        entry.pop_back();
    return entries;
}

EntryCounts ExpectedCounts(const std::string& folder, const ListingChoice& choice) {
    EntryCounts counts;
    const std::string path = folder.ends_with(kSeparator) ? folder : folder + kSeparator;
    for (const ListedEntry& entry : ListedEntries(path)) {
        ++counts.entries;
        if (!listed(entry, choice)) continue;
        if (entry.folder) {
            ++counts.folders;
        } else {
            ++counts.files;
            counts.bytes += entry.size;
        }
    }
    return counts;
}

std::string JoinEntries(const std::vector<std::string>& entries, const std::string& end) {
    std::string text;
    for (const std::string& entry : entries)
        text += entry + end;
    return text;
}

}  // namespace quorvane::test
