#include "results/results_list.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace quorvane::test {
namespace {

constexpr Status::Failure kOutOfRange = Status::Failure::OutOfRange;

std::vector<std::string> textsOf(const ResultsList& list) {
    std::vector<std::string> texts;
    std::string text;
    for (std::int64_t i = 1; i <= list.count(); ++i) {
        EXPECT_TRUE(list.text(i, text).ok());
        texts.emplace_back(text);
    }
    return texts;
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

    ASSERT_TRUE(list.removeAt(2).ok());
    EXPECT_EQ(textsOf(list), (std::vector<std::string>{"/a", "/c", "/d"}));
    EXPECT_EQ(list.shownCount(), 3u);
    ASSERT_TRUE(list.removeAt(3).ok());
    ASSERT_TRUE(list.removeAt(1).ok());
    EXPECT_EQ(textsOf(list), (std::vector<std::string>{"/c"}));
}

TEST(ResultsList, ReadingOrRemovingPastTheEndFailsAndChangesNothing) {
    ResultsList list;
    list.append("/a");
    list.append("/b");

    std::string text;
    std::string owned;
    EXPECT_EQ(list.text(3, text).failure(), kOutOfRange);
    EXPECT_EQ(list.text(0, text).failure(), kOutOfRange);
    EXPECT_EQ(list.removeAt(3).failure(), kOutOfRange);
    EXPECT_EQ(list.subText(3, 2, owned).failure(), kOutOfRange);
    EXPECT_EQ(textsOf(list), (std::vector<std::string>{"/a", "/b"}));

    list.addColumn("Results");
    ASSERT_TRUE(list.columnHeading(1, owned).ok());
    EXPECT_EQ(owned, "Results");
    EXPECT_EQ(list.columnHeading(2, owned).failure(), kOutOfRange);
    EXPECT_EQ(list.subText(1, 2, owned).failure(), kOutOfRange) << "one column only";
}

TEST(ResultsList, TheViewHearsOfAppendedEntriesInOneNotificationPerBatch) {
    ResultsList list;
    Transcript view;
    list.setObserver(&view);
    list.addColumn("Results");

    for (int i = 0; i < 1000; ++i)
        list.append("/folder/" + std::to_string(i));
    EXPECT_EQ(list.count(), 1000);
    EXPECT_EQ(list.entries().path(999), "/folder/999");
    EXPECT_EQ(list.shownCount(), 0u) << "the view hears of the batch only when it is published";

    list.publishAppended();
    list.publishAppended();  // an empty batch is no notification
    list.append("/folder/1000");
    ASSERT_TRUE(list.removeAt(1001).ok());  // publishes what the view has not seen first
    EXPECT_EQ(list.removeIf([](size_t i) { return i % 3 != 0; }), 666u);
    list.clear();
    EXPECT_EQ(view.heard, (std::vector<std::string>{"column 0", "rows 0-999", "rows 1000-1000",
                                                    "remove 1000", "reset", "reset"}));
    EXPECT_EQ(list.shownCount(), 0u);
}

}  // namespace
}  // namespace quorvane::test
