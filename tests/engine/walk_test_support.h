#pragma once

// What the walk's tests share: a sink that records what a walk gives, walks on the threads of
// the test's parameter, and the example tree. Paths are in folder path form, as the reference
// walk (support/expected_walk.h) gives them.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <utility>
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

// A tree of about `folders` folders of every shape the walk hands out from: fan-outs of 0 to
// 11, depths to 9, folders named as hidden ones on POSIX, files, links across it and one back to
// its top. The same `seed` always makes the same tree.
inline std::string BuildSpreadTree(const std::string& parent, int folders, unsigned seed) {
    std::mt19937 random(seed);
    const std::string top = parent + kSeparator + "spread" + kSeparator;
    test::MakeFolder(top);
    std::vector<std::pair<std::string, int>> open = {{top, 0}};
    int made = 0;
    for (size_t next = 0; next < open.size() && made < folders; ++next) {
        const auto [folder, depth] = open[next];
        const int fanOut = depth >= 9 ? 0 : static_cast<int>(random() % 12);
        for (int i = 0; i < fanOut && made < folders; ++i, ++made) {
            const bool hidden = random() % 20 == 0;
            const std::string path =
                folder + (hidden ? ".h" : "f") + std::to_string(i) + kSeparator;
            test::MakeFolder(path);
            if (random() % 5 == 0) test::MakeFile(path + "file", std::string(random() % 100, 'x'));
            open.push_back({path, depth + 1});
        }
    }
    const auto withoutSeparator = [](const std::string& folder) {
        return folder.substr(0, folder.size() - 1);
    };
    test::MakeLink(open[open.size() / 2].first + "link up", withoutSeparator(top));
    test::MakeLink(open[open.size() / 3].first + "link across",
                   withoutSeparator(open[open.size() / 4].first));
    return top;
}

// What a sink is handed, in order: each entry with its level and facts, and each failure.
class RowSink : public FolderSink {
  public:
    void append(const ListedFolder& folder) override {
        rows += std::string(folder.entry) + " " + std::to_string(folder.level);
        if (folder.facts) {
            rows += " " + std::to_string(folder.facts->entries) + " " +
                    std::to_string(folder.facts->folders) + " " +
                    std::to_string(folder.facts->bytes);
        }
        rows += "\n";
    }
    void unreadable(std::string_view folderPath, Status why) override {
        rows += "unreadable " + std::string(folderPath) + " " + std::to_string(why.code()) + "\n";
    }
    std::string rows;
};

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
