#include "engine/folder_node.h"

#include <vector>

#include "engine/path_rules.h"

namespace quorvane {

std::string RelativePathOf(const FolderNode& node) {
    std::vector<std::string_view> names;
    for (const FolderNode* at = &node; at->parent; at = at->parent.get())
        names.push_back(at->parent->contents.name(at->indexInParent));
    std::string path;
    for (auto name = names.rbegin(); name != names.rend(); ++name)
        path.append(*name).push_back(kSeparator);
    return path;
}

}  // namespace quorvane
