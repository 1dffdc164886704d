#include <gtest/gtest.h>

#include <QSignalSpy>
#include <string>

#include "app/results_list_model.h"
#include "engine/run_time_error.h"
#include "qt_printers.h"

namespace quorvane::test {
namespace {

std::vector<std::string> textsOf(const ResultsListModel& model) {
    std::vector<std::string> texts;
    for (std::int64_t i = 1; i <= model.count(); ++i)
        texts.emplace_back(model.text(i));
    return texts;
}

long failureNumber(const std::function<void()>& action) {
    try {
        action();
    } catch (const RunTimeError& error) {
        return error.number();
    }
    return 0;
}

TEST(ResultsListModel, RemovingAnEntryMovesTheLaterOnesDownInOrder) {
    ResultsListModel model;
    for (const char* path : {"/a", "/b", "/c", "/d"})
        model.append(path);
    model.publishAppended();

    model.removeAt(2);
    EXPECT_EQ(textsOf(model), (std::vector<std::string>{"/a", "/c", "/d"}));
    EXPECT_EQ(model.rowCount(), 3);
    model.removeAt(3);
    model.removeAt(1);
    EXPECT_EQ(textsOf(model), (std::vector<std::string>{"/c"}));
}

TEST(ResultsListModel, ReadingOrRemovingPastTheEndFailsAndChangesNothing) {
    ResultsListModel model;
    model.append("/a");
    model.append("/b");

    EXPECT_EQ(failureNumber([&] { model.text(3); }), 35600);
    EXPECT_EQ(failureNumber([&] { model.text(0); }), 35600);
    EXPECT_EQ(failureNumber([&] { model.removeAt(3); }), 35600);
    EXPECT_EQ(failureNumber([&] { model.subText(3, 2); }), 35600);
    EXPECT_EQ(textsOf(model), (std::vector<std::string>{"/a", "/b"}));

    model.addColumn(QStringLiteral("Results"));
    EXPECT_EQ(model.columnHeading(1), QStringLiteral("Results"));
    EXPECT_EQ(failureNumber([&] { model.columnHeading(2); }), 35600);
}

TEST(ResultsListModel, AppendedEntriesReachTheViewsInOneNotificationPerBatch) {
    ResultsListModel model;
    model.addColumn(QStringLiteral("Results"));
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);

    for (int i = 0; i < 1000; ++i)
        model.append("/folder/" + std::to_string(i));
    EXPECT_EQ(model.count(), 1000);
    EXPECT_EQ(model.text(1000), "/folder/999");
    EXPECT_EQ(model.rowCount(), 0) << "views hear of the batch only when it is published";
    EXPECT_EQ(inserted.count(), 0);

    model.publishAppended();
    ASSERT_EQ(inserted.count(), 1);
    EXPECT_EQ(inserted[0][1].toInt(), 0);
    EXPECT_EQ(inserted[0][2].toInt(), 999);
    EXPECT_EQ(model.rowCount(), 1000);

    model.publishAppended();
    EXPECT_EQ(inserted.count(), 1) << "an empty batch is no notification";

    model.append("/folder/1000");
    model.publishAppended();
    ASSERT_EQ(inserted.count(), 2);
    EXPECT_EQ(inserted[1][1].toInt(), 1000);
    EXPECT_EQ(inserted[1][2].toInt(), 1000);
}

TEST(ResultsListModel, RemovingManyIsOnePassAndOneReset) {
    ResultsListModel model;
    for (int i = 1; i <= 10; ++i)
        model.append("/" + std::to_string(i));
    model.publishAppended();
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);

    EXPECT_EQ(model.removeIf([](size_t i) { return i % 3 != 0; }), 6u);
    EXPECT_EQ(textsOf(model), (std::vector<std::string>{"/1", "/4", "/7", "/10"}));
    EXPECT_EQ(model.rowCount(), 4);
    EXPECT_EQ(reset.count(), 1);

    model.clear();
    EXPECT_EQ(model.count(), 0);
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_EQ(reset.count(), 2);
}

TEST(ResultsListModel, EntriesKeepTheirBytesAndShowAsUtf8) {
    ResultsListModel model;
    model.addColumn(QStringLiteral("Results"));
    const std::string notUtf8 = "/data/caf\xe9";
    const std::string withBreak = "/data/two\nlines";
    model.append(notUtf8);
    model.append(withBreak);
    model.append("/data/\xc3\xa9t\xc3\xa9");
    model.publishAppended();

    EXPECT_EQ(model.text(1), notUtf8);
    EXPECT_EQ(model.text(2), withBreak);
    EXPECT_EQ(model.data(model.index(0, 0), Qt::DisplayRole).toString(),
              QStringLiteral("/data/caf\ufffd"));
    EXPECT_EQ(model.displayText(3), QStringLiteral("/data/\u00e9t\u00e9"));
    EXPECT_EQ(model.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
              QStringLiteral("Results"));
}

}  // namespace
}  // namespace quorvane::test
