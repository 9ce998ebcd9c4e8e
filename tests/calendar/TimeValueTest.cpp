#include "calendar/TimeValue.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "calendar/CalDay.h"

TEST(TimeValueArithmetic, AddDecAndFloat)
{
    struct Case
    {
        long a, b;
        TInt result;
    };
    const Case sums[] = {{59, 1, 100},  {0, 0, 0},       {745, 30, 815},    {1545, 1545, 3130},
                         {775, 0, 815}, {-130, 200, 30}, {-130, -130, -300}};
    for (const Case& c : sums) {
        EXPECT_EQ(Add2TInt(c.a, c.b), c.result) << c.a << " + " << c.b;
        EXPECT_EQ(Add2TInt(c.b, c.a), c.result) << c.b << " + " << c.a;
    }
    const Case differences[] = {{1545, 0, 1545}, {0, 45, -45},    {1610, 700, 910},
                                {1, 2, -1},      {800, 845, -45}, {700, 830, -130},
                                {2, 1, 1},       {775, 0, 775},   {775, 5, 810}};
    for (const Case& c : differences)
        EXPECT_EQ(Dec2TInt(c.a, c.b), c.result) << c.a << " - " << c.b;
    for (TInt a : {0, 5, 745, 12000})
        for (TInt b : {1, 59, 130, 2400})
            EXPECT_EQ(Add2TInt(Dec2TInt(a, b), b), a) << a << " " << b;
    EXPECT_EQ(Add2TInt(2000000000L, 2000000000L), INT32_MAX); // saturates, no wrap

    EXPECT_FLOAT_EQ(TInt2float(730), 7.498f);
    EXPECT_FLOAT_EQ(TInt2float(45), 0.747f);
    EXPECT_FLOAT_EQ(TInt2float(12000), 120.0f);
}

TEST(TimeValueText, ParseAndPrint)
{
    struct Case
    {
        const char* text;
        TInt value;
    } const parsed[] = {{"7.5", 705},    {"7", 700},
                        {"0:45", 45},    {"12/15", 1215},
                        {"7:300", 730},  {"7:75", 775},
                        {" 8:25", 825},  {"7:", 700},
                        {"", 0},         {"abc", 0},
                        {"1.5:30", 130}, {"-1:30", -130},
                        {"-0:45", -45},  {"99999999999", INT32_MAX}};
    for (const Case& c : parsed)
        EXPECT_EQ(str2Tint(c.text), c.value) << c.text;
    EXPECT_EQ(str2Tint(static_cast<const char*>(nullptr)), 0);

    const Case printed[] = {{"7:00", 700}, {"0:45", 45},    {"120:00", 12000}, {"0:00", 0},
                            {"0:05", 5},   {"-1:30", -130}, {"-0:45", -45}};
    for (const Case& c : printed)
        EXPECT_EQ(TInt2str(c.value), c.text);
    for (TInt t = -3000; t <= 3000; t++) {
        if ((t < 0 ? -t : t) % 100 < 60) {
            ASSERT_EQ(str2Tint(TInt2str(t)), t) << t;
        }
    }
    // The extremes read back as themselves too (a job file round trip).
    for (TInt t : {INT32_MIN, INT32_MIN + 1, INT32_MAX - 36, -2147483600})
        EXPECT_EQ(str2Tint(TInt2str(t)), t) << TInt2str(t);
}

TEST(WorkingWeek, DefaultWeekAndSums)
{
    auto week = NewWkoWeek();
    ASSERT_NE(week, nullptr);
    testing::internal::CaptureStdout();
    WPrintToStream(week.get());
    WPrintToStream(nullptr);
    EXPECT_EQ(SumAktWkoWeek(nullptr), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "[        Mo| 700| 800|  45|1545]\n"
                                                      "[        Di| 700| 800|  45|1545]\n"
                                                      "[        Mi| 700| 800|  45|1545]\n"
                                                      "[        Do| 700| 800|  45|1545]\n"
                                                      "[        Fr| 700| 800|  45|1545]\n"
                                                      "[        Sa| 700|   0|  45|   0]\n"
                                                      "[        So| 700|   0|  45|   0]\n"
                                                      " Summe AktStd.:'40:00'\n"
                                                      "Bad wkoweek!\n"
                                                      "BAD wkoweek\n");
    for (daymark& day : week->day)
        day.worktime = 745;
    EXPECT_EQ(SumAktWkoWeek(week.get()), 5415);
    DeleteWkoWeek(week);
    EXPECT_EQ(week, nullptr);
}

