#include "results/results_list.h"

#include "engine/run_time_error.h"

namespace quorvane {

void ResultsList::addColumn(const std::string& heading) {
    ResultsListObserver& view = this->view();
    view.columnAdding(columnHeaderCount());
    headings_.push_back(heading);
    view.columnAdded();
}

const std::string& ResultsList::columnHeading(int column) const {
    if (column < 1 || column > columnHeaderCount()) throw RunTimeError::indexOutOfBounds();
    return headings_[static_cast<size_t>(column - 1)];
}

std::string ResultsList::subText(std::int64_t index, int column) const {
    static_cast<void>(paths_.at(index));  // fails for a missing entry
    if (column < 2 || column > columnHeaderCount()) throw RunTimeError::indexOutOfBounds();
    return {};
}

void ResultsList::append(std::string_view path) {
    paths_.append(path);
}

void ResultsList::publishAppended() {
    if (shown_ == paths_.size()) return;
    ResultsListObserver& view = this->view();
    view.rowsAppending(shown_, paths_.size() - 1);
    shown_ = paths_.size();
    view.rowsAppended();
}

template <typename Change>
void ResultsList::resetWith(Change&& change) {
    ResultsListObserver& view = this->view();
    view.resetting();
    change();
    shown_ = paths_.size();
    view.reset();
}

void ResultsList::clear() {
    resetWith([this] { paths_.clear(); });
}

void ResultsList::removeAt(std::int64_t index) {
    static_cast<void>(paths_.at(index));  // fails for a missing entry
    publishAppended();
    ResultsListObserver& view = this->view();
    const size_t row = static_cast<size_t>(index - 1);
    view.rowRemoving(row);
    paths_.removeAt(row);
    shown_ = paths_.size();
    view.rowRemoved();
}

size_t ResultsList::removeIf(const std::function<bool(size_t)>& remove) {
    size_t removed = 0;
    resetWith([&] { removed = paths_.removeIf(remove); });
    return removed;
}

}  // namespace quorvane
