#pragma once

#include <QIcon>

namespace quorvane {

// The program's own icon in its four drawn sizes (32, 48, 128 and 256 pixels), built into the
// program so that the window shows it wherever the program lies.
QIcon ProgramIcon();

}  // namespace quorvane
