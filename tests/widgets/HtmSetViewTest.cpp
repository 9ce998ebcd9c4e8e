// The report settings card: the form's rules (columns, free places, flags,
// the limit) as tables and a random walk, and the card worked by clicks.
#include "widgets/HtmSetView.h"

#include <gtest/gtest.h>

#include <random>

#include "app/AppPost.h"
#include "app/Settings.h"
#include "kit/interface/Button.h"
#include "kit/interface/CheckBox.h"
#include "kit/interface/StringView.h"
#include "support/ProgramFolder.h"
#include "widgets/HtmForm.h"
#include "widgets/WidgetTestSupport.h"
#include "widgets/clView.h"

TEST(HtmForm, CardShapeKeepsColumnsAndFlags)
{
    struct Case
    {
        const char* stored;
        const char* card;
    };
    const Case cases[] = {
        {"012734", "012734__"}, // built-in: no column is lost to the flags
        {"02134_____", "02134_____"},
        {"021347__oi", "021347__oi"},
        {"0p_", "0o_"},
        {"", "__"},
        {"5", "5__"},
        {"0o", "0o_"},
        {"0i1o", "01oi"},
        {"0123456701234", "01234567012__"},
        {"0_1_2_3_4_5_6_7", "0_1_2_34567__"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        EXPECT_EQ(HtmCardForm(c.stored), c.card);
        EXPECT_EQ(HtmCardForm(c.card), c.card) << "already in shape";
    }
}

TEST(HtmForm, ClicksWriteAtThePlace)
{
    struct Case
    {
        const char* form;
        int32 place;
        const char* clicks;
        const char* after;
        int32 placeAfter;
    };
    const Case cases[] = {
        {kHtmFormDefault, 5, "7", "021347____", 6},
        {kHtmFormDefault, 5, "0", "02134_____", 5}, // present: the place is freed
        {kHtmFormNew, 0, "205", "205_______", 3},
        {kHtmFormNew, 0, "22", "2_________", 1},
        {"012734__", 0, "0", "_12734__", 0},
        {"012734__", 0, "00112", "01_734__", 2},
        // The columns grow into the room the limit leaves, and no further.
        {"__", 0, "0123457", "0123457__", 7},
        {"01234567012__", 11, "5", "01234567012__", 11},
        {"01234567012__", 40, "5", "01234567012__", 11},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.form) + " + " + c.clicks);
        std::string form = c.form;
        int32 place = c.place;
        for (const char* click = c.clicks; *click != '\0'; click++)
            HtmClickColumn(form, place, *click);
        EXPECT_EQ(form, c.after);
        EXPECT_EQ(place, c.placeAfter);
    }
    std::string full = "01234567012__";
    int32 place = 11;
    EXPECT_FALSE(HtmClickColumn(full, place, '5'));
}

TEST(HtmForm, RandomWorkStaysInsideTheForm)
{
    std::mt19937 random(7);
    const std::string alphabet = "01234567_oip";
    for (int run = 0; run < 300; run++) {
        std::string stored;
        for (int n = int(random() % 16); n > 0; n--)
            stored += alphabet[random() % alphabet.size()];
        std::string form = HtmCardForm(stored);
        int32 place = int32(random() % (form.size() - 1));
        for (int step = 0; step < 40; step++) {
            switch (random() % 4) {
            case 0:
                HtmSetFlags(form, random() % 2, random() % 2);
                break;
            case 1:
                form = kHtmFormNew;
                place = 0;
                break;
            default:
                HtmClickColumn(form, place, char('0' + random() % 8));
                break;
            }
            ASSERT_GE(form.size(), kHtmFlagPlaces) << stored;
            ASSERT_LE(form.size(), kHtmFormMax) << stored;
            ASSERT_GE(place, 0);
            ASSERT_LE(size_t(place), form.size() - kHtmFlagPlaces) << stored;
            ASSERT_EQ(HtmCardForm(form), form) << stored;
        }
    }
}

TEST(HtmForm, PreviewNamesSixCharacters)
{
    auto name = [](char c) -> std::string {
        switch (c) {
        case '0':
            return "OrderNr";
        case '1':
            return "Zeichnungsnr";
        case '2':
            return "Ünitäten";
        case 'i':
            return "img";
        default:
            return "";
        }
    };
    EXPECT_EQ(HtmPreview("0_12_6i", name), "|OrderN|Zeichn|Ünität|img|");
    EXPECT_EQ(HtmPreview("", name), "|");
}

namespace {

struct CardTest
{
    CardTest()
    {
        card = test.Add(new HtmSetView(BRect(0, 0, 319, 177)));
        test.ShowAndWait();
    }

    // Each click waits for what it sends: the controls post their commands
    // behind the clicks already queued.
    void ClickColumn(char column) { ClickView(card->ColumnLabel(column)); }

    void ClickView(BView* view)
    {
        test.driver.Click(test.window, center_of(view->Frame()));
        test.driver.WaitForIdle();
    }

