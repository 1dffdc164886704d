#include "cli/row_columns.h"

#include <algorithm>
#include <array>

namespace quorvane::cli {

namespace {

constexpr std::array kColumns = {Column::Path,    Column::Name,  Column::Depth,   Column::Files,
                                 Column::Folders, Column::Bytes, Column::Modified};

std::string knownNames() {
    std::string names;
    for (Column column : kColumns) {
        if (!names.empty()) names += ",";
        names += ColumnName(column);
    }
    return names;
}

}  // namespace

std::string_view ColumnName(Column column) {
    switch (column) {
        case Column::Path:
            return "path";
        case Column::Name:
            return "name";
        case Column::Depth:
            return "depth";
        case Column::Files:
            return "files";
        case Column::Folders:
            return "folders";
        case Column::Bytes:
            return "bytes";
        case Column::Modified:
            return "modified";
    }
    return "";
}

std::vector<Column> DefaultColumns() {
    return {Column::Path, Column::Name, Column::Depth, Column::Files, Column::Folders};
}

Parsed<std::vector<Column>> ParseColumns(std::string_view text) {
    const auto refuse = [](std::string why) {
        return Parsed<std::vector<Column>>::failed("--columns: " + std::move(why));
    };
    std::vector<Column> read;
    for (size_t start = 0;;) {
        const size_t comma = std::min(text.find(',', start), text.size());
        const std::string_view name = text.substr(start, comma - start);
        if (name.empty()) return refuse("an empty column name in \"" + std::string(text) + "\"");
        const auto known = std::find_if(kColumns.begin(), kColumns.end(),
                                        [&](Column column) { return ColumnName(column) == name; });
        if (known == kColumns.end()) {
            return refuse("unknown column \"" + std::string(name) + "\" (known: " + knownNames() +
                          ")");
        }
        if (HasColumn(read, *known)) {
            return refuse("the column \"" + std::string(name) + "\" is named twice");
        }
        read.push_back(*known);
        if (comma == text.size()) break;
        start = comma + 1;
    }
    return read;
}

bool HasColumn(const std::vector<Column>& columns, Column column) {
    return std::find(columns.begin(), columns.end(), column) != columns.end();
}

}  // namespace quorvane::cli
