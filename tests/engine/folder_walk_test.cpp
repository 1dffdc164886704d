#include "engine/folder_walk.h"

#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "support/expected_walk.h"
#include "support/fixture_tree.h"
#include "support/run_program.h"
#include "support/temp_folder.h"

namespace quorvane {
namespace {

using test::ExpectedWalk;
using test::ListedNames;
using test::MakeFolder;
using test::MakeFolders;
using test::MakeLink;
using test::TempFolder;

class CountingYield : public YieldHook {
  public:
    void yield() override { ++count; }
    int count = 0;
};

struct Unreadable {
    std::string path;
    int error;
};

class RecordingSink : public FolderSink {
  public:
    explicit RecordingSink(const CountingYield* yields = nullptr) : yields_(yields) {}

    void append(std::string_view folderPath) override {
        paths.emplace_back(folderPath);
        if (yields_) yieldsAtAppend.push_back(yields_->count);
    }
    void unreadable(std::string_view folderPath, int error) override {
        failures.push_back({std::string(folderPath), error});
    }

    std::vector<std::string> paths;
    std::vector<int> yieldsAtAppend;
    std::vector<Unreadable> failures;

  private:
    const CountingYield* yields_;
};

std::vector<std::string> Walk(const std::string& root, bool recurse, bool limitDepth,
                              std::int16_t depth) {
    RecordingSink sink;
    GetSubDirectoriesUnique(root, sink, recurse, limitDepth, depth);
    return sink.paths;
}

std::vector<std::string> WalkEvery(const std::string& root) {
    return Walk(root, true, false, 0);
}
std::vector<std::string> WalkDepth(const std::string& root, std::int16_t depth) {
    return Walk(root, true, true, depth);
}

std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

bool Contains(const std::vector<std::string>& paths, const std::string& path) {
    return std::find(paths.begin(), paths.end(), path) != paths.end();
}

// The example tree of the walk's documentation: T holds A and B, A holds A1 and A2, A1 holds
// A1a, B holds B1.
std::string BuildExampleTree(const TempFolder& temp) {
    const std::string t = temp / "T";
    MakeFolders(t + "/A/A1/A1a");
    MakeFolder(t + "/A/A2");
    MakeFolders(t + "/B/B1");
    return t + "/";
}

TEST(FolderWalk, EachFolderBlockComesAfterEverythingBelowIt) {
    TempFolder temp;
    const std::string t = BuildExampleTree(temp);
    const auto top = ListedNames(t);
    const auto inA = ListedNames(t + "A");
    const std::vector<std::string> belowA = {t + "A/A1/A1a/"};
    const std::vector<std::string> blockA = {t + "A/" + inA[0] + "/", t + "A/" + inA[1] + "/"};
    const std::vector<std::string> belowB = {t + "B/B1/"};
    const std::vector<std::string> blockT = {t + top[0] + "/", t + top[1] + "/"};
    const bool aFirst = top[0] == "A";

    const auto every = aFirst ? belowA + blockA + belowB : belowB + belowA + blockA;
    EXPECT_EQ(WalkEvery(t), every + blockT);
    const auto two = aFirst ? blockA + belowB : belowB + blockA;
    EXPECT_EQ(WalkDepth(t, 2), two + blockT);
    EXPECT_EQ(WalkDepth(t, 1), blockT);
    // The reference walk that the other tests lean on agrees with the rule spelled out here.
    EXPECT_EQ(ExpectedWalk(t), every + blockT);
}

TEST(FolderWalk, DepthLimitGivesLevelsOneToN) {
    TempFolder temp;
    const std::string t = test::BuildAwkwardTree(temp.path()) + "/";
    for (int depth : {1, 2, 3, 4}) {
        SCOPED_TRACE(depth);
        const auto found = WalkDepth(t, static_cast<std::int16_t>(depth));
        EXPECT_EQ(found, ExpectedWalk(t, depth));
        // The chain t/deep/d1/d2/... has a folder on every level.
        std::string deepest = t + "deep/";
        for (int level = 1; level < depth; ++level)
            deepest += "d" + std::to_string(level) + "/";
        EXPECT_TRUE(Contains(found, deepest));
        EXPECT_FALSE(Contains(found, deepest + "d" + std::to_string(depth) + "/"));
    }
}

TEST(FolderWalk, DepthBelowOneAndRecurseFalseGiveOnlyTheFirstLevel) {
    TempFolder temp;
    const std::string t = BuildExampleTree(temp);
    const auto first = WalkDepth(t, 1);
    ASSERT_EQ(first.size(), 2u);
    EXPECT_EQ(WalkDepth(t, 0), first);
    EXPECT_EQ(WalkDepth(t, -1), first);
    EXPECT_EQ(WalkDepth(t, -32768), first);
    EXPECT_EQ(Walk(t, false, false, 0), first);
    EXPECT_EQ(Walk(t, false, true, 5), first);
}

TEST(FolderWalk, AwkwardTreeGivesTheListingOrderAndNothingElse) {
    TempFolder temp;
    const std::string t = test::BuildAwkwardTree(temp.path()) + "/";
    const auto found = WalkEvery(t);
    EXPECT_EQ(found, ExpectedWalk(t));

    EXPECT_EQ(std::set<std::string>(found.begin(), found.end()).size(), found.size())
        << "a folder listed twice";
    for (const std::string& path : found) {
        EXPECT_EQ(path.find("/."), std::string::npos) << "hidden folder listed: " << path;
        for (const char* hidden : test::kAwkwardHiddenNames) {
            EXPECT_EQ(path.find(hidden), std::string::npos) << "entered a hidden folder: " << path;
        }
    }
    for (const char* notFolder :
         {"file at top.txt/", "link to file/", "dangling/", "Alpha/file.txt/"}) {
        EXPECT_FALSE(Contains(found, t + notFolder)) << notFolder;
    }
    for (const char* folder :
         {"Alpha/", "alpha/", "ALPHA/", "Beta Gamma/  two leading blanks/",
          "Beta Gamma/trailing blank /", "link to Alpha/", "link to Alpha/Alpha One/deep/",
          "caf\xe9 latin-1/\xff\xfe/", "line\nbreak/child/"}) {
        EXPECT_TRUE(Contains(found, t + folder)) << folder;
    }
}

TEST(FolderWalk, LinkLoopEndsListingTheLinkOnceAndNothingBelowItTwice) {
    TempFolder temp;
    const std::string t = test::BuildAwkwardTree(temp.path()) + "/";
    const auto found = WalkEvery(t);
    // Alpha/loop leads back to the target, Alpha/up to the folder that holds it: both are
    // listed, and the target seen from above is listed but not entered again.
    EXPECT_EQ(std::count(found.begin(), found.end(), t + "Alpha/loop/"), 1);
    EXPECT_TRUE(Contains(found, t + "Alpha/up/"));
    EXPECT_TRUE(Contains(found, t + "Alpha/up/outside/beyond/"));
    EXPECT_TRUE(Contains(found, t + "Alpha/up/tree/"));
    for (const std::string& path : found) {
        EXPECT_FALSE(path.starts_with(t + "Alpha/loop/") && path != t + "Alpha/loop/") << path;
        EXPECT_FALSE(path.starts_with(t + "Alpha/up/tree/") && path != t + "Alpha/up/tree/")
            << path;
    }
}

TEST(FolderWalk, UnreadableFolderAddsNothingAndIsReported) {
    TempFolder temp;
    chmod(temp.path().c_str(), 0755);
    const std::string t = temp / "T/";
    MakeFolders(t + "open/inside");
    MakeFolders(t + "locked/kept out");
    chmod((t + "locked").c_str(), 0);

    const auto walk = [&] {
        RecordingSink sink;
        GetSubDirectoriesUnique(t, sink, true, false, 0);
        std::string outcome;
        for (const auto& path : sink.paths)
            outcome += path + "\n";
        for (const auto& failure : sink.failures) {
            outcome += "unreadable " + failure.path + " " + std::to_string(failure.error) + "\n";
        }
        return outcome;
    };
    std::string outcome;
    if (const auto user = test::UnprivilegedUser()) {
        outcome = test::RunInChild(walk, *user);
    } else if (geteuid() != 0) {
        outcome = walk();
    } else {
        GTEST_SKIP() << "running as root without an unprivileged user to drop to";
    }
    chmod((t + "locked").c_str(), 0755);

    std::string expected = t + "open/inside/\n";
    for (const auto& name : ListedNames(t))
        expected += t + name + "/\n";
    expected += "unreadable " + t + "locked/ " + std::to_string(EACCES) + "\n";
    EXPECT_EQ(outcome, expected);
}

TEST(FolderWalk, DriveWalkListsButNeverEntersAnotherVolume) {
    TempFolder temp;
    const std::string t = temp / "T/";
    MakeFolders(t + "plain/sub");
    MakeFolder(t + "mounted");
    // A volume mounted inside the tree, in a mount namespace of a child process of its own,
    // so nothing is left mounted whatever happens.
    const auto walk = [&] {
        if (unshare(CLONE_NEWNS) != 0 ||
            mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            mount("quorvane-test", (t + "mounted").c_str(), "tmpfs", 0, nullptr) != 0) {
            return std::string("cannot mount");
        }
        MakeFolder(t + "mounted/inner");
        std::string outcome;
        for (bool stayOnVolume : {true, false}) {
            RecordingSink sink;
            WalkContext context;
            context.stayOnVolume = stayOnVolume;
            GetSubDirectoriesUnique(t, sink, true, false, 0, context);
            for (const auto& path : sink.paths)
                outcome += path + "\n";
            outcome += "unreadable: " + std::to_string(sink.failures.size()) + "\n";
        }
        return outcome;
    };
    const std::string outcome = test::RunInChild(walk);
    if (outcome == "cannot mount") GTEST_SKIP() << "no right to mount a volume here";

    std::string block, below;
    for (const auto& name : ListedNames(t)) {
        block += t + name + "/\n";
        below += t + name + (name == "plain" ? "/sub/\n" : "/inner/\n");
    }
    // A folder target crosses into the volume; a drive target lists it without entering.
    EXPECT_EQ(outcome,
              t + "plain/sub/\n" + block + "unreadable: 0\n" + below + block + "unreadable: 0\n");
}

// Takes a folder away once the listing of its parent has read it, so the walk meets a
// folder that is gone by the time it descends.
class RenamingYield : public YieldHook {
  public:
    RenamingYield(std::string from, std::string to) : from_(std::move(from)), to_(std::move(to)) {}
    void yield() override {
        // The first yield comes as the target's listing starts, the second once it has read
        // its first entries.
        if (++count_ == 2) std::rename(from_.c_str(), to_.c_str());
    }

