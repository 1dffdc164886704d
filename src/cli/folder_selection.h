#pragma once

#include <string>

#include "engine/list_run.h"

namespace quorvane::cli {

// Passes on only the folders that --min-depth, --exact-depth and --empty leave, with each
// entry as --relative wants it: below the target, without it. Entries reach `next` through
// appendFolder; unreadable folders and the stop pass straight through.
class FolderSelection : public EntrySink {
  public:
    struct Choice {
        int minimumLevel = 1;
        bool onlyEmpty = false;  // only folders read and found without any entry
        bool relative = false;
    };

    FolderSelection(Choice choice, EntrySink& next) : choice_(choice), next_(next) {}

    void appendEntry(std::string_view entry) override { appendFolder({entry, 1, nullptr}); }
    void appendFolder(const ListedFolder& folder) override;
    void unreadable(std::string_view folderPath, int error) override {
        next_.unreadable(folderPath, error);
    }
    bool stopped() const override { return next_.stopped(); }

  private:
    Choice choice_;
    EntrySink& next_;
};

// The last `level` names of `entry`: the folder's path below the target it was found in.
std::string_view PathBelowTarget(std::string_view entry, int level);

}  // namespace quorvane::cli
