#pragma once

#include <string_view>
#include <vector>

#include "engine/listing_rules.h"
#include "engine/name_glob.h"

namespace quorvane::cli {

// The folders that --exclude and --iexclude name: one that any glob matches is left out.
class GlobExclusion : public FolderExclusion {
  public:
    explicit GlobExclusion(const std::vector<NameGlob>& globs) : globs_(globs) {}

    bool needsPath() const override {
        for (const NameGlob& glob : globs_) {
            if (glob.matchesPaths()) return true;
        }
        return false;
    }

    bool excludes(std::string_view name, std::string_view relativePath) const override {
        for (const NameGlob& glob : globs_) {
            if (glob.matches(name, relativePath)) return true;
        }
        return false;
    }

  private:
    const std::vector<NameGlob>& globs_;
};

}  // namespace quorvane::cli
