#include "results/clipboard_text.h"

#include <algorithm>

#include "results/list_scan.h"
#include "text/utf8_text.h"

namespace quorvane {

Status ResultsClipboardText(const EntrySource& list, YieldHook* hook, std::string& text) {
    text.clear();
    if (list.empty()) return {};

    size_t width = 0;
    size_t bytes = 0;
    size_t characters = 0;
    std::string_view entry;
    {
        ListScan scan(list, hook);
        for (size_t i = 1; i <= scan.count(); ++i) {
            if (const Status status = scan.next(i, entry); !status.ok()) return status;
            const size_t length = CountCharacters(entry);
            width = std::max(width, length);
            bytes += entry.size();
            characters += length;
        }
    }

    ListScan scan(list, hook);
    // The exact size when the list stayed as it was, so a million lines never reallocate.
    text.reserve((bytes - characters) + scan.count() * (width + 3));
    for (size_t i = 1; i <= scan.count(); ++i) {
        if (const Status status = scan.next(i, entry); !status.ok()) {
            text.clear();
            return status;
        }
        text.append(entry);
        const size_t length = CountCharacters(entry);
        if (width >= length) text.append(width - length, ' ');
        text.append("\t\r\n");
    }
    return {};
}

std::string ResultsClipboardText(const EntrySource& list) {
    std::string text;
    static_cast<void>(ResultsClipboardText(list, nullptr, text));
    return text;
}

}  // namespace quorvane
