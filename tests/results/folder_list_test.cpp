#include "results/folder_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "engine/path_rules.h"
#include "results/scratch_folder.h"

namespace quorvane {
namespace {

using testing::Entries;
using testing::MakeList;
using Texts = std::vector<std::string>;

// A path of the platform from its parts: "" as the first part gives a leading separator.
std::string PathOf(const Texts& parts) {
    std::string path;
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) path += kSeparator;
        path += parts[i];
    }
    return path;
}

// Every entry made in a row, and some made alone.
void ExpectEntries(const FolderList& list, const Texts& expected) {
    ASSERT_EQ(list.size(), expected.size());
    for (size_t i = 0; i < expected.size(); i += 1 + i / 16)
        EXPECT_EQ(list.path(i), expected[i]) << "entry " << i;
    EXPECT_EQ(Entries(list), expected);
}

TEST(FolderList, PathsComeBackByteForByte) {
    const std::string sep(1, kSeparator);
    const Texts paths = {
        PathOf({"", "srv", "data"}),
        PathOf({"", "srv", "data", "Bad\xff\xfe", "\xc3"}),  // not UTF-8, a sequence cut short
        PathOf({"", "srv", "data", "Bad\xff\xfe"}),
        PathOf({"", "srv", "dat"}),    // a shorter name where a longer one was
        PathOf({"", "srv", "data2"}),  // a longer one
        PathOf({"", "srv", "", "x"}),  // an empty name: a doubled separator
        PathOf({"", "srv", "y", ""}),  // a separator at the end
        PathOf({"", "srv", "data"}),   // a path appended before
        "",                            // nothing at all
        sep,                           // the separator alone
        "no separator",
        PathOf({"C:", "Ünïcödé", "日本"}),
        PathOf({"", "srv", std::string(300, 'n'), std::string(20000, 'm')}),  // long lengths
        PathOf({"", "srv", std::string(3 << 20, 'h')}),  // longer than a block of names
        PathOf({"", "srv", "data", "after"}),
    };
    FolderList list;
    for (const std::string& path : paths)
        list.append(path);
    ExpectEntries(list, paths);
}

TEST(FolderList, FoldersOfAWalkAreKeptOnce) {
    // As a walk lists a tree: each folder's subfolders after everything below them.
    const Texts walk = {
        PathOf({"", "t", "a", "x", "p"}), PathOf({"", "t", "a", "x", "q"}),
        PathOf({"", "t", "a", "x"}),      PathOf({"", "t", "a", "y"}),
        PathOf({"", "t", "b", "z"}),      PathOf({"", "t", "a"}),
        PathOf({"", "t", "b"}),           PathOf({"", "t", "c"}),
    };
    const FolderList list = MakeList(walk);
    ExpectEntries(list, walk);
    // "", "t", a, x, p, q, y, b, z, c: each name once.
    EXPECT_EQ(list.nameBytes(), std::string("tapqxyzbc").size());
}

TEST(FolderList, EveryRemovalKeepsTheOrderAndTheNamesOfTheRest) {
    const auto path = [](int i) {
        return PathOf({"", "d", "f" + std::to_string(i / 100), "g" + std::to_string(i)});
    };
    // More entries than a chunk of the sequence holds.
    Texts model;
    FolderList list;
    for (int i = 0; i < 70000; ++i) {
        model.push_back(path(i));
        list.append(model.back());
    }

    list.removeAt(0);
    list.removeAt(list.size() - 1);
    list.removeAt(33333);
    model.erase(model.end() - 1);
    model.erase(model.begin() + 33334);
    model.erase(model.begin());
    ExpectEntries(list, model);

    // Marks shorter than the list: the entries past them stay.
    std::vector<bool> marked(60000);
    for (size_t i = 0; i < marked.size(); i += 3)
        marked[i] = true;
    EXPECT_EQ(list.removeMarked(marked), 20000u);
    Texts kept;
    for (size_t i = 0; i < model.size(); ++i) {
        if (i >= marked.size() || !marked[i]) kept.push_back(model[i]);
    }
    model = kept;
    ExpectEntries(list, model);

    EXPECT_EQ(list.removeIf([](size_t i) { return i % 2 == 1; }), model.size() / 2);
    kept.clear();
    for (size_t i = 0; i < model.size(); i += 2)
        kept.push_back(model[i]);
    ExpectEntries(list, kept);

    // Appending goes on from the folders of the last path, though its entry went.
    list.removeAt(list.size() - 1);
    kept.pop_back();
    list.append(path(70000));
    kept.push_back(path(70000));
    ExpectEntries(list, kept);

    EXPECT_EQ(list.removeIf([](size_t) { return true; }), kept.size());
    ExpectEntries(list, {});
    list.append(path(1));
    ExpectEntries(list, {path(1)});
    list.clear();
    ExpectEntries(list, {});
}

