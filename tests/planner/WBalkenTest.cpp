// Bars and knob placement in every display mode on hand-made plans, with
// the knobs' pixel positions written out.
#include "CalFixture.h"

#include "data/ProzBalken.h"
#include "data/STWorker.h"
#include "data/Worker.h"
#include "planner/PlanLock.h"

namespace {

// 16:00 for worker 1 ending Friday 2002/12/20: Wednesday 2002/12/18 0:00
// to Friday 0:00, so the knob covers Thursday and Friday (days 18 and 19
// after 2002/12/01): 121 + 4 * 18 = 193 to 121 + 4 * 20 - 1 = 200.
const std::string kOneJob = PlanOrder("A-1", "2002/12/20", 1, {{1, 1600, 1, 3}});

} // namespace

TEST(WBalken, WorkerModePlacesKnobsAtTheirDaysAndHours)
{
    CalFixture cal(kOneJob + PlanOrder("B-2", "2002/12/13", 1, {{1, 600, 1, 3}, {2, 800, 4, 6}}) +
                   PlanOrder("C-3", "2002/12/31", 3, {{1, 800, 1, 3}}));
    EXPECT_EQ(cal.cal->CountBars(), 3);
    // B-2's first job (6:00, before the 8:00 one of worker 2 on Friday
    // the 13th) uses the last six hours of Thursday: day 11 is 165..168,
    // its first quarter unused. The closed order C-3 is not shown.
    EXPECT_EQ(cal.Frames(0), "193..200@3 166..168@3");
    EXPECT_EQ(cal.Frames(1), "169..172@3");
    EXPECT_EQ(cal.Frames(2), "");
    cal.Locked([&] {
        WBalken* bar = cal.cal->BarAt(0);
        EXPECT_EQ(bar->HoursShown(), 2200);
        EXPECT_EQ(bar->TroubleCount(), 0);
        EXPECT_FALSE(bar->LeftOut());
        EXPECT_FALSE(bar->RightOut());
        EXPECT_EQ(bar->Knobs()[0]->Label(), "A-1");
    });
}

TEST(WBalken, JobsOutsideTheMonthsShownSetTheArrows)
{
    CalFixture cal(PlanOrder("Old", "2002/11/20", 1, {{1, 800, 1, 3}}) +
                   PlanOrder("Late", "2003/03/20", 1, {{1, 800, 1, 3}}) +
                   PlanOrder("Long-order-name", "2002/12/04", 1, {{2, 800, 1, 3}}));
    // Ended before the first day shown: 119..136 and the left arrow; the
    // one after the last day is trouble and no knob.
    EXPECT_EQ(cal.Frames(0), "119..136@3");
    EXPECT_EQ(cal.Frames(1), "133..136@3");
    cal.Locked([&] {
        WBalken* bar = cal.cal->BarAt(0);
        EXPECT_TRUE(bar->LeftOut());
        EXPECT_TRUE(bar->RightOut());
        EXPECT_EQ(bar->TroubleCount(), 1);
        EXPECT_EQ(cal.cal->BarAt(1)->Knobs()[0]->Label(), "Long-order-");
    });
    // The red marker left of the axis.
    EXPECT_RGB(cal.test.Pixel(108, 17 + 3 + 9), (rgb_color{238, 145, 145, 255}));
}

TEST(WBalken, OverlapsAreMarkedAndStaggered)
{
    const std::string plan = kOneJob + PlanOrder("Twin", "2002/12/20", 1, {{1, 800, 1, 3}});
    {
        CalFixture cal(plan);
        EXPECT_EQ(cal.Frames(0), "193..200@0 197..200@3");
        cal.Locked([&] {
            WBalken* bar = cal.cal->BarAt(0);
            EXPECT_EQ(bar->TroubleCount(), 1);
            for (Oknopf* knob : bar->Knobs()) {
                EXPECT_TRUE(knob->KnopfData().highlighted);
                EXPECT_RGB(knob->FillColor(DSM_WORKER), AskColor(uc_KNA));
            }
        });
        EXPECT_TRUE(cal.OrderNamed("Twin")->jobs[0]->highlighted);
        // A marked order wins over the alarm.
        cal.OrderNamed("Twin")->marked = 1;
        cal.Send(BMessage('WBKN'));
        cal.Locked([&] {
            EXPECT_RGB(cal.cal->BarAt(0)->Knobs()[1]->FillColor(DSM_WORKER), AskColor(uc_KNM));
        });
    }
    {
        CalFixture cal(plan);
        cal.shop.workers->GetWorkerWithID(1)->multiuse = 1;
        cal.Send(BMessage('WBRA'));
        cal.Locked([&] {
            WBalken* bar = cal.cal->BarAt(0);
            EXPECT_EQ(bar->TroubleCount(), 0) << "a multi-use worker may overlap";
            EXPECT_TRUE(bar->Knobs()[0]->KnopfData().highlighted);
        });
    }
}

