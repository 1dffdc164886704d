// The lines of --format, read back by strict readers of each format.

#include <gtest/gtest.h>

#include <map>

#include "cli/row_writer.h"
#include "cli/utc_time_text.h"
#include "engine/path_rules.h"
#include "text/utf8_text.h"

namespace quorvane::cli {
namespace {

using Record = std::vector<std::string>;

const std::vector<std::string> kNames = {
    "plain", "a,b",         "say \"hi\"",   "\"",     "two\r\nlines", "lone cr\r", "tab\there",
    "",      "back\\slash", "\x01\x1f\x7f", "é 日本", "\xff\xfe",     "cut \xc3",  "\xed\xa0\x80"};

const std::vector<Column> kAllColumns = {Column::Path,    Column::Name,    Column::Depth,
                                         Column::Files,   Column::Folders, Column::Bytes,
                                         Column::Modified};

// Each name as a row; the last one with nothing known of its entries.
std::string writeRows(RowFormat format, std::vector<std::string>& paths) {
    std::string out;
    AppendRowHeader(out, format, kAllColumns);
    for (const std::string& name : kNames)
        paths.push_back("t/" + name);
    for (size_t i = 0; i < kNames.size(); ++i) {
        FolderRow row{paths[i], kNames[i], static_cast<int>(i), i, i + 1, 1ull << 40, 1796709600};
        if (i + 1 == kNames.size()) row = {paths[i], kNames[i], 2, {}, {}, {}, {}};
        AppendRow(out, format, kAllColumns, row);
    }
    return out;
}

Record expectedRecord(size_t i, const std::vector<std::string>& paths) {
    if (i + 1 == kNames.size()) return {paths[i], kNames[i], "2", "", "", "", ""};
    return {paths[i],
            kNames[i],
            std::to_string(i),
            std::to_string(i),
            std::to_string(i + 1),
            "1099511627776",
            "2026-12-08T06:00:00Z"};
}

// RFC 4180 read strictly: every record ends with CR LF, and an unquoted field holds no quote,
// comma, CR or LF. Nothing for text that breaks a rule.
std::optional<std::vector<Record>> readCsv(std::string_view text) {
    std::vector<Record> records;
    Record record;
    for (size_t i = 0; i < text.size();) {
        std::string field;
        if (text[i] == '"') {
            for (++i;; ++i) {
                if (i >= text.size()) return std::nullopt;
                if (text[i] == '"' && text.substr(i, 2) != "\"\"") break;
                if (text[i] == '"') ++i;
                field += text[i];
            }
            ++i;
        } else {
            for (; i < text.size() && text[i] != ',' && text[i] != '\r'; ++i) {
                if (text[i] == '"' || text[i] == '\n') return std::nullopt;
                field += text[i];
            }
        }
        record.push_back(field);
        if (i < text.size() && text[i] == ',') {
            ++i;
        } else if (text.substr(i, 2) == "\r\n") {
            i += 2;
            records.push_back(std::move(record));
            record.clear();
        } else {
            return std::nullopt;
        }
    }
    return records;
}

TEST(RowFormat, CsvReadsBackExactlyUnderRfc4180) {
    std::vector<std::string> paths;
    const auto records = readCsv(writeRows(RowFormat::Csv, paths));
    ASSERT_TRUE(records);
    ASSERT_EQ(records->size(), kNames.size() + 1);
    EXPECT_EQ(records->front(),
              Record({"path", "name", "depth", "files", "folders", "bytes", "modified"}));
    for (size_t i = 0; i < kNames.size(); ++i)
        EXPECT_EQ((*records)[i + 1], expectedRecord(i, paths));
}

TEST(RowFormat, TsvHasOneLinePerRowAndEscapesReadBack) {
    std::vector<std::string> paths;
    const std::string text = writeRows(RowFormat::Tsv, paths);
    // On Windows '\\' is the separator and stays as it is, and no name holds TAB, CR or LF.
    const bool windows = kSeparator == '\\';
    std::vector<Record> records;
    Record record(1);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            records.push_back(std::move(record));
            record = Record(1);
        } else if (text[i] == '\t') {
            record.emplace_back();
        } else if (!windows && text[i] == '\\') {
            const std::map<char, char> escapes = {
                {'t', '\t'}, {'n', '\n'}, {'r', '\r'}, {'\\', '\\'}};
            ASSERT_TRUE(escapes.contains(text[i + 1])) << "an unknown escape";
            record.back() += escapes.at(text[++i]);
        } else {
            record.back() += text[i];
        }
    }
    ASSERT_EQ(records.size(), kNames.size() + 1);
    EXPECT_EQ(records.front()[6], "modified");
    for (size_t i = 0; i < kNames.size(); ++i) {
        if (windows && kNames[i].find_first_of("\t\r\n") != std::string::npos) continue;
        EXPECT_EQ(records[i + 1], expectedRecord(i, paths));
    }
}

