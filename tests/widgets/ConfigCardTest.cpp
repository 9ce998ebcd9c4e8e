// The card window worked like a user: the off-day, illness, holiday and name
// cards, their date fields through the date picker, what they change in the
// worker and holiday lists, what they post, a worker or list that goes while
// a card is open, and names that are refused.
#include "widgets/ConfigCard.h"
#include "widgets/HtmSetView.h"
#include "widgets/PrefsView.h"

#include <gtest/gtest.h>

#include "app/AppPost.h"
#include "app/Globals.h"
#include "app/Settings.h"
#include "data/Holiday.h"
#include "data/STHolidays.h"
#include "data/STWorker.h"
#include "data/Worker.h"
#include "kit/display/HeadlessDriver.h"
#include "kit/display/TestWindow.h"
#include "kit/interface/ListView.h"
#include "kit/interface/Menu.h"
#include "kit/interface/MenuField.h"
#include "kit/interface/MenuItem.h"
#include "kit/interface/StringView.h"
#include "kit/interface/TextControl.h"
#include "support/ProgramFolder.h"
#include "widgets/CalCard.h"
#include "widgets/CardDriving.h"
#include "widgets/DayCell.h"
#include "widgets/FeiertagView.h"
#include "widgets/MonView.h"
#include "widgets/NameInView.h"
#include "widgets/WorkerDaysView.h"

namespace {

using Lines = std::vector<std::string>;

// December 2002 begins on a Sunday: the first is grid child 16.
int32 december_cell(int32 day)
{
    return 15 + day;
}

class ConfigCardTest : public testing::Test
{
protected:
    void SetUp() override
    {
        fOldWko = DEFS_WKO_IO;
        fOldOrd = DEFS_ORD_IO;
        DEFS_WKO_IO = DEFS_ORD_IO = "plan";
        captured(driver, [&] {
            STWorker* workers = STWorker::getSTWorker();
            int32 id = 11;
            for (const char* name : {"Anna", "Bert", "Cara"}) {
                auto worker = std::make_unique<Worker>();
                worker->NewWName(name);
                worker->w_id = id++;
                workers->AddWorkerZgr(std::move(worker));
            }
            // Cara, the last (an empty project starts with a worker of its own).
            workers->w_shown = workers->GetWMax();
        });
        posts.Clear();
    }

    void TearDown() override
    {
        captured(driver, [&] {
            ConfigCard::DeleteMe();
            CalCard::DeleteMe();
            driver.WaitForIdle();
            if (STWorker* workers = STWorker::Existing())
                workers->DeleteMe();
            if (STHolidays* holidays = STHolidays::Existing())
                holidays->DeleteMe();
        });
        DEFS_WKO_IO = fOldWko;
        DEFS_ORD_IO = fOldOrd;
    }

    Worker* Named(const char* name)
    {
        STWorker* workers = STWorker::Existing();
        for (int32 i = 0; i <= workers->GetWMax(); i++) {
            if (workers->GetWorker(i)->w_name == name)
                return workers->GetWorker(i);
        }
        return nullptr;
    }

    void GiveOffDays(const char* name, std::initializer_list<const char*> days)
    {
        captured(driver, [&] {
            for (const char* day : days)
                Named(name)->AddUDaysCheck(day);
        });
    }

    ConfigCard* Open(int32 type, uint32 request = 'U___')
    {
        const BRect sizes[] = {{},
                               {0, 0, 320, 188},
                               {0, 0, 340, 198},
                               {},
                               {0, 0, 340, 278},
                               {0, 0, 320, 178},
                               {0, 0, 260, 88},
                               {0, 0, 320, 188}};
        BMessage message(request);
        ConfigCard* card =
            ConfigCard::getConfigCard(BRect(120, 90, 120, 90), "", &message, type, sizes[type]);
        driver.WaitForIdle();
        return card;
    }

    template <typename View = BView>
    View* Find(ConfigCard* card, const char* name)
    {
        card->Lock();
        View* view = dynamic_cast<View*>(card->FindView(name));
        card->Unlock();
        return view;
    }

    void Click(ConfigCard* card, const char* name)
    {
        BView* view = Find(card, name);
        ASSERT_NE(view, nullptr) << name;
        driver.Click(card, middle_of(view));
        driver.WaitForIdle();
    }

