#include "results/results_list.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "engine/run_time_error.h"

namespace quorvane::test {
namespace {

std::vector<std::string> textsOf(const ResultsList& list) {
    std::vector<std::string> texts;
    for (std::int64_t i = 1; i <= list.count(); ++i)
        texts.emplace_back(list.text(i));
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

// Keeps what a view heard, in order.
class Transcript : public ResultsListObserver {
  public:
    std::vector<std::string> heard;
    void columnAdding(int column) override { heard.push_back("column " + std::to_string(column)); }
    void rowsAppending(size_t first, size_t last) override {
        heard.push_back("rows " + std::to_string(first) + "-" + std::to_string(last));
    }
    void rowRemoving(size_t row) override { heard.push_back("remove " + std::to_string(row)); }
    void resetting() override { heard.push_back("reset"); }
};

TEST(ResultsList, RemovingAnEntryMovesTheLaterOnesDownInOrder) {
    ResultsList list;
    for (const char* path : {"/a", "/b", "/c", "/d"})
        list.append(path);
    list.publishAppended();

    list.removeAt(2);
    EXPECT_EQ(textsOf(list), (std::vector<std::string>{"/a", "/c", "/d"}));
    EXPECT_EQ(list.shownCount(), 3u);
    list.removeAt(3);
    list.removeAt(1);
    EXPECT_EQ(textsOf(list), (std::vector<std::string>{"/c"}));
}

TEST(ResultsList, ReadingOrRemovingPastTheEndFailsAndChangesNothing) {
    ResultsList list;
    list.append("/a");
    list.append("/b");

    EXPECT_EQ(failureNumber([&] { list.text(3); }), 35600);
    EXPECT_EQ(failureNumber([&] { list.text(0); }), 35600);
    EXPECT_EQ(failureNumber([&] { list.removeAt(3); }), 35600);
    EXPECT_EQ(failureNumber([&] { list.subText(3, 2); }), 35600);
    EXPECT_EQ(textsOf(list), (std::vector<std::string>{"/a", "/b"}));

    list.addColumn("Results");
    EXPECT_EQ(list.columnHeading(1), "Results");
    EXPECT_EQ(failureNumber([&] { list.columnHeading(2); }), 35600);
    EXPECT_EQ(failureNumber([&] { list.subText(1, 2); }), 35600) << "one column only";
}

TEST(ResultsList, TheViewHearsOfAppendedEntriesInOneNotificationPerBatch) {
    ResultsList list;
    Transcript view;
    list.setObserver(&view);
    list.addColumn("Results");

    for (int i = 0; i < 1000; ++i)
        list.append("/folder/" + std::to_string(i));
    EXPECT_EQ(list.count(), 1000);
    EXPECT_EQ(list.text(1000), "/folder/999");
    EXPECT_EQ(list.shownCount(), 0u) << "the view hears of the batch only when it is published";

    list.publishAppended();
    list.publishAppended();  // an empty batch is no notification
    list.append("/folder/1000");
    list.removeAt(1001);  // publishes what the view has not seen before it removes
    EXPECT_EQ(list.removeIf([](size_t i) { return i % 3 != 0; }), 666u);
    list.clear();
    EXPECT_EQ(view.heard, (std::vector<std::string>{"column 0", "rows 0-999", "rows 1000-1000",
                                                    "remove 1000", "reset", "reset"}));
    EXPECT_EQ(list.shownCount(), 0u);
}

}  // namespace
}  // namespace quorvane::test