TEST(FolderList, RemovalsAndClearingAreSeenByTheCountOfRemovals) {
    FolderList list = MakeList({"/a", "/b"});
    std::uint64_t seen = list.removalCount();
    list.append("/c");
    EXPECT_EQ(list.removalCount(), seen) << "appending removes nothing";
    EXPECT_EQ(list.removeMarked({false, false}), 0u);
    EXPECT_EQ(list.removalCount(), seen) << "nothing removed";
    for (const auto& remove : std::vector<std::function<void()>>{
             [&] { list.removeAt(1); }, [&] { list.removeMarked({true}); }, [&] { list.clear(); },
             [&] { list = MakeList({"/new"}); }}) {
        remove();
        EXPECT_GT(list.removalCount(), seen);
        seen = list.removalCount();
    }
}

// A path for the random test: mostly one near the path before, a few names up and down, as a
// walk goes; now and then one of its own. Names are short, from a few bytes that hold the
// separator's neighbour and bytes that are not UTF-8, so that paths share beginnings often.
std::string RandomPath(std::mt19937& random, const std::string& before) {
    static const std::string kBytes = std::string("ab.Ä\xff\x80 ") + char(kSeparator + 1);
    std::string path = before;
    if (random() % 8 == 0 || path.empty()) path = random() % 4 ? "" : "C:";
    for (int up = static_cast<int>(random() % 3); up > 0; --up) {
        const size_t separator = path.rfind(kSeparator);
        if (separator == std::string::npos) break;
        path.resize(separator);
    }
    for (int down = static_cast<int>(random() % 3); down > 0; --down) {
        path += kSeparator;
        for (int length = static_cast<int>(random() % 3); length > 0; --length)
            path += kBytes[random() % kBytes.size()];
    }
    return path;
}

TEST(FolderList, RandomAppendsAndRemovalsMatchAPlainListOfPaths) {
    std::mt19937 random(24);
    FolderList list;
    Texts model;
    for (int round = 0; round < 3000; ++round) {
        const unsigned choice = random() % 20;
        if (choice < 14 || model.empty()) {
            const std::string path = RandomPath(random, model.empty() ? "" : model.back());
            list.append(path);
            model.push_back(path);
        } else if (choice < 17) {
            const size_t at = random() % model.size();
            list.removeAt(at);
            model.erase(model.begin() + static_cast<std::ptrdiff_t>(at));
        } else if (choice < 19) {
            std::vector<bool> marked(random() % (model.size() + 2));
            Texts kept;
            for (size_t i = 0; i < model.size(); ++i) {
                if (i < marked.size()) marked[i] = random() % 3 == 0;
                if (i >= marked.size() || !marked[i]) kept.push_back(model[i]);
            }
            list.removeMarked(marked);
            model = kept;
        } else if (random() % 10 == 0) {
            list.clear();
            model.clear();
        }
        ASSERT_EQ(Entries(list), model) << "round " << round;
    }
}

TEST(FolderList, ReadingInARowSharesOnlyWholeNames) {
    const Texts expected = {PathOf({"", "a", "bc", "d"}),
                            PathOf({"", "a", "bc", "e"}),
                            PathOf({"", "a", "b"}),
                            PathOf({"", "a", "bc"}),
                            PathOf({"", "x"}),
                            PathOf({"", "x", "y"})};
    // What each shares with the one read before: up to the end of a name of both.
    const std::vector<size_t> sharedBytes = {0, 5, 2, 2, 0, 2};
    const FolderList list = MakeList(expected);
    const std::unique_ptr<EntryReader> reader = list.reader();
    size_t shared = 99;
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(reader->read(i, shared), std::string_view(expected[i]));
        EXPECT_EQ(shared, sharedBytes[i]) << "entry " << i;
    }
    // Read out of order, each is still whole.
    EXPECT_EQ(reader->read(0, shared), std::string_view(expected[0]));
    EXPECT_EQ(reader->read(5, shared), std::string_view(expected[5]));
}

}  // namespace
}  // namespace quorvane
