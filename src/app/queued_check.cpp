#include "app/queued_check.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace quorvane {

namespace {

bool IsInput(QEvent::Type type) {
    switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::Wheel:
            return true;
        default:
            return false;
    }
}

}  // namespace

QueuedCheck::QueuedCheck(QWidget* window, std::function<bool()> check)
    : QObject(window), window_(window), check_(std::move(check)) {}

void QueuedCheck::queue() {
    if (queued_) return;
    queued_ = true;
    // Only while a check waits does the whole application's input pass through here.
    qApp->installEventFilter(this);
    QMetaObject::invokeMethod(
        this, [this] { runNow(); }, Qt::QueuedConnection);
}

bool QueuedCheck::runNow() {
    if (!queued_) return true;
    queued_ = false;
    qApp->removeEventFilter(this);
    return check_();
}

bool QueuedCheck::eventFilter(QObject* watched, QEvent* event) {
    if (!queued_ || !IsInput(event->type()) || !watched->isWidgetType()) return false;
    auto* widget = static_cast<QWidget*>(watched);
    if (widget->window() != window_) return false;
    return !runNow();
}

}  // namespace quorvane
