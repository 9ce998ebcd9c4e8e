// The worker editor worked like a user: paging, the three texts and their
// limits, text still typed when the editor leaves a worker, the week graph
// and the day editors (hours that change the week re-check the worker's
// orders), deleting, templates, the address-book menu, and an empty list.
#include "editors/WorkoutWindow.h"

#include <gtest/gtest.h>

#include <cmath>

#include "WorkerEditorDriving.h"
#include "app/Globals.h"
#include "app/MenuIconItem.h"
#include "app/Settings.h"
#include "data/Order.h"
#include "data/ProzBalken.h"
#include "data/STOrder.h"
#include "editors/PeopleEntries.h"
#include "kit/interface/CheckBox.h"
#include "kit/interface/Menu.h"
#include "kit/interface/MenuBar.h"
#include "kit/interface/MenuField.h"
#include "kit/interface/MenuItem.h"
#include "kit/interface/StringView.h"

namespace {

// bert Cramer's 40 hours, laid out backward from Monday 2003/01/20, begin
// on Monday 2003/01/13.
const std::string kBertsOrder = PlanOrder("A100", "2003/01/20", 1, {{2, 4000, 1, 5}});

bool same_rgb(rgb_color a, rgb_color b)
{
    return a.red == b.red && a.green == b.green && a.blue == b.blue;
}

class WorkoutWindowTest : public WorkerEditorDriving
{
protected:
    std::string BertsJobBegin()
    {
        STOrder* orders = STOrder::Existing();
        BAutolock lock(orders->Lock());
        const ks_calday& begin = orders->GetOrder(0)->jobs[0]->j_beg;
        return CDay2str(&begin) + " " + TInt2str(begin.hours);
    }
};

TEST_F(WorkoutWindowTest, PagingWrapsAtBothEnds)
{
    Open();
    EXPECT_EQ(Text("wnam"), "Anna Berg");
    struct Step
    {
        const char* button;
        const char* name;
        int32 id;
    };
    const Step steps[] = {{"bwd", "Idle", 3},
                          {"fwd", "Anna Berg", 1},
                          {"fwd", "bert Cramer", 2},
                          {"fwd", "Idle", 3},
                          {"fwd", "Anna Berg", 1}};
    for (const Step& step : steps) {
        ClickView(step.button);
        EXPECT_EQ(Text("wnam"), step.name) << step.button;
        EXPECT_EQ(ShownID(), step.id);
        EXPECT_EQ(Text("wali"), Copy(step.id).alias);
    }
    EXPECT_EQ(STWorker::Existing()->w_shown, 0);
    EXPECT_EQ(WorkoutWindow::w_ptr, 0);
}

TEST_F(WorkoutWindowTest, TypedTextsReachTheRecordAndTheFileWithEnterOrTab)
{
    Open();
    TypeInto("wnam", "Zoe Neu", B_ENTER_KEY);
    TypeInto("wali", "ZN", B_TAB_KEY);
    TypeInto("wkst", "K[77]", B_ENTER_KEY);
    const WorkerCopy anna = Copy(1);
    EXPECT_EQ(anna.name, "Zoe Neu");
    EXPECT_EQ(anna.alias, "ZN");
    // What the record keeps is what the field shows.
    EXPECT_EQ(anna.kost, "K(77)");
    EXPECT_EQ(Text("wkst"), "K(77)");
    EXPECT_GE(Count('WBRO'), 3);

    ASSERT_TRUE(STWorker::Existing()->SaveWorkerList());
    EXPECT_NE(shop.folder.Read("defs/plan.vtw").find("[IT][Zoe Neu][ZN][K(77)][1][0]\n"),
              std::string::npos);
}

TEST_F(WorkoutWindowTest, TextsAreLimitedInTheFieldToWhatTheRecordCarries)
{
    Open();
    const struct
    {
        const char* field;
        size_t max;
    } fields[] = {
        {"wnam", Worker::kNameMax}, {"wali", Worker::kAliasMax}, {"wkst", Worker::kCostCentreMax}};
    std::string accents;
    for (int i = 0; i < 150; i++)
        accents += "é"; // two bytes each: a cut must not split one
    for (const auto& field : fields) {
        TypeInto(field.field, accents);
        EXPECT_EQ(Text(field.field), accents.substr(0, field.max)) << field.field;
    }
    const WorkerCopy anna = Copy(1);
    EXPECT_EQ(anna.name, accents.substr(0, Worker::kNameMax));
    EXPECT_EQ(anna.alias, accents.substr(0, Worker::kAliasMax));
    EXPECT_EQ(anna.kost, accents.substr(0, Worker::kCostCentreMax));

    // Saved and read back whole.
    ASSERT_TRUE(STWorker::Existing()->SaveWorkerList());
    WorkerList reread;
    Printed([&] { STWorker::Existing()->LoadWorker(shop.folder.Path("defs/plan.vtw"), reread); });
    ASSERT_FALSE(reread.empty());
    EXPECT_EQ(reread[0]->w_name, anna.name);
    EXPECT_EQ(reread[0]->w_kost, anna.kost);
}

TEST_F(WorkoutWindowTest, ALongerNameOfAnOlderFileStaysWholeUntilEdited)
{
    const std::string older(200, 'n');
    {
        BAutolock lock(shop.workers->Lock());
        shop.workers->GetWorkerWithID(2)->TakeFileTexts(older, std::nullopt, std::nullopt);
    }
    Open();
    ClickView("fwd");
    EXPECT_EQ(Text("wnam"), older.substr(0, Worker::kNameMax));
    ClickView("fwd");
    Close();
    EXPECT_EQ(Copy(2).name, older);
}

TEST_F(WorkoutWindowTest, AFullFieldRefusesTypingAndCutsAPasteAtItsEnd)
{
    Open();
    TypeInto("wkst", "0123456789", 0);
    driver.PressShortcut(window, 'a');
    driver.PressShortcut(window, 'c');
    const std::string full(Worker::kAliasMax, 'x');
    TypeInto("wali", full, 0);
    driver.PressKey(window, B_HOME_KEY);
    driver.TypeText(window, "y");
    driver.WaitForIdle();
    EXPECT_EQ(Text("wali"), full) << "typing into a full field changes nothing";

    TypeInto("wali", std::string(Worker::kAliasMax - 4, 'x'), 0);
    driver.PressKey(window, B_END_KEY);
    driver.PressShortcut(window, 'v');
    driver.PressKey(window, B_ENTER_KEY);
    Relay();
    const std::string pasted = std::string(Worker::kAliasMax - 4, 'x') + "0123";
    EXPECT_EQ(Text("wali"), pasted);
    EXPECT_EQ(Copy(1).alias, pasted);
}

TEST_F(WorkoutWindowTest, TextStillTypedIsKeptWhenTheEditorLeavesTheWorker)
{
    struct Case
    {
        const char* leaving;
        std::function<void()> leave;
    };
    const Case cases[] = {
        {"paging", [this] { ClickView("fwd"); }},
        {"deactivated",
         [this] {
             BMessage on(B_WINDOW_ACTIVATED);
             on.AddBool("active", true);
             Send(on);
             BMessage off(B_WINDOW_ACTIVATED);
             off.AddBool("active", false);
             Send(off);
         }},
        {"save asked for",
         [this] {
             BMessage apply(kApplyTypedText);
             const BMessage save('S_DA');
             apply.AddMessage("then", &save);
             Send(apply);
             EXPECT_EQ(Codes().back(), uint32('S_DA'));
         }},
        {"closed", [this] { Close(); }},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.leaving);
        Open();
        TypeInto("wnam", std::string("Typed ") + test.leaving, 0);
        TypeInto("wkst", "KST-9", 0);
        test.leave();
        EXPECT_EQ(Copy(1).name, std::string("Typed ") + test.leaving);
        EXPECT_EQ(Copy(1).kost, "KST-9");
        Close();
    }
}

