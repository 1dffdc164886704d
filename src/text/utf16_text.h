#pragma once

#include <cstddef>
#include <string_view>

#include "base/yield_hook.h"

namespace quorvane {

// Writes `bytes` as UTF-16 to `out`, which has room for bytes.size() units (never more are
// needed), and returns how many it wrote. Each byte that does not start a valid UTF-8
// character becomes U+FFFD (as CountCharacters counts them, so padded columns stay aligned).
// A million entries are a hundred megabytes, which takes longer than the window may wait, so
// the hook is called before each piece of a few megabytes.
size_t ToUtf16(std::string_view bytes, char16_t* out, YieldHook* hook = nullptr);

}  // namespace quorvane
