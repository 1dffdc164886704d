#include "cli/option_table.h"

#include <algorithm>
#include <array>
#include <utility>

#include "cli/platform_options.h"
#include "text/numeric_text.h"

namespace quorvane::cli {

namespace {

using Outcome = std::optional<UsageError>;

Outcome usageError(std::string message) {
    return UsageError{std::move(message), true};
}

Parsed<unsigned> ReadThreadCount(const std::string& text) {
    const auto refuse = Parsed<unsigned>::failed("takes a whole number from 1 to 256");
    if (text.empty() || text.size() > 3) return refuse;
    unsigned count = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return refuse;
        count = count * 10 + static_cast<unsigned>(c - '0');
    }
    if (count < 1 || count > 256) return refuse;
    return count;
}

Parsed<NameOrder> ReadOrder(const std::string& name) {
    if (name == "name") return NameOrder::Bytes;
    if (name == "natural") return NameOrder::Natural;
    return Parsed<NameOrder>::failed("the order is name or natural");
}

// A depth refused is the option's own message, without the synopsis.
Outcome readLevel(const std::string& given, const std::string& text, std::int16_t& level) {
    const auto depth = ReadDepth(text);
    if (!depth.ok()) return UsageError{given + ": " + depth.error(), false};
    level = depth.value();
    return std::nullopt;
}

Outcome setDepth(OptionReading& reading, const std::string& given, const std::string& text) {
    std::int16_t depth = 0;
    if (Outcome refused = readLevel(given, text, depth)) return refused;
    reading.options.depth = {true, depth};
    reading.depths.limitOption = given;
    return std::nullopt;
}

Outcome setFirstLevel(OptionReading& reading, const std::string& given, const std::string&) {
    reading.options.depth = {true, 1};
    reading.depths.limitOption = given;
    return std::nullopt;
}

Outcome setMinDepth(OptionReading& reading, const std::string& given, const std::string& text) {
    std::int16_t level = 0;
    if (Outcome refused = readLevel(given, text, level)) return refused;
    reading.depths.minimum = level;
    return std::nullopt;
}

Outcome setExactDepth(OptionReading& reading, const std::string& given, const std::string& text) {
    std::int16_t level = 0;
    if (Outcome refused = readLevel(given, text, level)) return refused;
    reading.depths.exact = level;
    return std::nullopt;
}

Outcome addGlob(OptionReading& reading, const std::string& given, const std::string& pattern,
                bool ignoreCase) {
    auto glob = NameGlob::Parse(pattern, GlobRules{ignoreCase});
    if (!glob.ok()) return usageError(given + " \"" + pattern + "\": " + glob.error());
    reading.options.excludes.push_back(std::move(glob.value()));
    return std::nullopt;
}

// A folder's name compares as its file system compares names: in any letter case on Windows.
Outcome addExclude(OptionReading& reading, const std::string& given, const std::string& pattern) {
    return addGlob(reading, given, pattern, platform::kExcludeIgnoresCase);
}

Outcome addCaseIgnoringExclude(OptionReading& reading, const std::string& given,
                               const std::string& pattern) {
    return addGlob(reading, given, pattern, true);
}

Outcome setOrder(OptionReading& reading, const std::string& given, const std::string& name) {
    const auto order = ReadOrder(name);
    if (!order.ok()) return usageError(given + "=" + name + ": " + order.error());
    reading.options.order = order.value();
    return std::nullopt;
}

Outcome setDrive(OptionReading& reading, const std::string&, const std::string& drive) {
    reading.options.target = Target::Drive;
    reading.options.drive = drive;
    return std::nullopt;
}

Outcome setAllDrives(OptionReading& reading, const std::string&, const std::string&) {
    reading.options.target = Target::AllDrives;
    return std::nullopt;
}

Outcome setCrLf(OptionReading& reading, const std::string& given, const std::string&) {
    reading.options.lineEnd = LineEnd::CrLf;
    reading.lineEndOption = given;
    return std::nullopt;
}

Outcome setNul(OptionReading& reading, const std::string& given, const std::string&) {
    reading.options.lineEnd = LineEnd::Nul;
    reading.lineEndOption = given;
    return std::nullopt;
}

Outcome addFilter(OptionReading& reading, const std::string& given, const std::string& text,
                  bool removeContaining) {
    if (text.empty()) return usageError(given + " needs a text");
    reading.options.filters.push_back({text, removeContaining});
    return std::nullopt;
}

Outcome keepContaining(OptionReading& reading, const std::string& given, const std::string& text) {
    return addFilter(reading, given, text, false);
}

Outcome leaveOutContaining(OptionReading& reading, const std::string& given,
                           const std::string& text) {
    return addFilter(reading, given, text, true);
}

Outcome setWorkbook(OptionReading& reading, const std::string&, const std::string& file) {
    reading.options.workbookFile = file;
    return std::nullopt;
}

Outcome setFormat(OptionReading& reading, const std::string& given, const std::string& name) {
    const auto format = ParseRowFormat(name);
    if (!format.ok()) return usageError(given + " " + name + ": " + format.error());
    reading.options.rowFormat = format.value();
    return std::nullopt;
}

Outcome setColumns(OptionReading& reading, const std::string&, const std::string& list) {
    const auto columns = ParseColumns(list);
    if (!columns.ok()) return usageError(columns.error());
    reading.options.columns = columns.value();
    reading.columnsGiven = true;
    return std::nullopt;
}

Outcome setOutput(OptionReading& reading, const std::string&, const std::string& file) {
    reading.options.outputFile = file;
    return std::nullopt;
}

Outcome setThreads(OptionReading& reading, const std::string& given, const std::string& text) {
    const auto count = ReadThreadCount(text);
    if (!count.ok()) return usageError(given + " " + count.error());
    reading.options.threads = count.value();
    return std::nullopt;
}

constexpr ValueUse kNext = ValueUse::Next;

const std::array kOptions = {
    OptionEntry{.name = "--depth",
                .letter = 'd',
                .letterTakesValue = true,
                .aliases = "--max-depth -maxdepth",
                .value = kNext,
                .valueName = "N",
                .missing = "a number",
                .help = "levels 1 to N below FOLDER (default: every level)",
                .apply = setDepth},
    OptionEntry{.name = "--first-level",
                .help = "only the subfolders of FOLDER itself (the same as --depth 1)",
                .apply = setFirstLevel},
    OptionEntry{.name = "--min-depth",
                .aliases = "-mindepth",
                .value = kNext,
                .valueName = "N",
                .missing = "a number",
                .help = "leave out the levels above N, which are still walked; with\n"
                        "--depth M, levels N to M",
                .apply = setMinDepth},
    OptionEntry{.name = "--exact-depth",
                .value = kNext,
                .valueName = "N",
                .missing = "a number",
                .help = "only level N (the same as --min-depth N --depth N)",
                .apply = setExactDepth},
    OptionEntry{.name = "--exclude",
                .letter = 'E',
                .letterTakesValue = true,
                .value = kNext,
                .valueName = "GLOB",
                .missing = "a glob",
                .help = platform::kExcludeHelp,
                .apply = addExclude},
    OptionEntry{.name = "--iexclude",
                .value = kNext,
                .valueName = "GLOB",
                .missing = "a glob",
                .help = platform::kIexcludeHelp,
                .apply = addCaseIgnoringExclude},
    OptionEntry{.name = "--hidden",
                .letter = 'H',
                .help = "list and enter hidden folders too",
                .flag = &Options::hidden},
    OptionEntry{.name = "--no-follow",
                .letter = 'P',
                .help = "\n"
                        "take a link to a folder for no folder: neither listed nor\n"
                        "entered, as find -P does; by default links are followed (as\n"
                        "find -L), and one that leads back to a folder the walk is\n"
                        "inside is listed but not entered; a FOLDER named here is\n"
                        "walked even when it is a link",
                .flag = &Options::noFollow},
    OptionEntry{.name = "--one-file-system",
                .letter = 'x',
                .aliases = "--xdev --mount -xdev -mount",
                .help = "\n"
                        "list the folders on which another volume is mounted, but do\n"
                        "not enter them, as --drive does",
                .flag = &Options::oneFileSystem},
    OptionEntry{.name = "--sort",
                .value = ValueUse::AfterEquals,
                .valueName = "name|natural",
                .missing = "name",
                .help = "\n"
                        "each folder's own subfolders in the byte order of their names,\n"
                        "or in natural order (numbers by value: v2 before v10), so\n"
                        "every machine gives the same list",
                .apply = setOrder},
    OptionEntry{.name = "--empty",
                .help = "only the folders that hold no entry at all",
                .flag = &Options::onlyEmpty},
    OptionEntry{.name = "--relative",
                .help = "each path below the target, without it (\"a/b\")",
                .flag = &Options::relative},
    OptionEntry{.name = "--drive",
                .value = kNext,
                .valueName = "DRIVE",
                .missing = "a drive",
                .help = "walk one drive instead of a folder: its root or its name as\n"
                        "--list-drives shows it; the walk stays on that volume",
                .apply = setDrive},
    OptionEntry{.name = "--all-drives",
                .help = "walk every drive, one after the other, each on its own volume",
                .apply = setAllDrives},
    OptionEntry{.name = "--list-drives",
                .help = "show each drive's name, a TAB and its root, one per line",
                .flag = &Options::listDrives},
    OptionEntry{.name = "--crlf",
                .help = "end each entry with CR LF and add one more CR LF at the end,\n"
                        "the bytes of the window's \"Save Results As Text File\"",
                .apply = setCrLf},
    OptionEntry{.name = "--null",
                .letter = '0',
                .aliases = "--print0 -print0",
                .help = "end each entry with a NUL byte (names may hold line breaks)",
                .apply = setNul},
    OptionEntry{.name = "--containing",
                .value = kNext,
                .valueName = "TEXT",
                .missing = "a text",
                .help = "\n"
                        "keep only the entries that contain TEXT, letter case ignored\n"
                        "(the window's \"Remove Results Not Containing X\")",
                .apply = keepContaining},
    OptionEntry{.name = "--not-containing",
                .value = kNext,
                .valueName = "TEXT",
                .missing = "a text",
                .help = "\n"
                        "leave out every entry that contains TEXT (the window's\n"
                        "\"Remove Results Containing X\"); both may be repeated and\n"
                        "are applied in the order given",
                .apply = leaveOutContaining},
    OptionEntry{.name = "--clipboard-format",
                .help = "\n"
                        "the text of \"Copy Results To Clipboard\": each entry padded\n"
                        "with blanks to the longest, then TAB and CR LF",
                .flag = &Options::clipboardFormat},
    OptionEntry{.name = "--xlsx",
                .value = kNext,
                .valueName = "FILE",
                .missing = "a file name",
                .help = "write a workbook instead: \"Results\" in A1, one entry per\n"
                        "row below it, each as text; FILE is replaced only once the\n"
                        "workbook is complete",
                .apply = setWorkbook},
    OptionEntry{.name = "--format",
                .value = kNext,
                .valueName = "csv|tsv|json",
                .missing = "csv, tsv or json",
                .help = platform::kFormatHelp,
                .apply = setFormat},
    OptionEntry{.name = "--columns",
                .value = kNext,
                .valueName = "LIST",
                .missing = "a list of columns",
                .help = "any of path,name,depth,files,folders,bytes,modified, comma-\n"
                        "separated (default: path,name,depth,files,folders); files,\n"
                        "folders and bytes count each folder's own entries, modified\n"
                        "is ISO 8601 UTC to the second (2026-12-08T06:00:00Z)",
                .apply = setColumns},
    OptionEntry{.name = "--total",
                .help = "files, folders and bytes of everything below each folder",
                .flag = &Options::totals},
    OptionEntry{.name = "--output",
                .letter = 'o',
                .value = kNext,
                .valueName = "FILE",
                .missing = "a file name",
                .help = "write to FILE, replaced only once the list is complete",
                .apply = setOutput},
    // "-j8" as make and fd take it, besides "-j 8" and "--threads=8".
    OptionEntry{.name = "--threads",
                .letter = 'j',
                .letterTakesValue = true,
                .value = kNext,
                .valueName = "N",
                .missing = "a number",
                .help = "walk with N threads; by default one per core, and up\n"
                        "to 32 while reads wait on the disk; 1 walks on one\n"
                        "thread alone",
                .apply = setThreads},
    OptionEntry{.name = "--show-errors",
                .help = "name each folder that could not be read on standard error,\n"
                        "and exit with 1 when there was any",
                .flag = &Options::showErrors},
    OptionEntry{.name = "--help", .help = "show this help", .flag = &Options::help},
    OptionEntry{.name = "-h", .flag = &Options::help},
    OptionEntry{.name = "--version", .help = "show the version", .flag = &Options::version},
};

}  // namespace

