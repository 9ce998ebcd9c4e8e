// The command router, one command at a time on the test thread (the
// application is built but not run): what every code forwards, posts and
// calls, with and without an open project. Posts to the application are
// recorded, not handled, so each case sees only its own command.
#include <gtest/gtest.h>

#include "ShellWorkshop.h"
#include "app/Settings.h"
#include "calendar/TimeValue.h"
#include "data/Order.h"
#include "kit/display/HeadlessDriver.h"
#include "kit/interface/AlertLog.h"

namespace {

using Codes = std::vector<uint32>;
using BPrivate::AlertLog;

// What the application asks of itself goes to the recorder too, so each
// case sees only its own command's effects.
class RecordedApp : public VTApp
{
public:
    using VTApp::VTApp;

protected:
    void FollowUp(const BMessage& message) override { PostToApp(message); }
};

class Router : public testing::Test
{
protected:
    void SetUp() override
    {
        AlertLog::Default().Clear();
        app = std::make_unique<RecordedApp>(shop.Makers());
        app->SetNameCardMaker([this](const BMessage& request, BPoint leftTop) {
            cardRequests.push_back(request.what);
            cardAt = leftTop;
        });
    }

    void TearDown() override
    {
        for (auto& log : shop.logs)
            log->refuseQuit = false;
        for (WindowRole role :
             {WindowRole::kWorkerEditor, WindowRole::kOrderEditor, WindowRole::kMainWindow})
            app->Windows().Post(role, BMessage(B_QUIT_REQUESTED));
        wait_for_idle_loopers();
        app.reset();
        CloseAlerts();
    }

    static size_t Alerts() { return AlertLog::Default().Records().size(); }

    // The warnings never wait for their button; they are closed here.
    static void CloseAlerts()
    {
        HeadlessDriver driver;
        while (driver.AnswerAlert(0) == B_OK)
            driver.WaitForIdle();
        AlertLog::Default().Clear();
    }

    void Send(BMessage message)
    {
        app->DispatchMessage(&message, app.get());
        ASSERT_EQ(wait_for_idle_loopers(), B_OK);
    }

    // Both editors open, every record cleared.
    void OpenEditors()
    {
        Send(Command('VTWO'));
        Send(Command('VTOO'));
        Clear();
    }

    // What the unsaved-work check asks of the open editors comes back as
    // posts: their replies, then the action let through, are handed to the
    // application as its loop would.
    void PassUnsavedCheck()
    {
        for (BMessage& reply : posts.Messages()) {
            if (reply.what == 'VTao' || reply.what == 'VTaw')
                Send(reply);
        }
        for (BMessage& action : posts.Messages()) {
            if (action.GetBool("vt:checked", false)) {
                Clear();
                return Send(action);
            }
        }
        FAIL() << "nothing let through";
    }

    void Clear()
    {
        posts.Clear();
        for (auto& log : shop.logs)
            log->Clear();
    }

    Codes To(WindowRole role) { return shop.Log(role)->Codes(); }

