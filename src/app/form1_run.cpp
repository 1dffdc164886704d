// "Start Creating List": the list creation run.
//
// The walk hands each folder to the results list as soon as its block is final, so a long
// run fills the list while it goes on; the window's yield hook publishes what was appended
// and lets events run at most every 15 ms. A second press during a run does nothing, and the
// pointer stays the hourglass while the run works.

#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QRadioButton>
#include <algorithm>

#include "app/error_report.h"
#include "app/error_trap.h"
#include "app/form1.h"
#include "app/results_list_model.h"
#include "app/window_yield_hook.h"
#include "engine/folder_exists.h"
#include "engine/list_run.h"
#include "engine/numeric_text.h"
#include "engine/path_rules.h"
#include "engine/read_ahead.h"

namespace quorvane {

namespace {

constexpr char kDone[] = "Done.";
constexpr char kFolderMissing[] = "Folder does not exist. Please select another folder.";

// Appends each entry to the results list and tells the views of the new rows now and then.
//
// Told of new rows, the list view lays out all its rows again in the next pass of the event
// loop, which takes longer the longer the list is. So the rows are told at intervals that
// grow with what that pass cost (ten times as long, from every pass up to every half second):
// the list visibly fills while the layouts stay a small share of the run.
class ResultsAppender : public EntrySink {
  public:
    explicit ResultsAppender(ResultsListModel& results) : results_(results) {
        sincePublished_.start();
    }

    void appendEntry(std::string_view entry) override { results_.append(entry); }

    void beforePass() {
        if (sincePublished_.elapsed() < interval_) return;
        results_.publishAppended();
        passCost_.start();
    }

    void afterPass() {
        if (!passCost_.isValid()) return;
        interval_ = std::min<qint64>(10 * passCost_.elapsed(), kLongestInterval);
        passCost_.invalidate();
        sincePublished_.start();
    }

    void finish() { results_.publishAppended(); }

  private:
    static constexpr qint64 kLongestInterval = 500;  // milliseconds

    ResultsListModel& results_;
    QElapsedTimer sincePublished_;
    QElapsedTimer passCost_;
    qint64 interval_ = 0;
};

}  // namespace

void Form1::PushButton1_Click() {
    if (creatingList_) return;  // line 100
    ErrorTrap trap(services_.dialogs, procedure::kStartCreatingList);
    trap.step(102, [&] { creatingList_ = true; });
    trap.step(104, [&] { results_->clear(); });
    trap.step(106, [&] { setMousePointer(kHourglassPointer); });

    DepthChoice depth;
    if (trap.test(108, [&] { return Option6->isChecked(); })) {
        trap.step(110, [&] { depth.limitDepth = true; });
        trap.step(112,
                  [&] { depth.depth = ToInteger16(Text2->text().toStdString(), numberFormat()); });
    } else if (trap.test(114, [&] { return Option7->isChecked(); })) {
        trap.step(116, [&] { depth.limitDepth = true; });
        trap.step(118, [&] { depth.depth = 1; });
    } else if (trap.test(120, [&] { return Option8->isChecked(); })) {
        trap.step(122, [&] { depth.limitDepth = false; });
        trap.step(124, [&] { depth.depth = 0; });
    }

    // Before each pass of the event loop the pointer is the hourglass again, whatever a
    // command run during the last pass left it at.
    ResultsAppender appender(*results_);
    WindowYieldHook yield([&] {
        appender.beforePass();
        setMousePointer(kHourglassPointer);
    });
    yield.setAfterEvents([&] { appender.afterPass(); });
    const auto walk = [&](int line, const std::string& root, bool stayOnVolume) {
        trap.step(line, [&] {
            ListFolders(root, depth, appender, WalkContext{&yield, stayOnVolume, DefaultReaders()});
        });
        appender.finish();
    };
    const auto finish = [&](int pointerLine, int doneLine) {
        trap.step(pointerLine, [&] { setMousePointer(kDefaultPointer); });
        trap.step(doneLine, [&] {
            services_.dialogs.message(QString::fromLatin1(kDone), applicationTitle_,
                                      MessageStyle::OkOnly);
        });
    };

    if (trap.test(126, [&] { return Option3->isChecked(); })) {
        for (int i = 0; i < Drive1->count(); ++i) {
            walk(138, Drive1->itemData(i, kDriveRootRole).toByteArray().toStdString(), true);
        }
        finish(152, 154);
    } else if (trap.test(156, [&] { return Option5->isChecked(); })) {
        const std::string folder = Text1->text().toStdString();
        if (trap.test(158, [&] { return FolderExists(folder) != true; })) {
            trap.step(158, [&] { setMousePointer(kDefaultPointer); });
            trap.step(186, [&] {
                services_.dialogs.message(QString::fromLatin1(kFolderMissing), applicationTitle_,
                                          MessageStyle::OkOnly);
            });
        } else {
            walk(170, ToFolderPathForm(folder), false);
            finish(182, 184);
        }
    } else if (trap.test(188, [&] { return Option4->isChecked(); })) {
        walk(198, Drive1->currentData(kDriveRootRole).toByteArray().toStdString(), true);
        finish(210, 212);
    } else {
        setMousePointer(kDefaultPointer);
    }
    creatingList_ = false;  // line 214
}

}  // namespace quorvane
