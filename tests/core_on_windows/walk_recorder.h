#pragma once

// What the Windows walk tests and drive tests record of a walk.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/folder_walk.h"

namespace quorvane::windows_test {

struct Unreadable {
    std::string path;
    int error;
};

// Records each folder in folder path form, as the expected walks give them.
class RecordingSink : public FolderSink {
  public:
    void append(const ListedFolder& folder) override {
        paths.push_back(std::string(folder.entry) + "\\");
    }
    void unreadable(std::string_view folderPath, Status why) override {
        failures.push_back({std::string(folderPath), why.code()});
    }

    std::vector<std::string> paths;
    std::vector<Unreadable> failures;
};

// Walks, and takes a walk that failed for a failure of the test.
inline void WalkAll(std::string_view root, const WalkOptions& options, FolderSink& sink) {
    const Status walked = WalkFolders(root, options, sink);
    EXPECT_TRUE(walked.ok()) << "the walk failed: " << walked.code();
}

inline std::vector<std::string> Walk(const std::string& root, WalkOptions options = {}) {
    RecordingSink sink;
    WalkAll(root, options, sink);
    return sink.paths;
}

inline std::vector<std::string> WalkEvery(const std::string& root) {
    return Walk(root);
}

inline std::vector<std::string> WalkDepth(const std::string& root, std::int16_t depth) {
    WalkOptions options;
    options.depth = {true, depth};
    return Walk(root, options);
}

// The options of a walk shared by `threads` threads, which may hold `aheadLimit` bytes ahead of
// the list.
inline WalkOptions WithThreads(unsigned threads, size_t aheadLimit = WalkOptions().aheadLimit,
                               DepthChoice depth = {}) {
    WalkOptions options;
    options.threads = threads;
    options.aheadLimit = aheadLimit;
    options.depth = depth;
    return options;
}

inline bool Contains(const std::vector<std::string>& paths, const std::string& path) {
    return std::find(paths.begin(), paths.end(), path) != paths.end();
}

}  // namespace quorvane::windows_test
