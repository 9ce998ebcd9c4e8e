// The optimisation commands on hand-made plans whose answers are worked out
// below, their undo, and F2 against F1 pressed until the beep on generated
// projects.
#include <gtest/gtest.h>

#include <map>

#include "ProjectGenerator.h"
#include "app/AppPost.h"
#include "data/STHolidays.h"
#include "data/Worker.h"
#include "kit/app/Beep.h"
#include "scheduling/Plans.h"

namespace {

// Worker 1: o1 (16:00) and o2 (8:00) planned with gaps from today; q has a
// closed job of worker 1 and an open one of worker 2. The preview, closed
// and break orders would have room too, and an order without jobs has
// nothing that limits it.
std::string Workshop()
{
    return PlanOrder("o1", "2002/12/13", 1, {{1, 1600, 1, 5}}) +
           PlanOrder("o2", "2002/12/17", 1, {{1, 800, 1, 5}}) +
           PlanOrder("q", "2002/12/20", 1, {{1, 800, 1, 5, 1}, {2, 800, 6, 11}}) +
           PlanOrder("p0", "2002/12/18", 0, {{2, 800, 1, 5}}) +
           PlanOrder("c3", "2002/12/19", 3, {{2, 800, 1, 5}}) +
           PlanOrder("b4", "2002/12/27", 4, {{1, 800, 1, 5}}) +
           PlanOrder("none", "2002/12/30", 1, {});
}

// The dates of the orders that never move, after those that do.
std::string Dates(const char* o1, const char* o2, const char* q)
{
    return std::string("b4 2002/12/27\nc3 2002/12/19\nnone 2002/12/30\no1 ") + o1 + "\no2 " + o2 +
           "\np0 2002/12/18\nq " + q + "\n";
}

const std::string kStart = Dates("2002/12/13", "2002/12/17", "2002/12/20");
// Worker 1 takes o1 on Tuesday and Wednesday and o2 on Thursday; worker 2
// takes q's open job on Tuesday.
const std::string kTight = Dates("2002/12/11", "2002/12/12", "2002/12/10");

// Runs a command quietly; the beeps it gave.
int Beeps(const std::function<void()>& command)
{
    const int before = beep_count();
    Printed(command);
    return beep_count() - before;
}

} // namespace

TEST(OptimiertOneDay, MovesEachOrderOneDayPerRunUntilTheBeep)
{
    OrderWorkshop shop;
    STOrder* orders = OpenPlan(shop, Workshop());
    ASSERT_EQ(PlanDates(orders), kStart);
    AppPostRecorder posts;

    EXPECT_EQ(Beeps([&] { orders->OptimiertDiffTimesA(); }), 0);
    EXPECT_EQ(PlanDates(orders), Dates("2002/12/12", "2002/12/16", "2002/12/19"));
    EXPECT_EQ(posts.Codes(), std::vector<uint32>{'WBRA'});
    Printed([&] { orders->OptimiertDiffTimesA(); });
    EXPECT_EQ(PlanDates(orders), Dates("2002/12/11", "2002/12/15", "2002/12/18"));

    // q needs ten moves; the eleventh press moves nothing and beeps.
    int presses = 2;
    int beeps = 0;
    while (orders->opt_done == 0 && presses < 50) {
        beeps += Beeps([&] { orders->OptimiertDiffTimesA(); });
        presses++;
    }
    EXPECT_EQ(presses, 11);
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(PlanDates(orders), kTight);

    // Exhausted: the moving commands do nothing until an undo or F2.
    posts.Clear();
    for (auto command : {&STOrder::OptimiertDiffTimesA, &STOrder::OptimiertDiffTimesC,
                         &STOrder::OptimiertDiffTimesD, &STOrder::OptimiertDiffTimesB})
        EXPECT_EQ(Beeps([&] { (orders->*command)(); }), 0);
    EXPECT_TRUE(posts.Codes().empty());
    EXPECT_EQ(PlanDates(orders), kTight);
    EXPECT_EQ(Beeps([&] { orders->OptimiertDiffTimesE(); }), 1);
    EXPECT_EQ(PlanDates(orders), kTight);
}

TEST(OptimiertDiffTimes, EachCommandOnTheWorkshop)
{
    // B jumps each gap in calendar days; C lays the jobs forward from the
    // begin moved by the gap in working days, which counts the weekend
    // short; D leaves a free day between orders and so moves o2 only to
    // the Monday after o1.
    const struct
    {
        const char* name;
        void (STOrder::*command)();
        const char* printed;
        std::string after;
        int runsToBeep;
    } cases[] = {
        {"B", &STOrder::OptimiertDiffTimesB,
         ">>>> o1:  movedays: 2>>>> o2:  movedays: 5>>>> q:  movedays: 10>>>> none:  movedays: 900",
         kTight, 2},
        {"C", &STOrder::OptimiertDiffTimesC, "SUM MOVED: 6",
         Dates("2002/12/11", "2002/12/16", "2002/12/12"), 3},
        {"D", &STOrder::OptimiertDiffTimesD, nullptr,
         Dates("2002/12/12", "2002/12/16", "2002/12/11"), 2},
        {"E", &STOrder::OptimiertDiffTimesE, "", kTight, 1},
    };
    for (const auto& c : cases) {
        OrderWorkshop shop;
        STOrder* orders = OpenPlan(shop, Workshop());
        const std::string printed = Printed([&] { (orders->*c.command)(); });
        if (c.printed != nullptr) {
            EXPECT_EQ(printed, c.printed) << c.name;
        }
        EXPECT_EQ(PlanDates(orders), c.after) << c.name;
        int runs = 1;
        while (orders->opt_done == 0 && runs < 10) {
            Printed([&] { (orders->*c.command)(); });
            runs++;
        }
        EXPECT_EQ(runs, c.runsToBeep) << c.name;
        // From Monday, two working days back is Friday, and laid forward
        // from there o2 ends on Monday again: C leaves it there.
        if (c.name[0] == 'C') {
            EXPECT_EQ(PlanDates(orders), Dates("2002/12/11", "2002/12/16", "2002/12/10"));
        }
    }
}

