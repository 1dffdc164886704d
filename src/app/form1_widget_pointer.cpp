#include <QMouseEvent>

#include "app/form1_widget.h"
#include "app/results_view.h"

namespace quorvane {

void Form1Widget::watchPointerOverControls() {
    for (const ControlLayout& c : Form1Layout()) {
        if (PointerReactionOf(c.control) == PointerReaction::Keep) {
            keepPointerMovesToItself(control(c.control));
        } else {
            watchPointer(control(c.control), c.control);
        }
    }
    // The list reacts wherever the pointer is on it: items, header or scroll bars.
    for (QWidget* part : resultsView()->findChildren<QWidget*>())
        watchPointer(part, Control::ResultsView);
}

void Form1Widget::watchPointer(QWidget* surface, Control reportedAs) {
    pointerSurfaces_.insert(surface, reportedAs);
    // Qt only reports movements without a pressed button to widgets that track the mouse.
    surface->setMouseTracking(true);
    // A movement belongs to the control under the pointer alone; passed on to the frame or
    // the window around it, it would undo the control's own reaction.
    keepPointerMovesToItself(surface);
    surface->installEventFilter(this);
}

void Form1Widget::keepPointerMovesToItself(QWidget* control) {
    control->setAttribute(Qt::WA_NoMousePropagation);
}

void Form1Widget::mouseMoveEvent(QMouseEvent* event) {
    form_->pointerMoved(Control::Window);
    QWidget::mouseMoveEvent(event);
}

void Form1Widget::showPointer(int mousePointer) {
    // Controls without a pointer of their own show the window's.
    if (mousePointer == Form1::kHourglassPointer) {
        setCursor(Qt::WaitCursor);
    } else if (mousePointer == Form1::kCustomPointer && mouseIcon_) {
        setCursor(*mouseIcon_);
    } else {
        unsetCursor();
    }
}

}  // namespace quorvane
