// The calendar-day record and its free functions. A day's one text form is
// "yyyy/mm/dd"; it is how days are stored, compared and shown everywhere.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "calendar/CivilDays.h"

struct ks_calday
{
    int32_t year;
    uint8_t month; // 1..12 in practice; parsed texts are stored unchecked
    uint8_t day;
    int32_t hours; // a TInt the owner attaches to the day
};

// "%4d/%02d/%02d"; hours are not shown.
std::string CDay2str(const ks_calday* a);

// Exactly ten characters are read as year, month and day (positions 0, 5, 8,
// strtol rules, no range check); any other text, and null, mean today.
// The same as a value, for callers that read many days.
ks_calday CDayOfText(std::string_view text);
std::unique_ptr<ks_calday> str2CDay(const char* text);
std::unique_ptr<ks_calday> str2CDay(std::string_view text);
inline std::unique_ptr<ks_calday> str2CDay(const std::string& text)
{
    return str2CDay(std::string_view(text));
}

void CDayCopy(ks_calday* dst, const ks_calday* src);

int32_t CDayIsYDay(const ks_calday* a); // 1..366
int32_t CDayIsWDay(const ks_calday* a); // 0 = Monday .. 6 = Sunday
int32_t CDayIsKWo(const ks_calday* a);  // "%U" week, 0..53

// Step to the following / preceding day; hours are kept.
void NextCDay(ks_calday* a);
void PrevCDay(ks_calday* a);

// Days from b to a: positive when a is later.
int32_t DiffDays(const ks_calday* a, const ks_calday* b);
// The day's serial number (days since 1970/01/01, odd fields normalised):
// for counting many distances from one day without converting it again.
int64_t CDaySerial(const ks_calday* a);

// The n-th day counted from 1 January of year y (n may leave the year in
// either direction). Null out prints "[%d*%02d*%02d]\n" instead.
void YeardayIsDatum(int32_t n, int32_t y, ks_calday* out);

constexpr int32_t isSchaltjahr(int32_t y)
{
    return civil::IsLeap(y) ? 1 : 0;
}

// m counted from 0 (January) and allowed outside 0..11.
constexpr int32_t TagePerMonat(int32_t m, int32_t y)
{
    const int64_t year = int64_t{y} + civil::FloorDiv(m, 12);
    return civil::DaysInMonth(year, static_cast<int>(civil::FloorMod(m, 12)) + 1);
}

constexpr int32_t TagePerJahr(int32_t y)
{
    return isSchaltjahr(y) ? 366 : 365;
}
