// The "unsaved changes" mark of the order, worker and holiday lists: every
// kind of change sets it, a save of the list's own file clears it, a failed
// save or a copy elsewhere keeps it. And the order's own job list: adding,
// removing and finding jobs, and the place each job knows itself by.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/Paths.h"
#include "data/ChangeMark.h"
#include "data/Order.h"
#include "data/OrderWorkshop.h"
#include "data/ProzBalken.h"
#include "data/Worker.h"
#include "kit/app/Message.h"
#include "kit/storage/SafeFile.h"

namespace {

struct Change
{
    const char* what;
    std::function<void(STOrder&)> change;
};

STOrder* OpenGoldenPlan(OrderWorkshop& shop)
{
    if (STOrder* open = STOrder::Existing())
        open->DeleteMe();
    DEFS_ORD_IO = "plan";
    shop.folder.Write("defs/plan.vto", GoldenFile("plan.vto"));
    STOrder* orders = nullptr;
    Printed([&] { orders = STOrder::getSTOrder(); });
    return orders;
}

std::unique_ptr<ProzBalken> NewJob(float left, int32 workerId = 1)
{
    return std::make_unique<ProzBalken>(BRect(left, 10, left + 60, 30), workerId, 0, 800, 0, "-");
}

struct FailingSaves
{
    explicit FailingSaves(int32 n) { BSafeFile::FailNthStep(n); }
    ~FailingSaves() { BSafeFile::FailNthStep(0); }
};

} // namespace

TEST(UnsavedChanges, EveryOrderChangeSetsTheMarkAndTheSaveClearsIt)
{
    OrderWorkshop shop;
    shop.folder.Write("templates/one.otp",
                      "; ---\n[IT][TEMPLATE][xxx][xxx][2003/01/10][2003/01/10][0][1][2]\n"
                      "[PB][1][5][1][3][1][0][4:00][0][-]\n; ---");
    const std::vector<Change> changes = {
        {"name", [](STOrder& o) { o.GetOrder(0)->NewOAuft("renamed"); }},
        {"drawing", [](STOrder& o) { o.GetOrder(0)->NewOZnr("Z-9"); }},
        {"tool", [](STOrder& o) { o.GetOrder(0)->NewOWkz("W-9"); }},
        {"deadline", [](STOrder& o) { o.GetOrder(0)->NewODli("2003/03/01"); }},
        {"plan date", [](STOrder& o) { o.GetOrder(0)->NewOPdl("2003/02/20"); }},
        {"status", [](STOrder& o) { o.GetOrder(0)->NewOStat(kOStatBreak); }},
        {"type", [](STOrder& o) { o.GetOrder(0)->NewOTyp(kOTypFix); }},
        {"need", [](STOrder& o) { o.GetOrder(0)->NewONeed(1); }},
        {"link", [](STOrder& o) { o.GetOrder(0)->AddLink("/tmp/x.pdf"); }},
        {"job added", [](STOrder& o) { o.GetOrder(0)->AddJob(NewJob(200)); }},
        {"job removed", [](STOrder& o) { o.GetOrder(0)->RemoveJob(1); }},
        {"job info", [](STOrder& o) { o.GetOrder(0)->JobAt(0)->SetTextInf("Cut"); }},
        {"job hours", [](STOrder& o) { o.GetOrder(0)->JobAt(0)->SetHours(1200); }},
        {"order added", [](STOrder& o) { o.AddOrder(true); }},
        {"order taken", [](STOrder& o) { o.AddOrderZgr(std::make_unique<Order>(false)); }},
        {"order deleted", [](STOrder& o) { o.DeleteSingleOrder(2); }},
        {"file loaded again", [](STOrder& o) { o.LoadData(); }},
        {"template used",
         [](STOrder& o) {
             BMessage use('O+TF');
             use.AddString("fname", "one");
             o.AddOrderTemplate(&use);
         }},
        {"calendar drag",
         [](STOrder& o) {
             const ks_calday day = CDayOfText("2003/01/06");
             o.GetOrder(0)->MoveToThisBeginDay(&day);
         }},
        {"optimisation undone",
         [](STOrder& o) {
             o.SavePDL();
             o.GetOrder(0)->NewOPdl("2003/02/25");
             ASSERT_TRUE(o.SaveOrderList());
             o.RestorePDL();
         }},
        {"new project name", [](STOrder& o) { o.SetProjectName("other"); }},
        {"asked for", [](STOrder& o) { o.SetModified(); }},
    };
    for (const Change& c : changes) {
        SCOPED_TRACE(c.what);
        STOrder* orders = OpenGoldenPlan(shop);
        ASSERT_NE(orders, nullptr);
        EXPECT_FALSE(orders->Modified());
        Printed([&] { c.change(*orders); });
        EXPECT_TRUE(orders->Modified());
        Printed([&] { EXPECT_TRUE(orders->SaveOrderList()); });
        EXPECT_FALSE(orders->Modified());
    }
}

