// The main window: its menus and what they send, enabling by the state of
// the project, display modes, scrolling, resizing, cards, snapshots and
// closing.
#include "MainWindowFixture.h"

#include <algorithm>
#include <cstdlib>

#include "app/Paths.h"
#include "app/STLabel.h"
#include "kit/app/Autolock.h"
#include "kit/interface/InterfaceDefs.h"
#include "kit/interface/ScrollBar.h"
#include "kit/interface/StringView.h"
#include "kit/print/PrintDialog.h"
#include "kit/print/PrintJob.h"
#include "kit/storage/SafeFile.h"
#include "planner/CalBack.h"
#include "planner/Oknopf.h"
#include "planner/WBalken.h"
#include "support/FileContents.h"
#include "widgets/ConfigCard.h"
#include "widgets/XButton.h"
#include "widgets/clView.h"

namespace {

BPoint Center(BRect r)
{
    return BPoint(std::floor((r.left + r.right) / 2), std::floor((r.top + r.bottom) / 2));
}

// A view's bounds in its window's coordinates.
BRect InWindow(MainWindow& w, BView* view)
{
    return w.Locked([&] {
        BRect frame = view->ConvertToScreen(view->Bounds());
        frame.OffsetBy(-w.win->Frame().left, -w.win->Frame().top);
        return frame;
    });
}

// Clicks a view of the window in its middle.
void ClickView(MainWindow& w, BView* view)
{
    const BRect frame = InWindow(w, view);
    w.driver.Click(w.win, Center(frame));
    w.driver.WaitForIdle();
}

std::string Knobs(MainWindow& w)
{
    return w.Locked([&] {
        std::string text;
        CalView* cal = w.win->Calendar();
        for (int32 i = 0; i < cal->CountBars(); i++) {
            for (Oknopf* knob : cal->BarAt(i)->Knobs()) {
                const BRect f = knob->Frame();
                text += std::to_string(int(f.left)) + ".." + std::to_string(int(f.right)) + " ";
            }
        }
        return text;
    });
}

void CloseCard()
{
    ConfigCard::DeleteMe();
    HeadlessDriver().WaitForIdle();
}

} // namespace

// MARK: Menus

TEST(CalenderWin, MenusFollowTheLabelTableWithTheirShortcuts)
{
    MainWindow w;
    std::vector<std::string> titles;
    w.Locked([&] {
        for (int32 i = 0; i < w.win->MainMenu()->CountItems(); i++)
            titles.push_back(w.win->MainMenu()->ItemAt(i)->LabelText());
    });
    EXPECT_EQ(titles, (std::vector<std::string>{"File", "General View", "Worker", "Order",
                                                "Holidays", "Optimize "}));
    EXPECT_EQ(w.win->Title(), std::string("Vantrel: plan"));

    BMenu* file = w.Locked([&] { return w.win->MainMenu()->SubmenuAt(0); });
    EXPECT_EQ(w.Labels(file),
              (std::vector<std::string>{"Open", "--", "Save", "Save as", "Close", "--", "New", "--",
                                        "About...", "Preferences", "--", "Quit"}));
    const struct
    {
        uint32 code;
        const char* label;
        char shortcut;
    } items[] = {
        {'S_DA', "Save", 'S'},
        {'S_AS', "Save as", 0},
        {'X_OW', "Close", 'C'},
        {'NewN', "New", 'N'},
        {B_QUIT_REQUESTED, "Quit", 'Q'},
        {'WADD', "Add Worker", 0},
        {'CURL', "Off-Days", 0},
        {'CILL', "Days of illness", 0},
        {'OADD', "Add Order", 0},
        {'OsDD', "sort Deadline", 'd'},
        {'OsPD', "sort Targetdate", 'p'},
        {'OPRH', "Show as HTML", 'h'},
        {'Hchg', "Edit", 0},
        {'Hsav', "Save ", 0},
        {'Hrel', "Reload", 0},
        {'FPDL', "Fix this Targetday (why?)", 0},
        {'RPDL', "[F5] Undo", 0},
        {'OPTO', "[F1] move 1 Day left", 0},
        {'OPTE', "[F2] check the best..", 0},
        {'OPTD', "[F3] include long distanz jobs", 0},
        {'OPTC', "[F4] rock to previus jobs", 0},
        {'W+TE', "rescan WorkerTempl.", 0},
        {'O+TE', "rescan OrderTempl.", 0},
    };
    for (const auto& item : items) {
        BMenuItem* found = w.ItemFor(item.code);
        ASSERT_NE(found, nullptr) << item.label;
        w.Locked([&] {
            EXPECT_EQ(found->LabelText(), item.label);
            EXPECT_EQ(found->Shortcut(), item.shortcut) << item.label;
        });
    }
}

