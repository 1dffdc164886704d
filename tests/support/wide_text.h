#pragma once

// Windows only: the tests' own conversions between UTF-8 and UTF-16, made with the system's
// converter rather than the program's, so that a fault in the program's conversion cannot
// hide itself in a test's expectations.

#include <string>

namespace quorvane::test {

std::wstring Wide(const std::string& utf8);
std::string Narrow(const std::wstring& utf16);

// `path` (a full path, C:\... or \\server\share\...) in the extended-length form.
std::wstring LongForm(const std::string& path);

// The last system error as text, for the failures of a fixture.
std::string LastErrorText(const std::string& what, const std::string& path);

}  // namespace quorvane::test
