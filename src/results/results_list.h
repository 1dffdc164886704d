#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"
#include "results/folder_list.h"
#include "results/results_list_observer.h"

namespace quorvane {

// The results list behind the window's results view: the folder paths a run found, kept byte
// for byte in a FolderList, with the list control's operations addressed from 1 as the
// commands use them, and its column headers.
//
// Views learn of new entries in batches. append() adds to the list at once (count() and
// text() see the entry), but the view only hears of it at the next publishAppended(), with
// one notification for the whole batch; a run calls it before each pass of the event loop.
// Removals that touch many entries compact the list in one pass and reset the view once.
//
// An index or column that the list does not have fails with OutOfRange and changes nothing.
class ResultsList {
  public:
    // The view that shows the list; null for none.
    void setObserver(ResultsListObserver* observer) { observer_ = observer; }

    // Column headers: the new one becomes the last column.
    void addColumn(const std::string& heading);
    int columnHeaderCount() const { return static_cast<int>(headings_.size()); }
    const std::vector<std::string>& columnHeadings() const { return headings_; }
    // Heading of column `column`, counted from 1.
    Status columnHeading(int column, std::string& heading) const;

    std::int64_t count() const { return static_cast<std::int64_t>(entries_.size()); }
    // Text of entry `index`, counted from 1: the bytes the file system gave.
    Status text(std::int64_t index, std::string& text) const;
    // Sub-text of column `column` (2 or more) of entry `index`: the entries carry none, so it
    // is empty.
    Status subText(std::int64_t index, int column, std::string& text) const;
    const FolderList& entries() const { return entries_; }
    // The entries the view has been told of: the first shownCount() ones.
    size_t shownCount() const { return shown_; }

    // Appends an entry at the end; the view sees it at the next publishAppended().
    void append(std::string_view path);
    // Tells the view of every entry appended since the last call, in one notification.
    void publishAppended();
    // Removes every entry.
    void clear();
    // Removes entry `index`, counted from 1; later entries move down by one.
    Status removeAt(std::int64_t index);
    // Removes every entry whose 0-based position `remove` accepts, in one pass that keeps the
    // order of the rest; the second form every entry marked true, keeping those past the
    // marks' end. Each returns how many went.
    size_t removeIf(const std::function<bool(size_t)>& remove);
    size_t removeMarked(const std::vector<bool>& marked);

  private:
    ResultsListObserver& view() { return observer_ ? *observer_ : silent_; }
    bool hasEntry(std::int64_t index) const { return index >= 1 && index <= count(); }
    template <typename Change>
    void resetWith(Change&& change);

    FolderList entries_;
    size_t shown_ = 0;
    std::vector<std::string> headings_;
    ResultsListObserver* observer_ = nullptr;
    ResultsListObserver silent_;
};

}  // namespace quorvane
