#include "output/output_target.h"

#include <cstdio>
#include <string_view>

#include "text/utf8_text.h"

namespace quorvane {

std::string PartFileName(const std::string& file, unsigned number) {
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".part-%06u", number % 1000000);
    const std::string_view suffixText(suffix);

    const FileNameRules& rules = PlatformFileNameRules();
    const size_t nameStart = file.find_last_of(rules.separators) + 1;  // npos + 1 is 0
    const std::string_view name = std::string_view(file).substr(nameStart);
    const size_t room = rules.longestName - suffixText.size();
    size_t kept = 0;
    size_t units = 0;
    while (kept < name.size()) {
        char32_t codePoint = 0;
        bool valid = false;
        const size_t length = DecodeUtf8(name, kept, codePoint, valid);
        units += rules.countsUtf16Units ? (valid && codePoint > 0xFFFF ? 2 : 1) : length;
        if (units > room) break;
        kept += length;
    }
    std::string part = file.substr(0, nameStart + kept);
    part.append(suffixText);
    return part;
}

}  // namespace quorvane
