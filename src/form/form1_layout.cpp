#include "form/form1_layout.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <stdexcept>

namespace quorvane {

namespace {

using enum Control;
using K = ControlKind;

// The depth box stands in the gap of the 24 blanks, so the row reads as one sentence.
constexpr char kLimitDepthCaption[] =
    "Only de&pth =                        subfolders of target folder";
static_assert(std::string_view(kLimitDepthCaption).size() == 63 + 1);

constexpr std::array kLayout = {
    ControlLayout{DepthFrame, "Frame2", K::Frame, Window, "Folder Depth", 120, 2410, 7800, 1500,
                  17},
    ControlLayout{FirstSubfoldersOption, "Option7", K::Option, DepthFrame,
                  "Only f&irst subfolders of target folder (depth = 1)", 240, 650, 4455, 255, 20, 0,
                  nullptr, "Lists only the folders directly inside the target."},
    ControlLayout{AllSubfoldersOption, "Option8", K::Option, DepthFrame,
                  "&All subfolders of target folder (depth = infinity)", 240, 300, 4455, 255, 19, 0,
                  nullptr, "Lists every level of folders below the target."},
    ControlLayout{DepthBox, "Text2", K::TextBox, DepthFrame, nullptr, 1680, 990, 855, 345, 18, 0,
                  "Depth", "How many levels below the target \"Only depth =\" lists."},
    ControlLayout{DepthHelpButton, "PushButton9", K::PushButton, DepthFrame, "?", 6840, 300, 600,
                  345, 22, 'Q', "Explain the depth choices",
                  "Shows what each choice of depth lists."},
    ControlLayout{LimitDepthOption, "Option6", K::Option, DepthFrame, kLimitDepthCaption, 240, 1020,
                  5415, 255, 21, 0, nullptr,
                  "Lists the levels from 1 to the depth in the box of this line."},
    ControlLayout{HelpButton, "PushButton3", K::PushButton, Window, "&Help", 120, 120, 3840, 405, 8,
                  0, nullptr, "Shows how to use the window."},
    ControlLayout{TargetFrame, "Frame1", K::Frame, Window,
                  "Where would you like to look to create folder list?", 120, 580, 7800, 1770, 1},
    ControlLayout{FolderBox, "Text1", K::TextBox, TargetFrame, nullptr, 2280, 300, 4455, 345, 6, 0,
                  "Folder to look at",
                  "The folder whose subfolders \"Look at this folder:\" lists. Enter starts the "
                  "list."},
    ControlLayout{FolderOption, "Option5", K::Option, TargetFrame, "Look at this &folder:", 240,
                  345, 2055, 255, 5, 0, nullptr,
                  "Lists the subfolders of the folder in the box beside it."},
    ControlLayout{DriveList, "Drive1", K::DriveList, TargetFrame, nullptr, 2280, 800, 5160, 345, 4,
                  0, "Drive to look at", "The drive whose folders \"Look at this drive:\" lists."},
    ControlLayout{DriveOption, "Option4", K::Option, TargetFrame, "Look at this &drive:", 240, 845,
                  1935, 255, 3, 0, nullptr, "Lists the folders of the drive chosen beside it."},
    ControlLayout{EntireComputerOption, "Option3", K::Option, TargetFrame,
                  "Look at &entire computer (all drives)", 240, 1345, 3375, 255, 2, 0, nullptr,
                  "Lists the folders of every drive, one drive after the other."},
    ControlLayout{BrowseButton, "PushButton5", K::PushButton, TargetFrame, "...", 6840, 300, 600,
                  345, 12, 'B', "Browse for folder",
                  "Chooses the folder to look at in a folder browser."},
    ControlLayout{ResultsView, "ListView1", K::ListView, Window, nullptr, 120, 4545, 7800, 2535, 0,
                  0, "Results",
                  "The full path of every folder found. Delete or a double-click removes the "
                  "selected entry."},
    ControlLayout{StartButton, "PushButton1", K::PushButton, Window, "&Start Creating List", 120,
                  4035, 7800, 405, 7, 0, nullptr,
                  "Empties the results and lists the folders of the chosen target and depth."},
    ControlLayout{SaveTextFileButton, "PushButton2", K::PushButton, Window,
                  "Save Results As &Text File", 120, 7170, 3840, 405, 9, 0, nullptr,
                  "Writes the results to a text file, one path per line."},
    ControlLayout{SaveExcelFileButton, "PushButton4", K::PushButton, Window,
                  "Save Results As E&xcel File", 120, 7680, 3840, 405, 10, 0, nullptr,
                  "Writes the results to a workbook and opens it in the spreadsheet program."},
    ControlLayout{ClearButton, "PushButton6", K::PushButton, Window, "C&lear Results", 4080, 7680,
                  3840, 405, 11, 0, nullptr, "Empties the results."},
    ControlLayout{CopyButton, "PushButton7", K::PushButton, Window, "&Copy Results To Clipboard",
                  4080, 7170, 3840, 405, 13, 0, nullptr,
                  "Puts the results on the clipboard, in aligned columns."},
    ControlLayout{SampleButton, "PushButton8", K::PushButton, Window, "Load Sa&mple/Example Folder",
                  4080, 120, 3840, 405, 14, 0, nullptr,
                  "Makes the sample folder the target: a small tree whose lists differ at each "
                  "depth."},
    ControlLayout{RemoveContainingButton, "PushButton19", K::PushButton, Window,
                  "&Remove Results Containing X", 120, 8190, 3840, 405, 15, 0, nullptr,
                  "Asks for a text and removes every result that contains it."},
    ControlLayout{RemoveNotContainingButton, "PushButton20", K::PushButton, Window,
                  "Remove Results &Not Containing X", 4080, 8190, 3840, 405, 16, 0, nullptr,
                  "Asks for a text and removes every result that does not contain it."},
};

}  // namespace

std::string CaptionWithoutMnemonic(std::string_view caption) {
    std::string shown;
    shown.reserve(caption.size());
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && ++i == caption.size()) break;
        shown += caption[i];
    }
    return shown;
}

