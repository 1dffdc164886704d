#include "app/scrolling_frame.h"

#include <QCloseEvent>
#include <QScreen>
#include <QStyle>
#include <algorithm>

namespace quorvane {

namespace {

// A title bar and the borders of a window manager's frame, at most, in the screen's logical
// pixels; the frame is not known before the window is shown.
constexpr int kFrameWidth = 16;
constexpr int kFrameHeight = 48;

}  // namespace

ScrollingFrame::ScrollingFrame(QWidget* window, QSize room) {
    setWindowTitle(window->windowTitle());
    setWindowIcon(window->windowIcon());
    setWidget(window);
    window->installEventFilter(this);
    // As large as the window with the scroll bars it needs, as far as the screen goes.
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const QSize whole = window->size() + QSize(2 * frameWidth(), 2 * frameWidth());
    resize(std::min(whole.width() + bar, room.width()),
           std::min(whole.height() + bar, room.height()));
    setMaximumSize(whole + QSize(bar, bar));
}

ScrollingFrame::~ScrollingFrame() {
    // The window is its caller's.
    if (widget()) widget()->removeEventFilter(this);
    takeWidget();
}

bool ScrollingFrame::event(QEvent* event) {
    const QEvent::Type type = event->type();
    // The window manager's frame is known only once it has put one around the window, which it
    // tells as it moves or resizes it.
    if ((type == QEvent::Show || type == QEvent::Move || type == QEvent::Resize) && !fitQueued_) {
        fitQueued_ = true;
        QMetaObject::invokeMethod(this, &ScrollingFrame::fitWithinScreen, Qt::QueuedConnection);
    }
    return QScrollArea::event(event);
}

void ScrollingFrame::fitWithinScreen() {
    fitQueued_ = false;
    if (!isVisible() || isMaximized() || isFullScreen() || !screen()) return;
    const QRect available = screen()->availableGeometry();
    const QRect outer = frameGeometry();
    const QSize decoration = outer.size() - size();
    const QSize fitting = size().boundedTo(available.size() - decoration);
    if (fitting != size()) resize(fitting);
    const QSize whole = fitting + decoration;
    const QPoint at(
        std::clamp(outer.left(), available.left(), available.right() + 1 - whole.width()),
        std::clamp(outer.top(), available.top(), available.bottom() + 1 - whole.height()));
    if (at != outer.topLeft()) move(at);
}

void ScrollingFrame::closeEvent(QCloseEvent* event) {
    if (widget() && !widget()->close()) {
        event->ignore();
        return;
    }
    event->accept();
}

bool ScrollingFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched == widget()) {
        if (event->type() == QEvent::WindowTitleChange) setWindowTitle(widget()->windowTitle());
        if (event->type() == QEvent::WindowIconChange) setWindowIcon(widget()->windowIcon());
    }
    return QScrollArea::eventFilter(watched, event);
}

QRect RoomForWindow(const QRect& availableOnScreen) {
    return availableOnScreen.adjusted(kFrameWidth / 2, kFrameHeight - kFrameWidth / 2,
                                      -kFrameWidth / 2, -kFrameWidth / 2);
}

std::unique_ptr<ScrollingFrame> ShowWithinScreen(QWidget& window, const QRect& room) {
    if (window.width() <= room.width() && window.height() <= room.height()) {
        window.show();
        return nullptr;
    }
    auto frame = std::make_unique<ScrollingFrame>(&window, room.size());
    frame->move(room.topLeft() +
                QPoint((room.width() - frame->width()) / 2, (room.height() - frame->height()) / 2));
    frame->show();
    return frame;
}

}  // namespace quorvane
