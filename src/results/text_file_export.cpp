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

std::string ResultsTextFileBytes(const PathList& list, YieldHook* hook) {
    size_t total = 2;
    for (size_t i = 0; i < list.size(); ++i) {
        total += list[i].size() + 2;
    }
    std::string bytes;
    bytes.reserve(total);
    ListScan scan(list, hook);
    for (size_t i = 1; i <= scan.count(); ++i) {
        AppendTextFileEntry(bytes, scan.next(i));
        bytes.append("\r\n");
    }
    bytes.append("\r\n");
    return bytes;
}

std::optional<RunTimeError> WriteTextFile(std::string_view bytes, const std::string& file,
                                          YieldHook* hook) {
    const int error =
        CallWhileYielding(hook, [bytes, &file] { return WriteFileAtomically(file, bytes); });
    if (error != 0) return RunTimeError::fromSystemError(error);
    return std::nullopt;
}

std::optional<RunTimeError> SaveResultsToTextFile(const PathList& list, const std::string& file,
                                                  YieldHook* hook) {
    return WriteTextFile(ResultsTextFileBytes(list, hook), file, hook);
}

}  // namespace quorvane