TEST(RestorePDL, PutsBackThePlanDatesOfBeforeTheFirstMove)
{
    OrderWorkshop shop;
    STOrder* orders = OpenPlan(shop, Workshop());
    Printed([&] {
        orders->OptimiertDiffTimesA();
        orders->OptimiertDiffTimesC();
        orders->OptimiertDiffTimesD();
    });
    ASSERT_NE(PlanDates(orders), kStart);
    // Added after the save: it has no earlier plan date to go back to.
    auto added = std::make_unique<Order>(false);
    added->oauft = "zz";
    added->NewOPdl("2003/01/15");
    orders->AddOrderZgr(std::move(added));

    AppPostRecorder posts;
    EXPECT_EQ(Printed([&] { orders->RestorePDL(); }), " RestorePDL(F5)");
    EXPECT_EQ(PlanDates(orders), kStart + "zz 2003/01/15\n");
    EXPECT_EQ(posts.Codes(), std::vector<uint32>{'WBRA'});
    // A second undo does nothing.
    posts.Clear();
    orders->GetOrder(0)->NewOPdl("2003/02/03");
    EXPECT_EQ(Printed([&] { orders->RestorePDL(); }), " RestorePDL(F5)");
    EXPECT_TRUE(posts.Codes().empty());
    EXPECT_EQ(orders->GetOrder(0)->opdl, "2003/02/03");
}

TEST(OptimiertDiffTimesE, EndsWithoutWorkersAndWithUnlimitedOrders)
{
    OrderWorkshop shop;
    // Every job's worker is gone after loading: no order has a limit.
    STOrder* orders = OpenPlan(shop, Workshop());
    for (int32 i = 0; i <= orders->GetOMax(); i++) {
        for (auto& job : orders->GetOrder(i)->jobs)
            job->j_id = 99;
    }
    EXPECT_EQ(Beeps([&] { orders->OptimiertDiffTimesE(); }), 1);
    EXPECT_EQ(PlanDates(orders), kStart);

    shop.workers->DeleteMe();
    EXPECT_EQ(Beeps([&] { orders->OptimiertDiffTimesE(); }), 1);
    EXPECT_EQ(Beeps([&] { orders->OptimiertDiffTimesA(); }), 1);
    EXPECT_EQ(orders->opt_done, 0);
    EXPECT_EQ(PlanDates(orders), kStart);
}

TEST(ScanOrderTimes, ListsEveryOpenJobAgainstItsWorkersFreeDay)
{
    OrderWorkshop shop;
    STOrder* orders =
        OpenPlan(shop, PlanOrder("q", "2002/12/20", 1, {{1, 800, 1, 5, 1}, {2, 800, 6, 11}}) +
                           PlanOrder("p0", "2002/12/18", 0, {{2, 800, 1, 5}}));
    const std::string before = PlanDates(orders);
    EXPECT_EQ(Printed([&] { orders->ScanOrderTimes(); }),
              "Anna BergPB_CLOSEDbert Cramerfsp[2002/12/09] lb[2002/12/19] [10]WRONG STAT");
    EXPECT_EQ(PlanDates(orders), before);
}

// A generated project, open with all orders loaded and checked.
struct GeneratedProject
{
    explicit GeneratedProject(ProjectSize size)
    {
        EXPECT_TRUE(GenerateProject(folder.Root().string(), "genplan", size, 7));
        prefsdata.fetch_or(VTa_USE_HOLIDAY);
        DEFS_WKO_IO = DEFS_ORD_IO = "genplan";
        Printed([&] {
            STHolidays::getSTHolidays();
            STWorker::getSTWorker();
            orders = STOrder::getSTOrder();
        });
    }
    ~GeneratedProject()
    {
        Printed([] {
            STOrder::Existing()->DeleteMe();
            STWorker::Existing()->DeleteMe();
            STHolidays::Existing()->DeleteMe();
        });
    }

    // Every order's plan date and its first job's begin, by order id.
    std::map<int32, std::string> Plan() const
    {
        std::map<int32, std::string> plan;
        for (int32 i = 0; i <= orders->GetOMax(); i++) {
            const Order* order = orders->GetOrder(i);
            plan[order->onr] = order->opdl + " " + CDay2str(&order->jobs.at(0)->j_beg);
        }
        return plan;
    }

    ProgramFolder folder;
    STOrder* orders = nullptr;
};

TEST(OptimiertDiffTimesE, IsF1PressedUntilTheBeepOnGeneratedProjects)
{
    for (ProjectSize size : {kSmallProject, kMediumProject}) {
        GeneratedProject project(size);
        STOrder* orders = project.orders;
        ASSERT_NE(orders, nullptr);
        const auto start = project.Plan();

        int presses = 0;
        int beeps = 0;
        while (orders->opt_done == 0 && presses < 2000) {
            beeps += Beeps([&] { orders->OptimiertDiffTimesA(); });
            presses++;
        }
        EXPECT_EQ(beeps, 1);
        EXPECT_GT(presses, 5) << size.orders;
        const auto pressed = project.Plan();
        EXPECT_NE(pressed, start);

        Printed([&] { orders->RestorePDL(); });
        EXPECT_EQ(project.Plan(), start) << size.orders;
        EXPECT_EQ(Beeps([&] { orders->OptimiertDiffTimesE(); }), 1);
        EXPECT_EQ(project.Plan(), pressed) << size.orders;
    }
}
