#pragma once

#include <string>

namespace quorvane {

// A file that must not outlive the work on it: the partial file of a write not yet committed,
// a workbook that was never handed to the spreadsheet program. While it is registered, the
// program's abrupt ends remove it: RemovePendingFiles when the window closes in the middle of
// a command, and the signals that RemovePendingFilesOnSignals catches. Otherwise its owner
// removes or keeps it as usual; the registration only forgets it.
class PendingFile {
  public:
    PendingFile() = default;
    // An empty path registers a watch: it removes nothing, and tells removed().
    explicit PendingFile(const std::string& path);
    ~PendingFile() { forget(); }
    PendingFile(PendingFile&& other) noexcept;
    PendingFile& operator=(PendingFile&& other) noexcept;
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    // Whether RemovePendingFiles has removed the file while it was registered: the program is
    // ending, and nothing may take the file's place.
    bool removed() const;
    // Ends the registration; the file stays as it is.
    void forget();

  private:
    int slot_ = -1;
};

// Removes every registered file now. Safe in a signal handler: no allocation, no lock.
void RemovePendingFiles();

// On every signal that ends the process and can be caught (SIGINT, SIGTERM, SIGHUP, SIGPIPE,
// SIGQUIT, SIGUSR1, SIGXCPU, the faults, the real-time signals...): removes the registered
// files, then ends the process as the signal would have, so the parent sees the same status. A
// signal that the program was started with ignored stays ignored, and one with a handler of its
// own keeps it. Does nothing on Windows.
void RemovePendingFilesOnSignals();

// Removes the file `path` for RemovePendingFiles; on POSIX safe in a signal handler.
void RemovePendingPath(const char* path);

// RemovePendingFilesOnSignals and RemovePendingPath differ by platform:
// pending_files_posix.cpp, pending_files_windows.cpp.

}  // namespace quorvane
