#include "app/qt_desktop.h"

#include <QProcess>

namespace quorvane {

namespace {

constexpr char kWorkbookMimeType[] =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet";

}  // namespace

bool QtDesktop::hasSpreadsheetApplication() {
#ifdef __APPLE__
    // Launch Services offers no query through Qt; macOS ships a viewer for workbooks.
    return true;
#else
    QProcess query;
    query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"),
                                             QString::fromLatin1(kWorkbookMimeType)});
    if (!query.waitForFinished(5000) || query.exitStatus() != QProcess::NormalExit) return false;
    return !query.readAllStandardOutput().trimmed().isEmpty();
#endif
}

}  // namespace quorvane
