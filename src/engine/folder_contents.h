#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "engine/folder_facts.h"
#include "engine/name_order.h"

namespace quorvane {

// The subfolder names of one read, as FolderContents keeps them, or as a copy of them that the
// walk keeps for later: the names one after the other, and where each ends (times two, plus
// one for a name reached through a link).
class NameList {
  public:
    NameList() = default;
    // `ends` holds `count` 32-bit numbers in the machine's order, aligned or not.
    NameList(std::string_view names, const void* ends, size_t count)
        : names_(names), ends_(static_cast<const unsigned char*>(ends)), count_(count) {}

    size_t count() const { return count_; }
    std::string_view name(size_t i) const {
        const size_t begin = i == 0 ? 0 : end(i - 1) >> 1;
        return names_.substr(begin, (end(i) >> 1) - begin);
    }
    bool throughLink(size_t i) const { return end(i) & 1; }

    std::string_view namesBytes() const { return names_; }
    const void* endsBytes() const { return ends_; }

  private:
    std::uint32_t end(size_t i) const {
        std::uint32_t value;
        std::memcpy(&value, ends_ + i * sizeof value, sizeof value);
        return value;
    }

    std::string_view names_;
    const unsigned char* ends_ = nullptr;
    size_t count_ = 0;
};

// The visible subfolders that one read of a folder found, in the order the file system gave
// them, with whether each is reached through a link (a symbolic link, or a junction on
// Windows): only those, and folders below them, can lead back into a folder the walk is
// already inside. Where the listing tells it (Windows), also each one's file number on its
// parent's volume, which names the folder as its identity does; a link's is the link's own.
class FolderContents {
  public:
    size_t count() const { return ends_.size(); }
    std::string_view name(size_t i) const { return names().name(i); }
    bool throughLink(size_t i) const { return ends_[i] & 1; }
    // 0 where the listing did not tell.
    std::uint64_t fileNumber(size_t i) const {
        return i < fileNumbers_.size() ? fileNumbers_[i] : 0;
    }
    NameList names() const { return NameList(names_, ends_.data(), ends_.size()); }

    void add(std::string_view name, bool throughLink);
    void add(std::string_view name, bool throughLink, std::uint64_t fileNumber);
    void clear();
    // Puts the subfolders in `order`; Listing leaves them as they are.
    void sort(NameOrder order);

    // Every directory entry the read went through, "." and ".." and hidden ones included.
    size_t entriesSeen = 0;

    // Filled only when the walk asks for facts.
    FolderFacts facts;

  private:
    std::string names_;
    std::vector<std::uint32_t> ends_;
    std::vector<std::uint64_t> fileNumbers_;  // empty where the listing tells none
};

}  // namespace quorvane
