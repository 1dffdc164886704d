#include "engine/path_rules.h"

namespace quorvane {

std::string RemoveDoubleBackslashes(std::string_view text) {
    return RemoveDoubleBackslashesWindows(text);
}

std::string WalkRootPath(std::string_view root) {
    return std::string(root);
}

void FormSubfolderPath(std::string& out, std::string_view parent, std::string_view name) {
    out.assign(parent).append(name).push_back(kSeparator);
    out = RemoveDoubleBackslashesWindows(out);
}

void FormSubfolderEntry(std::string& out, std::string_view folderPath, std::string_view name) {
    FormSubfolderPath(out, folderPath, name);
    out = EntryFromFolderPath(out);
}

}  // namespace quorvane