TEST_F(WorkoutWindowTest, ClosingWithSaveOnCloseWritesWhatWasTyped)
{
    prefsdata.fetch_or(VTa_SAVEONCLOSE);
    Open();
    TypeInto("wnam", "Nur getippt", 0);
    Close();
    prefsdata.fetch_and(~VTa_SAVEONCLOSE);
    EXPECT_NE(shop.folder.Read("defs/plan.vtw").find("[IT][Nur getippt][AB]"), std::string::npos);
    EXPECT_EQ(Count('VTWC'), 1);
}

TEST_F(WorkoutWindowTest, TheWeekGraphPicksTheColumnUnderThePointer)
{
    Open();
    const struct
    {
        float column;
        int32 day;
    } clicks[] = {{2.75f, 2}, {2.05f, 2}, {0.0f, 0}, {3.5f, 3}, {6.99f, 6}};
    for (const auto& click : clicks) {
        ClickDay(click.column);
        BAutolock lock(window);
        EXPECT_EQ(window->SelectedDay(), click.day) << click.column;
        EXPECT_FALSE(Find("tioA")->IsHidden());
    }
    {
        BAutolock lock(window);
        WeekView* graph = Find<WeekView>("weekv");
        EXPECT_EQ(graph->ColumnAt(graph->Bounds().right + 40), 6);
        EXPECT_EQ(graph->ColumnAt(-3), 0);
    }
    // Monday works 7:00 to 15:45: filled at 10:00, not at 3:00 or 17:00.
    BPoint at10, at3, at17;
    {
        BAutolock lock(window);
        WeekView* graph = Find<WeekView>("weekv");
        auto point = [&](float hour) {
            return window->ConvertFromScreen(
                graph->ConvertToScreen(BPoint(std::floor(0.5f * graph->ColumnWidth()),
                                              std::floor(hour * graph->RowHeight()) + 1)));
        };
        at10 = point(10);
        at3 = point(3);
        at17 = point(17);
    }
    EXPECT_TRUE(same_rgb(driver.Pixel(window, at10), AskColor(uc_PBo)));
    EXPECT_TRUE(same_rgb(driver.Pixel(window, at3), AskColor(uc_OPE)));
    EXPECT_TRUE(same_rgb(driver.Pixel(window, at17), AskColor(uc_OPE)));

    ClickDay(2.75f);
    EXPECT_EQ(Text("tioA"), "7:00");
    EXPECT_EQ(Text("tioB"), "8:00");
    EXPECT_EQ(Text("tioC"), "0:45");
    ClickDay(5.5f);
    EXPECT_EQ(Text("tioB"), "0:00");
}

