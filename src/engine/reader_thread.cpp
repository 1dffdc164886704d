#include "engine/reader_thread.h"

#ifdef _WIN32
#include <system_error>
#include <thread>
#else
#include <pthread.h>
#include <sys/resource.h>
#include <unistd.h>

#include <climits>
#include <fstream>
#endif

namespace quorvane {

#ifdef _WIN32

// Windows only reserves a thread's stack and commits it as it is used.
struct ReaderThread::Running {
    std::thread thread;
};

Status ReaderThread::start(std::function<void()> work) {
    // The one failure std::thread reports only by throwing.
    try {
        running_ = std::make_unique<Running>(Running{std::thread(std::move(work))});
    } catch (const std::system_error& error) {
        return Status::library(error.code().value());
    }
    return {};
}

unsigned ReaderThread::Affordable() {
    return UINT_MAX;
}

ReaderThread::~ReaderThread() {
    if (running_) running_->thread.join();
}

#else

namespace {

// A read needs its 32 KiB buffer and little more; the sanitizers' instrumentation needs more.
#if defined(__SANITIZE_ADDRESS__)
constexpr size_t kStackBytes = size_t{2} << 20;
#else
constexpr size_t kStackBytes = size_t{256} << 10;
#endif

// What one reader costs in address space: its stack, the guard page and what the C library
// keeps for each thread.
constexpr size_t kThreadBytes = kStackBytes + (size_t{64} << 10);

void* runWork(void* work) {
    (*static_cast<std::function<void()>*>(work))();
    return nullptr;
}

}  // namespace

struct ReaderThread::Running {
    std::function<void()> work;
    pthread_t thread{};
};

Status ReaderThread::start(std::function<void()> work) {
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

ReaderThread::~ReaderThread() {
    if (running_) pthread_join(running_->thread, nullptr);
}

unsigned ReaderThread::Affordable() {
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

#endif

ReaderThread::ReaderThread() = default;
ReaderThread::ReaderThread(ReaderThread&&) noexcept = default;

}  // namespace quorvane
