#include "engine/drive_list.h"

#include <windows.h>

#include "text/native_text.h"

namespace quorvane {

std::vector<Drive> ListDrives() {
    std::vector<Drive> drives;
    const DWORD mask = GetLogicalDrives();
    for (int letter = 0; letter < 26; ++letter) {
        if (!(mask & (1u << letter))) continue;
        const char drive = static_cast<char>('a' + letter);
        std::string display{drive, ':'};
        const std::wstring root{static_cast<wchar_t>(L'A' + letter), L':', L'\\'};
        // A drive that is not ready (an empty card reader) has no label to read, and asking
        // must not raise the system's "insert a disk" box.
        const UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS);
        wchar_t label[MAX_PATH + 1] = {};
        if (GetVolumeInformationW(root.c_str(), label, MAX_PATH + 1, nullptr, nullptr, nullptr,
                                  nullptr, 0) &&
            label[0] != 0) {
            display += " [" + FromNativePath(label) + "]";
        }
        SetErrorMode(previous);
        drives.push_back({display, std::string{drive, ':', '\\'}});
    }
    return drives;
}

bool IsOnDrive(std::string_view folder, std::string_view root) {
    const auto folded = [](std::string_view text) {
        std::string lower(text);
        for (char& c : lower) {
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        }
        return lower;
    };
    return folded(folder).starts_with(folded(root));
}

}  // namespace quorvane
