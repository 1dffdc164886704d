#include "app/file_removal.h"

#include <QCoreApplication>
#include <QFile>

namespace quorvane {

void DeleteFileSafely(const QString& path) {
    QCoreApplication::processEvents();
    if (QFile::remove(path)) return;
    ForceDeleteFile(path);
}

bool ForceDeleteFile(const QString& path) {
    QFile file(path);
    // Windows refuses to delete a read-only file; elsewhere this changes nothing that matters.
    file.setPermissions(file.permissions() | QFileDevice::WriteOwner | QFileDevice::WriteUser);
    return file.remove();
}

}  // namespace quorvane