TEST(UnsavedChanges, WhatChangesNothingSavedLeavesTheOrderMarkAlone)
{
    OrderWorkshop shop;
    const std::vector<Change> same = {
        {"same name", [](STOrder& o) { o.GetOrder(0)->NewOAuft(o.GetOrder(0)->oauft); }},
        {"same plan date", [](STOrder& o) { o.GetOrder(0)->NewOPdl("2003/02/10"); }},
        {"same status", [](STOrder& o) { o.GetOrder(0)->NewOStat(o.GetOrder(0)->ostat); }},
        {"same hours", [](STOrder& o) { o.GetOrder(0)->JobAt(0)->SetHours(1630); }},
        {"no such job", [](STOrder& o) { EXPECT_EQ(o.GetOrder(0)->RemoveJob(7), nullptr); }},
        {"sorted", [](STOrder& o) { o.Sort2DeadDatum(); }},
        {"checked", [](STOrder& o) { o.CheckAllOrders(); }},
        {"last order kept",
         [](STOrder& o) {
             while (o.GetOMax() > 0)
                 o.DeleteSingleOrder(0);
             ASSERT_TRUE(o.SaveOrderList());
             o.DeleteSingleOrder(0);
         }},
    };
    for (const Change& c : same) {
        SCOPED_TRACE(c.what);
        STOrder* orders = OpenGoldenPlan(shop);
        Printed([&] { c.change(*orders); });
        EXPECT_FALSE(orders->Modified());
    }
}

TEST(UnsavedChanges, AFailedSaveOrACopyElsewhereKeepsTheMark)
{
    OrderWorkshop shop;
    STOrder* orders = OpenGoldenPlan(shop);
    orders->GetOrder(0)->NewOAuft("changed");
    for (int32 n : {1, 2, 3}) {
        FailingSaves failing(n);
        Printed([&] { EXPECT_FALSE(orders->SaveOrderList()); });
        EXPECT_TRUE(orders->Modified()) << "step " << n;
    }
    Printed([&] { EXPECT_TRUE(orders->SaveOrders(shop.folder.Path("defs/copy.vto"))); });
    EXPECT_TRUE(orders->Modified());

    STWorker* workers = shop.workers;
    workers->GetWorker(0)->NewWName("Anna Lind");
    {
        FailingSaves failing(1);
        Printed([&] { EXPECT_FALSE(workers->SaveWorkerList()); });
    }
    EXPECT_TRUE(workers->Modified());
    Printed([&] { EXPECT_TRUE(workers->SaveWorkerList()); });
    EXPECT_FALSE(workers->Modified());

    // Closed by another thread, the list this thread still has holds
    // nothing left to save.
    std::thread([] { Printed([] { STOrder::Existing()->DeleteMe(); }); }).join();
    EXPECT_FALSE(orders->Modified());
}

