// quorvane-results-bench: times one operation of the results list on a list of generated
// paths, as the window would run it, and prints one line: the operation, its seconds, the
// longest stretch without a yield, and the process's peak memory before and after it.
//
// One operation per process, so each peak is that operation's own.

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "base/yield_hook.h"
#include "generated_paths.h"
#include "results/clipboard_text.h"
#include "results/folder_list.h"
#include "results/result_filters.h"
#include "results/results_workbook.h"
#include "results/text_file_export.h"

namespace {

using namespace quorvane;
using Clock = std::chrono::steady_clock;

// What the window's hook costs when it has nothing to do: a look at the clock. Records the
// longest time between two yields, which is how long the window could not answer.
class TimingYield : public YieldHook {
  public:
    void yield() override { mark(); }
    void mark() {
        const Clock::time_point now = Clock::now();
        longest_ = std::max(longest_, now - last_);
        last_ = now;
    }
    void start() { last_ = Clock::now(); }
    double longestSeconds() const { return std::chrono::duration<double>(longest_).count(); }

  private:
    Clock::time_point last_ = Clock::now();
    Clock::duration longest_{};
};

FolderList makeList(size_t count) {
    FolderList list;
    bench::GeneratePaths(count, [&list](const std::string& path) { list.append(path); });
    return list;
}

double peakMegabytes() {
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

bool run(const std::string& operation, FolderList& list, const std::string& folder,
         TimingYield& hook) {
    size_t removed = 0;
    if (operation == "containing") {
        return RemoveResults(list, "CACHE", ResultFilter::Containing, &hook, removed).ok() &&
               removed > 0;
    }
    if (operation == "not-containing") {
        return RemoveResults(list, "cache", ResultFilter::NotContaining, &hook, removed).ok() &&
               removed > 0;
    }
    if (operation == "text-file") {
        const std::string file = folder + "/quorvane-bench.txt";
        const bool written = SaveResultsToTextFile(list, file, &hook).ok();
        std::filesystem::remove(file);
        return written;
    }
    if (operation == "clipboard") {
        std::string text;
        return ResultsClipboardText(list, &hook, text).ok() && !text.empty();
    }
    if (operation == "workbook") {
        const std::string file = folder + "/quorvane-bench.xlsx";
        const bool written = WriteResultsWorkbook(list, file, &hook).ok();
        std::filesystem::remove(file);
        return written;
    }
    std::fprintf(stderr, "unknown operation: %s\n", operation.c_str());
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr,
                     "Usage: quorvane-results-bench "
                     "containing|not-containing|text-file|clipboard|workbook [COUNT] [FOLDER]\n");
        return 2;
    }
    const std::string operation = argv[1];
    const size_t count = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 1000000;
    const std::string folder = argc > 3 ? argv[3] : std::filesystem::temp_directory_path().string();

    FolderList list = makeList(count);
    const double before = peakMegabytes();
    TimingYield hook;
    hook.start();
    const Clock::time_point start = Clock::now();
    const bool done = run(operation, list, folder, hook);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    hook.mark();  // the stretch from the last yield to the end counts too
    std::printf(
        "%-15s %9zu entries %7.2f s   longest without yield %6.3f s   peak %7.1f MB "
        "(list %6.1f MB)\n",
        operation.c_str(), count, seconds, hook.longestSeconds(), peakMegabytes(), before);
    return done ? 0 : 1;
}
