// quorvane-list's listing options, each run as the program and compared with the reference
// walk of the test support given the same option.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

#include "support/expected_walk.h"
#include "support/fixture_tree.h"
#include "support/run_program.h"
#include "support/temp_folder.h"

namespace quorvane {
namespace {

using test::ExpectedFolder;
using test::ExpectedListing;
using test::ListingChoice;
using test::MakeHidden;
using test::SetModified;
using test::TempFolder;

constexpr char kSep = TempFolder::kSeparator;

std::string Native(std::string path) {
    std::replace(path.begin(), path.end(), '/', kSep);
    return path;
}

class ListingOptions : public testing::Test {
  protected:
    void SetUp() override {
        for (const char* folder :
             {"node_modules/pkg", "src/node_modules/deep", "src/lib/v10", "src/lib/v2",
              "src/lib/v1", ".cache/inner", "docs", "empty", "only hidden/.x"}) {
            test::MakeFolders(Native(t + folder));
        }
        test::MakeFile(Native(t + "docs/readme.txt"), "eleven byte");
        test::MakeFile(Native(t + "docs/.secret"), "12345");
        for (const char* hidden : {".cache", "only hidden/.x", "docs/.secret"})
            MakeHidden(Native(t + hidden));
        SetModified(Native(t + "docs"), 981173106);  // 2001-02-03T04:05:06Z
    }

    test::ProgramResult List(std::vector<std::string> options) const {
        options.push_back(t);
        return test::RunProgram(QUORVANE_LIST_PROGRAM, options);
    }

    // The reference listing as the program prints it: entries, one a line.
    static std::string Lines(const std::vector<ExpectedFolder>& folders, int minimumLevel = 1,
                             size_t cut = 0) {
        std::string text;
        for (const ExpectedFolder& folder : folders) {
            if (folder.level < minimumLevel) continue;
            text += folder.path.substr(cut, folder.path.size() - cut - 1) + "\n";
        }
        return text;
    }

