#include "results/text_file_export.h"

namespace quorvane {

// Names are bytes, and so is the file.
void AppendTextFileEntry(std::string& out, std::string_view entry) {
    out.append(entry);
}

}  // namespace quorvane
