#include "app/results_view.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QTest>
#include <memory>
#include <string>

#include "app/qt_results_model.h"
#include "qt_printers.h"

namespace quorvane::test {
namespace {

// A shown view over a list of `count` entries, with one column 200 pixels wide.
class ShownList {
  public:
    explicit ShownList(int count) {
        list.addColumn("Results");
        append(count);
        view.setModel(&model);
        view.setColumnWidth(0, 200);
        view.resize(300, 200);
        view.show();
        QApplication::setActiveWindow(&view);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&view));
    }
    void append(int count) {
        for (int i = 0; i < count; ++i)
            list.append("/srv/" + std::to_string(list.count()));
        list.publishAppended();
    }
    int firstShownRow() const { return view.verticalScrollBar()->value(); }
    int wholeRowsShown() const { return view.viewport()->height() / view.rowHeight(); }
    int selectedRow() const {
        const QModelIndexList selected = view.selectionModel()->selectedRows();
        return selected.size() == 1 ? selected.first().row() : -1;
    }

    ResultsList list;
    ResultsListModel model{list};
    ResultsView view;
};

TEST(ResultsView, RowsLieOneUnderAnotherAndArePickedByWhereThePointerIs) {
    ShownList shown(100000);
    ResultsView& view = shown.view;
    const int height = view.rowHeight();
    ASSERT_GT(height, 0);
    view.verticalScrollBar()->setValue(500);
    for (const int row : {500, 501, 505}) {
        const QRect rect = view.visualRect(shown.model.index(row, 0));
        EXPECT_EQ(rect, QRect(0, (row - 500) * height, 200, height));
        EXPECT_EQ(view.indexAt(rect.center()).row(), row);
    }
    EXPECT_FALSE(view.indexAt(QPoint(250, 5)).isValid()) << "right of the column";
    EXPECT_EQ(view.verticalScrollBar()->maximum(), 100000 - shown.wholeRowsShown());

    // A click selects the row under the pointer; the list then repaints whole.
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(10, height * 2 + 1));
    EXPECT_EQ(shown.selectedRow(), 502);
    EXPECT_FALSE(view.grab().isNull());

    ShownList few(3);
    EXPECT_FALSE(few.view.indexAt(QPoint(10, few.view.rowHeight() * 3 + 1)).isValid())
        << "below the last row";
}

TEST(ResultsView, KeysMoveTheSelectionAndTheViewFollows) {
    ShownList shown(100000);
    ResultsView& view = shown.view;
    // The focus makes the first row the current one, unselected, as in any item view.
    view.setFocus();
    EXPECT_EQ(view.currentIndex().row(), 0);
    EXPECT_EQ(shown.selectedRow(), -1);
    QTest::keyClick(&view, Qt::Key_Down);
    EXPECT_EQ(shown.selectedRow(), 1);
    QTest::keyClick(&view, Qt::Key_PageDown);
    EXPECT_EQ(shown.selectedRow(), 1 + shown.wholeRowsShown());
    QTest::keyClick(&view, Qt::Key_End);
    EXPECT_EQ(shown.selectedRow(), 99999);
    EXPECT_EQ(shown.firstShownRow(), 100000 - shown.wholeRowsShown());
    QTest::keyClick(&view, Qt::Key_Up);
    EXPECT_EQ(shown.selectedRow(), 99998);
    // Typing looks for nothing: every entry begins with the same root.
    QTest::keyClicks(&view, QStringLiteral("/srv/5"));
    EXPECT_EQ(shown.selectedRow(), 99998);
    QTest::keyClick(&view, Qt::Key_Home);
    EXPECT_EQ(shown.selectedRow(), 0);
    EXPECT_EQ(shown.firstShownRow(), 0);
}

TEST(ResultsView, ChangesOfTheListKeepTheViewWhereItCan) {
    ShownList shown(1000);
    ResultsView& view = shown.view;
    view.verticalScrollBar()->setValue(400);
    shown.append(5000);
    EXPECT_EQ(shown.firstShownRow(), 400) << "rows appended below move nothing";
    EXPECT_EQ(view.verticalScrollBar()->maximum(), 6000 - shown.wholeRowsShown());

    shown.list.removeIf([](size_t row) { return row >= 100; });
    EXPECT_EQ(view.verticalScrollBar()->maximum(), 100 - shown.wholeRowsShown());
    EXPECT_LE(shown.firstShownRow(), view.verticalScrollBar()->maximum());
    shown.list.clear();
    EXPECT_EQ(view.verticalScrollBar()->maximum(), 0);
    EXPECT_FALSE(view.indexAt(QPoint(10, 5)).isValid());

    // A column wider than the view: it scrolls sideways, and the header with it.
    view.setColumnWidth(0, 2000);
    EXPECT_EQ(view.horizontalScrollBar()->maximum(), 2000 - view.viewport()->width());
    view.horizontalScrollBar()->setValue(300);
    EXPECT_EQ(view.header()->offset(), 300);
}

