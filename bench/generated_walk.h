#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/yield_hook.h"
#include "engine/folder_sink.h"

namespace quorvane::bench {

// The folders of a made-up file server, handed on as a walk hands them on: each folder's
// subfolders as one block, after everything found below them, with a yield before each. Names
// of 5 to 40 bytes (one in eight with a letter beyond ASCII, one in thirty holding "Cache"),
// folders 1 to 13 levels below the root, fan-out varying from folder to folder: wide near the
// top, thinning out further down. The same count gives the same folders, `count` of them.
class GeneratedWalk {
  public:
    explicit GeneratedWalk(size_t count) : remaining_(count) {}

    // Hands every folder below `root` (no separator at its end) to `sink`.
    void run(std::string_view root, char separator, FolderSink& sink, YieldHook* yield) {
        separator_ = separator;
        sink_ = &sink;
        yield_ = yield;
        path_.assign(root);
        descend(0);
    }

    // What was handed on: the folders at each level and the bytes of their names.
    const std::vector<size_t>& foldersAtLevel() const { return foldersAtLevel_; }
    size_t nameBytes() const { return nameBytes_; }

  private:
    static constexpr int kDeepestLevel = 13;

    std::uint64_t random() {
        // splitmix64: fast, and the same numbers on every machine.
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    size_t below(size_t bound) { return static_cast<size_t>(random() % bound); }

    // How many subfolders a folder at `level` has (the root is level 0).
    size_t fanOut(int level) {
        if (level == 0) return SIZE_MAX;  // as many as the count leaves room for
        if (level >= kDeepestLevel) return 0;
        if (level <= 2) return 4 + below(30);
        if (level <= 5) return below(4) == 0 ? 0 : 1 + below(6);
        return below(5) < 3 ? 0 : 1 + below(3);
    }

    void appendName(std::string& name) {
        static constexpr std::string_view kLetters =
            "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 -_.";
        static constexpr std::string_view kBeyondAscii[] = {"ä", "é", "ø", "ß", "Ü", "ł", "ñ", "ç"};
        const size_t length = 5 + below(36);
        const size_t start = name.size();
        if (below(30) == 0) name += "Cache";
        if (below(8) == 0) name += kBeyondAscii[below(8)];
        while (name.size() - start < length)
            name += kLetters[below(kLetters.size())];
        // A name neither begins nor ends with a blank or a dot, which some systems refuse.
        if (name[start] == ' ' || name[start] == '.') name[start] = 'x';
        if (name.back() == ' ' || name.back() == '.') name.back() = 'y';
    }

    // Lists everything below the folder at path_, which is at `level`.
    void descend(int level) {
        const size_t wanted = fanOut(level);
        std::string names;  // the subfolders' names, one after another
        std::vector<size_t> ends;
        const size_t pathLength = path_.size();
        for (size_t i = 0; i < wanted && remaining_ > 0; ++i) {
            --remaining_;
            const size_t start = names.size();
            appendName(names);
            ends.push_back(names.size());
            // Everything below the subfolder comes before the block it belongs to.
            path_ += separator_;
            path_.append(names, start, names.size() - start);
            descend(level + 1);
            path_.resize(pathLength);
        }
        if (foldersAtLevel_.size() <= static_cast<size_t>(level + 1))
            foldersAtLevel_.resize(level + 2);
        size_t start = 0;
        for (const size_t end : ends) {
            path_ += separator_;
            path_.append(names, start, end - start);
            yieldTo(yield_);
            sink_->append({path_, level + 1, nullptr});
            path_.resize(pathLength);
            ++foldersAtLevel_[level + 1];
            nameBytes_ += end - start;
            start = end;
        }
    }

    size_t remaining_;
    std::uint64_t state_ = 0x5EED;
    char separator_ = '/';
    FolderSink* sink_ = nullptr;
    YieldHook* yield_ = nullptr;
    std::string path_;
    std::vector<size_t> foldersAtLevel_;
    size_t nameBytes_ = 0;
};

}  // namespace quorvane::bench
