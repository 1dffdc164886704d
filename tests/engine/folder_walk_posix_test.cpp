// The walk where only POSIX has what it meets: links, permissions, mounts, limits on open
// files, and renames under a walk that holds descriptors.

#include "engine/folder_walk.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "engine/folder_access.h"
#include "engine/walk_test_support.h"
#include "support/expected_walk.h"
#include "support/fixture_tree.h"
#include "support/run_program.h"
#include "support/temp_folder.h"

namespace quorvane::walk_test {
namespace {

using test::ExpectedWalk;
using test::ListedNames;
using test::MakeFolder;
using test::MakeFolders;
using test::MakeLink;
using test::TempFolder;

// Leaves out the folders named "deep", and the one folder "Beta Gamma/  two leading blanks".
class TestExclusion : public FolderExclusion {
  public:
    bool needsPath() const override { return true; }
    bool excludes(std::string_view name, std::string_view relativePath) const override {
        return name == "deep" || relativePath == "Beta Gamma/  two leading blanks";
    }
};

// Every rule of the listing (hidden folders, an order, exclusions by name and by path, the
// facts of each folder and their totals) holds whoever reads the folders.
TEST_P(FolderWalk, ListingRulesHoldWhoeverReadsTheFolders) {
    TempFolder temp;
    const std::string t = test::BuildAwkwardTree(temp.path()) + "/";
    test::MakeFile(t + "Alpha/file two.txt", "12345");
    const TestExclusion exclusion;
    class FactsSink : public FolderSink {
      public:
        void append(const ListedFolder& folder) override {
            rows += std::string(folder.entry) + " " + std::to_string(folder.level);
            if (folder.facts) {
                rows += " " + std::to_string(folder.facts->entries) + " " +
                        std::to_string(folder.facts->files) + " " +
                        std::to_string(folder.facts->folders) + " " +
                        std::to_string(folder.facts->bytes) + " " +
                        std::to_string(folder.facts->modified.value_or(-1));
            }
            rows += "\n";
        }
        std::string rows;
    };
    for (const DepthChoice depth : {DepthChoice{}, DepthChoice{true, 2}}) {
        WalkOptions options = Options();
        options.depth = depth;
        options.rules = {true, NameOrder::Natural, &exclusion, FactsWanted::CountsAndSize, true};
        FactsSink ahead;
        WalkAll(t, options, ahead);
        options.threads = 1;
        FactsSink alone;
        WalkAll(t, options, alone);
        EXPECT_EQ(ahead.rows, alone.rows);
        EXPECT_NE(alone.rows.find(t + ".hidden"), std::string::npos);
        EXPECT_EQ(alone.rows.find("/deep"), std::string::npos);
        EXPECT_EQ(alone.rows.find("two leading"), std::string::npos);
        EXPECT_NE(alone.rows.find(t + "Alpha 1 "), std::string::npos) << "no facts";
    }
}

TEST_P(FolderWalk, LinkLoopEndsListingTheLinkOnceAndNothingBelowItTwice) {
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

TEST_P(FolderWalk, UnreadableFolderAddsNothingAndIsReported) {
    TempFolder temp;
    chmod(temp.path().c_str(), 0755);
    const std::string t = temp / "T/";
    MakeFolders(t + "open/inside");
    MakeFolders(t + "locked/kept out");
    chmod((t + "locked").c_str(), 0);

    const auto walk = [&] {
        RecordingSink sink;
        WalkAll(t, Options(), sink);
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

TEST_P(FolderWalk, DriveWalkListsButNeverEntersAnotherVolume) {
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
            WalkAll(t, Options(nullptr, stayOnVolume), sink);
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

TEST_P(FolderWalk, FolderGoneBeforeItsDescentAddsNothingAndTheWalkGoesOn) {
    TempFolder temp;
    const std::string t = temp / "T/";
    MakeFolders(t + "gone/below");
    MakeFolders(t + "stays/below");
    const auto listed = ListedNames(t);
    RenamingYield renamer(t + "gone", t + ".moved away");
    RecordingSink sink;
    WalkAll(t, Options(&renamer), sink);

    std::vector<std::string> expected{t + "stays/below/"};
    for (const auto& name : listed)
        expected.push_back(t + name + "/");
    EXPECT_EQ(sink.paths, expected);
    ASSERT_EQ(sink.failures.size(), 1u);
    EXPECT_EQ(sink.failures[0].path, t + "gone/");
    EXPECT_EQ(sink.failures[0].error, ENOENT);
}

TEST(FolderWalkOnOneThread, YieldsOnceAtEachListingStartEachEntryAndEachResult) {
    TempFolder temp;
    const std::string t = BuildExampleTree(temp);
    MakeFolder(t + ".hidden");
    test::MakeFile(t + "A/file");

    CountingYield yields;
    RecordingSink sink(&yields);
    WalkOptions options;
    options.yield = &yields;
    options.threads = 1;
    WalkAll(t, options, sink);

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

// Builds the chain below `root` (which exists) relative to open folders, since its paths
// outgrow what the system takes, with a side folder every `sideEvery` levels. Returns every
// folder's path below `root`, in folder path form.
std::vector<std::string> MakeDeepChain(const std::string& root, int levels, int sideEvery) {
    std::vector<std::string> made;
    std::string relative;
    int at = open(root.c_str(), O_RDONLY | O_DIRECTORY);
    for (int level = 1; level <= levels && at >= 0; ++level) {
        mkdirat(at, "ddd", 0755);
        relative += "ddd/";
        made.push_back(relative);
        const int next = openat(at, "ddd", O_RDONLY | O_DIRECTORY);
        close(at);
        at = next;
        if (level % sideEvery == 0 && at >= 0) {
            mkdirat(at, "side", 0755);
            made.push_back(relative + "side/");
        }
    }
    if (at >= 0) close(at);
    return made;
}

TEST_P(FolderWalk, ChainLongerThanAPathAndDeeperThanTheDescriptorsIsListedInFull) {
    TempFolder temp;
    const std::string t = temp / "T/";
    MakeFolders(t + "chain");
    MakeLink(t + "link", t + "chain");
    // 1100 levels of four bytes each: the deepest paths are past 4096 bytes.
    const auto below = MakeDeepChain(t + "chain", 1100, 400);
    std::multiset<std::string> expected;
    for (const char* top : {"chain/", "link/"}) {
        expected.insert(t + top);
        for (const auto& path : below)
            expected.insert(t + top + path);
    }
    const auto walk = [&] {
        // Far fewer descriptors than levels, as `ulimit -n 24` gives.
        rlimit limit{};
        getrlimit(RLIMIT_NOFILE, &limit);
        limit.rlim_cur = 24;
        if (setrlimit(RLIMIT_NOFILE, &limit) != 0) return std::string("no limit");
        RecordingSink sink;
        WalkAll(t, Options(), sink);
        std::multiset<std::string> found(sink.paths.begin(), sink.paths.end());
        std::string outcome = "listed " + std::to_string(sink.paths.size()) + "\n";
        for (const auto& path : expected) {
            if (!found.contains(path)) outcome += "missing " + path.substr(0, 200) + "\n";
        }
        for (const auto& failure : sink.failures)
            outcome += "unreadable " + failure.path.substr(0, 200) + "\n";
        return outcome;
    };
    EXPECT_EQ(test::RunInChild(walk), "listed " + std::to_string(expected.size()) + "\n");
}

TEST_P(FolderWalk, MountOfAnOuterFolderInsideIsListedButNotEntered) {
    TempFolder temp;
    const std::string t = temp / "T/";
    MakeFolders(t + "sub/loop");
    MakeFolders(t + "sub/plain");
    // The target mounted again below itself: without a check of every folder's identity the
    // walk would never end.
    const auto walk = [&] {
        if (unshare(CLONE_NEWNS) != 0 ||
            mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            mount(t.c_str(), (t + "sub/loop").c_str(), nullptr, MS_BIND, nullptr) != 0) {
            return std::string("cannot mount");
        }
        std::string outcome;
        for (const auto& path : WalkEvery(t))
            outcome += path + "\n";
        return outcome;
    };
    const std::string outcome = test::RunInChild(walk);
    if (outcome == "cannot mount") GTEST_SKIP() << "no right to mount a folder here";
    std::string block;
    for (const auto& name : ListedNames(t + "sub"))
        block += t + "sub/" + name + "/\n";
    EXPECT_EQ(outcome, block + t + "sub/\n");
}

// Puts a link to a folder outside the tree in place of `folder` once the target's listing has
// read its first entry: the walk has the folder's name, but has not opened it yet.
class ReplacingYield : public YieldHook {
  public:
    ReplacingYield(std::string folder, std::string outside, std::string movedTo)
        : folder_(std::move(folder)), outside_(std::move(outside)), movedTo_(std::move(movedTo)) {}
    void yield() override {
        if (++count_ != 2) return;
        std::rename(folder_.c_str(), movedTo_.c_str());
        MakeLink(folder_, outside_);
    }

  private:
    std::string folder_, outside_, movedTo_;
    int count_ = 0;
};

TEST_P(FolderWalk, FolderReplacedByALinkOnceListedLeadsNowhere) {
    TempFolder temp;
    const std::string t = temp / "T/";
    MakeFolders(t + "inner/genuine");
    MakeFolders(temp / "outside/secret");
    ReplacingYield replacer(t + "inner", temp / "outside", t + ".moved");
    RecordingSink sink;
    WalkAll(t, Options(&replacer), sink);
    EXPECT_EQ(sink.paths, std::vector<std::string>{t + "inner/"});
    ASSERT_EQ(sink.failures.size(), 1u);
    EXPECT_EQ(sink.failures[0].path, t + "inner/");
    EXPECT_NE(sink.failures[0].error, 0);
}

TEST_P(FolderWalk, RenamesDuringTheWalkNeverMixAFolderWithOneFromOutside) {
    TempFolder temp;
    const std::string t = temp / "T/";
    for (int i = 0; i < 20; ++i) {
        MakeFolders(t + "A/sub" + std::to_string(i) + "/genuine");
        MakeFolders(temp / "outside/sub" + std::to_string(i) + "/intruder");
    }
    // Over and over: A moved away and a link to the lookalike outside put in its place, then
    // A put back.
    std::atomic<bool> done{false};
    std::thread swapper([&] {
        const std::string a = t + "A", away = t + ".A";
        while (!done) {
            std::rename(a.c_str(), away.c_str());
            // A race lost to the walk now and then is what the test wants.
            if (symlink((temp / "outside").c_str(), a.c_str()) == 0) unlink(a.c_str());
            std::rename(away.c_str(), a.c_str());
        }
    });
    for (int round = 0; round < 100; ++round) {
        bool genuine = false, intruder = false;
        for (const std::string& path : WalkEvery(t)) {
            genuine = genuine || path.find("/genuine/") != std::string::npos;
            intruder = intruder || path.find("/intruder/") != std::string::npos;
        }
        EXPECT_FALSE(genuine && intruder) << "round " << round;
    }
    done = true;
    swapper.join();
}

// Once the walk is at the bottom of a chain deeper than it may hold, swaps the upper chain for
// a lookalike whose every level also holds "side/intruder".
class SwappingSink : public RecordingSink {
  public:
    SwappingSink(std::string upper, int levels) : upper_(std::move(upper)), levels_(levels) {}
    void append(const ListedFolder& folder) override {
        RecordingSink::append(folder);
        if (swapped_) return;
        swapped_ = true;
        std::rename(upper_.c_str(), (upper_ + ".gone").c_str());
        std::string level = upper_ + "/";
        MakeFolder(level);
        for (int i = 0; i < levels_; ++i) {
            MakeFolders(level + "side/intruder");
            level += "c/";
            MakeFolder(level);
        }
    }

  private:
    std::string upper_;
    int levels_;
    bool swapped_ = false;
};

TEST_P(FolderWalk, FolderMovedWhileLetGoIsFollowedAndNothingFromItsPlaceGetsIn) {
    TempFolder temp;
    const std::string t = temp / "T/";
    std::string level = t;
    MakeFolder(t);
    for (int i = 1; i <= 40; ++i) {
        level += "c/";
        MakeFolder(level);
        MakeFolder(level + "side");
    }
    const auto walk = [&] {
        rlimit limit{};
        getrlimit(RLIMIT_NOFILE, &limit);
        limit.rlim_cur = 24;
        if (setrlimit(RLIMIT_NOFILE, &limit) != 0) return std::string("no limit");
        SwappingSink sink(t + "c/c", 38);
        WalkAll(t, Options(), sink);
        int intruders = 0;
        for (const auto& path : sink.paths)
            intruders += path.find("intruder") != std::string::npos;
        return "listed " + std::to_string(sink.paths.size()) + ", intruders " +
               std::to_string(intruders) + ", unreadable " + std::to_string(sink.failures.size());
    };
    // The walk comes back up through the folders it let go from those below them, so it
    // finishes the moved chain where it went, under the paths it had.
    EXPECT_EQ(test::RunInChild(walk), "listed 80, intruders 0, unreadable 0");
}

// Once the walk is below T/a/link (which leads to T/b/real), replaces T/a by a lookalike: the
// walk, back in T/a, can reach it neither from below (the link's folder lies elsewhere) nor by
// its path (another folder is there now).
class ReplacingSink : public RecordingSink {
  public:
    explicit ReplacingSink(std::string t) : t_(std::move(t)) {}
    void append(const ListedFolder& folder) override {
        RecordingSink::append(folder);
        if (replaced_) return;
        replaced_ = true;
        std::rename((t_ + "a").c_str(), (t_ + "a.gone").c_str());
        MakeFolders(t_ + "a/z/intruder");
    }

  private:
    std::string t_;
    bool replaced_ = false;
};

// On one thread, so that no other thread has reached the rest of T/a through a hold of its own.
TEST(FolderWalkOnOneThread, FolderMovedOutOfReachIsReportedByItsOwnPathAndTheWalkGoesOn) {
    TempFolder temp;
    const std::string t = temp / "T/";
    MakeFolders(t + "a/z");
    MakeFolders(t + "b/real");
    MakeFolders(t + "c/after");
    MakeLink(t + "a/link", t + "b/real");
    std::string chain = t + "b/real/";
    for (int i = 0; i < 40; ++i)
        MakeFolder(chain += "d/");
    const auto walk = [&] {
        rlimit limit{};
        getrlimit(RLIMIT_NOFILE, &limit);
        limit.rlim_cur = 24;
        if (setrlimit(RLIMIT_NOFILE, &limit) != 0) return std::string("no limit");
        ReplacingSink sink(t);
        WalkOptions options;
        options.threads = 1;
        options.rules.order = NameOrder::Bytes;  // "link" before "z", "a" before "b" and "c"
        WalkAll(t, options, sink);
        std::string outcome;
        for (const auto& path : sink.paths) {
            if (path.find("intruder") != std::string::npos || path.starts_with(t + "c/")) {
                outcome += path.substr(t.size()) + "\n";
            }
        }
        for (const auto& failure : sink.failures)
            outcome += "unreadable " + failure.path.substr(t.size()) + " " +
                       std::to_string(failure.error) + "\n";
        return outcome;
    };
    EXPECT_EQ(test::RunInChild(walk),
              "c/after/\nc/\nunreadable a/ " + std::to_string(ENOENT) + "\n");
}

// Lowers the limit on open files and takes all but `free` of what it leaves, as a caller that
// holds many files open does. For a child process: the files stay open.
void LeaveFreeDescriptors(int free) {
    rlimit limit{};
    getrlimit(RLIMIT_NOFILE, &limit);
    limit.rlim_cur = 256;
    setrlimit(RLIMIT_NOFILE, &limit);
    std::vector<int> taken;
    for (int fd; (fd = open("/dev/null", O_RDONLY)) >= 0;)
        taken.push_back(fd);
    for (int k = 0; k < free && !taken.empty(); ++k) {
        close(taken.back());
        taken.pop_back();
    }
}

// Once the walk is under way, takes every descriptor left, as another part of the program
// might, and gives them back a while later: the walk gives back what it holds and goes on, or
// fails where it has nothing left to give.
class HoggingSink : public RowSink, public YieldHook {
  public:
    void append(const ListedFolder& folder) override {
        RowSink::append(folder);
        if (++appended_ != 40) return;
        for (int fd; (fd = open("/dev/null", O_RDONLY)) >= 0;)
            taken_.push_back(fd);
    }
    void yield() override {
        if (taken_.empty() || ++yieldsSince_ < 30) return;
        for (int fd : taken_)
            close(fd);
        taken_.clear();
    }

  private:
    int appended_ = 0;
    int yieldsSince_ = 0;
    std::vector<int> taken_;
};

// "whole" for the whole list, "failed" for a walk that failed for want of descriptors; any
// other outcome is a fault.
std::string OutcomeOf(Status walked, const std::string& rows, const std::string& whole) {
    if (!walked.ok())
        return walked.code() == EMFILE ? "failed" : "failed with " + std::to_string(walked.code());
    return rows == whole ? "whole" : "a shorter list";
}

TEST(FolderWalkShortage, WholeListWhateverDescriptorsAreFreeOrAFailureNeverLess) {
    TempFolder temp;
    const std::string t = BuildSpreadTree(temp.path(), 600, 11);
    RowSink reference;
    WalkAll(t, WalkOptions(), reference);
    for (const unsigned threads : {1u, 0u, 4u}) {
        SCOPED_TRACE(threads);
        // The target and one folder below it are all a walk needs to hold.
        for (const int free : {4, 6, 10, 20, 50}) {
            SCOPED_TRACE(free);
            const std::string outcome = test::RunInChild([&] {
                LeaveFreeDescriptors(free);
                RowSink sink;
                WalkOptions options;
                options.threads = threads;
                return OutcomeOf(WalkFolders(t, options, sink), sink.rows, reference.rows);
            });
            EXPECT_EQ(outcome, "whole");
        }
        const std::string outcome = test::RunInChild([&] {
            LeaveFreeDescriptors(60);
            HoggingSink sink;
            WalkOptions options;
            options.threads = threads;
            options.yield = &sink;
            return OutcomeOf(WalkFolders(t, options, sink), sink.rows, reference.rows);
        });
        EXPECT_TRUE(outcome == "whole" || outcome == "failed") << outcome;
    }
}

// Mounts a volume on `folder` as the target's listing reads its first entry: after the walk
// has read the mount table, before it opens any subfolder.
class MountingYield : public YieldHook {
  public:
    explicit MountingYield(std::string folder) : folder_(std::move(folder)) {}
    void yield() override {
        if (++count_ != 2) return;
        mounted = mount("quorvane-test", folder_.c_str(), "tmpfs", 0, nullptr) == 0;
        if (mounted) MakeFolder(folder_ + "/inner");
    }
    bool mounted = false;

  private:
    std::string folder_;
    int count_ = 0;
};

TEST_P(FolderWalk, DriveWalkNeverEntersAVolumeMountedDuringIt) {
    TempFolder temp;
    const std::string t = temp / "T/";
    MakeFolders(t + "plain/sub");
    MakeFolder(t + "mounted later");
    const auto walk = [&] {
        if (unshare(CLONE_NEWNS) != 0 ||
            mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
            return std::string("cannot mount");
        }
        MountingYield mounting(t + "mounted later");
        RecordingSink sink;
        WalkAll(t, Options(&mounting, true), sink);
        if (!mounting.mounted) return std::string("cannot mount");
        std::string outcome;
        for (const auto& path : sink.paths)
            outcome += path.substr(t.size()) + "\n";
        return outcome;
    };
    const std::string outcome = test::RunInChild(walk);
    if (outcome == "cannot mount") GTEST_SKIP() << "no right to mount a volume here";
    std::string block;
    for (const auto& name : ListedNames(t))
        block += name + "/\n";
    EXPECT_EQ(outcome, "plain/sub/\n" + block);
}

// The readdir reading, used where getdents64 is missing, forced here: a folder read to its end
// is no failure, whatever error a stat of a dangling link left behind.
TEST(FolderRead, ReaddirGivesWhatGetdentsGivesAndNoFalseError) {
    TempFolder temp;
    const std::string t = test::BuildAwkwardTree(temp.path()) + "/";
    // Each reading from a folder held apart: they share nothing, not even a read position.
    HeldFolder first, second;
    ASSERT_TRUE(OpenFolderPath(t, first).ok());
    ASSERT_TRUE(OpenFolderPath(t, second).ok());
    FolderContents fast, portable;
    EXPECT_TRUE(ReadSubfolders(first, fast, {}).ok());
    EXPECT_TRUE(ReadSubfoldersWithReaddir(second, portable, {}).ok());
    ASSERT_EQ(portable.count(), fast.count());
    for (size_t i = 0; i < fast.count(); ++i) {
        EXPECT_EQ(portable.name(i), fast.name(i));
        EXPECT_EQ(portable.throughLink(i), fast.throughLink(i));
    }
    EXPECT_EQ(portable.entriesSeen, fast.entriesSeen);
}

}  // namespace
}  // namespace quorvane::walk_test
