// The walk on every platform: its order, its depths, what it leaves out and what it reports.
// Trees are made at run time, and every expected order is read back from the file system.
// What only one platform has is in folder_walk_posix_test.cpp and folder_walk_windows_test.cpp.

#include "engine/folder_walk.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "engine/walk_test_support.h"
#include "support/expected_walk.h"
#include "support/fixture_tree.h"
#include "support/temp_folder.h"

namespace quorvane::walk_test {
namespace {

using test::ExpectedWalk;
using test::ListedNames;
using test::MakeFolder;
using test::MakeFolders;
using test::TempFolder;

TEST_P(FolderWalk, EachFolderBlockComesAfterEverythingBelowIt) {
    TempFolder temp;
    const std::string t = BuildExampleTree(temp);
    const auto top = ListedNames(t);
    const auto inA = ListedNames(t + "A");
    const std::vector<std::string> belowA = {t + Native("A/A1/A1a/")};
    const std::vector<std::string> blockA = {t + Native("A/" + inA[0] + "/"),
                                             t + Native("A/" + inA[1] + "/")};
    const std::vector<std::string> belowB = {t + Native("B/B1/")};
    const std::vector<std::string> blockT = {t + top[0] + kSeparator, t + top[1] + kSeparator};
    const bool aFirst = top[0] == "A";

    const auto every = aFirst ? belowA + blockA + belowB : belowB + belowA + blockA;
    EXPECT_EQ(WalkEvery(t), every + blockT);
    const auto two = aFirst ? blockA + belowB : belowB + blockA;
    EXPECT_EQ(WalkDepth(t, 2), two + blockT);
    EXPECT_EQ(WalkDepth(t, 1), blockT);
    // The reference walk that the other tests lean on agrees with the rule spelled out here.
    EXPECT_EQ(ExpectedWalk(t), every + blockT);
}

TEST_P(FolderWalk, DepthLimitGivesLevelsOneToN) {
    TempFolder temp;
    const std::string t = test::BuildAwkwardTree(temp.path()) + kSeparator;
    for (int depth : {1, 2, 3, 4}) {
        SCOPED_TRACE(depth);
        const auto found = WalkDepth(t, static_cast<std::int16_t>(depth));
        EXPECT_EQ(found, ExpectedWalk(t, depth));
        // The chain t/deep/d1/d2/... has a folder on every level.
        std::string deepest = t + "deep" + kSeparator;
        for (int level = 1; level < depth; ++level)
            deepest += "d" + std::to_string(level) + kSeparator;
        EXPECT_TRUE(Contains(found, deepest));
        EXPECT_FALSE(Contains(found, deepest + "d" + std::to_string(depth) + kSeparator));
    }
}

TEST_P(FolderWalk, DepthBelowOneGivesOnlyTheFirstLevel) {
    TempFolder temp;
    const std::string t = BuildExampleTree(temp);
    const auto first = WalkDepth(t, 1);
    ASSERT_EQ(first.size(), 2u);
    EXPECT_EQ(WalkDepth(t, 0), first);
    EXPECT_EQ(WalkDepth(t, -1), first);
    EXPECT_EQ(WalkDepth(t, -32768), first);
}

TEST_P(FolderWalk, AwkwardTreeGivesTheListingOrderAndNothingElse) {
    TempFolder temp;
    const std::string t = test::BuildAwkwardTree(temp.path()) + kSeparator;
    const auto found = WalkEvery(t);
    EXPECT_EQ(found, ExpectedWalk(t));

    EXPECT_EQ(std::set<std::string>(found.begin(), found.end()).size(), found.size())
        << "a folder listed twice";
    const test::AwkwardTreeNames& names = test::AwkwardNames();
    const std::string doubled(2, kSeparator);
    for (const std::string& path : found) {
        for (const std::string& hidden : names.neverShown) {
            EXPECT_EQ(path.find(hidden), std::string::npos) << "listed or entered: " << path;
        }
        EXPECT_EQ(path.find(doubled, 2), std::string::npos) << path;
    }
    for (const std::string& notFolder : names.notFolders)
        EXPECT_FALSE(Contains(found, t + notFolder)) << notFolder;
    for (const std::string& folder : names.folders)
        EXPECT_TRUE(Contains(found, t + folder)) << folder;
}

TEST_P(FolderWalk, DoubledSeparatorsInTheTargetDoNotReachTheResults) {
    TempFolder temp;
    const std::string t = test::BuildAwkwardTree(temp.path()) + kSeparator;
    const std::string doubled = temp.path() + Native("//tree//");
    EXPECT_EQ(WalkEvery(doubled), ExpectedWalk(t));
    EXPECT_EQ(WalkDepth(doubled, 2), ExpectedWalk(t, 2));
}

// Handles events the way a window does, leaving the last error changed behind it.
class ErrorChangingYield : public YieldHook {
  public:
    void yield() override { test::ChangeLastError(); }
};

TEST_P(FolderWalk, TargetThatCannotBeListedAddsNothingAndIsReportedWithItsOwnError) {
    TempFolder temp;
    test::MakeFile(temp / "file.txt", "x");
    MakeFolder(temp / "empty");
    ErrorChangingYield yield;
    const auto walk = [&](const std::string& root) {
        RecordingSink sink;
        WalkAll(root, Options(&yield), sink);
        return sink;
    };

    const std::string missingFolder = temp / "no such folder" + kSeparator;
    const RecordingSink missing = walk(missingFolder);
    EXPECT_TRUE(missing.paths.empty());
    ASSERT_EQ(missing.failures.size(), 1u);
    EXPECT_EQ(missing.failures[0].path, missingFolder);
    EXPECT_EQ(missing.failures[0].error, test::kMissingFolderError);

    const RecordingSink file = walk(temp / "file.txt" + kSeparator);
    EXPECT_TRUE(file.paths.empty());
    EXPECT_EQ(file.failures.size(), 1u);

    const RecordingSink empty = walk(temp / "empty" + kSeparator);
    EXPECT_TRUE(empty.paths.empty());
    EXPECT_TRUE(empty.failures.empty());
}

// Deeper than the walk keeps held on POSIX, longer than an ordinary path on Windows.
TEST_P(FolderWalk, VeryDeepTreeIsWalkedToTheBottomAndReportedInTheOrdinaryForm) {
    TempFolder temp;
    const std::string t = temp / "T" + kSeparator;
    // With a side branch on every level.
    MakeFolder(t);
    std::string folder = t;
    std::string nearTheBottom;
    for (int level = 1; level <= 150; ++level) {
        folder += "n" + std::to_string(level % 10) + kSeparator;
        MakeFolder(folder);
        MakeFolder(folder + "side");
        if (level == 140) nearTheBottom = folder;
    }
    const auto found = WalkEvery(t);
    EXPECT_EQ(found.size(), 300u);
    EXPECT_EQ(found, ExpectedWalk(t));
    for (const std::string& path : found)
        EXPECT_FALSE(path.starts_with("\\\\?\\")) << path;
    EXPECT_EQ(WalkDepth(t, 140), ExpectedWalk(t, 140));
    // Started below the limit already.
    EXPECT_EQ(WalkEvery(nearTheBottom), ExpectedWalk(nearTheBottom));
    EXPECT_EQ(WalkEvery(nearTheBottom).size(), 21u);  // ten levels and eleven side folders
}

// Links to the folder itself, to its parent and to an ancestor lead back into folders the walk
// is inside, whatever their paths: each is listed, and nothing below it. A link across the
// tree is walked as the folder it leads to. On Windows the walk cannot tell every link (Wine
// shows those of the Unix file system as folders), so this holds by the folders' identity.
TEST_P(FolderWalk, LinksBackToTheFolderOrAnAncestorAreListedButNeverEntered) {
    TempFolder temp;
    const std::string t = temp / "T" + kSeparator;
    MakeFolders(t + Native("a/b/c"));
    MakeFolders(t + Native("x/inner"));
    test::MakeLink(t + Native("a/self"), ".");
    test::MakeLink(t + Native("a/b/up"), "..");
    test::MakeLink(t + Native("a/b/c/ancestor"), Native("../../.."));
    test::MakeLink(t + Native("a/across"), Native("../x"));
    const auto sorted = [](std::vector<std::string> paths) {
        std::sort(paths.begin(), paths.end());
        return paths;
    };
    std::vector<std::string> every;
    for (const char* path : {"a/", "a/across/", "a/across/inner/", "a/b/", "a/b/c/",
                             "a/b/c/ancestor/", "a/b/up/", "a/self/", "x/", "x/inner/"})
        every.push_back(t + Native(path));
    EXPECT_EQ(sorted(WalkEvery(t)), every);
    EXPECT_EQ(sorted(WalkDepth(t, 9)), every);
    EXPECT_EQ(sorted(WalkDepth(t, 2)),
              sorted({t + Native("a/"), t + Native("a/across/"), t + Native("a/b/"),
                      t + Native("a/self/"), t + Native("x/"), t + Native("x/inner/")}));
}

// Takes a few folders, then says it has stopped, as a sink whose output failed does.
class StoppingSink : public RecordingSink {
  public:
    void append(const ListedFolder& folder) override {
        RecordingSink::append(folder);
        if (paths.size() == 3) full = true;
    }
    bool stopped() const override { return full; }
    bool full = false;
};

TEST_P(FolderWalk, StopsAtOnceWhenTheSinkHasStopped) {
    TempFolder temp;
    const std::string t = test::BuildAwkwardTree(temp.path()) + kSeparator;
    StoppingSink sink;
    WalkAll(t, Options(), sink);
    const auto every = ExpectedWalk(t);
    ASSERT_GT(every.size(), 3u);
    EXPECT_EQ(sink.paths, std::vector<std::string>(every.begin(), every.begin() + 3));
}

// Many threads on two cores hand out all the time; a limit of a byte parks every part as soon
// as it writes anything, one of a few KiB now and then; past half of one of 64 KiB, only what
// the list reaches next is handed out. Whoever walked what, the list is the same, and each of
// these did happen.
TEST(FolderWalkShared, SameListWhicheverThreadWalksWhatAndWhateverTheyHoldAhead) {
    TempFolder temp;
    const std::string t = BuildSpreadTree(temp.path(), 2500, 7);
    WalkCounts total;
    const auto walk = [&](unsigned threads, size_t aheadLimit, bool facts) {
        WalkOptions options;
        options.threads = threads;
        options.aheadLimit = aheadLimit;
        if (facts)
            options.rules = {false, NameOrder::Listing, nullptr, FactsWanted::CountsAndSize, true};
        WalkCounts counts;
        options.counts = &counts;
        RowSink sink;
        WalkAll(t, options, sink);
        total.handOuts += counts.handOuts;
        total.nearHandOuts += counts.nearHandOuts;
        total.parks += counts.parks;
        total.threadsThatWalked = std::max(total.threadsThatWalked, counts.threadsThatWalked);
        if (threads == 2) {
            EXPECT_EQ(counts.threadsThatWalked, 2u) << "the helper walked nothing";
        }
        return sink.rows;
    };
    for (const bool facts : {false, true}) {
        const std::string alone = walk(1, 0, facts);
        ASSERT_GT(std::count(alone.begin(), alone.end(), '\n'), 1500);
        const std::pair<unsigned, size_t> shares[] = {{2, WalkOptions().aheadLimit},
                                                      {16, WalkOptions().aheadLimit},
                                                      {2, 1},
                                                      {16, 1},
                                                      {3, 4096},
                                                      {8, 65536}};
        for (const auto& [threads, aheadLimit] : shares) {
            for (int round = 0; round < 4; ++round) {
                SCOPED_TRACE(testing::Message() << threads << " threads, limit " << aheadLimit
                                                << (facts ? ", facts" : ""));
                ASSERT_EQ(walk(threads, aheadLimit, facts), alone);
            }
        }
    }
    EXPECT_GT(total.threadsThatWalked, 8u);
    EXPECT_GT(total.handOuts, 100u);
    EXPECT_GT(total.nearHandOuts, 0u);
    EXPECT_GT(total.parks, 0u);
}

INSTANTIATE_TEST_SUITE_P(Threads, FolderWalk,
                         testing::Values(Threads{"OneThread", 1, WalkOptions().aheadLimit},
                                         Threads{"Shared", 4, WalkOptions().aheadLimit},
                                         Threads{"SharedPastTheirLimit", 3, 1}),
                         [](const testing::TestParamInfo<Threads>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace quorvane::walk_test
