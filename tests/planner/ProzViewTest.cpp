// The order editor's job canvas: grid, status colours, and a new job drawn
// as a rectangle on the 10-pixel grid.
#include "planner/ProzView.h"

#include <gtest/gtest.h>

#include "app/AppPost.h"
#include "app/Settings.h"
#include "data/OrderWorkshop.h"
#include "kit/display/TestWindow.h"

TEST(ProzView, RectanglesSnapToTheGrid)
{
    const struct
    {
        BPoint press, pointer;
        BRect rect;
    } cases[] = {
        {{35, 25}, {35, 25}, {30, 20, 40, 30}}, // a click: one grid step
        {{35, 25}, {78, 44}, {30, 20, 80, 50}}, // right and down
        {{35, 25}, {12, 3}, {20, 10, 70, 40}},  // left and up: from the pointer
        {{35, 25}, {-50, -9}, {0, 0, 70, 40}},  // never above or left of 0
        {{40, 20}, {100, 20}, {30, 10, 100, 20}},
    };
    for (const auto& c : cases) {
        const BPoint start(ProzView::SnapDown(c.press.x), ProzView::SnapDown(c.press.y));
        EXPECT_EQ(ProzView::SubViewRect(start, c.pointer), c.rect)
            << c.pointer.x << "," << c.pointer.y;
    }
}

TEST(ProzView, DrawingANewJobAndSelectingJobs)
{
    ProgramFolder program;
    AppPostRecorder posts;
    TestWindow test("order", BRect(100, 100, 399, 299));
    auto* canvas = test.Add(new ProzView(BRect(0, 0, 199, 199), "canvas"));
    test.ShowAndWait();
    const rgb_color open = AskColor(uc_OPE);
    EXPECT_RGB(test.Pixel(15, 15), open);
    EXPECT_RGB(test.Pixel(20, 15), tint_color(open, 1.3f)) << "grid line";

    testing::internal::CaptureStdout();
    test.driver.Drag(test.window, BPoint(35, 25), BPoint(78, 44));
    test.driver.WaitForIdle();
    ASSERT_EQ(posts.Codes(), (std::vector<uint32>{'OADW'}));
    BRect rect;
    ASSERT_EQ(posts.Messages()[0].FindRect("a_rect", &rect), B_OK);
    EXPECT_EQ(rect, BRect(30, 20, 80, 50));

    posts.Clear();
    test.driver.Click(test.window, BPoint(150, 150), B_SECONDARY_MOUSE_BUTTON);
    test.driver.WaitForIdle();
    test.driver.Click(test.window, BPoint(250, 150), B_SECONDARY_MOUSE_BUTTON);
    test.driver.WaitForIdle();
    EXPECT_EQ(posts.Codes(), (std::vector<uint32>{'OxSS'}));

    test.Locked([&] {
        canvas->VisOrderStat(3);
        canvas->MarkStatus(4);
    });
    testing::internal::GetCapturedStdout();
    EXPECT_RGB(test.Pixel(15, 35), AskColor(uc_CLO));
    EXPECT_RGB(test.Pixel(100, 100), (rgb_color{250, 20, 20, 255})) << "the break diagonal";
}
