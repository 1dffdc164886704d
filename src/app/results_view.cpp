#include "app/results_view.h"

#include <QAccessible>
#include <QEvent>
#include <QHeaderView>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "app/readable_selection.h"
#include "app/results_view_accessible.h"

namespace quorvane {

ResultsView::ResultsView(QWidget* parent)
    : QAbstractItemView(parent), header_(new QHeaderView(Qt::Horizontal, this)) {
    header_->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    connect(header_, &QHeaderView::sectionResized, this, [this] {
        updateGeometries();
        viewport()->update();
    });
    connect(header_, &QHeaderView::sectionCountChanged, this, [this] { updateGeometries(); });
    horizontalScrollBar()->setSingleStep(20);
    MakeAccessibleAsTable(*this);
}

void ResultsView::setModel(QAbstractItemModel* model) {
    if (model == this->model()) return;
    for (const QMetaObject::Connection& connection : modelChanges_)
        disconnect(connection);
    modelChanges_.clear();
    QAbstractItemView::setModel(model);
    header_->setModel(model);
    FollowReset(*this);
    if (model) {
        modelChanges_ = {
            connect(model, &QAbstractItemModel::rowsRemoved, this,
                    [this](const QModelIndex&, int first, int last) {
                        FollowRowsRemoved(*this, first, last);
                        rowsChanged();
                    }),
            connect(model, &QAbstractItemModel::columnsInserted, this,
                    [this] { FollowReset(*this); }),
            connect(model, &QAbstractItemModel::columnsRemoved, this,
                    [this] { FollowReset(*this); }),
        };
    }
    rowsChanged();
}

void ResultsView::setColumnWidth(int column, int width) {
    header_->resizeSection(column, width);
}

int ResultsView::rowCount() const {
    return model() ? model()->rowCount(rootIndex()) : 0;
}

int ResultsView::rowHeight() const {
    if (rowHeight_ > 0) return rowHeight_;
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    if (rowCount() > 0) {
        const QModelIndex first = model()->index(0, 0, rootIndex());
        rowHeight_ = itemDelegateForIndex(first)->sizeHint(option, first).height();
    }
    // Until there is an entry, a line of the font: nothing is drawn with it.
    if (rowHeight_ <= 0) return std::max(1, fontMetrics().height());
    return rowHeight_;
}

int ResultsView::firstShownRow() const {
    return verticalScrollBar()->value();
}

int ResultsView::wholeRowsShown() const {
    return std::max(1, viewport()->height() / rowHeight());
}

void ResultsView::rowsChanged() {
    rowHeight_ = 0;
    updateGeometries();
    viewport()->update();
}

void ResultsView::reset() {
    FollowReset(*this);
    QAbstractItemView::reset();
    rowsChanged();
}

void ResultsView::rowsInserted(const QModelIndex& parent, int start, int end) {
    QAbstractItemView::rowsInserted(parent, start, end);
    FollowRowsInserted(*this, start, end);
    if (start == 0) rowHeight_ = 0;
    updateGeometries();
    // Rows appended below the last one shown change nothing on screen.
    if (start <= firstShownRow() + wholeRowsShown()) viewport()->update();
}

void ResultsView::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        rowHeight_ = 0;
    }
    QAbstractItemView::changeEvent(event);
}

void ResultsView::focusInEvent(QFocusEvent* event) {
    gainingFocus_ = true;
    QAbstractItemView::focusInEvent(event);
    gainingFocus_ = false;
    // Screen readers hear of the focus on the view itself after this: the row that has it
    // (the first, when none had it) is told once they have.
    if (!QAccessible::isActive()) return;
    QMetaObject::invokeMethod(
        this, [this] { AnnounceFocusedRow(*this, currentIndex()); }, Qt::QueuedConnection);
}

void ResultsView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QAbstractItemView::currentChanged(current, previous);
    if (!gainingFocus_) AnnounceFocusedRow(*this, current);
}

void ResultsView::selectionChanged(const QItemSelection& selected,
                                   const QItemSelection& deselected) {
    QAbstractItemView::selectionChanged(selected, deselected);
    AnnounceSelection(*this, selected, deselected);
}

void ResultsView::updateGeometries() {
    int height = 0;
    if (!header_->isHidden()) {
        height = std::clamp(header_->sizeHint().height(), header_->minimumHeight(),
                            header_->maximumHeight());
    }
    setViewportMargins(0, height, 0, 0);
    const QRect area = viewport()->geometry();
    header_->setGeometry(area.left(), area.top() - height, area.width(), height);

    QScrollBar* rows = verticalScrollBar();
    const int shown = wholeRowsShown();
    rows->setSingleStep(1);
    rows->setPageStep(shown);
    rows->setRange(0, std::max(0, rowCount() - shown));
    QScrollBar* columns = horizontalScrollBar();
    columns->setPageStep(area.width());
    columns->setRange(0, std::max(0, header_->length() - area.width()));
    header_->setOffset(columns->value());
    QAbstractItemView::updateGeometries();
}

void ResultsView::scrollContentsBy(int dx, int /*dy*/) {
    if (dx != 0) header_->setOffset(horizontalScrollBar()->value());
    viewport()->update();
}

int ResultsView::horizontalOffset() const {
    return horizontalScrollBar()->value();
}

int ResultsView::verticalOffset() const {
    return firstShownRow() * rowHeight();
}

