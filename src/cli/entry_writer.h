#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_options.h"
#include "cli/row_writer.h"
#include "engine/folder_sink.h"

namespace quorvane::cli {

// Writes entries as they arrive, each followed by the chosen line end, in large blocks. With
// CR LF line ends the bytes are those of the window's text file, in its encoding too (the
// ANSI code page on Windows); otherwise entries go out as they are (UTF-8 on Windows).
// With a row format (--format), each folder is a line of that format instead, after the
// format's header. For a terminal (`forTerminal`), each entry of the plain list is written as
// TerminalSafeText shows it, so that no name can send the terminal an escape sequence.
// `output` gets each block and answers whether it was written; after a
// failure nothing more is written, and stopped() is true, so the walk ends.
class EntryWriter : public FolderSink {
  public:
    using Output = std::function<Status(std::string_view)>;

    EntryWriter(LineEnd lineEnd, Output output, bool forTerminal = false);
    EntryWriter(RowFormat format, std::vector<Column> columns, Output output);

    void append(const ListedFolder& folder) override;
    bool stopped() const override { return !failure_.ok(); }
    // Writes what is still buffered, and with CR LF line ends the one extra CR LF that ends
    // the text file format. Fails as the first write that failed.
    Status finish();
    // Writes what is still buffered, for a list that ends short of its end.
    Status flush();

  private:
    void appendLine(std::string_view entry);

    std::string_view lineEnd_;
    bool crlf_ = false;
    bool forTerminal_ = false;
    std::optional<RowFormat> rowFormat_;
    std::vector<Column> columns_;
    Output output_;
    std::string buffer_;
    Status failure_;
};

}  // namespace quorvane::cli
