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
// format's header. `output` gets each block and answers false when it could not be written;
// from then on nothing more is written, and failed() and stopped() are true, so the walk ends.
class EntryWriter : public FolderSink {
  public:
    using Output = std::function<bool(std::string_view)>;

    EntryWriter(LineEnd lineEnd, Output output);
    EntryWriter(RowFormat format, std::vector<Column> columns, Output output);

    void append(const ListedFolder& folder) override;
    bool stopped() const override { return failed_; }
    // Writes what is still buffered, and with CR LF line ends the one extra CR LF that ends
    // the text file format. Returns false when any write failed.
    bool finish();

    bool failed() const { return failed_; }

  private:
    void appendLine(std::string_view entry);
    void flush();

    std::string_view lineEnd_;
    bool crlf_ = false;
    std::optional<RowFormat> rowFormat_;
    std::vector<Column> columns_;
    Output output_;
    std::string buffer_;
    bool failed_ = false;
};

}  // namespace quorvane::cli
