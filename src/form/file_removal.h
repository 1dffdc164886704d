#pragma once

#include <string>

#include "form/event_pump.h"

namespace quorvane {

// Lets pending window events run, then removes the file at `path`; when that fails (missing,
// read-only, in use) tries ForceDeleteFile. Ignores every failure of either.
void DeleteFileSafely(const std::string& path, EventPump& events);

// Removes the file at `path` even when it is read-only. Returns whether it is gone.
bool ForceDeleteFile(const std::string& path);

}  // namespace quorvane
