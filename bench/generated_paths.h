#pragma once

#include <cstddef>
#include <string>

namespace quorvane::bench {

// Paths of the shape a real disk gives, 40 to 110 bytes, every other one under a "Cache"
// folder and one in eight with letters beyond ASCII. Hands each to `take`, so the caller
// keeps them wherever the code it times keeps them.
template <typename Take>
void GeneratePaths(size_t count, Take&& take) {
    std::string path;
    for (size_t i = 0; i < count; ++i) {
        path = "/home/someone/Projects/project-" + std::to_string(i % 997);
        path += i % 2 ? "/Cache/objects/" : "/src/components/";
        if (i % 8 == 0) path += "Übersicht-Ärger/";
        path += "folder-" + std::to_string(i);
        if (i % 3 == 0) path += "/nested/deeper";
        take(path);
    }
}

}  // namespace quorvane::bench
