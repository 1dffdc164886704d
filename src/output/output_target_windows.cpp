#include "output/output_target.h"

#include <algorithm>
#include <cctype>

namespace quorvane {

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

const FileNameRules& PlatformFileNameRules() {
    // Names are counted in UTF-16 units.
    static constexpr FileNameRules kRules{"\\/", 255, true};
    return kRules;
}

}  // namespace quorvane
