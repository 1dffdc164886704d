#include "engine/hand_out_policy.h"

namespace quorvane {

namespace {

// The thresholds of the ahead limit, in halves of it.
constexpr size_t kFarWorkBelow = 1;    // far work is handed out below half the limit
constexpr size_t kAheadParksPast = 2;  // a part ahead parks past the limit
constexpr size_t kNearWorkBelow = 4;   // near work: handed out below twice the limit
constexpr size_t kNearParksPast = 4;   // and a near part parks past it

bool Below(const TeamState& state, size_t halves) {
    return 2 * state.heldAhead < halves * state.aheadLimit;
}

bool Past(const TeamState& state, size_t halves) {
    return 2 * state.heldAhead > halves * state.aheadLimit;
}

}  // namespace

JobMove NextMove(JobPlace place, const TeamState& state) {
    const bool near = place != JobPlace::Ahead;
    if (place != JobPlace::List && Past(state, near ? kNearParksPast : kAheadParksPast)) {
        return JobMove::Park;
    }
    // Only for a thread that waits and finds nothing queued for it.
    if (state.shortage || state.idle <= state.queued) return JobMove::Walk;
    if (Below(state, kFarWorkBelow)) return JobMove::HandOut;
    if (near && Below(state, kNearWorkBelow)) return JobMove::HandOutNear;
    return JobMove::Walk;
}

}  // namespace quorvane
