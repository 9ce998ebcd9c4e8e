#include "calendar/CalDay.h"

#include <cstdio>
#include <ctime>
#include <string>

#include <gtest/gtest.h>

#include "ScopedTimeZone.h"
#include "calendar/Clock.h"

namespace {

ks_calday Day(int32_t y, int m, int d, int32_t hours = 0)
{
    return ks_calday{y, static_cast<uint8_t>(m), static_cast<uint8_t>(d), hours};
}

std::string Text(const ks_calday& day)
{
    return CDay2str(&day);
}

// Gregorian rules written out independently of the code under test.
bool RefLeap(int y)
{
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int RefMonthLength(int y, int m)
{
    if (m == 2)
        return RefLeap(y) ? 29 : 28;
    return (m == 4 || m == 6 || m == 9 || m == 11) ? 30 : 31;
}

} // namespace

static_assert(isSchaltjahr(2000) && isSchaltjahr(2004) && isSchaltjahr(2400) && isSchaltjahr(0));
static_assert(!isSchaltjahr(1900) && !isSchaltjahr(2100) && !isSchaltjahr(2003));
static_assert(TagePerMonat(13, 2003) == 29 && TagePerMonat(-1, 2003) == 31); // Feb 04, Dec 02
static_assert(TagePerMonat(-11, 2004) == 28 && TagePerMonat(25, 2002) == 29);
static_assert(TagePerJahr(2004) == 366 && TagePerJahr(2100) == 365);

TEST(CalDayParse, TenCharacterTextsAreReadUnchecked)
{
    struct Case
    {
        const char* text;
        int32_t year;
        int month, day;
    } const cases[] = {
        {"2002/12/01", 2002, 12, 1},        {"2002-12-01", 2002, 12, 1}, {" 999/01/05", 999, 1, 5},
        {"2002/13/45", 2002, 13, 45},       {"abcdefghij", 0, 0, 0},     {"2002/-1/-5", 2002, 0, 0},
        {"9999999999", INT32_MAX, 255, 99}, // clamped to the fields
        {"0012/03/04", 12, 3, 4},           {"2002/1a/03", 2002, 1, 3},  {"+002/ 3/04", 2, 3, 4}};
    for (const Case& c : cases) {
        auto day = str2CDay(std::string(c.text));
        EXPECT_EQ(Text(*day), Text(Day(c.year, c.month, c.day))) << c.text;
        EXPECT_EQ(day->hours, 0);
    }
}

TEST(CalDayParse, OtherLengthsMeanToday)
{
    ClockPin pin(2010, 6, 15);
    for (const char* text : {"2002/2/3", "", "today", "2002/12/011"})
        EXPECT_EQ(Text(*str2CDay(text)), "2010/06/15") << text;
    EXPECT_EQ(Text(*str2CDay(static_cast<const char*>(nullptr))), "2010/06/15");
    EXPECT_EQ(Text(*str2CDay(std::string_view("2002/12/01 and more", 10))), "2002/12/01");
}

TEST(CalDayText, Format)
{
    EXPECT_EQ(Text(Day(999, 1, 5)), " 999/01/05");
    EXPECT_EQ(Text(Day(2004, 2, 29, 1545)), "2004/02/29");
    EXPECT_EQ(Text(Day(2002, 13, 45)), "2002/13/45");
    // Usual days are spelled out by hand: the same as printf at every edge.
    for (int32_t year : {-1, 0, 999, 1000, 2002, 9999, 10000, INT32_MAX}) {
        for (int month : {0, 1, 9, 12, 99, 100, 255}) {
            char expected[40];
            snprintf(expected, sizeof(expected), "%4d/%02d/%02d", year, month, 31);
            EXPECT_EQ(Text(Day(year, month, 31)), expected);
        }
    }
}

TEST(CalDayStep, AcrossMonthYearAndLeapDaysKeepingHours)
{
    const ks_calday pairs[][2] = {
        {Day(2002, 12, 31), Day(2003, 1, 1)}, {Day(2004, 2, 28), Day(2004, 2, 29)},
        {Day(2004, 2, 29), Day(2004, 3, 1)},  {Day(2100, 2, 28), Day(2100, 3, 1)},
        {Day(2000, 2, 28), Day(2000, 2, 29)}, {Day(999, 12, 31), Day(1000, 1, 1)}};
    for (const auto& pair : pairs) {
        ks_calday day = pair[0];
        day.hours = 825;
        NextCDay(&day);
        EXPECT_EQ(Text(day), Text(pair[1]));
        PrevCDay(&day);
        EXPECT_EQ(Text(day), Text(pair[0]));
        EXPECT_EQ(day.hours, 825);
    }
    // Out-of-range fields step from the day they normalise to.
    ks_calday day = Day(2002, 13, 5);
    NextCDay(&day);
    EXPECT_EQ(Text(day), "2003/01/06");
    day = Day(2002, 0, 10);
    PrevCDay(&day);
    EXPECT_EQ(Text(day), "2001/12/09");
}

TEST(CalDayDiff, SignsAndYearBoundaries)
{
    struct Case
    {
        ks_calday a, b;
        int32_t days;
    } const cases[] = {{Day(2003, 1, 1), Day(2002, 12, 31), 1},
                       {Day(2005, 1, 1), Day(2004, 1, 1), 366},
                       {Day(2002, 6, 1), Day(2002, 6, 1), 0},
                       {Day(2002, 12, 1), Day(1902, 12, 1), 36525},
                       {Day(2003, 1, 5), Day(2002, 13, 5), 0}}; // same day once normalised
    for (const Case& c : cases) {
        EXPECT_EQ(DiffDays(&c.a, &c.b), c.days) << Text(c.a) << " - " << Text(c.b);
        EXPECT_EQ(DiffDays(&c.b, &c.a), -c.days);
    }
}

// The year-by-year, month-by-month walk is the reference for day numbers
// outside the year, in both directions.
TEST(CalDayYearday, MatchesTheWalkThroughYears)
{
    ks_calday out = Day(1, 1, 1, 730);
    YeardayIsDatum(424, 1999, &out);
    EXPECT_EQ(Text(out), "2000/02/28");
    EXPECT_EQ(out.hours, 730);
    for (int32_t year : {1899, 1900, 2000, 2002, 2003, 2004, 2100}) {
        for (int32_t n : {-1200, -366, -1, 0, 1, 59, 60, 365, 366, 367, 424, 731, 1600}) {
            int32_t y = year, m = n, month = 1;
            while (m < 1)
                m += RefLeap(--y) ? 366 : 365;
            while (m > (RefLeap(y) ? 366 : 365))
                m -= RefLeap(y++) ? 366 : 365;
            while (m > RefMonthLength(y, month))
                m -= RefMonthLength(y, month++);
            YeardayIsDatum(n, year, &out);
            EXPECT_EQ(Text(out), Text(Day(y, month, m))) << n << " of " << year;
        }
    }
    testing::internal::CaptureStdout();
    YeardayIsDatum(0, 2003, nullptr);
    YeardayIsDatum(32, 999, nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "[2002*12*31]\n[999*02*01]\n");
}

TEST(CalDayWeek, KnownDates)
{
    struct Case
    {
        ks_calday day;
        int32_t wday, yday, week; // wday: Monday = 0
    } const cases[] = {{Day(2002, 12, 1), 6, 335, 48}, {Day(2003, 1, 1), 2, 1, 0},
                       {Day(2003, 1, 5), 6, 5, 1},     {Day(2004, 12, 31), 4, 366, 52},
                       {Day(2100, 3, 1), 0, 60, 9},    {Day(2002, 2, 29), 4, 60, 8}};
    for (const Case& c : cases) {
        EXPECT_EQ(CDayIsWDay(&c.day), c.wday) << Text(c.day);
        EXPECT_EQ(CDayIsYDay(&c.day), c.yday) << Text(c.day);
        EXPECT_EQ(CDayIsKWo(&c.day), c.week) << Text(c.day);
    }
}

// Every day from 1600 to 2400 against a plain day counter and against the C
// library's UTC conversion (no zone, no range trouble there).
TEST(CalDayWeek, AgreesWithReferencesFrom1600To2400)
{
    const ks_calday start = Day(1600, 1, 1);
    ks_calday day = start;
    int wday = 6; // Saturday; gmtime confirms it below
    int32_t count = 0;
    for (int y = 1600; y <= 2400; y++) {
        for (int m = 1, yday = 1; m <= 12; m++) {
            for (int d = 1; d <= RefMonthLength(y, m); d++, yday++, count++) {
                const int week = (yday - 1 + 7 - wday) / 7;
                std::tm utc{};
                utc.tm_year = y - 1900;
                utc.tm_mon = m - 1;
                utc.tm_mday = d;
                const time_t t = timegm(&utc);
                gmtime_r(&t, &utc);
                char libWeek[8];
                strftime(libWeek, sizeof(libWeek), "%U", &utc);

                const std::string text = Text(day);
                ASSERT_EQ(text, Text(Day(y, m, d)));
                ASSERT_EQ(Text(*str2CDay(text)), text);
                ASSERT_EQ(utc.tm_wday, wday) << text;
                ASSERT_EQ(atoi(libWeek), week) << text;
                ASSERT_EQ(CDayIsWDay(&day), (wday + 6) % 7) << text;
                ASSERT_EQ(CDayIsYDay(&day), yday) << text;
                ASSERT_EQ(CDayIsKWo(&day), week) << text;
                ASSERT_EQ(DiffDays(&day, &start), count) << text;
                NextCDay(&day);
                wday = (wday + 1) % 7;
            }
        }
    }
    EXPECT_EQ(Text(day), "2401/01/01");
}

// Midnight is a different instant in every zone and does not exist at all
// where daylight saving starts at 00:00; the calendar must not care.
TEST(CalDayZones, ResultsDoNotDependOnTheTimeZone)
{
    const ks_calday days[] = {Day(2002, 3, 30),  Day(2002, 3, 31),  Day(2002, 4, 1),
                              Day(2002, 10, 20), Day(2002, 10, 27), Day(2002, 10, 28),
                              Day(1901, 12, 13), Day(2038, 1, 19),  Day(2100, 3, 1)};
    const ks_calday base = Day(2002, 1, 1);
    auto compute = [&]() {
        std::string all;
        for (const ks_calday& d : days) {
            ks_calday next = d, prev = d;
            NextCDay(&next);
            PrevCDay(&prev);
            all += Text(d) + " w" + std::to_string(CDayIsWDay(&d)) + " y" +
                   std::to_string(CDayIsYDay(&d)) + " k" + std::to_string(CDayIsKWo(&d)) + " n" +
                   Text(next) + " p" + Text(prev) + " d" + std::to_string(DiffDays(&d, &base)) +
                   "|";
        }
        return all;
    };
    std::string expected;
    {
        ScopedTimeZone utc("UTC0");
        expected = compute();
    }
    EXPECT_NE(expected.find("2002/10/20 w6 y293 k42 n2002/10/21 p2002/10/19 d292|"),
              std::string::npos);
    EXPECT_NE(expected.find("2002/03/31 w6 y90 k13 n2002/04/01 p2002/03/30 d89|"),
              std::string::npos);
    for (const std::string& zone : TestZones()) {
        ScopedTimeZone tz(zone);
        EXPECT_EQ(compute(), expected) << zone;
    }
}
