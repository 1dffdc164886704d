#include "cli/cli_options.h"

#include "engine/numeric_text.h"
#include "engine/run_time_error.h"

namespace quorvane::cli {

std::string UsageText() {
    return "Usage: quorvane-list [OPTIONS] FOLDER\n"
           "       quorvane-list [OPTIONS] --drive DRIVE | --all-drives\n"
           "       quorvane-list --list-drives\n"
           "Lists the full path of every folder below FOLDER, hidden folders left out,\n"
           "each folder's own subfolders after everything found below them.\n"
           "\n"
           "  --depth N        levels 1 to N below FOLDER (default: every level)\n"
           "  --first-level    only the subfolders of FOLDER itself (the same as --depth 1)\n"
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
#if QUORVANE_WORKBOOK
           "  --xlsx FILE      write a workbook instead: \"Results\" in A1, one entry per\n"
           "                   row below it, each as text; FILE is replaced only once the\n"
           "                   workbook is complete\n"
#endif
           "  -o, --output FILE  write to FILE, replaced only once the list is complete\n"
           "  -j, --threads N  read folders with N threads ahead of the walk (default: 8);\n"
           "                   1 reads each folder only when the walk gets to it\n"
           "  --show-errors    name each folder that could not be read on standard error,\n"
           "                   and exit with 1 when there was any\n"
           "  --help           show this help\n"
           "  --version        show the version\n"
           "\n"
           "A long option's value may also follow it after \"=\", as in --depth=2.\n"
           "Exit status: 0 done, 1 FOLDER missing or (with --show-errors) a folder unreadable,\n"
           "2 bad usage.\n";
}

std::optional<std::string> ReadDepth(const std::string& text, std::int16_t& depth) {
    const auto number = ParseNumber(text);
    if (!number) return "Must be a numeric entry.";
    if (*number < 1) return "Must be 1 or higher.";
    try {
        depth = ToInteger16(text);
    } catch (const RunTimeError&) {
        return "Must be at most 32767.";
    }
    return std::nullopt;
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

}  // namespace

ParseResult ParseArguments(const std::vector<std::string>& arguments) {
    ParseResult result;
    Options options;
    const auto usageError = [&](std::string message) {
        result.error = std::move(message);
        result.showUsage = true;
        return result;
    };
    bool onlyOperands = false;
    std::string lineEndOption;
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
        } else if (argument == "--depth") {
            const std::string* text = value();
            if (!text) return usageError("--depth needs a number");
            std::int16_t depth = 0;
            if (auto refused = ReadDepth(*text, depth)) {
                result.error = *refused;
                return result;
            }
            options.depth = {true, depth};
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
        } else if (argument == "-j" || argument == "--threads") {
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
            if (!QUORVANE_WORKBOOK) {
                result.error = "--xlsx: this quorvane-list was built without the workbook export";
                return result;
            }
            const std::string* file = value();
            if (!file) return usageError("--xlsx needs a file name");
            options.workbookFile = *file;
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
    if (options.target != Target::Folder) {
        if (!operands.empty()) return usageError("a FOLDER cannot be combined with a drive");
    } else if (operands.size() != 1) {
        return usageError(operands.empty() ? "no FOLDER given" : "more than one FOLDER given");
    } else {
        options.folder = operands.front();
    }
    result.options = options;
    return result;
}

}  // namespace quorvane::cli
