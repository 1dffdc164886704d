#include "cli/entry_filter.h"

namespace quorvane::cli {

EntryFilter::EntryFilter(const std::vector<TextFilter>& filters, FolderSink& next) : next_(next) {
    steps_.reserve(filters.size());
    for (const TextFilter& filter : filters) {
        steps_.push_back({TextMatcher(filter.text), filter.removeContaining});
    }
}

bool EntryFilter::kept(std::string_view entry) {
    for (Step& step : steps_) {
        if (step.matcher.contains(entry) == step.removeContaining) return false;
    }
    return true;
}

void EntryFilter::append(const ListedFolder& folder) {
    if (kept(folder.entry)) next_.append(folder);
}

void EntryFilter::unreadable(std::string_view folderPath, Status why) {
    next_.unreadable(folderPath, why);
}

}  // namespace quorvane::cli
