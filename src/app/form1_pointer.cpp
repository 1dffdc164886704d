#include <QMouseEvent>

#include "app/form1.h"

namespace quorvane {

void Form1::watchPointer(QWidget* surface, PointerReaction reaction) {
    pointerReactions_.insert(surface, reaction);
    // Qt only reports movements without a pressed button to widgets that track the mouse.
    surface->setMouseTracking(true);
    // A movement belongs to the control under the pointer alone; passed on to the frame or
    // the window around it, it would undo the control's own reaction.
    keepPointerMovesToItself(surface);
    surface->installEventFilter(this);
}

void Form1::keepPointerMovesToItself(QWidget* control) {
    control->setAttribute(Qt::WA_NoMousePropagation);
}

void Form1::mouseMoveEvent(QMouseEvent* event) {
    SurfaceMouseMove();
    QWidget::mouseMoveEvent(event);
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
    showPointer();
}

void Form1::showPointer() {
    // Controls without a pointer of their own show the window's.
    if (mousePointer_ == kHourglassPointer) {
        setCursor(Qt::WaitCursor);
    } else if (mousePointer_ == kCustomPointer && mouseIcon_) {
        setCursor(*mouseIcon_);
    } else {
        unsetCursor();
    }
}

}  // namespace quorvane
