#include <windows.h>

#include <stdexcept>

#include "support/fixture_tree.h"
#include "support/run_program.h"
#include "support/temp_folder.h"
#include "support/wide_text.h"

namespace quorvane::test {

const char kErrorLineEnd[] = "\r\n";

namespace {

// One argument quoted so that the C runtime's parser (CommandLineToArgvW) gives it back
// unchanged: backslashes double only where a quote follows them.
std::wstring quoted(const std::wstring& argument) {
    if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos) {
        return argument;
    }
    std::wstring out = L"\"";
    size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        out.push_back(c);
    }
    out.append(backslashes * 2, L'\\');
    out.push_back(L'"');
    return out;
}

std::wstring besideThisProgram(const std::string& program) {
    if (program.find_first_of("\\/") != std::string::npos) return Wide(program);
    wchar_t self[32768];
    const DWORD length = GetModuleFileNameW(nullptr, self, 32768);
    std::wstring folder(self, length);
    folder.erase(folder.find_last_of(L'\\') + 1);
    return folder + Wide(program);
}

HANDLE inheritable(const std::wstring& path, DWORD access, DWORD disposition) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    return CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                       disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                         std::optional<unsigned> /*asUser*/) {
    // Output goes to files rather than pipes, so a program that writes much to both streams
    // cannot block on the one that is not being read.
    TempFolder scratch;
    const std::string outPath = scratch / "out";
    const std::string errPath = scratch / "err";
    const std::wstring application = besideThisProgram(program);
    std::wstring commandLine = quoted(application);
    for (const std::string& argument : arguments)
        commandLine += L" " + quoted(Wide(argument));

    HANDLE in = inheritable(L"NUL", GENERIC_READ, OPEN_EXISTING);
    HANDLE out = inheritable(Wide(outPath), GENERIC_WRITE, CREATE_ALWAYS);
    HANDLE err = inheritable(Wide(errPath), GENERIC_WRITE, CREATE_ALWAYS);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = in;
    startup.hStdOutput = out;
    startup.hStdError = err;
    PROCESS_INFORMATION process{};
    // It starts in the scratch folder: the test's own may be none that Windows can name.
    const bool started =
        CreateProcessW(application.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                       Wide(scratch.path()).c_str(), &startup, &process);
    const std::string startError = LastErrorText("CreateProcessW", Narrow(application));
    CloseHandle(in);
    CloseHandle(out);
    CloseHandle(err);
    if (!started) throw std::runtime_error(startError);

    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    ProgramResult result;
    if (GetExitCodeProcess(process.hProcess, &code)) result.exitCode = static_cast<int>(code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    result.out = ReadFile(outPath);
    result.err = ReadFile(errPath);
    return result;
}

}  // namespace quorvane::test
