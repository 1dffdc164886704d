#pragma once

#include <string>

#include "text/numeric_text.h"

namespace quorvane {

// The folder of the program file as Windows reports it: no trailing separator, except that a
// drive root keeps its own.
std::string ProgramFolder();

// The folder that the command line names (quorvane.exe FOLDER), made absolute; an empty text
// when it names none.
std::string StartFolder();

// The decimal and group separators of the user's locale.
NumberFormat UserNumberFormat();

}  // namespace quorvane
