// View helpers on the headless backend: bevel pixels, flashing, the notice
// alert, cursors and the per-kind rules for views over a background image.
#include "widgets/ViewHelpers.h"
#include "app/Bevels.h"
#include "app/Notices.h"

#include <gtest/gtest.h>

#include <functional>
#include <thread>

#include "app/ColorHelpers.h"
#include "app/Settings.h"
#include "kit/app/Application.h"
#include "kit/app/OS.h"
#include "kit/display/TestWindow.h"
#include "kit/interface/Box.h"
#include "kit/interface/Button.h"
#include "kit/interface/CheckBox.h"
#include "kit/interface/Cursor.h"
#include "kit/interface/ListView.h"
#include "kit/interface/ScrollView.h"
#include "kit/interface/StringView.h"
#include "kit/interface/TextControl.h"
#include "support/WaitUntil.h"

namespace {

const rgb_color kBase = {200, 200, 200, 255};
const rgb_color kRed = {255, 0, 0, 255};
const rgb_color kBlue = {0, 0, 255, 255};
const rgb_color kWhite = {255, 255, 255, 255};

struct BevelCase
{
    const char* name;
    std::function<void(BView*)> draw;
    // Pixels of the 20 x 10 view: top, second row, left, bottom, second to
    // last row, right edge, inside.
    rgb_color top, top2, left, bottom, bottom2, right, inside;
    drawing_mode modeAfter = B_OP_OVER;
    bool withParent = true;
};

} // namespace

TEST(Bevels, LightTopLeftDarkBottomRightStateRestored)
{
    const rgb_color light = tint_color(kBase, 0.385f);
    const rgb_color dark = tint_color(kBase, 1.555f);
    const rgb_color darkLB = tint_color(kBase, 1.407f);
    rgb_color soft = dark;
    ColorBetween(&kBase, &dark, &soft);
    const rgb_color b = kBase;

    const BevelCase cases[] = {
        {"LB", [](BView* v) { BorderLB(v, nullptr, nullptr, 0); }, light, b, light, darkLB, b,
         darkLB, b},
        {"Me", [](BView* v) { BorderMe(v, nullptr, nullptr, B_OP_COPY); }, light, b, light, dark, b,
         dark, b},
        {"MX", [](BView* v) { BorderMX(v, &kRed, &kBlue, B_OP_COPY); }, kRed, kRed, kRed, kBlue,
         kBlue, kBlue, b},
        {"AsBut", [](BView* v) { BorderAsBut(v, nullptr, nullptr, B_OP_COPY); }, light, light,
         light, dark, soft, dark, b},
        // Dotted: the samples at x = 5 and y = 5 fall between the dots.
        {"Dotter", [](BView* v) { Dotter(v, &kRed, &kBlue, B_OP_COPY); }, b, b, b, b, b, b, b},
        {"LB flag 1 keeps MIN",
         [](BView* v) {
             v->SetDrawingMode(B_OP_MIN);
             BorderLB(v, &kWhite, &kBlue, 1);
         },
         b,
         b,
         b,
         {0, 0, 200, 255},
         b,
         {0, 0, 200, 255},
         b,
         B_OP_MIN},
        {"LB flag 0 copies",
         [](BView* v) {
             v->SetDrawingMode(B_OP_MIN);
             BorderLB(v, &kWhite, &kBlue, 0);
         },
         kWhite, b, kWhite, kBlue, b, kBlue, b, B_OP_MIN},
        {"no parent", [](BView* v) { BorderMX(v, &kRed, &kBlue, B_OP_COPY); }, b, b, b, b, b, b, b,
         B_OP_OVER, false},
    };

    for (const BevelCase& c : cases) {
        SCOPED_TRACE(c.name);
        TestWindow test;
        auto* view = new ProbeView(BRect(10, 10, 29, 19), "bevel");
        view->SetViewColor(kBase);
        rgb_color highAfter{};
        drawing_mode modeAfter{};
        view->onDraw = [&](BView* self, BRect) {
            self->SetHighColor(1, 2, 3);
            self->SetDrawingMode(B_OP_OVER);
            c.draw(self);
            highAfter = self->HighColor();
            modeAfter = self->DrawingMode();
        };
        if (c.withParent)
            test.Add(new ProbeView(BRect(10, 10, 109, 109), "container"))->AddChild(view);
        else
            test.Add(view)->MoveTo(20, 20);
        test.ShowAndWait();

        EXPECT_RGB(highAfter, (rgb_color{1, 2, 3, 255}));
        EXPECT_EQ(modeAfter, c.modeAfter);
        // The view is at (20, 20) - (39, 29) in the window.
        EXPECT_RGB(test.Pixel(25, 20), c.top);
        EXPECT_RGB(test.Pixel(25, 21), c.top2);
        EXPECT_RGB(test.Pixel(20, 25), c.left);
        EXPECT_RGB(test.Pixel(25, 29), c.bottom);
        EXPECT_RGB(test.Pixel(25, 28), c.bottom2);
        EXPECT_RGB(test.Pixel(39, 25), c.right);
        EXPECT_RGB(test.Pixel(30, 24), c.inside);
        EXPECT_RGB(test.Pixel(19, 19), kWhite);
        EXPECT_RGB(test.Pixel(40, 30), kWhite);
        if (std::string(c.name) == "Dotter") {
            EXPECT_RGB(test.Pixel(24, 20), kRed);
            EXPECT_RGB(test.Pixel(20, 24), kRed);
            EXPECT_RGB(test.Pixel(24, 29), kBlue);
            EXPECT_RGB(test.Pixel(39, 24), kBlue);
        }
    }
}

