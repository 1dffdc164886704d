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

inline std::vector<std::string> Walk(const std::string& root, WalkOptions options = {}) {
    RecordingSink sink;
    WalkFolders(root, options, sink);
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

// The options of a walk with `readers` threads ahead of it.
inline WalkOptions WithReaders(unsigned readers, ReadAheadLimits limits = {},
                               DepthChoice depth = {}) {
    WalkOptions options;
    options.readers = readers;
    options.readAheadLimits = limits;
    options.depth = depth;
    return options;
}

inline bool Contains(const std::vector<std::string>& paths, const std::string& path) {
    return std::find(paths.begin(), paths.end(), path) != paths.end();
}

}  // namespace quorvane::windows_test