TEST_F(WorkoutWindowTest, HoursThatChangeTheWeekRecheckTheWorkersOrders)
{
    Open(kBertsOrder);
    ClickView("fwd");
    ASSERT_EQ(ShownID(), 2);
    const std::string before = BertsJobBegin();
    ClickDay(2.5f); // Wednesday
    ClearPosts();

    TypeIntoDay("tioB", "4:00");
    WorkerCopy bert = Copy(2);
    EXPECT_EQ(bert.week.day[2].worktime, 400);
    EXPECT_EQ(bert.week.day[2].end, 1145);
    EXPECT_EQ(bert.hours, 3600);
    EXPECT_EQ(Count('WBRA'), 1);
    EXPECT_NE(BertsJobBegin(), before) << "four hours more to find before the plan date";
    EXPECT_EQ(before.substr(0, 10), "2003/01/13");
    EXPECT_EQ(std::string(Find<BStringView>("stds")->Text()), "Workingweek: 36:00");

    // The begin moves the day but not its hours: nothing is re-checked.
    ClearPosts();
    const std::string moved = BertsJobBegin();
    TypeIntoDay("tioA", "8:00");
    bert = Copy(2);
    EXPECT_EQ(bert.week.day[2].begin, 800);
    EXPECT_EQ(bert.week.day[2].end, 1245);
    EXPECT_EQ(Count('WBRA'), 0);
    EXPECT_EQ(Count('WBRO'), 0) << "no order was checked";
    EXPECT_EQ(BertsJobBegin(), moved);

    // Other workers' days stay as they were.
    EXPECT_EQ(Copy(1).week.day[2].worktime, 800);
}

TEST_F(WorkoutWindowTest, DayTimesThatCannotBeAreRefusedAndTheOldValueStays)
{
    Open();
    ClickDay(0.5f);
    const struct
    {
        const char* editor;
        const char* typed;
        const char* alert;
    } refused[] = {{"tioA", "20:00", "after 24:00"},
                   {"tioB", "17:00", "after 24:00"},
                   {"tioC", "-1:00", "negative"}};
    for (const auto& test : refused) {
        driver.ClearAlerts();
        TypeIntoDay(test.editor, test.typed);
        ASSERT_TRUE(driver.WaitForAlert()) << test.typed;
        EXPECT_NE(LastAlert().find(test.alert), std::string::npos) << LastAlert();
        AnswerAlert();
        const daymark monday = Copy(1).week.day[0];
        EXPECT_EQ(monday.begin, 700);
        EXPECT_EQ(monday.worktime, 800);
        EXPECT_EQ(monday.pause, 45);
        EXPECT_EQ(monday.end, 1545);
    }
    EXPECT_EQ(Text("tioA"), "7:00");
    EXPECT_EQ(Text("tioB"), "8:00");

    // Ending exactly at midnight is a day; minutes past 59 carry.
    TypeIntoDay("tioA", "15:15");
    EXPECT_EQ(Copy(1).week.day[0].end, 2400);
    TypeIntoDay("tioA", "6:75");
    EXPECT_EQ(Copy(1).week.day[0].begin, 715);
    EXPECT_EQ(Text("tioA"), "7:15");
}

