#pragma once

#include <string>

#include "engine/path_rules.h"

namespace quorvane::test {

// A fresh folder under the temporary folder, removed with everything in it at the end, even
// when a test left parts of it unreadable (POSIX) or hidden, system or read-only (Windows), or
// deeper than the 260 characters of an ordinary Windows path. Its path ends without a
// separator.
class TempFolder {
  public:
    static constexpr char kSeparator = quorvane::kSeparator;

    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    // `relative` below the folder.
    std::string operator/(const std::string& relative) const {
        return path_ + kSeparator + relative;
    }

  private:
    std::string path_;
};

}  // namespace quorvane::test