TEST(UnsavedChanges, EveryWorkerChangeSetsTheMarkAndTheSaveClearsIt)
{
    OrderWorkshop shop;
    using WorkerChange = std::pair<const char*, std::function<void(STWorker&)>>;
    const std::vector<WorkerChange> changes = {
        {"name", [](STWorker& w) { w.GetWorker(0)->NewWName("Anna Lind"); }},
        {"alias", [](STWorker& w) { w.GetWorker(0)->NewWAlia("AL"); }},
        {"cost centre", [](STWorker& w) { w.GetWorker(0)->NewWKstl("4711"); }},
        {"multi-use", [](STWorker& w) { w.GetWorker(0)->NewWMultiuse(1); }},
        {"a day", [](STWorker& w) { EXPECT_TRUE(w.GetWorker(0)->NewWDay(0, 600, 800, 45)); }},
        {"the week", [](STWorker& w) { w.GetWorker(2)->NewWWeek(std::make_unique<wkoweek>()); }},
        {"off-day", [](STWorker& w) { EXPECT_EQ(w.GetWorker(0)->AddUDaysCheck("2002/12/10"), 1); }},
        {"illness day",
         [](STWorker& w) { EXPECT_EQ(w.GetWorker(0)->AddIDaysCheck("2002/12/10"), 1); }},
        {"worker added", [](STWorker& w) { w.AddWorker(); }},
        {"worker taken", [](STWorker& w) { w.AddWorkerZgr(std::make_unique<Worker>()); }},
        {"worker deleted", [](STWorker& w) { w.DeleteSingleWorker(2); }},
        {"asked for", [](STWorker& w) { w.SetModified(); }},
    };
    for (const auto& [what, change] : changes) {
        SCOPED_TRACE(what);
        Printed([&] { shop.workers->DeleteMe(); });
        STWorker* workers = nullptr;
        DEFS_WKO_IO = "plan";
        Printed([&] { workers = STWorker::getSTWorker(); });
        ASSERT_NE(workers, nullptr);
        shop.workers = workers;
        EXPECT_FALSE(workers->Modified());
        Printed([&] { change(*workers); });
        EXPECT_TRUE(workers->Modified());
        Printed([&] { EXPECT_TRUE(workers->SaveWorkerList()); });
        EXPECT_FALSE(workers->Modified());
    }
    // Deleting an off-day is a change too; the same text again is none.
    Worker* anna = shop.workers->GetWorker(0);
    Printed([&] { anna->AddUDaysCheck("2002/12/11"); });
    Printed([&] { EXPECT_TRUE(shop.workers->SaveWorkerList()); });
    Printed([&] { anna->DelUday("2002/12/11"); });
    EXPECT_TRUE(shop.workers->Modified());
    Printed([&] { EXPECT_TRUE(shop.workers->SaveWorkerList()); });
    anna->NewWName(anna->w_name);
    EXPECT_FALSE(shop.workers->Modified());
}

TEST(UnsavedChanges, HolidaysSaveThemselvesUnlessTheSaveFails)
{
    OrderWorkshop shop("; --\n[HD][2002/12/25][Christmas]\n; --");
    STHolidays* holidays = STHolidays::getSTHolidays();
    EXPECT_FALSE(holidays->Modified());
    Printed([&] { holidays->AddOneDay("2002/12/26", "Boxing Day"); });
    EXPECT_FALSE(holidays->Modified());
    {
        FailingSaves failing(1);
        Printed([&] { holidays->AddOneDay("2003/01/01", "New Year"); });
    }
    EXPECT_TRUE(holidays->Modified());
    Printed([&] { holidays->DelOneDay("2002/12/26"); });
    EXPECT_FALSE(holidays->Modified());
    EXPECT_EQ(holidays->CountHolidays(), 2);

    // Closed by another thread, the list this thread still has writes
    // nothing: the file keeps the holidays it has.
    const std::string before = shop.folder.Read("defs/holiday.vth");
    std::thread([] { Printed([] { STHolidays::Existing()->DeleteMe(); }); }).join();
    Printed([&] { EXPECT_FALSE(holidays->SaveHolidaysList()); });
    EXPECT_FALSE(holidays->Modified());
    Printed([&] { holidays->AddOneDay("2003/01/06", "Epiphany"); });
    EXPECT_EQ(shop.folder.Read("defs/holiday.vth"), before);
}

TEST(UnsavedChanges, ChangesDuringASaveKeepTheMark)
{
    ChangeMark mark;
    mark.Note();
    const uint64_t writing = mark.Count();
    mark.Note(); // another thread, while the file is written
    mark.Saved(writing);
    EXPECT_TRUE(mark.Modified());
    mark.Saved(mark.Count());
    EXPECT_FALSE(mark.Modified());
}

