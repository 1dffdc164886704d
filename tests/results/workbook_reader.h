#pragma once

#include <cstdio>
#include <string>

namespace quorvane::testing {

// One member of a zip archive as text, read with the unzip program; empty when missing.
inline std::string ReadZipMember(const std::string& archive, const std::string& member) {
    const std::string command = "unzip -p '" + archive + "' '" + member + "' 2>/dev/null";
    std::string text;
    if (std::FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        size_t got = 0;
        while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
            text.append(buffer, got);
        pclose(pipe);
    }
    return text;
}

inline std::string SheetXml(const std::string& workbook, int sheet) {
    return ReadZipMember(workbook, "xl/worksheets/sheet" + std::to_string(sheet) + ".xml");
}

// The XML of cell `reference` holding `text` as a string of its own, never as a formula or a
// number: an inline string, the form the workbook is written in.
inline std::string TextCell(const std::string& reference, const std::string& text) {
    return "<c r=\"" + reference + "\" t=\"inlineStr\"><is><t>" + text + "</t></is></c>";
}

}  // namespace quorvane::testing
