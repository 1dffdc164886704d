// quorvane-window-scale-bench.exe: the Win32 window at the scale of a file server, shown on
// the screen (under Wine, a virtual X display: window_scale_bench_wine.sh): COUNT made-up
// folders, handed to "Start Creating List" as a walk's folders are, then the steps a user
// takes on such a list (see scale_steps.h).
//
//   quorvane-window-scale-bench.exe [COUNT, default 10000000]
//                                   [--all-exports: the clipboard and the workbook too]

#include <windows.h>

#include <commctrl.h>
#include <psapi.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "bench_services.h"
#include "engine/path_rules.h"
#include "scale_steps.h"
#include "win32/form1_window.h"
#include "win32/win32_desktop.h"

namespace {

using namespace quorvane;
using Clock = std::chrono::steady_clock;

// Notes the moments the window can answer: the start and the end of every pass of its event
// loop, and a timer due every 10 ms (the shortest a Win32 timer takes), which runs whenever
// the window is idle. The longest time between two notes is the longest wait; the CPU time the
// thread spent in it, its work (to the system's tick).
class Win32Waits : public bench::WaitMeter {
  public:
    void note() {
        if (!running_) return;
        const Clock::time_point now = Clock::now();
        longest_ = std::max(longest_, now - last_);
        last_ = now;
        const std::uint64_t work = ThreadWork();
        longestWork_ = std::max(longestWork_, work - lastWork_);
        lastWork_ = work;
    }
    void start() override {
        longest_ = {};
        longestWork_ = 0;
        last_ = Clock::now();
        lastWork_ = ThreadWork();
        running_ = true;
        SetTimer(nullptr, 0, 1, &Win32Waits::Tick);
        current_ = this;
    }
    double stop() override {
        note();
        running_ = false;
        return std::chrono::duration<double>(longest_).count();
    }
    double longestWork() const override { return static_cast<double>(longestWork_) / 1e7; }

  private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        if (current_) current_->note();
    }
    // The thread's CPU time in 100 ns units.
    static std::uint64_t ThreadWork() {
        FILETIME created, ended, kernel, user;
        if (!GetThreadTimes(GetCurrentThread(), &created, &ended, &kernel, &user)) return 0;
        const auto units = [](const FILETIME& time) {
            return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
        };
        return units(kernel) + units(user);
    }

    static inline Win32Waits* current_ = nullptr;
    bool running_ = false;
    Clock::time_point last_;
    Clock::duration longest_{};
    std::uint64_t lastWork_ = 0;
    std::uint64_t longestWork_ = 0;
};

// The real window, noting each pass of its event loop.
class MeasuredWindow : public Form1Window {
  public:
    MeasuredWindow(HINSTANCE instance, const FormServices& services, Win32Waits& waits)
        : Form1Window(instance, services), waits_(waits) {}
    void processEvents() override {
        waits_.note();
        Form1Window::processEvents();
        waits_.note();
    }
    // A sleep with nothing to do is no wait of the user's: the timer notes it as it goes.
    void waitForEvents() override {
        Form1Window::waitForEvents();
        waits_.note();
    }

  private:
    Win32Waits& waits_;
};

// The clipboard of the system; a spreadsheet program that takes every workbook and never
// starts.
class BenchDesktop : public Desktop {
  public:
    std::string openedFile;
    Win32Desktop real;

    bool openUrl(const std::string&) override { return false; }
    bool openFile(const std::string& path) override {
        openedFile = path;
        return true;
    }
    bool hasSpreadsheetApplication() override { return true; }
    std::string desktopFolder() override { return "C:\\Desktop"; }
    void setClipboardText(std::string_view text, YieldHook* hook) override {
        real.setClipboardText(text, hook);
    }
};

bench::Memory ProcessMemory() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return {static_cast<double>(counters.PeakWorkingSetSize) / 1048576.0,
            static_cast<double>(counters.WorkingSetSize) / 1048576.0};
}

void RunEvents(Form1Window& window) {
    for (int pass = 0; pass < 3; ++pass)
        window.processEvents();
}

}  // namespace

int main(int argc, char** argv) {
    INITCOMMONCONTROLSEX controls{sizeof controls,
                                  ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    const size_t count = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 10000000;
    const bool allExports = argc > 2 && std::string_view(argv[2]) == "--all-exports";
    const std::filesystem::path target =
        std::filesystem::temp_directory_path() / "quorvane-scale-bench";
    std::filesystem::create_directories(target);

    bench::GeneratedWalk generated(count);
    bench::InstantDialogs dialogs;
    BenchDesktop desktop;
    bench::NoDrives drives;
    bench::QuietRandom random;
    bench::MemorySettings settings;
    settings.write("Folder", target.string());
    settings.write("Option8", "True");  // every level
    const FormServices services{
        dialogs,
        desktop,
        drives,
        random,
        settings,
        target.string(),
        (target / "vrn.txt").string(),
        [] {},
        {},
        [&generated](std::string_view root, const WalkOptions& options, FolderSink& sink) {
            // The root in folder path form ends with a separator; entries have none there.
            generated.run(root.substr(0, root.size() - 1), kSeparator, sink, options.yield);
            return Status();
        }};
    Win32Waits waits;
    MeasuredWindow window(GetModuleHandleW(nullptr), services, waits);
    desktop.real.setOwner(window.handle());
    window.form().load();
    window.show(SW_SHOWNORMAL);
    RunEvents(window);
    HWND list = GetDlgItem(window.handle(), Form1Window::ControlId(Control::ResultsView));
    bench::ScaleBench steps{window.form(),
                            dialogs,
                            generated,
                            waits,
                            ProcessMemory,
                            [&] {
                                const auto rows = static_cast<int>(ListView_GetItemCount(list));
                                ListView_EnsureVisible(list, rows - 1, FALSE);
                                RunEvents(window);
                                ListView_EnsureVisible(list, 0, FALSE);
                                RunEvents(window);
                            },
                            (target / "results.txt").string(),
                            allExports,
                            [&desktop] { return desktop.openedFile; }};
    const bool done = steps.run(count);
    std::error_code ignored;
    std::filesystem::remove_all(target, ignored);
    return done ? 0 : 1;
}