TEST(CalenderWin, OpenListsProjectNamesAndSendsExactlyThatName)
{
    MainWindow w(false);
    EXPECT_EQ(w.win->Title(), std::string("Vantrel"));
    for (const char* file :
         {"defs/b.vto", "defs/A.vto", "defs/c.vtw", "defs/x.xml", "defs/my.plan.vto", "defs/.vto"})
        w.shop.folder.Write(file, "; ---");
    w.Send(BMessage('VICU')); // rescans, as after closing a project
    EXPECT_EQ(w.Labels(w.win->OpenMenu()), (std::vector<std::string>{"A", "b", "my.plan", "plan"}));

    // Choose "my.plan" through the menus as a user would.
    const BRect title = w.Locked([&] { return w.win->MainMenu()->ItemAt(0)->Frame(); });
    w.driver.Click(w.win, Center(title));
    w.driver.WaitForIdle();
    BMenu* file = w.Locked([&] { return w.win->MainMenu()->SubmenuAt(0); });
    w.driver.Click(file->Window(), Center(file->FindItem("Open")->Frame()));
    w.driver.WaitForIdle();
    BMenu* open = w.win->OpenMenu();
    ASSERT_NE(open->Window(), nullptr);
    w.driver.Click(open->Window(), Center(open->FindItem("my.plan")->Frame()));
    w.driver.WaitForIdle();
    const std::vector<BMessage> posted = w.posts.Messages();
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].what, uint32('OPEN'));
    EXPECT_STREQ(posted[0].GetString("open", ""), "my.plan");
}

TEST(CalenderWin, MenusAndButtonsFollowTheProjectState)
{
    MainWindow w(false);
    w.shop.folder.Write("templates/Lathe.otp", "; ---");
    w.shop.folder.Write("templates/Smith.wtp", "; ---");
    const uint32 projectItems[] = {'S_DA', 'S_AS', 'X_OW', 'WADD', 'CURL', 'CILL', 'OADD', 'OsDD',
                                   'OsPD', 'RPDL', 'OPTO', 'OPTE', 'OPTD', 'OPTC', 'OPRH'};
    const uint32 alwaysItems[] = {'NewN', 'PREF', '_ABR', 'FPDL', B_QUIT_REQUESTED};
    auto check = [&](bool open, const char* when) {
        for (uint32 code : projectItems)
            EXPECT_EQ(w.Enabled(code), open) << long2asc(code) << " " << when;
        for (uint32 code : alwaysItems)
            EXPECT_TRUE(w.Enabled(code)) << long2asc(code) << " " << when;
        w.Locked([&] {
            EXPECT_EQ(w.win->OpenMenu()->IsEnabled(), !open) << when;
            EXPECT_EQ(w.win->OpenMenu()->Superitem()->IsEnabled(), !open) << when;
            EXPECT_EQ(w.win->WorkerTemplateMenu()->IsEnabled(), open) << when;
            for (const char* name : {"c2w", "c2o", "cprn"})
                EXPECT_EQ(w.win->Button(name)->IsEnabled(), open) << name << " " << when;
            EXPECT_TRUE(w.win->Button("c2d")->IsEnabled()) << when;
        });
    };
    check(false, "at start");
    EXPECT_EQ(w.Labels(w.win->OrderTemplateMenu()),
              (std::vector<std::string>{"rescan OrderTempl.", "--"}));

    Printed([&] { w.list = STOrder::getSTOrder(); });
    ord_exist = 1;
    DEFS_ORD_IO = "plan";
    Printed([&] {
        w.Send(BMessage('WB_A'));
        w.Send(BMessage('Oyes'));
    });
    check(true, "with a project");
    EXPECT_EQ(w.Labels(w.win->OrderTemplateMenu()),
              (std::vector<std::string>{"rescan OrderTempl.", "--", "Lathe"}));
    EXPECT_EQ(w.Labels(w.win->WorkerTemplateMenu()),
              (std::vector<std::string>{"rescan WorkerTempl.", "--", "Smith"}));
    EXPECT_EQ(w.Bars(), 3);

    // The list goes: its knobs go with it.
    ord_exist = 0;
    Printed([&] { w.Send(BMessage('O_no')); });
    check(false, "after the list went");
    EXPECT_EQ(w.Bars(), 0);
}

