#pragma once

#include <QApplication>

namespace quorvane {

// The window program's application object. Qt's event loop cannot take an exception: one that
// unwinds through it leaves it broken, to crash later. Whatever a handler of an event throws
// (std::bad_alloc where memory has run out, in a paint or inside a dialog) is caught here,
// where Qt hands the event over, and kept (see event_failures.h); a dialog other than a message
// box whose event failed is closed, since it may no longer answer, and the command that opened
// it reports the failure.
class GuardedApplication : public QApplication {
  public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace quorvane