Parsed<std::int16_t> ReadDepth(const std::string& text) {
    const auto refuse = Parsed<std::int16_t>::failed;
    const auto number = ParseNumber(text);
    if (!number.ok()) return refuse("must be a number");
    if (number.value() < 1) return refuse("must be 1 or higher");
    const auto depth = ParseInteger16(text);
    if (!depth.ok()) return refuse("must be at most 32767");
    return depth.value();
}

std::span<const OptionEntry> OptionTable() {
    return kOptions;
}

std::vector<std::string_view> AliasesOf(const OptionEntry& option) {
    std::vector<std::string_view> names;
    std::string_view rest = option.aliases;
    while (!rest.empty()) {
        const size_t blank = std::min(rest.find(' '), rest.size());
        if (blank > 0) names.push_back(rest.substr(0, blank));
        rest.remove_prefix(std::min(blank + 1, rest.size()));
    }
    return names;
}

const OptionEntry* FindOption(std::string_view given) {
    for (const OptionEntry& option : kOptions) {
        if (given == option.name) return &option;
        if (option.letter && given.size() == 2 && given[0] == '-' && given[1] == option.letter) {
            return &option;
        }
        for (const std::string_view alias : AliasesOf(option)) {
            if (given == alias) return &option;
        }
    }
    return nullptr;
}

}  // namespace quorvane::cli
