#pragma once

// Runs the built quorvane-list, as a script would, and keeps what it printed.

#include <string>
#include <vector>

#include "support/run_program.h"

namespace quorvane {

struct ProgramRun {
    int status = -1;
    std::string output;
};

inline ProgramRun runList(const std::vector<std::string>& arguments) {
    const test::ProgramResult result = test::RunProgram(QUORVANE_LIST_PROGRAM, arguments);
    return {result.exitCode, result.out};
}

}  // namespace quorvane
