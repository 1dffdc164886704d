#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "form/event_pump.h"
#include "form/form1_layout.h"

namespace quorvane {

// The main window as a toolkit shows it: its controls' values, focus and look, the pointer and
// the event loop. The form (Form1) holds the behaviour and asks the view for these; the view
// passes the user's actions to the form (Form1::click, Form1::textChanged and the other
// events and handlers). Texts are UTF-8, paths in the program's own form (WTF-8 on Windows).
//
// The view also shows the form's results list: it observes the list (ResultsList::setObserver)
// and reads the entries from it.
class FormView : public EventPump {
  public:
    // Option buttons. Checking one clears the others of its frame, as the platform's groups
    // do; clearing one may leave its frame with none checked. Neither runs a handler.
    virtual bool isChecked(Control option) const = 0;
    virtual void setChecked(Control option, bool checked) = 0;

    // The text of a text box, or the caption of any other control.
    virtual std::string text(Control control) const = 0;
    // Replaces it. A text box whose text changes tells the form (Form1::textChanged) as the user's
    // typing does; setting the text it already holds changes nothing.
    virtual void setText(Control control, const std::string& text) = 0;

    virtual void setFocus(Control control) = 0;
    // Selects the whole text of a text box.
    virtual void selectAllText(Control textBox) = 0;

    // The drive list: the drives' texts, and the one that is current (0-based; -1 for none).
    virtual void showDrives(const std::vector<std::string>& texts, int current) = 0;
    virtual int currentDrive() const = 0;

    // The results view: the selected entry counted from 1, 0 when none is selected; the width of
    // the first column.
    virtual std::int64_t selectedResult() const = 0;
    virtual void setResultsColumnWidth(int twips) = 0;

    // The window itself.
    virtual void setCaption(const std::string& caption) = 0;
    virtual void showProgramIcon() = 0;
    // The skin: the window, its frames and option buttons take the system's button-face
    // colour.
    virtual void useButtonFaceColour() = 0;
    // Loads the cursor file shown for the custom pointer mode; false when it is no cursor.
    virtual bool loadMouseIcon(const std::string& cursorFile) = 0;
    // Shows the pointer of `mousePointer` (Form1::kDefaultPointer, kHourglassPointer or
    // kCustomPointer; the custom one is the default pointer until a mouse icon is loaded).
    virtual void showPointer(int mousePointer) = 0;
};

}  // namespace quorvane
