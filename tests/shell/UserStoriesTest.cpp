// What a planner does with the program, each story in a program folder of
// its own, worked through menus, keys and clicks and checked in the windows
// and in the files. The clock stands on Monday 2002/12/09.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "RunningProgram.h"
#include "app/STLabel.h"
#include "calendar/CalDay.h"
#include "data/Order.h"
#include "data/ProzBalken.h"
#include "data/Worker.h"
#include "editors/WeekView.h"
#include "kit/app/Beep.h"
#include "kit/display/TestWindow.h"
#include "kit/interface/ListView.h"
#include "kit/interface/StringView.h"
#include "planner/CalMapping.h"
#include "planner/MoverView.h"
#include "planner/Oknopf.h"
#include "planner/ProzView.h"
#include "planner/WBalken.h"
#include "scheduling/Plans.h"
#include "support/FileContents.h"
#include "widgets/CalCard.h"
#include "widgets/DayCell.h"
#include "widgets/MonView.h"
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

    // Anna (worker 1 of plan.vtw) with a job ending on Friday 2002/12/20
    // and Bert (2) with one on Tuesday 2002/12/24, then the project open.
    void OpenDecember()
    {
        ShipPlan();
        program.folder.Write("defs/plan.vto",
                             PlanOrder("Dec-20", "2002/12/21", 1, {{1, 800, 1, 3}}) +
                                 PlanOrder("Dec-24", "2002/12/25", 1, {{2, 800, 1, 3}}) + "; ---");
        program.Start();
        program.ChooseIn(&CalenderWin::OpenMenu, "plan");
        ASSERT_TRUE(WaitUntil([&] { return program.OrderEditor() != nullptr; }));
        program.Idle();
    }

    // The pixel in the middle of a day of December 2002 on a bar.
    rgb_color BarPixel(int32 row, int32 december)
    {
        const BPoint where = program.Locked(program.Main(), [&] {
            WBalken* bar = Calendar()->BarAt(row);
            const float x =
                DayLeft(december - 1, Calendar()->PixelsPerDay()) + Calendar()->PixelsPerDay() / 2;
            return program.Main()->ConvertFromScreen(bar->ConvertToScreen(BPoint(x, 15)));
        });
        return program.driver.Pixel(program.Main(), where);
    }

    // Picks a day of December 2002 in a card's day field.
    void PickDay(BWindow* card, const char* field, int32 day)
    {
        program.driver.Click(card, middle_of(program.ViewIn(card, field)));
        program.Idle();
        CalCard* picker = CalCard::cc_Zgr.load();
        ASSERT_NE(picker, nullptr) << field;
        // Cells 16.. are the days of December 2002 in the picker's grid.
        program.driver.Click(picker, middle_of(picker->Grid()->Cell(15 + day)));
        program.driver.Click(picker, middle_of(picker->Grid()->Cell(MonView::kOkCell)));
        program.Idle();
    }

    void ClickIn(BWindow* window, const char* name)
    {
        BView* view = program.ViewIn(window, name);
        ASSERT_NE(view, nullptr) << name;
        program.driver.Click(window, middle_of(view));
        program.Idle();
    }

    std::vector<std::string> AlertTexts()
    {
        std::vector<std::string> texts;
        for (const AlertRecord& alert : program.driver.Alerts())
            texts.push_back(alert.text);
        return texts;
    }

    RunningProgram program;
};