    static std::vector<std::string> Fields(const std::string& line) {
        std::vector<std::string> fields;
        size_t start = 0;
        for (size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
            fields.push_back(line.substr(start, tab - start));
        fields.push_back(line.substr(start));
        return fields;
    }

    TempFolder temp;
    const std::string t = temp / "T" + kSep;
};

TEST_F(ListingOptions, ExcludedFoldersAreNeitherListedNorEntered) {
    const auto byName = [](const std::string& name, const std::string&) {
        return name == "node_modules";
    };
    const std::string expected = Lines(ExpectedListing(t, 0, {false, byName, {}}));
    EXPECT_EQ(List({"--exclude", "node_modules"}).out, expected);
    EXPECT_EQ(List({"--iexclude", "NODE_modules"}).out, expected);
    EXPECT_EQ(List({"--exclude", "node_*"}).out, expected);

    const auto byPath = [](const std::string&, const std::string& relative) {
        return relative == Native("src/lib");
    };
    EXPECT_EQ(List({"--exclude", "src/lib"}).out,
              Lines(ExpectedListing(t, 0, {false, byPath, {}})));

    const auto bad = List({"--exclude", "[oops"});
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_EQ(bad.out, "");
}

TEST_F(ListingOptions, HiddenFoldersAreListedAndEnteredWithHidden) {
    const auto listed = List({"--hidden"});
    EXPECT_EQ(listed.out, Lines(ExpectedListing(t, 0, {true, {}, {}})));
    EXPECT_NE(listed.out.find(Native(".cache/inner")), std::string::npos);
    EXPECT_EQ(List({}).out, Lines(ExpectedListing(t, 0, {})));
}

TEST_F(ListingOptions, MinimumAndExactDepthLeaveOutTheLevelsAbove) {
    const auto every = ExpectedListing(t, 0, {});
    EXPECT_EQ(List({"--min-depth", "2"}).out, Lines(every, 2));
    EXPECT_EQ(List({"--min-depth=3", "--depth", "3"}).out, Lines(ExpectedListing(t, 3, {}), 3));
    EXPECT_EQ(List({"--exact-depth", "2"}).out, Lines(ExpectedListing(t, 2, {}), 2));
    for (const std::vector<std::string>& refused : {std::vector<std::string>{"--exact-depth", "0"},
                                                    {"--min-depth", "x"},
                                                    {"--exact-depth", "2", "--depth", "3"},
                                                    {"--min-depth", "3", "--depth", "2"}}) {
        EXPECT_EQ(List(refused).exitCode, 2) << refused[0] << " " << refused[1];
    }
}

TEST_F(ListingOptions, SortPutsEachBlockInNameOrderKeepingTheWalksOrder) {
    const auto bytes = [](const std::string& a, const std::string& b) { return a < b; };
    EXPECT_EQ(List({"--sort"}).out, Lines(ExpectedListing(t, 0, {false, {}, bytes})));
    // The names here have no leading zeros: numbers compare by their value.
    const auto natural = [](const std::string& a, const std::string& b) {
        const auto key = [](const std::string& name) {
            const size_t digits = name.find_first_of("0123456789");
            return digits == std::string::npos
                       ? std::make_pair(name, -1L)
                       : std::make_pair(name.substr(0, digits), std::stol(name.substr(digits)));
        };
        return key(a) < key(b);
    };
    const std::string sorted = List({"--sort=natural"}).out;
    EXPECT_EQ(sorted, Lines(ExpectedListing(t, 0, {false, {}, natural})));
    EXPECT_LT(sorted.find(Native("lib/v2\n")), sorted.find(Native("lib/v10\n")));
}

TEST_F(ListingOptions, ColumnsCountEachFolderOwnEntriesAndTotalsAddEverythingBelow) {
    const auto every = ExpectedListing(t, 0, {});
    for (const bool totals : {false, true}) {
        SCOPED_TRACE(totals ? "--total" : "own entries");
        std::vector<std::string> options{"--format", "tsv", "--columns",
                                         "path,depth,files,folders,bytes"};
        if (totals) options.push_back("--total");
        const std::string out = List(options).out;
        std::string expected = "path\tdepth\tfiles\tfolders\tbytes\n";
        for (const ExpectedFolder& folder : every) {
            test::EntryCounts counts = test::ExpectedCounts(folder.path);
            if (totals) {
                counts = {};
                for (const ExpectedFolder& below : every) {
                    if (!below.path.starts_with(folder.path)) continue;
                    const auto own = test::ExpectedCounts(below.path);
                    counts.files += own.files;
                    counts.folders += own.folders;
                    counts.bytes += own.bytes;
                }
            }
            const std::string path = folder.path.substr(0, folder.path.size() - 1);
            expected += path + "\t" + std::to_string(folder.level) + "\t" +
                        std::to_string(counts.files) + "\t" + std::to_string(counts.folders) +
                        "\t" + std::to_string(counts.bytes) + "\n";
        }
        EXPECT_EQ(out, expected);
    }
    const std::string modified =
        List({"--format", "tsv", "--columns", "name,modified", "--exact-depth", "1"}).out;
    EXPECT_NE(modified.find("docs\t2001-02-03T04:05:06Z\n"), std::string::npos) << modified;
}

TEST_F(ListingOptions, EmptyListsOnlyFoldersWithoutAnyEntryHiddenOnesCounted) {
    std::vector<ExpectedFolder> empty;
    for (const ExpectedFolder& folder : ExpectedListing(t, 0, {})) {
        if (test::ExpectedCounts(folder.path).entries == 0) empty.push_back(folder);
    }
    const std::string out = List({"--empty"}).out;
    EXPECT_EQ(out, Lines(empty));
    EXPECT_EQ(out.find("only hidden"), std::string::npos);
}

TEST_F(ListingOptions, RelativeLeavesOutTheTargetAndTheFiltersSeeWhatIsShown) {
    const auto every = ExpectedListing(t, 0, {});
    EXPECT_EQ(List({"--relative"}).out, Lines(every, 1, t.size()));
    // Every full path holds the target's name "T"; the filters see the relative entries.
    std::string withT;
    for (const ExpectedFolder& folder : every) {
        const std::string entry = folder.path.substr(t.size(), folder.path.size() - t.size() - 1);
        if (entry.find_first_of("tT") != std::string::npos) withT += entry + "\n";
    }
    EXPECT_EQ(List({"--relative", "--containing", "t"}).out, withT);
}

}  // namespace
}  // namespace quorvane
