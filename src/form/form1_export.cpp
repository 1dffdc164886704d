// The exports of the results list: text file, clipboard and spreadsheet.

#include <string>

#include "form/error_report.h"
#include "form/error_trap.h"
#include "form/form1.h"
#include "form/run_time_error.h"
#include "form/window_yield_hook.h"
#include "output/new_file.h"
#include "results/clipboard_text.h"
#include "results/results_workbook.h"
#include "results/text_file_export.h"

namespace quorvane {

namespace {

constexpr char kSaveTitle[] = "Save";
constexpr char kTextFileFilter[] = "Text Files (*.txt)|*.txt|All Files (*.*)|*.*|";
constexpr char kDone[] = "Done.";
constexpr char kCopied[] =
    "Results have been copied to the clipboard.\r\r"
    "Click a text area where you normally type and press Ctrl+V to paste the clipboard.";
constexpr char kNoSpreadsheetForSoftware[] =
    "Excel is not installed on this computer. You need to have it installed to use this "
    "software without error.";
constexpr char kNoSpreadsheetForFeature[] =
    "Excel is not installed on this computer. You need to have it installed to use this "
    "feature.";

}  // namespace

void Form1::saveTextFile() {
    ErrorTrap trap(services_.dialogs, procedure::kSaveTextFile);
    std::string path;
    trap.step(112, [&] {
        const Status shown = services_.dialogs.saveFile(kSaveTitle, kTextFileFilter, path);
        if (!shown.ok()) throw RunTimeError("The save dialog failed", shown.code());
    });
    if (trap.test(116, [&] { return path.empty(); })) return;
    trap.step(118, [&] { setMousePointer(kHourglassPointer); });
    bool saved = false;
    trap.step(120, [&] {
        WindowYieldHook hook(view_);
        ThrowIfFailed(SaveResultsToTextFile(results_.entries(), path, &hook));
        saved = true;
    });
    // After a failed write the report stands alone: "Done." would read as success.
    if (saved) trap.step(122, [&] { message(kDone); });
    trap.step(124, [&] { setMousePointer(kDefaultPointer); });
}

void Form1::copyToClipboard() {
    ErrorTrap trap(services_.dialogs, procedure::kCopyToClipboard);
    trap.step(104, [&] { setMousePointer(kHourglassPointer); });
    bool copied = false;
    trap.step(106, [&] {
        putResultsOnClipboard();
        copied = true;
    });
    trap.step(106, [&] { setMousePointer(kDefaultPointer); });
    // A list that could not be read left the clipboard as it was; saying otherwise would
    // mislead.
    if (copied) trap.step(108, [&] { message(kCopied); });
}

void Form1::putResultsOnClipboard() {
    WindowYieldHook hook(view_);
    std::string text;
    ThrowIfFailed(ResultsClipboardText(results_.entries(), &hook, text));
    // An empty list leaves the clipboard alone.
    if (text.empty()) return;
    services_.desktop.setClipboardText(text, &hook);
}

bool Form1::spreadsheetApplicationInstalled() {
    // Never reports: any failure of the check means no spreadsheet application.
    bool installed = false;
    try {
        installed = services_.desktop.hasSpreadsheetApplication();
    } catch (...) {
    }
    if (!installed) {
        try {
            message(kNoSpreadsheetForSoftware);
        } catch (...) {
        }
    }
    return installed;
}

void Form1::saveExcelFile() {
    ErrorTrap trap(services_.dialogs, procedure::kSaveExcelFile);
    bool installed = true;
    trap.step(100, [&] { installed = spreadsheetApplicationInstalled(); });
    if (!installed) {
        trap.step(178, [&] { message(kNoSpreadsheetForFeature); });
        return;
    }
    if (trap.test(108, [&] { return results_.count() == 0; })) return;
    trap.step(110, [&] { setMousePointer(kHourglassPointer); });

    // The workbook goes to a new file in the temporary folder, which the spreadsheet
    // application then shows; saving it elsewhere is the user's affair, as with a new workbook.
    std::string workbook;
    PendingFile pending;  // until the spreadsheet program has it
    trap.step(112, [&] {
        ThrowIfFailed(ReserveTemporaryWorkbookPath(workbook));
        pending = PendingFile(workbook);
    });
    bool written = false;
    if (!workbook.empty()) {
        // One report for a workbook that cannot be written, however many entries it held.
        trap.step(114, [&] {
            WindowYieldHook hook(view_);
            ThrowIfFailed(WriteResultsWorkbook(results_.entries(), workbook, &hook));
            written = true;
        });
        if (!written) static_cast<void>(RemoveFile(workbook));
    }
    if (written) {
        trap.step(174, [&] {
            if (!services_.desktop.openFile(workbook)) {
                unopenedWorkbooks_.push_back(std::move(pending));
                throw RunTimeError("No application could open the workbook " + workbook, 0);
            }
        });
    }
    trap.step(176, [&] { setMousePointer(kDefaultPointer); });
}

}  // namespace quorvane
