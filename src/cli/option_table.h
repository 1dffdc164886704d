#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/parsed.h"
#include "cli/cli_options.h"

namespace quorvane::cli {

// The depth options as given, resolved once every option is read.
struct DepthOptions {
    std::string limitOption;  // the last of --depth and --first-level, if any
    std::optional<std::int16_t> minimum;
    std::optional<std::int16_t> exact;
};

// What the options given so far ask for, before the checks that need all of them.
struct OptionReading {
    Options options;
    std::string lineEndOption;  // the last of --crlf, -0 and --null, as given
    DepthOptions depths;
    bool columnsGiven = false;
};

// How an option takes its value.
enum class ValueUse : std::uint8_t {
    None,
    Next,         // the next argument, or after "=" as in --depth=2
    AfterEquals,  // only after "=": the value may be left out, as in --sort
};

// One option of quorvane-list: how it is written, what --help says of it and what it sets.
struct OptionEntry {
    std::string_view name = {};     // "--depth"; an option not listed by --help may be short ("-h")
    char letter = 0;                // the short form, as 'o' for -o
    bool letterTakesValue = false;  // the value may follow the letter at once, as in -j8
    // Other names of the same option, blank-separated: those that users of fd, find and bfs
    // type for it ("--max-depth -maxdepth"). --help lists them.
    std::string_view aliases = {};
    ValueUse value = ValueUse::None;
    std::string_view valueName = {};  // as --help writes it: "N" in "--depth N"
    // ValueUse::Next: what a missing value is, after "needs": "a number". ValueUse::AfterEquals:
    // the value taken when none is given.
    std::string_view missing = {};
    // What --help says, one line of its output a line; none for an option it does not list.
    // A first line that is empty puts the text below the option rather than beside it.
    std::string_view help = {};
    // What the option sets: a flag it turns on, or for anything else a function given the
    // option as written and its value, which fails with the message for standard error.
    bool Options::*flag = nullptr;
    std::optional<UsageError> (*apply)(OptionReading& reading, const std::string& given,
                                       const std::string& value) = nullptr;
};

// Every option, in the order --help lists them.
std::span<const OptionEntry> OptionTable();

// The names in `option.aliases`, in order.
std::vector<std::string_view> AliasesOf(const OptionEntry& option);

// The option written as `given` ("--depth", "-o", "--max-depth"), or null.
const OptionEntry* FindOption(std::string_view given);

// Reads a depth as the window's depth box is read, for --depth and the other level options;
// fails with why a depth is refused ("must be 1 or higher").
Parsed<std::int16_t> ReadDepth(const std::string& text);

}  // namespace quorvane::cli
