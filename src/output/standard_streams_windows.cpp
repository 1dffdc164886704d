#include "output/standard_streams.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace quorvane {

namespace {

// Whether `handle` is one the process holds: a value left from a parent that closed it could
// later be that of a file the program opens.
bool IsOpenHandle(HANDLE handle) {
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return false;
    SetLastError(ERROR_SUCCESS);
    return GetFileType(handle) != FILE_TYPE_UNKNOWN || GetLastError() == ERROR_SUCCESS;
}

}  // namespace

bool OpenMissingStandardStreams() {
    const DWORD streams[] = {STD_INPUT_HANDLE, STD_OUTPUT_HANDLE, STD_ERROR_HANDLE};
    for (int stream = 0; stream < 3; ++stream) {
        if (IsOpenHandle(GetStdHandle(streams[stream]))) continue;
        const bool input = stream == 0;
        HANDLE nul = CreateFileW(L"NUL", input ? GENERIC_READ : GENERIC_WRITE,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
        if (nul == INVALID_HANDLE_VALUE || !SetStdHandle(streams[stream], nul)) return false;
        // The C library took its streams' handles as the program started: its descriptor of
        // the stream is pointed at the null device too.
        const int descriptor = _open("NUL", input ? _O_RDONLY : _O_WRONLY);
        if (descriptor < 0) return false;
        const bool moved = descriptor == stream || _dup2(descriptor, stream) == 0;
        if (descriptor != stream) _close(descriptor);
        if (!moved) return false;
    }
    return true;
}

}  // namespace quorvane
