#include <cstdlib>

#include "support/zip_reader.h"

namespace quorvane::test {

bool OtherReaderAccepts(const std::string& archive) {
    return std::system(("unzip -tqq '" + archive + "'").c_str()) == 0;
}

}  // namespace quorvane::test
