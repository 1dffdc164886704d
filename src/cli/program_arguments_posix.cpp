#include "cli/program_arguments.h"

#include <unistd.h>

namespace quorvane::cli {

std::vector<std::string> ProgramArguments(int argc, char** argv) {
    return std::vector<std::string>(argv + 1, argv + argc);
}

void UseBinaryStandardOutput() {}

bool StandardErrorIsTerminal() {
    return isatty(STDERR_FILENO) != 0;
}

bool StandardOutputIsTerminal() {
    return isatty(STDOUT_FILENO) != 0;
}

}  // namespace quorvane::cli
