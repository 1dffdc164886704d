#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/parsed.h"
#include "cli/row_columns.h"
#include "cli/row_writer.h"
#include "engine/name_glob.h"
#include "engine/name_order.h"
#include "engine/walk_levels.h"

namespace quorvane::cli {

enum class LineEnd { Lf, CrLf, Nul };

// One --containing or --not-containing: leave out the entries that contain `text` (letter
// case ignored), or those that do not.
struct TextFilter {
    std::string text;
    bool removeContaining = true;
};

// What is walked: the folder given, one drive, or every drive.
enum class Target { Folder, Drive, AllDrives };

// Everything the command line asked for, as plain data.
struct Options {
    Target target = Target::Folder;
    std::vector<std::string> folders;  // the FOLDERs, each walked in turn in the order given
    std::string drive;                 // with Target::Drive: the drive as given
    // -x: folders on another volume (mounted below a FOLDER) are listed but not entered, as
    // a drive's walk always does.
    bool oneFileSystem = false;
    DepthChoice depth;  // every level unless --depth, --first-level or --exact-depth
    // The shallowest level listed (--min-depth, --exact-depth); the levels above it are
    // walked but not listed.
    std::int16_t minDepth = 1;
    // --exclude and --iexclude in the order given: matching folders are neither listed nor
    // entered.
    std::vector<NameGlob> excludes;
    bool hidden = false;                   // --hidden: list and enter hidden folders
    bool noFollow = false;                 // -P: a link to a folder is no folder
    NameOrder order = NameOrder::Listing;  // --sort: each block of subfolders in this order
    std::optional<RowFormat> rowFormat;    // --format
    std::vector<Column> columns;           // with --format: --columns or DefaultColumns()
    bool totals = false;                   // --total: files, folders and bytes of the whole subtree
    bool onlyEmpty = false;  // --empty: only folders without any entry, hidden ones included
    bool relative = false;   // --relative: paths below the target, without it
    LineEnd lineEnd = LineEnd::Lf;
    std::optional<std::string> outputFile;
    bool showErrors = false;
    std::vector<TextFilter> filters;  // in the order given
    bool clipboardFormat = false;
    std::optional<std::string> workbookFile;
    bool listDrives = false;
    unsigned threads = 0;  // that share the walk; 0: the default
    bool help = false;
    bool version = false;
};

// Why a command line cannot be read: the message for standard error (without the program's
// name), and whether the synopsis follows it.
struct UsageError {
    std::string message;
    bool showUsage = true;
};

// Reads the arguments after the program's name, by the table of options (option_table.h).
Parsed<Options, UsageError> ParseArguments(const std::vector<std::string>& arguments);

}  // namespace quorvane::cli
