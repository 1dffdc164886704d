// quorvane-list's filter and export options, run as the program itself.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <sstream>

#include "cli/program_run.h"
#include "results/scratch_folder.h"
#include "results/workbook_reader.h"

namespace quorvane {
namespace {

using testing::ScratchFolder;
using Lines = std::vector<std::string>;

// The lines of `text`, each ended by `end`, sorted: the walk's order is the file system's.
Lines sortedLines(const std::string& text, const std::string& end = "\n") {
    Lines lines;
    for (size_t start = 0; start < text.size();) {
        const size_t stop = text.find(end, start);
        lines.push_back(text.substr(start, stop - start));
        if (stop == std::string::npos) break;
        start = stop + end.size();
    }
    std::sort(lines.begin(), lines.end());
    return lines;
}

class ExportOptions : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* folder : {"Alpha/Node_Modules", "beta/x", "Gamma"}) {
            std::filesystem::create_directories(root / folder);
        }
    }
    std::string path(const std::string& relative) const {
        return (root / relative).make_preferred().string();
    }

    ScratchFolder scratch;
    std::filesystem::path root = scratch.path() / "tree";
};

TEST_F(ExportOptions, FiltersKeepWhatTheyNameIgnoringCase) {
    ProgramRun run = runList({"--not-containing", "NODE", root.string()});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(sortedLines(run.output),
              Lines({path("Alpha"), path("Gamma"), path("beta"), path("beta/x")}));

    run = runList({"--containing", "alpha", root.string()});
    EXPECT_EQ(sortedLines(run.output), Lines({path("Alpha"), path("Alpha/Node_Modules")}));

    run = runList({"--containing", "alpha", "--not-containing", "_modules", root.string()});
    EXPECT_EQ(sortedLines(run.output), Lines({path("Alpha")}));
}

TEST_F(ExportOptions, ClipboardFormatPadsEachEntryToTheLongest) {
    const std::string file = scratch.file("clip.txt");
    ASSERT_EQ(runList({"--clipboard-format", "--not-containing", "beta", "-o", file, root.string()})
                  .status,
              0);
    const std::string longest = path("Alpha/Node_Modules");
    const auto padded = [&](const std::string& entry) {
        return entry + std::string(longest.size() - entry.size(), ' ') + "\t";
    };
    const std::string text = testing::ReadBytes(file);
    EXPECT_TRUE(text.ends_with("\t\r\n"));
    EXPECT_EQ(sortedLines(text, "\r\n"),
              Lines({padded(path("Alpha")), padded(longest), padded(path("Gamma"))}));
}

TEST_F(ExportOptions, XlsxWritesEveryEntryAsTextUnderTheHeading) {
    std::filesystem::create_directories(root / "=1+2");
    const std::string file = scratch.file("list.xlsx");
    const ProgramRun run = runList({"--xlsx", file, "--containing", "1+2", root.string()});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.output, "");
    const std::string sheet = testing::SheetXml(file, 1);
    EXPECT_NE(sheet.find(testing::TextCell("A1", "Results")), std::string::npos) << sheet;
    EXPECT_NE(sheet.find(testing::TextCell("A2", path("=1+2"))), std::string::npos);
    EXPECT_EQ(sheet.find("A3"), std::string::npos);

    EXPECT_EQ(runList({"--xlsx", scratch.file("missing/list.xlsx"), root.string()}).status, 1);
}

TEST_F(ExportOptions, ValueMayFollowItsOptionAfterAnEqualsSign) {
    const ProgramRun apart = runList({"--depth", "1", "--not-containing", "gamma", root.string()});
    const ProgramRun joined = runList({"--depth=1", "--not-containing=gamma", root.string()});
    EXPECT_EQ(joined.status, 0);
    EXPECT_EQ(sortedLines(joined.output), Lines({path("Alpha"), path("beta")}));
    EXPECT_EQ(joined.output, apart.output);

    // Only the first "=" divides; the rest is the value's.
    EXPECT_EQ(runList({"--containing=alpha=b", root.string()}).output, "");
    const std::string file = scratch.file("list.txt");
    EXPECT_EQ(
        runList({"--output=" + file, "--depth=1", "--not-containing=gamma", root.string()}).status,
        0);
    EXPECT_EQ(testing::ReadBytes(file), apart.output);

    for (const char* refused : {"--crlf=yes", "--containing=", "--first-level="}) {
        EXPECT_EQ(runList({refused, root.string()}).status, 2) << refused;
    }
}

TEST_F(ExportOptions, ConflictingFormatsAndEmptyTextsAreRefused) {
    const std::string file = scratch.file("list.xlsx");
    for (const auto& arguments : std::vector<Lines>{
             {"--xlsx", file, "--crlf"},
             {"--xlsx", file, "--clipboard-format"},
             {"--xlsx", file, "-o", scratch.file("list.txt")},
             {"--clipboard-format", "-0"},
             {"--containing", ""},
             {"--not-containing"},
         }) {
        // The folder first, so that an option that lacks its value comes last.
        Lines withFolder{root.string()};
        withFolder.insert(withFolder.end(), arguments.begin(), arguments.end());
        EXPECT_EQ(runList(withFolder).status, 2) << arguments.front();
    }
    EXPECT_FALSE(std::filesystem::exists(file));
}

}  // namespace
}  // namespace quorvane
