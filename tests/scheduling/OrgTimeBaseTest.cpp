// Laying jobs backward onto their workers' working days: one job over the
// day table, and an order's parallel groups from the bars' right edges.
#include <gtest/gtest.h>

#include <climits>

#include "data/Order.h"
#include "data/OrderWorkshop.h"
#include "data/ProzBalken.h"

namespace {

std::string Day(const ks_calday& day)
{
    return CDay2str(&day) + " " + TInt2str(day.hours);
}

std::unique_ptr<ProzBalken> MakeJob(TInt hours, int32 worker = 1, float right = 100)
{
    return std::make_unique<ProzBalken>(BRect(10, 10, right, 40), worker, 0, hours, 0, "-");
}

// Jobs of 8:00 with these right edges, planned to end on Friday 2002/12/13.
std::unique_ptr<Order> MakeOrder(const std::vector<float>& rights, TInt hours = 800)
{
    auto order = std::make_unique<Order>(false);
    order->opdl = "2002/12/13";
    for (float right : rights)
        order->jobs.push_back(MakeJob(hours, 1, right));
    order->OrgTimeBase();
    return order;
}

std::string Layout(const Order& order)
{
    std::string text;
    for (const auto& job : order.jobs)
        text +=
            std::string(1, job->timebase) + " " + Day(job->j_beg) + " - " + Day(job->j_end) + "\n";
    return text;
}

} // namespace

TEST(ListUsedDaysTable, LaysOneJobBackwardOverWorkingDays)
{
    OrderWorkshop shop("[HD][2002/12/25][Weihnachten]\n");
    const struct
    {
        TInt hours, endTime;
        const char* endDay;
        int32 worker;
        const char *begin, *end;
    } cases[] = {
        {800, 0, "2002/12/13", 1, "2002/12/12 0:00", "2002/12/13 0:00"},
        {600, 0, "2002/12/13", 1, "2002/12/13 2:00", "2002/12/13 0:00"},
        {2000, 0, "2002/12/13", 1, "2002/12/11 4:00", "2002/12/13 0:00"},
        {1000, 0, "2002/12/16", 1, "2002/12/13 6:00", "2002/12/16 0:00"}, // over a weekend
        {730, 0, "2002/12/13", 1, "2002/12/13 0:30", "2002/12/13 0:00"},
        {2400, 0, "2002/12/27", 1, "2002/12/23 0:00", "2002/12/27 0:00"}, // over a holiday
        {600, 300, "2002/12/13", 1, "2002/12/12 5:00", "2002/12/13 3:00"},
        {800, 800, "2002/12/13", 1, "2002/12/12 0:00", "2002/12/13 0:00"},
        // Before the table every day counts 8:00, after it none has hours.
        {3200, 0, "2002/12/03", 1, "2002/11/28 0:00", "2002/12/03 0:00"},
        {800, 0, "2004/12/31", 1, "2004/11/30 0:00", "2004/12/31 0:00"},
        {1600, 0, "2002/12/20", 3, "2002/11/28 0:00", "2002/12/20 0:00"},
        {-500, 0, "2002/12/13", 1, "2002/12/14 5:00", "2002/12/13 0:00"},
    };
    for (const auto& c : cases) {
        auto job = MakeJob(c.hours, c.worker);
        job->ListUsedDaysTable(c.endTime, str2CDay(c.endDay).get());
        EXPECT_EQ(Day(job->j_beg) + " - " + Day(job->j_end), std::string(c.begin) + " - " + c.end)
            << c.hours << " to " << c.endDay;
    }

    auto absurd = MakeJob(INT32_MAX);
    absurd->ListUsedDaysTable(0, str2CDay("2002/12/13").get());
    EXPECT_LT(absurd->j_beg.year, 0) << "millions of days, counted at once";
    auto orphan = MakeJob(1600);
    orphan->j_id = 77; // its worker was deleted: every day counts 8:00
    orphan->j_end = *str2CDay("2002/12/16");
    orphan->ListUsedDaysTable(0, &orphan->j_end);
    EXPECT_EQ(Day(orphan->j_beg), "2002/12/14 0:00");
}

TEST(OrgTimeBase, RightEdgesGroupTheJobsBackwardFromThePlanDate)
{
    OrderWorkshop shop;
    EXPECT_EQ(Layout(*MakeOrder({200, 200, 200})), "A 2002/12/12 0:00 - 2002/12/13 0:00\n"
                                                   "A 2002/12/12 0:00 - 2002/12/13 0:00\n"
                                                   "A 2002/12/12 0:00 - 2002/12/13 0:00\n");
    EXPECT_EQ(Layout(*MakeOrder({100, 200, 300})), "C 2002/12/10 0:00 - 2002/12/11 0:00\n"
                                                   "B 2002/12/11 0:00 - 2002/12/12 0:00\n"
                                                   "A 2002/12/12 0:00 - 2002/12/13 0:00\n");
    EXPECT_EQ(Layout(*MakeOrder({300, 100, 200})), "B 2002/12/11 0:00 - 2002/12/12 0:00\n"
                                                   "B 2002/12/11 0:00 - 2002/12/12 0:00\n"
                                                   "A 2002/12/12 0:00 - 2002/12/13 0:00\n");
    // The earlier job uses what the later one left of Friday.
    EXPECT_EQ(Layout(*MakeOrder({100, 200}, 600)), "B 2002/12/12 4:00 - 2002/12/13 2:00\n"
                                                   "A 2002/12/13 2:00 - 2002/12/13 0:00\n");

    // A closed job is laid out but its successor stays the reference.
    auto order = MakeOrder({100, 200, 300});
    order->jobs[1]->j_stat = 1;
    order->OrgTimeBase();
    EXPECT_EQ(Layout(*order), "C 2002/12/11 0:00 - 2002/12/12 0:00\n"
                              "B 2002/12/11 0:00 - 2002/12/12 0:00\n"
                              "A 2002/12/12 0:00 - 2002/12/13 0:00\n");

    auto empty = std::make_unique<Order>(false);
    EXPECT_EQ(Printed([&] { empty->OrgTimeBase(); }),
              "raus OrgTimeBase [" + std::to_string(empty->onr) + "]");
}
