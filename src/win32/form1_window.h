#pragma once

#include <windows.h>

#include <commctrl.h>

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "form/form1.h"
#include "form/form_view.h"
#include "results/results_list_observer.h"

namespace quorvane {

// The main window made of the Win32 API: a modeless dialog with the standard controls of the
// shared layout, placed in pixels from their twips at the system's dots per inch, with the
// user's actions passed on to the form's handlers. The results list is a virtual report list
// view: it holds no entries of its own and asks for each row's text when it draws it, so a
// million entries cost it nothing. The sources are split by concern:
//   form1_window.cpp          creation, fonts, colours, the values of the controls
//   form1_window_events.cpp   the dialog procedure: clicks, changes, focus, keys, the pointer
//   form1_window_list.cpp     the results list view
class Form1Window : public FormView, public ResultsListObserver {
  public:
    // Each control's identifier: this plus its place in the Control enumeration.
    static constexpr int kFirstControlId = 1000;
    static int ControlId(Control control) { return kFirstControlId + static_cast<int>(control); }

    Form1Window(HINSTANCE instance, const FormServices& services);
    ~Form1Window() override;
    Form1Window(const Form1Window&) = delete;
    Form1Window& operator=(const Form1Window&) = delete;

    HWND handle() const { return window_; }
    Form1& form() { return *form_; }
    // Shows the window with the focus on the results list.
    void show(int showCommand);
    // The program's event loop, until the window ends the program.
    int run();

    // FormView
    bool isChecked(Control option) const override;
    void setChecked(Control option, bool checked) override;
    std::string text(Control control) const override;
    void setText(Control control, const std::string& text) override;
    void setFocus(Control control) override;
    void selectAllText(Control textBox) override;
    void showDrives(const std::vector<std::string>& texts, int current) override;
    int currentDrive() const override;
    std::int64_t selectedResult() const override;
    void setResultsColumnWidth(int twips) override;
    void setCaption(const std::string& caption) override;
    void showProgramIcon() override;
    void useButtonFaceColour() override;
    bool loadMouseIcon(const std::string& cursorFile) override;
    void showPointer(int mousePointer) override;
    void processEvents() override;
    void waitForEvents() override;
    void wake() override;

    // ResultsListObserver
    void columnAdded() override;
    void rowsAppended() override;
    void rowRemoving(size_t row) override;
    void rowRemoved() override;
    void reset() override;

  private:
    // form1_window.cpp
    void createWindow();
    void createControls();
    HWND createControl(const ControlLayout& layout, bool startsGroup);
    void fitDriveList();
    void setUpResultsView();
    // The list's heading readable under the colour scheme of the moment.
    void fitHeadingToColours();
    HWND control(Control control) const { return controls_.at(control); }
    int pixels(int twips) const;
    HFONT createFont(const FontDesign& design) const;
    void describeControls();
    // The underlines of the Alt letters: shown while Alt is held.
    void showAccessKeys(bool shown);
    // Alt and `letter`: presses the control that the letter belongs to, if any.
    bool pressAccessKey(wchar_t letter);
    // An arrow key on an option button: the next or previous option of its frame.
    void moveAmongOptions(HWND from, bool forward);

    // form1_window_events.cpp
    static INT_PTR CALLBACK DialogProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);
    INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void onCommand(int id, int code);
    LRESULT onNotify(const NMHDR& header);
    // The caption of an option or a frame struck twice in part, where the font asks for it
    // (overstrike_), once the control has painted in `area` of `dc`.
    LRESULT drawCaption(Control control, NMCUSTOMDRAW& draw);
    static constexpr UINT_PTR kFrameSubclass = 1;
    static LRESULT CALLBACK FrameProcedure(HWND frame, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR, DWORD_PTR window);
    void strikeCaption(HWND control, HDC dc, RECT area) const;
    bool onSetCursor(HWND under, int hitTest, int mouseMessage);
    void onDepthCheckDue();
    // Which control `window` is or belongs to; Control::Window for the window itself.
    std::optional<Control> controlOf(HWND window) const;
    HCURSOR cursorOver(Control control) const;
    void dispatch(MSG& message);
    void route(MSG& message);

    // form1_window_scroll.cpp: a screen too small for the window.
    // Fits the window of `size` pixels (its frame included), centred in the work area, with
    // the scroll bars it needs to show the rest.
    void placeWithinWorkArea(SIZE size);
    void onScroll(int bar, int request);
    void onWheel(int delta);
    void scrollTo(int bar, int position);
    // Scrolls so that `control` shows, as far as the window holds it.
    void scrollIntoView(HWND control);

    // form1_window_list.cpp
    void showRowCount(bool keepView);
    // The selected row, counted from 0; -1 for none.
    int selectedRow() const;
    void fillRowText(NMLVDISPINFOW& request);
    // The selected row in the list's own colours, its highlight made readable.
    LRESULT drawRow(NMLVCUSTOMDRAW& draw);

    HINSTANCE instance_;
    HWND window_ = nullptr;
    std::map<Control, HWND> controls_;
    int dpi_ = kDesignDpi;
    HFONT windowFont_ = nullptr;
    HFONT buttonFont_ = nullptr;
    int overstrike_ = 0;  // of the captions of options and frames (OverstrikeFor)
    HWND toolTip_ = nullptr;
    HBRUSH white_ = nullptr;
    bool buttonFace_ = false;
    HCURSOR mouseIcon_ = nullptr;
    int mousePointer_ = Form1::kDefaultPointer;
    bool depthCheckQueued_ = false;
    bool accessKeysShown_ = false;
    // The depth box lost the focus to another window: getting it back is no new arrival.
    bool depthBoxLeftWithTheWindow_ = false;
    std::wstring rowText_;
    int removedSelectedRow_ = -1;  // the selected row, while it is being removed
    std::unique_ptr<Form1> form_;
};

}  // namespace quorvane
