#pragma once

#include <cstddef>

namespace quorvane {

// When a thread of a walk hands part of its work to an idle one, and when a part walked ahead
// of the list stops for the list to catch up: the sharing policy of the walk, in one place.
// WalkTeam asks it between two steps of every job; plain arithmetic over what the team counts,
// so that tests can put it in any state.
//
// Parts walked by other threads wait for the list to reach their place, holding what they
// wrote: the bytes they hold ahead of the list are bounded (the ahead limit). Below half of it,
// a job hands out the oldest work it can spare (far work: large parts, so that hand-outs are
// few). Past half, only the work the list reaches next is handed out (near work), by the job
// that writes the list and by parts that were near work themselves, up to twice the limit: on
// a cold disk the list would otherwise wait for the reads of its own thread alone. A part ahead
// of the list parks past the limit, a near part past twice the limit, and the calling thread
// walks the rest when the list gets there. The job that writes the list never parks.
enum class JobPlace {
    List,   // it writes the list itself (the calling thread's job)
    Near,   // a part handed out as near work
    Ahead,  // any other part, walked ahead of the list
};

enum class JobMove { Walk, HandOut, HandOutNear, Park };

struct TeamState {
    size_t idle = 0;       // threads waiting for work
    size_t queued = 0;     // parts handed out that no thread has started yet
    size_t heldAhead = 0;  // bytes written by parts that the list has not reached
    size_t aheadLimit = 0;
    bool shortage = false;  // descriptors or memory ran short: nothing more is handed out
};

JobMove NextMove(JobPlace place, const TeamState& state);

}  // namespace quorvane
