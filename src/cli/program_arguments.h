#pragma once

#include <string>
#include <vector>

namespace quorvane::cli {

// The arguments after the program's name, as UTF-8. On Windows they are read from the wide
// command line, since `argv` there holds the ANSI code page's rendering, which loses every
// character outside it; elsewhere they are `argv` as it is.
std::vector<std::string> ProgramArguments(int argc, char** argv);

// Makes standard output carry the bytes as they are written: on Windows it would otherwise
// turn each LF into CR LF.
void UseBinaryStandardOutput();

// Whether standard error is a terminal, where messages naming folders need TerminalSafeText.
bool StandardErrorIsTerminal();
// Whether standard output is a terminal, where the list needs it too.
bool StandardOutputIsTerminal();

// All four differ by platform: program_arguments_posix.cpp, program_arguments_windows.cpp.

}  // namespace quorvane::cli
