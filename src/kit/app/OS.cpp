#include "kit/app/OS.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

bigtime_t system_time()
{
    using namespace std::chrono;
    return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

status_t snooze(bigtime_t microseconds)
{
    if (microseconds > 0)
        std::this_thread::sleep_for(std::chrono::microseconds(microseconds));
    return B_OK;
}

thread_id find_thread(const char* name)
{
    // Own counter rather than the kernel's tid: a tid can be reused by a new
    // thread, which would then appear to own its predecessor's locks.
    static std::atomic<thread_id> sNextId{1};
    thread_local thread_id sId = 0;

    if (name != nullptr)
        return B_NAME_NOT_FOUND;
    if (sId == 0)
        sId = sNextId.fetch_add(1, std::memory_order_relaxed);
    return sId;
}

void debugger(const char* message)
{
    std::fprintf(stderr, "debugger: %s\n", message);
    std::fflush(stderr);
    std::abort();
}
