#include "app/scratch_file.h"

#include <QDir>

namespace quorvane {

QString ScratchFilePath() {
#ifdef _WIN32
    return QStringLiteral("C:\\vrn.txt");
#else
    return QDir(QDir::tempPath()).filePath(QStringLiteral("vrn.txt"));
#endif
}

}  // namespace quorvane