TEST(ResultsViewAccessibility, IsATableOfOneRowPerEntryUnderItsColumnHeader) {
    ShownList shown(31);
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(&shown.view);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->role(), QAccessible::Table);
    QAccessibleTableInterface* rows = table->tableInterface();
    ASSERT_NE(rows, nullptr);
    EXPECT_EQ(rows->rowCount(), 31);
    EXPECT_EQ(rows->columnCount(), 1);
    EXPECT_EQ(rows->columnDescription(0), QStringLiteral("Results"));
    EXPECT_EQ(table->childCount(), 32) << "the header's cell and one cell a row";
    ASSERT_NE(table->child(0), nullptr);
    EXPECT_EQ(table->child(0)->role(), QAccessible::ColumnHeader);
    EXPECT_EQ(table->child(0)->text(QAccessible::Name), QStringLiteral("Results"));

    for (const int row : {0, 1, 30}) {
        SCOPED_TRACE(row);
        QAccessibleInterface* cell = rows->cellAt(row, 0);
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(cell->role(), QAccessible::Cell);
        EXPECT_EQ(cell->text(QAccessible::Name), QStringLiteral("/srv/%1").arg(row));
        EXPECT_EQ(cell, rows->cellAt(row, 0)) << "one cell for a row, however often asked";
        EXPECT_EQ(cell->parent(), table);
        EXPECT_EQ(table->child(table->indexOfChild(cell)), cell);
        QAccessibleTableCellInterface* place = cell->tableCellInterface();
        ASSERT_NE(place, nullptr);
        EXPECT_EQ(place->rowIndex(), row);
        EXPECT_EQ(place->columnHeaderCells(), QList<QAccessibleInterface*>{table->child(0)});
    }
    EXPECT_EQ(rows->cellAt(31, 0), nullptr);

    // A cell is where the list shows it: a pointer there finds it; one below the view's
    // bottom is off the screen.
    QAccessibleInterface* second = rows->cellAt(1, 0);
    EXPECT_EQ(table->childAt(second->rect().center().x(), second->rect().center().y()), second);
    EXPECT_FALSE(second->state().offscreen);
    EXPECT_TRUE(rows->cellAt(30, 0)->state().offscreen);
}

// What Qt tells screen readers as the focus and the selection move needs one listening, which
// the offscreen platform never has; what they then read is checked here.
TEST(ResultsViewAccessibility, FocusedAndSelectedRowsAreReadAsTheyChangeAndCellsKeepTheirEntry) {
    ShownList shown(100000);
    ResultsView& view = shown.view;
    view.setSelectionMode(QAbstractItemView::SingleSelection);
    view.setSelectionBehavior(QAbstractItemView::SelectRows);
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(&view);
    QAccessibleTableInterface* rows = table->tableInterface();
    ASSERT_NE(rows, nullptr);
    const auto state = [&](int row) { return rows->cellAt(row, 0)->state(); };

    view.setFocus();
    EXPECT_EQ(table->focusChild(), rows->cellAt(0, 0));
    EXPECT_TRUE(state(0).focused);
    EXPECT_FALSE(state(0).selected);
    QTest::keyClick(&view, Qt::Key_Down);
    EXPECT_TRUE(state(1).focused && state(1).selected);
    EXPECT_FALSE(state(0).focused);
    QTest::keyClick(&view, Qt::Key_End);
    EXPECT_EQ(table->focusChild(), rows->cellAt(99999, 0));
    EXPECT_TRUE(state(99999).selected && !state(1).selected);
    EXPECT_EQ(rows->selectedRows(), QList<int>{99999});
    EXPECT_EQ(rows->selectedCells(), QList<QAccessibleInterface*>{rows->cellAt(99999, 0)});

    // A screen reader's choice of a row selects it as a click does.
    EXPECT_TRUE(rows->selectRow(7));
    EXPECT_EQ(shown.selectedRow(), 7);
    EXPECT_EQ(view.currentIndex().row(), 7);
    EXPECT_TRUE(rows->isRowSelected(7));
    EXPECT_FALSE(rows->isRowSelected(99999));

    // A cell stays with its entry when one before it goes, and goes with the entries.
    QAccessibleInterface* tenth = rows->cellAt(10, 0);
    const QAccessible::Id removed = QAccessible::uniqueId(rows->cellAt(3, 0));
    ASSERT_TRUE(shown.list.removeAt(4).ok());
    EXPECT_EQ(QAccessible::accessibleInterface(removed), nullptr);
    EXPECT_EQ(tenth->text(QAccessible::Name), QStringLiteral("/srv/10"));
    EXPECT_EQ(tenth->tableCellInterface()->rowIndex(), 9);
    EXPECT_EQ(rows->cellAt(9, 0), tenth);
    const QAccessible::Id kept = QAccessible::uniqueId(tenth);
    shown.list.clear();
    EXPECT_EQ(QAccessible::accessibleInterface(kept), nullptr);
    EXPECT_EQ(rows->rowCount(), 0);
    EXPECT_EQ(table->childCount(), 1) << "the header's cell";
}

}  // namespace
}  // namespace quorvane::test
