#include "calendar/Datum.h"

#include <climits>
#include <latch>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "ScopedTimeZone.h"
#include "calendar/Clock.h"

TEST(DatumCount, BackWhereItWasAfterEveryKindOfObject)
{
    const int32_t before = Datum::datumC;
    const ks_calday day{2002, 12, 1, 0};
    {
        Datum a(2002, 12, 1), b("2002/12/01"), c(&day), d(a);
        EXPECT_EQ(Datum::datumC, before + 4);
        d = b;
        EXPECT_EQ(Datum::datumC, before + 4);
    }
    CDayIsWDay(&day);
    CDayIsKWo(&day);
    EXPECT_EQ(Datum::datumC, before);
}

TEST(DatumCount, ExactUnderConcurrentUse)
{
    constexpr int kThreads = 4, kHeld = 200;
    const int32_t before = Datum::datumC;
    std::latch built(kThreads + 1), release(1);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; t++) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < 500; i++) {
                Datum scratch(2000 + t, 1 + i % 12, 1 + i % 28);
                Datum copy(scratch);
            }
            std::vector<Datum> held;
            held.reserve(kHeld);
            for (int i = 0; i < kHeld; i++)
                held.emplace_back(1990 + t, 6, i);
            built.count_down();
            release.wait();
        });
    }
    built.arrive_and_wait();
    EXPECT_EQ(Datum::datumC, before + kThreads * kHeld);
    release.count_down();
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(Datum::datumC, before);
}

TEST(DatumBuild, NormalisesLikeMktime)
{
    struct Case
    {
        int y, m, d;
        const char* day;
        int wday, yday; // wday: Sunday = 0
    } const cases[] = {{2002, 1, 32, "2002/02/01", 5, 32},   {2002, 3, 0, "2002/02/28", 4, 59},
                       {2004, 3, 0, "2004/02/29", 0, 60},    {2002, 13, 1, "2003/01/01", 3, 1},
                       {2002, 0, 1, "2001/12/01", 6, 335},   {2002, 1, 0, "2001/12/31", 1, 365},
                       {2002, 1, -1, "2001/12/30", 0, 364},  {2002, -23, 1, "2000/01/01", 6, 1},
                       {2002, 12, 365, "2003/11/30", 0, 334}};
    for (const Case& c : cases) {
        Datum d(c.y, c.m, c.d);
        EXPECT_EQ(d.Format("%Y/%m/%d %H:%M"), std::string(c.day) + " 00:00");
        EXPECT_EQ(d.IstWTag(), c.wday) << c.day;
        EXPECT_EQ(d.IstYTag(), c.yday) << c.day;
        EXPECT_EQ(d.tmDay.tm_isdst, -1);
    }
    const ks_calday day{2002, 12, 1, 1545};
    for (const Datum& d : {Datum("2002/12/01"), Datum(std::string_view("2002-12-01")), Datum(&day)})
        EXPECT_EQ(d.Format("%F %j %U %w"), "2002-12-01 335 48 0");
    ClockPin pin(2011, 3, 4);
    EXPECT_EQ(Datum("today").Format("%F"), "2011-03-04");
}

// 400 Gregorian years are a whole number of weeks, so far years can be
// checked against a familiar one.
TEST(DatumBuild, FarYearsFollowTheFourHundredYearCycle)
{
    for (int32_t year : {-400, 0, 1200, 1000000, -1000000, 2000000000}) {
        EXPECT_EQ(Datum(year, 1, 1).IstWTag(), 6) << year; // as 2000/01/01
        EXPECT_EQ(Datum(year, 3, 1).IstYTag(), 61) << year;
    }
    Datum huge(INT32_MAX, 24001, 1); // beyond struct tm: no midnight, still a weekday
    EXPECT_EQ(huge.seconds, -1);
    EXPECT_GE(huge.IstWTag(), 0);
    EXPECT_LE(huge.IstWTag(), 6);
}

TEST(DatumFormat, TextsAndLimits)
{
    const Datum d(2002, 12, 1);
    EXPECT_EQ(d.Format("%d.%m.%Y %A"), "01.12.2002 Sunday");
    EXPECT_EQ(d.Format(nullptr), "");
    EXPECT_EQ(d.Format(std::string(255, 'x').c_str()), std::string(255, 'x'));
    EXPECT_EQ(d.Format(std::string(256, 'x').c_str()), "");
    EXPECT_EQ(d.Format((std::string(252, 'x') + "%Y").c_str()), "");
}

TEST(DatumSeconds, LocalMidnightInEveryZone)
{
    for (const std::string& zone : TestZones()) {
        ScopedTimeZone tz(zone);
        std::tm local{};
        local.tm_year = 102;
        local.tm_mon = 5;
        local.tm_mday = 9;
        local.tm_isdst = -1;
        EXPECT_EQ(Datum(2002, 6, 9).seconds, mktime(&local)) << zone;
    }
    {
        ScopedTimeZone tz("CET-1CEST,M3.5.0,M10.5.0/3");
        EXPECT_EQ(Datum(2002, 4, 1).seconds - Datum(2002, 3, 31).seconds, 23 * 3600);
        EXPECT_EQ(Datum(2002, 10, 28).seconds - Datum(2002, 10, 27).seconds, 25 * 3600);
    }
    {
        // 00:00 does not exist on 2002-10-20 here; the day stays the 20th.
        ScopedTimeZone tz("<-03>3<-02>,M10.3.0/0,M2.3.0/0");
        const Datum gap(2002, 10, 20);
        EXPECT_EQ(gap.Format("%F %H:%M %w"), "2002-10-20 00:00 0");
        EXPECT_EQ(Datum(2002, 10, 21).seconds - gap.seconds, 23 * 3600);
    }
    {
        ScopedTimeZone tz("<+14>-14");
        std::tm utc{};
        utc.tm_year = 102;
        utc.tm_mon = 11;
        utc.tm_mday = 1;
        EXPECT_EQ(Datum(2002, 12, 1).seconds, timegm(&utc) - 14 * 3600);
        EXPECT_EQ(Datum(2002, 12, 1).IstWTag(), 0);
    }
}