bool ResultsView::isIndexHidden(const QModelIndex& /*index*/) const {
    return false;
}

QRect ResultsView::visualRect(const QModelIndex& index) const {
    if (!index.isValid() || index.parent() != rootIndex() ||
        header_->isSectionHidden(index.column()))
        return {};
    const int height = rowHeight();
    return {header_->sectionViewportPosition(index.column()),
            (index.row() - firstShownRow()) * height, header_->sectionSize(index.column()), height};
}

QModelIndex ResultsView::indexAt(const QPoint& point) const {
    if (!model() || point.y() < 0) return {};
    const int column = header_->logicalIndexAt(point.x());
    const int row = firstShownRow() + point.y() / rowHeight();
    if (column < 0 || row >= rowCount()) return {};
    return model()->index(row, column, rootIndex());
}

void ResultsView::scrollTo(const QModelIndex& index, ScrollHint hint) {
    if (!index.isValid()) return;
    const int row = index.row();
    const int first = firstShownRow();
    const int shown = wholeRowsShown();
    int top = first;
    switch (hint) {
        case EnsureVisible:
            if (row < first) {
                top = row;
            } else if (row >= first + shown) {
                top = row - shown + 1;
            }
            break;
        case PositionAtTop:
            top = row;
            break;
        case PositionAtBottom:
            top = row - shown + 1;
            break;
        case PositionAtCenter:
            top = row - shown / 2;
            break;
    }
    verticalScrollBar()->setValue(top);
}

QModelIndex ResultsView::moveCursor(CursorAction action, Qt::KeyboardModifiers /*modifiers*/) {
    const int rows = rowCount();
    if (rows == 0) return {};
    const QModelIndex current = currentIndex();
    if (!current.isValid()) return model()->index(0, 0, rootIndex());
    int row = current.row();
    switch (action) {
        case MoveUp:
        case MovePrevious:
            --row;
            break;
        case MoveDown:
        case MoveNext:
            ++row;
            break;
        case MovePageUp:
            row -= wholeRowsShown();
            break;
        case MovePageDown:
            row += wholeRowsShown();
            break;
        case MoveHome:
            row = 0;
            break;
        case MoveEnd:
            row = rows - 1;
            break;
        case MoveLeft:
        case MoveRight: {
            // A row has nothing to the side to go to: the view scrolls sideways instead.
            QScrollBar* columns = horizontalScrollBar();
            const int step = action == MoveLeft ? -columns->singleStep() : columns->singleStep();
            columns->setValue(columns->value() + step);
            return current;
        }
    }
    return model()->index(std::clamp(row, 0, rows - 1), current.column(), rootIndex());
}

void ResultsView::setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) {
    if (!selectionModel()) return;
    const int rows = rowCount();
    const int height = rowHeight();
    const int first = firstShownRow() + std::max(0, rect.top()) / height;
    const int last = std::min(rows - 1, firstShownRow() + std::max(0, rect.bottom()) / height);
    if (first > last) {
        selectionModel()->select(QItemSelection(), command);
        return;
    }
    selectionModel()->select(
        QItemSelection(model()->index(first, 0, rootIndex()), model()->index(last, 0, rootIndex())),
        command);
}

QRegion ResultsView::visualRegionForSelection(const QItemSelection& selection) const {
    // Only the part on screen counts: a selection may span millions of rows.
    const int first = firstShownRow();
    const int last = first + viewport()->height() / rowHeight() + 1;
    const int height = rowHeight();
    QRegion region;
    for (const QItemSelectionRange& range : selection) {
        const int top = std::max(range.top(), first);
        const int bottom = std::min(range.bottom(), last);
        if (top > bottom || range.parent() != rootIndex()) continue;
        region +=
            QRect(0, (top - first) * height, viewport()->width(), (bottom - top + 1) * height);
    }
    return region;
}

void ResultsView::keyboardSearch(const QString& /*search*/) {}

void ResultsView::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    const int rows = rowCount();
    if (rows == 0) return;
    const int height = rowHeight();
    const int first = firstShownRow() + std::max(0, event->rect().top()) / height;
    const int last = std::min(rows - 1, firstShownRow() + event->rect().bottom() / height);
    QStyleOptionViewItem base;
    initViewItemOption(&base);
    MakeSelectionReadable(base.palette);
    const QModelIndex current = currentIndex();
    const bool focused = hasFocus() || viewport()->hasFocus();
    const QItemSelectionModel* selection = selectionModel();
    for (int row = first; row <= last; ++row) {
        for (int column = 0; column < header_->count(); ++column) {
            if (header_->isSectionHidden(column)) continue;
            const QModelIndex index = model()->index(row, column, rootIndex());
            QStyleOptionViewItem option = base;
            option.rect = visualRect(index);
            if (!option.rect.intersects(event->rect())) continue;
            if (selection && selection->isSelected(index)) option.state |= QStyle::State_Selected;
            if (focused && current.row() == row) option.state |= QStyle::State_HasFocus;
            if (!(model()->flags(index) & Qt::ItemIsEnabled))
                option.state &= ~QStyle::State_Enabled;
            option.viewItemPosition = QStyleOptionViewItem::OnlyOne;
            itemDelegateForIndex(index)->paint(&painter, option, index);
        }
    }
}

}  // namespace quorvane
