#include "engine/path_rules.h"

namespace quorvane {

std::string RemoveDoubleBackslashes(std::string_view text) {
    return CollapseSlashRuns(text);
}

std::string WalkRootPath(std::string_view root) {
    return CollapseSlashRuns(root);
}

void FormSubfolderPath(std::string& out, std::string_view parent, std::string_view name) {
    out.assign(parent).append(name).push_back(kSeparator);
}

void FormSubfolderEntry(std::string& out, std::string_view folderPath, std::string_view name) {
    // Paths below the root are free of doubled separators already, so the entry is the path
    // and the name.
    out.assign(folderPath).append(name);
}

}  // namespace quorvane
