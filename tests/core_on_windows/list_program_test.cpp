// quorvane-list.exe run as a program, with folder names and arguments beyond the ANSI code
// page: nothing may be lost on the way in (the wide command line) or out (UTF-8).

#include <windows.h>

#include <gtest/gtest.h>

#include "results/clipboard_text.h"
#include "results/path_list.h"
#include "results/text_file_export.h"
#include "results/workbook_reader.h"
#include "support/expected_walk.h"
#include "support/fixture_tree.h"
#include "support/run_program.h"
#include "support/temp_folder.h"

namespace quorvane {
namespace {

using test::ExpectedEntries;
using test::JoinEntries;
using test::ProgramResult;
using test::TempFolder;

// Standard error is in text mode, so its lines end in CR LF as Windows programs' do.
std::string Missing(const std::string& folder) {
    return "quorvane-list: " + folder + ": No such file or directory\r\n";
}

ProgramResult List(const std::vector<std::string>& arguments) {
    return test::RunProgram(QUORVANE_LIST_PROGRAM, arguments);
}

// A target named in Greek holding names from further afield, a hidden folder and a file.
std::string BuildTree(const TempFolder& temp) {
    const std::string t = temp / "Δέντρο";
    test::MakeFolders(t + "\\Ελληνικά\\λέξη");
    test::MakeFolders(t + "\\日本語\\子\\孫");
    test::MakeFolder(t + "\\emoji 😀");
    test::MakeFolder(t + "\\café");
    test::MakeFolders(t + "\\Hidden\\never");
    test::SetAttributes(t + "\\Hidden", FILE_ATTRIBUTE_HIDDEN);
    test::MakeFile(t + "\\file.txt");
    return t;
}

PathList AsList(const std::vector<std::string>& entries) {
    PathList list;
    for (const std::string& entry : entries)
        list.append(entry);
    return list;
}

TEST(WindowsQuorvaneList, NamesBeyondTheCodePageGoInAndComeOutUnchanged) {
    TempFolder temp;
    const std::string t = BuildTree(temp);
    const auto entries = ExpectedEntries(t + "\\");
    ASSERT_EQ(entries.size(), 7u);

    const ProgramResult every = List({t});
    EXPECT_EQ(every.exitCode, 0) << every.err;
    EXPECT_EQ(every.out, JoinEntries(entries, "\n"));  // UTF-8, and no CR added
    EXPECT_EQ(every.err, "");
    EXPECT_NE(every.out.find(t + "\\emoji 😀\n"), std::string::npos);

    EXPECT_EQ(List({"--depth", "2", t + "\\"}).out,
              JoinEntries(ExpectedEntries(t + "\\", 2), "\n"));
    EXPECT_EQ(List({"--first-level", temp.path() + "\\\\Δέντρο\\\\"}).out,
              JoinEntries(ExpectedEntries(t + "\\", 1), "\n"));
    EXPECT_EQ(List({"--containing", "ΛΈΞΗ", t}).out, t + "\\Ελληνικά\\λέξη\n");

    const ProgramResult missing = List({temp / "Δέντρ"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.err, Missing(temp / "Δέντρ"));
}

TEST(WindowsQuorvaneList, TextFileAndClipboardFormatsAreTheWindowsBytes) {
    TempFolder temp;
    const std::string t = BuildTree(temp);
    const PathList entries = AsList(ExpectedEntries(t + "\\"));
    // The window's text file is in the ANSI code page, and so is --crlf.
    EXPECT_EQ(List({"--crlf", t}).out, ResultsTextFileBytes(entries));
    EXPECT_EQ(List({"--clipboard-format", t}).out, ResultsClipboardText(entries));

    const std::string file = temp / "Λίστα.txt";
    const ProgramResult written = List({"--crlf", "-o", file, t});
    EXPECT_EQ(written.exitCode, 0) << written.err;
    EXPECT_EQ(test::ReadFile(file), ResultsTextFileBytes(entries));

    const ProgramResult unwritable = List({"-o", temp / "missing\\list.txt", t});
    EXPECT_EQ(unwritable.exitCode, 1);
    EXPECT_NE(unwritable.err.find("cannot write"), std::string::npos) << unwritable.err;
}

TEST(WindowsQuorvaneList, WorkbookGoesToANameBeyondTheCodePage) {
    TempFolder temp;
    test::MakeFolder(temp / "Φάκελος");
    const std::string file = temp / "Λίστα.xlsx";
    const ProgramResult written = List({"--xlsx", file, temp.path()});
    EXPECT_EQ(written.exitCode, 0) << written.err;
    const std::string sheet = testing::SheetXml(file, 1);
    EXPECT_NE(sheet.find(testing::TextCell("A2", temp / "Φάκελος")), std::string::npos) << sheet;
}

}  // namespace
}  // namespace quorvane
