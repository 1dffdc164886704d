#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/list_run.h"

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
    std::string folder;  // the folder, or with Target::Drive the drive as given
    DepthChoice depth;   // every level unless --depth or --first-level
    LineEnd lineEnd = LineEnd::Lf;
    std::optional<std::string> outputFile;
    bool showErrors = false;
    std::vector<TextFilter> filters;  // in the order given
    bool clipboardFormat = false;
    std::optional<std::string> workbookFile;
    bool listDrives = false;
    unsigned readers = 0;  // threads that read folders ahead of the walk; 0: the default
    bool help = false;
    bool version = false;
};

// The outcome of reading the arguments: options, or a message for standard error with the
// exit status to end with.
struct ParseResult {
    std::optional<Options> options;
    std::string error;
    bool showUsage = false;
};

ParseResult ParseArguments(const std::vector<std::string>& arguments);

// Reads a depth as the window's depth box is read, for --depth.
// Returns the message for a refused depth, or nothing with `depth` set.
std::optional<std::string> ReadDepth(const std::string& text, std::int16_t& depth);

std::string UsageText();

}  // namespace quorvane::cli
