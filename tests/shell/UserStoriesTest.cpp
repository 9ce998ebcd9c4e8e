// What a planner does with the program, each story in a program folder of
// its own, worked through menus, keys and clicks and checked in the windows
// and in the files. The clock stands on Monday 2002/12/09.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "RunningProgram.h"
#include "calendar/CalDay.h"
#include "data/Order.h"
#include "data/ProzBalken.h"
#include "data/Worker.h"
#include "kit/app/Beep.h"
#include "kit/interface/StringView.h"
#include "planner/CalMapping.h"
#include "planner/MoverView.h"
#include "planner/Oknopf.h"
#include "planner/ProzView.h"
#include "planner/WBalken.h"
#include "support/FileContents.h"
#include "widgets/clView.h"

namespace {

constexpr int32 kDiscard = 1;

class UserStory : public testing::Test
{
protected:
    void TearDown() override { program.Stop(); }

    // "plan" of the data tests in defs.
    void ShipPlan()
    {
        program.folder.Write("defs/plan.vto", GoldenFile("data", "plan.vto"));
        program.folder.Write("defs/plan.vtw", GoldenFile("data", "plan.vtw"));
    }

    void OpenPlan()
    {
        ShipPlan();
        program.Start();
        program.ChooseIn(&CalenderWin::OpenMenu, "plan");
        ASSERT_TRUE(WaitUntil([&] { return program.OrderEditor() != nullptr; }));
        program.Idle();
    }

    CalView* Calendar() { return program.Main()->Calendar(); }

    int32 Bars()
    {
        return program.Locked(program.Main(), [&] { return Calendar()->CountBars(); });
    }

    // Every knob as "order-name job-index: left..right" in bar order.
    std::vector<std::string> Knobs()
    {
        return program.Locked(program.Main(), [&] {
            std::vector<std::string> knobs;
            for (int32 i = 0; i < Calendar()->CountBars(); i++) {
                for (Oknopf* knob : Calendar()->BarAt(i)->Knobs()) {
                    const BRect f = knob->Frame();
                    knobs.push_back(
                        knob->Label() + " " + std::to_string(knob->KnopfData().jobIndex) + ": " +
                        std::to_string(int(f.left)) + ".." + std::to_string(int(f.right)));
                }
            }
            return knobs;
        });
    }

    // In the worker mode every knob lies within the days its job takes.
    void ExpectKnobsOnTheirDays()
    {
        program.Locked(program.Main(), [&] {
            const ks_calday first = FirstShownDay();
            const float perDay = Calendar()->PixelsPerDay();
            int32 knobs = 0;
            STOrder* orders = STOrder::Existing();
            BAutolock lock(orders->Lock());
            for (int32 i = 0; i < Calendar()->CountBars(); i++) {
                for (Oknopf* knob : Calendar()->BarAt(i)->Knobs()) {
                    const Oknopf::Data& data = knob->KnopfData();
                    Order* order = orders->GetOrder(orders->FindOrderNrOverNr(data.orderId));
                    ASSERT_NE(order, nullptr);
                    const ProzBalken* job = order->JobAt(data.jobIndex);
                    ASSERT_NE(job, nullptr);
                    const auto dayOf = [&](const ks_calday& day) {
                        return int32(CDaySerial(&day) - CDaySerial(&first));
                    };
                    // The bar's x is the window's x of the calendar.
                    const BRect f = knob->Frame();
                    EXPECT_GE(f.left + 1, DayLeft(dayOf(job->j_beg), perDay)) << knob->Label();
                    EXPECT_LE(f.right - 1, DayLeft(dayOf(job->j_end) + 1, perDay)) << knob->Label();
                    knobs++;
                }
            }
            EXPECT_GT(knobs, 0);
        });
    }

    // Plan dates by order name, read under the list's lock.
    std::map<std::string, std::string> PlanDates()
    {
        std::map<std::string, std::string> dates;
        STOrder* orders = STOrder::Existing();
        BAutolock lock(orders->Lock());
        for (int32 i = 0; i <= orders->GetOMax(); i++)
            dates[orders->GetOrder(i)->oauft] = orders->GetOrder(i)->opdl;
        return dates;
    }

    Oknopf* KnobOf(const std::string& label, int32 jobIndex = -1)
    {
        return program.Locked(program.Main(), [&]() -> Oknopf* {
            for (int32 i = 0; i < Calendar()->CountBars(); i++) {
                for (Oknopf* knob : Calendar()->BarAt(i)->Knobs()) {
                    if (knob->Label() == label &&
                        (jobIndex < 0 || knob->KnopfData().jobIndex == jobIndex))
                        return knob;
                }
            }
            return nullptr;
        });
    }

