// quorvane-window-run-bench: runs "Start Creating List" in the real window, offscreen, on the
// folder given, and reports what a user would feel: the run's wall time, the longest wait
// between two passes of the event loop, how long scrolling to the end of the filled list and
// back takes, and what the filled list costs in memory against the bytes of its paths.
//
//   quorvane-window-run-bench FOLDER

#include <QApplication>
#include <cstdio>

#include "app/results_view.h"
#include "bench_window.h"

int main(int argc, char** argv) {
    using namespace quorvane;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: quorvane-window-run-bench FOLDER\n");
        return 2;
    }
    bench::BenchWindow window;
    window.store("Folder", argv[1]);
    Form1Widget& shown = window.load();
    Form1& form = shown.form();

    bench::EventLoopGaps gaps;
    QElapsedTimer clock;
    gaps.start();
    clock.start();
    form.startList();
    const double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    gaps.stop();
    if (window.dialogs.messages != std::vector<std::string>{"Done."}) {
        std::fprintf(stderr, "the run did not end with \"Done.\" alone\n");
        return 1;
    }

    QElapsedTimer scrolling;
    scrolling.start();
    shown.resultsView()->scrollToBottom();
    QApplication::processEvents();
    shown.resultsView()->scrollToTop();
    QApplication::processEvents();
    const double scrollMs = static_cast<double>(scrolling.nsecsElapsed()) / 1e6;

    const FolderList& entries = form.results().entries();
    size_t pathBytes = 0;
    for (size_t i = 0; i < entries.size(); ++i)
        pathBytes += entries.path(i).size();
    const size_t memory = entries.memoryUsage();
    const size_t names = entries.nameBytes();
    const double perEntry =
        entries.empty() ? 0 : static_cast<double>(memory - names) / entries.size();

    std::printf("entries            %zu\n", entries.size());
    std::printf("run                %.3f s\n", seconds);
    std::printf("longest wait       %.1f ms, %.1f ms of it work (%ld passes of the event loop)\n",
                gaps.longestSeconds() * 1e3, gaps.longestWorkSeconds() * 1e3, gaps.passes());
    std::printf("scroll end, back   %.1f ms\n", scrollMs);
    std::printf(
        "list memory        %.1f MiB for %.1f MiB of paths, %.1f MiB of names: %.1f bytes "
        "an entry beyond the names\n",
        memory / 1048576.0, pathBytes / 1048576.0, names / 1048576.0, perEntry);
    std::printf("peak memory        %.1f MiB\n", bench::peakMegabytes());
    return 0;
}
