#include "cli/entry_filter.h"

namespace quorvane::cli {

EntryFilter::EntryFilter(const std::vector<TextFilter>& filters, EntrySink& next) : next_(next) {
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

void EntryFilter::appendEntry(std::string_view entry) {
    if (kept(entry)) next_.appendEntry(entry);
}

void EntryFilter::appendFolder(const ListedFolder& folder) {
    if (kept(folder.entry)) next_.appendFolder(folder);
}

void EntryFilter::unreadable(std::string_view folderPath, int error) {
    next_.unreadable(folderPath, error);
}

}  // namespace quorvane::cli