TEST(WorkerDay, RefusesTimesThatDoNotFitTheDay)
{
    OrderWorkshop shop;
    Worker* anna = shop.workers->GetWorker(0);
    const daymark monday = anna->w_week->day[0];
    const TInt week = anna->w_std;
    struct
    {
        int32 weekday;
        TInt begin, active, pause;
        bool taken;
    } cases[] = {
        {0, 600, 800, 45, true},    // ends 14:45
        {0, 1500, 800, 100, true},  // ends 24:00 exactly
        {0, 1500, 800, 101, false}, // a minute past midnight
        {0, 2330, 30, 1, false},    {0, -100, 800, 45, false}, {0, 700, -800, 45, false},
        {0, 700, 800, -45, false},  {7, 700, 800, 45, false},  {-1, 700, 800, 45, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.weekday << " " << c.begin << " " << c.active << " " << c.pause);
        anna->w_week->day[0] = monday;
        anna->SetWochenStd();
        EXPECT_EQ(anna->NewWDay(c.weekday, c.begin, c.active, c.pause), c.taken);
        const daymark& day = anna->w_week->day[0];
        if (c.taken) {
            EXPECT_EQ(day.begin, c.begin);
            EXPECT_EQ(day.end, Add2TInt(Add2TInt(c.begin, c.active), c.pause));
            EXPECT_EQ(anna->w_std, week - monday.worktime + c.active);
        } else {
            EXPECT_EQ(day.begin, monday.begin);
            EXPECT_EQ(day.end, monday.end);
            EXPECT_EQ(anna->w_std, week);
        }
    }
}

TEST(OrderJobs, AddRemoveAndFindKeepEveryJobsPlace)
{
    OrderWorkshop shop;
    Order order(false);
    EXPECT_EQ(order.AddJob(NewJob(100)), 0);
    EXPECT_EQ(order.AddJob(NewJob(10)), 1);
    EXPECT_EQ(order.AddJob(NewJob(50, 2)), 2);
    EXPECT_EQ(order.AddJob(nullptr), -1);
    for (int32 i = 0; i < 3; i++) {
        EXPECT_EQ(order.JobAt(i)->OrderId(), order.onr);
        EXPECT_EQ(order.JobAt(i)->JobIndex(), i);
        EXPECT_EQ(order.IndexOfJob(order.JobAt(i)), i);
    }
    EXPECT_EQ(order.JobAt(3), nullptr);
    EXPECT_EQ(order.JobAt(-1), nullptr);

    // The check sorts the jobs by their left edge; each learns its new place.
    Printed([&] { order.PruefeOrder(false); });
    ProzBalken* first = order.JobAt(0);
    EXPECT_EQ(first->j_pos.left, 10);
    EXPECT_EQ(order.JobAt(2)->j_pos.left, 100);
    for (int32 i = 0; i < 3; i++)
        EXPECT_EQ(order.JobAt(i)->JobIndex(), i);

    std::unique_ptr<ProzBalken> taken = order.RemoveJob(0);
    ASSERT_EQ(taken.get(), first);
    EXPECT_EQ(taken->OrderId(), 0);
    EXPECT_EQ(taken->JobIndex(), -1);
    EXPECT_EQ(order.IndexOfJob(taken.get()), -1);
    EXPECT_EQ(order.CountSubProz(), 1);
    EXPECT_EQ(order.JobAt(0)->JobIndex(), 0);
    EXPECT_EQ(order.JobAt(1)->JobIndex(), 1);
    EXPECT_EQ(order.RemoveJob(2), nullptr);
    EXPECT_EQ(order.IndexOfJob(nullptr), -1);

    // A loaded order's jobs know it too.
    STOrder* orders = OpenGoldenPlan(shop);
    Order* loaded = orders->GetOrder(1);
    EXPECT_EQ(loaded->JobAt(1)->OrderId(), loaded->onr);
    EXPECT_EQ(loaded->JobAt(1)->JobIndex(), 1);
}

TEST(OrderJobs, NumbersAreKeptInTheirRange)
{
    OrderWorkshop shop;
    Order order(false);
    const struct
    {
        int32 given, status, type, need;
    } cases[] = {{-3, 0, 0, 0}, {1, 1, 1, 1}, {2, 2, 2, 1}, {9, 4, 2, 1}};
    for (const auto& c : cases) {
        order.NewOStat(c.given);
        order.NewOTyp(c.given);
        order.NewONeed(c.given);
        EXPECT_EQ(order.ostat, c.status) << c.given;
        EXPECT_EQ(order.otyp, c.type) << c.given;
        EXPECT_EQ(order.oneed, c.need) << c.given;
    }
}
