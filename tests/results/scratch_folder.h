#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "results/folder_list.h"

namespace quorvane::testing {

// A new empty folder for one test, removed with everything in it at the end.
class ScratchFolder {
  public:
    ScratchFolder() {
        std::mt19937 random{std::random_device{}()};
        const auto base = std::filesystem::temp_directory_path();
        do {
            path_ = base / ("quorvane-test-" + std::to_string(random() % 100000000));
        } while (!std::filesystem::create_directory(path_));
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string file(std::string_view name) const { return (path_ / name).string(); }

    // The names in the folder, sorted.
    std::vector<std::string> names() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(path_)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

  private:
    std::filesystem::path path_;
};

inline std::string ReadBytes(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::string& file, std::string_view bytes) {
    std::ofstream(file, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
}

// The window's list of the entries given.
inline FolderList MakeList(const std::vector<std::string>& entries) {
    FolderList list;
    for (const std::string& entry : entries)
        list.append(entry);
    return list;
}

inline std::vector<std::string> Entries(const EntrySource& list) {
    std::vector<std::string> entries;
    const std::unique_ptr<EntryReader> reader = list.reader();
    size_t shared = 0;
    for (size_t i = 0; i < list.size(); ++i)
        entries.emplace_back(reader->read(i, shared));
    return entries;
}

}  // namespace quorvane::testing
