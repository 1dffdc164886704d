#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "base/yield_hook.h"
#include "engine/folder_sink.h"
#include "engine/walk_output.h"

namespace quorvane {

// Hands the blocks of a walk to its sink, on the thread that called the walk, in the list's
// order: each folder's subfolders as entries, after a yield each. The facts of each entry come
// from the block of that subfolder, which came before (and with totals, those of everything
// listed below it), so they are the same whichever thread read what.
class ListEmitter : public WalkOutput {
  public:
    ListEmitter(FolderSink& sink, YieldHook* yield, bool totals)
        : sink_(sink), yield_(yield), totals_(totals) {}

    void block(const BlockRecord& record) override;
    void unreadable(std::string_view folderPath, Status why) override {
        sink_.unreadable(folderPath, why);
    }
    bool stopped() const { return sink_.stopped(); }

  private:
    // A folder read for its facts whose own block has been handed on, waiting for its parent's.
    struct Waiting {
        int level;
        size_t indexInParent;
        FolderFacts facts;  // with totals, those of everything below it added
    };

    void takeFactsOfSubfolders(const BlockRecord& record);

    FolderSink& sink_;
    YieldHook* yield_;
    const bool totals_;
    std::vector<Waiting> waiting_;
    // The facts of each subfolder of the block being handed on, when there are any.
    std::vector<const FolderFacts*> subfolderFacts_;
    std::vector<Waiting> taken_;
    std::string entry_;
};

}  // namespace quorvane
