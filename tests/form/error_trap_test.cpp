#include "form/error_trap.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <new>
#include <stdexcept>
#include <system_error>
#include <utility>
#include <vector>

#include "form/error_report.h"
#include "form/memory_reserve.h"
#include "form/run_time_error.h"

namespace quorvane {
namespace {

// Keeps every message box in order; the other dialogs are not used by the trap.
class MessageRecorder : public Dialogs {
  public:
    struct Message {
        std::string text;
        std::string title;
        MessageStyle style;
    };

    void message(const std::string& text, const std::string& title, MessageStyle style) override {
        messages.push_back({text, title, style});
    }
    std::string input(const std::string&, const std::string&) override { return {}; }
    Status saveFile(const std::string&, const std::string&, std::string&) override { return {}; }
    std::string browseFolder(const std::string&, const std::string&) override { return {}; }

    std::vector<Message> messages;
};

std::string Report(const char* description, const char* procedurePath, int line) {
    return ErrorReportText(description, procedurePath, line);
}

void HelperWithoutTrap() {
    throw RunTimeError::overflow();
}

TEST(ErrorTrap, ReportsTheLastStepBegunAndGoesOnWithTheNext) {
    MessageRecorder dialogs;
    ErrorTrap trap(dialogs, procedure::kStartCreatingList);
    std::vector<int> ran;
    trap.step(100, [&] { ran.push_back(100); });
    trap.step(102, [&] {
        ran.push_back(102);
        throw RunTimeError::typeMismatch();
        ran.push_back(-1);
    });
    trap.step(104, [&] { ran.push_back(104); });
    // A failure in a helper without a trap of its own is the caller's, at the line of the call.
    trap.step(106, [] { HelperWithoutTrap(); });
    trap.guard([&] { ran.push_back(107); });  // still part of step 106
    trap.step(108, [&] { ran.push_back(108); });

    EXPECT_EQ(ran, (std::vector<int>{100, 102, 104, 107, 108}));
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[0].text,
              Report("Type mismatch", procedure::kStartCreatingList, 102));
    EXPECT_EQ(dialogs.messages[0].title, "Application Error");
    EXPECT_EQ(dialogs.messages[0].style, MessageStyle::Exclamation);
    EXPECT_EQ(static_cast<int>(dialogs.messages[0].style), 48);
    EXPECT_EQ(dialogs.messages[1].text, Report("Overflow", procedure::kStartCreatingList, 106));
}

// Where memory has run out, the report is made from the memory kept for it, which comes back
// afterwards; a report that fails all the same stays inside the trap, and the command goes on.
TEST(ErrorTrap, OutOfMemoryIsReportedFromTheMemoryKeptForIt) {
    struct Refusing : MessageRecorder {
        void message(const std::string& text, const std::string& title,
                     MessageStyle style) override {
            reserveHeld.push_back(MemoryReserveHeld());
            if (std::exchange(refuse, false)) throw std::bad_alloc();
            MessageRecorder::message(text, title, style);
        }
        bool refuse = true;
        std::vector<bool> reserveHeld;
    } dialogs;
    ErrorTrap trap(dialogs, procedure::kSaveTextFile);
    EXPECT_TRUE(MemoryReserveHeld());
    std::vector<int> ran;
    trap.step(112, [] { throw std::bad_alloc(); });
    trap.step(116, [&] {
        ran.push_back(116);
        throw std::bad_alloc();
    });
    trap.step(118, [&] { ran.push_back(118); });

    EXPECT_EQ(ran, (std::vector<int>{116, 118}));
    EXPECT_EQ(dialogs.reserveHeld, (std::vector<bool>{false, false}));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, Report("Out of memory", procedure::kSaveTextFile, 116));
    EXPECT_TRUE(MemoryReserveHeld());
}

TEST(ErrorTrap, FailureBeforeTheFirstStepIsReportedAtLineZero) {
    MessageRecorder dialogs;
    ErrorTrap trap(dialogs, procedure::kFormLoad);
    trap.guard([] { throw RunTimeError::indexOutOfBounds(); });
    trap.step(100, [] { throw RunTimeError::overflow(); });
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[0].text, Report("Index out of bounds", procedure::kFormLoad, 0));
    EXPECT_EQ(dialogs.messages[1].text, Report("Overflow", procedure::kFormLoad, 100));
}

TEST(ErrorTrap, FailedTestCountsAsTrueSoTheGuardedBlockRuns) {
    MessageRecorder dialogs;
    ErrorTrap trap(dialogs, procedure::kClearResults);
    EXPECT_TRUE(trap.test(100, []() -> bool { throw RunTimeError::typeMismatch(); }));
    EXPECT_EQ(trap.line(), 100);
    EXPECT_FALSE(trap.test(102, [] { return false; }));
    EXPECT_TRUE(trap.test(104, [] { return true; }));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, Report("Type mismatch", procedure::kClearResults, 100));
}

TEST(ErrorTrap, FailuresAreDescribedInTheReportsTerms) {
    const auto describe = [](auto failure) {
        return DescribeFailure(std::make_exception_ptr(failure));
    };
    const FailureDetails overflow = describe(RunTimeError::overflow());
    EXPECT_EQ(overflow.description, "Overflow");
    EXPECT_EQ(overflow.number, 6);
    const FailureDetails index = describe(RunTimeError::indexOutOfBounds());
    EXPECT_EQ(index.description, "Index out of bounds");
    EXPECT_EQ(index.number, 35600);
    const FailureDetails system = describe(RunTimeError::fromSystemError(ENOENT));
    EXPECT_EQ(system.description, std::system_category().message(ENOENT));
    EXPECT_EQ(system.number, ENOENT);
    const FailureDetails systemError = describe(std::system_error(EACCES, std::system_category()));
    EXPECT_EQ(systemError.description, std::system_category().message(EACCES));
    EXPECT_EQ(systemError.number, EACCES);
    EXPECT_EQ(describe(std::bad_alloc()).number, 7);
    EXPECT_EQ(describe(std::bad_alloc()).description, "Out of memory");
    EXPECT_EQ(describe(std::runtime_error("odd")).description, "odd");
    EXPECT_EQ(DescribeFailure(std::make_exception_ptr(42)).description, "Unknown error");
}

}  // namespace
}  // namespace quorvane
