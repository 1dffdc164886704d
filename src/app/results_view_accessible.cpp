#include "app/results_view_accessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHash>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPointer>
#include <QWindow>
#include <limits>
#include <map>
#include <utility>
#include <vector>

#include "app/results_view.h"

namespace quorvane {

namespace {

// Past this many rows at once, a change of the selection is told as one change within the
// table rather than row by row.
constexpr int kMostRowsAnnounced = 64;

int ColumnsOf(const ResultsView& view) {
    return view.model() ? view.model()->columnCount(view.rootIndex()) : 0;
}

int RowsOf(const ResultsView& view) {
    return view.model() ? view.model()->rowCount(view.rootIndex()) : 0;
}

// The header's cells come first, then each row's.
int ChildIndexOf(const ResultsView& view, int row, int column) {
    return (row + 1) * ColumnsOf(view) + column;
}

// A cell of the table: of the header, or of a row. It reads the view each time it is asked,
// so it needs telling only when its row moves.
class TablePart : public QAccessibleInterface {
  public:
    TablePart(ResultsView* view, int column) : view_(view), column_(column) {}

    ResultsView* view() const { return view_; }
    int column() const { return column_; }

    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return view_ ? view_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(view_.data());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    void setText(QAccessible::Text, const QString&) override {}

  protected:
    QPointer<ResultsView> view_;
    int column_;
};

class HeaderCell : public TablePart {
  public:
    using TablePart::TablePart;

    bool isValid() const override { return view_ && column_ < ColumnsOf(*view_); }
    QString text(QAccessible::Text text) const override {
        if (text != QAccessible::Name || !isValid()) return {};
        return view_->model()->headerData(column_, Qt::Horizontal).toString();
    }
    QRect rect() const override {
        if (!isValid()) return {};
        const QHeaderView* header = view_->header();
        return QRect(header->sectionViewportPosition(column_), 0, header->sectionSize(column_),
                     header->height())
            .translated(header->viewport()->mapToGlobal(QPoint(0, 0)));
    }
    QAccessible::Role role() const override { return QAccessible::ColumnHeader; }
    QAccessible::State state() const override {
        QAccessible::State state;
        state.invisible = !view_ || !view_->isVisible() || view_->header()->isHidden();
        return state;
    }
};

class RowCell : public TablePart, public QAccessibleTableCellInterface {
  public:
    RowCell(ResultsView* view, int row, int column) : TablePart(view, column), row_(row) {}

    void moveTo(int row) { row_ = row; }

    bool isValid() const override {
        return view_ && row_ < RowsOf(*view_) && column_ < ColumnsOf(*view_);
    }
    QString text(QAccessible::Text text) const override {
        if (text != QAccessible::Name || !isValid()) return {};
        return index().data(Qt::DisplayRole).toString();
    }
    QRect rect() const override {
        if (!isValid()) return {};
        return view_->visualRect(index()).translated(view_->viewport()->mapToGlobal(QPoint(0, 0)));
    }
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override {
        QAccessible::State state;
        if (!isValid()) return state;
        state.selectable = true;
        state.focusable = true;
        state.selected = isSelected();
        state.focused = view_->hasFocus() && view_->currentIndex() == index();
        if (!view_->isVisible()) {
            state.invisible = true;
        } else if (!view_->visualRect(index()).intersects(view_->viewport()->rect())) {
            state.offscreen = true;
        }
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TableCellInterface) {
            return static_cast<QAccessibleTableCellInterface*>(this);
        }
        return nullptr;
    }

    bool isSelected() const override {
        return isValid() && view_->selectionModel() && view_->selectionModel()->isSelected(index());
    }
    QList<QAccessibleInterface*> columnHeaderCells() const override {
        QAccessibleInterface* table = this->table();
        QAccessibleInterface* header = table ? table->child(column_) : nullptr;
        return header ? QList<QAccessibleInterface*>{header} : QList<QAccessibleInterface*>{};
    }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return column_; }
    int rowIndex() const override { return row_; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

  private:
    QModelIndex index() const { return view_->model()->index(row_, column_, view_->rootIndex()); }

    int row_;
};

// The view itself, as the table that holds the cells.
class ResultsTable : public QAccessibleWidget, public QAccessibleTableInterface {
  public:
    explicit ResultsTable(ResultsView* view)
        : QAccessibleWidget(view, QAccessible::Table), key_(view) {
        Tables().insert(key_, this);
    }
    ~ResultsTable() override {
        Tables().remove(key_);
        reset();
    }