TEST(CalenderWin, HolidayItemsFollowTheOption)
{
    for (const bool holidays : {false, true}) {
        MainWindow w;
        if (holidays)
            prefsdata.fetch_or(VTa_USE_HOLIDAY);
        else
            prefsdata.fetch_and(~VTa_USE_HOLIDAY);
        w.Send(BMessage('Hrog'));
        for (uint32 code : {'Hchg', 'Hsav', 'Hrel'})
            EXPECT_EQ(w.Enabled(code), holidays) << long2asc(code);
        Printed([&] { w.Send(BMessage('1235')); });
        EXPECT_EQ(w.Enabled('Hedi'), holidays);
    }
}

// MARK: What the window sends

TEST(CalenderWin, CommandsGoToTheApplicationUnchanged)
{
    MainWindow w;
    const uint32 forwarded[] = {'OsPD', 'OsDD', 'OsRE', 'WsRE', 'S_DA', 'WADD', 'W+TF', 'O+TF',
                                'OADD', 'WUIx', '_ABR', 'FPDL', 'RPDL', 'SPDL', 'OPTA', 'OPTB',
                                'OPTC', 'OPTD', 'OPTE', 'OPTO', 'OPEN', 'OPRL', 'Hsav', 'Hrel',
                                'Hedi', '8888', 'X_OW', 'NewN', 'S_AS', 'VTWO', 'VTOO', 'ODEF'};
    for (uint32 code : forwarded) {
        w.posts.Clear();
        BMessage message(code);
        message.AddString("fname", "Lathe");
        Printed([&] { w.Send(message); });
        const std::vector<BMessage> posted = w.posts.Messages();
        ASSERT_EQ(posted.size(), 1u) << long2asc(code);
        EXPECT_EQ(posted[0].what, code);
        const bool bare = code == 'VTWO' || code == 'VTOO' || code == 'ODEF';
        EXPECT_EQ(posted[0].HasString("fname"), !bare) << long2asc(code);
    }
    // Closing and New leave the bars to the application's answer.
    EXPECT_EQ(w.Bars(), 3);
    w.posts.Clear();
    EXPECT_EQ(Printed([&] { w.Send(BMessage('ABCD')); }), "CalenderWin?? 'ABCD'\n");
    EXPECT_TRUE(w.Codes().empty());
}

TEST(CalenderWin, ShortcutsKeysAndButtonsSendTheirCommands)
{
    MainWindow w;
    const struct
    {
        char key;
        uint32 code;
    } shortcuts[] = {{'s', 'S_DA'}, {'c', 'X_OW'}, {'n', 'NewN'}, {'d', 'OsDD'}, {'p', 'OsPD'}};
    for (const auto& shortcut : shortcuts) {
        w.posts.Clear();
        w.driver.PressShortcut(w.win, shortcut.key);
        w.driver.WaitForIdle();
        EXPECT_EQ(w.Codes(), std::vector<uint32>{shortcut.code}) << shortcut.key;
    }
    const struct
    {
        int32 key;
        uint32 code;
    } keys[] = {{B_F1_KEY, 'OPTO'}, {B_F2_KEY, 'OPTE'}, {B_F3_KEY, 'OPTD'},
                {B_F4_KEY, 'OPTC'}, {B_F5_KEY, 'RPDL'}, {B_F12_KEY, '1235'}};
    for (const auto& key : keys) {
        w.posts.Clear();
        w.driver.PressKey(w.win, key.key);
        w.driver.WaitForIdle();
        EXPECT_EQ(w.Codes(), std::vector<uint32>{key.code}) << key.key;
    }
    const struct
    {
        const char* name;
        uint32 code;
    } buttons[] = {{"c2w", 'VTWO'}, {"c2o", 'VTOO'}, {"cprn", '_PRW'}, {"c2d", 'MIMG'}};
    for (const auto& button : buttons) {
        w.posts.Clear();
        ClickView(w, w.win->Button(button.name));
        EXPECT_EQ(w.Codes(), std::vector<uint32>{button.code}) << button.name;
    }
}

