#include "results/text_file_export.h"

#include "output/atomic_file.h"
#include "results/list_scan.h"
#include "results/yielding_call.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "text/native_text.h"
#endif

namespace quorvane {

#ifdef _WIN32
// Entries are WTF-8 inside the program; the file gets the ANSI code page, with the platform's
// substitutes (a near letter, or '?') for characters that the code page lacks.
void AppendTextFileEntry(std::string& out, std::string_view entry) {
    const std::wstring wide = ToNativePath(entry);
    if (wide.empty()) return;
    const int wideLength = static_cast<int>(wide.size());
    const int length =
        WideCharToMultiByte(CP_ACP, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    if (length <= 0) return;
    const size_t start = out.size();
    out.resize(start + static_cast<size_t>(length));
    WideCharToMultiByte(CP_ACP, 0, wide.data(), wideLength, out.data() + start, length, nullptr,
                        nullptr);
}
#else
void AppendTextFileEntry(std::string& out, std::string_view entry) {
    out.append(entry);
}
#endif

Status ResultsTextFileBytes(const PathList& list, YieldHook* hook, std::string& bytes) {
    size_t total = 2;
    for (size_t i = 0; i < list.size(); ++i) {
        total += list[i].size() + 2;
    }
    bytes.clear();
    bytes.reserve(total);
    ListScan scan(list, hook);
    std::string_view entry;
    for (size_t i = 1; i <= scan.count(); ++i) {
        if (const Status status = scan.next(i, entry); !status.ok()) {
            bytes.clear();
            return status;
        }
        AppendTextFileEntry(bytes, entry);
        bytes.append("\r\n");
    }
    bytes.append("\r\n");
    return {};
}

std::string ResultsTextFileBytes(const PathList& list) {
    std::string bytes;
    static_cast<void>(ResultsTextFileBytes(list, nullptr, bytes));
    return bytes;
}

Status WriteTextFile(std::string_view bytes, const std::string& file, YieldHook* hook) {
    return CallWhileYielding(hook, [bytes, &file] { return WriteFileAtomically(file, bytes); });
}

Status SaveResultsToTextFile(const PathList& list, const std::string& file, YieldHook* hook) {
    std::string bytes;
    if (const Status status = ResultsTextFileBytes(list, hook, bytes); !status.ok()) {
        return status;
    }
    return WriteTextFile(bytes, file, hook);
}

}  // namespace quorvane
