#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "form/form1_layout.h"

namespace quorvane::test {

// quorvane.exe started beside the test and driven from outside, as a user or an assistive
// tool would: messages to its controls, its boxes found and answered, its list read through
// memory of its own process.
class ProgramWindow {
  public:
    // Starts the program with `argument` on its command line, if one is given: the
    // quorvane.exe beside the test, or `program`, a full path.
    explicit ProgramWindow(const std::wstring& argument = {}, const std::wstring& program = {});
    ~ProgramWindow();  // ends the program if it still runs
    ProgramWindow(const ProgramWindow&) = delete;
    ProgramWindow& operator=(const ProgramWindow&) = delete;

    HWND window() const { return window_; }
    HWND control(Control control) const;
    // A control's text, as the program shows it.
    std::string text(Control control) const;
    DWORD thread() const { return process_.dwThreadId; }
    // The control that has the keyboard focus in the program.
    HWND focus() const;

    // A press of a button, sent without waiting: a command that opens a box goes on in the
    // program, and a settle() afterwards returns only once the press has been handled.
    void click(Control button);
    // Waits until the program has handled everything sent to it so far.
    void settle() const;

    // The next box the program opens over its window (a message box, the input box, a common
    // dialog); null if none comes.
    HWND nextBox() const;
    // Whether a box is open over its window now.
    bool boxShown() const;
    struct Message {
        std::string title;
        std::string text;
        bool warningIcon = false;
    };
    // Waits for a message box, reads it and answers it with OK.
    Message answerMessage();
    // Presses the button `id` of a box and waits until the box is gone.
    void press(HWND box, int id);

    // The results list's rows as it shows them.
    std::vector<std::string> rows() const;
    // The rows once the list has `count` of them: commands go on in the program while it
    // lets its window answer.
    std::vector<std::string> rowsOnceThereAre(size_t count) const;
    void selectRow(int row);
    POINT rowCentre(int row) const;

    // Closes the window as its close button does; the program's exit code, or -1 if it did
    // not end.
    int close();

  private:
    HWND boxOpen() const;

    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
};

}  // namespace quorvane::test
