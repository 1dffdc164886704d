#include "engine/list_run.h"

#include "engine/path_rules.h"

namespace quorvane {

namespace {

class EntryAdapter : public FolderSink {
  public:
    explicit EntryAdapter(EntrySink& entries) : entries_(entries) {}

    void append(std::string_view folderPath) override {
#ifdef _WIN32
        entries_.appendEntry(EntryFromFolderPath(folderPath));
#else
        // The walk's paths are already free of doubled separators on POSIX, so dropping the
        // trailing one is all that is left, and needs no copy.
        folderPath.remove_suffix(1);
        entries_.appendEntry(folderPath);
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
