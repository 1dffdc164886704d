#include "cli/entry_writer.h"

#include "cli/folder_selection.h"
#include "cli/terminal_text.h"
#include "results/text_file_export.h"

namespace quorvane::cli {

namespace {

constexpr size_t kBlockSize = 1 << 16;

std::string_view lineEndBytes(LineEnd lineEnd) {
    switch (lineEnd) {
        case LineEnd::CrLf:
            return "\r\n";
        case LineEnd::Nul:
            return std::string_view("\0", 1);
        case LineEnd::Lf:
            break;
    }
    return "\n";
}

}  // namespace

EntryWriter::EntryWriter(LineEnd lineEnd, Output output, bool forTerminal)
    : lineEnd_(lineEndBytes(lineEnd)),
      crlf_(lineEnd == LineEnd::CrLf),
      forTerminal_(forTerminal),
      output_(std::move(output)) {
    buffer_.reserve(kBlockSize + 4096);
}

EntryWriter::EntryWriter(RowFormat format, std::vector<Column> columns, Output output)
    : rowFormat_(format), columns_(std::move(columns)), output_(std::move(output)) {
    buffer_.reserve(kBlockSize + 4096);
    AppendRowHeader(buffer_, format, columns_);
}

void EntryWriter::append(const ListedFolder& folder) {
    if (!rowFormat_) {
        appendLine(folder.entry);
        return;
    }
    FolderRow row;
    row.path = folder.entry;
    row.name = PathBelowTarget(folder.entry, 1);
    row.depth = folder.level;
    if (const FolderFacts* facts = folder.facts) {
        row.files = facts->files;
        row.folders = facts->folders;
        row.bytes = facts->bytes;
        row.modified = facts->modified;
    }
    AppendRow(buffer_, *rowFormat_, columns_, row);
    if (buffer_.size() >= kBlockSize) static_cast<void>(flush());
}

void EntryWriter::appendLine(std::string_view entry) {
    if (crlf_) {
        AppendTextFileEntry(buffer_, entry);
    } else if (forTerminal_) {
        AppendTerminalSafeText(buffer_, entry);
    } else {
        buffer_.append(entry);
    }
    buffer_.append(lineEnd_);
    if (buffer_.size() >= kBlockSize) static_cast<void>(flush());
}

Status EntryWriter::flush() {
    if (failure_.ok() && !buffer_.empty()) failure_ = output_(buffer_);
    buffer_.clear();
    return failure_;
}

Status EntryWriter::finish() {
    if (crlf_) buffer_.append("\r\n");
    return flush();
}

}  // namespace quorvane::cli
