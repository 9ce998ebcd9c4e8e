// One day with the C library's broken-down form, for weekday, day of year,
// week number and strftime texts.
#pragma once

#include <atomic>
#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

#include "calendar/CalDay.h"

class Datum
{
public:
    // m counted from 1; out-of-range fields are normalised like mktime does.
    Datum(int32_t y, int32_t m, int32_t d);
    explicit Datum(const char* text); // via str2CDay: null or a wrong length is today
    explicit Datum(std::string_view text);
    explicit Datum(const ks_calday* day); // null is today
    Datum(const Datum& other);
    Datum& operator=(const Datum& other) = default;
    ~Datum();

    int32_t IstWTag() const; // 0 = Sunday .. 6 = Saturday
    int32_t IstYTag();       // 1..366
    // strftime on this day; empty when the result exceeds 255 characters.
    std::string Format(const char* format) const;

    time_t seconds;  // local midnight, -1 when mktime cannot represent it
    int32_t yearday; // 1..366
    int32_t weekday; // 0 = Sunday
    std::tm tmDay;

    static std::atomic<int32_t> datumC; // objects alive

private:
    void _Build(int64_t y, int64_t m, int64_t d);
};
