#include "output/output_target.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

namespace quorvane {

namespace {

// The file that the links starting at `name` lead to, by their own texts, so that a link to a
// file that does not exist yet leads to where it will be made.
Status FollowLinks(const std::string& name, std::string& file) {
    constexpr int kMostLinks = 40;  // as the system follows them
    std::string path = name;
    for (int links = 0;; ++links) {
        struct stat st;
        if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) break;
        if (links == kMostLinks) return Status::system(ELOOP);
        std::string text(static_cast<size_t>(st.st_size > 0 ? st.st_size : PATH_MAX) + 1, '\0');
        const ssize_t length = readlink(path.c_str(), text.data(), text.size());
        if (length < 0 || static_cast<size_t>(length) >= text.size()) break;
        text.resize(static_cast<size_t>(length));
        if (text.starts_with('/')) {
            path = text;
        } else {
            path.erase(path.find_last_of('/') + 1);
            path.append(text);
        }
    }
    file = std::move(path);
    return {};
}

}  // namespace

Status ResolveOutputTarget(const std::string& name, OutputTarget& target) {
    struct stat named;
    const bool exists = stat(name.c_str(), &named) == 0;
    target = {name, exists && !S_ISREG(named.st_mode)};
    if (target.inPlace) return {};
    std::string followed;
    if (const Status status = FollowLinks(name, followed); !status.ok()) return status;
    // A link whose text no longer leads to the file it opens (/dev/stdout on a file that was
    // renamed or deleted): only writing through it reaches that file.
    struct stat reached;
    if (exists && (stat(followed.c_str(), &reached) != 0 || reached.st_dev != named.st_dev ||
                   reached.st_ino != named.st_ino)) {
        target.inPlace = true;
        return {};
    }
    target.file = std::move(followed);
    return {};
}

const FileNameRules& PlatformFileNameRules() {
    // Names are counted in bytes.
    static constexpr FileNameRules kRules{"/", NAME_MAX, false};
    return kRules;
}

}  // namespace quorvane
