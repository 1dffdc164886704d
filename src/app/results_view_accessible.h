#pragma once

#include <QItemSelection>
#include <QModelIndex>

namespace quorvane {

class ResultsView;

// What screen readers find of a ResultsView: a table under its column headers, one row per
// entry, each row's cell named by the entry's text. A cell is made only when a screen reader
// asks for it and kept until its row goes, so a list of millions costs nothing until asked.
// Children are numbered as Qt's item views number theirs: the header's cells, then the cells
// row by row.

// Lets Qt's accessibility find the table of `view`, as the view's constructor ends.
void MakeAccessibleAsTable(ResultsView& view);

// Tell screen readers, while one listens, which row has the focus and which rows were selected
// or deselected.
void AnnounceFocusedRow(ResultsView& view, const QModelIndex& current);
void AnnounceSelection(ResultsView& view, const QItemSelection& selected,
                       const QItemSelection& deselected);

// The view's rows changed: the cells made so far follow their entries (whether or not a screen
// reader listens, which Qt's own notice of the change waits for). Rows `first` to `last`
// came, or went; or every row may have changed, the columns too.
void FollowRowsInserted(const ResultsView& view, int first, int last);
void FollowRowsRemoved(const ResultsView& view, int first, int last);
void FollowReset(const ResultsView& view);

}  // namespace quorvane
