// Scroll bars and scroll views: the value and its range, the arrows, the
// track, the thumb and the wheel, each checked by where the target view
// ends up.
#include "kit/interface/ScrollBar.h"

#include <gtest/gtest.h>

#include <cmath>

#include "kit/display/TestWindow.h"
#include "kit/interface/ScrollView.h"

namespace {

// A 100 x 100 target in a scroll view with a vertical bar, range 0-400.
struct ScrollWindow
{
    ScrollWindow()
    {
        target = new BView(BRect(10, 10, 109, 109), "target", B_FOLLOW_NONE, B_WILL_DRAW);
        scroll = test.Add(new BScrollView("scroll", target, B_FOLLOW_NONE, 0, false, true));
        bar = scroll->ScrollBar(B_VERTICAL);
        bar->SetRange(0, 400);
        bar->SetProportion(0.2f);
        bar->SetSteps(10, 80);
        test.ShowAndWait();
        test.window->Lock();
        barFrame = scroll->ConvertToParent(bar->Frame());
        test.window->Unlock();
    }

    float Top()
    {
        test.window->Lock();
        float top = target->Bounds().top;
        test.window->Unlock();
        return top;
    }

    void Click(BPoint where)
    {
        test.driver.Click(test.window, where);
        test.driver.WaitForIdle();
    }

    BPoint BarPoint(float along) const
    {
        return BPoint((barFrame.left + barFrame.right) / 2, barFrame.top + along);
    }

    TestWindow test;
    BView* target;
    BScrollView* scroll;
    BScrollBar* bar;
    BRect barFrame;
};

} // namespace

TEST(ScrollBarTest, ValueIsClampedToTheRangeAndScrollsTheTarget)
{
    ScrollWindow w;
    w.test.Locked([&] { w.bar->SetValue(150); });
    EXPECT_EQ(w.Top(), 150);
    w.test.Locked([&] { w.bar->SetValue(1000); });
    EXPECT_EQ(w.bar->Value(), 400);
    EXPECT_EQ(w.Top(), 400);
    w.test.Locked([&] { w.bar->SetRange(0, 200); });
    EXPECT_EQ(w.bar->Value(), 200) << "a smaller range pulls the value in";
    EXPECT_EQ(w.Top(), 200);

    // Scrolling the target moves the thumb without a round trip.
    w.test.Locked([&] { w.target->ScrollTo(0, 30); });
    EXPECT_EQ(w.bar->Value(), 30);
    EXPECT_EQ(w.target->ScrollBar(B_VERTICAL), w.bar);
    EXPECT_EQ(w.target->ScrollBar(B_HORIZONTAL), nullptr);
}

TEST(ScrollBarTest, ArrowsStepAndTheTrackPages)
{
    ScrollWindow w;
    float length = w.barFrame.Height() + 1;
    w.Click(w.BarPoint(length - 3));
    EXPECT_EQ(w.Top(), 10) << "down arrow";
    w.Click(w.BarPoint(length - 25));
    EXPECT_EQ(w.Top(), 90) << "track below the thumb";
    w.Click(w.BarPoint(3));
    EXPECT_EQ(w.Top(), 80) << "up arrow";
    w.Click(w.BarPoint(17));
    EXPECT_EQ(w.Top(), 0) << "track above the thumb";
}

TEST(ScrollBarTest, DraggingTheThumbScrollsInProportion)
{
    ScrollWindow w;
    float length = w.barFrame.Height() + 1;
    float thickness = w.barFrame.Width() + 1;
    float track = length - 2 * thickness;
    float thumb = std::round(track * 0.2f);
    // Grab the thumb in its middle and drag it to the end of the track.
    BPoint from = w.BarPoint(thickness + thumb / 2);
    w.test.driver.Drag(w.test.window, from, from + BPoint(0, track));
    w.test.driver.WaitForIdle();
    EXPECT_EQ(w.Top(), 400);

    w.test.driver.Drag(w.test.window, w.BarPoint(length - thickness - thumb / 2),
                       w.BarPoint(length - thickness - thumb / 2 - (track - thumb) / 2));
    w.test.driver.WaitForIdle();
    EXPECT_NEAR(w.Top(), 200, 3);
}

TEST(ScrollBarTest, WheelOverTheTargetOrTheBarScrolls)
{
    ScrollWindow w;
    w.test.driver.MouseMove(w.test.window, BPoint(50, 50));
    w.test.driver.Wheel(w.test.window, 2);
    w.test.driver.WaitForIdle();
    EXPECT_EQ(w.Top(), 60) << "three small steps a notch";

    w.test.driver.MouseMove(w.test.window, w.BarPoint(40));
    w.test.driver.Wheel(w.test.window, -1);
    w.test.driver.WaitForIdle();
    EXPECT_EQ(w.Top(), 30);
}

TEST(ScrollBarTest, ScrollViewWrapsTheTargetAndResizesIt)
{
    ScrollWindow w;
    BRect frame = w.scroll->Frame();
    EXPECT_EQ(frame, BRect(8, 8, 111 + B_V_SCROLL_BAR_WIDTH, 111));
    EXPECT_EQ(w.target->Frame().LeftTop(), BPoint(2, 2));
    EXPECT_EQ(w.target->Parent(), w.scroll);

    w.test.Locked([&] { w.scroll->ResizeBy(20, 30); });
    EXPECT_EQ(w.target->Frame().Width(), 119);
    EXPECT_EQ(w.target->Frame().Height(), 129);
    EXPECT_EQ(w.bar->Frame().Height(), 131) << "the bar follows both ends";
    EXPECT_EQ(w.bar->Frame().left, w.target->Frame().right + 1);
}

TEST(ScrollBarTest, BarOutlivingItsTargetScrollsNothing)
{
    TestWindow test;
    auto* target = test.Add(new ProbeView(BRect(10, 10, 109, 109), "target"));
    auto* bar =
        test.Add(new BScrollBar(BRect(120, 10, 134, 109), "bar", target, 0, 100, B_VERTICAL));
    test.ShowAndWait();
    test.Locked([&] {
        bar->SetValue(40);
        target->RemoveSelf();
        delete target;
        bar->SetValue(60);
    });
    EXPECT_EQ(bar->Value(), 60);
}
