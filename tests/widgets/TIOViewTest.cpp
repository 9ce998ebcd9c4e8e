// The value field edited in place: click, type, Return; the secondary
// click; what it draws closed, hovered and open.
#include "widgets/TIOView.h"

#include <gtest/gtest.h>

#include "app/AppPost.h"
#include "app/Settings.h"
#include "kit/interface/TextControl.h"
#include "support/ProgramFolder.h"
#include "widgets/WidgetTestSupport.h"

namespace {

// At (20, 20) - (139, 35) closed.
const BRect kFrame(20, 20, 139, 60);

struct TIOTest
{
    TIOTest()
    {
        field = test.Add(new TIOView(kFrame, "hours", "Hours:", "8:00", new BMessage('WHRS')));
        test.ShowAndWait();
    }

    ProgramFolder folder;
    AppPostRecorder posts;
    RecordingTest test;
    TIOView* field;
};

} // namespace

TEST(TIOView, ClickTypeReturnPostsTheNewValue)
{
    TIOTest t;
    EXPECT_EQ(t.field->Shown(), "Hours: 8:00");
    EXPECT_EQ(t.field->Frame().Height() + 1, TIOView::kHeight);

    t.test.driver.Click(t.test.window, BPoint(80, 27));
    t.test.driver.WaitForIdle();
    ASSERT_TRUE(t.field->IsEditing());
    EXPECT_EQ(t.field->Frame().Height() + 1, TIOView::kEditHeight);
    EXPECT_STREQ(t.field->Field()->Name(), "TIOnam");
    EXPECT_STREQ(t.field->Field()->Text(), "8:00");
    EXPECT_TRUE(t.posts.Codes().empty());

    // The value is selected: typing replaces it.
    t.test.driver.TypeText(t.test.window, "7:30");
    t.test.driver.WaitForIdle();
    EXPECT_EQ(t.field->Value(), "7:30") << "taken while typing";
    t.test.driver.PressKey(t.test.window, B_ENTER_KEY);
    t.test.driver.WaitForIdle();

    EXPECT_FALSE(t.field->IsEditing());
    EXPECT_EQ(t.field->Frame().Height() + 1, TIOView::kHeight);
    EXPECT_EQ(t.field->Shown(), "Hours: 7:30");
    std::vector<BMessage> posted = t.posts.Messages();
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].what, uint32('WHRS'));
    EXPECT_STREQ(posted[0].GetString("text", ""), "7:30");
    EXPECT_EQ(t.test.window->CurrentFocus(), nullptr);
}

TEST(TIOView, ClickAgainClosesSecondaryClickPosts)
{
    TIOTest t;
    t.test.driver.Click(t.test.window, BPoint(80, 27));
    t.test.driver.WaitForIdle();
    ASSERT_TRUE(t.field->IsEditing());
    // On the open field's left edge, outside its text: closes, posts nothing.
    t.test.driver.Click(t.test.window, BPoint(22, 27));
    t.test.driver.WaitForIdle();
    EXPECT_FALSE(t.field->IsEditing());
    EXPECT_TRUE(t.posts.Codes().empty());

    // The secondary button closes a field and tells the application.
    t.test.driver.Click(t.test.window, BPoint(80, 27));
    t.test.driver.WaitForIdle();
    t.test.driver.TypeText(t.test.window, "9");
    t.test.driver.Click(t.test.window, BPoint(22, 27), B_SECONDARY_MOUSE_BUTTON);
    t.test.driver.WaitForIdle();
    EXPECT_FALSE(t.field->IsEditing());
    std::vector<BMessage> posted = t.posts.Messages();
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_STREQ(posted[0].GetString("text", ""), "9");

    // A second AddBTC leaves the one open field.
    t.test.Locked([&] {
        t.field->AddBTC();
        t.field->AddBTC();
    });
    EXPECT_EQ(t.field->CountChildren(), 1);
}

TEST(TIOView, FaceClosedHoveredAndOpen)
{
    TIOTest t;
    const rgb_color menu = ui_color(B_MENU_BACKGROUND_COLOR);
    EXPECT_RGB(t.test.Pixel(130, 27), menu);
    EXPECT_RGB(t.test.Pixel(80, 20), tint_color(AskColor(uc_MOC), B_LIGHTEN_2_TINT));
    EXPECT_LT(DarkestGreen(t.test.driver, t.test.window, BRect(26, 22, 70, 34)), 80);

    t.test.driver.MouseMove(t.test.window, BPoint(130, 27));
    t.test.driver.WaitForIdle();
    EXPECT_RGB(t.test.Pixel(130, 27), AskColor(uc_MOC));
    t.test.driver.MouseMove(t.test.window, BPoint(250, 150));
    t.test.driver.WaitForIdle();
    EXPECT_RGB(t.test.Pixel(130, 27), menu);

    // Open: the triangle on the left edge.
    t.test.driver.Click(t.test.window, BPoint(80, 27));
    t.test.driver.WaitForIdle();
    EXPECT_RGB(t.test.Pixel(21, 29), (rgb_color{10, 10, 10, 255}));
}
