#pragma once

// The steps of the benchmark at the scale of a file server, whatever window takes them: "Start
// Creating List" over made-up folders (GeneratedWalk), scrolling to the end of the list and
// back, both filters, the text file and "Clear Results". Prints for each step its time, the
// longest wait between two passes of the event loop and the process's memory, then the shape
// of the folders and what the list cost beyond the bytes of its names.

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <system_error>
#include <vector>

#include "bench_services.h"
#include "form/form1.h"
#include "generated_walk.h"

namespace quorvane::bench {

// How long the window's event loop could not run during a step.
class WaitMeter {
  public:
    virtual ~WaitMeter() = default;
    virtual void start() = 0;
    // The longest wait since start(), in seconds.
    virtual double stop() = 0;
    // The most CPU time the window's thread spent within one wait, in seconds: the wait of a
    // machine that does nothing else.
    virtual double longestWork() const = 0;
};

// The process's memory in MiB: its peak so far, and what it holds now.
struct Memory {
    double peak = 0;
    double now = 0;
};

inline constexpr char kCopiedMessage[] =
    "Results have been copied to the clipboard.\r\r"
    "Click a text area where you normally type and press Ctrl+V to paste the clipboard.";

struct ScaleBench {
    Form1& form;
    InstantDialogs& dialogs;
    GeneratedWalk& generated;
    WaitMeter& waits;
    std::function<Memory()> memory;
    std::function<void()> scrollToEndAndBack;
    std::string textFile;
    // With the clipboard and the workbook too, after the text file; the clipboard's text of a
    // list of millions would hold it many times over, so only smaller lists take these steps.
    bool allExports = false;
    // The workbook that "Save Results As Excel File" handed to the spreadsheet program.
    std::function<std::string()> openedWorkbook = {};

    void step(const char* name, const std::function<void()>& action) {
        const auto start = std::chrono::steady_clock::now();
        waits.start();
        action();
        const double longest = waits.stop();
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const Memory now = memory();
        std::printf(
            "%-27s %9lld entries %7.2f s   longest wait %6.1f ms (work %5.1f ms)   "
            "peak %5.0f MiB   now %5.0f MiB\n",
            name, static_cast<long long>(form.results().count()), seconds, longest * 1e3,
            waits.longestWork() * 1e3, now.peak, now.now);
        std::fflush(stdout);
    }

    // Runs every step; false, with the reason on standard error, when one did not end as a
    // user would expect.
    bool run(size_t count) {
        const Memory shown = memory();
        std::printf("%-27s %17s %9s   %-38s   peak %5.0f MiB   now %5.0f MiB\n", "window shown", "",
                    "", "", shown.peak, shown.now);
        step("Start Creating List", [&] { form.startList(); });
        if (dialogs.messages != std::vector<std::string>{"Done."}) {
            std::fprintf(stderr, "the run did not end with \"Done.\" alone\n");
            return false;
        }
        const FolderList& entries = form.results().entries();
        const size_t listed = entries.size();
        const size_t memoryUsage = entries.memoryUsage();
        const size_t names = entries.nameBytes();
        step("scroll to the end, back", scrollToEndAndBack);
        dialogs.inputAnswer = "CACHE";
        step("Remove Containing \"CACHE\"", [&] { form.removeContaining(); });
        dialogs.inputAnswer = "\xC3\x98";  // capital O with stroke: kept are the "ø" paths
        step("Remove Not Containing \"\xC3\x98\"", [&] { form.removeNotContaining(); });
        dialogs.saveAnswer = textFile;
        step("Save Results As Text File", [&] { form.saveTextFile(); });
        std::error_code error;
        const auto fileBytes = std::filesystem::file_size(textFile, error);
        std::filesystem::remove(textFile, error);
        std::vector<std::string> messages = {"Done.", "Done."};
        if (allExports) {
            step("Copy Results To Clipboard", [&] { form.copyToClipboard(); });
            step("Save Results As Excel File", [&] { form.saveExcelFile(); });
            std::filesystem::remove(openedWorkbook(), error);
            messages.push_back(kCopiedMessage);
        }
        step("Clear Results", [&] { form.clearResults(); });
        if (listed != count || dialogs.messages != messages || form.results().count() != 0) {
            for (const std::string& message : dialogs.messages)
                std::fprintf(stderr, "%s\n", message.c_str());
            std::fprintf(stderr, "a step did not end as expected\n");
            return false;
        }

        std::printf("\nfolders at levels 1, 2, ...:");
        for (size_t level = 1; level < generated.foldersAtLevel().size(); ++level)
            std::printf(" %zu", generated.foldersAtLevel()[level]);
        const double perEntry = count ? 1.0 / static_cast<double>(count) : 0.0;
        std::printf("\nnames: %.1f bytes on average; the text file: %.0f MiB\n",
                    static_cast<double>(generated.nameBytes()) * perEntry,
                    static_cast<double>(fileBytes) / 1048576.0);
        std::printf(
            "the filled list: %.1f MiB, %.1f MiB of it names: %.1f bytes an entry "
            "beyond them\n",
            static_cast<double>(memoryUsage) / 1048576.0, static_cast<double>(names) / 1048576.0,
            static_cast<double>(memoryUsage - names) * perEntry);
        return true;
    }
};

}  // namespace quorvane::bench
