#include "form/program_end.h"

#include <cstdio>
#include <cstdlib>

namespace quorvane {

void EndProgramNow() {
    std::fflush(nullptr);
    // Not exit(): that would run static destructors and return to no one; the window may be
    // closing from inside a yield of a long command.
    std::_Exit(0);
}

}  // namespace quorvane