TEST(CalenderWin, WithoutAProjectItsShortcutsSendNothing)
{
    MainWindow w(false);
    for (char key : {'s', 'c', 'd', 'p'})
        w.driver.PressShortcut(w.win, key);
    w.driver.WaitForIdle();
    EXPECT_TRUE(w.Codes().empty());
}

// MARK: Display modes

TEST(CalenderWin, TogglesLightOneAndRebuildOnlyOnAChange)
{
    const int32 lit[] = {0, 1, 2, 2};
    for (int32 mode = 0; mode < 4; mode++) {
        MainWindow w(false, mode);
        w.Locked([&] {
            for (int32 i = 0; i < 3; i++)
                EXPECT_EQ(w.win->Toggle(i)->SpotStat(), i == lit[mode]) << mode;
        });
    }

    MainWindow w;
    WBalken* first = w.Locked([&] { return w.win->Calendar()->BarAt(0); });
    ClickView(w, w.win->Toggle(1)); // the lit one: nothing is rebuilt
    EXPECT_EQ(w.Locked([&] { return w.win->Calendar()->BarAt(0); }), first);

    ClickView(w, w.win->Toggle(2));
    EXPECT_EQ(DaStMode.load(), DSM_ORBA);
    EXPECT_EQ(w.Bars(), 10) << "one bar per order";
    ClickView(w, w.win->Toggle(0));
    EXPECT_EQ(DaStMode.load(), DSM_ROW);
    EXPECT_EQ(w.Bars(), 3);
    w.Locked([&] {
        EXPECT_TRUE(w.win->Toggle(0)->SpotStat());
        EXPECT_FALSE(w.win->Toggle(1)->SpotStat());
        EXPECT_FALSE(w.win->Toggle(2)->SpotStat());
        EXPECT_EQ(w.win->Calendar()->DisplayMode(), DSM_ROW);
    });
    w.Send(BMessage('EMOD'));
    EXPECT_EQ(DaStMode.load(), DSM_EARLIEST);
    w.Locked([&] { EXPECT_TRUE(w.win->Toggle(2)->SpotStat()); });
}

TEST(CalenderWin, WithoutOrdersAModeChangeBuildsNoBars)
{
    MainWindow w(false);
    ClickView(w, w.win->Toggle(2));
    EXPECT_EQ(DaStMode.load(), DSM_ORBA);
    EXPECT_EQ(w.Bars(), 0);
}

// MARK: Scrolling and resizing

TEST(CalenderWin, ScrollRangeFitsTheBarsAndTheWheelScrollsEightyPixels)
{
    MainWindow w(true, DSM_ORBA, BRect(100, 100, 799, 300));
    float visible = w.Locked([&] { return w.win->Calendar()->Background()->Bounds().Height(); });
    ASSERT_LT(visible, 190);
    float min = -1, max = -1;
    w.Locked([&] { w.win->ScrollBar()->GetRange(&min, &max); });
    EXPECT_EQ(min, 0);
    EXPECT_EQ(max, 190 - visible) << "ten bars of 19 pixels";

    // The wheel over the calendar goes by the application back here.
    const BPoint over = Center(InWindow(w, w.win->Calendar()));
    w.driver.MouseMove(w.win, over);
    w.driver.Wheel(w.win, 1);
    w.driver.WaitForIdle();
    const std::vector<BMessage> posted = w.posts.Messages();
    ASSERT_FALSE(posted.empty());
    EXPECT_EQ(posted.back().what, uint32(B_MOUSE_WHEEL_CHANGED));
    w.Send(posted.back());
    EXPECT_EQ(w.Locked([&] { return w.win->ScrollBar()->Value(); }), std::min(80.0f, max));
    BMessage up(B_MOUSE_WHEEL_CHANGED);
    up.AddFloat("be:wheel_delta_y", -1);
    w.Send(up);
    EXPECT_EQ(w.Locked([&] { return w.win->ScrollBar()->Value(); }), 0);

    ord_exist = 0; // no orders: the wheel does nothing
    w.Send(posted.back());
    EXPECT_EQ(w.Locked([&] { return w.win->ScrollBar()->Value(); }), 0);
}