TEST(WorkingWeek, EndTimeAndReset)
{
    struct Case
    {
        TInt begin, worktime, pause;
        TInt after[4];
    } const cases[] = {{745, 830, 45, {745, 830, 45, 1700}},
                       {1600, 800, 0, {1600, 800, 0, 2400}}, // exactly 24:00 is kept
                       {1600, 800, 1, {700, 825, 45, 1600}},
                       {2000, 400, 45, {700, 825, 45, 1600}}}; // 1600, not 1610
    for (const Case& c : cases) {
        daymark day{c.begin, c.worktime, c.pause, -1, "Mo"};
        SetETime(&day);
        const TInt after[4] = {day.begin, day.worktime, day.pause, day.end};
        EXPECT_TRUE(std::equal(after, after + 4, c.after)) << c.begin << "+" << c.worktime;
        EXPECT_EQ(day.dayname, "Mo");
    }
}

TEST(WorkingWeek, DayMarkNames)
{
    EXPECT_EQ(NewDayMark(nullptr, 700, 800, 45, 1545), nullptr);
    auto day = NewDayMark("Montag", 700, 800, 45, 1545);
    EXPECT_EQ(day->dayname, "Montag");
    EXPECT_EQ(day->end, 1545);
    EXPECT_EQ(NewDayMark("Donnerstag01234", 0, 0, 0, 0)->dayname, "Donnerstag0");
    // A cut inside a two-byte character keeps the text valid UTF-8.
    EXPECT_EQ(NewDayMark("Sonnabend \xC3\xA4", 0, 0, 0, 0)->dayname, "Sonnabend ");
}

TEST(CommandCodes, Long2AscAndHex2Int)
{
    EXPECT_EQ(long2asc('WADD'), "WADD");
    EXPECT_EQ(long2asc(0xE4414444UL), "\xE4"
                                      "ADD");
    EXPECT_EQ(long2asc(0x0A414243UL), "\x0A"
                                      "ABC");
    EXPECT_EQ(long2asc(0x00414243UL), std::string("\0ABC", 4));
    EXPECT_EQ(long2asc(0x1234567841424344UL), "ABCD"); // a code is 32 bits

    struct Case
    {
        const char* text;
        int value;
    } const cases[] = {{"$41", 65}, {"E4", 228}, {"ff", 0}, {"fF", 15},   {"A", 160},
                       {"", 0},     {"$", 0},    {"G1", 1}, {"4142", 65}, {"$$41", 4}};
    for (const Case& c : cases)
        EXPECT_EQ(hex2int(c.text), c.value) << c.text;
    EXPECT_EQ(hex2int(nullptr), 0);
    for (int v = 0; v < 256; v++) {
        char text[8];
        snprintf(text, sizeof(text), "%02X", v);
        ASSERT_EQ(hex2int(text), v);
    }
}

// These texts once shared one buffer; every caller now owns its own.
TEST(SharedTexts, EachThreadGetsItsOwnText)
{
    auto worker = [](int id, int* failures) {
        const ks_calday day{2000 + id, static_cast<uint8_t>(1 + id), 9, 0};
        const std::string dayText = id ? "2001/02/09" : "2000/01/09";
        const std::string timeText = id ? "1:01" : "0:00";
        for (int i = 0; i < 20000; i++) {
            if (CDay2str(&day) != dayText || TInt2str(id * 101) != timeText ||
                long2asc(id ? 'OADD' : 'WADD') != (id ? "OADD" : "WADD"))
                ++*failures;
        }
    };
    int failures[2] = {0, 0};
    std::thread a(worker, 0, &failures[0]), b(worker, 1, &failures[1]);
    a.join();
    b.join();
    EXPECT_EQ(failures[0] + failures[1], 0);
}
