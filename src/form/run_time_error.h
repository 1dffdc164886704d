#pragma once

#include <stdexcept>
#include <string>

#include "base/status.h"

namespace quorvane {

// A failure that a command handler's error trap reports with a description and a number.
// Thrown only by the form, at command level: its views and the layers below return a Status,
// which becomes one of these here.
class RunTimeError : public std::runtime_error {
  public:
    RunTimeError(const std::string& description, long number)
        : std::runtime_error(description), number_(number) {}

    long number() const { return number_; }

    static RunTimeError typeMismatch() { return {"Type mismatch", 13}; }
    static RunTimeError overflow() { return {"Overflow", 6}; }
    static RunTimeError indexOutOfBounds() { return {"Index out of bounds", 35600}; }
    // The operating system's own text and number for errno (or a Windows error code).
    static RunTimeError fromSystemError(int code);
    // How the window reports a failed `status`.
    static RunTimeError fromStatus(Status status);

  private:
    long number_;
};

// Throws the failure of `status`, if any, for the command's trap to report.
void ThrowIfFailed(Status status);

}  // namespace quorvane
