#pragma once

// Runs the built quorvane-list, as a script would, and collects what it printed.

#include <sys/wait.h>

#include <cstdio>
#include <string>
#include <vector>

namespace quorvane {

struct ProgramRun {
    int status = -1;
    std::string output;
};

inline std::string quoted(const std::string& argument) {
    std::string text = "'";
    for (char c : argument)
        text += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return text + "'";
}

inline ProgramRun runList(const std::vector<std::string>& arguments) {
    std::string command = quoted(QUORVANE_LIST_PROGRAM);
    for (const std::string& argument : arguments)
        command += " " + quoted(argument);
    command += " 2>/dev/null";
    ProgramRun run;
    if (std::FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        size_t got = 0;
        while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
            run.output.append(buffer, got);
        const int status = pclose(pipe);
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    return run;
}

}  // namespace quorvane
