#include "form/form1_layout.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace quorvane {

namespace {

using enum Control;
using K = ControlKind;

// The depth box stands in the gap of the 24 blanks, so the row reads as one sentence.
constexpr char kOption6Caption[] =
    "Only depth =                        subfolders of target folder";
static_assert(std::string_view(kOption6Caption).size() == 63);

constexpr std::array kLayout = {
    ControlLayout{Frame2, "Frame2", K::Frame, Form1, "Folder Depth", 120, 2410, 7800, 1500, 17},
    ControlLayout{Option7, "Option7", K::Option, Frame2,
                  "Only first subfolders of target folder (depth = 1)", 240, 650, 4455, 255, 20},
    ControlLayout{Option8, "Option8", K::Option, Frame2,
                  "All subfolders of target folder (depth = infinity)", 240, 300, 4455, 255, 19},
    ControlLayout{Text2, "Text2", K::TextBox, Frame2, nullptr, 1680, 990, 855, 345, 18},
    ControlLayout{PushButton9, "PushButton9", K::PushButton, Frame2, "?", 6840, 300, 600, 345, 22},
    ControlLayout{Option6, "Option6", K::Option, Frame2, kOption6Caption, 240, 1020, 5415, 255, 21},
    ControlLayout{PushButton3, "PushButton3", K::PushButton, Form1, "Help", 120, 120, 3840, 405, 8},
    ControlLayout{Frame1, "Frame1", K::Frame, Form1,
                  "Where would you like to look to create folder list?", 120, 580, 7800, 1770, 1},
    ControlLayout{Text1, "Text1", K::TextBox, Frame1, nullptr, 2280, 300, 4455, 345, 6},
    ControlLayout{Option5, "Option5", K::Option, Frame1, "Look at this folder:", 240, 345, 2055,
                  255, 5},
    ControlLayout{Drive1, "Drive1", K::DriveList, Frame1, nullptr, 2280, 800, 5160, 345, 4},
    ControlLayout{Option4, "Option4", K::Option, Frame1, "Look at this drive:", 240, 845, 1935, 255,
                  3},
    ControlLayout{Option3, "Option3", K::Option, Frame1, "Look at entire computer (all drives)",
                  240, 1345, 3375, 255, 2},
    ControlLayout{PushButton5, "PushButton5", K::PushButton, Frame1, "...", 6840, 300, 600, 345,
                  12},
    ControlLayout{ListView1, "ListView1", K::ListView, Form1, nullptr, 120, 4545, 7800, 2535, 0},
    ControlLayout{PushButton1, "PushButton1", K::PushButton, Form1, "Start Creating List", 120,
                  4035, 7800, 405, 7},
    ControlLayout{PushButton2, "PushButton2", K::PushButton, Form1, "Save Results As Text File",
                  120, 7170, 3840, 405, 9},
    ControlLayout{PushButton4, "PushButton4", K::PushButton, Form1, "Save Results As Excel File",
                  120, 7680, 3840, 405, 10},
    ControlLayout{PushButton6, "PushButton6", K::PushButton, Form1, "Clear Results", 4080, 7680,
                  3840, 405, 11},
    ControlLayout{PushButton7, "PushButton7", K::PushButton, Form1, "Copy Results To Clipboard",
                  4080, 7170, 3840, 405, 13},
    ControlLayout{PushButton8, "PushButton8", K::PushButton, Form1, "Load Sample/Example Folder",
                  4080, 120, 3840, 405, 14},
    ControlLayout{PushButton19, "PushButton19", K::PushButton, Form1, "Remove Results Containing X",
                  120, 8190, 3840, 405, 15},
    ControlLayout{PushButton20, "PushButton20", K::PushButton, Form1,
                  "Remove Results Not Containing X", 4080, 8190, 3840, 405, 16},
};

}  // namespace

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
    if (control == Control::Form1) return PointerReaction::Surface;
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
    if (layout.container != Control::Form1) {
        const PixelRect container = PixelRectInWindow(layout.container, dpi);
        rect.left += container.left;
        rect.top += container.top;
    }
    return rect;
}

}  // namespace quorvane
