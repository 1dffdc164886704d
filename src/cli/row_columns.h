#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/parsed.h"

namespace quorvane::cli {

// The columns --columns names, each after the FolderRow member it writes.
enum class Column { Path, Name, Depth, Files, Folders, Bytes, Modified };

// The column's name in --columns, in the CSV and TSV header and as the JSON key.
std::string_view ColumnName(Column column);

// "path,name,depth,files,folders": what the walk gives without reading any file's size.
std::vector<Column> DefaultColumns();

// Reads a comma-separated list of column names, in the order to write them. An unknown, empty
// or repeated name fails with a message that names --columns.
Parsed<std::vector<Column>> ParseColumns(std::string_view text);

bool HasColumn(const std::vector<Column>& columns, Column column);

}  // namespace quorvane::cli
