// The icon button: its picture from the "icons" folder or its text, the
// hover frame, greyed when disabled, clicks posted to the application and
// function keys passed on.
#include "widgets/XButton.h"

#include <gtest/gtest.h>

#include "app/AppPost.h"
#include "app/Icons.h"
#include "app/Settings.h"
#include "kit/interface/Bitmap.h"
#include "support/ProgramFolder.h"
#include "widgets/WidgetTestSupport.h"

namespace {

// The 50 x 21 button at (20, 20) - (69, 40) in the window.
const BRect kFrame(20, 20, 69, 60);
const BPoint kInside(44, 30);
const rgb_color kFace = {237, 242, 235, 255};
const rgb_color kRed = {255, 0, 0, 255};

} // namespace

TEST(XButton, TextWhenTheIconHasNoPictureAndClicksPost)
{
    ProgramFolder folder;
    AppPostRecorder posts;
    RecordingTest test;
    auto* button = test.Add(new XButton(kFrame, "c2w", "Wko", new BMessage('VTWO')));
    button->SetBitmap(0);
    test.ShowAndWait();

    EXPECT_FALSE(button->HasIcon());
    EXPECT_EQ(button->Frame().Height() + 1, XButton::kHeight);
    EXPECT_RGB(test.Pixel(22, 22), kFace);
    EXPECT_RGB(test.Pixel(44, 40), tint_color(kFace, B_DARKEN_4_TINT));
    const BRect text(30, 23, 60, 37);
    EXPECT_LT(DarkestGreen(test.driver, test.window, text), 80);

    // Hovered: a grey frame one pixel in.
    test.driver.MouseMove(test.window, kInside);
    test.driver.WaitForIdle();
    EXPECT_TRUE(button->IsHovered());
    EXPECT_RGB(test.Pixel(44, 21), (rgb_color{100, 100, 100, 255}));

    test.driver.Click(test.window, kInside);
    test.driver.WaitForIdle();
    EXPECT_EQ(posts.Codes(), std::vector<uint32>{'VTWO'});
    EXPECT_TRUE(test.window->Messages('VTWO').empty()) << "the application gets it, not the window";

    // Disabled: the text is greyed and a click posts nothing.
    posts.Clear();
    test.Locked([&] { button->SetEnabled(false); });
    EXPECT_GT(DarkestGreen(test.driver, test.window, text), 100);
    test.driver.Click(test.window, kInside);
    test.driver.WaitForIdle();
    EXPECT_TRUE(posts.Codes().empty());
}

TEST(XButton, IconFromTheIconsFolderGreyedWhenDisabled)
{
    ProgramFolder folder;
    // Only the large picture: the 21-pixel button draws it small.
    WriteSquarePng(IconPath("Prn", 32), 32, kRed);
    AppPostRecorder posts;
    RecordingTest test;
    auto* button = test.Add(new XButton(kFrame, "cprn", "Prn", new BMessage('_PRW')));
    button->SetBitmap(2);
    test.ShowAndWait();

    ASSERT_TRUE(button->HasIcon());
    // The 17-pixel picture is centred, then moved one pixel down to the
    // right; hovered, one up to the left.
    EXPECT_RGB(test.Pixel(44, 30), kRed);
    EXPECT_RGB(test.Pixel(22, 30), kFace);
    const BPoint corner(20 + 16 + 1, 20 + 2 + 1);
    EXPECT_RGB(test.Pixel(corner.x, corner.y), kRed);
    EXPECT_RGB(test.Pixel(corner.x - 1, corner.y - 1), kFace);

    // Hovered, it moves up to the left.
    test.driver.MouseMove(test.window, kInside);
    test.driver.WaitForIdle();
    EXPECT_RGB(test.Pixel(corner.x - 2, corner.y - 2), kRed);

    test.Locked([&] { button->SetEnabled(false); });
    EXPECT_NEAR_RGB(test.Pixel(44, 30), (rgb_color{246, 121, 117, 255}));
    EXPECT_RGB(test.Pixel(22, 30), kFace);
    test.driver.Click(test.window, kInside);
    test.driver.WaitForIdle();
    EXPECT_TRUE(posts.Codes().empty());

    test.Locked([&] { button->SetEnabled(true); });
    test.driver.Click(test.window, kInside);
    test.driver.WaitForIdle();
    EXPECT_EQ(posts.Codes(), std::vector<uint32>{'_PRW'});
    EXPECT_RGB(test.Pixel(44, 30), kRed) << "the flash ends enabled";
}

TEST(XButton, BorderOptionAndFunctionKeys)
{
    ProgramFolder folder;
    WriteSquarePng(IconPath("Job", 16), 16, kRed);
    prefsdata.fetch_or(VTa_BORD_BUTT);
    AppPostRecorder posts;
    RecordingTest test;
    auto* button = test.Add(new XButton(kFrame, "c2o", "Ord", new BMessage('VTOO')));
    button->SetBitmap(1);
    test.ShowAndWait();
    EXPECT_RGB(test.Pixel(44, 20), tint_color(kFace, B_LIGHTEN_2_TINT));

    // The pointer over it gives it the keys; F1 means what it means
    // everywhere.
    test.driver.MouseMove(test.window, kInside);
    test.driver.WaitForIdle();
    test.driver.PressKey(test.window, B_F1_KEY);
    test.driver.PressKey(test.window, B_ESCAPE_KEY);
    test.driver.WaitForIdle();
    EXPECT_EQ(posts.Codes(), (std::vector<uint32>{'OPTO', '3000', '2000'}));
}

TEST(Icons, TableNamesAndPaths)
{
    ProgramFolder folder;
    EXPECT_STREQ(IconName(0), "Wko");
    EXPECT_STREQ(IconName(3), "edit_htm");
    EXPECT_STREQ(IconName(11), "snaps");
    EXPECT_EQ(IconName(-1), nullptr);
    EXPECT_EQ(IconName(kIconCount), nullptr);
    EXPECT_EQ(IconPath("Wko", 32), folder.Path("icons/Wko.png"));
    EXPECT_EQ(IconPath("Wko", 16), folder.Path("icons/Wko-16.png"));

    EXPECT_EQ(LoadIcon("Wko", 32), nullptr);
    folder.Write("icons/Wko.png", "not a picture");
    EXPECT_EQ(LoadIcon("Wko", 32), nullptr);
    WriteSquarePng(IconPath("Wko", 16), 16, kRed);
    auto small = LoadIcon("Wko", 32);
    ASSERT_NE(small, nullptr) << "the other size stands in";
    EXPECT_EQ(small->Bounds().Width() + 1, 16);
    EXPECT_EQ(LoadIcon("../icons/Wko", 16), nullptr);
    EXPECT_EQ(LoadMimeIcon("text/../../x", 16), nullptr);
}
