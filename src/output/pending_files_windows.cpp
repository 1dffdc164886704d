#include "output/pending_files.h"

#include <windows.h>

#include "engine/extended_length_path.h"

namespace quorvane {

void RemovePendingPath(const char* path) {
    DeleteFileW(ToExtendedLengthPath(path).c_str());
}

// Windows ends a program without signals that a handler could catch.
void RemovePendingFilesOnSignals() {}

}  // namespace quorvane
