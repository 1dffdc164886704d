#pragma once

#include <string>

#include "base/status.h"

namespace quorvane::cli {

// What quorvane-list says of a failure, after the program's name and what failed: the
// system's own text for its errors, the window's words for the program's own failures.
std::string FailureText(Status status);

}  // namespace quorvane::cli
