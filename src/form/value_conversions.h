#pragma once

#include <cstdint>
#include <string_view>

#include "text/numeric_text.h"

namespace quorvane {

// The conversions of the handlers, which fail as the window reports it: "Type mismatch" (13)
// for a text that is no number, "Overflow" (6) for one beyond the kind (see RunTimeError).

// A text as a 16-bit integer (see ParseInteger16).
std::int16_t ToInteger16(std::string_view text, const NumberFormat& format = {});

// A stored text as a Boolean (see ParseBoolean).
bool ToBoolean(std::string_view text, const NumberFormat& format = {});

}  // namespace quorvane
