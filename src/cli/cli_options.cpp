#include "cli/cli_options.h"

#include "engine/numeric_text.h"

namespace quorvane::cli {

std::string ShortUsageText() {
    return "Usage: quorvane-list [OPTIONS] [FOLDER]\n"
           "       quorvane-list [OPTIONS] --drive DRIVE | --all-drives\n"
           "       quorvane-list --list-drives\n"
           "Try 'quorvane-list --help' for the options.\n";
}

std::string UsageText() {
    return "Usage: quorvane-list [OPTIONS] [FOLDER]\n"
           "       quorvane-list [OPTIONS] --drive DRIVE | --all-drives\n"
           "       quorvane-list --list-drives\n"
           "Lists the full path of every folder below FOLDER (the current folder when none\n"
           "is given), hidden folders left out (unless --hidden), each folder's own\n"
           "subfolders after everything found below them.\n"
           "\n"
           "  --depth N        levels 1 to N below FOLDER (default: every level)\n"
           "  --first-level    only the subfolders of FOLDER itself (the same as --depth 1)\n"
           "  --min-depth N    leave out the levels above N, which are still walked; with\n"
           "                   --depth M, levels N to M\n"
           "  --exact-depth N  only level N (the same as --min-depth N --depth N)\n"
           "  --exclude GLOB   neither list nor enter the folders that GLOB matches: their\n"
           "                   name, or when GLOB holds a '/' their path below FOLDER\n"
           "                   (\"a/b\", \"/top\" only directly in FOLDER, \"**/a/b\" at any\n"
           "                   depth); * ? [a-z] [!a-z], and ** for any number of folders;\n"
#ifdef _WIN32
           "                   letter case ignored, '\\' a separator like '/'; repeatable\n"
           "  --iexclude GLOB  the same as --exclude\n"
#else
           "                   '\\' makes the next character plain; letter case counts;\n"
           "                   repeatable\n"
           "  --iexclude GLOB  the same, letter case ignored (also beyond ASCII)\n"
#endif
           "  --hidden         list and enter hidden folders too\n"
           "  --sort[=name|natural]\n"
           "                   each folder's own subfolders in the byte order of their names,\n"
           "                   or in natural order (numbers by value: v2 before v10), so\n"
           "                   every machine gives the same list\n"
           "  --empty          only the folders that hold no entry at all\n"
           "  --relative       each path below the target, without it (\"a/b\")\n"
           "  --drive DRIVE    walk one drive instead of a folder: its root or its name as\n"
           "                   --list-drives shows it; the walk stays on that volume\n"
           "  --all-drives     walk every drive, one after the other, each on its own volume\n"
           "  --list-drives    show each drive's name, a TAB and its root, one per line\n"
           "  --crlf           end each entry with CR LF and add one more CR LF at the end,\n"
           "                   the bytes of the window's \"Save Results As Text File\"\n"
           "  -0, --null       end each entry with a NUL byte (names may hold line breaks)\n"
           "  --containing TEXT\n"
           "                   keep only the entries that contain TEXT, letter case ignored\n"
           "                   (the window's \"Remove Results Not Containing X\")\n"
           "  --not-containing TEXT\n"
           "                   leave out every entry that contains TEXT (the window's\n"
           "                   \"Remove Results Containing X\"); both may be repeated and\n"
           "                   are applied in the order given\n"
           "  --clipboard-format\n"
           "                   the text of \"Copy Results To Clipboard\": each entry padded\n"
           "                   with blanks to the longest, then TAB and CR LF\n"
           "  --xlsx FILE      write a workbook instead: \"Results\" in A1, one entry per\n"
           "                   row below it, each as text; FILE is replaced only once the\n"
           "                   workbook is complete\n"
           "  --format csv|tsv|json\n"
           "                   one line per folder with the columns of --columns:\n"
           "                   csv   RFC 4180, a header line, CR LF line ends\n"
#ifdef _WIN32
           "                   tsv   a header line; TAB, CR and LF in a field as \\t \\r \\n\n"
#else
           "                   tsv   a header line; TAB, CR, LF and \\ in a field as\n"
           "                         \\t \\r \\n \\\\\n"
#endif
           "                   json  JSON Lines: one object per line; a path or name that is\n"
           "                         not UTF-8 shows U+FFFD for each stray byte, and its exact\n"
           "                         bytes follow in Base64 as \"path_bytes\" or \"name_bytes\"\n"
           "  --columns LIST   any of path,name,depth,files,folders,bytes,modified, comma-\n"
           "                   separated (default: path,name,depth,files,folders); files,\n"
           "                   folders and bytes count each folder's own entries, modified\n"
           "                   is ISO 8601 UTC to the second (2026-12-08T06:00:00Z)\n"
           "  --total          files, folders and bytes of everything below each folder\n"
           "  -o, --output FILE  write to FILE, replaced only once the list is complete\n"
           "  -j, --threads N  read folders with N threads ahead of the walk; by default\n"
           "                   none while the folders come from memory, up to 32 while\n"
           "                   the walk waits on the disk; 1 reads each folder only when\n"
           "                   the walk gets to it\n"
           "  --show-errors    name each folder that could not be read on standard error,\n"
           "                   and exit with 1 when there was any\n"
           "  --help           show this help\n"
           "  --version        show the version\n"
           "\n"
           "A long option's value may also follow it after \"=\", as in --depth=2.\n"
           "Exit status: 0 done, 1 FOLDER missing or (with --show-errors) a folder unreadable,\n"
           "2 bad usage.\n";
}

Parsed<std::int16_t> ReadDepth(const std::string& text) {
    const auto refuse = Parsed<std::int16_t>::failed;
    const auto number = ParseNumber(text);
    if (!number.ok()) return refuse("must be a number");
    if (number.value() < 1) return refuse("must be 1 or higher");
    const auto depth = ParseInteger16(text);
    if (!depth.ok()) return refuse("must be at most 32767");
    return depth.value();
}

namespace {

std::optional<unsigned> ReadThreadCount(const std::string& text) {
    if (text.empty() || text.size() > 3) return std::nullopt;
    unsigned count = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        count = count * 10 + static_cast<unsigned>(c - '0');
    }
    if (count < 1 || count > 256) return std::nullopt;
    return count;
}

// The depth options as given, resolved once every option is read.
struct DepthOptions {
    std::string limitOption;  // the last of --depth and --first-level, if any
    std::optional<std::int16_t> minimum;
    std::optional<std::int16_t> exact;
};

// A folder's name compares as its file system compares names: in any letter case on Windows.
bool IgnoresCase(const std::string& excludeOption) {
#ifdef _WIN32
    (void)excludeOption;
    return true;
#else
    return excludeOption == "--iexclude";
#endif
}

std::optional<NameOrder> ReadOrder(const std::string& name) {
    if (name == "name") return NameOrder::Bytes;
    if (name == "natural") return NameOrder::Natural;
    return std::nullopt;
}

// The output formats exclude one another: a workbook is a file of its own, and the clipboard
// text has its own line ends.
std::optional<std::string> FormatConflict(const Options& options,
                                          const std::string& lineEndOption) {
    const auto together = [](const std::string& a, const std::string& b) {
        return a + " cannot be combined with " + b;
    };
    if (options.workbookFile) {
        if (options.clipboardFormat) return together("--xlsx", "--clipboard-format");
        if (!lineEndOption.empty()) return together("--xlsx", lineEndOption);
        if (options.outputFile) return together("--xlsx", "-o");
    }
    if (options.clipboardFormat && !lineEndOption.empty()) {
        return together("--clipboard-format", lineEndOption);
    }
    return std::nullopt;
}

// --format writes lines of its own kind, which neither the window's formats nor other line
// ends can carry; --columns and --total only shape what it writes.
std::optional<std::string> RowFormatConflict(const Options& options,
                                             const std::string& lineEndOption, bool columnsGiven) {
    if (!options.rowFormat) {
        if (columnsGiven) return "--columns needs --format";
        if (options.totals) return "--total needs --format";
        return std::nullopt;
    }
    const auto together = [](const std::string& other) {
        return "--format cannot be combined with " + other;
    };
    if (options.workbookFile) return together("--xlsx");
    if (options.clipboardFormat) return together("--clipboard-format");
    if (!lineEndOption.empty()) return together(lineEndOption + " (each format has its line ends)");
    if (options.totals && !HasColumn(options.columns, Column::Files) &&
        !HasColumn(options.columns, Column::Folders) &&
        !HasColumn(options.columns, Column::Bytes)) {
        return "--total needs a files, folders or bytes column";
    }
    return std::nullopt;
}

// Sets the levels listed from --depth, --first-level, --min-depth and --exact-depth. The
// first two give the deepest level, --min-depth the shallowest, and --exact-depth both, so it
// stands alone.
std::optional<std::string> ResolveDepths(const DepthOptions& depths, Options& options) {
    if (depths.exact) {
        if (!depths.limitOption.empty()) {
            return "--exact-depth cannot be combined with " + depths.limitOption;
        }
        if (depths.minimum) return std::string("--exact-depth cannot be combined with --min-depth");
        options.depth = {true, *depths.exact};
        options.minDepth = *depths.exact;
        return std::nullopt;
    }
    if (!depths.minimum) return std::nullopt;
    if (options.depth.limitDepth && *depths.minimum > options.depth.depth) {
        return "--min-depth " + std::to_string(*depths.minimum) + " is deeper than " +
               depths.limitOption + " allows (" + std::to_string(options.depth.depth) +
               "): nothing would be listed";
    }
    options.minDepth = *depths.minimum;
    return std::nullopt;
}

}  // namespace