TEST_F(WorkoutWindowTest, ADayEditorLeftOpenIsAppliedOnClose)
{
    Open();
    ClickDay(4.5f); // Friday
    TypeIntoDay("tioA", "6:30", false);
    Close();
    EXPECT_EQ(Copy(1).week.day[4].begin, 630);
    EXPECT_EQ(Copy(1).week.day[4].end, 1515);
}

TEST_F(WorkoutWindowTest, DeletingRefusesWorkersWithJobsAndTheLastWorker)
{
    Open(kBertsOrder);
    ClickView("fwd"); // bert, who has a job
    Send(BMessage('WDel'));
    ASSERT_TRUE(driver.WaitForAlert());
    EXPECT_EQ(LastAlert(), "Don't delete Worker with open Jobs!");
    AnswerAlert();
    EXPECT_EQ(STWorker::Existing()->GetWMax(), 2);

    Printed([&] {
        ClickView("fwd"); // Idle
        Send(BMessage('WDel'));
        Send(BMessage('WUI-')); // Anna
        Send(BMessage('WDel'));
    });
    EXPECT_EQ(STWorker::Existing()->GetWMax(), 0);
    EXPECT_EQ(ShownID(), 2);
    EXPECT_EQ(Text("wnam"), "bert Cramer");

    STOrder::Existing()->DeleteMe(); // his job goes with the orders
    driver.ClearAlerts();
    Send(BMessage('WDel'));
    ASSERT_TRUE(driver.WaitForAlert());
    EXPECT_EQ(LastAlert(), "Don't delete LAST Worker! ");
    AnswerAlert();
    EXPECT_EQ(STWorker::Existing()->GetWMax(), 0);
}

TEST_F(WorkoutWindowTest, TemplatesAreSavedAndUsed)
{
    Open();
    ClickDay(5.5f); // Saturday, 4 hours for the template
    TypeIntoDay("tioB", "4:00");
    BMessage name('WNA_');
    name.AddString("fname:", "Schicht");
    Send(name);
    const std::string saved = shop.folder.Read("templates/Schicht.wtp");
    EXPECT_NE(saved.find("[IT][Template][XXXX][XXXX][0][0]\n"), std::string::npos);
    EXPECT_NE(saved.find("[WD][Sa][7:00][4:00][0:45]"), std::string::npos);
    {
        BAutolock lock(window);
        BMenu* menu = Find<BMenuField>("xMenu")->Menu();
        BMenu* templates = menu->SubmenuAt(2);
        ASSERT_NE(templates, nullptr);
        ASSERT_EQ(templates->CountItems(), 1);
        EXPECT_STREQ(templates->ItemAt(0)->Label(), "Schicht");
    }

    // Used: the application makes the worker, which the editor then shows.
    BMessage use('W+TF');
    use.AddString("fname", "Schicht");
    Printed([&] { STWorker::Existing()->AddWorkerTemplate(&use); });
    Relay();
    EXPECT_EQ(Text("wnam"), "Template");
    EXPECT_EQ(Copy(ShownID()).week.day[5].worktime, 400);
    EXPECT_EQ(Copy(ShownID()).hours, 4400);

    BMessage refused('WNA_');
    refused.AddString("fname:", "../elsewhere");
    Send(refused);
    ASSERT_TRUE(driver.WaitForAlert());
    AnswerAlert();
    EXPECT_FALSE(shop.folder.Exists("elsewhere.wtp"));
}

