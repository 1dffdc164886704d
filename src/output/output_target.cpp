#include "output/output_target.h"

#include <cstdio>
#include <string_view>

#include "text/utf8_text.h"

#ifdef _WIN32
#include <algorithm>
#include <array>
#include <cctype>
#else
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#endif

namespace quorvane {

namespace {

#ifdef _WIN32
constexpr std::string_view kSeparators = "\\/";
// Names are counted in UTF-16 units on Windows.
constexpr size_t kLongestName = 255;
size_t NameUnits(size_t bytes, char32_t codePoint) {
    (void)bytes;
    return codePoint > 0xFFFF ? 2 : 1;
}
#else
constexpr std::string_view kSeparators = "/";
// Names are counted in bytes elsewhere.
constexpr size_t kLongestName = NAME_MAX;
size_t NameUnits(size_t bytes, char32_t /*codePoint*/) {
    return bytes;
}
#endif

}  // namespace

std::string PartFileName(const std::string& file, unsigned number) {
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".part-%06u", number % 1000000);
    const std::string_view suffixText(suffix);

    const size_t nameStart = file.find_last_of(kSeparators) + 1;  // npos + 1 is 0
    const std::string_view name = std::string_view(file).substr(nameStart);
    const size_t room = kLongestName - suffixText.size();
    size_t kept = 0;
    size_t units = 0;
    while (kept < name.size()) {
        char32_t codePoint = 0;
        bool valid = false;
        const size_t length = DecodeUtf8(name, kept, codePoint, valid);
        units += NameUnits(length, valid ? codePoint : 0);
        if (units > room) break;
        kept += length;
    }
    std::string part = file.substr(0, nameStart + kept);
    part.append(suffixText);
    return part;
}

#ifdef _WIN32

namespace {

// CON, PRN, AUX, NUL, COM1 to COM9 and LPT1 to LPT9 name devices in every folder, whatever
// extension follows; \\.\ names a device or a pipe.
bool NamesDevice(const std::string& name) {
    if (name.starts_with("\\\\.\\")) return true;
    const size_t start = name.find_last_of("\\/:") + 1;
    std::string stem = name.substr(start, name.find('.', start) - start);
    while (!stem.empty() && stem.back() == ' ')
        stem.pop_back();
    std::transform(stem.begin(), stem.end(), stem.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    for (const char* device : {"CON", "PRN", "AUX", "NUL"}) {
        if (stem == device) return true;
    }
    return stem.size() == 4 && (stem.starts_with("COM") || stem.starts_with("LPT")) &&
           stem[3] >= '1' && stem[3] <= '9';
}

}  // namespace

// Links are left to the system, which replaces a link to a file as it replaces the file.
Status ResolveOutputTarget(const std::string& name, OutputTarget& target) {
    target = {name, NamesDevice(name)};
    return {};
}

#else

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

#endif

}  // namespace quorvane
