// An order against its workers' free-start (FS) points, and laid forward.
#include <gtest/gtest.h>

#include "data/Worker.h"
#include "scheduling/Plans.h"

namespace {

std::string FreeDay(OrderWorkshop& shop, int32 id)
{
    return CDay2str(shop.workers->GetWorkerWithID(id)->fs_point.get());
}

// Three jobs one after the other (C, B, A) of 8:00 on workers 1, 2, 1,
// planned for Friday 2002/12/20: they take Wednesday to Friday.
std::unique_ptr<Order> ChainOrder(int32 status = 1)
{
    return MakeOrder("2002/12/20", {{1, 800, 1, 5}, {2, 800, 6, 11}, {1, 800, 12, 17}}, status);
}

} // namespace

TEST(StampWkoFSPoint, OpenJobsMakeTheirWorkersFreeAfterTheirEnd)
{
    const struct
    {
        int32 status;
        int8 multiuse;
        const char* first;
    } cases[] = {{2, 0, "2002/12/19"},
                 {2, 1, "2002/12/08"},
                 {0, 0, "2002/12/09"},
                 {3, 0, "2002/12/09"},
                 {4, 0, "2002/12/09"}};
    for (const auto& c : cases) {
        OrderWorkshop shop;
        shop.workers->GetWorkerWithID(1)->multiuse = c.multiuse;
        // Worker 2's job is closed and leaves it free from today.
        auto order = MakeOrder("2002/12/20", {{1, 800, 1, 5}, {2, 800, 6, 11, 1}});
        order->ostat = c.status;
        order->StampWkoFSPoint();
        EXPECT_EQ(FreeDay(shop, 1) + FreeDay(shop, 2), std::string(c.first) + "2002/12/09")
            << c.status << " " << int(c.multiuse);
    }
}

TEST(DaysToWkoFSPoint, CountsTheSmallestGapInCalendarOrWorkingDays)
{
    OrderWorkshop shop;
    // Both jobs run on Friday 2002/12/20, beginning "after Thursday".
    auto order = MakeOrder("2002/12/20", {{1, 800, 1, 10}, {2, 800, 1, 10}});
    const struct
    {
        const char *firstFree, *secondFree;
        uint8 firstStatus;
        int32 calendar, working;
    } cases[] = {
        {"2002/12/13", "2002/12/17", 0, 2, 2},
        {"2002/12/13", "2002/12/09", 0, 6, 4},  // no working days at the weekend
        {"2002/12/13", "2002/12/09", 1, 10, 8}, // a closed job does not count
        {"2002/12/13", "2002/12/23", 0, -4, 0}, // begins before its worker is free
    };
    for (const auto& c : cases) {
        shop.workers->GetWorkerWithID(1)->fs_point = str2CDay(c.firstFree);
        shop.workers->GetWorkerWithID(2)->fs_point = str2CDay(c.secondFree);
        order->jobs[0]->j_stat = c.firstStatus;
        EXPECT_EQ(order->DaysToWkoFSPoint(1), c.calendar) << c.firstFree << " " << c.secondFree;
        EXPECT_EQ(order->DaysToWkoFSPoint(0), c.working) << c.firstFree << " " << c.secondFree;
        EXPECT_EQ(order->movedays, c.working);
    }

    // Nothing limits an order whose open jobs have no worker.
    order->jobs[0]->j_stat = 0;
    order->jobs[0]->j_id = 77;
    order->jobs[1]->j_id = 78;
    EXPECT_EQ(order->DaysToWkoFSPoint(0), 900);
    order->ostat = 4;
    int32 days = -1;
    EXPECT_EQ(Printed([&] { days = order->DaysToWkoFSPoint(0); }), " WRONG STATUS ");
    EXPECT_EQ(days, 0);
}

TEST(FindLastFSPoint, TakesTheEarliestBeginOfTheOpenJobs)
{
    OrderWorkshop shop;
    // Both begin on Thursday, the first after 6:00 of it: the later job
    // wins the tie, with its time.
    auto side = MakeOrder("2002/12/20", {{1, 1000, 1, 10}, {2, 800, 1, 10}});
    side->oauft = "side";
    ks_calday day = *str2CDay(nullptr);
    EXPECT_EQ(
        Printed([&] { side->FindLastFSPoint(&day); }),
        "## [side] FindLastFSPoint     2002/12/19 chkdiff:  10       2002/12/19 chkdiff:  10  "
        "INTO: 2002/12/19");
    EXPECT_EQ(day.hours, 0);
    side->ostat = 0;
    EXPECT_EQ(Printed([&] { side->FindLastFSPoint(&day); }), " WRONG STATUS ");
}

TEST(SetPbTimesForward, LaysTheOpenJobsForwardAndSetsThePlanDate)
{
    OrderWorkshop shop;
    const struct
    {
        int32 movedays, status;
        const char *printed, *plan;
    } cases[] = {
        {0, 1, "SetPbTimesForward - RETURN", "2002/12/20"},
        // Wednesday less three days is a Sunday: Monday to Wednesday.
        {3, 1, "[tb_bas >][tb_bas >]", "2002/12/18"},
        {-2, 1, "[tb_bas >][tb_bas >]", "2002/12/24"}, // later
        {3, 0, "", "2002/12/20"},
    };
    for (const auto& c : cases) {
        auto chain = ChainOrder(c.status);
        chain->movedays = c.movedays;
        EXPECT_EQ(Printed([&] { chain->SetPbTimesForward(0); }), c.printed) << c.movedays;
        EXPECT_EQ(chain->opdl, c.plan) << c.movedays;
    }

    // Parallel jobs start together; the longer one sets the plan date.
    auto side = MakeOrder("2002/12/20", {{1, 800, 1, 10}, {2, 1600, 1, 10}});
    side->movedays = 2;
    EXPECT_EQ(Printed([&] { side->SetPbTimesForward(0); }), "[tb_bas==]");
    EXPECT_EQ(side->opdl + " " + std::to_string(side->movedays), "2002/12/19 0");

    // From 4:00 into Monday each job ends 4:00 into the next day.
    ks_calday start = *str2CDay("2002/12/16");
    start.hours = 400;
    auto chain = ChainOrder();
    chain->MoveToThisBeginDay(&start);
    EXPECT_EQ(chain->opdl, "2002/12/19");
}
