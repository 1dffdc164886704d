#pragma once

#include <string_view>

#include "engine/folder_sink.h"
#include "results/path_list.h"
#include "results/workbook_writer.h"

namespace quorvane::cli {

// Keeps every entry, for a format that needs the whole list before its first line.
class ListCollector : public FolderSink {
  public:
    void append(const ListedFolder& folder) override { list_.append(folder.entry); }
    const PathList& list() const { return list_; }

  private:
    PathList list_;
};

// Hands every entry to a workbook as it arrives, until the workbook fails.
class WorkbookSink : public FolderSink {
  public:
    explicit WorkbookSink(WorkbookWriter& writer) : writer_(writer) {}
    void append(const ListedFolder& folder) override { writer_.append(folder.entry); }
    bool stopped() const override { return writer_.failed(); }

  private:
    WorkbookWriter& writer_;
};

}  // namespace quorvane::cli
