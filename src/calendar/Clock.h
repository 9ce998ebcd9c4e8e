// The program's one source of "today" and "now". Tests pin it to a fixed
// local date and time; nothing else in the program reads the system clock.
#pragma once

#include <ctime>

class Clock
{
public:
    static time_t Now();       // seconds since the epoch, pinned or real
    static std::tm LocalNow(); // local broken-down time of Now()
    // month 1..12; out-of-range fields are normalised like mktime does.
    static void Pin(int year, int month, int day, int hour = 12, int minute = 0);
    static void Unpin();
    static bool IsPinned();

private:
    friend class ClockPin;
    static bool _Pinned(std::tm* pinned);
    static void _Restore(bool pinned, const std::tm& time);
};

// Pins the clock for its lifetime and then puts back whatever was there
// before, so pins nest.
class ClockPin
{
public:
    ClockPin(int year, int month, int day, int hour = 12, int minute = 0);
    ~ClockPin();
    ClockPin(const ClockPin&) = delete;
    ClockPin& operator=(const ClockPin&) = delete;

private:
    bool fWasPinned;
    std::tm fPrevious;
};
