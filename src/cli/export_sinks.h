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

// Hands every entry to a workbook as it arrives, until the workbook fails: then the walk
// stops, and the workbook's finish() gives the failure.
class WorkbookSink : public FolderSink {
  public:
    explicit WorkbookSink(WorkbookWriter& writer) : writer_(writer) {}
    void append(const ListedFolder& folder) override {
        if (!stopped_) stopped_ = !writer_.append(folder.entry).ok();
    }
    bool stopped() const override { return stopped_; }

  private:
    WorkbookWriter& writer_;
    bool stopped_ = false;
};

}  // namespace quorvane::cli
