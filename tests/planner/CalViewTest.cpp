// The calendar's grid and header, its command routing and moving an order
// by dragging the handle of its last knob.
#include "CalFixture.h"

#include <cmath>

#include "app/Globals.h"
#include "planner/CalBack.h"
#include "planner/CalMapping.h"
#include "planner/MoverView.h"

namespace {

const std::string kOneJob = PlanOrder("A-1", "2002/12/20", 1, {{1, 1600, 1, 3}});

// The header's pixels per day: (481 - 120) / 90.
constexpr float kHeaderP = 361.0f / 90;

BMessage Move(int32 order, float dx)
{
    BMessage move('MOVX');
    move.AddInt32("Order", order);
    move.AddRect("OldPos", BRect(193, 3, 200, 14));
    move.AddRect("NewPos", BRect(193 + dx, 3, 200 + dx, 14));
    return move;
}

std::vector<BMessage> Posted(const AppPostRecorder& posts, uint32 what)
{
    std::vector<BMessage> found;
    for (const BMessage& post : posts.Messages()) {
        if (post.what == what)
            found.push_back(post);
    }
    return found;
}

bool Darker(rgb_color a, rgb_color b)
{
    return a.red + a.green + a.blue < b.red + b.green + b.blue;
}

} // namespace

TEST(CalView, MovingOrderStepsWholeDaysWithinTheDaysShown)
{
    CalFixture cal(kOneJob);
    Order* order = cal.OrderNamed("A-1");
    const struct
    {
        float days;
        const char* plan;
    } cases[] = {
        {0.2f, "2002/12/21"},                           // any part of a day to the right is a day
        {-0.9f, "2002/12/20"},                          // less than a day to the left is none
        {-1.5f, "2002/12/19"},    {2.9f, "2002/12/23"}, // over the weekend
        {4.9f, "2002/12/25"},                           // onto the holiday
        {1e9f, "2003/03/20"},                           // at most the 90 days shown
        {-1e9f, "2002/09/21"},    {NAN, "2002/12/20"},  // ignored
        {INFINITY, "2002/12/20"},
    };
    for (const auto& c : cases) {
        order->NewOPdl("2002/12/20");
        Printed([&] { cal.Send(Move(order->onr, c.days * kHeaderP)); });
        EXPECT_EQ(order->opdl, c.plan) << c.days << " days";
    }
}

TEST(CalView, MovesAreRefusedWithoutProjectScaleOrOrder)
{
    CalFixture cal(kOneJob);
    Order* order = cal.OrderNamed("A-1");
    EXPECT_EQ(Printed([&] { cal.Send(Move(order->onr + 1000, 40)); }), "move: bad xord \n");

    DEFS_ORD_IO = "";
    cal.Send(Move(order->onr, 40));
    cal.Send(BMessage('WBRA'));
    EXPECT_EQ(order->opdl, "2002/12/20") << "no project, no move";
    DEFS_ORD_IO = "plan";

    // No room for a single day: the drag is ignored, not divided by zero.
    cal.Locked([&] { cal.cal->ResizeTo(100, 300); });
    EXPECT_EQ(Printed([&] { cal.Send(Move(order->onr, 40)); }).find("move: no scale"), 0u);
    EXPECT_EQ(order->opdl, "2002/12/20");
}

