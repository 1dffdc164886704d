#pragma once

#include <string>
#include <string_view>

#include "engine/yield_hook.h"

namespace quorvane {

// `bytes` as UTF-16, each byte that does not start a valid UTF-8 character shown as U+FFFD
// (as CountCharacters counts them, so padded columns stay aligned). A million entries are a
// hundred megabytes, which takes longer than the window may wait, so the hook is called before
// each piece of a few megabytes.
std::u16string Utf16WhileYielding(std::string_view bytes, YieldHook* hook = nullptr);

}  // namespace quorvane
