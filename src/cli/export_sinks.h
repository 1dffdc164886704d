#pragma once

#include <string_view>

#include "engine/list_run.h"
#include "results/path_list.h"
#include "results/workbook_writer.h"

namespace quorvane::cli {

// Keeps every entry, for a format that needs the whole list before its first line.
class ListCollector : public EntrySink {
  public:
    void appendEntry(std::string_view entry) override { list_.append(entry); }
    const PathList& list() const { return list_; }

  private:
    PathList list_;
};

// Hands every entry to a workbook as it arrives, until the workbook fails.
class WorkbookSink : public EntrySink {
  public:
    explicit WorkbookSink(WorkbookWriter& writer) : writer_(writer) {}
    void appendEntry(std::string_view entry) override { writer_.append(entry); }
    bool stopped() const override { return writer_.failed(); }

  private:
    WorkbookWriter& writer_;
};

}  // namespace quorvane::cli
