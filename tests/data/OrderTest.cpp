// An order: its first job, the order check (job order, status, overrun,
// hours sum, ready holes), the worker-bar posts and the setters.
#include "data/Order.h"

#include <gtest/gtest.h>

#include "app/AppPost.h"
#include "data/OrderWorkshop.h"
#include "data/ProzBalken.h"
#include "kit/app/Beep.h"
#include "kit/display/TestWindow.h"

namespace {

struct Job
{
    float left;
    uint8 status = 0;
    TInt hours = 800;
    int32 worker = 1;
    const char* info = "-";
};

std::unique_ptr<Order> MakeOrder(const std::vector<Job>& jobs, const char* deadline = "2002/12/20")
{
    auto order = std::make_unique<Order>(false);
    order->odli = deadline;
    order->opdl = "2002/12/13";
    for (const Job& job : jobs)
        order->jobs.push_back(std::make_unique<ProzBalken>(BRect(job.left, 10, job.left + 60, 40),
                                                           job.worker, job.status, job.hours, 9,
                                                           job.info));
    return order;
}

} // namespace

TEST(Order, NewOrderHasOneOpenJobAndAClosedOrderStaysClosed)
{
    OrderWorkshop shop;
    std::unique_ptr<Order> order;
    EXPECT_EQ(Printed([&] { order = std::make_unique<Order>(true); }), "AddFirstPB() done");
    EXPECT_EQ(order->ostat, 1);
    ASSERT_EQ(order->jobs.size(), 1u);
    EXPECT_EQ(order->jobs[0]->j_time, 3200);
    // The order's own id names the worker when there is one, else the first.
    EXPECT_EQ(order->jobs[0]->j_id, shop.workers->GetWorkerWithID(order->onr) ? order->onr : 1);

    order->jobs[0]->j_stat = 1;
    order->PruefeOrder(false);
    EXPECT_EQ(order->ostat, 3);
    order->jobs[0]->j_stat = 0;
    order->PruefeOrder(false);
    EXPECT_EQ(order->ostat, 3);

    DEFS_WKO_IO = "-";
    shop.workers->DeleteMe();
    EXPECT_NE(Printed([&] { order = std::make_unique<Order>(true); }).find("AddFirstPB() error"),
              std::string::npos);
    EXPECT_TRUE(order->jobs.empty());
}

TEST(Order, CheckDerivesStatusOnlyForActiveOrdersAndFlagsOverruns)
{
    OrderWorkshop shop;
    const struct
    {
        int32 before;
        std::vector<uint8> jobs;
        int32 after;
    } cases[] = {{1, {0, 0}, 1}, {2, {0, 0}, 1}, {1, {1, 0}, 2}, {1, {1, 1}, 3},
                 {1, {3, 1}, 2}, {0, {1, 1}, 0}, {3, {0, 0}, 3}, {4, {1, 0}, 4}};
    for (const auto& c : cases) {
        auto order = MakeOrder({{10, c.jobs[0]}, {80, c.jobs[1]}});
        order->ostat = c.before;
        order->PruefeOrder(false);
        EXPECT_EQ(order->ostat, c.after) << "from " << c.before;
    }
    const std::pair<const char*, int32> overruns[] = {
        {"2002/12/13", 0}, {"2002/12/12", 1}, {"2001/12/31", 1}, {"2003/01/01", 0}};
    for (const auto& [deadline, over] : overruns) {
        auto order = MakeOrder({}, deadline);
        order->PruefeOrder(false);
        EXPECT_EQ(order->o_over, over) << deadline;
    }
}

TEST(Order, CheckSortsJobsStablySumsHoursAndNotifies)
{
    OrderWorkshop shop;
    auto order = MakeOrder(
        {{30, 0, 145, 1, "a"}, {10, 0, 230, 2, "b"}, {30, 0, 45, 1, "c"}, {10, 0, 100, 2, "d"}});
    order->jobs[3]->j_id = 77; // its worker was deleted
    AppPostRecorder posts;
    EXPECT_EQ(Printed([&] { order->PruefeOrder(true); }), " PB-CHECK Worker not found [77]");
    std::string infos;
    for (size_t i = 0; i < order->jobs.size(); i++) {
        infos += order->jobs[i]->j_info;
        EXPECT_EQ(order->jobs[i]->j_prio, int32(i));
    }
    EXPECT_EQ(infos, "bdac");
    EXPECT_EQ(order->o_sum, 600);
    EXPECT_EQ(posts.Codes().front(), uint32('WBRO'));
    EXPECT_EQ(posts.Codes().back(), uint32('OSAM'));

    posts.Clear();
    order->PruefeOrder(true);
    EXPECT_EQ(posts.Codes(), std::vector<uint32>{'OSAM'}) << "the sum did not change";
}