    BView* Button(const char* label)
    {
        for (int32 i = 0; i < card->CountChildren(); i++) {
            auto* button = dynamic_cast<BButton*>(card->ChildAt(i));
            if (button != nullptr && std::string(button->Label()) == label)
                return button;
        }
        return nullptr;
    }

    std::string Preview() const { return card->PreviewView()->Text(); }

    ProgramFolder folder; // htm_form "012734"
    AppPostRecorder posts;
    RecordingTest test;
    HtmSetView* card;
};

} // namespace

TEST(HtmSetView, OpensOnTheStoredFormWithoutChangingIt)
{
    CardTest t;
    EXPECT_EQ(t.card->Form(), "012734__");
    EXPECT_EQ(htm_form, "012734");
    EXPECT_EQ(t.Preview(), "|OrderN|DNumbe|Unit|Sum Ho|  Dead|PlanDa|");
    for (char column : HtmSetView::kColumns)
        EXPECT_EQ(t.card->ColumnLabel(column)->SpotStat(), column != '5') << column;
    EXPECT_EQ(t.card->OpenJobsBox()->Value(), B_CONTROL_OFF);
    EXPECT_STREQ(t.card->OpenJobsBox()->Name(), "09");
    EXPECT_STREQ(t.card->SnapshotBox()->Name(), "10");
    EXPECT_STREQ(t.card->PreviewView()->Name(), "xd");

    // Lit labels are drawn in the mouse-over colour.
    const BPoint lit = center_of(t.card->ColumnLabel('0')->Frame());
    const BPoint unlit = center_of(t.card->ColumnLabel('5')->Frame());
    EXPECT_RGB(t.test.Pixel(lit.x, lit.y - 6), AskColor(uc_MOC));
    EXPECT_RGB(t.test.Pixel(unlit.x, unlit.y - 6), ui_color(B_MENU_BACKGROUND_COLOR));

    // The first click keeps the columns at the end.
    t.ClickColumn('0');
    t.test.driver.WaitForIdle();
    EXPECT_EQ(htm_form, "_12734__");
    EXPECT_FALSE(t.card->ColumnLabel('0')->SpotStat());
    EXPECT_RGB(t.test.Pixel(lit.x, lit.y - 6), ui_color(B_MENU_BACKGROUND_COLOR));
}

TEST(HtmSetView, ComposingAFormByClicks)
{
    CardTest t;
    t.ClickView(t.Button("Default"));
    t.ClickColumn('7');
    t.test.driver.WaitForIdle();
    EXPECT_EQ(htm_form, "021347____");
    EXPECT_EQ(t.card->Place(), 6);

    t.ClickView(t.Button("New"));
    for (char column : {'2', '0', '5', '0'})
        t.ClickColumn(column);
    t.ClickView(t.card->SnapshotBox());
    t.test.driver.WaitForIdle();
    EXPECT_EQ(htm_form, "205______i");
    EXPECT_EQ(t.Preview(), "|Unit|OrderN|Status|img|");
    EXPECT_TRUE(t.card->ColumnLabel('5')->SpotStat());
    EXPECT_FALSE(t.card->ColumnLabel('1')->SpotStat());

    t.ClickView(t.card->OpenJobsBox());
    t.test.driver.WaitForIdle();
    EXPECT_EQ(htm_form, "205_____oi");
    EXPECT_EQ(t.Preview(), "|Unit|OrderN|Status|with S|img|");

    // "Default" clears both boxes.
    t.ClickView(t.Button("Default"));
    t.test.driver.WaitForIdle();
    EXPECT_EQ(htm_form, kHtmFormDefault);
    EXPECT_EQ(t.card->OpenJobsBox()->Value(), B_CONTROL_OFF);
    EXPECT_EQ(t.card->SnapshotBox()->Value(), B_CONTROL_OFF);
    EXPECT_EQ(t.Preview(), "|OrderN|Unit|DNumbe|  Dead|PlanDa|");
    EXPECT_TRUE(t.posts.Codes().empty()) << "the card itself tells the application nothing";
}

TEST(HtmSetView, CancelAndOpenGoToTheCardWindow)
{
    CardTest t;
    t.ClickView(t.Button("Cancel"));
    t.ClickView(t.Button("Open HTML"));
    t.test.driver.WaitForIdle();
    EXPECT_EQ(t.test.window->Messages(HtmSetView::kCancel).size(), 1u);
    EXPECT_EQ(t.test.window->Messages(HtmSetView::kOpenHtml).size(), 1u);
    EXPECT_EQ(htm_form, "012734");

    // Other commands are reported and change nothing.
    testing::internal::CaptureStdout();
    BMessage unknown('XYZ_');
    t.test.Locked([&] { t.test.window->PostMessage(&unknown, t.card); });
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "HtmSetView ?? 'XYZ_'\n");
    EXPECT_EQ(htm_form, "012734");
}