TEST_F(UserStory, AFirstStartMakesTheFoldersAndOffersNoProject)
{
    std::filesystem::remove_all(program.folder.Path("defs"));
    std::filesystem::remove_all(program.folder.Path("templates"));
    // As in a fresh process: the label table is read (and the folders
    // made) on the program's first start.
    STLabel::DeleteMe();
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

TEST_F(UserStory, AChangedWorkingDayMovesTheKnobsAndIsSaved)
{
    OpenPlan();
    WorkoutWindow* editor = program.WorkerEditor();
    ASSERT_NE(editor, nullptr);
    const std::vector<std::string> before = Knobs();
    // Anna's Wednesday: 8:00 become 2:00.
    WeekView* week = program.ViewIn<WeekView>(editor, "weekv");
    const BPoint wednesday = program.Locked(editor, [&] {
        return editor->ConvertFromScreen(
            week->ConvertToScreen(BPoint(2.5f * week->ColumnWidth(), 20)));
    });
    program.driver.Click(editor, wednesday);
    program.Idle();
    program.TypeInto(editor, program.ViewIn(editor, "tioB"), "2:00");
    program.Idle();
    EXPECT_NE(Knobs(), before);
    ExpectKnobsOnTheirDays();
    program.Shortcut('s');
    EXPECT_NE(program.folder.Read("defs/plan.vtw").find("[WD][Mi][7:00][2:00][0:45]"),
              std::string::npos);
}

TEST_F(UserStory, OffDaysFromTheCardShowOnTheBarAndMoveTheJobs)
{
    OpenDecember();
    const std::vector<std::string> before = Knobs();
    const rgb_color monday = BarPixel(0, 16);
    program.Choose('CURL');
    ConfigCard* card = ConfigCard::cc_Zgr;
    ASSERT_NE(card, nullptr);
    // The card shows Anna, whom the worker editor shows.
    PickDay(card, "dayfrom", 16);
    PickDay(card, "dayto", 20);
    ClickIn(card, "adddays");
    program.Idle();
    ClickIn(card, "close");
    EXPECT_NE(Knobs(), before) << "Anna's job left her off-days";
    ExpectKnobsOnTheirDays();
    EXPECT_FALSE(same_rgb(BarPixel(0, 16), monday));
    program.Shortcut('s');
    const std::string workers = program.folder.Read("defs/plan.vtw");
    for (const char* day : {"[2002/12/16]", "[2002/12/20]"})
        EXPECT_NE(workers.find(day), std::string::npos) << day;
}

TEST_F(UserStory, HolidaysFromTheCardOnceEnabledInThePreferences)
{
    OpenDecember();
    EXPECT_FALSE(program.ItemEnabled('Hchg'));
    program.Choose('PREF');
    ConfigCard* prefs = ConfigCard::cc_Zgr;
    ASSERT_NE(prefs, nullptr);
    ClickIn(prefs, "S_09");
    ClickIn(prefs, "ok_v");
    ASSERT_TRUE(WaitUntil([] { return ConfigCard::cc_Zgr.load() == nullptr; }));
    program.Idle();
    EXPECT_TRUE(program.ItemEnabled('Hchg'));

    const std::vector<std::string> before = Knobs();
    program.Choose('Hchg');
    ConfigCard* card = ConfigCard::cc_Zgr;
    ASSERT_NE(card, nullptr);
    PickDay(card, "hdate", 25);
    program.TypeInto(card, program.ViewIn(card, "dname"), "Works outing");
    ClickIn(card, "addday");
    program.Idle();
    EXPECT_NE(program.folder.Read("defs/holiday.vth").find("[HD][2002/12/25][Works outing]"),
              std::string::npos);
    EXPECT_NE(Knobs(), before) << "Bert's job left the holiday";
    ExpectKnobsOnTheirDays();
}

TEST_F(UserStory, RefusalsKeepTheDataAndCloseAsksFirst)
{
    OpenPlan();
    OrderWindow* orders = program.OrderEditor();
    for (int i = 0; i < 3; i++) {
        program.Choose('ODel', orders);
        program.Idle();
    }
    EXPECT_EQ(STOrder::Existing()->GetOMax(), 0) << "the last order stays";
    EXPECT_EQ(AlertTexts().back(), "Don't delete LAST Order! ");
    program.driver.AnswerAlert(0);
    program.Idle();

    // The worker editor shows Anna, who has an open job left.
    WorkoutWindow* workers = program.WorkerEditor();
    const int32 count = STWorker::Existing()->GetWMax();
    ClickIn(workers, "delb");
    ASSERT_TRUE(program.driver.WaitForAlert());
    EXPECT_EQ(AlertTexts().back(), "Don't delete Worker with open Jobs!");
    program.driver.AnswerAlert(0);
    program.Idle();
    EXPECT_EQ(STWorker::Existing()->GetWMax(), count);

    // Close asks about the deleted orders; Cancel keeps them deleted and open.
    program.driver.ClearAlerts();
    program.Shortcut('c');
    ASSERT_TRUE(program.driver.WaitForAlert());
    EXPECT_EQ(program.driver.Alerts().back().title, "Unsaved changes");
    program.driver.AnswerAlert(2);
    program.Idle();
    ASSERT_NE(STOrder::Existing(), nullptr);
    EXPECT_EQ(STOrder::Existing()->GetOMax(), 0);
    EXPECT_EQ(program.folder.Read("defs/plan.vto"), GoldenFile("data", "plan.vto"));
    EXPECT_NE(program.OrderEditor(), nullptr);
}

TEST_F(UserStory, TheReportAndTheSnapshotAreWrittenAndShown)
{
    OpenPlan();
    ClickIn(program.Main(), "c2d");
    const std::string snapshot = program.folder.Read("defs/vtsnap.jpg");
    ASSERT_GT(snapshot.size(), 1000u);
    EXPECT_EQ(snapshot.substr(0, 2), "\xFF\xD8");

    // Ctrl+H shows the report's settings; their last button writes and
    // shows it.
    program.Shortcut('h');
    ASSERT_NE(ConfigCard::cc_Zgr.load(), nullptr);
    ClickIn(ConfigCard::cc_Zgr, "hopen");
    const std::string page = program.folder.Read("defs/userdefout.html");
    EXPECT_NE(page.find("A-00017"), std::string::npos);
    const auto launches = program.Launches();
    ASSERT_FALSE(launches.empty());
    EXPECT_EQ(launches.back(),
              (std::vector<std::string>{"xdg-open", program.folder.Path("defs/userdefout.html")}));
}

} // namespace
