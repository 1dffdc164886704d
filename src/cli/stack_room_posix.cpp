#include <pthread.h>
#include <sys/resource.h>

#include "cli/stack_room.h"

namespace quorvane::cli {

namespace {

// What the program may need at most, and what a thread of its own is given: the sanitizers'
// instrumentation needs far more.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr rlim_t kRoom = rlim_t{16} << 20;
#else
constexpr rlim_t kRoom = rlim_t{1} << 20;
#endif

struct Run {
    const std::function<int()>* work;
    int result = 1;
};

void* runWork(void* run) {
    auto* running = static_cast<Run*>(run);
    running->result = (*running->work)();
    return nullptr;
}

}  // namespace

int RunWithStackRoom(const std::function<int()>& work) {
    rlimit limit{};
    if (getrlimit(RLIMIT_STACK, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY ||
        limit.rlim_cur >= kRoom) {
        return work();
    }
    Run run{&work};
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, kRoom);
    pthread_t thread;
    const int error = pthread_create(&thread, &attributes, runWork, &run);
    pthread_attr_destroy(&attributes);
    // No thread to be had: the work runs here, and may yet fit.
    if (error != 0) return work();
    pthread_join(thread, nullptr);
    return run.result;
}

}  // namespace quorvane::cli