TEST_F(WorkoutWindowTest, AddressBookEntriesBecomeMenuItemsAndNames)
{
    std::vector<PeopleEntry> book = {
        {"Dora Hahn", "dora@hahn.example", "Werkstatt", std::vector<uint8>(1024, 200)},
        {"Emil Rau", "", "Lab", {}},
        {"", "nobody@example", "x", {}},
        {"Anna Berg", "AB", "Büro-Team", {}},
    };
    SetAddressBookSource([&] { return book; });
    Open();
    SetAddressBookSource(nullptr);
    std::vector<BMessage> items;
    {
        BAutolock lock(window);
        BMenu* people = Find<BMenuBar>("pMenu")->SubmenuAt(0);
        ASSERT_EQ(people->CountItems(), 3);
        EXPECT_STREQ(people->ItemAt(0)->Label(), "     Dora Hahn");
        EXPECT_TRUE(dynamic_cast<MenuIconItem*>(people->ItemAt(0))->HasIcon());
        EXPECT_FALSE(dynamic_cast<MenuIconItem*>(people->ItemAt(1))->HasIcon());
        for (int32 i = 0; i < people->CountItems(); i++)
            items.push_back(*people->ItemAt(i)->Message());
    }
    EXPECT_STREQ(items[1].GetString("mail"), "-no mail-");

    // Someone already in the list is not taken twice.
    Send(items[2]);
    ASSERT_TRUE(driver.WaitForAlert());
    EXPECT_EQ(LastAlert(), "Anna Berg \nAB \n\n\t..is always in Workouter-List !");
    AnswerAlert();
    EXPECT_EQ(Copy(1).kost, "-");

    Send(items[0]);
    WorkerCopy anna = Copy(1);
    EXPECT_EQ(anna.name, "Dora Hahn");
    EXPECT_EQ(anna.alias, "dora@hahn.example");
    EXPECT_EQ(anna.kost, "Werkstatt");
    EXPECT_EQ(Text("wnam"), "Dora Hahn");
    EXPECT_EQ(Text("wkst"), "Werkstatt");
    EXPECT_STREQ(posts.Messages().back().GetString("informer"), "SetFromPeople");

    // A group of four characters or fewer leaves the cost centre alone.
    Send(items[1]);
    anna = Copy(1);
    EXPECT_EQ(anna.name, "Emil Rau");
    EXPECT_EQ(anna.alias, "-no mail-");
    EXPECT_EQ(anna.kost, "Werkstatt");
}

TEST_F(WorkoutWindowTest, MultiUseMarkFollowsTheCheckBox)
{
    Open();
    ClickView("fwd");
    ClearPosts();
    ClickView("onui");
    EXPECT_EQ(Copy(2).multiuse, 1);
    ASSERT_EQ(Count('WBRO'), 1);
    EXPECT_EQ(posts.Messages().back().GetInt32("xworker", -1), 1);
    ClickView("onui");
    EXPECT_EQ(Copy(2).multiuse, 0);
}

class EmptyWorkerListTest : public testing::Test
{
protected:
    ProgramFolder folder;
    AppPostRecorder posts;
    HeadlessDriver driver;
};

TEST_F(EmptyWorkerListTest, ShowsAnEmptyDisabledEditor)
{
    driver.ClearAlerts();
    DEFS_WKO_IO = "noname";
    DEFS_ORD_IO = "noname";
    WorkoutWindow* window = nullptr;
    Printed([&] {
        WorkoutWindow::w_ptr = 5;
        window = new WorkoutWindow();
        driver.WaitForIdle();
    });
    ASSERT_EQ(STWorker::Existing()->GetWMax(), -1);
    for (uint32 what : {'WUI+', 'WUI-', 'WUIz', 'WDel', 'WO_N', 'WO_L', 'DAYs', 'L4PE'}) {
        BMessage message(what);
        message.AddInt32("daytime", 2);
        Printed([&] {
            window->PostMessage(&message);
            driver.WaitForIdle();
        });
    }
    BMessage day('DAYT');
    day.AddInt32("daytime", 2);
    window->PostMessage(&day);
    driver.WaitForIdle();
    {
        BAutolock lock(window);
        EXPECT_EQ(window->ShownIndex(), WorkoutWindow::kNone);
        EXPECT_EQ(window->SelectedDay(), WorkoutWindow::kNone);
        EXPECT_EQ(WorkoutWindow::w_ptr, 0);
        auto* name = dynamic_cast<BTextControl*>(window->FindView("wnam"));
        EXPECT_FALSE(name->IsEnabled());
        EXPECT_STREQ(name->Text(), "");
        EXPECT_FALSE(dynamic_cast<BCheckBox*>(window->FindView("onui"))->IsEnabled());
        EXPECT_TRUE(window->FindView("tioA")->IsHidden());
    }
    EXPECT_TRUE(driver.Alerts().empty()) << driver.Alerts().front().text;
    Printed([&] {
        window->Lock();
        window->Quit();
        driver.WaitForIdle();
        STWorker::Existing()->DeleteMe();
    });
    DEFS_WKO_IO.clear();
    DEFS_ORD_IO.clear();
}

} // namespace
