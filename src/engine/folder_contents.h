#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/folder_facts.h"
#include "engine/name_order.h"

namespace quorvane {

// The visible subfolders that one read of a folder found, in the order the file system gave
// them, with whether each is reached through a link (a symbolic link, or a junction on
// Windows): only those, and folders below them, can lead back into a folder the walk is
// already inside.
class FolderContents {
  public:
    size_t count() const { return ends_.size(); }
    std::string_view name(size_t i) const;
    bool throughLink(size_t i) const { return ends_[i] & 1; }

    void add(std::string_view name, bool throughLink);
    void clear();
    // Puts the subfolders in `order`; Listing leaves them as they are.
    void sort(NameOrder order);

    // Every directory entry the read went through, "." and ".." and hidden ones included:
    // the walk lets the window run once per entry, whoever read the folder.
    size_t entriesSeen = 0;

    // Filled only when the walk asks for facts.
    FolderFacts facts;

    // What holding these contents costs, roughly, for the read-ahead's memory cap.
    size_t memoryBytes() const;

  private:
    std::string names_;
    // Where each name ends in names_, times two, plus one for a name reached through a link.
    std::vector<std::uint32_t> ends_;
};

}  // namespace quorvane
