#include "cli/cli_options.h"

#include <string_view>
#include <utility>

#include "cli/option_table.h"

namespace quorvane::cli {

namespace {

// An option as written, and the value attached to it, if any.
struct WrittenOption {
    std::string given;
    std::optional<std::string> attached;
};

// A long option may carry its value after "=" ("--depth=2" is "--depth 2"), and a letter that
// takes a value may carry it at once ("-j8").
WrittenOption SplitOption(const std::string& argument) {
    if (argument.starts_with("--")) {
        const size_t equals = argument.find('=', 2);
        if (equals != std::string::npos) {
            return {argument.substr(0, equals), argument.substr(equals + 1)};
        }
    } else if (argument.size() > 2) {
        const OptionEntry* option = FindOption(std::string_view(argument).substr(0, 2));
        if (option && option->letterTakesValue) return {argument.substr(0, 2), argument.substr(2)};
    }
    return {argument, std::nullopt};
}

std::optional<UsageError> RefuseValue(const WrittenOption& written) {
    if (!written.attached) return std::nullopt;
    return UsageError{written.given + " takes no value"};
}

// Reads the option `written` at `arguments[i]` and its value, which may be the next argument:
// then `i` moves on to it.
std::optional<UsageError> ReadOption(const WrittenOption& written,
                                     const std::vector<std::string>& arguments, size_t& i,
                                     OptionReading& reading) {
    const std::string& given = written.given;
    const OptionEntry* option = FindOption(given);
    if (!option) return UsageError{"unknown option: " + given};
    std::string value;
    switch (option->value) {
        case ValueUse::None:
            if (auto refused = RefuseValue(written)) return refused;
            break;
        case ValueUse::Next:
            if (written.attached) {
                value = *written.attached;
            } else if (i + 1 < arguments.size()) {
                value = arguments[++i];
            } else {
                return UsageError{given + " needs " + std::string(option->missing)};
            }
            break;
        case ValueUse::AfterEquals:
            value = written.attached.value_or(std::string(option->missing));
            break;
    }
    if (option->flag) {
        reading.options.*(option->flag) = true;
        return std::nullopt;
    }
    return option->apply(reading, given, value);
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

// The checks that need every option, in the order in which they refuse; the FOLDER last.
std::optional<std::string> Resolve(OptionReading& reading,
                                   const std::vector<std::string>& operands) {
    Options& options = reading.options;
    if (auto conflict = FormatConflict(options, reading.lineEndOption)) return conflict;
    if (!reading.columnsGiven) options.columns = DefaultColumns();
    if (auto conflict = RowFormatConflict(options, reading.lineEndOption, reading.columnsGiven)) {
        return conflict;
    }
    if (auto conflict = ResolveDepths(reading.depths, options)) return conflict;
    if (options.relative && options.target == Target::AllDrives) {
        return "--relative cannot be combined with --all-drives: the entries of different "
               "drives would look alike";
    }
    if (options.target != Target::Folder) {
        if (!operands.empty()) return "a FOLDER cannot be combined with a drive";
    } else if (options.relative && operands.size() > 1) {
        return "--relative cannot be combined with more than one FOLDER: the entries of "
               "different folders would look alike";
    } else {
        // As find, fd and bfs do, no FOLDER is the current one.
        options.folders = operands.empty() ? std::vector<std::string>{"."} : operands;
    }
    return std::nullopt;
}

}  // namespace

Parsed<Options, UsageError> ParseArguments(const std::vector<std::string>& arguments) {
    using Result = Parsed<Options, UsageError>;
    OptionReading reading;
    std::vector<std::string> operands;
    bool onlyOperands = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (onlyOperands || argument.size() < 2 || argument[0] != '-') {
            operands.push_back(argument);
            continue;
        }
        const WrittenOption written = SplitOption(argument);
        // "--" ends the options, and like any of them that takes no value refuses one.
        auto refused = written.given == "--" ? RefuseValue(written)
                                             : ReadOption(written, arguments, i, reading);
        if (refused) return Result::failed(std::move(*refused));
        if (written.given == "--") onlyOperands = true;
    }
    const Options& options = reading.options;
    if (options.help || options.version || options.listDrives) return options;
    if (auto refused = Resolve(reading, operands)) return Result::failed({std::move(*refused)});
    return std::move(reading.options);
}

}  // namespace quorvane::cli
