#pragma once

#include <cstdint>
#include <string>

namespace quorvane::cli {

// Appends a time as ISO 8601 in UTC to whole seconds: "2026-12-08T06:00:00Z". `seconds`
// counts from 1970-01-01T00:00:00Z, negative before it, and any fraction is already dropped
// towards the past (as POSIX's tv_sec is). Years 0000 to 9999 have four digits; others, which
// only a damaged or foreign file system gives, are written in the expanded form with a sign
// and at least six digits ("+010000-01-01T00:00:00Z", "-000001-...").
void AppendUtcTime(std::string& out, std::int64_t seconds);

}  // namespace quorvane::cli
