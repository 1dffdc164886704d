#include "results/workbook_writer.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <utility>

#include "results/cell_text.h"
#include "results/yielding_call.h"
#include "text/utf8_text.h"

namespace quorvane {

namespace {

constexpr std::string_view kHeading = "Results";
constexpr std::string_view kXmlDeclaration =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n";
constexpr std::string_view kMainNamespace =
    "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
constexpr std::string_view kRelationshipsNamespace =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
// The longest head a sheet can have: the widest column and the most rows.
constexpr size_t kSheetHeadSize = 512;

// A column's width as a sheet file keeps it: the width the user sees, in widths of a digit (7
// pixels in the default font), plus the 5 pixels of padding every column has, to 1/256.
double StoredColumnWidth(double width) {
    const double pixels = std::floor(width * 7 + 0.5) + 5;
    return std::floor(pixels / 7 * 256) / 256;
}

// A sheet's start, up to its rows: the range it uses, the first sheet shown, and the width of
// column A, padded with blanks between elements to the head's fixed size.
std::string SheetHead(size_t sheet, size_t rows, double columnWidth) {
    std::array<char, 32> width{};
    const auto end =
        std::to_chars(width.data(), width.data() + width.size(), StoredColumnWidth(columnWidth))
            .ptr;
    std::string head(kXmlDeclaration);
    head += "<worksheet xmlns=\"";
    head += kMainNamespace;
    head += "\" xmlns:r=\"";
    head += kRelationshipsNamespace;
    head += "\"><dimension ref=\"A1";
    if (rows > 1) head += ":A" + std::to_string(rows);
    head += "\"/><sheetViews><sheetView ";
    if (sheet == 1) head += "tabSelected=\"1\" ";
    head += "workbookViewId=\"0\"/></sheetViews><sheetFormatPr defaultRowHeight=\"15\"/>";
    head += "<cols><col min=\"1\" max=\"1\" width=\"";
    head.append(width.data(), end);
    head += "\" customWidth=\"1\"/></cols>";
    head.resize(kSheetHeadSize - std::string_view("<sheetData>").size(), ' ');
    head += "<sheetData>";
    return head;
}

constexpr std::string_view kSheetEnd =
    "</sheetData><pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" bottom=\"0.75\" "
    "header=\"0.3\" footer=\"0.3\"/></worksheet>";

bool IsXmlBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// Appends `text` as XML character data. Characters that XML cannot hold (control characters
// other than TAB and LF, CR which a reader would turn into LF, U+FFFE and U+FFFF) are written
// in the "_xHHHH_" form that spreadsheet programs read back as the character.
void AppendXmlText(std::string_view text, std::string& out) {
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '&') {
            out += "&amp;";
        } else if (c == '<') {
            out += "&lt;";
        } else if (c == '>') {
            out += "&gt;";
        } else if (c < 0x20 && c != '\t' && c != '\n') {
            constexpr char kHex[] = "0123456789ABCDEF";
            out += "_x00";
            out += kHex[c >> 4];
            out += kHex[c & 0xF];
            out += '_';
        } else if (c == 0xEF && text.substr(i, 3) == "\xEF\xBF\xBE") {
            out += "_xFFFE_";
            i += 2;
        } else if (c == 0xEF && text.substr(i, 3) == "\xEF\xBF\xBF") {
            out += "_xFFFF_";
            i += 2;
        } else {
            out += static_cast<char>(c);
        }
    }
}

std::string ContentTypes(size_t sheets) {
    std::string xml(kXmlDeclaration);
    xml +=
        "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
        "<Default Extension=\"rels\" "
        "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
        "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
        "<Override PartName=\"/xl/workbook.xml\" ContentType=\"application/"
        "vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
        "<Override PartName=\"/xl/styles.xml\" ContentType=\"application/"
        "vnd.openxmlformats-officedocument.spreadsheetml.styles+xml\"/>";
    for (size_t sheet = 1; sheet <= sheets; ++sheet) {
        xml += "<Override PartName=\"/xl/worksheets/sheet" + std::to_string(sheet) +
               ".xml\" ContentType=\"application/"
               "vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>";
    }
    return xml + "</Types>";
}

std::string PackageRelationships() {
    std::string xml(kXmlDeclaration);
    xml +=
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
        "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
        "relationships/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>";
    return xml;
}

std::string Workbook(size_t sheets) {
    std::string xml(kXmlDeclaration);
    xml += "<workbook xmlns=\"";
    xml += kMainNamespace;
    xml += "\" xmlns:r=\"";
    xml += kRelationshipsNamespace;
    xml += "\"><bookViews><workbookView/></bookViews><sheets>";
    for (size_t sheet = 1; sheet <= sheets; ++sheet) {
        const std::string n = std::to_string(sheet);
        xml += "<sheet name=\"Sheet" + n + "\" sheetId=\"" + n + "\" r:id=\"rId" + n + "\"/>";
    }
    return xml + "</sheets></workbook>";
}

