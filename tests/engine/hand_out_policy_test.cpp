#include "engine/hand_out_policy.h"

#include <gtest/gtest.h>

namespace quorvane::test {
namespace {

struct Case {
    const char* what;
    JobPlace place;
    TeamState state;  // idle, queued, held ahead, ahead limit, shortage
    JobMove move;
};

TEST(HandOutPolicy, EachPlaceHandsOutAndParksAtItsShareOfTheAheadLimit) {
    constexpr JobPlace L = JobPlace::List, N = JobPlace::Near, A = JobPlace::Ahead;
    const Case cases[] = {
        {"nobody idle", L, {0, 0, 0, 100, false}, JobMove::Walk},
        {"the idle one has a part queued", A, {1, 1, 0, 100, false}, JobMove::Walk},
        {"an idle thread, little held", A, {1, 0, 49, 100, false}, JobMove::HandOut},
        {"a shortage hands out nothing", L, {2, 0, 0, 100, true}, JobMove::Walk},
        {"past half: the list hands out near work",
         L,
         {1, 0, 50, 100, false},
         JobMove::HandOutNear},
        {"past half: a near part too", N, {1, 0, 150, 100, false}, JobMove::HandOutNear},
        {"past half: a part ahead only walks", A, {1, 0, 50, 100, false}, JobMove::Walk},
        {"at the limit a part ahead walks on", A, {0, 0, 100, 100, false}, JobMove::Walk},
        {"past the limit it parks", A, {1, 0, 101, 100, false}, JobMove::Park},
        {"a near part parks only past twice the limit", N, {0, 0, 201, 100, false}, JobMove::Park},
        {"twice the limit: no more near work", L, {1, 0, 200, 100, false}, JobMove::Walk},
        {"the list never parks", L, {0, 0, 1000, 100, false}, JobMove::Walk},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NextMove(c.place, c.state), c.move) << c.what;
}

}  // namespace
}  // namespace quorvane::test
