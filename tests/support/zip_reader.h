#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quorvane::test {

// The tests' own reading of a zip archive, independent of the program's writer: the member
// names from the central directory, and one member's content, inflated and checked against
// its CRC. Nothing when the archive or the member is not there or not sound.
std::optional<std::vector<std::string>> ZipMemberNames(const std::string& archive);
std::optional<std::string> ZipMember(const std::string& archive, const std::string& member);

// Whether a reader of another make (unzip) finds every member's data and CRC sound; on
// Windows, which has none, true. zip_check_posix.cpp, zip_check_windows.cpp.
bool OtherReaderAccepts(const std::string& archive);

}  // namespace quorvane::test
