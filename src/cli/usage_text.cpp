#include "cli/usage_text.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "cli/option_table.h"

namespace quorvane::cli {

namespace {

constexpr std::string_view kSynopsis =
    "Usage: quorvane-list [OPTIONS] [FOLDER...]\n"
    "       quorvane-list [OPTIONS] --drive DRIVE | --all-drives\n"
    "       quorvane-list --list-drives\n";
constexpr std::string_view kDescription =
    "Lists the full path of every folder below each FOLDER in turn (the current\n"
    "folder when none is given), hidden folders left out (unless --hidden), each\n"
    "folder's own subfolders after everything found below them. Links to folders\n"
    "are followed (unless -P), but never into a folder the walk is inside.\n";
constexpr std::string_view kNotes =
    "A long option's value may also follow it after \"=\", as in --depth=2.\n"
    "On a terminal, control characters in names are shown as \\xHH; into a pipe or a\n"
    "file, with -0 and in every other format the bytes are written as they are.\n"
    "Exit status: 0 done, 1 FOLDER missing or unreadable, or (with --show-errors) a\n"
    "folder below it unreadable, 2 bad usage.\n";
// Where --help begins the text of each option.
constexpr size_t kHelpColumn = 19;

// The option as --help names it: "-o, --output FILE", "--sort[=name|natural]".
std::string OptionLabel(const OptionEntry& option) {
    std::string label;
    if (option.letter) label += std::string("-") + option.letter + ", ";
    label += option.name;
    if (option.value == ValueUse::Next) {
        label += ' ';
        label += option.valueName;
    } else if (option.value == ValueUse::AfterEquals) {
        label += "[=";
        label += option.valueName;
        label += ']';
    }
    return label;
}

// The option's lines of --help: its text beside its name, or below it when the text begins
// with an empty line, and then indented to the same column.
void AppendOptionHelp(std::string& text, const OptionEntry& option) {
    std::string line = "  " + OptionLabel(option);
    std::string_view help = option.help;
    for (bool first = true;; first = false) {
        const size_t end = std::min(help.find('\n'), help.size());
        if (!first) {
            line.assign(kHelpColumn, ' ');
        } else if (end > 0) {
            // Beside the name, two blanks after it at least.
            line.resize(std::max(kHelpColumn, line.size() + 2), ' ');
        }
        text += line;
        text += help.substr(0, end);
        text += '\n';
        if (end == help.size()) break;
        help.remove_prefix(end + 1);
    }
    const std::vector<std::string_view> aliases = AliasesOf(option);
    if (aliases.empty()) return;
    std::string also(kHelpColumn, ' ');
    also += "also";
    for (size_t i = 0; i < aliases.size(); ++i) {
        also += i == 0 ? " " : ", ";
        also += aliases[i];
    }
    text += also + '\n';
}

}  // namespace

std::string ShortUsageText() {
    return std::string(kSynopsis) + "Try 'quorvane-list --help' for the options.\n";
}

std::string UsageText() {
    std::string text(kSynopsis);
    text += kDescription;
    text += '\n';
    for (const OptionEntry& option : OptionTable()) {
        if (!option.help.empty()) AppendOptionHelp(text, option);
    }
    text += '\n';
    text += kNotes;
    return text;
}

}  // namespace quorvane::cli
