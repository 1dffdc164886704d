// The run as the user sees it while the walk goes on elsewhere: the window's events go on
// meanwhile, Escape stops the run, and the caption counts.

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "form/run_progress.h"
#include "form1_run_fixture.h"

namespace quorvane::test {
namespace {

// A walk that lists "0", "1", "2", ... until its sink stops, as a whole disk would go on for
// minutes, and ends with a failure if it never stops.
Status EndlessWalk(std::string_view, const WalkOptions&, FolderSink& sink) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    for (int i = 0; !sink.stopped(); ++i) {
        if (std::chrono::steady_clock::now() > deadline)
            return Status::of(Status::Failure::Inconsistent);
        sink.append({std::to_string(i), 1, nullptr});
        if (i % 1000 == 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return {};
}

// Keeps the window's event loop passing, running `check` at each pass until it says so.
void AtEveryPassUntil(FakeView& view, std::function<bool()> check) {
    view.atNextPass([&view, check] {
        if (!check()) AtEveryPassUntil(view, check);
    });
}

// A walk that waits for the window's thread would never end if it ran on that thread: it is
// let go by an event the window runs while the walk waits.
TEST_F(Form1Run, WindowsEventsRunWhileTheWalkWaitsOnItsOwnThread) {
    std::mutex mutex;
    std::condition_variable released;
    bool eventRan = false;
    std::thread::id walkThread;
    harness.walk = [&](std::string_view, const WalkOptions&, FolderSink& sink) {
        walkThread = std::this_thread::get_id();
        sink.append({"before", 1, nullptr});
        std::unique_lock lock(mutex);
        if (!released.wait_for(lock, std::chrono::seconds(30), [&] { return eventRan; })) {
            return Status::of(Status::Failure::Inconsistent);
        }
        sink.append({"after", 1, nullptr});
        return Status();
    };
    Form1& form = loadWithFolder(tree.path());
    harness.view.atNextPass([&] {
        std::lock_guard lock(mutex);
        eventRan = true;
        released.notify_one();
    });
    form.startList();
    EXPECT_NE(walkThread, std::this_thread::get_id());
    EXPECT_EQ(ResultEntries(form), (std::vector<std::string>{"before", "after"}));
    EXPECT_EQ(harness.dialogs.messages, std::vector{Notice("Done.")});
}

// What the list holds once Escape stopped the run is the walk's list from its start, in its
// order, and the run ends as a finished one does, but without "Done.".
TEST_F(Form1Run, EscapeStopsTheRunKeepingTheBeginningOfTheList) {
    bool endless = true;
    harness.walk = [&](std::string_view root, const WalkOptions& options, FolderSink& sink) {
        if (endless) return EndlessWalk(root, options, sink);
        sink.append({"whole", 1, nullptr});
        return Status();
    };
    Form1& form = loadWithFolder(tree.path());
    AtEveryPassUntil(harness.view, [&] {
        if (form.results().count() < 5000) return false;
        form.stopList();
        return true;
    });
    form.startList();
    const std::vector<std::string> entries = ResultEntries(form);
    ASSERT_GE(entries.size(), 5000u);
    for (size_t i = 0; i < entries.size(); ++i)
        ASSERT_EQ(entries[i], std::to_string(i));
    EXPECT_TRUE(harness.dialogs.messages.empty());
    EXPECT_EQ(form.mousePointer(), Form1::kDefaultPointer);
    EXPECT_FALSE(form.creatingList());
    EXPECT_EQ(form.results().shownCount(), entries.size());

    // Escape outside a run changes nothing, and the next run is a whole one.
    form.stopList();
    endless = false;
    form.startList();
    EXPECT_EQ(ResultEntries(form), std::vector<std::string>{"whole"});
    EXPECT_EQ(harness.dialogs.messages, std::vector{Notice("Done.")});
}

// A close during a run ends the program (which the fakes only record): the walk stops and the
// run shows nothing more, nor waits for the window that has gone.
TEST_F(Form1Run, CloseDuringARunStopsItsWalkAndShowsNothingMore) {
    harness.walk = EndlessWalk;
    Form1& form = loadWithFolder(tree.path());
    AtEveryPassUntil(harness.view, [&] {
        if (form.results().count() < 1000) return false;
        form.unload();
        return true;
    });
    form.startList();
    EXPECT_EQ(harness.endProgramCalls, 1);
    EXPECT_TRUE(harness.dialogs.messages.empty());
    EXPECT_FALSE(form.creatingList());
}

// Every drive of a run that was stopped stays unwalked.
TEST_F(Form1Run, EscapeDuringEveryDriveStopsTheWholeRun) {
    int walks = 0;
    harness.walk = [&](std::string_view root, const WalkOptions& options, FolderSink& sink) {
        ++walks;
        return EndlessWalk(root, options, sink);
    };
    harness.drives.list = {{"first", tree.path("A")}, {"second", tree.path("F")}};
    harness.settings.put("Option3", "True");
    Form1& form = loadWithFolder(tree.path());
    AtEveryPassUntil(harness.view, [&] {
        if (form.results().count() == 0) return false;
        form.stopList();
        return true;
    });
    form.startList();
    EXPECT_EQ(walks, 1);
    EXPECT_TRUE(harness.dialogs.messages.empty());
}

// The caption counts while the run goes on, in the user's separators, and is the program's
// own again before "Done." shows.
TEST_F(Form1Run, CaptionCountsTheFoldersFoundAndReturnsBeforeDone) {
    harness.numberFormat.groupSeparator = ".";
    std::mutex mutex;
    std::condition_variable counted;
    bool captionCounted = false;
    // It goes on reading, as a walk yields while it reads, but finds nothing more.
    harness.walk = [&](std::string_view, const WalkOptions& options, FolderSink& sink) {
        for (int i = 0; i < 1234; ++i)
            sink.append({std::to_string(i), 1, nullptr});
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        std::unique_lock lock(mutex);
        while (
            !counted.wait_for(lock, std::chrono::milliseconds(1), [&] { return captionCounted; })) {
            if (std::chrono::steady_clock::now() > deadline)
                return Status::of(Status::Failure::Inconsistent);
            yieldTo(options.yield);
        }
        return Status();
    };
    Form1& form = loadWithFolder(tree.path());
    std::string countShown;
    AtEveryPassUntil(harness.view, [&] {
        if (harness.view.texts[Control::Window] != "Quorvane \u2013 1.234 folders") return false;
        countShown = harness.view.texts[Control::Window];
        std::lock_guard lock(mutex);
        captionCounted = true;
        counted.notify_one();
        return true;
    });
    std::string captionAtDone;
    harness.dialogs.whileMessageShown = [&](const ShownMessage&) {
        captionAtDone = harness.view.texts[Control::Window];
    };
    form.startList();
    EXPECT_EQ(countShown, "Quorvane \u2013 1.234 folders");
    EXPECT_EQ(captionAtDone, "Quorvane");
    EXPECT_EQ(RunCaption(1, {}), "Quorvane \u2013 1 folder");
}

}  // namespace
}  // namespace quorvane::test
