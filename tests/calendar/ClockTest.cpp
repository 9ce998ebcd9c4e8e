#include "calendar/Clock.h"

#include <atomic>
#include <thread>

#include <gtest/gtest.h>

#include "ScopedTimeZone.h"
#include "calendar/CalDay.h"

TEST(ClockPinning, TodayAndNowFollowThePin)
{
    ClockPin pin(2002, 12, 1, 9, 30);
    for (const char* text : {"today", "Datum", "xDatum"})
        EXPECT_EQ(CDay2str(str2CDay(text).get()), "2002/12/01") << text;
    const std::tm now = Clock::LocalNow();
    EXPECT_EQ(now.tm_year * 10000 + now.tm_mon * 100 + now.tm_mday, 1021101);
    EXPECT_EQ(now.tm_hour * 100 + now.tm_min, 930);
    EXPECT_EQ(now.tm_wday, 0);
    EXPECT_EQ(now.tm_yday, 334);

    std::tm utc = now;
    utc.tm_isdst = 0;
    const time_t utcInstant = timegm(&utc);
    for (auto [zone, offset] : {std::pair{"<+14>-14", 14}, std::pair{"<-11>11", -11}}) {
        ScopedTimeZone tz(zone);
        EXPECT_EQ(Clock::Now(), utcInstant - offset * 3600) << zone;
        EXPECT_EQ(Clock::LocalNow().tm_mday, 1) << zone;
    }
    Clock::Pin(2004, 2, 30, 25, 70); // normalised: 2004/03/02 02:10
    EXPECT_EQ(CDay2str(str2CDay("today").get()), "2004/03/02");
    EXPECT_EQ(Clock::LocalNow().tm_hour * 100 + Clock::LocalNow().tm_min, 210);
}

TEST(ClockPinning, PinsNestAndUnpin)
{
    EXPECT_FALSE(Clock::IsPinned());
    {
        ClockPin outer(2002, 1, 1);
        {
            ClockPin inner(2010, 5, 5);
            EXPECT_EQ(Clock::LocalNow().tm_year, 110);
        }
        EXPECT_EQ(Clock::LocalNow().tm_year, 102);
    }
    EXPECT_FALSE(Clock::IsPinned());
    const time_t before = time(nullptr);
    const time_t now = Clock::Now();
    EXPECT_TRUE(before <= now && now <= time(nullptr));
}

// Readers never see half of one pin and half of another.
TEST(ClockPinning, ReadersSeeWholePinsWhileItChanges)
{
    std::atomic<bool> done{false};
    std::atomic<int> torn{0};
    Clock::Pin(2002, 3, 31);
    std::thread reader([&] {
        while (!done) {
            const std::string today = CDay2str(str2CDay("today").get());
            if (today != "2002/03/31" && today != "2003/10/27")
                torn++;
        }
    });
    for (int i = 0; i < 2000; i++)
        i % 2 ? Clock::Pin(2002, 3, 31) : Clock::Pin(2003, 10, 27);
    done = true;
    reader.join();
    Clock::Unpin();
    EXPECT_EQ(torn, 0);
}
