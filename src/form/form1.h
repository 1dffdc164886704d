#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <vector>

#include "engine/drive_list.h"
#include "form/form1_layout.h"
#include "form/form_services.h"
#include "form/form_view.h"
#include "form/window_wake.h"
#include "output/pending_files.h"
#include "results/results_list.h"

namespace quorvane {

enum class ResultFilter;
class RunProgress;

// The main window's behaviour, whatever toolkit shows it: the start-up that restores the
// user's choices, the handlers of every control, the pointer feedback, the run and the
// exports. It reads and sets the controls through its FormView and reaches the platform
// through its FormServices; it holds no toolkit of its own.
//
// The sources are split by concern:
//   form1.cpp               construction, the click table
//   form1_load.cpp          load, the skin, unload
//   form1_target_depth.cpp  the options, the two text boxes and the folder browser
//   form1_pointer.cpp       the pointer mode and its feedback
//   form1_run.cpp           "Start Creating List"
//   form1_edit.cpp          removing entries, clearing and filtering the results
//   form1_export.cpp        text file, clipboard and spreadsheet exports
//   form1_help.cpp          the help messages and the sample folder
//
// Lifetime and shut-down. The program makes the view, whose form fills the drive list; it
// runs load(), then shows the window. Closing the window runs unload(), which removes the
// scratch file, the partial file of a save in progress and the workbooks never handed to the
// spreadsheet program (PendingFile), and then ends the process at once through
// FormServices::endProgram: no further event or statement of a command runs. Long commands yield
// through a WindowYieldHook; a close that arrives during a yield ends the process inside that
// yield, so a command never needs to check whether the window is still there. Nothing needs saving
// then: every choice reached the settings store when it changed. Where endProgram returns (tests),
// ending() turns true and stays so.
class Form1 {
  public:
    // The pointer modes.
    static constexpr int kDefaultPointer = 0;
    static constexpr int kHourglassPointer = 11;  // a command is busy
    static constexpr int kCustomPointer = 99;     // the hand, over the push buttons

    // The key code of the Delete key, as keyDownInResults receives it.
    static constexpr int kDeleteKeyCode = 46;

    Form1(FormView& view, const FormServices& services);
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    // Start-up and shut-down.
    void load();
    void unload();
    bool ending() const { return ending_; }
    bool creatingList() const { return creatingList_; }

    // The caption of every message box and input box without a title of its own; set by
    // load().
    const std::string& applicationTitle() const { return applicationTitle_; }

    // The pointer mode. kHourglassPointer is also the busy flag that the list editing
    // commands test; the pointer feedback never overwrites it.
    int mousePointer() const { return mousePointer_; }
    void setMousePointer(int value);

    // The results list behind the results view.
    ResultsList& results() { return results_; }
    const ResultsList& results() const { return results_; }
    // The drives the drive list shows, in its order.
    const std::vector<Drive>& drives() const { return drives_; }

    // Selects or clears an option the way code does: selecting one that is not yet selected
    // runs its click handler (which stores its whole group); clearing one runs nothing and may
    // leave its group with no option selected.
    void setOption(Control option, bool selected);

    // Makes `folder` the target as the user would: selects "Look at this folder:" and types
    // the folder into its box, so that both are stored as the user's choices.
    void lookAtFolder(const std::string& folder);

    // Events as the views deliver them: a click of an option or push button (through the
    // click table), a change of a text box's text, a movement of the pointer over a control
    // (Control::Window for the window's own surface).
    void click(Control control);
    void textChanged(Control textBox);
    void pointerMoved(Control control);

    // The depth box. Views select its entry when the focus arrives from another control of
    // the window, and run the entry check once the focus has left it for another control of
    // the window, before that control takes any input. The check returns whether the entry
    // stands; when it does not, the focus is back in the box and the input that moved it is
    // dropped.
    void selectDepthEntry();
    bool checkDepthEntry();

    // Removal of the selected entry: a key pressed in the results view (kDeleteKeyCode for
    // Delete, whatever the shift state) and a double-click with the left button anywhere in
    // it.
    void keyDownInResults(int keyCode, int shift);
    void removeSelectedResult();

    // The push buttons' handlers.
    void startList();
    // Escape: a run in progress stops at its next step, keeping what it found, and ends
    // without its closing message.
    void stopList();
    void saveTextFile();
    void saveExcelFile();
    void copyToClipboard();
    void clearResults();
    void removeContaining();
    void removeNotContaining();
    void browseFolder();
    void loadSample();
    void showHelp();
    void showDepthHelp();

    // What a click of each option and push button runs; click() goes through it.
    struct ClickRoute {
        Control control;
        void (Form1::*handler)();
    };
    static std::span<const ClickRoute> ClickTable();

  private:
    // form1_run.cpp
    Status walkBesideWindow(const std::string& root, WalkOptions options, RunProgress& progress);
    // Runs `work` on a thread of its own while the window's events go on, and gives its result.
    template <typename Work>
    auto besideWindow(Work work) -> decltype(work());

    // form1_load.cpp
    std::string applicationFile(const std::string& name) const;
    void applySkin();
    void setApplicationTitle();
    void loadMouseIcon(const std::string& path);
    void showHomePageOccasionally();
    void restoreOption(Control option, const std::string& defaultValue);
    void restoreText(Control textBox, const std::string& defaultValue);

    // form1_target_depth.cpp
    void storeTargetChoice();
    void storeDepthChoice();
    void storeOptions(std::initializer_list<Control> options);

    // form1_pointer.cpp
    void pointerOverPushButton();
    void pointerOverSurface();

    // form1_edit.cpp
    void removeResultsWithText(const char* procedurePath, const char* prompt, ResultFilter filter);

    // form1_export.cpp
    void putResultsOnClipboard();
    // Whether a spreadsheet application can show the workbook; tells the user when not.
    bool spreadsheetApplicationInstalled();

    void message(const std::string& text);

    FormView& view_;
    FormServices services_;
    ResultsList results_;
    std::vector<Drive> drives_;
    std::string applicationTitle_;
    int mousePointer_ = kDefaultPointer;
    bool ending_ = false;
    // Workbooks in the temporary folder that the spreadsheet program could not open: the user
    // may still open them by hand until the program ends, which removes them.
    std::vector<PendingFile> unopenedWorkbooks_;
    // True while a list creation run is in progress; a press of the start button then does
    // nothing.
    bool creatingList_ = false;
    bool stopAsked_ = false;  // by the user, during the run in progress
    WindowWake wake_{view_};  // for the threads a command runs beside the window
};

}  // namespace quorvane
