#include "form/form1.h"

namespace quorvane {

void Form1::MouseMove(Control control) {
    switch (PointerReactionOf(control)) {
        case PointerReaction::PushButton:
            PushButtonMouseMove();
            break;
        case PointerReaction::Surface:
            SurfaceMouseMove();
            break;
        case PointerReaction::Keep:
            break;
    }
}

void Form1::PushButtonMouseMove() {
    if (mousePointer_ == kHourglassPointer) return;
    setMousePointer(kCustomPointer);
}

void Form1::SurfaceMouseMove() {
    if (mousePointer_ == kHourglassPointer) return;
    setMousePointer(kDefaultPointer);
}

void Form1::setMousePointer(int value) {
    if (value == mousePointer_) return;
    mousePointer_ = value;
    view_.showPointer(value);
}

}  // namespace quorvane
