#include "form/scratch_file.h"

namespace quorvane {

std::string ScratchFilePath() {
    return "C:\\vrn.txt";
}

}  // namespace quorvane
