// How quorvane-list reads its options: what each combination sets, and what it refuses.

#include "cli/cli_options.h"

#include <gtest/gtest.h>

#include "support/fixture_tree.h"

namespace quorvane::cli {
namespace {

using Arguments = std::vector<std::string>;

Options parse(const Arguments& arguments) {
    const auto result = ParseArguments(arguments);
    EXPECT_TRUE(result.ok()) << result.error().message;
    return result.ok() ? result.value() : Options{};
}

TEST(CliOptions, DepthOptionsCombineIntoOneRangeOfLevels) {
    Options options = parse({"--exact-depth", "3", "f"});
    EXPECT_EQ(options.depth.limitDepth, true);
    EXPECT_EQ(options.depth.depth, 3);
    EXPECT_EQ(options.minDepth, 3);

    options = parse({"--min-depth", "2", "--depth", "4", "f"});
    EXPECT_EQ(options.depth.depth, 4);
    EXPECT_EQ(options.minDepth, 2);

    options = parse({"--min-depth", "5", "f"});
    EXPECT_FALSE(options.depth.limitDepth);
    EXPECT_EQ(options.minDepth, 5);
    EXPECT_EQ(parse({"f"}).minDepth, 1);
}

// How a number is read is tests/text's; the depth takes what the depth box takes.
TEST(CliOptions, DepthIsReadAsTheDepthBoxReadsIt) {
    EXPECT_EQ(parse({"--depth", " 1e0 ", "f"}).depth.depth, 1);
    EXPECT_EQ(parse({"--depth", "32767", "f"}).depth.depth, 32767);

    // Each level option names itself and why, without the synopsis.
    const std::pair<std::vector<const char*>, const char*> refusals[] = {
        {{"abc", "", " ", "2x", "1..2"}, "must be a number"},
        {{"0", "-3", "0.5", "0.99", "-1e9"}, "must be 1 or higher"},
        {{"32767.5", "40000", "1e400"}, "must be at most 32767"},
    };
    for (const std::string option : {"--depth", "--min-depth", "--exact-depth"}) {
        for (const auto& [texts, why] : refusals) {
            for (const char* text : texts) {
                const auto refused = ParseArguments({option, text, "f"});
                ASSERT_FALSE(refused.ok()) << option << " " << text;
                EXPECT_EQ(refused.error().message, option + ": " + why) << text;
                EXPECT_FALSE(refused.error().showUsage) << text;
            }
        }
    }
}

TEST(CliOptions, ExcludeGlobsFollowTheFileSystemsLetterCase) {
    const Options options = parse({"--exclude", "Node*", "--iexclude", "CACHE", "f"});
    ASSERT_EQ(options.excludes.size(), 2u);
    EXPECT_EQ(options.excludes[0].matches("node_modules", ""), test::kNamesIgnoreCase);
    EXPECT_TRUE(options.excludes[0].matches("Node_modules", ""));
    EXPECT_TRUE(options.excludes[1].matches("Cache", ""));
}

TEST(CliOptions, FormatSortAndFlagsAreRead) {
    Options options = parse({"--format", "json", "--total", "--sort=natural", "--hidden", "--empty",
                             "--relative", "f"});
    EXPECT_EQ(options.rowFormat, RowFormat::JsonLines);
    EXPECT_EQ(options.columns, DefaultColumns());
    EXPECT_EQ(options.order, NameOrder::Natural);
    EXPECT_TRUE(options.totals && options.hidden && options.onlyEmpty && options.relative);

    options = parse({"--columns", "bytes,path", "--sort", "--format", "csv", "f"});
    EXPECT_EQ(options.columns, std::vector<Column>({Column::Bytes, Column::Path}));
    EXPECT_EQ(options.order, NameOrder::Bytes);
    EXPECT_EQ(parse({"f"}).order, NameOrder::Listing);
}

TEST(CliOptions, ThreadCountIsTakenInEachFormOfTheOption) {
    for (const Arguments& given :
         {Arguments{"-j", "3", "f"}, Arguments{"-j3", "f"}, Arguments{"--threads", "3", "f"},
          Arguments{"--threads=3", "f"}}) {
        const auto result = ParseArguments(given);
        ASSERT_TRUE(result.ok()) << result.error().message;
        EXPECT_EQ(result.value().threads, 3u);
    }
}

// The names that users of fd, find and bfs type, each meaning what the option means.
TEST(CliOptions, OtherProgramsNamesOfAnOptionMeanTheSame) {
    for (const Arguments& given :
         {Arguments{"-d", "2"}, Arguments{"-d2"}, Arguments{"--max-depth", "2"},
          Arguments{"--max-depth=2"}, Arguments{"-maxdepth", "2"}}) {
        const Options options = parse(given);
        EXPECT_TRUE(options.depth.limitDepth && options.depth.depth == 2) << given.front();
    }
    EXPECT_EQ(parse({"-mindepth", "3"}).minDepth, 3);
    for (const char* name : {"-x", "--one-file-system", "--xdev", "--mount", "-xdev", "-mount"}) {
        EXPECT_TRUE(parse({name}).oneFileSystem) << name;
    }
    EXPECT_FALSE(parse({}).oneFileSystem);
    for (const char* name : {"--print0", "-print0"}) {
        EXPECT_EQ(parse({name}).lineEnd, LineEnd::Nul) << name;
    }
    EXPECT_TRUE(parse({"-H"}).hidden);
    EXPECT_EQ(parse({"-E", "cache", "-Etmp"}).excludes.size(), 2u);
}

TEST(CliOptions, BadValuesAndConflictsAreUsageErrorsNamingTheOption) {
    const std::pair<Arguments, const char*> cases[] = {
        {{"--min-depth"}, "--min-depth needs"},
        {{"--min-depth", "3", "--depth", "2", "f"}, "--min-depth 3 is deeper than --depth"},
        {{"--first-level", "--min-depth", "2", "f"}, "--min-depth 2 is deeper than --first-level"},
        {{"--exact-depth", "2", "--depth", "3", "f"},
         "--exact-depth cannot be combined with --depth"},
        {{"--min-depth", "1", "--exact-depth", "2", "f"},
         "--exact-depth cannot be combined with --min-depth"},
        {{"--exclude", "a[", "f"}, "--exclude \"a[\": unclosed '['"},
        {{"--iexclude", "", "f"}, "--iexclude \"\": empty pattern"},
        {{"--sort=size", "f"}, "--sort=size: "},
        {{"--format", "xml", "f"}, "--format xml: "},
        {{"--format", "csv", "--columns", "size", "f"}, "--columns: unknown column \"size\""},
        {{"--columns", "path", "f"}, "--columns needs --format"},
        {{"--total", "f"}, "--total needs --format"},
        {{"--format", "csv", "--columns", "path", "--total", "f"}, "--total needs a files"},
        {{"--format", "csv", "--crlf", "f"}, "--format cannot be combined with --crlf"},
        {{"--format", "tsv", "-0", "f"}, "--format cannot be combined with -0"},
        {{"--format", "csv", "--clipboard-format", "f"},
         "--format cannot be combined with --clipboard"},
        {{"--relative", "--all-drives"}, "--relative cannot be combined with --all-drives"},
        {{"--relative", "a", "b"}, "--relative cannot be combined with more than one FOLDER"},
        {{"--drive", "/", "a"}, "a FOLDER cannot be combined with a drive"},
        {{"-j0", "f"}, "-j takes a whole number"},
        {{"--threads=257", "f"}, "--threads takes a whole number"},
        {{"-j", "2x", "f"}, "-j takes a whole number"},
    };
    for (const auto& [arguments, message] : cases) {
        const auto result = ParseArguments(arguments);
        EXPECT_FALSE(result.ok()) << message;
        EXPECT_TRUE(result.error().showUsage) << message;
        EXPECT_TRUE(result.error().message.starts_with(message)) << result.error().message;
    }
}

}  // namespace
}  // namespace quorvane::cli
