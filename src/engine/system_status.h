#pragma once

namespace quorvane {

// What a call to the operating system came to: success, or the system's error code (an errno
// value on POSIX, a Windows error code on Windows). The engine returns these rather than
// leaving the code in errno, which the next call, or a yield to the window, would overwrite.
class SystemStatus {
  public:
    SystemStatus() = default;
    static SystemStatus failure(int code) { return SystemStatus(code); }

    bool ok() const { return code_ == 0; }
    int code() const { return code_; }

  private:
    explicit SystemStatus(int code) : code_(code) {}
    int code_ = 0;
};

}  // namespace quorvane
