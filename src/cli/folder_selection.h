#pragma once

#include <string>

#include "engine/folder_sink.h"

namespace quorvane::cli {

// Passes on only the folders that --min-depth, --exact-depth and --empty leave, with each
// entry as --relative wants it: below the target, without it. Entries reach `next` through
// append; unreadable folders and the stop pass straight through.
class FolderSelection : public FolderSink {
  public:
    struct Choice {
        int minimumLevel = 1;
        bool onlyEmpty = false;  // only folders read and found without any entry
        bool relative = false;
    };

    FolderSelection(Choice choice, FolderSink& next) : choice_(choice), next_(next) {}

    void append(const ListedFolder& folder) override;
    void unreadable(std::string_view folderPath, Status why) override {
        next_.unreadable(folderPath, why);
    }
    bool stopped() const override { return next_.stopped(); }

  private:
    Choice choice_;
    FolderSink& next_;
};

// The last `level` names of `entry`: the folder's path below the target it was found in.
std::string_view PathBelowTarget(std::string_view entry, int level);

}  // namespace quorvane::cli