TEST(FlashView, LeavesThePixelsAsTheyWereAndSurvivesTheViewGoing)
{
    TestWindow test;
    auto* view = new ProbeView(BRect(10, 10, 59, 39), "flash");
    view->SetViewColor(30, 140, 90);
    view->onDraw = [](BView* self, BRect) {
        self->SetHighColor(250, 20, 20);
        self->FillRect(BRect(5, 5, 20, 15));
    };
    test.Add(new ProbeView(BRect(0, 0, 199, 199), "container"))->AddChild(view);
    test.ShowAndWait();
    rgb_color inside = test.Pixel(20, 20);
    rgb_color plain = test.Pixel(50, 35);
    int draws = view->draws;

    FlashView(view, 2);
    test.driver.WaitForIdle();
    EXPECT_RGB(test.Pixel(20, 20), inside);
    EXPECT_RGB(test.Pixel(50, 35), plain);
    EXPECT_GT(view->draws, draws) << "redrawn at the end";

    // From another thread while the view is removed and deleted.
    auto framesShown = [&] {
        for (const HeadlessWindowInfo& info : test.driver.Windows()) {
            if (info.window == test.window)
                return info.frames;
        }
        return int64(0);
    };
    const int64 shown = framesShown();
    std::thread flasher([view] { FlashView(view, 5); });
    // Gone while the flashing is under way: after its first step.
    EXPECT_TRUE(WaitUntil([&] { return framesShown() > shown; }));
    test.Locked([&] { delete view; });
    flasher.join();
    FlashView(nullptr, 3);
}

TEST(AnyAlert, ShowsAWarningWithOneButtonWithoutWaiting)
{
    HeadlessDriver driver;
    driver.ClearAlerts();
    AnyAlert("Don't delete LAST Order! ");
    ASSERT_TRUE(driver.WaitForAlert());
    AlertRecord alert = driver.Alerts().at(0);
    EXPECT_EQ(alert.title, "-----aA-----");
    EXPECT_EQ(alert.text, "Don't delete LAST Order! ");
    EXPECT_EQ(alert.buttons, std::vector<std::string>{"   OK   "});
    ASSERT_EQ(driver.AnswerAlert(0), B_OK);
    driver.WaitForIdle();
}

