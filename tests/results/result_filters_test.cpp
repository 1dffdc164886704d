#include "results/result_filters.h"

#include <gtest/gtest.h>

#include "results/scratch_folder.h"
#include "results/scripted_yield.h"

namespace quorvane {
namespace {

using testing::Entries;
using testing::MakeList;
using testing::ScriptedYield;
using Texts = std::vector<std::string>;

TEST(ResultFilters, MatchIgnoresLetterCaseOnly) {
    FolderList list = MakeList({"C:\\Windows", "C:\\Program Files"});
    EXPECT_EQ(RemoveResultsContaining(list, "WINDOWS"), 1u);
    EXPECT_EQ(Entries(list), Texts{"C:\\Program Files"});

    list = MakeList({"C:\\Windows", "C:\\Program Files"});
    RemoveResultsNotContaining(list, "windows");
    EXPECT_EQ(Entries(list), Texts{"C:\\Windows"});

    // Letters beyond ASCII fold the same way on both sides.
    list = MakeList({"/srv/ärger", "/srv/ÄRGER/Ölpest", "/srv/arger", "/srv/Σοφία"});
    RemoveResultsContaining(list, "ÄRGER");
    EXPECT_EQ(Entries(list), Texts({"/srv/arger", "/srv/Σοφία"}));
    RemoveResultsNotContaining(list, "ΣΟΦΊΑ");
    EXPECT_EQ(Entries(list), Texts{"/srv/Σοφία"});
}

TEST(ResultFilters, SeparatorsBlanksAndWildcardsArePlainCharacters) {
    const Texts paths = {"C:\\A", "C:\\Program Files", "C:\\Program", "D:\\a*b", "D:\\a?b"};
    FolderList list = MakeList(paths);
    RemoveResultsNotContaining(list, "\\");
    EXPECT_EQ(Entries(list), paths);
    RemoveResultsContaining(list, "\\");
    EXPECT_TRUE(list.empty());

    list = MakeList(paths);
    RemoveResultsContaining(list, "Program ");
    EXPECT_EQ(Entries(list), Texts({"C:\\A", "C:\\Program", "D:\\a*b", "D:\\a?b"}));
    RemoveResultsContaining(list, "*");
    RemoveResultsContaining(list, "a?");
    EXPECT_EQ(Entries(list), Texts({"C:\\A", "C:\\Program"}));
}

TEST(ResultFilters, RemovalKeepsTheOrderOfWhatStays) {
    FolderList list = MakeList({"/one", "/two/x", "/three/x", "/four", "/five/x", "/six"});
    EXPECT_EQ(RemoveResultsContaining(list, "/X"), 3u);
    EXPECT_EQ(Entries(list), Texts({"/one", "/four", "/six"}));

    // Many entries over several storage blocks, every other one matching.
    list = FolderList();
    Texts kept;
    for (int i = 0; i < 60000; ++i) {
        const std::string path = "/data/folder-" + std::to_string(i) + (i % 2 ? "/Cache" : "/src");
        list.append(path);
        if (i % 2 == 0) kept.push_back(path);
    }
    EXPECT_EQ(RemoveResultsContaining(list, "cache"), 30000u);
    EXPECT_EQ(Entries(list), kept);
}

TEST(ResultFilters, BytesThatAreNotUtf8AreKeptAndMatchedAsThemselves) {
    const std::string odd = "/srv/Bad\xff\xfeName";
    FolderList list = MakeList({odd, "/srv/good"});
    RemoveResultsNotContaining(list, "bad\xff");
    EXPECT_EQ(Entries(list), Texts{odd});
    RemoveResultsContaining(list, "NAME");
    EXPECT_TRUE(list.empty());
}

TEST(ResultFilters, ListLosingEntriesDuringTheScanFailsAndTheFilterRemovesNothing) {
    FolderList list = MakeList({"/a", "/b/x", "/c", "/d/x", "/e"});
    ScriptedYield removeOne([&list](int yield) {
        if (yield == 3) list.removeAt(0);
    });
    size_t removed = 0;
    EXPECT_EQ(RemoveResults(list, "/x", ResultFilter::Containing, &removeOne, removed).failure(),
              Status::Failure::ListChanged)
        << "the scan went on over a list that lost an entry";
    EXPECT_EQ(Entries(list), Texts({"/b/x", "/c", "/d/x", "/e"}));

    // Emptied and filled again past the scan's count: the indexes name other entries now.
    list = MakeList({"/a/x", "/b"});
    ScriptedYield newRun([&list](int yield) {
        if (yield != 2) return;
        list.clear();
        for (const char* path : {"/new/x", "/new", "/newer/x"})
            list.append(path);
    });
    EXPECT_EQ(RemoveResults(list, "/x", ResultFilter::NotContaining, &newRun, removed).failure(),
              Status::Failure::ListChanged);
    EXPECT_EQ(Entries(list), Texts({"/new/x", "/new", "/newer/x"}));
}

TEST(ResultFilters, EntriesAppendedDuringTheScanAreNotLookedAt) {
    FolderList list = MakeList({"/a/x", "/b"});
    ScriptedYield append([&list](int yield) {
        if (yield == 1) list.append("/late/x");
    });
    size_t removed = 0;
    ASSERT_TRUE(RemoveResults(list, "/x", ResultFilter::Containing, &append, removed).ok());
    EXPECT_EQ(append.count(), 2);
    EXPECT_EQ(Entries(list), Texts({"/b", "/late/x"}));
}

}  // namespace
}  // namespace quorvane
