// Proleptic Gregorian day arithmetic on a serial day number (0 = 1970-01-01).
// Every weekday, day of year and step in the calendar layer goes through
// here, so results never depend on mktime's range or the local time zone.
#pragma once

#include <cstdint>

namespace civil {

constexpr int64_t FloorDiv(int64_t a, int64_t b)
{
    int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

constexpr int64_t FloorMod(int64_t a, int64_t b)
{
    return a - FloorDiv(a, b) * b;
}

constexpr bool IsLeap(int64_t y)
{
    return y % 4 == 0 && (y % 100 != 0 || y % 400 == 0);
}

// month 1..12
constexpr int DaysInMonth(int64_t y, int month)
{
    constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return kDays[month - 1] + (month == 2 && IsLeap(y) ? 1 : 0);
}

// month 1..12; day may lie outside the month and is taken as an offset
// from the first, which is how mktime normalises it.
constexpr int64_t DaysFromCivil(int64_t y, int month, int64_t day)
{
    y -= month <= 2 ? 1 : 0;
    const int64_t era = FloorDiv(y, 400);
    const int64_t yoe = y - era * 400;
    const int64_t mp = month > 2 ? month - 3 : month + 9;
    const int64_t doy = (153 * mp + 2) / 5 + day - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

struct Civil
{
    int64_t year;
    int month; // 1..12
    int day;   // 1..31
};

constexpr Civil CivilFromDays(int64_t z)
{
    z += 719468;
    const int64_t era = FloorDiv(z, 146097);
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    return {yoe + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

// Month 1-based but any value: month 13 is January of the next year,
// month 0 December of the previous one (mktime's rule).
constexpr int64_t DaysFromFields(int64_t y, int64_t month, int64_t day)
{
    y += FloorDiv(month - 1, 12);
    return DaysFromCivil(y, static_cast<int>(FloorMod(month - 1, 12)) + 1, day);
}

// 0 = Sunday
constexpr int WeekdayFromDays(int64_t z)
{
    return static_cast<int>(FloorMod(z + 4, 7));
}

// 1-based day of the year
constexpr int YeardayFromDays(int64_t z)
{
    return static_cast<int>(z - DaysFromCivil(CivilFromDays(z).year, 1, 1)) + 1;
}

constexpr int32_t ClampToInt32(int64_t v)
{
    return v > INT32_MAX ? INT32_MAX : v < INT32_MIN ? INT32_MIN : static_cast<int32_t>(v);
}

} // namespace civil
