#include "cli/row_writer.h"

#include <charconv>

#include "cli/platform_options.h"
#include "cli/utc_time_text.h"
#include "text/utf8_text.h"

namespace quorvane::cli {

namespace {

template <typename Number>
void appendNumber(std::string& out, Number value) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, end);
}

void appendCsvField(std::string& out, std::string_view field) {
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
        out.append(field);
        return;
    }
    out.push_back('"');
    for (char c : field) {
        if (c == '"') out.push_back('"');
        out.push_back(c);
    }
    out.push_back('"');
}

void appendTsvField(std::string& out, std::string_view field) {
    for (char c : field) {
        switch (c) {
            case '\t':
                out.append("\\t");
                break;
            case '\n':
                out.append("\\n");
                break;
            case '\r':
                out.append("\\r");
                break;
            case '\\':
                out.append(platform::kTsvEscapesBackslash ? "\\\\" : "\\");
                break;
            default:
                out.push_back(c);
        }
    }
}

void appendBase64(std::string& out, std::string_view bytes) {
    static constexpr char kDigits[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    const auto byteAt = [&](size_t i) -> std::uint32_t {
        return i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : 0;
    };
    for (size_t i = 0; i < bytes.size(); i += 3) {
        const std::uint32_t group = byteAt(i) << 16 | byteAt(i + 1) << 8 | byteAt(i + 2);
        out.push_back(kDigits[group >> 18 & 63]);
        out.push_back(kDigits[group >> 12 & 63]);
        out.push_back(i + 1 < bytes.size() ? kDigits[group >> 6 & 63] : '=');
        out.push_back(i + 2 < bytes.size() ? kDigits[group & 63] : '=');
    }
}

// A JSON string of `text`, with stray bytes as U+FFFD. Returns whether any byte was replaced.
bool appendJsonString(std::string& out, std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    bool replaced = false;
    out.push_back('"');
    char32_t codePoint = 0;
    bool valid = false;
    for (size_t i = 0; i < text.size();) {
        const unsigned char byte = static_cast<unsigned char>(text[i]);
        if (!IsAscii(byte)) {
            const size_t length = DecodeUtf8(text, i, codePoint, valid);
            if (valid) {
                out.append(text.substr(i, length));
            } else {
                AppendUtf8(out, 0xFFFD);
                replaced = true;
            }
            i += length;
            continue;
        }
        ++i;
        switch (byte) {
            case '"':
                out.append("\\\"");
                break;
            case '\\':
                out.append("\\\\");
                break;
            case '\n':
                out.append("\\n");
                break;
            case '\r':
                out.append("\\r");
                break;
            case '\t':
                out.append("\\t");
                break;
            default:
                if (byte < 0x20) {
                    out.append("\\u00");
                    out.push_back(kHex[byte >> 4]);
                    out.push_back(kHex[byte & 15]);
                } else {
                    out.push_back(static_cast<char>(byte));
                }
        }
    }
    out.push_back('"');
    return replaced;
}

// A text column of JSON Lines: "key":"text", then "key_bytes":"Base64" when the text had to
// be changed to be valid.
void appendJsonText(std::string& out, std::string_view key, std::string_view text) {
    out.push_back('"');
    out.append(key);
    out.append("\":");
    if (appendJsonString(out, text)) {
        out.append(",\"");
        out.append(key);
        out.append("_bytes\":\"");
        appendBase64(out, text);
        out.push_back('"');
    }
}

template <typename Number>
void appendOptional(std::string& out, const std::optional<Number>& value, RowFormat format) {
    if (value) {
        appendNumber(out, *value);
    } else if (format == RowFormat::JsonLines) {
        out.append("null");
    }
}

// One column's value as the format writes it, without the JSON key.
void appendValue(std::string& out, RowFormat format, Column column, const FolderRow& row) {
    switch (column) {
        case Column::Path:
        case Column::Name: {
            const std::string_view text = column == Column::Path ? row.path : row.name;
            if (format == RowFormat::Csv) {
                appendCsvField(out, text);
            } else {
                appendTsvField(out, text);
            }
            return;
        }
        case Column::Depth:
            appendNumber(out, row.depth);
            return;
        case Column::Files:
            appendOptional(out, row.files, format);
            return;
        case Column::Folders:
            appendOptional(out, row.folders, format);
            return;
        case Column::Bytes:
            appendOptional(out, row.bytes, format);
            return;
        case Column::Modified:
            if (!row.modified) {
                if (format == RowFormat::JsonLines) out.append("null");
            } else if (format == RowFormat::JsonLines) {
                out.push_back('"');
                AppendUtcTime(out, *row.modified);
                out.push_back('"');
            } else {
                AppendUtcTime(out, *row.modified);
            }
            return;
    }
}

void appendJsonRow(std::string& out, const std::vector<Column>& columns, const FolderRow& row) {
    out.push_back('{');
    for (size_t i = 0; i < columns.size(); ++i) {
        if (i > 0) out.push_back(',');
        const Column column = columns[i];
        if (column == Column::Path || column == Column::Name) {
            appendJsonText(out, ColumnName(column), column == Column::Path ? row.path : row.name);
            continue;
        }
        out.push_back('"');
        out.append(ColumnName(column));
        out.append("\":");
        appendValue(out, RowFormat::JsonLines, column, row);
    }
    out.append("}\n");
}

std::string_view separatorOf(RowFormat format) {
    return format == RowFormat::Csv ? "," : "\t";
}

std::string_view lineEndOf(RowFormat format) {
    return format == RowFormat::Csv ? "\r\n" : "\n";
}

}  // namespace

Parsed<RowFormat> ParseRowFormat(std::string_view text) {
    if (text == "csv") return RowFormat::Csv;
    if (text == "tsv") return RowFormat::Tsv;
    if (text == "json") return RowFormat::JsonLines;
    return Parsed<RowFormat>::failed("the formats are csv, tsv and json");
}

void AppendRowHeader(std::string& out, RowFormat format, const std::vector<Column>& columns) {
    if (format == RowFormat::JsonLines) return;
    for (size_t i = 0; i < columns.size(); ++i) {
        if (i > 0) out.append(separatorOf(format));
        out.append(ColumnName(columns[i]));
    }
    out.append(lineEndOf(format));
}

void AppendRow(std::string& out, RowFormat format, const std::vector<Column>& columns,
               const FolderRow& row) {
    if (format == RowFormat::JsonLines) {
        appendJsonRow(out, columns, row);
        return;
    }
    for (size_t i = 0; i < columns.size(); ++i) {
        if (i > 0) out.append(separatorOf(format));
        appendValue(out, format, columns[i], row);
    }
    out.append(lineEndOf(format));
}

}  // namespace quorvane::cli
