#pragma once

// What the walk's tests share: a sink that records what a walk gives, walks on the threads of
// the test's parameter, and the example tree. Paths are in folder path form, as the reference
// walk (support/expected_walk.h) gives them.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/folder_walk.h"
#include "engine/path_rules.h"
#include "support/fixture_tree.h"
#include "support/temp_folder.h"

namespace quorvane::walk_test {

// `path` with each '/' as the platform's separator.
inline std::string Native(std::string path) {
    std::replace(path.begin(), path.end(), '/', kSeparator);
    return path;
}

// Walks, and takes a walk that failed for a failure of the test.
inline void WalkAll(std::string_view root, const WalkOptions& options, FolderSink& sink) {
    const Status walked = WalkFolders(root, options, sink);
    EXPECT_TRUE(walked.ok()) << "the walk failed: " << walked.code();
}

class CountingYield : public YieldHook {
  public:
    void yield() override { ++count; }
    int count = 0;
};

struct Unreadable {
    std::string path;
    int error;
};

// Records each folder in folder path form, as the expected walks give them.
class RecordingSink : public FolderSink {
  public:
    explicit RecordingSink(const CountingYield* yields = nullptr) : yields_(yields) {}

    void append(const ListedFolder& folder) override {
        paths.push_back(std::string(folder.entry) + kSeparator);
        if (yields_) yieldsAtAppend.push_back(yields_->count);
    }
    void unreadable(std::string_view folderPath, Status why) override {
        failures.push_back({std::string(folderPath), why.code()});
    }

    std::vector<std::string> paths;
    std::vector<int> yieldsAtAppend;
    std::vector<Unreadable> failures;

  private:
    const CountingYield* yields_;
};

// Every walk test runs on one thread, on threads that share the walk, and on threads that
// keep running past the bytes they may hold ahead of the list: the list must be the same.
struct Threads {
    const char* name;
    unsigned threads;
    size_t aheadLimit;
};

class FolderWalk : public testing::TestWithParam<Threads> {};

inline WalkOptions Options(YieldHook* yield = nullptr, bool stayOnVolume = false) {
    const Threads& threads = FolderWalk::GetParam();
    WalkOptions options;
    options.yield = yield;
    options.stayOnVolume = stayOnVolume;
    options.threads = threads.threads;
    options.aheadLimit = threads.aheadLimit;
    return options;
}

inline std::vector<std::string> Walk(const std::string& root, DepthChoice depth = {}) {
    RecordingSink sink;
    WalkOptions options = Options();
    options.depth = depth;
    WalkAll(root, options, sink);
    return sink.paths;
}

inline std::vector<std::string> WalkEvery(const std::string& root) {
    return Walk(root);
}
inline std::vector<std::string> WalkDepth(const std::string& root, std::int16_t depth) {
    return Walk(root, {true, depth});
}

inline std::vector<std::string> operator+(std::vector<std::string> a,
                                          const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

inline bool Contains(const std::vector<std::string>& paths, const std::string& path) {
    return std::find(paths.begin(), paths.end(), path) != paths.end();
}

// The example tree of the walk's documentation: T holds A and B, A holds A1 and A2, A1 holds
// A1a, B holds B1. Returns T in folder path form.
inline std::string BuildExampleTree(const test::TempFolder& temp) {
    const std::string t = temp / "T";
    test::MakeFolders(t + Native("/A/A1/A1a"));
    test::MakeFolder(t + Native("/A/A2"));
    test::MakeFolders(t + Native("/B/B1"));
    return t + kSeparator;
}

}  // namespace quorvane::walk_test
