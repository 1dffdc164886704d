#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quorvane {

// The most characters a worksheet cell holds.
inline constexpr size_t kCellCharacters = 32767;

// Appends to `out` the text to hand the workbook library for a cell that must show `text`:
// - bytes that are not valid UTF-8 become U+FFFD, since the sheet is XML and must stay valid;
// - the underscore of "_xHHHH_" is written as "_x005F_", because a reader takes such a
//   sequence as a character code and would show a folder named "_x0041_" as "A";
// - a text past the cell's limit is cut there.
// Control characters are left to the library, which writes them in the "_xHHHH_" form.
void AppendCellText(std::string_view text, std::string& out);

// Estimated width in pixels of `text` in the workbook's default font (Calibri 11 at 96 dpi).
// Wide East Asian characters count double; other characters outside ASCII count as an
// upper-case letter.
size_t TextPixelWidth(std::string_view text);

// The column width, in the spreadsheet's character units, that shows a text of `pixels`
// in full, at most the largest width a column may have (255).
double ColumnWidthForPixels(size_t pixels);

}  // namespace quorvane
