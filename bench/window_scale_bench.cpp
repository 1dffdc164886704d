// quorvane-window-scale-bench: the Qt window at the scale of a file server, offscreen: COUNT
// made-up folders, handed to "Start Creating List" as a walk's folders are, then the steps a
// user takes on such a list (see scale_steps.h).
//
//   quorvane-window-scale-bench [COUNT, default 10000000] [FOLDER for the text file]
//                               [--all-exports: the clipboard and the workbook too]

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstdlib>
#include <string_view>

#include "app/results_view.h"
#include "bench_window.h"
#include "engine/path_rules.h"
#include "scale_steps.h"

namespace {

using namespace quorvane;

class QtWaits : public bench::WaitMeter {
  public:
    void start() override { gaps_.start(); }
    double stop() override {
        gaps_.stop();
        return gaps_.longestSeconds();
    }
    double longestWork() const override { return gaps_.longestWorkSeconds(); }

  private:
    bench::EventLoopGaps gaps_;
};

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const size_t count = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 10000000;
    const QString folder = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QDir::tempPath();
    const bool allExports = argc > 3 && std::string_view(argv[3]) == "--all-exports";
    QTemporaryDir target(folder + QStringLiteral("/quorvane-scale-XXXXXX"));

    bench::GeneratedWalk generated(count);
    bench::BenchWindow window(
        [&generated](std::string_view root, const WalkOptions& options, FolderSink& sink) {
            // The root in folder path form ends with a separator; entries have none there.
            generated.run(root.substr(0, root.size() - 1), kSeparator, sink, options.yield);
            return Status();
        });
    window.store("Folder", target.path().toStdString());
    window.store("Option8", "True");  // every level
    Form1Widget& shown = window.load();
    QtWaits waits;
    bench::ScaleBench steps{
        shown.form(),
        window.dialogs,
        generated,
        waits,
        [] {
            return bench::Memory{bench::peakMegabytes(), bench::residentMegabytes()};
        },
        [&shown] {
            shown.resultsView()->scrollToBottom();
            QApplication::processEvents();
            shown.resultsView()->scrollToTop();
            QApplication::processEvents();
        },
        target.filePath(QStringLiteral("results.txt")).toStdString(),
        allExports,
        [&window] { return window.desktop.openedFile; }};
    return steps.run(count) ? 0 : 1;
}
