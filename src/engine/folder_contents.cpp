#include "engine/folder_contents.h"

#include <algorithm>
#include <numeric>

namespace quorvane {

void FolderContents::add(std::string_view name, bool throughLink) {
    // Most folders that hold a subfolder hold a few: room for them at once, not in steps.
    if (ends_.empty()) {
        ends_.reserve(16);
        names_.reserve(256);
    }
    names_.append(name);
    ends_.push_back(static_cast<std::uint32_t>(names_.size() << 1) | (throughLink ? 1 : 0));
}

void FolderContents::add(std::string_view name, bool throughLink, std::uint64_t fileNumber) {
    fileNumbers_.resize(count(), 0);
    fileNumbers_.push_back(fileNumber);
    add(name, throughLink);
}

void FolderContents::clear() {
    names_.clear();
    ends_.clear();
    fileNumbers_.clear();
    entriesSeen = 0;
    facts = {};
}

void FolderContents::sort(NameOrder order) {
    if (order == NameOrder::Listing || count() < 2) return;
    std::vector<size_t> sorted(count());
    std::iota(sorted.begin(), sorted.end(), size_t{0});
    const NameLess less{order};
    std::stable_sort(sorted.begin(), sorted.end(),
                     [&](size_t a, size_t b) { return less(name(a), name(b)); });
    FolderContents ordered;
    ordered.names_.reserve(names_.size());
    ordered.ends_.reserve(ends_.size());
    for (size_t i : sorted) {
        if (fileNumbers_.empty()) {
            ordered.add(name(i), throughLink(i));
        } else {
            ordered.add(name(i), throughLink(i), fileNumber(i));
        }
    }
    names_.swap(ordered.names_);
    ends_.swap(ordered.ends_);
    fileNumbers_.swap(ordered.fileNumbers_);
}

}  // namespace quorvane
