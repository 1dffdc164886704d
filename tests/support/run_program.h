#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quorvane::test {

struct ProgramResult {
    int exitCode = -1;  // -1 when the program did not exit normally
    std::string out;
    std::string err;
};

// Runs `program` with `arguments`, standard input empty, and collects what it wrote. With
// `asUser` (POSIX only), the program runs under that user and group id (for tests that need
// permissions to apply although the tests run as root). On Windows a `program` named without
// a folder is the one beside the running test, and the arguments reach it as wide characters,
// so none is lost.
ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                         std::optional<unsigned> asUser = std::nullopt);

// How a program's standard error ends its lines: "\n", and on Windows, where it is in text
// mode, "\r\n".
extern const char kErrorLineEnd[];

// POSIX only: runs `body` in a child process and returns what it returned: for code that must meet
// permission checks although the tests run as root (with `asUser`), or that changes what the
// whole process sees, such as its mounts. Throws when the child does not end normally.
std::string RunInChild(const std::function<std::string()>& body,
                       std::optional<unsigned> asUser = std::nullopt);

// The id of an unprivileged user, when the tests run as root and such a user exists.
std::optional<unsigned> UnprivilegedUser();

}  // namespace quorvane::test