char AccessKeyOf(const ControlLayout& control) {
    const std::string_view caption = control.caption ? control.caption : "";
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] != '&') return static_cast<char>(std::toupper(caption[i + 1]));
        ++i;
    }
    return control.altKey;
}

std::span<const ControlLayout> Form1Layout() {
    return kLayout;
}

const ControlLayout& LayoutOf(Control control) {
    const auto found =
        std::find_if(kLayout.begin(), kLayout.end(),
                     [control](const ControlLayout& c) { return c.control == control; });
    if (found == kLayout.end()) throw std::out_of_range("no such control in the layout");
    return *found;
}

std::vector<Control> TabOrder() {
    std::vector<const ControlLayout*> focusable;
    for (const ControlLayout& c : kLayout) {
        if (c.kind != ControlKind::Frame) focusable.push_back(&c);
    }
    std::sort(
        focusable.begin(), focusable.end(),
        [](const ControlLayout* a, const ControlLayout* b) { return a->tabIndex < b->tabIndex; });
    std::vector<Control> order;
    for (const ControlLayout* c : focusable)
        order.push_back(c->control);
    return order;
}

PointerReaction PointerReactionOf(Control control) {
    if (control == Control::Window) return PointerReaction::Surface;
    switch (LayoutOf(control).kind) {
        case ControlKind::PushButton:
            return PointerReaction::PushButton;
        case ControlKind::Option:
        case ControlKind::DriveList:
            return PointerReaction::Keep;
        default:
            return PointerReaction::Surface;
    }
}

PixelRect PixelRectInWindow(Control control, int dpi) {
    const ControlLayout& layout = LayoutOf(control);
    PixelRect rect{PixelsFromTwips(layout.left, dpi), PixelsFromTwips(layout.top, dpi),
                   PixelsFromTwips(layout.width, dpi), PixelsFromTwips(layout.height, dpi)};
    if (layout.container != Control::Window) {
        const PixelRect container = PixelRectInWindow(layout.container, dpi);
        rect.left += container.left;
        rect.top += container.top;
    }
    return rect;
}

}  // namespace quorvane
