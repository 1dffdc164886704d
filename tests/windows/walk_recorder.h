#pragma once

// What the Windows walk tests and drive tests record of a walk.

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

class RecordingSink : public FolderSink {
  public:
    void append(std::string_view folderPath) override { paths.emplace_back(folderPath); }
    void unreadable(std::string_view folderPath, int error) override {
        failures.push_back({std::string(folderPath), error});
    }

    std::vector<std::string> paths;
    std::vector<Unreadable> failures;
};

inline std::vector<std::string> Walk(const std::string& root, bool recurse, bool limitDepth,
                                     std::int16_t depth, const WalkContext& context = {}) {
    RecordingSink sink;
    GetSubDirectoriesUnique(root, sink, recurse, limitDepth, depth, context);
    return sink.paths;
}

inline std::vector<std::string> WalkEvery(const std::string& root) {
    return Walk(root, true, false, 0);
}

inline std::vector<std::string> WalkDepth(const std::string& root, std::int16_t depth) {
    return Walk(root, true, true, depth);
}

inline bool Contains(const std::vector<std::string>& paths, const std::string& path) {
    return std::find(paths.begin(), paths.end(), path) != paths.end();
}

}  // namespace quorvane::windows_test
