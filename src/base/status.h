#pragma once

#include <cstdint>

namespace quorvane {

// What an operation of the engine, the output files or the results came to: success, an error
// of the operating system, or one of the few failures of the program's own. The engine and the
// layers above it return these rather than throw or leave a code in errno, which the next call,
// or a yield to the window, would overwrite; the window turns a failure into its error report,
// quorvane-list into its message.
class [[nodiscard]] Status {
  public:
    enum class Failure : std::uint8_t {
        None,
        System,       // code() is the system's error: errno on POSIX, a Windows error code
        Library,      // code() is an errno of the C library, which Windows numbers apart
                      // from its system errors
        TooLarge,     // more than a format can hold
        OutOfMemory,  // a library could not allocate what it needed
        ListChanged,  // the results list lost entries while it was being read
        OutOfRange,   // an index or column that the results list does not have
        Inconsistent  // the program's own bookkeeping went wrong
    };

    Status() = default;
    // The system's error `code`, which is never 0.
    static Status system(int code) { return Status(Failure::System, code); }
    // The C library's error `code` (errno), which is never 0.
    static Status library(int code) { return Status(Failure::Library, code); }
    static Status of(Failure failure) { return Status(failure, 0); }

    bool ok() const { return failure_ == Failure::None; }
    Failure failure() const { return failure_; }
    int code() const { return code_; }

  private:
    Status(Failure failure, int code) : failure_(failure), code_(code) {}

    Failure failure_ = Failure::None;
    int code_ = 0;
};

}  // namespace quorvane
