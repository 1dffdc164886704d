#include "form/event_failures.h"

#include <utility>

namespace quorvane {

namespace {

// Events reach handlers on the window's thread alone.
std::exception_ptr kept;

}  // namespace

void KeepEventFailure(std::exception_ptr failure) {
    if (!kept) kept = std::move(failure);
}

void ForgetEventFailure() {
    kept = nullptr;
}

void ThrowKeptEventFailure() {
    if (std::exception_ptr failure = std::exchange(kept, nullptr)) std::rethrow_exception(failure);
}

}  // namespace quorvane