    // Opens the picker from a date field and answers it with a day.
    void PickDay(ConfigCard* card, const char* field, int32 day)
    {
        Click(card, field);
        CalCard* picker = CalCard::cc_Zgr.load();
        ASSERT_NE(picker, nullptr) << field;
        driver.Click(picker, middle_of(picker->Grid()->Cell(december_cell(day))));
        driver.Click(picker, middle_of(picker->Grid()->Cell(MonView::kOkCell)));
        driver.WaitForIdle();
    }

    std::string FieldText(ConfigCard* card, const char* name)
    {
        card->Lock();
        std::string text = dynamic_cast<DayCell*>(card->FindView(name))->Text();
        card->Unlock();
        return text;
    }

    Lines Shown(ConfigCard* card)
    {
        card->Lock();
        Lines lines;
        if (auto* days = dynamic_cast<WorkerDaysView*>(card->HostedView()))
            lines = days->Lines();
        else if (auto* holidays = dynamic_cast<FeiertagView*>(card->HostedView()))
            lines = holidays->Lines();
        card->Unlock();
        return lines;
    }

    // Clicks list lines; later ones with Ctrl, which adds to the selection.
    void SelectLines(ConfigCard* card, std::initializer_list<int32> lines)
    {
        auto* list = Find<BListView>(card, "inis");
        uint32 modifiers = 0;
        for (int32 line : lines) {
            card->Lock();
            const BRect frame = list->ItemFrame(line);
            const BPoint where = card->ConvertFromScreen(
                list->ConvertToScreen(BPoint(frame.left + 20, frame.top + 3)));
            card->Unlock();
            driver.Click(card, where, B_PRIMARY_MOUSE_BUTTON, 1, modifiers);
            modifiers = B_COMMAND_KEY;
        }
        driver.WaitForIdle();
    }

    bool Posted(uint32 what)
    {
        for (uint32 code : posts.Codes()) {
            if (code == what)
                return true;
        }
        return false;
    }

    ProgramFolder folder{2002, 12, 9};
    HeadlessDriver driver;
    AppPostRecorder posts;

private:
    std::string fOldWko;
    std::string fOldOrd;
};

} // namespace

TEST_F(ConfigCardTest, OffDayCardShowsTheWorkerTheEditorShowedLastAndOthersByTheMenu)
{
    GiveOffDays("Cara", {"2002/12/17", "2002/12/16"});
    GiveOffDays("Bert", {"2002/12/27"});
    ConfigCard* card = Open(ConfigCard::kOffDays);
    EXPECT_EQ(card->CardType(), ConfigCard::kOffDays);
    EXPECT_EQ(Shown(card), (Lines{" SUM: 2 ", "2002/12/17", "2002/12/16"})) << "list order";
    auto* field = Find<BMenuField>(card, "wkomenu");
    card->Lock();
    EXPECT_EQ(field->FieldText(), "Cara");
    EXPECT_STREQ(Find<BStringView>(card, "caption")->Text(), "Off-Days");
    EXPECT_EQ(card->Bounds().Width(), 320);
    BMenu* menu = field->Menu();
    card->Unlock();
    EXPECT_EQ(FieldText(card, "dayfrom"), "2002/12/09") << "today";

    driver.Click(card, middle_of(field));
    driver.WaitForIdle();
    ASSERT_NE(menu->Window(), nullptr);
    driver.Click(menu->Window(), BPoint(20, menu->FindItem("Bert")->Frame().top + 4));
    driver.WaitForIdle();
    EXPECT_EQ(Shown(card), (Lines{" SUM: 1 ", "2002/12/27"}));
    EXPECT_EQ(Find<WorkerDaysView>(card, "udays")->ShownWorkerID(), 12);

    // Asking again while it is open returns it unchanged.
    EXPECT_EQ(Open(ConfigCard::kHolidays), card);
    EXPECT_EQ(card->CardType(), ConfigCard::kOffDays);
}

TEST_F(ConfigCardTest, ShownPositionPastTheListShowsTheFirstWorker)
{
    captured(driver, [&] { STWorker::Existing()->GetWorker(0)->AddUDaysCheck("2002/12/10"); });
    STWorker::Existing()->w_shown = 7;
    ConfigCard* card = Open(ConfigCard::kOffDays);
    EXPECT_EQ(Shown(card), (Lines{" SUM: 1 ", "2002/12/10"}));
}

