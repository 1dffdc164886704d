#include "form/run_time_error.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <system_error>

namespace quorvane {
namespace {

// The report each failure of the layers below gets: the words and numbers the window has
// always shown for it.
TEST(RunTimeError, EachFailedStatusIsReportedAsTheWindowAlwaysDid) {
    const struct {
        Status status;
        std::string description;
        long number;
    } cases[] = {
        {Status::system(ENOENT), std::system_category().message(ENOENT), ENOENT},
        {Status::of(Status::Failure::TooLarge), "Overflow", 6},
        {Status::of(Status::Failure::OutOfMemory), "Out of memory", 7},
        {Status::of(Status::Failure::ListChanged), "Index out of bounds", 35600},
        {Status::of(Status::Failure::OutOfRange), "Index out of bounds", 35600},
        {Status::of(Status::Failure::Inconsistent), "Invalid procedure call", 5},
    };
    for (const auto& c : cases) {
        try {
            ThrowIfFailed(c.status);
            ADD_FAILURE() << c.description << " was not thrown";
        } catch (const RunTimeError& error) {
            EXPECT_EQ(error.what(), c.description);
            EXPECT_EQ(error.number(), c.number);
        }
    }
    EXPECT_NO_THROW(ThrowIfFailed(Status()));
}

}  // namespace
}  // namespace quorvane
