#include "calendar/Datum.h"

#include <climits>

#include "calendar/CivilDays.h"
#include "calendar/LocalTime.h"

std::atomic<int32_t> Datum::datumC{0};

Datum::Datum(int32_t y, int32_t m, int32_t d)
{
    _Build(y, m, d);
}

Datum::Datum(const char* text)
{
    auto day = str2CDay(text);
    _Build(day->year, day->month, day->day);
}

Datum::Datum(std::string_view text)
{
    auto day = str2CDay(text);
    _Build(day->year, day->month, day->day);
}

Datum::Datum(const ks_calday* day)
{
    if (day == nullptr) {
        auto today = str2CDay(nullptr);
        _Build(today->year, today->month, today->day);
    } else {
        _Build(day->year, day->month, day->day);
    }
}

Datum::Datum(const Datum& other)
    : seconds(other.seconds), yearday(other.yearday), weekday(other.weekday), tmDay(other.tmDay)
{
    datumC.fetch_add(1, std::memory_order_relaxed);
}

Datum::~Datum()
{
    datumC.fetch_sub(1, std::memory_order_relaxed);
}

// The broken-down time is filled arithmetically rather than taken from
// localtime(mktime()): mktime's range is limited, and where a zone skips
// midnight it answers with another hour or, on some systems, the day before.
void Datum::_Build(int64_t y, int64_t m, int64_t d)
{
    const int64_t days = civil::DaysFromFields(y, m, d);
    const civil::Civil c = civil::CivilFromDays(days);
    weekday = civil::WeekdayFromDays(days);
    yearday = civil::YeardayFromDays(days);

    tmDay = std::tm{};
    const int64_t tmYear = c.year - 1900;
    const bool representable = tmYear >= INT_MIN && tmYear <= INT_MAX;
    tmDay.tm_year = representable ? static_cast<int>(tmYear) : (tmYear < 0 ? INT_MIN : INT_MAX);
    tmDay.tm_mon = c.month - 1;
    tmDay.tm_mday = c.day;
    tmDay.tm_wday = weekday;
    tmDay.tm_yday = yearday - 1;
    tmDay.tm_isdst = -1;

    seconds = -1;
    if (representable)
        seconds = LocalMktime(tmDay);
    datumC.fetch_add(1, std::memory_order_relaxed);
}

int32_t Datum::IstWTag() const
{
    return weekday;
}

int32_t Datum::IstYTag()
{
    const int64_t year = int64_t{tmDay.tm_year} + 1900;
    const int64_t days = civil::DaysFromFields(year, int64_t{tmDay.tm_mon} + 1, tmDay.tm_mday);
    yearday = static_cast<int32_t>(days - civil::DaysFromCivil(year, 1, 1)) + 1;
    return yearday;
}

std::string Datum::Format(const char* format) const
{
    if (format == nullptr)
        return std::string();
    char buffer[256];
    const size_t length = strftime(buffer, sizeof(buffer), format, &tmDay);
    return std::string(buffer, length);
}