TEST_F(ConfigCardTest, PickingFromSetsBothFieldsPickingToOnlyTo)
{
    ConfigCard* card = Open(ConfigCard::kOffDays);
    Click(card, "dayfrom");
    CalCard* picker = CalCard::cc_Zgr.load();
    ASSERT_NE(picker, nullptr);
    auto* from = Find(card, "dayfrom");
    card->Lock();
    const BRect field = from->ConvertToScreen(from->Bounds());
    card->Unlock();
    EXPECT_EQ(picker->Frame().LeftTop(), BPoint(field.left - 60, field.bottom + 1));
    picker->Lock();
    EXPECT_EQ(picker->DayText(), "2002/12/09") << "starts on the field's day";
    picker->Unlock();
    driver.Click(picker, middle_of(picker->Grid()->Cell(december_cell(20))));
    driver.Click(picker, middle_of(picker->Grid()->Cell(MonView::kOkCell)));
    driver.WaitForIdle();
    EXPECT_EQ(FieldText(card, "dayfrom"), "2002/12/20");
    EXPECT_EQ(FieldText(card, "dayto"), "2002/12/20");

    PickDay(card, "dayto", 23);
    EXPECT_EQ(FieldText(card, "dayfrom"), "2002/12/20");
    EXPECT_EQ(FieldText(card, "dayto"), "2002/12/23");

    PickDay(card, "dayto", 27);
    PickDay(card, "dayfrom", 10);
    EXPECT_EQ(FieldText(card, "dayfrom"), "2002/12/10");
    EXPECT_EQ(FieldText(card, "dayto"), "2002/12/10");
}

TEST_F(ConfigCardTest, AddingAReversedRangeAddsItsWorkingDays)
{
    ConfigCard* card = Open(ConfigCard::kOffDays);
    PickDay(card, "dayfrom", 23);
    PickDay(card, "dayto", 20);
    const std::string said = captured(driver, [&] { Click(card, "adddays"); });
    EXPECT_EQ(Shown(card), (Lines{" SUM: 2 ", "2002/12/20", "2002/12/23"}));
    EXPECT_NE(said.find("2002/12/21 :Ist FreiZeit"), std::string::npos) << said;
    EXPECT_TRUE(Posted('WBRA'));
    EXPECT_TRUE(Named("Anna")->u_days.empty()) << "only the shown worker";
    EXPECT_EQ(Named("Cara")->IsUrlaub("2002/12/23"), 1);
}

TEST_F(ConfigCardTest, DeletingTheSumLineAndFourDaysRemovesTheFourDays)
{
    GiveOffDays("Cara", {"2002/12/16", "2002/12/17", "2002/12/18", "2002/12/19", "2002/12/20"});
    ConfigCard* card = Open(ConfigCard::kOffDays);
    SelectLines(card, {0, 1, 2, 4, 5});
    Click(card, "delsel");
    EXPECT_EQ(Shown(card), (Lines{" SUM: 1 ", "2002/12/18"}));
    EXPECT_EQ(Named("Cara")->u_days.size(), 1u);
    EXPECT_TRUE(Posted('WBRA'));
}

TEST_F(ConfigCardTest, IllnessCardTakesTheDayFromTheOffDaysAndCloseAsksForTheEditor)
{
    GiveOffDays("Cara", {"2002/12/18"});
    ConfigCard* card = Open(ConfigCard::kIllnessDays, 'I___');
    card->Lock();
    EXPECT_STREQ(Find<BStringView>(card, "caption")->Text(), "Days of illness");
    card->Unlock();
    EXPECT_EQ(Shown(card), (Lines{" SUM: 0 "}));
    PickDay(card, "dayfrom", 18);
    Click(card, "adddays");
    EXPECT_EQ(Shown(card), (Lines{" SUM: 1 ", "2002/12/18"}));
    EXPECT_TRUE(Named("Cara")->u_days.empty());
    EXPECT_EQ(Named("Cara")->IsKrank("2002/12/18"), 1);

    SelectLines(card, {1});
    Click(card, "delsel");
    EXPECT_EQ(Shown(card), (Lines{" SUM: 0 "}));

    posts.Clear();
    Click(card, "close");
    EXPECT_EQ(posts.Codes(), std::vector<uint32>{'WUI!'});
    EXPECT_EQ(ConfigCard::cc_Zgr.load(), nullptr);
}