  private:
    std::string from_, to_;
    int count_ = 0;
};

TEST(FolderWalk, FolderGoneBeforeItsDescentAddsNothingAndTheWalkGoesOn) {
    TempFolder temp;
    const std::string t = temp / "T/";
    MakeFolders(t + "gone/below");
    MakeFolders(t + "stays/below");
    const auto listed = ListedNames(t);
    RenamingYield renamer(t + "gone", t + ".moved away");
    RecordingSink sink;
    GetSubDirectoriesUnique(t, sink, true, false, 0, {&renamer});

    std::vector<std::string> expected{t + "stays/below/"};
    for (const auto& name : listed)
        expected.push_back(t + name + "/");
    EXPECT_EQ(sink.paths, expected);
    ASSERT_EQ(sink.failures.size(), 1u);
    EXPECT_EQ(sink.failures[0].path, t + "gone/");
    EXPECT_EQ(sink.failures[0].error, ENOENT);
}

// Handles events the way a window does, leaving errno changed behind it.
class ErrnoChangingYield : public YieldHook {
  public:
    void yield() override { errno = EINTR; }
};

TEST(FolderWalk, MissingTargetAddsNothingAndIsReportedWithItsOwnError) {
    TempFolder temp;
    RecordingSink sink;
    ErrnoChangingYield yield;
    GetSubDirectoriesUnique(temp / "no such folder/", sink, true, false, 0, {&yield});
    EXPECT_TRUE(sink.paths.empty());
    ASSERT_EQ(sink.failures.size(), 1u);
    EXPECT_EQ(sink.failures[0].path, temp / "no such folder/");
    EXPECT_EQ(sink.failures[0].error, ENOENT);
}

TEST(FolderWalk, DoubledSeparatorsInTheTargetDoNotReachTheResults) {
    TempFolder temp;
    const std::string t = test::BuildAwkwardTree(temp.path()) + "/";
    const std::string doubled = temp.path() + "//tree//";
    const auto found = WalkEvery(doubled);
    EXPECT_EQ(found, ExpectedWalk(t));
    EXPECT_EQ(WalkDepth(doubled, 2), ExpectedWalk(t, 2));
}

TEST(FolderWalk, YieldsOnceAtEachListingStartEachEntryAndEachResult) {
    TempFolder temp;
    const std::string t = BuildExampleTree(temp);
    MakeFolder(t + ".hidden");
    test::MakeFile(t + "A/file");

    CountingYield yields;
    RecordingSink sink(&yields);
    GetSubDirectoriesUnique(t, sink, true, false, 0, {&yields});

    // Every folder found is listed too; each listing yields as it starts and once per entry
    // that the file system gives, "." and ".." and hidden ones included.
    int expected = 1 + static_cast<int>(ListedNames(t).size()) + 2;
    for (const std::string& folder : sink.paths) {
        expected += 1 + static_cast<int>(ListedNames(folder).size()) + 2;
    }
    expected += static_cast<int>(sink.paths.size());
    EXPECT_EQ(yields.count, expected);
    for (size_t i = 1; i < sink.yieldsAtAppend.size(); ++i) {
        EXPECT_GT(sink.yieldsAtAppend[i], sink.yieldsAtAppend[i - 1])
            << "no yield before result " << i;
    }
}

TEST(FolderWalk, VeryDeepTreeIsWalkedToTheBottom) {
    TempFolder temp;
    const std::string t = temp / "T/";
    // Deeper than the walk keeps handles open for, with a side branch on every level.
    MakeFolder(t);
    std::string folder = t;
    for (int level = 1; level <= 150; ++level) {
        folder += "n" + std::to_string(level % 10) + "/";
        MakeFolder(folder);
        MakeFolder(folder + "side");
    }
    const auto found = WalkEvery(t);
    EXPECT_EQ(found.size(), 300u);
    EXPECT_EQ(found, ExpectedWalk(t));
    EXPECT_EQ(WalkDepth(t, 140), ExpectedWalk(t, 140));
}

// Takes `room` folders, then no more, as a sink whose output failed.
class StoppingSink : public RecordingSink {
  public:
    StoppingSink(const CountingYield* yields, size_t room) : RecordingSink(yields), room_(room) {}
    bool stopped() const override { return paths.size() >= room_; }

  private:
    size_t room_;
};

TEST(FolderWalk, SinkThatStopsEndsTheWalkAtOnce) {
    TempFolder temp;
    const std::string t = temp / "T/";
    for (const char* folder : {"a/1/x", "a/2", "b/1/y", "c"})
        MakeFolders(t + folder);

    CountingYield yields;
    StoppingSink one(&yields, 1);
    GetSubDirectoriesUnique(t, one, true, false, 0, WalkContext{&yields});
    ASSERT_EQ(one.paths.size(), 1u);
    // Nothing ran after the stop: no further listing, no further result.
    EXPECT_EQ(yields.count, one.yieldsAtAppend[0]);

    CountingYield none;
    StoppingSink closed(&none, 0);
    GetSubDirectoriesUnique(t, closed, true, false, 0, WalkContext{&none});
    EXPECT_TRUE(closed.paths.empty());
    EXPECT_EQ(none.count, 0) << "the target was listed";
}

}  // namespace
}  // namespace quorvane