    RunningProgram program;
};

TEST_F(UserStory, AFirstStartMakesTheFoldersAndOffersNoProject)
{
    std::filesystem::remove_all(program.folder.Path("defs"));
    std::filesystem::remove_all(program.folder.Path("templates"));
    program.Start();
    EXPECT_TRUE(std::filesystem::is_directory(program.folder.Path("defs")));
    EXPECT_TRUE(std::filesystem::is_directory(program.folder.Path("templates")));
    EXPECT_EQ(program.Title(program.Main()), "Vantrel");
    EXPECT_TRUE(program.OpenMenuLabels().empty());
    for (uint32 code : {'OADD', 'WADD', 'S_DA', 'X_OW', 'OsDD', 'OPTO'})
        EXPECT_FALSE(program.ItemEnabled(code)) << long2asc(code);
    EXPECT_TRUE(program.ItemEnabled('NewN'));
    EXPECT_EQ(program.OrderEditor(), nullptr);
    EXPECT_EQ(program.WorkerEditor(), nullptr);
}

TEST_F(UserStory, ANewProjectIsSavedClosedAndOffered)
{
    program.Start();
    program.Choose('NewN');
    program.AnswerNameCard("Plan");
    ASSERT_TRUE(WaitUntil(
        [&] { return program.OrderEditor() != nullptr && program.WorkerEditor() != nullptr; }));
    program.Idle();
    EXPECT_EQ(program.Title(program.Main()), "Vantrel: Plan");
    EXPECT_GT(Bars(), 0);
    EXPECT_TRUE(program.ItemEnabled('OADD'));

    program.Shortcut('s');
    for (const char* file : {"defs/Plan.vto", "defs/Plan.vtw", "defs/Plan.xml"})
        EXPECT_TRUE(program.folder.Exists(file)) << file;

    program.Shortcut('c');
    ASSERT_TRUE(WaitUntil([&] { return program.OrderEditor() == nullptr; }));
    program.Idle();
    EXPECT_EQ(program.Title(program.Main()), "Vantrel");
    EXPECT_EQ(program.OpenMenuLabels(), std::vector<std::string>{"Plan"});
    EXPECT_EQ(Bars(), 0);
    EXPECT_TRUE(program.driver.Alerts().empty());
}

TEST_F(UserStory, AnOpenedProjectShowsItsBarsAndKnobs)
{
    OpenPlan();
    EXPECT_EQ(program.Title(program.Main()), "Vantrel: plan");
    EXPECT_EQ(Bars(), 2); // one per worker
    ExpectKnobsOnTheirDays();
    EXPECT_FALSE(
        program.Locked(program.Main(), [&] { return program.Main()->OpenMenu()->IsEnabled(); }));
    EXPECT_TRUE(program.ItemEnabled('S_DA'));
}

TEST_F(UserStory, DisplayModeAndZoomAreKeptAfterARestart)
{
    OpenPlan();
    const std::vector<std::string> worker = Knobs();
    // "Row": one bar per order.
    program.driver.Click(program.Main(), middle_of(program.Main()->Toggle(0)));
    program.Idle();
    EXPECT_EQ(program.Locked(program.Main(), [&] { return Calendar()->DisplayMode(); }), DSM_ROW);
    EXPECT_NE(Knobs(), worker);
    program.ChooseWhere(
        [](BMenuItem* item) {
            return item->Command() == 'CVPR' && item->Message()->GetInt32("H:value", 0) == 6;
        },
        "6 months");
    EXPECT_EQ(program.Locked(program.Main(), [&] { return Calendar()->MonthsShown(); }), 6);

    program.Restart();
    EXPECT_EQ(program.Locked(program.Main(), [&] { return Calendar()->DisplayMode(); }), DSM_ROW);
    EXPECT_EQ(program.Locked(program.Main(), [&] { return Calendar()->MonthsShown(); }), 6);
}

TEST_F(UserStory, DraggingAMarkedOrdersHandleMovesItsPlanDate)
{
    OpenPlan();
    const std::string before = PlanDates()["A-00017"];
    Oknopf* knob = KnobOf("A-00017", 1);
    ASSERT_NE(knob, nullptr);
    // A right click marks the order: its last job gets the handle.
    program.driver.Click(program.Main(), middle_of(knob), B_SECONDARY_MOUSE_BUTTON);
    program.Idle();
    program.Idle();
    knob = KnobOf("A-00017", 1);
    MoverView* handle = program.Locked(program.Main(), [&] { return knob->Handle(); });
    ASSERT_NE(handle, nullptr);
    const float perDay = program.Locked(program.Main(), [&] { return Calendar()->PixelsPerDay(); });
    const BPoint from = middle_of(handle);
    program.driver.Drag(program.Main(), from, from + BPoint(3 * perDay, 0));
    program.Idle();
    program.Idle();
    const ks_calday old = CDayOfText(before);
    const ks_calday now = CDayOfText(PlanDates()["A-00017"]);
    EXPECT_EQ(CDaySerial(&now) - CDaySerial(&old), 3) << before << " -> " << CDay2str(&now);
    ExpectKnobsOnTheirDays();

    program.Shortcut('s');
    EXPECT_NE(program.folder.Read("defs/plan.vto").find("[" + CDay2str(&now) + "]"),
              std::string::npos);
}

TEST_F(UserStory, OptimisingAndUndoing)
{
    OpenPlan();
    const std::map<std::string, std::string> before = PlanDates();
    program.Key(program.Main(), B_F1_KEY);
    EXPECT_NE(PlanDates(), before) << "an order with slack moved a day";
    ExpectKnobsOnTheirDays();
    program.Key(program.Main(), B_F5_KEY);
    EXPECT_EQ(PlanDates(), before);

    // F2 until nothing more moves: that run beeps.
    const int32 beeps = beep_count();
    for (int i = 0; i < 400 && beep_count() == beeps; i++)
        program.Key(program.Main(), B_F2_KEY);
    EXPECT_EQ(beep_count(), beeps + 1);
    ExpectKnobsOnTheirDays();
}

TEST_F(UserStory, AnOrderEditedInTheEditorChangesTheCalendar)
{
    OpenPlan();
    OrderWindow* editor = program.OrderEditor();
    // The editor shows the first order.
    ASSERT_EQ(program.ViewIn<BTextControl>(editor, "onam")->Text(), std::string("A-00017"));
    program.TypeInto(editor, program.ViewIn(editor, "onam"), "Frame-7");
    program.Idle();
    EXPECT_NE(KnobOf("Frame-7"), nullptr);
    EXPECT_EQ(KnobOf("A-00017"), nullptr);
    // Closed: off the calendar.
    program.ChooseFromField(editor, "O_Stat", kOStatClosed);
    program.Idle();
    EXPECT_EQ(KnobOf("Frame-7"), nullptr);
    program.Shortcut('s');
    EXPECT_NE(program.folder.Read("defs/plan.vto").find("[IT][Frame-7]"), std::string::npos);
}

TEST_F(UserStory, AJobDrawnOnTheCanvasAndTimedGetsAKnob)
{
    OpenPlan();
    OrderWindow* editor = program.OrderEditor();
    // The third order, C-00019, is closed; the second has two jobs.
    const size_t before = Knobs().size();
    BView* canvas = program.Locked(editor, [&] { return editor->Canvas(); });
    const auto onCanvas = [&](float x, float y) {
        return program.Locked(editor, [&] {
            return editor->ConvertFromScreen(canvas->ConvertToScreen(BPoint(x, y)));
        });
    };
    program.driver.Drag(editor, onCanvas(205, 65), onCanvas(262, 95));
    program.Idle();
    program.Idle();
    program.driver.Click(editor, onCanvas(230, 80));
    program.Idle();
    program.TypeInto(editor, program.ViewIn(editor, "pbtim"), "8:00");
    program.Idle();
    EXPECT_EQ(Knobs().size(), before + 1);
    ExpectKnobsOnTheirDays();
    program.Shortcut('s');
    const std::string file = program.folder.Read("defs/plan.vto");
    const std::string first = file.substr(0, file.find("\n; ---", 1));
    EXPECT_NE(first.find("[8:00][2][-]"), std::string::npos) << first;
}

TEST_F(UserStory, OrderTemplatesAreMadeAndUsed)
{
    OpenPlan();
    OrderWindow* editor = program.OrderEditor();
    program.Choose('NwOT', editor);
    program.AnswerNameCard("frame");
    EXPECT_TRUE(program.folder.Exists("templates/frame.otp"));
    // Listed in the main window's template menu, and used from there.
    const int32 before = STOrder::Existing()->GetOMax();
    program.ChooseIn(&CalenderWin::OrderTemplateMenu, "frame");
    EXPECT_EQ(STOrder::Existing()->GetOMax(), before + 1);
    EXPECT_EQ(program.ViewIn<BTextControl>(editor, "onam")->Text(), std::string("TEMPLATE"));
    EXPECT_NE(KnobOf("TEMPLATE"), nullptr);
}

} // namespace
