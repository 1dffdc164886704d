#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "base/status.h"
#include "output/pending_files.h"

namespace quorvane {

// A file written in full or not at all: the bytes go to a new file beside the target, which
// replaces the target only when every byte is written and flushed. A failure at any point
// leaves the target as it was and removes the partial file, and so does a signal that ends
// the program meanwhile (see PendingFile). On Linux the new file has no name until it is
// complete (O_TMPFILE), so not even SIGKILL leaves a partial file; where the file system
// cannot make such a file, it is written under a name of its own ("list.txt.part-NNNNNN").
//
// A target that is a symbolic link keeps its link: the file it leads to is replaced. A target
// that is no regular file (a device, a pipe, a terminal) cannot be replaced and is written in
// place (see ResolveOutputTarget). Such a target takes the bytes only in order: for one
// written with overwrites they are built aside, in the temporary folder, and copied into it by
// commit(). The file built aside never has a name that outlives the program, whatever ends it,
// SIGKILL too: on Linux it has none (O_TMPFILE), elsewhere on POSIX it loses it as it is made,
// and on Windows the system deletes it once its handle is closed.
//
// After the first failure every call does nothing and gives that failure again.
class AtomicFile {
  public:
    // How the bytes come: in order, or with overwrite() of bytes written before.
    enum class Writes { InOrder, WithOverwrites };

    explicit AtomicFile(std::string target, Writes writes = Writes::InOrder);
    ~AtomicFile();  // discards the new file unless commit() succeeded
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Fails when the file beside the target cannot be created (or a target written in place
    // cannot be opened).
    Status open();
    Status write(std::string_view bytes);
    // Writes `bytes` over bytes already written, from `offset` on, for formats whose header
    // is known only at the end; the next write() goes on at the end.
    Status overwrite(std::uint64_t offset, std::string_view bytes);
    // The bytes written so far.
    std::uint64_t size() const { return size_; }
    // Flushes, syncs and renames into place.
    Status commit();

  private:
    void discard();
    // Keeps the system's error `code` as the first failure, unless there was one, and lets go
    // of the new file.
    Status fail(int code);
    // What a call gets when the file is not open: the failure that closed it.
    Status notOpen() const;
    // A name beside `file` for the new file, different at each call.
    static std::string temporaryNameFor(const std::string& file);

    std::string target_;
    std::string destination_;  // the file that the new one replaces
    std::string temporary_;    // empty when written in place or, until commit(), without a name
    Writes writes_;
    bool inPlace_ = false;
    bool builtAside_ = false;  // for a target written in place, with overwrites
    // The rest is the platform's own (atomic_file_posix.cpp, atomic_file_windows.cpp).
    // POSIX: writes through `descriptor`, which the file now owns.
    Status useDescriptor(int descriptor);
    // POSIX: gives the file written without a name (O_TMPFILE) a new name beside the target.
    Status nameUnnamedFile();
    // Opens the file that the bytes for a target written in place are built in, and at
    // commit() copies them into the target.
    Status openAside();
    Status copyAside();

    // POSIX: the new file's stream.
    std::FILE* file_ = nullptr;
    // Windows: the new file's HANDLE, and the bytes gathered for its next WriteFile. The file
    // is reached through its wide name, so no character of the target is lost, and every error
    // is the system's own code.
    void* handle_ = nullptr;
    std::string gathered_;
    // While the file is written: the partial file, or on POSIX for a file without a name a
    // watch (PendingFile of no path) until it is given one.
    PendingFile pending_;
    std::uint64_t size_ = 0;
    Status failure_;
};

// Writes `bytes` to `target` atomically.
Status WriteFileAtomically(const std::string& target, std::string_view bytes);

}  // namespace quorvane