    ShellWorkshop shop;
    AppPostRecorder posts;
    std::unique_ptr<RecordedApp> app;
    Codes cardRequests;
    BPoint cardAt;
};

constexpr WindowRole kWorkerEd = WindowRole::kWorkerEditor;
constexpr WindowRole kOrderEd = WindowRole::kOrderEditor;
constexpr WindowRole kMain = WindowRole::kMainWindow;

struct ForwardCase
{
    WindowRole role;
    bool needsOrders; // dropped while no order list exists
    Codes codes;
};

const ForwardCase kForwards[] = {
    {kWorkerEd,
     false,
     {'DAYa', 'DAYT', 'DAYp', 'DAYs', '3000', '3123', 'WUI!', 'WUI+', 'WUI-', 'WUIx', 'WUIy',
      'WUIz', 'WNA_', 'WOPR'}},
    {kOrderEd,
     false,
     {'ORPR', '2000', '2123', 'OCHK', 'OBWD', 'OADW', 'ODel', 'OFWD', 'ONA_', 'PBIF', 'OUIx',
      'OSAM', 'OSUM', 'OUPU', 'OxSS', 'PB00', 'PBRU'}},
    {kMain,
     false,
     {'1235', 'CILL', 'CURL', 'FiyS', 'FixS', 'Hrog', 'NEWU', 'MIMG', 'MOVX', 'O+TE', 'W+TE',
      'VICU', 'WB_A', 'WBKN', 'WBRA', 'WBRO', 'SCTM', '_PRW', 'CVMO'}},
    {kMain, true, {'AMOD', 'EMOD', 'LMOD', 'XMOD', '_MWC'}},
};

TEST_F(Router, ForwardsEachCodeToItsWindowOnly)
{
    for (bool project : {false, true}) {
        if (project)
            shop.OpenPlan();
        OpenEditors();
        for (const ForwardCase& group : kForwards) {
            for (uint32 code : group.codes) {
                SCOPED_TRACE(long2asc(code) + (project ? " with project" : " without"));
                Clear();
                Send(Command(code));
                const bool delivered = project || !group.needsOrders;
                for (WindowRole role : {kWorkerEd, kOrderEd, kMain})
                    EXPECT_EQ(To(role), role == group.role && delivered ? Codes{code} : Codes{});
                EXPECT_EQ(posts.Codes(), Codes{});
            }
        }
    }
}

TEST_F(Router, ForwardsToAClosedWindowQuietly)
{
    std::string printed = Captured([&] {
        Send(Command('DAYa'));
        Send(Command('PBIF'));
    });
    EXPECT_EQ(printed, "");
    EXPECT_EQ(shop.Log(kWorkerEd)->made, 0);
    BMessage stray('WBRO');
    printed = Captured([&] { app->SendToClass(7, &stray); });
    EXPECT_NE(printed.find("SendToClass: witch? 7 \n"), std::string::npos);
}

// A list command: what the application is asked for next and what the main
// window gets, with the project open; without one every row does nothing.
struct ListCase
{
    uint32 code;
    Codes posted;  // in this order, among the lists' own notices
    Codes toMain;  // exactly, titles aside
    bool anywhere; // also tried (and failing) without a project
};

const ListCase kListCases[] = {
    {'OADD', {'VTOO'}, {}, true},
    {'SPDL', {}, {}, false},
    {'OsDD', {}, {'WB_A'}, true},
    {'OsPD', {}, {'WB_A'}, true},
    {'OCHA', {}, {'WB_A'}, false},
    {'OPTO', {'WBRA'}, {}, false},
    {'OPTA', {'WBRA'}, {}, false},
    {'OPTC', {'WBRA'}, {}, false},
    {'OPTD', {'WBRA'}, {}, false},
    {'OPTE', {'WBRA'}, {}, false},
    {'OPTS', {}, {}, false},
    {'RPDL', {'WBRA'}, {}, false},
    {'OPRL', {}, {}, false},
    {'OPRH', {}, {}, false},
    {'OMRK', {'WBKN'}, {}, false},
    {'O+TF', {'OUIx', 'WB_A', 'OUPU'}, {}, false},
    {'WADD', {}, {'WB_A'}, false},
    {'W+TF', {}, {'WB_A'}, false},
    {'HUPD', {}, {'WB_A', 'HUPD'}, true},
    {'S_DA', {'O_XM'}, {kWindowScanProjects}, true},
};

// With the fields the menus give them.
BMessage ListCommand(uint32 code)
{
    BMessage message(code);
    if (code == 'OMRK')
        message.AddInt32("order", 0);
    if (code == 'O+TF')
        message.AddString("fname", "fraesen");
    if (code == 'W+TF')
        message.AddString("fname", "schicht");
    return message;
}

TEST_F(Router, ListCommandsWithoutAProjectDoNothing)
{
    for (const ListCase& row : kListCases) {
        SCOPED_TRACE(long2asc(row.code));
        Clear();
        const std::string printed = Captured([&] { Send(ListCommand(row.code)); });
        // Only the commands that always run try to fetch a list, and fail.
        EXPECT_EQ(printed.find("fail") != std::string::npos, row.anywhere) << printed;
        EXPECT_EQ(posts.Codes(), row.code == 'S_DA' ? Codes{'O_XM'} : Codes{});
        EXPECT_EQ(To(kMain), row.code == 'HUPD' ? Codes{'HUPD'} : Codes{});
        EXPECT_EQ(STOrder::Existing(), nullptr);
        EXPECT_EQ(ord_exist.load(), 0);
    }
    EXPECT_FALSE(shop.folder.Exists("defs/PrintList.txt"));
}

TEST_F(Router, ListCommandsWithAProjectCallTheirLists)
{
    shop.folder.Write("templates/fraesen.otp", GoldenFile("data", "fraesen.otp"));
    shop.folder.Write("templates/schicht.wtp", GoldenFile("data", "schicht.wtp"));
    shop.OpenPlan();
    for (const ListCase& row : kListCases) {
        SCOPED_TRACE(long2asc(row.code));
        Clear();
        // Each moving command on its own: after a run that moves nothing
        // the next would do nothing.
        STOrder::Existing()->opt_done = 0;
        const std::string printed = Captured([&] { Send(ListCommand(row.code)); });
        EXPECT_EQ(printed.find("DoWith"), std::string::npos) << printed;
        EXPECT_TRUE(InOrder(posts.Codes(), row.posted));
        EXPECT_EQ(To(kMain), row.toMain);
        const bool workers = row.code == 'WADD' || row.code == 'W+TF';
        EXPECT_EQ(shop.Log(kMain)->LastTitle(), workers ? "" : "Vantrel: plan");
    }
    STOrder* orders = STOrder::Existing();
    ASSERT_NE(orders, nullptr);
    EXPECT_EQ(orders->GetOMax(), 4); // three read, one added, one from the template
    EXPECT_EQ(orders->sortmode, 2);
    EXPECT_EQ(STWorker::Existing()->GetWMax(), 4); // two read, one added, two from the template
    for (const char* file : {"defs/plan.vto", "defs/plan.vtw", "defs/PrintList.txt"})
        EXPECT_TRUE(shop.folder.Exists(file)) << file;
    EXPECT_EQ(shop.Launches().size(), 2u); // the text list and the HTML page
}

TEST_F(Router, SaveWritesTheListsThenTheExport)
{
    shop.OpenPlan();
    const std::string before = shop.folder.Read("defs/plan.vto");
    Send(Command('OADD'));
    Send(Command('S_DA'));
    EXPECT_NE(shop.folder.Read("defs/plan.vto"), before);
    EXPECT_FALSE(shop.folder.Exists("defs/plan.xml"));
    Send(Command('O_XM'));
    EXPECT_NE(shop.folder.Read("defs/plan.xml").find("<VT_proj>"), std::string::npos);
}

TEST_F(Router, ExportWithoutAProjectWritesNothing)
{
    Send(Command('X_OW'));
    Send(Command('O_XM'));
    EXPECT_EQ(shop.folder.CountFiles("defs"), 2);
}

TEST_F(Router, HolidayCommands)
{
    Send(Command('Hsav'));
    EXPECT_TRUE(shop.folder.Exists("defs/holiday.vth"));
    Send(Command('Hedi'));
    ASSERT_EQ(shop.Launches().size(), 1u);
    EXPECT_EQ(shop.Launches()[0].back(), shop.folder.Path("defs/holiday.vth"));
    shop.OpenPlan();
    Clear();
    Send(Command('Hrel'));
    EXPECT_TRUE(InOrder(posts.Codes(), {'WBRA', 'CVMO', 'Hrog'}));
    EXPECT_NE(STHolidays::Existing(), nullptr);
}

TEST_F(Router, OpenClosesTheProjectAndAsksForTheNewOnesWindows)
{
    shop.OpenPlan();
    OpenEditors();
    Send(Command('OPEN', "open", "other"));
    EXPECT_EQ(To(kWorkerEd), Codes{'WAPP'});
    EXPECT_EQ(To(kOrderEd), Codes{'OAPL'});
    PassUnsavedCheck();
    // The editors go first; until they report, the old project stays.
    EXPECT_EQ(To(kWorkerEd), Codes{B_QUIT_REQUESTED});
    EXPECT_EQ(To(kOrderEd), Codes{B_QUIT_REQUESTED});
    EXPECT_NE(STOrder::Existing(), nullptr);
    EXPECT_TRUE(InOrder(posts.Codes(), {'VTWC'}));
    EXPECT_TRUE(InOrder(posts.Codes(), {'VTOC'}));
    Send(Command('VTWC'));
    EXPECT_NE(STOrder::Existing(), nullptr);
    Clear();
    Send(Command('VTOC'));

    EXPECT_EQ(STOrder::Existing(), nullptr);
    EXPECT_EQ(STWorker::Existing(), nullptr);
    EXPECT_EQ(DEFS_ORD_IO, "other");
    EXPECT_EQ(DEFS_WKO_IO, "other");
    EXPECT_EQ(shop.Log(kMain)->LastTitle(), "Vantrel: other");
    EXPECT_TRUE(InOrder(posts.Codes(), {'O_no', 'VTWO', 'VTOO', 'WB_A', 'VTCO'}));
}

TEST_F(Router, OpenWithoutEditorsIsImmediate)
{
    Send(Command('OPEN', "open", "plan"));
    EXPECT_EQ(To(kMain), Codes{'LMOD'});
    EXPECT_EQ(posts.Codes(), (Codes{'VTWO', 'VTOO', 'WB_A', 'VTCO'}));
    EXPECT_EQ(DEFS_ORD_IO, "plan");
}

TEST_F(Router, BadProjectNamesChangeNothing)
{
    shop.OpenPlan();
    const std::string names[] = {"abc", ".plan", "a/bcd", "pl\tan", std::string(80, 'x'), ""};
    for (const std::string& name : names) {
        for (uint32 code : {'OPEN', 'SAS_'}) {
            SCOPED_TRACE(long2asc(code) + " '" + name + "'");
            Clear();
            const size_t before = Alerts();
            Send(Command(code, code == 'OPEN' ? "open" : "save_as", name));
            // "Save as" cuts a long name to 79 bytes first, and that is a name.
            const bool cutToValid = code == 'SAS_' && name.size() == 80;
            EXPECT_EQ(Alerts() - before, cutToValid ? 0u : 1u);
            if (!cutToValid) {
                EXPECT_EQ(DEFS_ORD_IO, "plan");
                EXPECT_NE(STOrder::Existing(), nullptr);
                EXPECT_EQ(posts.Codes(), Codes{});
            }
        }
        DEFS_ORD_IO = "plan";
        DEFS_WKO_IO = "plan";
        STOrder::Existing()->SetProjectName("plan");
        STWorker::Existing()->SetProjectName("plan");
    }
    EXPECT_EQ(Captured([&] { Send(BMessage('OPEN')); }), "Err Filename\n");
}

TEST_F(Router, SaveAsRenamesTheOpenProject)
{
    EXPECT_NE(Captured([&] { Send(Command('SAS_', "save_as", "copy")); }).find("no w return"),
              std::string::npos);
    shop.OpenPlan();
    Clear();
    const std::string longName(100, 'n');
    Send(Command('SAS_', "save_as", longName));
    const std::string cut(79, 'n');
    EXPECT_EQ(DEFS_ORD_IO, cut);
    EXPECT_EQ(DEFS_WKO_IO, cut);
    EXPECT_EQ(STOrder::Existing()->Name(), cut);
    EXPECT_EQ(STWorker::Existing()->Name(), cut);
    EXPECT_EQ(posts.Codes(), (Codes{'S_DA', 'VTWO', 'VTOO', 'WB_A'}));
}

TEST_F(Router, SaveAsOntoAnotherProjectAsksFirst)
{
    shop.folder.Write("defs/kept.vto", "; --\n");
    shop.OpenPlan();
    CloseAlerts();
    Send(Command('SAS_', "save_as", "kept"));
    ASSERT_EQ(Alerts(), 1u);
    EXPECT_EQ(AlertLog::Default().Records()[0].buttons,
              (std::vector<std::string>{"Cancel", "Replace"}));
    EXPECT_EQ(DEFS_ORD_IO, "plan");

    BMessage answer = Command('SAS_', "save_as", "kept");
    answer.AddBool("replace", true);
    answer.AddInt32("which", 0);
    Send(answer);
    EXPECT_EQ(DEFS_ORD_IO, "plan");
    answer.ReplaceInt32("which", 1);
    Send(answer);
    EXPECT_EQ(DEFS_ORD_IO, "kept");
}

TEST_F(Router, NameRequestsOpenTheNameCard)
{
    CWin_X = 100;
    CWin_Y = 50;
    for (uint32 code : {'S_AS', 'NewN', 'NwWT', 'NwOT'})
        Send(Command(code));
    EXPECT_EQ(cardRequests, (Codes{'SAS_', 'NNA_', 'WNA_', 'ONA_'}));
    EXPECT_EQ(cardAt, BPoint(180, 130));
}

TEST_F(Router, EditorsOpenOnceAndComeToTheFront)
{
    Send(Command('VTWO'));
    Send(Command('VTOO'));
    Send(Command('VTWO'));
    EXPECT_EQ(shop.Log(kWorkerEd)->made, 1);
    EXPECT_EQ(shop.Log(kOrderEd)->made, 1);
    EXPECT_EQ(To(kWorkerEd), Codes{kWindowActivate});
    EXPECT_EQ(To(kOrderEd), Codes{kWindowActivate});
    app->Windows().Post(kWorkerEd, BMessage(B_QUIT_REQUESTED));
    Send(Command('VTWC'));
    Send(Command('VTWO'));
    EXPECT_EQ(shop.Log(kWorkerEd)->made, 2);
    Send(Command('VTCO'));
    EXPECT_EQ(shop.Log(kMain)->made, 1);
    EXPECT_EQ(To(kMain), Codes{kWindowActivate});
}

TEST_F(Router, SmallCommands)
{
    OpenEditors();
    Send(Command('WDel'));
    EXPECT_EQ(To(kMain), Codes{'AMOD'});
    EXPECT_EQ(To(kWorkerEd), Codes{'WDel'});
    Clear();
    Send(Command('_BLC'));
    EXPECT_EQ(To(kWorkerEd), Codes{'3000'});
    EXPECT_EQ(To(kOrderEd), Codes{'2000'});
    EXPECT_EQ(To(kMain), Codes{'_BLC'});

    reload_htm = 0;
    Send(Command('ODEF'));
    EXPECT_EQ(reload_htm.load(), 1);
    Send(Command('8888'));
    ASSERT_EQ(shop.Launches().size(), 2u);
    for (const auto& argv : shop.Launches())
        EXPECT_EQ(argv.back(), shop.folder.Path("templates/language.html"));

    CloseAlerts();
    Send(Command('FPDL'));
    ASSERT_EQ(Alerts(), 1u);
    EXPECT_EQ(AlertLog::Default().Records()[0].text,
              "For fixing this definitions,\nplase SAVE the Datas !   ");
    EXPECT_EQ(Captured([&] { Send(Command('ZZZZ')); }), "Default VT-App: 'ZZZZ'\n");
}

TEST_F(Router, AboutReturnsAtOnce)
{
    CloseAlerts();
    app->AboutRequested(); // a blocking alert would hang the test here
    ASSERT_EQ(wait_for_idle_loopers(), B_OK);
    ASSERT_EQ(Alerts(), 1u);
    const AlertRecord about = AlertLog::Default().Records()[0];
    EXPECT_EQ(about.title, "About Vantrel");
    EXPECT_EQ(about.buttons, std::vector<std::string>{"Close"});
    EXPECT_EQ(about.text.rfind(" Vantrel \n \t 20030823\n", 0), 0u);
    EXPECT_TRUE(about.open);
}

TEST_F(Router, ListFlagsFollowTheLists)
{
    ord_exist = 1;
    Send(Command('Oyes'));
    EXPECT_EQ(ord_exist.load(), 0); // no list: a stale notice
    shop.OpenPlan();
    ord_exist = 0;
    wko_exist = 0;
    Send(Command('O_no'));
    Send(Command('Wyes'));
    EXPECT_EQ(ord_exist.load(), 1);
    EXPECT_EQ(wko_exist.load(), 1);
    EXPECT_EQ(To(kMain), (Codes{'Oyes', 'O_no'}));
}

TEST_F(Router, CloseProjectWaitsForTheEditorsAndHoldsLaterCommands)
{
    shop.OpenPlan();
    OpenEditors();
    Send(Command('X_OW'));
    PassUnsavedCheck();
    Send(Command('OADD'));
    EXPECT_NE(STOrder::Existing(), nullptr);
    EXPECT_EQ(STOrder::Existing()->GetOMax(), 2); // 'OADD' waits
    Send(Command('VTOC'));
    Send(Command('VTWC'));
    EXPECT_EQ(STOrder::Existing(), nullptr);
    EXPECT_EQ(ord_exist.load(), 0);
    EXPECT_EQ(wko_exist.load(), 0);
    EXPECT_EQ(shop.Log(kMain)->LastTitle(), "Vantrel");
    EXPECT_TRUE(InOrder(To(kMain), {'VICU'}));
    // The held 'OADD' ran after the close, and found no project.
    EXPECT_EQ(STOrder::Existing(), nullptr);
    EXPECT_FALSE(InOrder(posts.Codes(), {'VTOO'}));
}

TEST_F(Router, AnEditorThatStaysOpenKeepsTheProject)
{
    shop.refuse = kOrderEd;
    shop.OpenPlan();
    OpenEditors();
    Send(Command('X_OW'));
    PassUnsavedCheck();
    Send(Command('OsDD'));
    for (BMessage& report : posts.Messages()) {
        if (report.what == B_CANCEL)
            Send(report);
    }
    EXPECT_EQ(shop.Log(kOrderEd)->Codes(), Codes{B_QUIT_REQUESTED});
    EXPECT_NE(STOrder::Existing(), nullptr);
    EXPECT_EQ(STOrder::Existing()->sortmode, 1); // the held command ran
}

TEST_F(Router, ReloadMakesTheListsAgainFromTheirFiles)
{
    shop.OpenPlan();
    // Written meanwhile by someone else: plan's second order is gone.
    const std::string plan = GoldenFile("data", "plan.vto");
    const int32 before = STOrder::Existing()->GetOMax();
    shop.folder.Write("defs/plan.vto", plan.substr(0, plan.rfind("\nIT") + 1));
    Send(Command('OsRE'));
    ASSERT_NE(STOrder::Existing(), nullptr);
    EXPECT_LT(STOrder::Existing()->GetOMax(), before);
    EXPECT_EQ(DEFS_ORD_IO, "plan");
    shop.folder.Write("defs/plan.vtw", "");
    Send(Command('WsRE'));
    ASSERT_NE(STWorker::Existing(), nullptr);
    EXPECT_EQ(STWorker::Existing()->GetWMax(), -1); // none
}

TEST_F(Router, FilesGivenToTheProgram)
{
    shop.folder.Write("elsewhere.vto", "; --\n");
    shop.folder.Write("defs/export.xml", "<data_list></data_list>\n");
    const std::string vto = shop.folder.Path("defs/plan.vto");
    const std::string outside = shop.folder.Path("elsewhere.vto");
    const std::string xml = shop.folder.Path("defs/export.xml");
    const char* argv[] = {"vantrel", vto.c_str(), outside.c_str(), "/no/such/file.xml"};
    const size_t before = Alerts();
    app->ArgvReceived(4, const_cast<char**>(argv));
    ASSERT_EQ(posts.Codes(), Codes{'OPEN'});
    EXPECT_STREQ(posts.Messages()[0].GetString("open"), "plan");
    EXPECT_EQ(Alerts() - before, 1u); // the one outside "defs"

    OpenEditors();
    BMessage refs(B_REFS_RECEIVED);
    entry_ref ref(xml);
    refs.AddRef("refs", &ref);
    app->RefsReceived(&refs);
    ASSERT_EQ(wait_for_idle_loopers(), B_OK);
    ASSERT_EQ(To(kOrderEd), Codes{B_SIMPLE_DATA});
}

} // namespace
