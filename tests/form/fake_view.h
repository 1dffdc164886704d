#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "form/form1.h"
#include "form/form_view.h"

namespace quorvane::test {

// The window as a platform would show it, in memory: the controls' values with the design's
// captions and initial choice, a text box that tells the form of each change, option groups
// that clear their other options, a focus, a selection in the list, and an event loop whose
// passes run the actions queued for them (what the user does while a command yields), and
// which sleeps, when nothing is queued, until another thread wakes it.
class FakeView : public FormView {
  public:
    FakeView();

    // The form the view reports to; set once the form exists.
    Form1* form = nullptr;

    std::map<Control, bool> checked;
    std::map<Control, std::string> texts;
    Control focus = Control::ResultsView;
    std::vector<Control> selectedAll;  // each whole-text selection, in order
    std::vector<std::string> driveTexts;
    int current = -1;
    std::int64_t selected = 0;
    int columnWidth = 0;
    bool iconShown = false;
    bool buttonFace = false;
    bool cursorFilesLoad = true;  // whether loadMouseIcon takes a file
    std::string mouseIcon;
    int pointerShown = Form1::kDefaultPointer;
    long passes = 0;

    // Runs `action` at the next pass of the event loop: inside a command, at its first yield,
    // as a click of the user's would run while the command works.
    void atNextPass(std::function<void()> action) { pending_.push_back(std::move(action)); }

    bool isChecked(Control option) const override { return checked.at(option); }
    void setChecked(Control option, bool value) override;
    std::string text(Control control) const override { return texts.at(control); }
    void setText(Control control, const std::string& text) override;
    void setFocus(Control control) override { focus = control; }
    void selectAllText(Control textBox) override { selectedAll.push_back(textBox); }
    void showDrives(const std::vector<std::string>& texts, int current) override;
    int currentDrive() const override { return current; }
    std::int64_t selectedResult() const override { return selected; }
    void setResultsColumnWidth(int twips) override { columnWidth = twips; }
    void setCaption(const std::string& caption) override { texts[Control::Window] = caption; }
    void showProgramIcon() override { iconShown = true; }
    void useButtonFaceColour() override { buttonFace = true; }
    bool loadMouseIcon(const std::string& cursorFile) override;
    void showPointer(int mousePointer) override { pointerShown = mousePointer; }
    void processEvents() override;
    // Sleeps until wake() when no action is queued, as a window does until an event comes.
    void waitForEvents() override;
    void wake() override;

  private:
    std::deque<std::function<void()>> pending_;
    std::mutex wakeMutex_;
    std::condition_variable woken_;
    bool wakeCalled_ = false;
};

}  // namespace quorvane::test