TEST(WBalken, RowModePacksJobsByHoursPerMonth)
{
    // 540 wide: a month is 140 pixels for 160 hours (40:00 a week), so
    // 16:00 is 14 pixels, 8:00 seven.
    CalFixture cal(kOneJob + PlanOrder("C-3", "2002/12/31", 3, {{1, 800, 1, 3}}), DSM_ROW, 540);
    EXPECT_EQ(cal.Frames(0), "121..134@3 135..141@3") << "every status, no gaps";
    cal.Locked([&] { EXPECT_EQ(cal.cal->BarAt(0)->HoursShown(), 2400); });

    // A worker with almost no weekly hours gets no knobs, not knobs at
    // infinity; and knobs beyond the bar's end are not made.
    cal.shop.workers->GetWorkerWithID(1)->w_std = 10;
    std::string out = Printed([&] { cal.Send(BMessage('WBRA')); });
    EXPECT_EQ(cal.Frames(0), "");
    EXPECT_NE(out.find("has no hours per month"), std::string::npos) << out;
    cal.shop.workers->GetWorkerWithID(1)->w_std = 100; // 4 hours a month
    Printed([&] { cal.Send(BMessage('WBRA')); });
    EXPECT_EQ(cal.Frames(0), "121..680@3") << "16:00 is 560 pixels; 8:00 would start beyond";
}

TEST(WBalken, OrderModeShowsOneBarPerOrder)
{
    CalFixture cal(kOneJob + PlanOrder("B-2", "2002/12/13", 1, {{1, 600, 1, 3}, {2, 800, 4, 6}}),
                   DSM_ORBA);
    EXPECT_EQ(cal.cal->CountBars(), 2);
    EXPECT_EQ(cal.Frames(0), "193..200@3");
    EXPECT_EQ(cal.Frames(1), "166..168@3 169..172@3");
    cal.Locked([&] {
        WBalken* bar = cal.cal->BarAt(1);
        EXPECT_EQ(bar->Kind(), WB_ORDER);
        EXPECT_EQ(bar->Knobs()[1]->Label(), "bert Crame");
        EXPECT_RGB(bar->ViewColor(), AskColor(uc_OPE));
    });
}

TEST(WBalken, EarliestModeStartsWithoutKnobs)
{
    CalFixture cal(kOneJob, DSM_EARLIEST);
    EXPECT_EQ(cal.Frames(0), "");
}

TEST(WBalken, RightClickPacksAfterTheRebuild)
{
    CalFixture cal(kOneJob + PlanOrder("B-2", "2002/12/13", 1, {{1, 600, 1, 3}}));
    EXPECT_EQ(cal.Frames(0), "193..200@3 170..172@3");
    cal.posts.Clear();
    cal.test.driver.Click(cal.test.window, BPoint(60, 17 + 3 + 5), B_SECONDARY_MOUSE_BUTTON);
    cal.test.driver.WaitForIdle();
    // The bar asks the application for its rebuild, which comes back here.
    BMessage rebuild;
    for (const BMessage& post : cal.posts.Messages()) {
        if (post.what == 'WBRO')
            rebuild = post;
    }
    ASSERT_EQ(rebuild.what, uint32('WBRO'));
    EXPECT_EQ(rebuild.GetInt32("xworker", -1), 0);
    EXPECT_EQ(cal.posts.Codes()[0], uint32('WUIx'));
    cal.Send(rebuild);
    EXPECT_EQ(cal.Frames(0), "173..180@3 170..172@3") << "packed from the first knob";
}

TEST(WBalken, ZoomReplacesTheKnobs)
{
    CalFixture cal(kOneJob);
    BMessage zoom('CVPR');
    zoom.AddInt32("H:value", 1);
    cal.Send(zoom);
    // One month: (481 - 121) / 31 pixels a day.
    const float p = 360.0f / 31;
    EXPECT_EQ(cal.Frames(0), std::to_string(int(121 + p * 18)) + ".." +
                                 std::to_string(int(121 + p * 20 - 1)) + "@3");
    EXPECT_EQ(PrevTime.load(), 1);
    for (int32 refused : {0, 5, -3}) {
        zoom.ReplaceInt32("H:value", refused);
        Printed([&] { cal.Send(zoom); });
        cal.Locked([&] { EXPECT_EQ(cal.cal->MonthsShown(), 1) << refused; });
    }
    EXPECT_EQ(PrevTime.load(), 1);
}
