#include "engine/mount_info.h"

#include <fstream>
#include <sstream>

namespace quorvane {

namespace {

int digitValue(char c, int base) {
    const int value = (c >= '0' && c <= '9')   ? c - '0'
                      : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                      : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                                               : 99;
    return value < base ? value : -1;
}

}  // namespace

std::string UndoEscapes(std::string_view text, std::string_view prefix, size_t width, int base) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const size_t digits = i + 1 + prefix.size();
        if (text[i] == '\\' && text.substr(i + 1, prefix.size()) == prefix &&
            digits + width <= text.size()) {
            int value = 0;
            bool valid = true;
            for (size_t k = 0; k < width; ++k) {
                const int digit = digitValue(text[digits + k], base);
                valid = valid && digit >= 0;
                value = value * base + digit;
            }
            if (valid) {
                out.push_back(static_cast<char>(value));
                i = digits + width - 1;
                continue;
            }
        }
        out.push_back(text[i]);
    }
    return out;
}

std::vector<MountInfoEntry> ParseMountInfo(std::string_view text) {
    std::vector<MountInfoEntry> entries;
    std::istringstream lines{std::string(text)};
    std::string line;
    while (std::getline(lines, line)) {
        // id parent major:minor root mountpoint options [optional fields...] - type source ...
        std::istringstream fields(line);
        std::string id, parent, device, root, mountPoint, options, field;
        if (!(fields >> id >> parent >> device >> root >> mountPoint >> options)) continue;
        while (fields >> field && field != "-") {
        }
        std::string type, source;
        if (!(fields >> type >> source)) continue;
        entries.push_back({UndoEscapes(mountPoint, "", 3, 8), type, UndoEscapes(source, "", 3, 8)});
    }
    return entries;
}

std::string ReadMountInfo() {
#ifdef __linux__
    std::ifstream file("/proc/self/mountinfo");
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
#else
    return {};
#endif
}

}  // namespace quorvane
