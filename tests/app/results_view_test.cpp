#include "app/results_view.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace quorvane::test
