#pragma once

#include <cstddef>
#include <string>
#include <utility>

namespace quorvane {

// A folder that the walk or a reader holds, through which its subfolders are reached. On POSIX
// an open descriptor, closed with the object: a subfolder is opened relative to it, so neither
// depth nor a rename elsewhere in the tree changes what it leads to. On Windows, whose listing
// calls take paths, the folder's path (folder path form). Each platform's folder_access makes
// and reads its own kind, and implements what is not inline here.
class HeldFolder {
  public:
    HeldFolder() = default;
    // POSIX: the open `descriptor`, or none when it is negative.
    explicit HeldFolder(int descriptor) : descriptor_(descriptor), held_(descriptor >= 0) {}
    // Windows: the folder at `path`.
    explicit HeldFolder(std::string path) : path_(std::move(path)), held_(true) {}
    ~HeldFolder() {
        if (held_) close();
    }
    HeldFolder(HeldFolder&& other) noexcept { swap(other); }
    HeldFolder& operator=(HeldFolder&& other) noexcept {
        HeldFolder gone(std::move(other));
        swap(gone);
        return *this;
    }
    HeldFolder(const HeldFolder&) = delete;
    HeldFolder& operator=(const HeldFolder&) = delete;

    int descriptor() const { return descriptor_; }
    const std::string& path() const { return path_; }
    bool held() const { return held_; }

    void close();

  private:
    void swap(HeldFolder& other) noexcept;

    int descriptor_ = -1;
    std::string path_;
    bool held_ = false;
};

}  // namespace quorvane