TEST(CalenderWin, WideningReplacesTheKnobsTallerOnlyRefitsTheScrollBar)
{
    MainWindow w(true, DSM_ORBA, BRect(100, 100, 799, 300));
    const std::string before = Knobs(w);
    ASSERT_FALSE(before.empty());
    float max = 0, min = 0;
    w.Locked([&] { w.win->ScrollBar()->GetRange(&min, &max); });

    // The plan moves behind the calendar's back: only a re-placement shows it.
    Printed([&] {
        BAutolock lock(w.list->Lock());
        for (int32 i = 0; i <= w.list->GetOMax(); i++)
            w.list->GetOrder(i)->NewOPdl("2003/01/20");
    });

    w.driver.ResizeWindow(w.win, 699, 260);
    w.driver.WaitForIdle();
    EXPECT_EQ(Knobs(w), before);
    float taller = 0;
    w.Locked([&] { w.win->ScrollBar()->GetRange(&min, &taller); });
    EXPECT_EQ(taller, max - 60);
    EXPECT_EQ(CWin_H, 260);

    w.driver.ResizeWindow(w.win, 899, 260);
    w.driver.WaitForIdle();
    EXPECT_NE(Knobs(w), before);
    EXPECT_EQ(CWin_W, 899);

    w.driver.MoveWindow(w.win, BPoint(40, 30));
    w.driver.WaitForIdle();
    EXPECT_EQ(CWin_X, 40);
    EXPECT_EQ(CWin_Y, 30);
}

TEST(CalenderWin, LayoutAndColoursOfTheBottomRow)
{
    MainWindow w;
    const float H = 399;
    w.Locked([&] {
        // H - 1.5 button heights, on whole pixels.
        EXPECT_EQ(w.win->Calendar()->Frame(), BRect(4, 24, 799 - 19, 368));
        EXPECT_EQ(w.win->ScrollBar()->Frame(), BRect(799 - 18, 24, 799 - 4, 368));
        EXPECT_EQ(w.win->Button("c2w")->Frame().LeftTop(), BPoint(4, H - 24));
        EXPECT_EQ(w.win->Button("c2o")->Frame().LeftTop(), BPoint(57, H - 24));
        EXPECT_EQ(w.win->Button("cprn")->Frame().LeftTop(), BPoint(110, H - 24));
        EXPECT_EQ(w.win->Button("c2d")->Frame().LeftTop(), BPoint(437, H - 24));
        EXPECT_EQ(w.win->Toggle(1)->Frame(), BRect(255, H - 24, 340, H - 3));
        EXPECT_STREQ(w.win->UserLine(0)->Text(), "Single User");
        EXPECT_STREQ(w.win->UserLine(1)->Text(), "System : ");
    });
    // The plain background between the buttons and the toggles.
    const rgb_color back = w.driver.Pixel(w.win, BPoint(162, H - 12));
    EXPECT_EQ(back.red, 237);
    EXPECT_EQ(back.green, 242);
    EXPECT_EQ(back.blue, 235);
    // The lit toggle is drawn apart from the others.
    const rgb_color lit = w.driver.Pixel(w.win, BPoint(297, H - 13));
    const rgb_color dark = w.driver.Pixel(w.win, BPoint(387, H - 13));
    EXPECT_NE(lit.red + lit.green + lit.blue, dark.red + dark.green + dark.blue);
}

// MARK: Optional menu, labels, title

TEST(CalenderWin, F12AddsTheOptionalMenuOnceThenSaysSo)
{
    MainWindow w;
    w.Send(BMessage('1235'));
    BMenu* optional = w.Locked([&] { return w.win->MainMenu()->SubmenuAt(6); });
    ASSERT_NE(optional, nullptr);
    EXPECT_EQ(w.Labels(optional),
              (std::vector<std::string>{"edit language.html", "view language.html", "--",
                                        "ascii holiday.vth "}));
    EXPECT_TRUE(CalenderWin::kbo_cal.load());
    w.driver.ClearAlerts();
    w.Send(BMessage('1235'));
    ASSERT_TRUE(w.driver.WaitForAlert());
    EXPECT_EQ(w.driver.Alerts().back().text, " Optionals already in Menu\n");
    w.driver.AnswerAlert(0);
    w.driver.WaitForIdle();
    EXPECT_EQ(w.Labels(optional).size(), 4u);
    EXPECT_EQ(w.Locked([&] { return w.win->MainMenu()->CountItems(); }), 7);
}