TEST_F(ConfigCardTest, AWorkerOrListThatWentWhileTheCardWasOpenIsLeftAlone)
{
    GiveOffDays("Cara", {"2002/12/16"});
    ConfigCard* card = Open(ConfigCard::kOffDays);
    PickDay(card, "dayfrom", 17);
    captured(driver, [&] {
        STWorker* workers = STWorker::Existing();
        workers->DeleteSingleWorker(workers->GetWMax());
    });
    posts.Clear();

    std::string said = captured(driver, [&] { Click(card, "adddays"); });
    EXPECT_NE(said.find("worker 13 is gone"), std::string::npos) << said;
    SelectLines(card, {1});
    said = captured(driver, [&] { Click(card, "delsel"); });
    EXPECT_NE(said.find("worker 13 is gone"), std::string::npos) << said;
    EXPECT_TRUE(Named("Anna")->u_days.empty() && Named("Bert")->u_days.empty());
    EXPECT_FALSE(Posted('WBRA'));

    // The whole list closed: nothing is looked up in it any more.
    captured(driver, [&] { STWorker::Existing()->DeleteMe(); });
    said = captured(driver, [&] { Click(card, "adddays"); });
    EXPECT_NE(said.find("the worker list was closed"), std::string::npos) << said;
    EXPECT_FALSE(Posted('WBRA'));
}

TEST_F(ConfigCardTest, HolidayCardAddsListsAndDeletesHolidays)
{
    prefsdata |= VTa_USE_HOLIDAY;
    ConfigCard* card = Open(ConfigCard::kHolidays, 'H___');
    EXPECT_EQ(Shown(card), (Lines{"_Hdays:_0_"}));
    PickDay(card, "hdate", 25);
    auto* name = Find<BTextControl>(card, "dname");
    card->Lock();
    EXPECT_STREQ(name->Text(), "context");
    name->SetText("");
    card->Unlock();
    driver.Click(card, middle_of(name));
    driver.TypeText(card, "Weihnachten");
    Click(card, "addday");
    EXPECT_EQ(Shown(card), (Lines{"_Hdays:_1_", "2002/12/25                         Weihnachten"}));
    EXPECT_TRUE(Posted('Hrel'));
    EXPECT_NE(folder.Read("defs/holiday.vth").find("[HD][2002/12/25][Weihnachten]"),
              std::string::npos);

    // Too short a name is "context"; the line is the day, a blank and the
    // name right-aligned in 35 columns.
    PickDay(card, "hdate", 26);
    card->Lock();
    name->SetText("ab");
    card->Unlock();
    Click(card, "addday");
    const Lines shown = Shown(card);
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[2], "2002/12/26 " + std::string(28, ' ') + "context");

    posts.Clear();
    const std::string said = captured(driver, [&] { Click(card, "addday"); });
    EXPECT_EQ(said, "is scho: 2002/12/26\n");
    EXPECT_TRUE(posts.Codes().empty());

    SelectLines(card, {0, 1});
    Click(card, "delsel");
    EXPECT_EQ(Shown(card), (Lines{"_Hdays:_1_", shown[2]}));
    EXPECT_EQ(STHolidays::getSTHolidays()->IsHoliday("2002/12/25"), 0);
    EXPECT_TRUE(Posted('Hrel'));

    posts.Clear();
    Click(card, "close");
    EXPECT_TRUE(posts.Codes().empty()) << "only the day cards ask for the editor";
    EXPECT_EQ(ConfigCard::cc_Zgr.load(), nullptr);
}

TEST_F(ConfigCardTest, NameCardPresetsAndAnswers)
{
    struct NameCase
    {
        uint32 request;
        const char* preset;
        const char* caption;
        uint32 posted;
        const char* field;
    };
    const NameCase cases[] = {
        {'NNA_', "Proj09", "new Projectname:", 'OPEN', "open"},
        {'SAS_', "Proj1209", "new Projectname:", 'SAS_', "save_as"},
        {'WNA_', "", "Workertemplate Name:", 'WNA_', "fname:"},
        {'ONA_', "", "Ordertemplate Name:", 'ONA_', "fname:"},
    };
    for (const NameCase& test : cases) {
        ConfigCard* card = Open(ConfigCard::kName, test.request);
        auto* field = Find<BTextControl>(card, "name");
        card->Lock();
        EXPECT_STREQ(field->Text(), test.preset);
        EXPECT_STREQ(Find<BStringView>(card, "caption")->Text(), test.caption);
        field->SelectAll();
        card->Unlock();
        posts.Clear();
        driver.TypeText(card, "Werkstatt");
        driver.PressKey(card, B_ENTER_KEY);
        driver.WaitForIdle();
        ASSERT_EQ(posts.Codes(), std::vector<uint32>{test.posted});
        EXPECT_STREQ(posts.Messages()[0].GetString(test.field, ""), "Werkstatt");
        EXPECT_EQ(ConfigCard::cc_Zgr.load(), nullptr);
    }
}