// A JSON Lines line read strictly: an object of strings, digit numbers and null, in valid
// UTF-8. Each member's value is kept as a string with a '"' before it, or as the bare token.
using Members = std::vector<std::pair<std::string, std::string>>;
std::optional<Members> readJsonLine(std::string_view line) {
    for (size_t i = 0; i < line.size();) {
        char32_t codePoint = 0;
        bool valid = false;
        i += DecodeUtf8(line, i, codePoint, valid);
        if (!valid) return std::nullopt;
    }
    size_t i = 0;
    const auto readString = [&](std::string& out) {
        if (line.substr(i, 1) != "\"") return false;
        while (++i < line.size()) {
            const char c = line[i];
            if (c == '"') return ++i, true;
            if (static_cast<unsigned char>(c) < 0x20) return false;
            if (c != '\\') {
                out += c;
                continue;
            }
            const char e = ++i < line.size() ? line[i] : 'x';
            const std::string_view escapes = "\"\\/bfnrt", meanings = "\"\\/\b\f\n\r\t";
            if (escapes.find(e) != escapes.npos) {
                out += meanings[escapes.find(e)];
                continue;
            }
            if (e != 'u') return false;
            const std::string_view hex = line.substr(i + 1, 4);
            if (hex.size() != 4 || hex.find_first_not_of("0123456789abcdef") != hex.npos) {
                return false;
            }
            const auto value = std::stoul(std::string(hex), nullptr, 16);
            if (value >= 0xD800 && value < 0xE000) return false;  // never written
            AppendUtf8(out, static_cast<char32_t>(value));
            i += 4;
        }
        return false;
    };
    Members members;
    if (line.substr(0, 1) != "{") return std::nullopt;
    for (++i; i < line.size() && line[i] != '}';) {
        if (!members.empty() && line[i++] != ',') return std::nullopt;
        std::string key;
        std::string value = "\"";
        if (!readString(key) || line.substr(i++, 1) != ":") return std::nullopt;
        if (line.substr(i, 4) == "null") {
            value = "null";
            i += 4;
        } else if (const size_t digits = line.find_first_not_of("0123456789", i); digits > i) {
            value = line.substr(i, digits - i);
            i = digits;
        } else if (!readString(value)) {
            return std::nullopt;
        }
        members.emplace_back(key, value);
    }
    if (line.substr(i) != "}") return std::nullopt;
    return members;
}

std::string fromBase64(std::string_view text) {
    const std::string_view digits =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string bytes;
    std::uint32_t bits = 0;
    int count = 0;
    for (char c : text.substr(0, text.find('='))) {
        bits = bits << 6 | static_cast<std::uint32_t>(digits.find(c));
        if ((count += 6) >= 8) bytes += static_cast<char>(bits >> (count -= 8) & 0xFF);
    }
    return bytes;
}

TEST(RowFormat, JsonLinesAreValidAndKeepTheExactBytes) {
    std::vector<std::string> paths;
    const std::string text = writeRows(RowFormat::JsonLines, paths);
    size_t start = 0;
    for (size_t i = 0; i < kNames.size(); ++i) {
        const size_t end = text.find('\n', start);
        ASSERT_NE(end, std::string::npos);
        const auto members = readJsonLine(std::string_view(text).substr(start, end - start));
        start = end + 1;
        ASSERT_TRUE(members) << "row " << i << " is not valid JSON";
        // Each text as valid UTF-8, followed by its exact bytes when it is not.
        const Record values = expectedRecord(i, paths);
        size_t m = 0;
        for (size_t column = 0; column < values.size(); ++column, ++m) {
            ASSERT_LT(m, members->size());
            const auto& [key, value] = (*members)[m];
            EXPECT_EQ(key, ColumnName(kAllColumns[column]));
            const std::string& expected = values[column];
            if (column >= 2) {
                EXPECT_EQ(value, expected.empty() ? "null"
                                 : column == 6    ? '"' + expected
                                                  : expected);
                continue;
            }
            std::string shown;
            AppendValidUtf8(expected, shown);
            EXPECT_EQ(value, '"' + shown);
            if (shown == expected) continue;
            ASSERT_LT(++m, members->size());
            EXPECT_EQ((*members)[m].first, key + "_bytes");
            EXPECT_EQ(fromBase64((*members)[m].second.substr(1)), expected);
        }
        EXPECT_EQ(m, members->size()) << "row " << i;
    }
    EXPECT_EQ(start, text.size());
}

TEST(RowFormat, TimesAreIso8601UtcToTheSecond) {
    const std::pair<std::int64_t, const char*> cases[] = {
        {0, "1970-01-01T00:00:00Z"},
        {-1, "1969-12-31T23:59:59Z"},
        {951827696, "2000-02-29T12:34:56Z"},
        {-2203891200, "1900-03-01T00:00:00Z"},
        {1796709600, "2026-12-08T06:00:00Z"},
        {253402300799, "9999-12-31T23:59:59Z"},
        {253402300800, "+010000-01-01T00:00:00Z"},
        {-62167219200, "0000-01-01T00:00:00Z"},
        {-62167219201, "-000001-12-31T23:59:59Z"},
    };
    for (const auto& [seconds, expected] : cases) {
        std::string text;
        AppendUtcTime(text, seconds);
        EXPECT_EQ(text, expected) << seconds;
    }
    // The extremes a file system could report still give a time, without overflow.
    for (std::int64_t seconds : {INT64_MIN, INT64_MAX}) {
        std::string text;
        AppendUtcTime(text, seconds);
        EXPECT_TRUE(text.ends_with("Z")) << text;
    }
}

TEST(RowFormat, ColumnListsAreReadOrRefusedByName) {
    const auto columns = ParseColumns("modified,path");
    ASSERT_TRUE(columns.ok()) << columns.error();
    EXPECT_EQ(columns.value(), std::vector<Column>({Column::Modified, Column::Path}));
    for (const char* bad : {"", "path,", "path,,name", "path,size", "Path", "path,path"}) {
        const auto refused = ParseColumns(bad);
        ASSERT_FALSE(refused.ok()) << bad;
        EXPECT_TRUE(refused.error().starts_with("--columns: ")) << refused.error();
    }
}

}  // namespace
}  // namespace quorvane::cli
