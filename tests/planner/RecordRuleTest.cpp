// Views keep ids, never pointers: orders and workers deleted by another
// thread while their knobs are shown, or while one is being dragged, are
// skipped with a diagnostic. Run under ThreadSanitizer as well.
#include "CalFixture.h"

#include <atomic>
#include <thread>

#include "data/STWorker.h"
#include "kit/app/Autolock.h"
#include "planner/MoverView.h"

namespace {

std::string TwoOrders()
{
    return PlanOrder("A-1", "2002/12/20", 1, {{1, 1600, 1, 3}}) +
           PlanOrder("B-2", "2002/12/13", 1, {{1, 600, 1, 3}, {2, 800, 4, 6}});
}

int32 PositionOf(STOrder* list, const std::string& name)
{
    BAutolock lock(list->Lock());
    for (int32 i = 0; i <= list->GetOMax(); i++) {
        if (list->GetOrder(i)->oauft == name)
            return i;
    }
    return -1;
}

// Deletes on a thread of its own, as an editor window would.
void OnAnotherThread(const std::function<void()>& work)
{
    std::thread thread([&] { Printed(work); });
    thread.join();
}

} // namespace

TEST(RecordRule, OrderDeletedWhileItsKnobsAreShown)
{
    CalFixture cal(TwoOrders());
    const int32 id = cal.OrderNamed("A-1")->onr;
    OnAnotherThread([&] { cal.list->DeleteSingleOrder(PositionOf(cal.list, "A-1")); });

    // The stale knob still draws from what it copied, says the order is
    // gone when asked to refresh, and a click on it reaches no record.
    std::string out = Printed([&] { cal.Send(BMessage('WBKN')); });
    EXPECT_NE(out.find("Oknopf: order " + std::to_string(id) + " gone"), std::string::npos) << out;
    cal.posts.Clear();
    Printed([&] {
        cal.test.driver.Click(cal.test.window, BPoint(196, 26));
        cal.test.driver.WaitForIdle();
    });
    EXPECT_EQ(cal.posts.Codes(), (std::vector<uint32>{'OUIx', 'WUIx', 'OMRK'}));
    EXPECT_EQ(cal.posts.Messages()[2].GetInt32("order", 0), 999999);

    cal.Send(BMessage('WBRA'));
    EXPECT_EQ(cal.Frames(0), "166..168@3");
}

TEST(RecordRule, WorkerDeletedWhileItsBarIsShown)
{
    CalFixture cal(TwoOrders());
    OnAnotherThread([&] { cal.shop.workers->DeleteSingleWorker(0); });
    cal.Send(BMessage('WBKN'));
    std::string out = Printed([&] { cal.Send(BMessage('WBRA')); });
    cal.Locked([&] {
        EXPECT_TRUE(cal.cal->BarAt(0)->Lost());
        EXPECT_TRUE(cal.cal->BarAt(0)->Knobs().empty());
    });
    // Its jobs now belong to no worker; rebuilding the rows drops its bar.
    Printed([&] { cal.Locked([&] { cal.cal->AddWorkerBars(); }); });
    EXPECT_EQ(cal.cal->CountBars(), 2);
    EXPECT_EQ(cal.Frames(0), "169..172@3");
}

TEST(RecordRule, OrderDeletedWhileItsKnobIsDragged)
{
    for (bool rebuildMidway : {false, true}) {
        CalFixture cal(TwoOrders());
        cal.OrderNamed("A-1")->marked = 1;
        cal.Send(BMessage('WBKN'));
        HeadlessDriver& driver = cal.test.driver;
        driver.MouseDown(cal.test.window, BPoint(196, 26));
        driver.MouseMove(cal.test.window, BPoint(204, 26));
        driver.WaitForIdle();
        OnAnotherThread([&] { cal.list->DeleteSingleOrder(PositionOf(cal.list, "A-1")); });
        if (rebuildMidway)
            cal.Send(BMessage('WBRA')); // the dragged knob goes
        driver.MouseMove(cal.test.window, BPoint(220, 26));
        driver.MouseUp(cal.test.window, BPoint(220, 26));
        driver.WaitForIdle();
        std::vector<BMessage> moves;
        for (const BMessage& post : cal.posts.Messages()) {
            if (post.what == 'MOVX')
                moves.push_back(post);
        }
        if (rebuildMidway) {
            EXPECT_TRUE(moves.empty()) << "a knob that is gone posts nothing";
            continue;
        }
        ASSERT_EQ(moves.size(), 1u);
        EXPECT_EQ(Printed([&] { cal.Send(moves[0]); }), "move: bad xord \n");
        EXPECT_EQ(cal.OrderNamed("B-2")->opdl, "2002/12/13");
    }
}

TEST(RecordRule, ChangesOnOtherThreadsWhileTheCalendarWorks)
{
    CalFixture cal(TwoOrders() + PlanOrder("C-3", "2003/01/10", 1, {{2, 2400, 1, 3}}));
    std::atomic<bool> done{false};
    testing::internal::CaptureStdout();
    std::thread editor([&] {
        {
            for (int round = 0; round < 40; round++) {
                cal.list->AddOrder(true);
                {
                    BAutolock lock(cal.list->Lock());
                    Order* order = cal.list->GetOrder(cal.list->GetOMax());
                    order->NewOPdl(round % 2 ? "2003/01/15" : "2002/12/18");
                }
                int32 last;
                {
                    BAutolock lock(cal.list->Lock());
                    last = cal.list->GetOMax();
                }
                cal.list->DeleteSingleOrder(last);
                {
                    BAutolock lock(cal.list->Lock());
                    Order* order = cal.list->GetOrder(0);
                    order->NewOPdl(round % 2 ? "2002/12/27" : "2002/12/20");
                }
            }
        }
        done = true;
    });
    for (int round = 0; !done || round < 5; round++) {
        for (uint32 what : {'WBRA', 'WBKN', 'WBRO'})
            cal.Send(BMessage(what));
        cal.test.driver.Click(cal.test.window, BPoint(170, 26));
        cal.Send(BMessage('WBKN'));
    }
    editor.join();
    testing::internal::GetCapturedStdout();
    cal.Send(BMessage('WBRA'));
    cal.Locked([&] { EXPECT_EQ(cal.cal->CountBars(), 3); });
}
