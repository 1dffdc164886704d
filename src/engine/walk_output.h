#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "base/status.h"
#include "engine/folder_contents.h"
#include "engine/folder_facts.h"

namespace quorvane {

struct Segment;

// One folder's block as a thread of the walk hands it on: the folder's subfolders, in their
// order, listed at the level below the folder's.
struct BlockRecord {
    int level = 0;                     // the folder's: 0 for the target
    size_t indexInParent = 0;          // the folder's place in its parent's block
    std::string_view folderPath;       // folder path form
    NameList names;                    // none when the folder's block is not listed
    std::optional<FolderFacts> facts;  // its own, when the walk gathers them and could read it
};

// Where the thread that walks a part of the tree puts what it finds, in the list's order.
class WalkOutput {
  public:
    virtual ~WalkOutput() = default;
    virtual void block(const BlockRecord& record) = 0;
    // A folder that could not be read (folder path form), and why.
    virtual void unreadable(std::string_view folderPath, Status why) = 0;
    // A part of the list that another thread walks, which comes here. Never asked of the
    // sink's own order, which waits for such a part instead (WalkJob::Step::Waits).
    virtual void nest(Segment* /*part*/) {}
};

// Keeps blocks as bytes, for a part of the list that another thread walks before the list
// reaches it: the names and one path per block, far less than a path per folder.
class RecordWriter : public WalkOutput {
  public:
    void block(const BlockRecord& record) override;
    void unreadable(std::string_view folderPath, Status why) override;

    std::string& bytes() { return bytes_; }
    const std::string& bytes() const { return bytes_; }

  private:
    std::string bytes_;
};

// Hands the records of `bytes`, as a RecordWriter wrote them, to `output` in their order.
// Stops early once `stopped` says so.
template <typename Stopped>
void ReplayRecords(std::string_view bytes, WalkOutput& output, Stopped stopped);

namespace records {
// One record from the front of `bytes`, handed to `output`; returns its size.
size_t ReplayOne(std::string_view bytes, WalkOutput& output);
}  // namespace records

template <typename Stopped>
void ReplayRecords(std::string_view bytes, WalkOutput& output, Stopped stopped) {
    while (!bytes.empty() && !stopped())
        bytes.remove_prefix(records::ReplayOne(bytes, output));
}

}  // namespace quorvane
