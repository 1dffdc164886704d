#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/drive_list.h"
#include "form/form1_layout.h"
#include "form/form_services.h"
#include "form/form_view.h"
#include "output/pending_files.h"
#include "results/results_list.h"

namespace quorvane {

enum class ResultFilter;

// The main window's behaviour, whatever toolkit shows it: the start-up that restores the
// user's choices, the handlers of every control under their design names, the pointer
// feedback, the run and the exports. It reads and sets the controls through its FormView and
// reaches the platform through its FormServices; it holds no toolkit of its own.
//
// The sources are split by concern:
//   form1.cpp               construction, event routing
//   form1_load.cpp          Form_Load, the skin, Form_Unload
//   form1_target_depth.cpp  the option, text box and browse handlers
//   form1_pointer.cpp       the MousePointer value and its feedback
//   form1_run.cpp           "Start Creating List"
//   form1_edit.cpp          removing entries, clearing and filtering the results
//   form1_export.cpp        text file, clipboard and spreadsheet exports
//   form1_help.cpp          the help messages and the sample folder
//
// Lifetime and shut-down. The program makes the view, whose form fills the drive list; it
// runs Form_Load, then shows the window. Closing the window runs Form_Unload, which removes
// the scratch file, the partial file of a save in progress and the workbooks never handed to
// the spreadsheet program (PendingFile), and then ends the process at once through
// FormServices::endProgram: no further event or statement of a command runs. Long commands yield
// through a WindowYieldHook; a close that arrives during a yield ends the process inside that
// yield, so a command never needs to check whether the window is still there. Nothing needs saving
// then: every choice reached the settings store when it changed. Where endProgram returns (tests),
// ending() turns true and stays so.
class Form1 {
  public:
    // Values of MousePointer.
    static constexpr int kDefaultPointer = 0;
    static constexpr int kHourglassPointer = 11;  // a command is busy
    static constexpr int kCustomPointer = 99;     // the hand, over the push buttons

    // The key code of the Delete key, as ListView1_KeyDown receives it.
    static constexpr int kDeleteKeyCode = 46;

    Form1(FormView& view, const FormServices& services);
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    // Start-up and shut-down.
    void Form_Load();
    void Form_Unload();
    bool ending() const { return ending_; }
    bool CreatingList() const { return creatingList_; }

    // The caption of every message box and input box without a title of its own; set by
    // Form_Load.
    const std::string& ApplicationTitle() const { return applicationTitle_; }

    // The pointer mode. 11 is also the busy flag that the list editing commands test; the
    // pointer feedback never overwrites it.
    int MousePointer() const { return mousePointer_; }
    void setMousePointer(int value);

    // The results list behind the results view.
    ResultsList& Results() { return results_; }
    const ResultsList& Results() const { return results_; }
    // The drives the drive list shows, in its order.
    const std::vector<Drive>& Drives() const { return drives_; }

    // Selects or clears an option the way code does: selecting one that is not yet selected
    // runs its click handler (which stores its whole group); clearing one runs nothing and may
    // leave its group with no option selected.
    void SetOptionValue(Control option, bool selected);

    // Makes `folder` the target as the user would: selects "Look at this folder:" and types
    // the folder into its box, so that both are stored as the user's choices.
    void LookAtFolder(const std::string& folder);

    // Events as the views deliver them: a click of an option or push button, a change of a
    // text box's text, a movement of the pointer over a control (Control::Window for the
    // window's own surface).
    void Click(Control control);
    void Change(Control textBox);
    void MouseMove(Control control);

    // Target and depth handlers.
    void Option3_Click();
    void Option4_Click();
    void Option5_Click();
    void Option6_Click();
    void Option7_Click();
    void Option8_Click();
    void Text1_Change();
    void Text2_Change();
    void Text2_GotFocus();
    // The depth entry check. Views run it once Text2 has lost the focus to another control
    // of the window, before that control takes any input. Returns whether the entry stands;
    // when it does not, the focus is back on Text2 and the input that moved it is dropped.
    bool Text2_LostFocus();
    void PushButton5_Click();

    // Commands.
    void PushButton1_Click();
    void PushButton2_Click();
    void PushButton3_Click();
    void PushButton4_Click();
    void PushButton6_Click();
    void PushButton7_Click();
    void PushButton8_Click();
    void PushButton9_Click();
    void PushButton19_Click();
    void PushButton20_Click();

    // Removal of the selected entry: a key pressed in the list (kDeleteKeyCode for Delete,
    // whatever the shift state) and a double-click with the left button anywhere in it.
    void ListView1_KeyDown(int keyCode, int shift);
    void ListView1_DblClick();

    // Pointer feedback.
    void PushButtonMouseMove();
    void SurfaceMouseMove();

    // Whether a spreadsheet application can show the workbook; tells the user when not.
    bool SaveResultsAsExcelFileIsExcelInstalled();

  private:
    // form1_load.cpp
    std::string applicationFile(const std::string& name) const;
    void ApplySkin();
    void SetApplicationTitle();
    void LoadMouseIcon(const std::string& path);
    void ShowHomePageOccasionally();
    void RestoreOption(Control option, const std::string& key, const std::string& defaultValue);

    // form1_target_depth.cpp
    void StoreTargetChoice();
    void StoreDepthChoice();

    // form1_edit.cpp
    void RemoveSelectedResult();
    void RemoveResultsWithText(const char* procedurePath, const char* prompt, ResultFilter filter);

    // form1_export.cpp
    void CopyResultsToClipboard();

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
};

}  // namespace quorvane
