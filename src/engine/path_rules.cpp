#include "engine/path_rules.h"

namespace quorvane {

namespace {

// One pass without overlap: each pair of backslashes becomes one.
void appendCollapsingPairs(std::string& out, std::string_view text) {
    for (size_t i = 0; i < text.size(); ++i) {
        out.push_back(text[i]);
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == '\\') ++i;
    }
}

}  // namespace

std::string RemoveDoubleBackslashesWindows(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 1);
    if (text.empty() || text.front() != '\\') {
        appendCollapsingPairs(out, text);
        return out;
    }
    size_t p = 1;
    while (p < text.size() && text[p] == '\\')
        ++p;
    out.append("\\\\");
    appendCollapsingPairs(out, text.substr(p));
    return out;
}

std::string CollapseSlashRuns(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == '/' && !out.empty() && out.back() == '/') continue;
        out.push_back(c);
    }
    return out;
}

std::string ToFolderPathForm(std::string_view folder) {
    std::string path(folder);
    if (path.empty() || path.back() != kSeparator) path.push_back(kSeparator);
    return path;
}

std::string EntryFromFolderPath(std::string_view folderPath) {
    if (!folderPath.empty()) folderPath.remove_suffix(1);
    return RemoveDoubleBackslashes(folderPath);
}

}  // namespace quorvane
