#include "calendar/Clock.h"

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <string>

#include "calendar/CivilDays.h"
#include "calendar/LocalTime.h"

namespace {

std::mutex sLock;
bool sPinned = false;
std::tm sPinnedTime{};

std::tm BuildPinned(int year, int month, int day, int hour, int minute)
{
    const int64_t minutes = int64_t{hour} * 60 + minute;
    const int64_t days = civil::DaysFromFields(year, month, day) + civil::FloorDiv(minutes, 1440);
    const int64_t minuteOfDay = civil::FloorMod(minutes, 1440);
    const civil::Civil c = civil::CivilFromDays(days);

    std::tm t{};
    t.tm_year = civil::ClampToInt32(c.year - 1900);
    t.tm_mon = c.month - 1;
    t.tm_mday = c.day;
    t.tm_hour = static_cast<int>(minuteOfDay / 60);
    t.tm_min = static_cast<int>(minuteOfDay % 60);
    t.tm_wday = civil::WeekdayFromDays(days);
    t.tm_yday = civil::YeardayFromDays(days) - 1;
    t.tm_isdst = -1;
    return t;
}

} // namespace

time_t Clock::Now()
{
    std::tm pinned;
    if (!_Pinned(&pinned))
        return time(nullptr);
    return LocalMktime(pinned);
}

std::tm Clock::LocalNow()
{
    std::tm result;
    if (_Pinned(&result))
        return result;
    // Asked for every record while a project opens; the answer changes only
    // with the second or the zone.
    struct Last
    {
        time_t when = -1;
        bool zoned = false;
        std::string zone;
        std::tm local{};
    };
    thread_local Last last;
    const time_t now = time(nullptr);
    const char* zone = std::getenv("TZ");
    if (now == last.when && (zone != nullptr) == last.zoned &&
        (zone == nullptr || last.zone == zone))
        return last.local;
    last.when = now;
    last.zoned = zone != nullptr;
    last.zone = zone != nullptr ? zone : "";
    last.local = LocalBrokenDown(now);
    return last.local;
}

void Clock::Pin(int year, int month, int day, int hour, int minute)
{
    const std::tm t = BuildPinned(year, month, day, hour, minute);
    std::lock_guard<std::mutex> guard(sLock);
    sPinnedTime = t;
    sPinned = true;
}

void Clock::Unpin()
{
    std::lock_guard<std::mutex> guard(sLock);
    sPinned = false;
}

bool Clock::IsPinned()
{
    std::lock_guard<std::mutex> guard(sLock);
    return sPinned;
}

bool Clock::_Pinned(std::tm* pinned)
{
    std::lock_guard<std::mutex> guard(sLock);
    if (sPinned)
        *pinned = sPinnedTime;
    return sPinned;
}

void Clock::_Restore(bool pinned, const std::tm& time)
{
    std::lock_guard<std::mutex> guard(sLock);
    sPinned = pinned;
    sPinnedTime = time;
}

ClockPin::ClockPin(int year, int month, int day, int hour, int minute) : fPrevious{}
{
    fWasPinned = Clock::_Pinned(&fPrevious);
    Clock::Pin(year, month, day, hour, minute);
}

ClockPin::~ClockPin()
{
    Clock::_Restore(fWasPinned, fPrevious);
}
