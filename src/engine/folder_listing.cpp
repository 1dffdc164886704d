#include "engine/folder_listing.h"

namespace quorvane {

std::string_view FolderListing::name(size_t i) const {
    const size_t begin = i == 0 ? 0 : ends_[i - 1];
    return std::string_view(names_).substr(begin, ends_[i] - begin);
}

void FolderListing::clear() {
    names_.clear();
    ends_.clear();
    links_.clear();
}

void FolderListing::add(std::string_view name, bool throughLink) {
    names_.append(name);
    ends_.push_back(static_cast<unsigned>(names_.size()));
    links_.push_back(throughLink);
}

}  // namespace quorvane
