#include "app/sample_folder.h"

#include <QDir>
#include <QFileInfo>

#include "help/help_texts.h"

namespace quorvane {

QString InstalledSampleFolder(const QString& programFolder) {
    return QDir::toNativeSeparators(
        QDir::cleanPath(programFolder + u'/' + QStringLiteral(QUORVANE_SAMPLES_FROM_PROGRAM)));
}

QString FindSampleFolder(const QString& programFolder) {
    const QString beside = QString::fromStdString(
        SampleFolderPath(QDir::toNativeSeparators(programFolder).toStdString()));
    if (QFileInfo(beside).isDir()) return beside;
    const QString installed = InstalledSampleFolder(programFolder);
    return QFileInfo(installed).isDir() ? installed : beside;
}

}  // namespace quorvane
