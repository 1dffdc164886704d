#include "cli/folder_selection.h"

#include "engine/path_rules.h"

namespace quorvane::cli {

std::string_view PathBelowTarget(std::string_view entry, int level) {
    // No name holds the separator, so the last `level` names start after the level-th
    // separator from the end.
    size_t start = entry.size();
    for (int names = 0; names < level && start > 0; ++names) {
        const size_t separator = entry.rfind(kSeparator, start - 1);
        if (separator == std::string_view::npos) return entry;
        start = separator;
    }
    return entry.substr(start + 1);
}

void FolderSelection::append(const ListedFolder& folder) {
    if (folder.level < choice_.minimumLevel) return;
    if (choice_.onlyEmpty && (!folder.facts || folder.facts->entries != 0)) return;
    if (!choice_.relative) {
        next_.append(folder);
        return;
    }
    next_.append({PathBelowTarget(folder.entry, folder.level), folder.level, folder.facts});
}

}  // namespace quorvane::cli
