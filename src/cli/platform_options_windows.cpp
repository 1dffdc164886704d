#include "cli/platform_options.h"

namespace quorvane::cli::platform {

constexpr bool kExcludeIgnoresCase = true;
constexpr bool kTsvEscapesBackslash = false;

constexpr std::string_view kExcludeHelp =
    "\n"
    "neither list nor enter the folders that GLOB matches: their\n"
    "name, or when GLOB holds a '/' their path below FOLDER\n"
    "(\"a/b\", \"/top\" only directly in FOLDER, \"**/a/b\" at any\n"
    "depth); * ? [a-z] [!a-z], and ** for any number of folders;\n"
    "letter case ignored, '\\' a separator like '/'; repeatable";

constexpr std::string_view kIexcludeHelp = "the same as --exclude";

constexpr std::string_view kFormatHelp =
    "\n"
    "one line per folder with the columns of --columns:\n"
    "csv   RFC 4180, a header line, CR LF line ends\n"
    "tsv   a header line; TAB, CR and LF in a field as \\t \\r \\n\n"
    "json  JSON Lines: one object per line; a path or name that is\n"
    "      not UTF-8 shows U+FFFD for each stray byte, and its exact\n"
    "      bytes follow in Base64 as \"path_bytes\" or \"name_bytes\"";

}  // namespace quorvane::cli::platform
