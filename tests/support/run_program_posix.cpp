#include "support/run_program.h"

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

#include "support/fixture_tree.h"
#include "support/temp_folder.h"

namespace quorvane::test {

const char kErrorLineEnd[] = "\n";

namespace {

bool becomeUser(unsigned user) {
    const passwd* account = getpwuid(user);
    const gid_t group = account ? account->pw_gid : user;
    return setgroups(0, nullptr) == 0 && setgid(group) == 0 && setuid(user) == 0;
}

}  // namespace

ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                         std::optional<unsigned> asUser) {
    // Output goes to files rather than pipes, so a program that writes much to both streams
    // cannot block on the one that is not being read.
    TempFolder scratch;
    const std::string outPath = scratch / "out";
    const std::string errPath = scratch / "err";
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    const pid_t child = fork();
    if (child < 0) throw std::runtime_error("fork failed");
    if (child == 0) {
        const int in = open("/dev/null", O_RDONLY);
        const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
        const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
        if (in < 0 || out < 0 || err < 0) _exit(127);
        dup2(in, 0);
        dup2(out, 1);
        dup2(err, 2);
        if (asUser && !becomeUser(*asUser)) _exit(126);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ProgramResult result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = ReadFile(outPath);
    result.err = ReadFile(errPath);
    return result;
}

std::string RunInChild(const std::function<std::string()>& body, std::optional<unsigned> asUser) {
    int channel[2];
    if (pipe(channel) != 0) throw std::runtime_error("pipe failed");
    const pid_t child = fork();
    if (child < 0) throw std::runtime_error("fork failed");
    if (child == 0) {
        close(channel[0]);
        if (asUser && !becomeUser(*asUser)) _exit(126);
        const std::string answer = body();
        for (size_t done = 0; done < answer.size();) {
            const ssize_t wrote = write(channel[1], answer.data() + done, answer.size() - done);
            if (wrote <= 0) _exit(125);
            done += static_cast<size_t>(wrote);
        }
        _exit(0);
    }
    close(channel[1]);
    std::string answer;
    char buffer[4096];
    for (ssize_t got; (got = read(channel[0], buffer, sizeof buffer)) > 0;)
        answer.append(buffer, got);
    close(channel[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) throw std::runtime_error("child failed");
    return answer;
}

std::optional<unsigned> UnprivilegedUser() {
    if (geteuid() != 0) return std::nullopt;
    const passwd* nobody = getpwnam("nobody");
    if (!nobody) return std::nullopt;
    return nobody->pw_uid;
}

}  // namespace quorvane::test
