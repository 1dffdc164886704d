// The exports of the results list: text file, clipboard and spreadsheet.

#include <QFile>
#include <QStringDecoder>
#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>

#include "app/error_report.h"
#include "app/error_trap.h"
#include "app/form1.h"
#include "app/results_list_model.h"
#include "app/window_yield_hook.h"
#include "engine/run_time_error.h"
#include "results/clipboard_text.h"
#include "results/results_workbook.h"
#include "results/text_file_export.h"

namespace quorvane {

namespace {

constexpr char kSaveTitle[] = "Save";
constexpr char kTextFileFilter[] = "Text Files (*.txt);;All Files (*.*)";
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

// Errors that the core returns as values become failures for the command's trap.
void ThrowIfFailed(const std::optional<RunTimeError>& failure) {
    if (failure) throw *failure;
}

// `bytes` as UTF-16, bytes that are not UTF-8 shown as replacement characters. A million
// entries are a hundred megabytes, which takes longer than the window may wait, so the text
// is decoded a piece at a time with a yield before each piece.
QString DecodeWhileYielding(std::string_view bytes, YieldHook& hook) {
    constexpr size_t kPiece = size_t{1} << 22;
    QStringDecoder decoder(QStringDecoder::Utf8);
    QString text;
    // Never more UTF-16 units than bytes, and the new units are left uninitialised.
    text.resize(static_cast<qsizetype>(bytes.size()));
    QChar* end = text.data();
    for (size_t at = 0; at < bytes.size(); at += kPiece) {
        hook.yield();
        const size_t length = std::min(kPiece, bytes.size() - at);
        end = decoder.appendToBuffer(
            end, QByteArrayView(bytes.data() + at, static_cast<qsizetype>(length)));
    }
    text.truncate(end - text.constData());
    return text;
}

}  // namespace

void Form1::PushButton2_Click() {
    ErrorTrap trap(services_.dialogs, procedure::kSaveTextFile);
    QString path;
    trap.step(112, [&] {
        path = services_.dialogs.saveFile(QString::fromLatin1(kSaveTitle),
                                          QString::fromLatin1(kTextFileFilter));
    });
    if (trap.test(116, [&] { return path.isEmpty(); })) return;
    trap.step(118, [&] { setMousePointer(kHourglassPointer); });
    bool saved = false;
    trap.step(120, [&] {
        WindowYieldHook hook;
        ThrowIfFailed(
            SaveResultsToTextFile(results_->paths(), QFile::encodeName(path).toStdString(), &hook));
        saved = true;
    });
    // After a failed write the report stands alone: "Done." would read as success.
    if (saved) {
        trap.step(122, [&] {
            services_.dialogs.message(QString::fromLatin1(kDone), applicationTitle_,
                                      MessageStyle::OkOnly);
        });
    }
    trap.step(124, [&] { setMousePointer(kDefaultPointer); });
}

void Form1::PushButton7_Click() {
    ErrorTrap trap(services_.dialogs, procedure::kCopyToClipboard);
    trap.step(104, [&] { setMousePointer(kHourglassPointer); });
    bool copied = false;
    trap.step(106, [&] {
        CopyResultsToClipboard();
        copied = true;
    });
    trap.step(106, [&] { setMousePointer(kDefaultPointer); });
    // A list that could not be read left the clipboard as it was; saying otherwise would
    // mislead.
    if (copied) {
        trap.step(108, [&] {
            services_.dialogs.message(QString::fromLatin1(kCopied), applicationTitle_,
                                      MessageStyle::OkOnly);
        });
    }
}

void Form1::CopyResultsToClipboard() {
    WindowYieldHook hook;
    QString text;
    {
        const std::string bytes = ResultsClipboardText(results_->paths(), &hook);
        // An empty list leaves the clipboard alone.
        if (bytes.empty()) return;
        text = DecodeWhileYielding(bytes, hook);
    }
    services_.desktop.setClipboardText(text);
}

bool Form1::SaveResultsAsExcelFileIsExcelInstalled() {
    // Never reports: any failure of the check means no spreadsheet application.
    bool installed = false;
    try {
        installed = services_.desktop.hasSpreadsheetApplication();
    } catch (...) {
    }
    if (!installed) {
        try {
            services_.dialogs.message(QString::fromLatin1(kNoSpreadsheetForSoftware),
                                      applicationTitle_, MessageStyle::OkOnly);
        } catch (...) {
        }
    }
    return installed;
}

void Form1::PushButton4_Click() {
    ErrorTrap trap(services_.dialogs, procedure::kSaveExcelFile);
    bool installed = true;
    trap.step(100, [&] { installed = SaveResultsAsExcelFileIsExcelInstalled(); });
    if (!installed) {
        trap.step(178, [&] {
            services_.dialogs.message(QString::fromLatin1(kNoSpreadsheetForFeature),
                                      applicationTitle_, MessageStyle::OkOnly);
        });
        return;
    }
    if (trap.test(108, [&] { return results_->count() == 0; })) return;
    trap.step(110, [&] { setMousePointer(kHourglassPointer); });

    // The workbook goes to a new file in the temporary folder, which the spreadsheet
    // application then shows; saving it elsewhere is the user's affair, as with a new workbook.
    std::string workbook;
    PendingFile pending;  // until the spreadsheet program has it
    trap.step(112, [&] {
        workbook = ReserveTemporaryWorkbookPath();
        pending = PendingFile(workbook);
    });
    bool written = false;
    if (!workbook.empty()) {
        // One report for a workbook that cannot be written, however many entries it held.
        trap.step(114, [&] {
            WindowYieldHook hook;
            ThrowIfFailed(WriteResultsWorkbook(results_->paths(), workbook, &hook));
            written = true;
        });
        if (!written) std::remove(workbook.c_str());
    }
    if (written) {
        trap.step(174, [&] {
            const QString file = QFile::decodeName(workbook.c_str());
            if (!services_.desktop.openFile(file)) {
                unopenedWorkbooks_.push_back(std::move(pending));
                throw RunTimeError("No application could open the workbook " + workbook, 0);
            }
        });
    }
    trap.step(176, [&] { setMousePointer(kDefaultPointer); });
}

}  // namespace quorvane
