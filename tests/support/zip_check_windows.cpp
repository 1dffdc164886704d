#include "support/zip_reader.h"

namespace quorvane::test {

// Windows has no unzip to ask.
bool OtherReaderAccepts(const std::string&) {
    return true;
}

}  // namespace quorvane::test