TEST(SetCursorTo, IBeamTheProgramsTwoCursorsElseTheDefault)
{
    SetCursorTo(2); // no application: nothing happens
    BApplication app("application/x-vnd.test-cursor-helpers");
    TestWindow test;
    test.ShowAndWait();
    auto shown = [&](int32 number) {
        SetCursorTo(number);
        return test.driver.Backend().Cursor(test.window);
    };

    EXPECT_EQ(shown(1).ID(), B_CURSOR_ID_I_BEAM);
    for (int32 other : {0, 4, -1})
        EXPECT_EQ(shown(other).ID(), B_CURSOR_ID_SYSTEM_DEFAULT) << other;
    for (auto [number, hot] : {std::pair{2, BPoint(1, 1)}, std::pair{3, BPoint(2, 9)}}) {
        BCursor cursor = shown(number);
        ASSERT_TRUE(cursor.IsCustom()) << number;
        EXPECT_EQ(cursor.HotSpot(), hot);
        EXPECT_TRUE(cursor.IsBlack(hot.x, hot.y)) << "the hot spot is on the shape";
        // A white rim keeps the black shape visible on dark colours.
        EXPECT_TRUE(cursor.IsOpaque(hot.x - 1, hot.y) && !cursor.IsBlack(hot.x - 1, hot.y));
    }
    EXPECT_NE(shown(2), shown(3));
}

TEST(Childs2Transparent, EachKindGetsItsColourFontAndFlags)
{
    const rgb_color kList = {127, 246, 237, 255};
    auto build = [](BView* root) {
        auto* first = new BBox(BRect(0, 0, 99, 99), "first");
        first->SetLabel("General");
        root->AddChild(first);
        first->AddChild(new BCheckBox(BRect(5, 20, 90, 35), "check", "Save", nullptr));
        first->AddChild(new BStringView(BRect(5, 40, 90, 55), "string", "Text"));
        root->AddChild(new BTextControl(BRect(110, 0, 200, 20), "text", "Name", "x", nullptr));
        root->AddChild(new BScrollView("scroll", new BListView(BRect(0, 0, 80, 60), "list"),
                                       B_FOLLOW_NONE, 0, false, true));
        root->AddChild(new BButton(BRect(110, 30, 180, 50), "button", "OK", nullptr));
        auto* second = new BBox(BRect(0, 120, 99, 199), "second");
        second->SetLabel("Colors");
        root->AddChild(second);
    };

    BView root(BRect(0, 0, 299, 299), "root", B_FOLLOW_NONE, B_WILL_DRAW);
    build(&root);
    rgb_color buttonColor = root.FindView("button")->ViewColor();
    testing::internal::CaptureStdout();
    Childs2Transparent(&root, ui_color(B_MENU_BACKGROUND_COLOR), be_plain_font, 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "BBox dedect Colors\nBScrollView dedect\nBScrollBar dedect\nBListView dedect\n"
              "BBox dedect General\n\nund weiter \n");

    for (const char* name : {"first", "check", "string", "text"})
        EXPECT_EQ(root.FindView(name)->ViewColor(), B_TRANSPARENT_COLOR) << name;
    for (const char* name : {"check", "string"}) {
        BFont font;
        root.FindView(name)->GetFont(&font);
        EXPECT_EQ(font.Size(), FO_SIZE) << name;
        EXPECT_EQ(font.Face(), B_BOLD_FACE) << name;
    }
    EXPECT_RGB(root.FindView("scroll")->ViewColor(), kList);
    for (const char* name : {"list", "_VSB_"}) {
        EXPECT_RGB(root.FindView(name)->ViewColor(), kList);
        EXPECT_EQ(root.FindView(name)->Flags(), B_WILL_DRAW | B_FRAME_EVENTS) << name;
    }
    EXPECT_EQ(root.FindView("button")->ViewColor(), buttonColor);

    BView flagged(BRect(0, 0, 299, 299), "flagged", B_FOLLOW_NONE, B_WILL_DRAW);
    build(&flagged);
    testing::internal::CaptureStdout();
    Childs2Transparent(&flagged, kWhite, nullptr, 1);
    testing::internal::GetCapturedStdout();
    EXPECT_RGB(flagged.FindView("first")->ViewColor(), kList);
}
