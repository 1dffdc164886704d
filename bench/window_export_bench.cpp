// quorvane-window-bench: runs one command of the results list through the real main window,
// shown on the offscreen platform, on a list of generated paths. Dialogs answer at once, the
// workbook is never opened. Prints one line: the command, its seconds, the longest time the
// window's event loop did not run, how many times it ran, and the peak memory before and after.
//
// One command per process, so each peak is that command's own.

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench_window.h"
#include "generated_paths.h"

namespace {

using namespace quorvane;

// Runs the command and names the message that says it worked (none for the filters and the
// workbook). False for a command that this program does not know.
bool run(const std::string& operation, Form1& form, bench::InstantDialogs& dialogs,
         const QString& folder, std::string& expectedMessage) {
    if (operation == "containing") {
        dialogs.inputAnswer = "CACHE";
        form.removeContaining();
    } else if (operation == "not-containing") {
        dialogs.inputAnswer = "cache";
        form.removeNotContaining();
    } else if (operation == "text-file") {
        dialogs.saveAnswer = (folder + QStringLiteral("/quorvane-window-bench.txt")).toStdString();
        form.saveTextFile();
        QFile::remove(QString::fromStdString(dialogs.saveAnswer));
        expectedMessage = "Done.";
    } else if (operation == "clipboard") {
        form.copyToClipboard();
        expectedMessage = "Results have been copied to the clipboard.";
    } else if (operation == "workbook") {
        form.saveExcelFile();
    } else {
        std::fprintf(stderr, "unknown operation: %s\n", operation.c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr,
                     "Usage: quorvane-window-bench "
                     "containing|not-containing|text-file|clipboard|workbook [COUNT] [FOLDER]\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const std::string operation = argv[1];
    const size_t count = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 1000000;
    const QString folder = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QDir::tempPath();

    bench::BenchWindow window;
    Form1& form = window.load().form();
    bench::InstantDialogs& dialogs = window.dialogs;
    bench::GeneratePaths(count, [&form](const std::string& path) { form.results().append(path); });
    form.results().publishAppended();
    QApplication::processEvents();
    const double before = bench::peakMegabytes();
    const std::int64_t entriesBefore = form.results().count();

    bench::EventLoopGaps gaps;
    std::string expectedMessage;
    QElapsedTimer clock;
    gaps.start();
    clock.start();
    const bool known = run(operation, form, dialogs, folder, expectedMessage);
    const double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    gaps.stop();
    if (!known) return 2;
    if (!window.desktop.openedFile.empty()) {
        QFile::remove(QString::fromStdString(window.desktop.openedFile));
    }

    std::printf(
        "%-15s %9zu entries %7.2f s   event loop: longest wait %6.3f s (work %6.3f s), %6ld "
        "passes   peak %7.1f MB (with the list %7.1f MB)\n",
        operation.c_str(), count, seconds, gaps.longestSeconds(), gaps.longestWorkSeconds(),
        gaps.passes(), bench::peakMegabytes(), before);

    // A command that failed, or did something else than expected, makes no figure.
    const bool reportedSuccess =
        expectedMessage.empty()
            ? dialogs.messages.empty()
            : dialogs.messages.size() == 1 && dialogs.messages[0].starts_with(expectedMessage);
    const bool changedAsExpected = operation.find("containing") == std::string::npos
                                       ? form.results().count() == entriesBefore
                                       : std::abs(2 * form.results().count() - entriesBefore) <= 1;
    const bool workbookOpened = operation != "workbook" || !window.desktop.openedFile.empty();
    if (!reportedSuccess || !changedAsExpected || !workbookOpened || form.mousePointer() != 0) {
        for (const std::string& message : dialogs.messages)
            std::fprintf(stderr, "%s\n", message.c_str());
        std::fprintf(stderr, "%s did not end as expected\n", operation.c_str());
        return 1;
    }
    return 0;
}
