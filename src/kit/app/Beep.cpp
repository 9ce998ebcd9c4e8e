#include "kit/app/Beep.h"

#include <atomic>
#include <unistd.h>

namespace {
std::atomic<int32> sBeepCount{0};
}

status_t beep()
{
    sBeepCount.fetch_add(1, std::memory_order_relaxed);
    if (isatty(STDERR_FILENO)) {
        ssize_t written = write(STDERR_FILENO, "\a", 1);
        (void)written;
    }
    return B_OK;
}

int32 beep_count()
{
    return sBeepCount.load(std::memory_order_relaxed);
}
