#pragma once

#include <QAbstractItemView>
#include <vector>

class QHeaderView;

namespace quorvane {

// The results list as a report: one row per entry under a header of columns, all rows of one
// height. It keeps nothing per row and works out what a row shows only when the row is on
// screen, as a virtual list view does, so ten million rows cost it no memory and a change of
// any size costs it no more time than a screenful: it scrolls a row at a time, and finds a row
// from its position by a division.
//
// Typing a letter does not look for an entry beginning with it: every entry begins with the
// same root, and the search would read every entry. Screen readers find it as a table, each row
// made for them only when asked (results_view_accessible.h).
class ResultsView : public QAbstractItemView {
    Q_OBJECT

  public:
    explicit ResultsView(QWidget* parent = nullptr);

    QHeaderView* header() const { return header_; }
    void setColumnWidth(int column, int width);
    // The height of every row, from the first entry as the item delegate lays it out.
    int rowHeight() const;

    void setModel(QAbstractItemModel* model) override;
    QRect visualRect(const QModelIndex& index) const override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    QModelIndex indexAt(const QPoint& point) const override;
    void keyboardSearch(const QString& search) override;
    void reset() override;

  protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    int horizontalOffset() const override;
    int verticalOffset() const override;
    bool isIndexHidden(const QModelIndex& index) const override;
    void setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) override;
    QRegion visualRegionForSelection(const QItemSelection& selection) const override;
    void paintEvent(QPaintEvent* event) override;
    void updateGeometries() override;
    void scrollContentsBy(int dx, int dy) override;
    void rowsInserted(const QModelIndex& parent, int start, int end) override;
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void selectionChanged(const QItemSelection& selected,
                          const QItemSelection& deselected) override;

  private:
    int rowCount() const;
    int firstShownRow() const;
    // Rows that fit in the viewport whole; at least 1.
    int wholeRowsShown() const;
    // The rows changed in number: the scroll range and the picture follow.
    void rowsChanged();

    QHeaderView* header_;
    std::vector<QMetaObject::Connection> modelChanges_;
    mutable int rowHeight_ = 0;  // 0 until worked out
    bool gainingFocus_ = false;
};

}  // namespace quorvane
