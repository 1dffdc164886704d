#include "support/temp_folder.h"

#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <vector>

namespace quorvane::test {

namespace {

int makeRemovable(const char* path, const struct stat*, int type, struct FTW*) {
    if (type == FTW_D || type == FTW_DNR) chmod(path, 0700);
    return 0;
}

}  // namespace

TempFolder::TempFolder() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/quorvane-test-XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (!mkdtemp(buffer.data())) throw std::runtime_error("cannot create " + pattern);
    path_ = buffer.data();
}

TempFolder::~TempFolder() {
    // A folder left without permissions cannot be emptied; a pre-order pass that does not
    // follow links gives every folder back its owner's rights first.
    chmod(path_.c_str(), 0700);
    nftw(path_.c_str(), makeRemovable, 16, FTW_PHYS);
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

}  // namespace quorvane::test
