// Laying one job forward over its worker's day table, and backward over the
// working week alone.
#include <gtest/gtest.h>

#include <climits>

#include "data/OrderWorkshop.h"
#include "data/ProzBalken.h"
#include "data/Worker.h"

namespace {

std::string Point(const ks_calday& day)
{
    return CDay2str(&day) + " " + TInt2str(day.hours);
}

std::unique_ptr<ProzBalken> MakeJob(int32 worker, TInt hours)
{
    return std::make_unique<ProzBalken>(BRect(10, 10, 100, 40), worker, 0, hours, 0, "-");
}

// Christmas is a holiday; worker 2 is off on 2002/12/17 and ill the day after.
struct LayoutShop : OrderWorkshop
{
    LayoutShop() : OrderWorkshop("[HD][2002/12/25][Weihnachten]\n")
    {
        Worker* worker = workers->GetWorkerWithID(2);
        worker->AddUDaysCheck("2002/12/17");
        worker->AddIDaysCheck("2002/12/18");
        worker->AllDaysTable();
    }
};

} // namespace

TEST(CalcDaysForward, LaysOneJobForwardOverWorkingDays)
{
    LayoutShop shop;
    const struct
    {
        int32 worker;
        TInt hours, beginTime;
        const char *beginDay, *end;
    } cases[] = {
        {1, 800, 0, "2002/12/12", "2002/12/13 0:00"},   // 0: from the end of the day
        {1, 1000, 0, "2002/12/13", "2002/12/17 2:00"},  // over a weekend
        {1, 600, 500, "2002/12/12", "2002/12/13 3:00"}, // partial first and last day
        {1, 200, 600, "2002/12/13", "2002/12/13 0:00"}, // just the rest of the day
        {1, 800, 800, "2002/12/12", "2002/12/13 0:00"}, // the whole day: the next one
        {1, 2400, 0, "2002/12/23", "2002/12/27 0:00"},  // over a holiday
        {2, 1600, 0, "2002/12/16", "2002/12/20 0:00"},  // over an off-day and an illness day
        {1, 3200, 0, "2002/11/28", "2002/12/03 0:00"},  // before the table: 8:00 a day
        {1, 1600, 0, "2002/12/31", "2003/01/02 0:00"},  // over the year's end
        {1, 1600, 0, "2004/11/30", "2004/12/01 0:00"},  // ends with the table
        {1, 800, 0, "2005/01/10", "2005/01/10 0:00"},   // after it nothing is laid
        {3, 800, 0, "2002/12/09", "2004/12/01 0:00"},   // never works: bounded
        {1, 0, 300, "2002/12/12", "2002/12/12 3:00"},   // no hours: ends where it begins
    };
    for (const auto& c : cases) {
        auto job = MakeJob(c.worker, c.hours);
        job->CalcDaysForward(c.beginTime, str2CDay(c.beginDay).get());
        EXPECT_EQ(Point(job->j_end), c.end) << c.hours << " from " << c.beginDay;
        EXPECT_EQ(Point(job->j_beg), std::string(c.beginDay) + " " + TInt2str(c.beginTime));
    }

    // A worker that is gone has 8:00 on every day, weekends too.
    auto orphan = MakeJob(1, 1600);
    orphan->j_id = 77;
    orphan->CalcDaysForward(0, str2CDay("2002/12/13").get());
    EXPECT_EQ(Point(orphan->j_end), "2002/12/15 0:00");
    orphan->j_time = INT32_MAX;
    orphan->CalcDaysForward(0, str2CDay("2002/12/13").get());
    EXPECT_GT(orphan->j_end.year, 3000) << "millions of days, counted at once";
}

// From the begin that the backward lay-out found, the forward one ends
// exactly where the job was laid to end.
TEST(CalcDaysForward, RetracesTheBackwardLayout)
{
    LayoutShop shop;
    Worker* worker = shop.workers->GetWorkerWithID(2);
    ks_calday end = *str2CDay("2002/11/20");
    for (int day = 0; day < 70; day++, NextCDay(&end)) {
        // A free end day is the end of the working day before it.
        if (worker->GetTagesStdYD(DiffDays(&end, &worker->TableBase()), 0) <= 0)
            continue;
        for (TInt endTime : {0, 230, 700}) {
            for (TInt hours : {30, 800, 1345, 4000}) {
                auto job = MakeJob(2, hours);
                job->ListUsedDaysTable(endTime, &end);
                const ks_calday laidEnd = job->j_end;
                const ks_calday begin = job->j_beg;
                job->CalcDaysForward(begin.hours, &begin);
                ASSERT_EQ(Point(job->j_end), Point(laidEnd))
                    << TInt2str(hours) << " begun " << Point(begin);
            }
        }
    }
}

TEST(ListUsedDays, LaysOneJobBackwardOverTheWorkingWeek)
{
    LayoutShop shop;
    const struct
    {
        int32 worker;
        TInt hours, endTime;
        const char *endDay, *begin;
    } cases[] = {
        {1, 800, 0, "2002/12/13", "2002/12/12 0:00"},
        {1, 600, 0, "2002/12/13", "2002/12/13 6:00"}, // the part of the day used
        {1, 1000, 0, "2002/12/16", "2002/12/13 2:00"},
        {1, 2400, 0, "2002/12/27", "2002/12/24 0:00"}, // holidays are not seen
        {2, 1600, 0, "2002/12/19", "2002/12/17 0:00"}, // nor off-days and illness
        {1, 600, 300, "2002/12/13", "2002/12/12 1:00"},
        {1, 1000000, 0, "2002/12/13", "1998/03/01 0:00"}, // 250 weeks, a week at a time
        {3, 800, 0, "2002/12/13", "2000/12/11 0:00"},     // never works: 732 days
    };
    for (const auto& c : cases) {
        auto job = MakeJob(c.worker, c.hours);
        job->ListUsedDays(c.endTime, str2CDay(c.endDay).get());
        EXPECT_EQ(Point(job->j_beg), c.begin) << c.hours << " to " << c.endDay;
    }
}