std::string WorkbookRelationships(size_t sheets) {
    std::string xml(kXmlDeclaration);
    xml += "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    const std::string type = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
    for (size_t sheet = 1; sheet <= sheets; ++sheet) {
        const std::string n = std::to_string(sheet);
        xml += "<Relationship Id=\"rId" + n + "\" Type=\"" + type +
               "worksheet\" Target=\"worksheets/sheet" + n + ".xml\"/>";
    }
    xml += "<Relationship Id=\"rId" + std::to_string(sheets + 1) + "\" Type=\"" + type +
           "styles\" Target=\"styles.xml\"/>";
    return xml + "</Relationships>";
}

// The one style every cell has: the spreadsheet's default font and no fill or border.
std::string Styles() {
    std::string xml(kXmlDeclaration);
    xml += "<styleSheet xmlns=\"";
    xml += kMainNamespace;
    xml +=
        "\"><fonts count=\"1\"><font><sz val=\"11\"/><color theme=\"1\"/><name val=\"Calibri\"/>"
        "<family val=\"2\"/><scheme val=\"minor\"/></font></fonts>"
        "<fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill>"
        "<fill><patternFill patternType=\"gray125\"/></fill></fills>"
        "<borders count=\"1\"><border><left/><right/><top/><bottom/><diagonal/></border>"
        "</borders><cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" "
        "borderId=\"0\"/></cellStyleXfs><cellXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" "
        "fillId=\"0\" borderId=\"0\" xfId=\"0\"/></cellXfs><cellStyles count=\"1\">"
        "<cellStyle name=\"Normal\" xfId=\"0\" builtinId=\"0\"/></cellStyles></styleSheet>";
    return xml;
}

}  // namespace

WorkbookWriter::WorkbookWriter(std::string file, size_t rowsPerSheet)
    : file_(std::move(file)), rowsPerSheet_(std::clamp<size_t>(rowsPerSheet, 2, kSheetRows)) {}

WorkbookWriter::~WorkbookWriter() {
    // The partial file goes with its AtomicFile.
    zip_.reset();
    out_.reset();
}

Status WorkbookWriter::note(Status status) {
    if (failure_.ok()) failure_ = status;
    return status;
}

Status WorkbookWriter::open() {
    // A zip archive's headers are written over once their member is complete.
    out_ = std::make_unique<AtomicFile>(file_, AtomicFile::Writes::WithOverwrites);
    zip_ = std::make_unique<ZipWriter>(*out_);
    if (const Status status = out_->open(); !status.ok()) return note(status);
    return note(startSheet());
}

Status WorkbookWriter::startSheet() {
    ++sheets_;
    row_ = 0;
    widestPixels_ = 0;
    const Status status =
        zip_->beginMember("xl/worksheets/sheet" + std::to_string(sheets_) + ".xml", kSheetHeadSize);
    if (!status.ok()) return status;
    return appendRow(kHeading);
}

Status WorkbookWriter::endSheet() {
    const Status status = zip_->write(kSheetEnd);
    if (!status.ok()) return status;
    return zip_->endMember(SheetHead(sheets_, row_, ColumnWidthForPixels(widestPixels_)));
}

Status WorkbookWriter::appendRow(std::string_view cellText) {
    ++row_;
    // An empty text leaves its row empty; the row still belongs to its entry.
    if (cellText.empty()) return {};
    const std::string row = std::to_string(row_);
    xml_.clear();
    xml_ += "<row r=\"" + row + "\"><c r=\"A" + row + "\" t=\"inlineStr\"><is><t";
    // A reader drops blanks around a text unless told to keep them.
    if (IsXmlBlank(cellText.front()) || IsXmlBlank(cellText.back())) {
        xml_ += " xml:space=\"preserve\"";
    }
    xml_ += '>';
    AppendXmlText(cellText, xml_);
    xml_ += "</t></is></c></row>";
    widestPixels_ = std::max(widestPixels_, TextPixelWidth(cellText));
    return note(zip_->write(xml_));
}

Status WorkbookWriter::append(std::string_view entry) {
    if (!zip_) return failed() ? failure_ : Status::system(EBADF);
    if (failed()) return failure_;
    if (row_ >= rowsPerSheet_) {
        Status status = endSheet();
        if (status.ok()) status = startSheet();
        if (!note(status).ok()) return failure_;
    }
    cell_.clear();
    AppendCellText(entry, cell_);
    return appendRow(cell_);
}

Status WorkbookWriter::finish(YieldHook* hook) {
    if (!zip_) return failed() ? failure_ : Status::system(EBADF);
    if (failed()) return failure_;
    const std::pair<const char*, std::string> parts[] = {
        {"[Content_Types].xml", ContentTypes(sheets_)},
        {"_rels/.rels", PackageRelationships()},
        {"xl/workbook.xml", Workbook(sheets_)},
        {"xl/_rels/workbook.xml.rels", WorkbookRelationships(sheets_)},
        {"xl/styles.xml", Styles()},
    };
    Status status = endSheet();
    for (const auto& [name, content] : parts) {
        if (status.ok()) status = zip_->addMember(name, content);
    }
    if (status.ok()) status = zip_->finish();
    // The bytes reach the disk before the workbook takes its name, which takes a while for a
    // large one.
    if (status.ok()) status = CallWhileYielding(hook, [this] { return out_->commit(); });
    return note(status);
}

}  // namespace quorvane
