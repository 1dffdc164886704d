#include "support/environment.h"

#include <windows.h>

#include "support/wide_text.h"

namespace quorvane::test {

std::string GetVariable(const std::string& name) {
    wchar_t value[32768];
    const DWORD length = GetEnvironmentVariableW(Wide(name).c_str(), value, 32768);
    return length == 0 ? std::string() : Narrow(std::wstring(value, length));
}

void SetVariable(const std::string& name, const std::string& value) {
    SetEnvironmentVariableW(Wide(name).c_str(), value.empty() ? nullptr : Wide(value).c_str());
}

const char kTemporaryFolderVariable[] = "TMP";

}  // namespace quorvane::test
