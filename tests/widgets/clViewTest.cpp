// The label button driven as a user would: clicks by mode, the hover
// colour, lit and trouble faces, the bevel and the dotted mark.
#include "widgets/clView.h"

#include <gtest/gtest.h>

#include "app/Settings.h"
#include "support/ProgramFolder.h"
#include "widgets/WidgetTestSupport.h"

namespace {

// The view sits at (20, 20) - (99, 39) in the window.
const BRect kFrame(20, 20, 99, 39);
const BPoint kInside(60, 22);

rgb_color menu_color()
{
    return ui_color(B_MENU_BACKGROUND_COLOR);
}

} // namespace

TEST(clView, ClickPostsToTheWindowByMode)
{
    struct Case
    {
        int32 mode;
        size_t posts;
    };
    const Case cases[] = {
        {clView::kFlash, 1}, {clView::kHover, 1}, {clView::kLabel, 0}, {clView::kPost, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        ProgramFolder folder;
        RecordingTest test;
        test.Add(new clView(kFrame, "Go", new BMessage('GO__'), c.mode));
        test.ShowAndWait();
        test.driver.Click(test.window, kInside);
        test.driver.Click(test.window, kInside, B_SECONDARY_MOUSE_BUTTON);
        test.driver.WaitForIdle();
        EXPECT_EQ(test.window->Messages('GO__').size(), 2 * c.posts);
    }
}

TEST(clView, FacesFramesAndMarks)
{
    ProgramFolder folder;
    RecordingTest test;
    auto* hover = test.Add(new clView(kFrame, "Row", new BMessage('ROW_'), clView::kHover));
    auto* label = test.Add(new clView(BRect(20, 50, 99, 69), "Label", nullptr, clView::kLabel));
    test.ShowAndWait();

    const rgb_color face = menu_color();
    EXPECT_RGB(test.Pixel(60, 22), face);
    // Bevelled: light on top and left, dark on the bottom and right.
    EXPECT_RGB(test.Pixel(60, 20), tint_color(face, B_LIGHTEN_2_TINT));
    EXPECT_RGB(test.Pixel(20, 30), tint_color(face, B_LIGHTEN_2_TINT));
    EXPECT_RGB(test.Pixel(60, 39), tint_color(face, B_DARKEN_4_TINT));
    EXPECT_RGB(test.Pixel(99, 30), tint_color(face, B_DARKEN_4_TINT));
    // A passive label has no frame.
    EXPECT_RGB(test.Pixel(60, 50), face);
    EXPECT_RGB(test.Pixel(99, 60), face);

    // The pointer over a hover button paints it, leaving restores it.
    test.driver.MouseMove(test.window, BPoint(60, 30));
    test.driver.WaitForIdle();
    EXPECT_RGB(test.Pixel(60, 22), AskColor(uc_MOC));
    test.driver.MouseMove(test.window, BPoint(200, 150));
    test.driver.WaitForIdle();
    EXPECT_RGB(test.Pixel(60, 22), face);

    // Lit, then in trouble: the lit face wins, the frame takes the alarm's
    // shades.
    test.Locked([&] { hover->SetSpot(true, true); });
    EXPECT_TRUE(hover->SpotStat());
    EXPECT_RGB(test.Pixel(60, 22), AskColor(uc_MOC));
    test.Locked([&] {
        hover->SetSpot(false, true);
        hover->SetTrouble(true);
    });
    EXPECT_RGB(test.Pixel(60, 22), AskColor(uc_KNA));
    EXPECT_RGB(test.Pixel(60, 39), tint_color(AskColor(uc_KNA), B_DARKEN_4_TINT));
    test.Locked([&] { hover->SetTrouble(false); });
    EXPECT_RGB(test.Pixel(60, 22), face);

    // The dotted mark shows on the lit one only: every other pixel of the
    // edge is a dot.
    const rgb_color dark = tint_color(face, B_DARKEN_3_TINT);
    test.Locked([&] { hover->SetDotted(true, true); });
    EXPECT_RGB(test.Pixel(20, 20), tint_color(face, B_LIGHTEN_2_TINT));
    test.Locked([&] { hover->SetSpot(true, true); });
    EXPECT_RGB(test.Pixel(20, 20), dark);
    EXPECT_RGB(test.Pixel(22, 20), dark);
    EXPECT_RGB(test.Pixel(21, 20), tint_color(face, B_LIGHTEN_2_TINT));

    // The text is drawn dark, centred with its prefix.
    test.Locked([&] { label->SetPrevText("> ", true); });
    EXPECT_LT(DarkestGreen(test.driver, test.window, BRect(30, 52, 90, 67)), 80);
    EXPECT_EQ(label->PrevText(), "> ");
}
