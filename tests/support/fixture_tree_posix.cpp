#include "support/fixture_tree.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace quorvane::test {

namespace {

[[noreturn]] void fail(const std::string& what, const std::string& path) {
    throw std::runtime_error(what + " " + path + ": " + std::strerror(errno));
}

}  // namespace

void MakeFolder(const std::string& path) {
    if (mkdir(path.c_str(), 0755) != 0) fail("mkdir", path);
}

void MakeFolders(const std::string& path) {
    for (size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
        mkdir(path.substr(0, slash).c_str(), 0755);
    }
    if (mkdir(path.c_str(), 0755) != 0 && errno != EEXIST) fail("mkdir", path);
}

void MakeFile(const std::string& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary);
    file << bytes;
    if (!file) fail("write", path);
}

void MakeLink(const std::string& path, const std::string& target) {
    if (symlink(target.c_str(), path.c_str()) != 0) fail("symlink", path);
}

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

std::vector<std::string> ListedNames(const std::string& folder) {
    std::vector<std::string> names;
    DIR* dir = opendir(folder.c_str());
    if (!dir) fail("opendir", folder);
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") names.push_back(name);
    }
    closedir(dir);
    return names;
}

std::string BuildAwkwardTree(const std::string& parent) {
    const std::string t = parent + "/tree";
    MakeFolder(t);
    MakeFolders(parent + "/outside/beyond");

    MakeFolders(t + "/Alpha/Alpha One/deep");
    MakeFolder(t + "/Alpha/alpha two");
    MakeFolders(t + "/Alpha/.hidden in alpha/never");
    MakeFile(t + "/Alpha/file.txt", "x");
    MakeLink(t + "/Alpha/loop", "..");   // the target itself
    MakeLink(t + "/Alpha/up", "../..");  // the target's parent
    MakeFolders(t + "/alpha/Sub");       // letter-case variants
    MakeFolder(t + "/ALPHA");

    MakeFolders(t + "/Beta Gamma/  two leading blanks");
    MakeFolder(t + "/Beta Gamma/trailing blank ");
    MakeFolders(t + "/.hidden/inner/innermost");
    MakeFile(t + "/file at top.txt", "y");
    MakeLink(t + "/link to Alpha", "Alpha");
    MakeLink(t + "/link to file", "file at top.txt");
    MakeLink(t + "/dangling", "nowhere");

    MakeFolders(t + "/caf\xe9 latin-1/\xff\xfe");  // not valid UTF-8
    MakeFolders(t + "/line\nbreak/child");

    std::string deep = t + "/deep";
    for (int level = 1; level <= 10; ++level)
        deep += "/d" + std::to_string(level);
    MakeFolders(deep);
    return t;
}

void MakeHidden(const std::string&) {}

void SetModified(const std::string& folder, std::int64_t seconds) {
    const timespec times[2] = {{seconds, 0}, {seconds, 0}};
    utimensat(AT_FDCWD, folder.c_str(), times, 0);
}

std::vector<ListedEntry> ListedEntries(const std::string& folder) {
    std::vector<ListedEntry> entries;
    DIR* dir = opendir(folder.c_str());
    if (!dir) return entries;
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        const std::string path = folder + name;
        struct stat st {};
        const bool typed = stat(path.c_str(), &st) == 0;
        struct stat own {};
        const bool exists = lstat(path.c_str(), &own) == 0;
        entries.push_back({name, name[0] == '.', typed ? S_ISDIR(st.st_mode) : !exists,
                           static_cast<std::uint64_t>(own.st_size)});
    }
    closedir(dir);
    return entries;
}

std::optional<std::pair<std::uint64_t, std::uint64_t>> IdentityOfPath(const std::string& path) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) return std::nullopt;
    return std::pair<std::uint64_t, std::uint64_t>{st.st_dev, st.st_ino};
}

const bool kNamesIgnoreCase = false;
const bool kOpenFilesCanBeRemoved = true;
const std::string kRootFolder = "/";

const int kMissingFolderError = ENOENT;

void ChangeLastError() {
    errno = EINTR;
}

const AwkwardTreeNames& AwkwardNames() {
    static const AwkwardTreeNames names{
        {"/.", ".hidden", "never", "innermost"},
        {"file at top.txt/", "link to file/", "dangling/", "Alpha/file.txt/"},
        {"Alpha/", "alpha/", "ALPHA/", "Beta Gamma/  two leading blanks/",
         "Beta Gamma/trailing blank /", "link to Alpha/", "link to Alpha/Alpha One/deep/",
         "caf\xe9 latin-1/\xff\xfe/", "line\nbreak/child/"},
    };
    return names;
}

}  // namespace quorvane::test
