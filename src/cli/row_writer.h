#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/parsed.h"
#include "cli/folder_row.h"
#include "cli/row_columns.h"

namespace quorvane::cli {

// The formats of --format. Names and paths are written byte for byte as the list holds them
// (UTF-8 on Windows) except where a format says otherwise.
//
// Csv: RFC 4180. A header line of column names, then one line per folder; every line ends
// with CR LF. A field holding a comma, a double quote, CR or LF is put in double quotes with
// each double quote doubled; other fields are written as they are.
//
// Tsv: a header line of column names, then one line per folder, fields separated by TAB,
// lines ended by LF. TAB, LF and CR in a field are written as \t, \n and \r, and, except on
// Windows, a backslash as \\, so every field reads back exactly. On Windows '\' is the path
// separator and no name can hold TAB, CR or LF, so paths go out unchanged.
//
// JsonLines: one JSON object per line, ended by LF, its members in the order of the columns;
// no header. Numbers are JSON numbers, the time a string, and what could not be had is null.
// Strings are valid UTF-8 JSON: a name that is not valid UTF-8 has each stray byte shown as
// U+FFFD, and then the object also carries "path_bytes" (or "name_bytes") right after it, the
// exact bytes in Base64 (RFC 4648, padded), so nothing is lost.
enum class RowFormat { Csv, Tsv, JsonLines };

// Reads "csv", "tsv" or "json"; any other text fails.
Parsed<RowFormat> ParseRowFormat(std::string_view text);

// Appends the header line of CSV and TSV; nothing for JSON Lines.
void AppendRowHeader(std::string& out, RowFormat format, const std::vector<Column>& columns);

// Appends one folder's line.
void AppendRow(std::string& out, RowFormat format, const std::vector<Column>& columns,
               const FolderRow& row);

}  // namespace quorvane::cli