TEST(CalenderWin, ReloadedLabelsRelabelAndRebuildKeepingTheState)
{
    MainWindow w;
    calbut.SetItem(0, "Row");
    calmnu.SetItem(0, "Datei");
    Printed([&] { w.Send(BMessage('_BLC')); });
    w.Locked([&] {
        EXPECT_EQ(w.win->Toggle(0)->Text(), "Row");
        EXPECT_EQ(w.win->MainMenu()->ItemAt(0)->LabelText(), "Datei");
        EXPECT_FALSE(w.win->OpenMenu()->IsEnabled());
    });
    EXPECT_TRUE(w.Enabled('S_DA'));
    calbut.RestoreBuiltIn();
    calmnu.RestoreBuiltIn();
}

TEST(CalenderWin, TitleFollowsTheOrderListAndComesByMessage)
{
    MainWindow w;
    EXPECT_EQ(w.win->Title(), std::string("Vantrel: plan"));
    Printed([&] { w.Send(BMessage('O_no')); });
    EXPECT_EQ(w.win->Title(), std::string("Vantrel"));
    BMessage title('VTTL');
    title.AddString("title", CalenderWin::TitleFor("plan").c_str());
    w.Send(title);
    EXPECT_EQ(w.win->Title(), std::string("Vantrel: plan"));
    EXPECT_EQ(CalenderWin::TitleFor(""), "Vantrel");
}

// MARK: Cards and printing

TEST(CalenderWin, CardsOpenByKindAndSizeBesideTheWindow)
{
    MainWindow w;
    const struct
    {
        uint32 command;
        int32 type;
        float width, height;
    } cards[] = {
        {'CURL', ConfigCard::kOffDays, 320, 188},
        {'Hchg', ConfigCard::kHolidays, 340, 198},
        {'PREF', ConfigCard::kPreferences, 340, 278},
        {'OPRH', ConfigCard::kReportSettings, 320, 178},
        {'CILL', ConfigCard::kIllnessDays, 320, 188},
    };
    for (const auto& card : cards) {
        Printed([&] { w.Send(BMessage(card.command)); });
        ConfigCard* open = ConfigCard::cc_Zgr.load();
        ASSERT_NE(open, nullptr) << long2asc(card.command);
        EXPECT_EQ(open->CardType(), card.type);
        EXPECT_EQ(open->Frame(), BRect(210, 125, 210 + card.width, 125 + card.height));
        Printed([] { CloseCard(); });
    }
    // The report card is what "Show as HTML" and its shortcut open.
    w.driver.PressShortcut(w.win, 'h');
    w.driver.WaitForIdle();
    ASSERT_NE(ConfigCard::cc_Zgr.load(), nullptr);
    EXPECT_EQ(ConfigCard::cc_Zgr.load()->CardType(), ConfigCard::kReportSettings);
    Printed([] { CloseCard(); });
}

namespace {

class SaveAsPdf : public PrintDialog
{
public:
    status_t Go(Kind, const char*, const std::vector<std::string>&, std::string* printer) override
    {
        *printer = "";
        asked++;
        return B_OK;
    }
    int asked = 0;
};

} // namespace

TEST(CalenderWin, PrintingPrintsTheWholeWindowOnOnePage)
{
    MainWindow w;
    SaveAsPdf dialog;
    BPrintJob::SetDialogForTesting(&dialog);
    Printed([&] { w.Send(BMessage('_PRW')); });
    BPrintJob::SetDialogForTesting(nullptr);
    EXPECT_EQ(dialog.asked, 2);
    bool pdf = false;
    for (const auto& entry : std::filesystem::directory_iterator(w.shop.folder.Path("defs")))
        pdf |= entry.path().extension() == ".pdf";
    EXPECT_TRUE(pdf);
}

// MARK: Snapshots

