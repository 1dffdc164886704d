#include "engine/folder_contents.h"

namespace quorvane {

std::string_view FolderContents::name(size_t i) const {
    const size_t begin = i == 0 ? 0 : ends_[i - 1];
    return std::string_view(names_).substr(begin, ends_[i] - begin);
}

void FolderContents::add(std::string_view name, bool throughLink) {
    names_.append(name);
    ends_.push_back(static_cast<unsigned>(names_.size()));
    links_.push_back(throughLink);
}

void FolderContents::clear() {
    names_.clear();
    ends_.clear();
    links_.clear();
    entriesSeen = 0;
}

size_t FolderContents::memoryBytes() const {
    return sizeof(*this) + names_.capacity() + ends_.capacity() * sizeof(unsigned) +
           links_.capacity() / 8;
}

}  // namespace quorvane
