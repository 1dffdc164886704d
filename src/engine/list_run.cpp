#include "engine/list_run.h"

#include "engine/path_rules.h"

namespace quorvane {

namespace {

class EntryAdapter : public FolderSink {
  public:
    explicit EntryAdapter(EntrySink& entries) : entries_(entries) {}

    void append(std::string_view folderPath) override { appendFolder(folderPath, 1, nullptr); }

    void appendFolder(std::string_view folderPath, int level, const FolderFacts* facts) override {
#ifdef _WIN32
        const std::string entry = EntryFromFolderPath(folderPath);
        entries_.appendFolder({entry, level, facts});
#else
        // The walk's paths are already free of doubled separators on POSIX, so dropping the
        // trailing one is all that is left, and needs no copy.
        folderPath.remove_suffix(1);
        entries_.appendFolder({folderPath, level, facts});
#endif
    }

    void unreadable(std::string_view folderPath, int error) override {
        entries_.unreadable(folderPath, error);
    }

    bool stopped() const override {
        return entries_.stopped();
    }

  private:
    EntrySink& entries_;
};

}  // namespace

void ListFolders(std::string_view root, DepthChoice depth, EntrySink& entries,
                 const WalkContext& context) {
    EntryAdapter adapter(entries);
    GetSubDirectoriesUnique(root, adapter, true, depth.limitDepth, depth.depth, context);
}

}  // namespace quorvane
