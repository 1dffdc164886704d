#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace quorvane {

// A file written in full or not at all: the bytes go to a new file beside the target, which
// replaces the target only when every byte is written and flushed. A failure at any point
// leaves the target as it was and removes the partial file.
class AtomicFile {
public:
    explicit AtomicFile(std::string target);
    ~AtomicFile();  // discards the new file unless commit() succeeded
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // False, with error() set, when the file beside the target cannot be created.
    bool open();
    bool write(std::string_view bytes);
    // Flushes, syncs and renames into place. False, with error() set, on any failure.
    bool commit();

    // The system's error code of the first failure, 0 while there was none.
    int error() const { return error_; }

private:
    void discard();
    bool fail(int code);

    std::string target_;
    std::string temporary_;
    std::FILE* file_ = nullptr;
    int error_ = 0;
};

// Writes `bytes` to `target` atomically; returns 0 or the system error code.
int WriteFileAtomically(const std::string& target, std::string_view bytes);

}  // namespace quorvane