TEST(CalView, DraggingTheHandleMovesThePlanDateAndTheKnobs)
{
    CalFixture cal(kOneJob + PlanOrder("B-2", "2002/12/13", 1, {{1, 600, 1, 3}}));
    Order* order = cal.OrderNamed("A-1");
    EXPECT_EQ(cal.Frames(0), "193..200@3 170..172@3");
    cal.Locked([&] { EXPECT_EQ(cal.cal->BarAt(0)->Knobs()[0]->Handle(), nullptr); });
    order->marked = 1;
    cal.Send(BMessage('WBKN'));
    cal.Locked([&] {
        EXPECT_NE(cal.cal->BarAt(0)->Knobs()[0]->Handle(), nullptr)
            << "the marked order's last job";
        EXPECT_EQ(cal.cal->BarAt(0)->Knobs()[1]->Handle(), nullptr);
    });
    // The handle's yellow corner at the knob's left top (window y 17 + 3 + 3).
    EXPECT_RGB(cal.test.Pixel(193, 23), (rgb_color{250, 250, 100, 255}));

    cal.posts.Clear();
    cal.test.driver.Drag(cal.test.window, BPoint(196, 26), BPoint(214, 30));
    cal.test.driver.WaitForIdle();
    const std::vector<BMessage> moves = Posted(cal.posts, 'MOVX');
    ASSERT_EQ(moves.size(), 1u);
    BRect oldPos, newPos;
    ASSERT_EQ(moves[0].FindRect("OldPos", &oldPos), B_OK);
    ASSERT_EQ(moves[0].FindRect("NewPos", &newPos), B_OK);
    EXPECT_EQ(oldPos, BRect(193, 3, 200, 14));
    EXPECT_EQ(newPos, BRect(211, 3, 218, 14)) << "sideways only";
    EXPECT_EQ(cal.Frames(0), "211..218@3 170..172@3");

    // 18 pixels are 4.5 days: five days later, onto the holiday. The
    // order asks for its bars through the application.
    cal.posts.Clear();
    cal.Send(moves[0]);
    EXPECT_EQ(order->opdl, "2002/12/25");
    for (const BMessage& rebuild : Posted(cal.posts, 'WBRO'))
        cal.Send(rebuild);
    // Monday to Wednesday, the holiday counting no hours.
    EXPECT_EQ(CDay2str(&order->jobs[0]->j_beg), "2002/12/22");
    EXPECT_EQ(cal.Frames(0), "209..220@3 170..172@3");
}

TEST(CalView, ReleasingWithoutMovingMovesNothing)
{
    CalFixture cal(kOneJob);
    cal.OrderNamed("A-1")->marked = 1;
    cal.Send(BMessage('WBKN'));
    cal.test.driver.Click(cal.test.window, BPoint(196, 26));
    cal.test.driver.WaitForIdle();
    const std::vector<BMessage> moves = Posted(cal.posts, 'MOVX');
    ASSERT_EQ(moves.size(), 1u);
    cal.Send(moves[0]);
    EXPECT_EQ(cal.OrderNamed("A-1")->opdl, "2002/12/20");
}

TEST(CalView, GridShowsWeekendsTodayHolidaysAndWeeks)
{
    CalFixture cal(kOneJob);
    const float y = 17 + 200; // below the bars
    auto x = [](int32 day, float offset) { return DayLeft(day, kHeaderP) + offset; };
    const rgb_color weekday = cal.test.Pixel(x(10, 2), y);
    EXPECT_RGB(weekday, AskColor(uc_OPE));
    EXPECT_TRUE(Darker(cal.test.Pixel(x(6, 2), y), weekday)) << "Saturday 2002/12/07";
    EXPECT_TRUE(Darker(cal.test.Pixel(x(7, 2), y), weekday)) << "Sunday";
    EXPECT_FALSE(same_rgb(cal.test.Pixel(x(8, 2), y), weekday)) << "today, 2002/12/09";
    EXPECT_FALSE(same_rgb(cal.test.Pixel(x(24, 2), y), weekday)) << "the holiday";
    // The year starts in the third column with the red triangle.
    const rgb_color triangle = cal.test.Pixel(x(31, 3), 13);
    EXPECT_GT(triangle.red, triangle.green + 40);
    // Week lines on Mondays (2002/12/02 is day 1) at 3 months, none at 12.
    const rgb_color header = cal.test.Pixel(x(1, 0), 12);
    EXPECT_FALSE(same_rgb(header, ui_color(B_MENU_BACKGROUND_COLOR)));
    BMessage zoom('CVPR');
    zoom.AddInt32("H:value", 12);
    cal.Send(zoom);
    const float p12 = 361.0f / 365;
    EXPECT_RGB(cal.test.Pixel(DayLeft(1, p12) + 1, 12), ui_color(B_MENU_BACKGROUND_COLOR));
    EXPECT_RGB(cal.test.Pixel(DayLeft(6, p12) + 1, y), AskColor(uc_OPE)) << "no shading";
}

TEST(CalView, HeaderPopUpOffersTheZoomSteps)
{
    CalFixture cal(kOneJob);
    auto visible = [&] {
        size_t count = 0;
        for (const HeadlessWindowInfo& info : cal.test.driver.Windows())
            count += info.visible;
        return count;
    };
    const size_t before = visible();
    cal.test.driver.Click(cal.test.window, BPoint(300, 8));
    cal.test.driver.WaitForIdle();
    EXPECT_EQ(visible(), before + 1) << "the zoom menu is open";
    cal.test.driver.Click(cal.test.window, BPoint(300, 250));
    cal.test.driver.WaitForIdle();
    EXPECT_EQ(visible(), before);
}
