#pragma once

// What the tests of quorvane-list run as a program share.

#include <optional>
#include <string>
#include <vector>

#include "support/expected_walk.h"
#include "support/run_program.h"
#include "support/temp_folder.h"

namespace quorvane::list_test {

using test::ExpectedEntries;
using test::JoinEntries;
using test::kErrorLineEnd;
using test::ProgramResult;
using test::TempFolder;

inline std::string Missing(const std::string& folder) {
    return "quorvane-list: " + folder + ": No such file or directory" + kErrorLineEnd;
}

inline ProgramResult List(const std::vector<std::string>& arguments,
                          std::optional<unsigned> asUser = std::nullopt) {
    return test::RunProgram(QUORVANE_LIST_PROGRAM, arguments, asUser);
}

inline std::string Lines(const std::vector<std::string>& entries) {
    return JoinEntries(entries, "\n");
}

}  // namespace quorvane::list_test
