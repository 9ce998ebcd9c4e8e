// The day-to-pixel mapping, the zoom steps, week numbers and month labels.
#include "planner/CalMapping.h"

#include <gtest/gtest.h>

#include <cmath>

#include "calendar/Clock.h"

namespace {

ks_calday Day(int32 year, int month, int day)
{
    return ks_calday{year, uint8_t(month), uint8_t(day), 0};
}

} // namespace

TEST(CalMapping, ZoomStepsOnly)
{
    for (int32 months : {1, 2, 3, 6, 12, 24})
        EXPECT_TRUE(IsZoomValue(months)) << months;
    for (int32 months : {0, -1, 4, 5, 7, 13, 25, 48, INT32_MAX, INT32_MIN})
        EXPECT_FALSE(IsZoomValue(months)) << months;
}

TEST(CalMapping, DaysShownCrossYearsAndLeapYears)
{
    const struct
    {
        ks_calday first;
        int32 months, days;
    } cases[] = {
        {Day(2004, 1, 1), 2, 60},                               // leap February
        {Day(2003, 1, 1), 2, 59},    {Day(2002, 11, 1), 3, 92}, // November to January
        {Day(2003, 2, 1), 1, 28},    {Day(2004, 2, 1), 1, 29},    {Day(2002, 4, 1), 1, 30},
        {Day(2002, 12, 1), 1, 31},   {Day(2003, 6, 1), 24, 731}, // over 2004/02/29
        {Day(2002, 12, 1), 12, 365}, {Day(2003, 12, 1), 12, 366},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DaysShown(c.first, c.months), c.days) << CDay2str(&c.first) << " + " << c.months;
}

TEST(CalMapping, FirstShownDayIsTheFirstOfTodaysMonth)
{
    ClockPin pin(2004, 2, 29);
    const ks_calday first = FirstShownDay();
    EXPECT_EQ(CDay2str(&first), "2004/02/01");
}

TEST(CalMapping, EveryZoomMapsDaysToWholeColumns)
{
    // A 2-year view over the leap year 2004 and every other zoom: day n
    // starts at 120 + P n, and the last day ends at the view's right edge.
    const ks_calday first = Day(2003, 6, 1);
    for (int32 months : {1, 2, 3, 6, 12, 24}) {
        const int32 days = DaysShown(first, months);
        const float width = 120 + float(days) * 3;
        const float p = PixelsPerDay(width, kNameColumn, days);
        EXPECT_FLOAT_EQ(p, 3) << months;
        EXPECT_FLOAT_EQ(DayLeft(0, p), 120);
        EXPECT_FLOAT_EQ(DayLeft(days, p), width) << months;
        EXPECT_FLOAT_EQ(DayLeft(days - 1, p) + p - 1, width - 1) << "last pixel of the last day";
    }
}

TEST(CalMapping, NoScaleWithoutRoom)
{
    EXPECT_EQ(PixelsPerDay(100, kNameColumn, 90), 0) << "narrower than the name column";
    EXPECT_EQ(PixelsPerDay(120, kNameColumn, 90), 0);
    EXPECT_EQ(PixelsPerDay(500, kNameColumn, 0), 0) << "no days";
    EXPECT_EQ(PixelsPerDay(NAN, kNameColumn, 30), 0);
    EXPECT_EQ(PixelsPerDay(INFINITY, kNameColumn, 30), 0);
    EXPECT_FLOAT_EQ(PixelsPerDay(420, kNameColumn, 30), 10);
}

TEST(CalMapping, WeekNumbersComeFromEachMondaysDate)
{
    const struct
    {
        ks_calday day;
        int32 week;
    } cases[] = {
        {Day(2002, 12, 30), 1},                           // Monday of the week with 2003/01/02
        {Day(2003, 1, 6), 2},    {Day(2004, 12, 27), 53}, // 2004 has a week 53
        {Day(2005, 1, 3), 1},    {Day(2008, 12, 29), 1},
        {Day(2009, 12, 28), 53}, {Day(2010, 1, 4), 1},
        {Day(2002, 12, 9), 50},  {Day(2002, 12, 15), 50}, // Sunday belongs to its Monday's week
        {Day(2000, 1, 1), 52},                            // Saturday of the last week of 1999
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsoWeek(c.day), c.week) << CDay2str(&c.day);
}

TEST(CalMapping, MonthLabelsByZoomAndWidth)
{
    const struct
    {
        int32 month, months;
        float width;
        const char* label;
    } cases[] = {
        {10, 3, 140, "November"}, {11, 3, 140, "December"}, {12, 3, 140, "January"},
        {10, 6, 70, "Nov."},      {1, 12, 30, "Feb."},      {1, 24, 15, "F."},
        {13, 24, 22.9f, "F."},    {-1, 2, 200, "December"}, {0, 1, 23, "January"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MonthLabel(c.month, c.months, c.width), c.label) << c.month << "/" << c.months;
}

TEST(CalMapping, BarsAndSaneCoordinates)
{
    const BRect bar = BarFrame(2, 500);
    EXPECT_EQ(bar, BRect(0, 41, 500, 56));
    EXPECT_EQ(SaneCoordinate(NAN), 0);
    EXPECT_EQ(SaneCoordinate(INFINITY), kFarCoordinate);
    EXPECT_EQ(SaneCoordinate(-1e30f), -kFarCoordinate);
    EXPECT_EQ(SaneCoordinate(12.5f), 12.5f);
}
