#include "engine/mount_info.h"

#include <algorithm>

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

// The blank-separated fields of one line, taken in turn.
class Fields {
  public:
    explicit Fields(std::string_view line) : rest_(line) {}
    // The next field; empty once there is none.
    std::string_view next() {
        const size_t begin = rest_.find_first_not_of(' ');
        if (begin == std::string_view::npos) return {};
        rest_.remove_prefix(begin);
        const size_t end = std::min(rest_.find(' '), rest_.size());
        const std::string_view field = rest_.substr(0, end);
        rest_.remove_prefix(end);
        return field;
    }

  private:
    std::string_view rest_;
};

// Without streams: the walk reads this with little stack (ulimit -s 16).
std::vector<MountInfoEntry> ParseMountInfo(std::string_view text) {
    std::vector<MountInfoEntry> entries;
    while (!text.empty()) {
        const size_t end = std::min(text.find('\n'), text.size());
        Fields fields(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
        // id parent major:minor root mountpoint options [optional fields...] - type source ...
        for (int skipped = 0; skipped < 4; ++skipped)
            fields.next();
        const std::string_view mountPoint = fields.next();
        fields.next();  // its options
        std::string_view field = fields.next();
        while (!field.empty() && field != "-")
            field = fields.next();
        const std::string_view type = fields.next();
        const std::string_view source = fields.next();
        if (mountPoint.empty() || source.empty()) continue;
        entries.push_back(
            {UndoEscapes(mountPoint, "", 3, 8), std::string(type), UndoEscapes(source, "", 3, 8)});
    }
    return entries;
}

}  // namespace quorvane
