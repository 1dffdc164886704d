#include "form/form1.h"

namespace quorvane {

void Form1::pointerMoved(Control control) {
    switch (PointerReactionOf(control)) {
        case PointerReaction::PushButton:
            pointerOverPushButton();
            break;
        case PointerReaction::Surface:
            pointerOverSurface();
            break;
        case PointerReaction::Keep:
            break;
    }
}

void Form1::pointerOverPushButton() {
    if (mousePointer_ == kHourglassPointer) return;
    setMousePointer(kCustomPointer);
}

void Form1::pointerOverSurface() {
    if (mousePointer_ == kHourglassPointer) return;
    setMousePointer(kDefaultPointer);
}

void Form1::setMousePointer(int value) {
    if (value == mousePointer_) return;
    mousePointer_ = value;
    view_.showPointer(value);
}

}  // namespace quorvane