ParseResult ParseArguments(const std::vector<std::string>& arguments) {
    ParseResult result;
    Options options;
    const auto usageError = [&](std::string message) {
        result.error = std::move(message);
        result.showUsage = true;
        return result;
    };
    // A value the option cannot take: the option and why, without the synopsis.
    const auto valueError = [&](const std::string& option, const std::string& why) {
        result.error = option + ": " + why;
        return result;
    };
    bool onlyOperands = false;
    std::string lineEndOption;
    DepthOptions depths;
    bool columnsGiven = false;
    std::vector<std::string> operands;
    for (size_t i = 0; i < arguments.size(); ++i) {
        // A long option may carry its value after "=": "--depth=2" is "--depth 2", for every
        // option that takes a value, and an option that takes none refuses one.
        std::string argument = arguments[i];
        std::optional<std::string> attached;
        if (!onlyOperands && argument.starts_with("--")) {
            if (const size_t equals = argument.find('=', 2); equals != std::string::npos) {
                attached = argument.substr(equals + 1);
                argument.resize(equals);
            }
        }
        bool attachedTaken = false;
        const auto value = [&]() -> const std::string* {
            if (attached) {
                attachedTaken = true;
                return &*attached;
            }
            return i + 1 < arguments.size() ? &arguments[++i] : nullptr;
        };
        if (onlyOperands || argument.empty() || argument[0] != '-' || argument == "-") {
            operands.push_back(argument);
        } else if (argument == "--") {
            onlyOperands = true;
        } else if (argument == "--help" || argument == "-h") {
            options.help = true;
        } else if (argument == "--version") {
            options.version = true;
        } else if (argument == "--drive") {
            const std::string* drive = value();
            if (!drive) return usageError("--drive needs a drive");
            options.target = Target::Drive;
            options.folder = *drive;
        } else if (argument == "--all-drives") {
            options.target = Target::AllDrives;
        } else if (argument == "--list-drives") {
            options.listDrives = true;
        } else if (argument == "--first-level") {
            options.depth = {true, 1};
            depths.limitOption = argument;
        } else if (argument == "--depth") {
            const std::string* text = value();
            if (!text) return usageError("--depth needs a number");
            const auto depth = ReadDepth(*text);
            if (!depth.ok()) return valueError(argument, depth.error());
            options.depth = {true, depth.value()};
            depths.limitOption = argument;
        } else if (argument == "--crlf") {
            options.lineEnd = LineEnd::CrLf;
            lineEndOption = argument;
        } else if (argument == "-0" || argument == "--null") {
            options.lineEnd = LineEnd::Nul;
            lineEndOption = argument;
        } else if (argument == "-o" || argument == "--output") {
            const std::string* file = value();
            if (!file) return usageError(argument + " needs a file name");
            options.outputFile = *file;
        } else if (argument == "-j" || argument == "--threads" ||
                   (argument.starts_with("-j") && !attached)) {
            // "-j8" as make and fd take it, besides "-j 8" and "--threads=8".
            if (argument.size() > 2 && argument[1] == 'j') {
                attached = argument.substr(2);
                argument = "-j";
            }
            const std::string* text = value();
            if (!text) return usageError(argument + " needs a number");
            const auto count = ReadThreadCount(*text);
            if (!count) return usageError(argument + " takes a whole number from 1 to 256");
            options.readers = *count;
        } else if (argument == "--show-errors") {
            options.showErrors = true;
        } else if (argument == "--containing" || argument == "--not-containing") {
            const std::string* text = value();
            if (!text || text->empty()) return usageError(argument + " needs a text");
            options.filters.push_back({*text, argument == "--not-containing"});
        } else if (argument == "--clipboard-format") {
            options.clipboardFormat = true;
        } else if (argument == "--xlsx") {
            const std::string* file = value();
            if (!file) return usageError("--xlsx needs a file name");
            options.workbookFile = *file;
        } else if (argument == "--exclude" || argument == "--iexclude") {
            const std::string* pattern = value();
            if (!pattern) return usageError(argument + " needs a glob");
            auto glob = NameGlob::Parse(*pattern, GlobRules{IgnoresCase(argument)});
            if (!glob.ok()) return usageError(argument + " \"" + *pattern + "\": " + glob.error());
            options.excludes.push_back(std::move(glob.value()));
        } else if (argument == "--hidden") {
            options.hidden = true;
        } else if (argument == "--min-depth" || argument == "--exact-depth") {
            const std::string* text = value();
            if (!text) return usageError(argument + " needs a number");
            const auto level = ReadDepth(*text);
            if (!level.ok()) return valueError(argument, level.error());
            (argument == "--min-depth" ? depths.minimum : depths.exact) = level.value();
        } else if (argument == "--sort") {
            // The order is optional, so it comes only after "=": "--sort" alone is name order.
            const std::string name = attached ? *value() : "name";
            const auto order = ReadOrder(name);
            if (!order) return usageError("--sort=" + name + ": the order is name or natural");
            options.order = *order;
        } else if (argument == "--format") {
            const std::string* name = value();
            if (!name) return usageError("--format needs csv, tsv or json");
            const auto format = ParseRowFormat(*name);
            if (!format.ok()) return usageError("--format " + *name + ": " + format.error());
            options.rowFormat = format.value();
        } else if (argument == "--columns") {
            const std::string* list = value();
            if (!list) return usageError("--columns needs a list of columns");
            const auto columns = ParseColumns(*list);
            if (!columns.ok()) return usageError(columns.error());
            options.columns = columns.value();
            columnsGiven = true;
        } else if (argument == "--total") {
            options.totals = true;
        } else if (argument == "--empty") {
            options.onlyEmpty = true;
        } else if (argument == "--relative") {
            options.relative = true;
        } else {
            return usageError("unknown option: " + argument);
        }
        if (attached && !attachedTaken) return usageError(argument + " takes no value");
    }
    if (options.help || options.version || options.listDrives) {
        result.options = options;
        return result;
    }
    if (auto conflict = FormatConflict(options, lineEndOption)) return usageError(*conflict);
    if (!columnsGiven) options.columns = DefaultColumns();
    if (auto conflict = RowFormatConflict(options, lineEndOption, columnsGiven)) {
        return usageError(*conflict);
    }
    if (auto conflict = ResolveDepths(depths, options)) return usageError(*conflict);
    if (options.relative && options.target == Target::AllDrives) {
        return usageError(
            "--relative cannot be combined with --all-drives: the entries of "
            "different drives would look alike");
    }
    if (options.target != Target::Folder) {
        if (!operands.empty()) return usageError("a FOLDER cannot be combined with a drive");
    } else if (operands.size() > 1) {
        return usageError("more than one FOLDER given");
    } else {
        // As fd and bfs do, no FOLDER is the current one.
        options.folder = operands.empty() ? "." : operands.front();
    }
    result.options = options;
    return result;
}

}  // namespace quorvane::cli