TEST_F(ConfigCardTest, CancelPostsOnlyTheRedrawEvenAfterTyping)
{
    ConfigCard* card = Open(ConfigCard::kName, 'NNA_');
    driver.TypeText(card, "xyz");
    Click(card, "cancel");
    EXPECT_EQ(posts.Codes(), std::vector<uint32>{'WB_A'});
    EXPECT_EQ(ConfigCard::cc_Zgr.load(), nullptr);
}

TEST_F(ConfigCardTest, RefusedNamesAlertAndKeepTheCardOpen)
{
    struct Refused
    {
        const char* typed;
        const char* reason;
    };
    const Refused cases[] = {
        {"abc", "4 to 79 bytes"},
        {"../../etc/passwd", "'/'"},
        {".plan", "begin with a '.'"},
        {"a..b", "\"..\""},
    };
    ConfigCard* card = Open(ConfigCard::kName, 'NNA_');
    auto* field = Find<BTextControl>(card, "name");
    for (const Refused& test : cases) {
        card->Lock();
        field->SelectAll();
        card->Unlock();
        driver.ClearAlerts();
        driver.TypeText(card, test.typed);
        Click(card, "ok");
        ASSERT_TRUE(driver.WaitForAlert()) << test.typed;
        const std::vector<AlertRecord> alerts = driver.Alerts();
        EXPECT_NE(alerts.back().text.find(test.reason), std::string::npos) << alerts.back().text;
        ASSERT_EQ(driver.AnswerAlert(0), B_OK);
        driver.WaitForIdle();
        EXPECT_EQ(ConfigCard::cc_Zgr.load(), card) << test.typed;
        EXPECT_TRUE(posts.Codes().empty()) << test.typed;
        EXPECT_FALSE(folder.Exists(std::string("defs/") + test.typed + ".vto"));
    }
}

TEST_F(ConfigCardTest, SettingsCardsHostTheirViewsAndKeysAreReportedOnce)
{
    for (int32 type : {ConfigCard::kPreferences, ConfigCard::kReportSettings}) {
        ConfigCard* card = nullptr;
        const std::string said = captured(driver, [&] { card = Open(type, 'P___'); });
        EXPECT_EQ(said.find("no view for card type"), std::string::npos);
        card->Lock();
        BView* hosted = card->HostedView();
        card->Unlock();
        if (type == ConfigCard::kPreferences)
            EXPECT_NE(dynamic_cast<PrefsView*>(hosted), nullptr);
        else
            EXPECT_NE(dynamic_cast<HtmSetView*>(hosted), nullptr);
        EXPECT_EQ(captured(driver, [&] { driver.PressKey(card, B_F2_KEY); }),
                  " B_F2_KEY by open pressed !!\n");
        EXPECT_EQ(captured(driver, [&] { driver.PressKey(card, B_F1_KEY); }), "");
        const std::string odd = captured(driver, [&] { card->PostMessage('WHAT'); });
        EXPECT_EQ(odd, "ConfigCard ?? 'WHAT'\n");
        ConfigCard::DeleteMe();
        driver.WaitForIdle();
        EXPECT_EQ(ConfigCard::cc_Zgr.load(), nullptr);
        EXPECT_FALSE(ConfigCard::lbo_xxx.load());
    }

    // "Open HTML" asks the application for the report and closes the card;
    // "Cancel" only closes it.
    for (uint32 button : {uint32('H_23'), uint32('H_22')}) {
        ConfigCard* card = Open(ConfigCard::kReportSettings, 'P___');
        posts.Clear();
        captured(driver, [&] { card->PostMessage(button); });
        driver.WaitForIdle();
        EXPECT_EQ(ConfigCard::cc_Zgr.load(), nullptr);
        EXPECT_EQ(posts.Codes(),
                  button == 'H_23' ? std::vector<uint32>{'OPRH'} : std::vector<uint32>{});
    }
}