TEST(Order, ReadyHoleReopensAShownJobElseWarnsOnceAndSwitchesItsOptionOff)
{
    OrderWorkshop shop;
    TestWindow test;
    auto shown = MakeOrder({{10}, {80, 1}});
    test.Add(shown->jobs[1].get());
    test.ShowAndWait();
    prefsdata.store(VTa_PB_READY_HIR | VTa_SHOW_NAME | VTa_SAVEONCLOSE);
    const int32 beeps = beep_count();
    test.Locked([&] { shown->PruefeOrder(false); });
    EXPECT_EQ(shown->jobs[1]->j_stat, 0);
    EXPECT_EQ(beep_count(), beeps);
    shown.reset(); // the job leaves the window before it closes

    auto hidden = MakeOrder({{10}, {80, 1}, {150}, {220, 1}});
    hidden->PruefeOrder(false);
    test.driver.WaitForIdle();
    EXPECT_EQ(beep_count(), beeps + 1);
    EXPECT_EQ(prefsdata.load(), VTa_SHOW_NAME | VTa_SAVEONCLOSE);
    EXPECT_EQ(hidden->jobs[1]->j_stat, 1);
    ASSERT_EQ(test.driver.Alerts().size(), 1u);
    EXPECT_EQ(test.driver.Alerts()[0].text,
              " [x] SubProzess no Ready-Hole \n ....SWITCH REMOVED !!");
    test.driver.AnswerAlert(0);
    test.driver.WaitForIdle();
}

TEST(Order, SentToCalPostsTheOrderThenEveryJobsBarLastFirst)
{
    OrderWorkshop shop;
    auto order = MakeOrder({{10, 0, 800, 1}, {80, 0, 800, 2}, {150, 0, 800, 3}});
    AppPostRecorder posts;
    order->SentToCal(false);
    order->SentToCal(true);
    const std::vector<BMessage> messages = posts.Messages();
    ASSERT_EQ(messages.size(), 4u);
    const int32 bars[] = {0, 2, 1, 0};
    for (size_t i = 0; i < 4; i++) {
        EXPECT_EQ(messages[i].what, uint32('WBRO'));
        EXPECT_STREQ(messages[i].GetString("informer", ""), "Order set2cal");
        EXPECT_EQ(messages[i].GetInt32("u_order", -1), order->onr);
        EXPECT_EQ(messages[i].GetInt32("xworker", -1), bars[i]);
    }
}

TEST(Order, SettersKeepTheirBytesAndRecordsWhole)
{
    OrderWorkshop shop;
    Order order(false);
    const std::string x79(79, 'x');
    const std::pair<std::string, std::string> cases[] = {
        {std::string(85, 'x'), std::string(80, 'x')},
        {x79 + "\xc3\xa4", x79},
        {std::string(78, 'x') + "\xc3\xa4", std::string(78, 'x') + "\xc3\xa4"},
        {"A-1 [rev 2]\nnext", "A-1 (rev 2) next"},
        {"IT", "IT "},
        {"PBX", "PBX"}};
    for (const auto& [given, kept] : cases) {
        order.NewOAuft(given);
        order.NewOZnr(given);
        order.NewOWkz(given);
        EXPECT_EQ(order.oauft, kept);
        EXPECT_EQ(order.oznr, kept);
        EXPECT_EQ(order.owkz, kept.substr(0, Order::kToolMax));
    }
    order.NewOPdl("2002/12/20");
    order.NewODli("2002/12/19");
    EXPECT_EQ(order.o_over, 1) << "the date setters run the check";
    // Held as the file writes them ("%10s") and reads them back.
    order.NewODli("2002/1/5");
    EXPECT_EQ(order.odli, "  2002/1/5");
    order.NewODli("2002/12/19]x\n");
    EXPECT_EQ(order.odli, "2002/12/19)");
}
