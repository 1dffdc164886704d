// Where the scratch file that shut-down removes is looked for, never a folder that other
// users share, and how it is removed.

#include "form/scratch_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <optional>

#include "form/file_removal.h"
#include "support/fixture_tree.h"
#include "support/temp_folder.h"

namespace quorvane::test {
namespace {

// Sets or clears an environment variable for the life of the object.
class EnvironmentValue {
  public:
    EnvironmentValue(const char* name, std::optional<std::string> value) : name_(name) {
        if (const char* before = std::getenv(name)) before_ = before;
        if (value) {
            setenv(name, value->c_str(), 1);
        } else {
            unsetenv(name);
        }
    }
    ~EnvironmentValue() {
        if (before_) {
            setenv(name_, before_->c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }

  private:
    const char* name_;
    std::optional<std::string> before_;
};

TEST(ScratchFile, LiesInTheUsersOwnRuntimeFolderOrElseTheirCacheFolder) {
    TempFolder temp;
    const std::string privateFolder = temp / "runtime";
    const std::string sharedFolder = temp / "shared";
    MakeFolder(privateFolder);
    MakeFolder(sharedFolder);
    chmod(privateFolder.c_str(), 0700);
    chmod(sharedFolder.c_str(), 01777);  // as /tmp is
    const std::string cache = temp / "cache";
    const std::string home = temp / "home";

    using Value = std::optional<std::string>;
    struct Case {
        Value runtime, cacheHome;
        std::string expected;
    };
    const Case cases[] = {
        {privateFolder, cache, privateFolder + "/vrn.txt"},
        {sharedFolder, cache, cache + "/vrn.txt"},
        {temp / "missing", cache, cache + "/vrn.txt"},
        {std::nullopt, cache, cache + "/vrn.txt"},
        {"runtime", std::nullopt, home + "/.cache/vrn.txt"},
        {std::nullopt, "relative/cache", home + "/.cache/vrn.txt"},
    };
    const EnvironmentValue homeValue("HOME", home);
    for (const Case& c : cases) {
        const EnvironmentValue runtime("XDG_RUNTIME_DIR", c.runtime);
        const EnvironmentValue cacheHome("XDG_CACHE_HOME", c.cacheHome);
        EXPECT_EQ(ScratchFilePath(), c.expected) << c.runtime.value_or("(unset)");
    }
}

TEST(ScratchFile, ForcedRemovalOfALinkLeavesTheFileItLeadsToAsItWas) {
    TempFolder temp;
    const std::string kept = temp / "kept.txt";
    MakeFile(kept, "the user's own");
    chmod(kept.c_str(), 0444);
    const std::string link = temp / "vrn.txt";
    MakeLink(link, kept);

    EXPECT_TRUE(ForceDeleteFile(link));
    struct stat st;
    ASSERT_EQ(stat(kept.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0444u) << "the file behind the link was made writable";
}

}  // namespace
}  // namespace quorvane::test
