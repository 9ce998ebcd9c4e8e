#include "calendar/CalDay.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "calendar/Clock.h"
#include "calendar/Datum.h"

int64_t CDaySerial(const ks_calday* a)
{
    return a != nullptr ? civil::DaysFromFields(a->year, a->month, a->day) : 0;
}

namespace {

// The record's own fields, normalised the way a Datum normalises them.

void StoreDay(ks_calday* out, int64_t days)
{
    const civil::Civil c = civil::CivilFromDays(days);
    out->year = civil::ClampToInt32(c.year);
    out->month = static_cast<uint8_t>(c.month);
    out->day = static_cast<uint8_t>(c.day);
}

uint8_t ClampToField(long v)
{
    return static_cast<uint8_t>(std::clamp(v, 0L, 255L));
}

} // namespace

std::string CDay2str(const ks_calday* a)
{
    if (a == nullptr)
        return std::string();
    // Every record writes days: the usual ones are spelled out by hand,
    // exactly as "%4d/%02d/%02d" would.
    if (a->year >= 1000 && a->year <= 9999 && a->month <= 99 && a->day <= 99) {
        const int y = a->year;
        const char text[10] = {char('0' + y / 1000),
                               char('0' + y / 100 % 10),
                               char('0' + y / 10 % 10),
                               char('0' + y % 10),
                               '/',
                               char('0' + a->month / 10),
                               char('0' + a->month % 10),
                               '/',
                               char('0' + a->day / 10),
                               char('0' + a->day % 10)};
        return std::string(text, 10);
    }
    char buffer[32];
    snprintf(buffer, sizeof(buffer), "%4d/%02d/%02d", a->year, a->month, a->day);
    return buffer;
}

std::unique_ptr<ks_calday> str2CDay(const char* text)
{
    return str2CDay(text == nullptr ? std::string_view() : std::string_view(text));
}

namespace {

bool is_digit(char c)
{
    return c >= '0' && c <= '9';
}

// "yyyy/mm/dd" of plain digits, as every file writes it: read without
// strtol, which the order check would otherwise call thousands of times.
bool plain_day(std::string_view text, ks_calday* day)
{
    if (text[4] != '/' || text[7] != '/')
        return false;
    int32_t value[3] = {0, 0, 0};
    for (size_t i = 0, part = 0; i < 10; i++) {
        if (i == 4 || i == 7) {
            part++;
            continue;
        }
        if (!is_digit(text[i]))
            return false;
        value[part] = value[part] * 10 + (text[i] - '0');
    }
    day->year = value[0];
    day->month = static_cast<uint8_t>(value[1]);
    day->day = static_cast<uint8_t>(value[2]);
    return true;
}

} // namespace

ks_calday CDayOfText(std::string_view text)
{
    ks_calday day{};
    day.hours = 0;
    if (text.size() != 10) {
        const std::tm now = Clock::LocalNow();
        day.year = now.tm_year + 1900;
        day.month = static_cast<uint8_t>(now.tm_mon + 1);
        day.day = static_cast<uint8_t>(now.tm_mday);
        return day;
    }
    if (plain_day(text, &day))
        return day;

    char buffer[11];
    memcpy(buffer, text.data(), 10);
    buffer[10] = '\0';
    // Values that do not fit the record's fields are clamped rather than
    // wrapped, so a stray sign or digit run cannot turn into another date.
    day.year = civil::ClampToInt32(strtol(buffer, nullptr, 10));
    day.month = ClampToField(strtol(buffer + 5, nullptr, 10));
    day.day = ClampToField(strtol(buffer + 8, nullptr, 10));
    return day;
}

std::unique_ptr<ks_calday> str2CDay(std::string_view text)
{
    return std::make_unique<ks_calday>(CDayOfText(text));
}

void CDayCopy(ks_calday* dst, const ks_calday* src)
{
    if (dst != nullptr && src != nullptr)
        *dst = *src;
}

// Weekday and day of the year come from the day number, as a Datum gets
// them, without the Datum's mktime: the lay-out asks for them per day.
int32_t CDayIsYDay(const ks_calday* a)
{
    if (a == nullptr)
        return 0;
    return civil::YeardayFromDays(CDaySerial(a));
}

int32_t CDayIsWDay(const ks_calday* a)
{
    if (a == nullptr)
        return 0;
    return (civil::WeekdayFromDays(CDaySerial(a)) + 6) % 7;
}

int32_t CDayIsKWo(const ks_calday* a)
{
    if (a == nullptr)
        return 0;
    const std::string week = Datum(a).Format("%U");
    return static_cast<int32_t>(strtol(week.c_str(), nullptr, 10));
}

// Stepping goes through the serial day number, so a record with month 0 or
// 13 steps from the day it normalises to, not from a day of its stored year.
void NextCDay(ks_calday* a)
{
    if (a != nullptr)
        StoreDay(a, CDaySerial(a) + 1);
}

void PrevCDay(ks_calday* a)
{
    if (a != nullptr)
        StoreDay(a, CDaySerial(a) - 1);
}

int32_t DiffDays(const ks_calday* a, const ks_calday* b)
{
    if (a == nullptr || b == nullptr)
        return 0;
    return civil::ClampToInt32(CDaySerial(a) - CDaySerial(b));
}

void YeardayIsDatum(int32_t n, int32_t y, ks_calday* out)
{
    const int64_t days = civil::DaysFromCivil(y, 1, 1) + int64_t{n} - 1;
    if (out != nullptr) {
        StoreDay(out, days);
        return;
    }
    const civil::Civil c = civil::CivilFromDays(days);
    printf("[%d*%02d*%02d]\n", civil::ClampToInt32(c.year), c.month, c.day);
}
