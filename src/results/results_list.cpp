#include "results/results_list.h"

namespace quorvane {

namespace {

const Status kOutOfRange = Status::of(Status::Failure::OutOfRange);

}  // namespace

void ResultsList::addColumn(const std::string& heading) {
    ResultsListObserver& view = this->view();
    view.columnAdding(columnHeaderCount());
    headings_.push_back(heading);
    view.columnAdded();
}

Status ResultsList::columnHeading(int column, std::string& heading) const {
    if (column < 1 || column > columnHeaderCount()) return kOutOfRange;
    heading = headings_[static_cast<size_t>(column - 1)];
    return {};
}

Status ResultsList::text(std::int64_t index, std::string& text) const {
    if (!hasEntry(index)) return kOutOfRange;
    entries_.path(static_cast<size_t>(index - 1), text);
    return {};
}

Status ResultsList::subText(std::int64_t index, int column, std::string& text) const {
    if (!hasEntry(index) || column < 2 || column > columnHeaderCount()) return kOutOfRange;
    text.clear();
    return {};
}

void ResultsList::append(std::string_view path) {
    entries_.append(path);
}

void ResultsList::publishAppended() {
    if (shown_ == entries_.size()) return;
    ResultsListObserver& view = this->view();
    view.rowsAppending(shown_, entries_.size() - 1);
    shown_ = entries_.size();
    view.rowsAppended();
}

template <typename Change>
void ResultsList::resetWith(Change&& change) {
    ResultsListObserver& view = this->view();
    view.resetting();
    change();
    shown_ = entries_.size();
    view.reset();
}

void ResultsList::clear() {
    resetWith([this] { entries_.clear(); });
}

Status ResultsList::removeAt(std::int64_t index) {
    if (!hasEntry(index)) return kOutOfRange;
    publishAppended();
    ResultsListObserver& view = this->view();
    const size_t row = static_cast<size_t>(index - 1);
    view.rowRemoving(row);
    entries_.removeAt(row);
    shown_ = entries_.size();
    view.rowRemoved();
    return {};
}

size_t ResultsList::removeIf(const std::function<bool(size_t)>& remove) {
    size_t removed = 0;
    resetWith([&] { removed = entries_.removeIf(remove); });
    return removed;
}

size_t ResultsList::removeMarked(const std::vector<bool>& marked) {
    size_t removed = 0;
    resetWith([&] { removed = entries_.removeMarked(marked); });
    return removed;
}

}  // namespace quorvane
