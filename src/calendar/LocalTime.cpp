#include "calendar/LocalTime.h"

#include <mutex>

namespace {
std::mutex sZoneLock;
}

time_t LocalMktime(const std::tm& fields)
{
    std::tm copy = fields;
    std::lock_guard<std::mutex> guard(sZoneLock);
    return mktime(&copy);
}

std::tm LocalBrokenDown(time_t instant)
{
    std::tm result{};
    std::lock_guard<std::mutex> guard(sZoneLock);
    localtime_r(&instant, &result);
    return result;
}
