#pragma once

#include <exception>

namespace quorvane {

// A failure that a handler of window events threw (a paint, a timer, a control's message), kept
// instead of letting it unwind through the toolkit's event loop, which cannot take exceptions:
// the Qt view catches every failure where Qt hands it an event, the Win32 view in its window
// procedures. A call that runs a loop of its own, such as a dialog, forgets what came before
// it and, once its loop has returned, throws what came during it on its own side of the loop,
// where the command's error trap reports it. A failure during a pass of the event loop that a
// command yields to is the event's alone: the event is lost, the command goes on.

// Keeps `failure` unless one is kept already.
void KeepEventFailure(std::exception_ptr failure);
void ForgetEventFailure();
// Throws the failure kept, if any, which is then forgotten.
void ThrowKeptEventFailure();

// Runs `dialog`, which runs an event loop of its own, and throws on this side of the loop what
// an event handler threw inside it.
template <typename Dialog>
auto RunDialog(Dialog dialog) {
    ForgetEventFailure();
    auto answer = dialog();
    ThrowKeptEventFailure();
    return answer;
}

// Runs `handler`, a handler called from the event loop, keeping what it throws.
template <typename Handler>
void RunEventHandler(Handler&& handler) noexcept {
    try {
        handler();
    } catch (...) {
        KeepEventFailure(std::current_exception());
    }
}

}  // namespace quorvane
