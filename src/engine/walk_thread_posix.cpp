#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <fstream>

#include "engine/walk_thread.h"

namespace quorvane {

namespace {

// A step of the walk needs a few KiB; the sanitizers' instrumentation needs far more.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr size_t kStackBytes = size_t{2} << 20;
#else
constexpr size_t kStackBytes = size_t{256} << 10;
#endif

// What one thread costs in address space: its stack, the guard page and what the C library
// keeps for each thread.
constexpr size_t kThreadBytes = kStackBytes + (size_t{64} << 10);

void* runWork(void* work) {
    (*static_cast<std::function<void()>*>(work))();
    return nullptr;
}

}  // namespace

struct WalkThread::Running {
    std::function<void()> work;
    pthread_t thread{};
};

Status WalkThread::start(std::function<void()> work) {
    auto running = std::make_unique<Running>();
    running->work = std::move(work);
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, kStackBytes);
    const int error = pthread_create(&running->thread, &attributes, runWork, &running->work);
    pthread_attr_destroy(&attributes);
    if (error != 0) return Status::system(error);
    running_ = std::move(running);
    return {};
}

unsigned WalkThread::Cores() {
#ifdef __linux__
    // Those it is confined to (taskset, a container's cpuset), not all the machine has.
    cpu_set_t cores;
    if (sched_getaffinity(0, sizeof cores, &cores) == 0) {
        return static_cast<unsigned>(std::max(1, CPU_COUNT(&cores)));
    }
#endif
    return static_cast<unsigned>(std::max(1L, sysconf(_SC_NPROCESSORS_ONLN)));
}

WalkThread::WalkThread() = default;
WalkThread::WalkThread(WalkThread&&) noexcept = default;

WalkThread::~WalkThread() {
    if (running_) pthread_join(running_->thread, nullptr);
}

unsigned WalkThread::Affordable() {
    rlimit limit{};
    if (getrlimit(RLIMIT_AS, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) return UINT_MAX;
    // The first field of statm is the address space in use, in pages.
    std::ifstream statm("/proc/self/statm");
    size_t pages = 0;
    if (!(statm >> pages)) return 0;
    const size_t used = pages * static_cast<size_t>(sysconf(_SC_PAGESIZE));
    if (used >= limit.rlim_cur) return 0;
    return static_cast<unsigned>(
        std::min<size_t>(UINT_MAX, (limit.rlim_cur - used) / 4 / kThreadBytes));
}

void LowerThisThreadsPriority() {
#ifdef __linux__
    // On Linux a nice value is each thread's own. Ten steps give a thread about a tenth of the
    // weight of one at the default, so a thread of the default runs at once when it wakes.
    constexpr int kSteps = 10;
    const pid_t self = gettid();
    errno = 0;
    const int now = getpriority(PRIO_PROCESS, static_cast<id_t>(self));
    if (errno == 0) setpriority(PRIO_PROCESS, static_cast<id_t>(self), std::min(19, now + kSteps));
#endif
}

}  // namespace quorvane
