#include "app/access_key_cues.h"

#include <QApplication>
#include <QKeyEvent>
#include <QStyleFactory>
#include <QWidget>

namespace quorvane {

AccessKeyCues::AccessKeyCues(QStyle* base) : QProxyStyle(base) {
    setParent(qApp);
    // Alt reaches whichever widget has the focus, so it is watched for the whole application.
    qApp->installEventFilter(this);
}

AccessKeyCues* AccessKeyCues::Instance() {
    static AccessKeyCues* const instance =
        new AccessKeyCues(QStyleFactory::create(QApplication::style()->name()));
    return instance;
}

void AccessKeyCues::ApplyTo(QWidget* window) {
    AccessKeyCues* cues = Instance();
    window->setStyle(cues);
    for (QWidget* widget : window->findChildren<QWidget*>())
        widget->setStyle(cues);
}

int AccessKeyCues::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                             QStyleHintReturn* returnData) const {
    if (hint == SH_UnderlineShortcut && !shown_) return 0;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

bool AccessKeyCues::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
            if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Alt) {
                show(event->type() == QEvent::KeyPress);
            }
            break;
        // Alt let go in another program is never seen here.
        case QEvent::ApplicationDeactivate:
            show(false);
            break;
        default:
            break;
    }
    return QProxyStyle::eventFilter(watched, event);
}

void AccessKeyCues::show(bool shown) {
    if (shown == shown_) return;
    shown_ = shown;
    for (QWidget* widget : QApplication::allWidgets()) {
        if (widget->style() == this) widget->update();
    }
}

}  // namespace quorvane
