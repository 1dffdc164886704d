#pragma once

#include <string>

#include "support/zip_reader.h"

namespace quorvane::testing {

// The XML of sheet `sheet` of a workbook; empty when there is no such sheet.
inline std::string SheetXml(const std::string& workbook, int sheet) {
    return test::ZipMember(workbook, "xl/worksheets/sheet" + std::to_string(sheet) + ".xml")
        .value_or("");
}

// The XML of cell `reference` holding `text` as a string of its own, never as a formula or a
// number: an inline string, the form the workbook is written in.
inline std::string TextCell(const std::string& reference, const std::string& text) {
    return "<c r=\"" + reference + "\" t=\"inlineStr\"><is><t>" + text + "</t></is></c>";
}

}  // namespace quorvane::testing
