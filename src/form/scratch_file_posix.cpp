#include "form/scratch_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace quorvane {

namespace {

constexpr char kScratchName[] = "vrn.txt";

// An environment variable's value when it is an absolute path (the XDG rule: a relative one
// is to be ignored).
std::string AbsolutePathIn(const char* variable) {
    const char* value = std::getenv(variable);
    return value && value[0] == '/' ? std::string(value) : std::string();
}

// A runtime folder is the user's own only if the user owns it and no one else may enter it;
// a variable kept across a change of user (sudo) may name another's.
bool IsPrivateFolder(const std::string& folder) {
    struct stat st;
    return stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == getuid() &&
           (st.st_mode & (S_IRWXG | S_IRWXO)) == 0;
}

std::string UserFolderForScratch() {
    if (std::string runtime = AbsolutePathIn("XDG_RUNTIME_DIR");
        !runtime.empty() && IsPrivateFolder(runtime)) {
        return runtime;
    }
    if (std::string cache = AbsolutePathIn("XDG_CACHE_HOME"); !cache.empty()) return cache;
    if (std::string home = AbsolutePathIn("HOME"); !home.empty()) return home + "/.cache";
    return {};
}

}  // namespace

std::string ScratchFilePath() {
    const std::string folder = UserFolderForScratch();
    return folder.empty() ? std::string() : folder + '/' + kScratchName;
}

}  // namespace quorvane
