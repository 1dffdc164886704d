#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "results/chunked_array.h"
#include "results/entry_source.h"
#include "results/folder_tree.h"

namespace quorvane {

// The entries of the results list: folder paths, byte for byte as they were appended, each
// folder kept once as its name under its parent (a FolderTree) and the list as the sequence of
// the folders it shows. A path is made again only when it is read, which the rows on screen,
// the exports and the filters do, so ten million folders cost their names and about seventeen
// bytes each.
//
// Paths are split at the platform's separator; whatever comes before the first one is the
// name of a folder without a parent. A path that shares its beginning with the path appended
// before it reuses that path's folders, and so does the path of a folder whose subfolders came
// before it, as a walk lists them. Removing entries never touches the folders, so the names of
// the others stay as they were.
//
// Indexes here are 0-based (ResultsList has the list's 1-based ones).
class FolderList : public EntrySource {
  public:
    FolderList() = default;
    FolderList(const FolderList&) = delete;
    FolderList& operator=(const FolderList&) = delete;
    FolderList(FolderList&& other) noexcept { *this = std::move(other); }
    // Counts as removing every entry the list held (see removalCount()).
    FolderList& operator=(FolderList&& other) noexcept;

    size_t size() const override { return order_.size(); }
    std::uint64_t removalCount() const override { return removals_; }
    std::unique_ptr<EntryReader> reader() const override;

    // The path of entry `index`.
    void path(size_t index, std::string& path) const;
    std::string path(size_t index) const;

    // Throws std::bad_alloc, and changes nothing, when the list cannot take the entry.
    void append(std::string_view path);
    void clear();
    void removeAt(size_t index);
    // Removes, in one pass that keeps the order of the rest, every entry whose index `remove`
    // accepts; the second form every entry marked true, leaving those past the marks' end.
    // Each returns how many went.
    size_t removeIf(const std::function<bool(size_t)>& remove);
    size_t removeMarked(const std::vector<bool>& marked);

    // Every byte the list holds: folders, names, the sequence, and what appending keeps.
    size_t memoryUsage() const;
    // The bytes of the folders' names, each folder's once.
    size_t nameBytes() const { return tree_.nameBytes(); }

  private:
    using Node = FolderTree::Node;

    // A folder of the path appended last: the chain that the next path is compared with.
    struct ChainLevel {
        Node node;
        size_t end;  // where its name ends in lastPath_
        // Its subfolders made for the paths below them, whose own entries have not come yet:
        // a walk lists them in this order once everything below them is done.
        std::vector<Node> waiting;
        size_t nextWaiting = 0;
    };

    static constexpr size_t kNotWaiting = SIZE_MAX;

    // The folder of `path`, whose first `level` folders are those of the chain.
    Node folderOf(std::string_view path, size_t level);
    // The folder `name` under the folder at chain level `level - 1` (none for level 0): one
    // waiting there under that name, or a new one, which waits there when `waits`.
    Node folderFor(size_t level, std::string_view name, bool waits);
    // Where a subfolder `name` waits in `parent`, or kNotWaiting.
    size_t findWaiting(const ChainLevel& parent, std::string_view name) const;
    // The entry of waiting subfolder `taken` has come, and those before it will not.
    static void tookWaiting(ChainLevel& parent, size_t taken);
    // Puts `node` at chain level `level`, ending at `end`.
    void setLevel(size_t level, Node node, size_t end);
    template <typename Remove>
    size_t removeWhere(Remove&& remove);

    // What clear() lets go of, on a thread of its own when it is much.
    struct Storage {
        FolderTree tree;
        ChunkedArray<Node> order;
    };

    FolderTree tree_;
    ChunkedArray<Node> order_;
    std::string lastPath_;
    std::vector<ChainLevel> chain_;  // only the first depth_ levels hold the last path's
    size_t depth_ = 0;
    std::uint64_t removals_ = 0;
};

}  // namespace quorvane
