#pragma once

#include <string_view>
#include <vector>

#include "cli/cli_options.h"
#include "engine/folder_sink.h"
#include "results/text_matcher.h"

namespace quorvane::cli {

// Passes on to `next` the entries that the window's filters, applied in turn, would leave in
// the list; tells it every unreadable folder. Entry by entry, so nothing is held.
class EntryFilter : public FolderSink {
  public:
    EntryFilter(const std::vector<TextFilter>& filters, FolderSink& next);

    void append(const ListedFolder& folder) override;
    void unreadable(std::string_view folderPath, Status why) override;
    bool stopped() const override { return next_.stopped(); }

  private:
    bool kept(std::string_view entry);

    struct Step {
        TextMatcher matcher;
        bool removeContaining;
    };
    std::vector<Step> steps_;
    FolderSink& next_;
};

}  // namespace quorvane::cli
