#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

// The controls of the main window, the window itself first. Their design names are their
// object names (ControlLayout::name). The Win32 view numbers its controls in this order.
enum class Control {
    Window,
    TargetFrame,
    DepthFrame,
    EntireComputerOption,
    DriveOption,
    FolderOption,
    LimitDepthOption,
    FirstSubfoldersOption,
    AllSubfoldersOption,
    FolderBox,
    DepthBox,
    DriveList,
    ResultsView,
    StartButton,
    SaveTextFileButton,
    HelpButton,
    SaveExcelFileButton,
    BrowseButton,
    ClearButton,
    CopyButton,
    SampleButton,
    DepthHelpButton,
    RemoveContainingButton,
    RemoveNotContainingButton,
};

enum class ControlKind { Window, Frame, Option, TextBox, DriveList, ListView, PushButton };

// What a movement of the pointer over a control does to the window's pointer mode: the push
// buttons show the custom pointer, the surfaces the default one, and the option buttons and
// the drive list leave the mode as it was.
enum class PointerReaction { Keep, PushButton, Surface };

// One control as designed. Positions are in twips from the top-left corner of the container's
// client area; a frame is the container of the controls drawn inside it.
//
// A caption's "&" marks the letter that Alt presses the control with ("&&" is an "&"), as both
// toolkits read it; a button whose caption has no letter gets its Alt key from `altKey`. What
// screen readers say of the control: its caption, or `accessibleName` where the control shows
// no words of its own, and `description`, what it does.
struct ControlLayout {
    Control control;
    const char* name;
    ControlKind kind;
    Control container;
    const char* caption;  // nullptr for controls without one
    int left, top, width, height;
    int tabIndex;  // the design's tab index; the frames take no focus
    char altKey = 0;
    const char* accessibleName = nullptr;
    const char* description = nullptr;
};

// Window geometry is designed in twips: 1440 to the inch, so 15 to a pixel at 96 dots per inch.
inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kDesignDpi = 96;
constexpr int PixelsFromTwips(int twips, int dpi = kDesignDpi) {
    return twips * dpi / kTwipsPerInch;
}

// The window's object name, which is its caption too until the form's start-up sets the
// program's.
inline constexpr char kWindowName[] = "Form1";
// The window's caption once it has loaded.
inline constexpr char kProductName[] = "Quorvane";

// The client area of the fixed-size window.
inline constexpr int kFormClientWidth = 8040;
inline constexpr int kFormClientHeight = 8700;

struct FontDesign {
    const char* family;
    double points;
    bool bold;
    int characterSet;
};
// Every control without a font of its own uses the window's.
inline constexpr FontDesign kWindowFont{"Arial", 9, true, 204};
inline constexpr FontDesign kPushButtonFont{"Arial", 11.25, true, 204};

inline constexpr char kResultsToolTip[] =
    "Double-click item to remove it. Move | line to right and out of window to reveal full "
    "names.";
inline constexpr char kResultsHeading[] = "Results";
inline constexpr int kResultsColumnWidth = 7000;  // twips; the list itself is 7800 wide

// A caption as the window shows it: without the "&" that marks its Alt letter, and with "&&"
// shown as one "&".
std::string CaptionWithoutMnemonic(std::string_view caption);

// The letter that Alt presses a control with, in upper case: the one its caption marks, or
// its `altKey`; 0 for none.
char AccessKeyOf(const ControlLayout& control);

// Every control of the window, in the design's stacking order: within one container, a
// control listed earlier lies on top of one listed later.
std::span<const ControlLayout> Form1Layout();
// The options selected when the window is made, before the form restores the user's choice.
inline constexpr Control kInitialChoice[] = {Control::FolderOption, Control::AllSubfoldersOption};
const ControlLayout& LayoutOf(Control control);
// The controls that take the focus, in tab order.
std::vector<Control> TabOrder();
PointerReaction PointerReactionOf(Control control);

// A control's rectangle in pixels from the top-left corner of the window's client area, each
// level of containers converted on its own, so that every view places a control on the same
// pixel.
struct PixelRect {
    int left, top, width, height;
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};
PixelRect PixelRectInWindow(Control control, int dpi = kDesignDpi);

}  // namespace quorvane
