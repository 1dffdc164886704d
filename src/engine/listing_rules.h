#pragma once

#include <string_view>

#include "engine/name_order.h"

namespace quorvane {

// Folders a walk leaves out: neither listed nor entered. Asked from reader threads too, so it
// must be safe to call from several threads at once.
class FolderExclusion {
  public:
    virtual ~FolderExclusion() = default;
    // Whether excludes() reads `relativePath`; when not, the walk need not form it.
    virtual bool needsPath() const = 0;
    // `relativePath` is the folder's path below the target, its names joined by separators.
    virtual bool excludes(std::string_view name, std::string_view relativePath) const = 0;
};

// What the walk gathers of each folder's own entries (FolderFacts).
enum class FactsWanted {
    None,
    Counts,         // costs nothing beyond the listing, but reads the folders at the depth limit
    CountsAndSize,  // one stat per file besides
};

// What a walk lists beyond the window's list: quorvane-list sets these, the window keeps them.
struct ListingRules {
    bool hidden = false;  // list and enter hidden folders too
    NameOrder order = NameOrder::Listing;
    const FolderExclusion* exclude = nullptr;
    FactsWanted facts = FactsWanted::None;
    // The facts of each folder add those of everything listed below it.
    bool totals = false;
    // A link to a folder is taken for the folder it leads to; otherwise for no folder, neither
    // listed nor entered.
    bool followLinks = true;
};

}  // namespace quorvane
