#include "support/environment.h"

#include <cstdlib>

namespace quorvane::test {

std::string GetVariable(const std::string& name) {
    const char* value = std::getenv(name.c_str());
    return value ? value : "";
}

void SetVariable(const std::string& name, const std::string& value) {
    if (value.empty()) {
        unsetenv(name.c_str());
    } else {
        setenv(name.c_str(), value.c_str(), 1);
    }
}

const char kTemporaryFolderVariable[] = "TMPDIR";

}  // namespace quorvane::test
