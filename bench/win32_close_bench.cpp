// win32_close_bench.exe: how soon quorvane.exe is gone once its window is closed in the middle
// of a run. Starts the program beside it on FOLDER, chooses every level, starts the list,
// closes the window after each delay given (seconds), in a new program each time, and prints
// how many rows the list held and how long after the close the process was gone.
//
//   win32_close_bench.exe FOLDER DELAY...     (bench/win32_close_bench.sh runs it under Wine)

#include <windows.h>

#include <commctrl.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "program_window.h"
#include "support/wide_text.h"

int main(int argc, char** argv) {
    using namespace quorvane;
    if (argc < 3) {
        std::fprintf(stderr, "usage: win32_close_bench FOLDER DELAY...\n");
        return 2;
    }
    const std::wstring folder = test::Wide(argv[1]);
    for (int i = 2; i < argc; ++i) {
        const double delay = std::atof(argv[i]);
        test::ProgramWindow program(folder);
        SendMessageW(program.control(Control::AllSubfoldersOption), BM_CLICK, 0, 0);
        program.settle();
        program.click(Control::StartButton);
        Sleep(static_cast<DWORD>(delay * 1000));
        const int rows = ListView_GetItemCount(program.control(Control::ResultsView));
        const auto closed = std::chrono::steady_clock::now();
        const int status = program.close();
        const std::chrono::duration<double> gone = std::chrono::steady_clock::now() - closed;
        std::printf(
            "closed %4.1f s after the start of the run, %d rows: gone %.3f s later (exit "
            "status %d)\n",
            delay, rows, gone.count(), status);
        std::fflush(stdout);
    }
    return 0;
}