TEST(CalenderWin, SnapshotIsWrittenWholeAtTheReportWidth)
{
    MainWindow w;
    const std::string out = Printed([&] { w.Send(BMessage('MIMG')); });
    EXPECT_NE(out.find("OK\t"), std::string::npos) << out;
    const std::string path = w.shop.folder.Path("defs/vtsnap.jpg");
    EXPECT_EQ(w.win->LastSnapshot(), path);
    EXPECT_EQ(SniffFileType(path.c_str()), "image/jpeg");
    // The calendar is back where it was, with its bars.
    w.Locked([&] {
        EXPECT_EQ(w.win->Calendar()->Frame(), BRect(4, 24, 780, 368));
        EXPECT_EQ(w.win->Calendar()->Window(), w.win);
    });
    EXPECT_EQ(w.Bars(), 3);

    // A PNG name gives a PNG of 555 pixels across.
    ASSERT_TRUE(SetSnapshotName("snap.png"));
    Printed([&] { w.Send(BMessage('MIMG')); });
    const std::string png = w.shop.folder.Read("defs/snap.png");
    ASSERT_GT(png.size(), 24u);
    const auto byte = [&](size_t i) { return uint32(uint8(png[i])); };
    EXPECT_EQ(byte(16) << 24 | byte(17) << 16 | byte(18) << 8 | byte(19), 555u);
}

TEST(CalenderWin, SnapshotKeepsThePreviousPictureAndFallsBackToTheTempFolder)
{
    MainWindow w;
    const char* oldTmp = getenv("TMPDIR");
    const std::string keepTmp = oldTmp != nullptr ? oldTmp : "";
    std::filesystem::create_directory(w.shop.folder.Path("tmp"));
    setenv("TMPDIR", w.shop.folder.Path("tmp").c_str(), 1);

    w.shop.folder.Write("defs/vtsnap.jpg", "previous picture");
    BSafeFile::FailNthStep(1); // the data folder's write fails
    const std::string out = Printed([&] { w.Send(BMessage('MIMG')); });
    BSafeFile::FailNthStep(0);
    EXPECT_EQ(w.shop.folder.Read("defs/vtsnap.jpg"), "previous picture");
    EXPECT_NE(out.find("Err\t"), std::string::npos) << out;
    EXPECT_EQ(w.win->LastSnapshot(), RamDiskPath("vtsnap.jpg"));
    EXPECT_EQ(SniffFileType(RamDiskPath("vtsnap.jpg").c_str()), "image/jpeg");

    // Without orders there is nothing to take.
    ord_exist = 0;
    std::filesystem::remove(RamDiskPath("vtsnap.jpg"));
    EXPECT_EQ(Printed([&] { w.Send(BMessage('MIMG')); }), "");
    if (oldTmp != nullptr)
        setenv("TMPDIR", keepTmp.c_str(), 1);
    else
        unsetenv("TMPDIR");
}

// MARK: Closing

TEST(CalenderWin, ClosingAsksTheApplicationAndWaitsForItsAnswer)
{
    MainWindow w;
    w.driver.PressShortcut(w.win, 'q');
    w.driver.WaitForIdle();
    EXPECT_EQ(w.Codes(), (std::vector<uint32>{'X_OW', 'VTCC'}));
    ASSERT_NE(w.driver.FindWindow("Vantrel: plan"), nullptr) << "still there until approved";
    EXPECT_EQ(w.Bars(), 3) << "a cancelled close keeps the bars";

    w.posts.Clear();
    BMessage approval = CalenderWin::QuitApproval();
    Printed([&] {
        w.win->PostMessage(&approval);
        w.driver.WaitForIdle();
    });
    w.win = nullptr;
    EXPECT_EQ(w.driver.FindWindow("Vantrel: plan"), nullptr);
    EXPECT_EQ(w.Codes(), std::vector<uint32>{B_QUIT_REQUESTED});
}

TEST(CalenderWin, ZoomMenuSetsTheMonthsShownAndKeepsThem)
{
    MainWindow w;
    BMenu* view = w.Locked([&] { return w.win->MainMenu()->SubmenuAt(1); });
    const BRect title = w.Locked([&] { return w.win->MainMenu()->ItemAt(1)->Frame(); });
    w.driver.Click(w.win, Center(title));
    w.driver.WaitForIdle();
    ASSERT_NE(view->Window(), nullptr);
    w.driver.Click(view->Window(), Center(view->FindItem(" 6 Months")->Frame()));
    w.driver.WaitForIdle();
    EXPECT_EQ(w.Locked([&] { return w.win->Calendar()->MonthsShown(); }), 6);
    EXPECT_EQ(PrevTime.load(), 6) << "kept for the next start";
}
