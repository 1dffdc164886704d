#include "app/qt_results_model.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <string>

#include "qt_printers.h"

namespace quorvane::test {
namespace {

TEST(ResultsListModel, AppendedEntriesReachTheViewsInOneNotificationPerBatch) {
    ResultsList list;
    ResultsListModel model(list);
    list.addColumn("Results");
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);

    for (int i = 0; i < 1000; ++i)
        list.append("/folder/" + std::to_string(i));
    EXPECT_EQ(model.rowCount(), 0) << "views hear of the batch only when it is published";
    EXPECT_EQ(inserted.count(), 0);

    list.publishAppended();
    ASSERT_EQ(inserted.count(), 1);
    EXPECT_EQ(inserted[0][1].toInt(), 0);
    EXPECT_EQ(inserted[0][2].toInt(), 999);
    EXPECT_EQ(model.rowCount(), 1000);
    EXPECT_EQ(model.columnCount(), 1);

    QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
    ASSERT_TRUE(list.removeAt(3).ok());
    ASSERT_EQ(removed.count(), 1);
    EXPECT_EQ(removed[0][1].toInt(), 2);
    EXPECT_EQ(model.rowCount(), 999);
}

TEST(ResultsListModel, RemovingManyIsOneReset) {
    ResultsList list;
    ResultsListModel model(list);
    for (int i = 1; i <= 10; ++i)
        list.append("/" + std::to_string(i));
    list.publishAppended();
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);

    list.removeIf([](size_t i) { return i % 3 != 0; });
    EXPECT_EQ(model.rowCount(), 4);
    EXPECT_EQ(reset.count(), 1);
    list.clear();
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_EQ(reset.count(), 2);
}

TEST(ResultsListModel, EntriesShowAsUtf8WithReplacementCharacters) {
    ResultsList list;
    ResultsListModel model(list);
    list.addColumn("Results");
    list.append("/data/caf\xe9");
    list.append("/data/\xc3\xa9t\xc3\xa9");
    list.publishAppended();

    EXPECT_EQ(model.data(model.index(0, 0), Qt::DisplayRole).toString(),
              QStringLiteral("/data/caf\ufffd"));
    EXPECT_EQ(model.data(model.index(1, 0), Qt::DisplayRole).toString(),
              QStringLiteral("/data/\u00e9t\u00e9"));
    EXPECT_EQ(model.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
              QStringLiteral("Results"));
}

}  // namespace
}  // namespace quorvane::test