    // The table of each view that has one, so that a view's changes reach its table without
    // making one.
    static QHash<const QObject*, ResultsTable*>& Tables() {
        static QHash<const QObject*, ResultsTable*> tables;
        return tables;
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TableInterface) {
            return static_cast<QAccessibleTableInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    int childCount() const override { return (rowCount() + 1) * columnCount(); }
    QAccessibleInterface* child(int index) const override {
        const int columns = columnCount();
        if (index < 0 || columns == 0) return nullptr;
        const int row = index / columns - 1;
        return row < 0 ? headerCell(index) : cellAt(row, index % columns);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        const auto* part = dynamic_cast<const TablePart*>(child);
        if (!part || part->view() != view() || !child->isValid()) return -1;
        const auto* cell = dynamic_cast<const RowCell*>(child);
        return ChildIndexOf(*view(), cell ? cell->rowIndex() : -1, part->column());
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const QPoint global(x, y);
        const QHeaderView* header = view()->header();
        const QPoint inHeader = header->viewport()->mapFromGlobal(global);
        if (header->isVisible() && header->viewport()->rect().contains(inHeader)) {
            const int column = header->logicalIndexAt(inHeader.x());
            return column < 0 ? nullptr : headerCell(column);
        }
        const QPoint inRows = view()->viewport()->mapFromGlobal(global);
        if (!view()->viewport()->rect().contains(inRows)) return nullptr;
        const QModelIndex index = view()->indexAt(inRows);
        return index.isValid() ? cellAt(index.row(), index.column()) : nullptr;
    }
    QAccessibleInterface* focusChild() const override {
        const QModelIndex current = view()->currentIndex();
        if (!view()->hasFocus() || !current.isValid()) return nullptr;
        return cellAt(current.row(), current.column());
    }

    // QAccessibleTableInterface
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override {
        if (row < 0 || column < 0 || row >= rowCount() || column >= columnCount()) return nullptr;
        const auto [at, made] = cells_.try_emplace({row, column}, 0);
        if (made) {
            at->second = QAccessible::registerAccessibleInterface(new RowCell(view(), row, column));
        }
        return QAccessible::accessibleInterface(at->second);
    }
    int selectedCellCount() const override { return selectedRowCount() * columnCount(); }
    QList<QAccessibleInterface*> selectedCells() const override {
        QList<QAccessibleInterface*> cells;
        for (const int row : selectedRows()) {
            for (int column = 0; column < columnCount(); ++column)
                cells.append(cellAt(row, column));
        }
        return cells;
    }
    QString columnDescription(int column) const override {
        if (column < 0 || column >= columnCount()) return {};
        return view()->model()->headerData(column, Qt::Horizontal).toString();
    }
    QString rowDescription(int) const override { return {}; }
    int selectedColumnCount() const override { return static_cast<int>(selectedColumns().size()); }
    int selectedRowCount() const override { return static_cast<int>(selectedRows().size()); }
    int columnCount() const override { return ColumnsOf(*view()); }
    int rowCount() const override { return RowsOf(*view()); }
    // Whole rows are selected, so a column is only where every row is.
    QList<int> selectedColumns() const override {
        QList<int> columns;
        if (rowCount() == 0 || selectedRowCount() < rowCount()) return columns;
        for (int column = 0; column < columnCount(); ++column)
            columns.append(column);
        return columns;
    }
    QList<int> selectedRows() const override {
        QList<int> rows;
        if (!view()->selectionModel()) return rows;
        for (const QModelIndex& index : view()->selectionModel()->selectedRows())
            rows.append(index.row());
        return rows;
    }
    bool isColumnSelected(int column) const override {
        return column >= 0 && column < columnCount() && !selectedColumns().isEmpty();
    }
    bool isRowSelected(int row) const override {
        return view()->selectionModel() &&
               view()->selectionModel()->isRowSelected(row, view()->rootIndex());
    }
    // As a click on the row does.
    bool selectRow(int row) override {
        QItemSelectionModel* selection = view()->selectionModel();
        if (!selection || row < 0 || row >= rowCount() ||
            view()->selectionMode() == QAbstractItemView::NoSelection)
            return false;
        const QItemSelectionModel::SelectionFlags how =
            view()->selectionMode() == QAbstractItemView::SingleSelection
                ? QItemSelectionModel::ClearAndSelect
                : QItemSelectionModel::Select;
        selection->setCurrentIndex(view()->model()->index(row, 0, view()->rootIndex()),
                                   how | QItemSelectionModel::Rows);
        return true;
    }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int row) override {
        if (!isRowSelected(row)) return false;
        view()->selectionModel()->select(view()->model()->index(row, 0, view()->rootIndex()),
                                         QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
        return true;
    }
    bool unselectColumn(int) override { return false; }

    // The view tells the table of its changes itself (FollowRowsInserted and the others).
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

    // A cell stays with its entry while rows come and go before it, and goes with it.
    void rowsInserted(int first, int last) { moveRowsFrom(first, last - first + 1); }
    void rowsRemoved(int first, int last) {
        forgetRows(first, last);
        moveRowsFrom(last + 1, first - last - 1);
    }
    void reset() {
        forgetRowsFrom(0);
        forgetHeadersFrom(0);
    }

  private:
    using CellKey = std::pair<int, int>;  // row, column

    ResultsView* view() const { return static_cast<ResultsView*>(widget()); }

    QAccessibleInterface* headerCell(int column) const {
        if (column < 0 || column >= columnCount()) return nullptr;
        const auto [at, made] = headers_.try_emplace(column, 0);
        if (made) {
            at->second = QAccessible::registerAccessibleInterface(new HeaderCell(view(), column));
        }
        return QAccessible::accessibleInterface(at->second);
    }

    void forgetRows(int first, int last) {
        const auto end = cells_.lower_bound({last + 1, 0});
        for (auto at = cells_.lower_bound({first, 0}); at != end;) {
            QAccessible::deleteAccessibleInterface(at->second);
            at = cells_.erase(at);
        }
    }
    void forgetRowsFrom(int first) { forgetRows(first, std::numeric_limits<int>::max() - 1); }
    void forgetHeadersFrom(int column) {
        for (auto at = headers_.lower_bound(column); at != headers_.end();) {
            QAccessible::deleteAccessibleInterface(at->second);
            at = headers_.erase(at);
        }
    }
    // Appending rows, as a run does, moves none.
    void moveRowsFrom(int first, int by) {
        std::vector<decltype(cells_)::node_type> moved;
        for (auto at = cells_.lower_bound({first, 0}); at != cells_.end();)
            moved.push_back(cells_.extract(at++));
        for (auto& node : moved) {
            node.key().first += by;
            static_cast<RowCell*>(QAccessible::accessibleInterface(node.mapped()))
                ->moveTo(node.key().first);
            cells_.insert(std::move(node));
        }
    }

    const QObject* key_;  // the view, even while it goes
    // The cells asked for so far.
    mutable std::map<CellKey, QAccessible::Id> cells_;
    mutable std::map<int, QAccessible::Id> headers_;
};

QAccessibleInterface* TableOfResultsView(const QString& className, QObject* object) {
    if (className != QLatin1String(ResultsView::staticMetaObject.className())) return nullptr;
    auto* view = qobject_cast<ResultsView*>(object);
    return view ? new ResultsTable(view) : nullptr;
}

void Announce(ResultsView& view, QAccessible::Event type, int row, int column) {
    QAccessibleEvent event(&view, type);
    event.setChild(ChildIndexOf(view, row, column));
    QAccessible::updateAccessibility(&event);
}

}  // namespace

void MakeAccessibleAsTable(ResultsView& view) {
    static const bool installed = [] {
        QAccessible::installFactory(TableOfResultsView);
        return true;
    }();
    (void)installed;
    // While a screen reader listens, Qt asks for the view's interface as its parts are made,
    // before it is a ResultsView: what it made then goes, so that the table takes its place.
    if (!QAccessible::isActive()) return;
    QAccessibleInterface* made = QAccessible::queryAccessibleInterface(&view);
    if (made && !made->tableInterface()) {
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
    }
}

void AnnounceFocusedRow(ResultsView& view, const QModelIndex& current) {
    if (!QAccessible::isActive() || !current.isValid() || !view.hasFocus()) return;
    Announce(view, QAccessible::Focus, current.row(), current.column());
}

void AnnounceSelection(ResultsView& view, const QItemSelection& selected,
                       const QItemSelection& deselected) {
    if (!QAccessible::isActive()) return;
    const auto announce = [&](const QItemSelection& ranges, QAccessible::Event type) {
        for (const QItemSelectionRange& range : ranges) {
            if (range.height() > kMostRowsAnnounced) {
                QAccessibleEvent event(&view, QAccessible::SelectionWithin);
                QAccessible::updateAccessibility(&event);
                continue;
            }
            for (int row = range.top(); row <= range.bottom(); ++row)
                Announce(view, type, row, range.left());
        }
    };
    announce(deselected, QAccessible::SelectionRemove);
    announce(selected, QAccessible::SelectionAdd);
}

void FollowRowsInserted(const ResultsView& view, int first, int last) {
    if (ResultsTable* table = ResultsTable::Tables().value(&view)) table->rowsInserted(first, last);
}

void FollowRowsRemoved(const ResultsView& view, int first, int last) {
    if (ResultsTable* table = ResultsTable::Tables().value(&view)) table->rowsRemoved(first, last);
}

void FollowReset(const ResultsView& view) {
    if (ResultsTable* table = ResultsTable::Tables().value(&view)) table->reset();
}

}  // namespace quorvane
