// The order editor worked through the headless driver: paging, typing into
// the fields, dates through the picker, jobs drawn, moved, resized, timed and
// deleted on the canvas, templates, printing and deleting orders. Checked in
// the records and the saved files, not only in the views.
#include "editors/OrderWindow.h"

#include <gtest/gtest.h>

#include "editors/OrderEditor.h"
#include "editors/OrderWindowField.h"
#include "exchange/XmlExport.h"
#include "kit/app/Beep.h"
#include "kit/app/OS.h"
#include "kit/interface/Button.h"
#include "kit/interface/CheckBox.h"
#include "kit/interface/MenuItem.h"
#include "kit/interface/PopUpMenu.h"
#include "kit/interface/StringView.h"
#include "kit/print/PrintDialog.h"
#include "kit/print/PrintJob.h"
#include "planner/ProzView.h"
#include "widgets/CalCard.h"
#include "widgets/MonView.h"

namespace {

int32 JobCount(OrderEditor& editor)
{
    int32 count = 0;
    editor.WithShown([&](Order& order) { count = int32(order.jobs.size()); });
    return count;
}

} // namespace

TEST(OrderWindow, PagingWrapsAtBothEnds)
{
    OrderEditor editor;
    EXPECT_EQ(editor.Text("onam"), "Alpha");
    const struct
    {
        const char* button;
        const char* shown;
    } steps[] = {
        {"ofwd", "Bravo"},  {"ofwd", "Charly"}, {"ofwd", "Alpha"}, // past the last: the first
        {"obwd", "Charly"},                                        // before the first: the last
        {"obwd", "Bravo"},
    };
    for (const auto& step : steps) {
        Printed([&] { editor.ClickButton(step.button); });
        EXPECT_EQ(editor.Text("onam"), step.shown) << step.button;
        EXPECT_EQ(editor.ShownName(), step.shown);
        EXPECT_EQ(editor.Text("ouni"), std::string("U") + (step.shown[0] == 'A'   ? "1"
                                                           : step.shown[0] == 'B' ? "2"
                                                                                  : "3"));
    }
    // Each page shows that order's jobs on the canvas, no more.
    editor.window->Lock();
    EXPECT_EQ(editor.window->Canvas()->CountChildren(), 1);
    editor.window->Unlock();
}

TEST(OrderWindow, TypedFieldsReachTheRecordAndTheOrderFile)
{
    OrderEditor editor;
    Printed([&] {
        editor.Type("onam", "A-77 [rush]");
        editor.Type("oznr", "Z-0815", B_TAB_KEY);
        editor.Type("ouni", "Box", B_ENTER_KEY);
    });
    editor.WithShown([](Order& order) {
        EXPECT_EQ(order.oauft, "A-77 (rush)") << "brackets would end the field";
        EXPECT_EQ(order.oznr, "Z-0815");
        EXPECT_EQ(order.owkz, "Box");
    });
    EXPECT_EQ(editor.Text("onam"), "A-77 (rush)") << "the field shows what the record took";
    EXPECT_TRUE(editor.Seen('WBRO')) << "a new name is shown in the calendar";

    Printed([&] { EXPECT_TRUE(editor.list->SaveOrderList()); });
    EXPECT_NE(editor.shop.folder.Read("defs/plan.vto")
                  .find("[IT][A-77 (rush)][Z-0815][Box][2003/01/31][2003/01/20]"),
              std::string::npos);
}

TEST(OrderWindow, HalfTypedTextIsKeptOnPagingDeactivationSaveAndClose)
{
    OrderEditor editor;
    // Paging away from a typed name.
    Printed([&] {
        editor.Type("onam", "Paged", 0);
        editor.ClickButton("ofwd");
    });
    EXPECT_EQ(editor.list->GetOrder(0)->oauft, "Paged");

    // Another window comes to the front.
    {
        TestWindow other("other");
        other.ShowAndWait();
        Printed([&] {
            editor.Type("oznr", "Half", 0);
            other.window->Activate();
            editor.Relay();
        });
        EXPECT_EQ(editor.list->GetOrder(1)->oznr, "Half");
    }

    // A save asked for by the application: the text first, then the save.
    Printed([&] {
        editor.Type("ouni", "Crate", 0);
        BMessage apply('OAPL');
        apply.AddInt32("reply", 'S_DA');
        editor.seen.clear();
        editor.Send(apply);
    });
    EXPECT_EQ(editor.list->GetOrder(1)->owkz, "Crate");
    EXPECT_TRUE(editor.Seen('S_DA'));

    // Closing with the option "save on close": the file has the text.
    prefsdata.fetch_or(VTa_SAVEONCLOSE);
    Printed([&] {
        editor.Type("onam", "Closed", 0);
        editor.window->PostMessage(B_QUIT_REQUESTED);
        editor.window = nullptr;
        editor.Relay();
    });
    EXPECT_EQ(editor.list->GetOrder(1)->oauft, "Closed");
    EXPECT_NE(editor.shop.folder.Read("defs/plan.vto").find("[IT][Closed][Half][Crate]"),
              std::string::npos);
    EXPECT_TRUE(editor.Seen('VTOC'));
    EXPECT_EQ(OrderWindow::kbo_ord, 0);
}

TEST(OrderWindow, FieldsRefuseWhatTheRecordCannotCarry)
{
    OrderEditor editor;
    const struct
    {
        const char* field;
        size_t max;
    } fields[] = {
        {"onam", Order::kNameMax}, {"oznr", Order::kDrawingMax}, {"ouni", Order::kToolMax}};
    for (const auto& f : fields) {
        const int32 beeps = beep_count();
        Printed([&] { editor.Type(f.field, std::string(f.max + 7, 'x') + "\xc3\xa4"); });
        EXPECT_EQ(editor.Text(f.field), std::string(f.max, 'x')) << f.field;
        EXPECT_GT(beep_count(), beeps);
    }
    editor.WithShown([](Order& order) {
        EXPECT_EQ(order.oauft.size(), Order::kNameMax);
        EXPECT_EQ(order.owkz.size(), Order::kToolMax);
    });
    Printed([&] { EXPECT_TRUE(editor.list->SaveOrderList()); });
    EXPECT_NE(editor.shop.folder.Read("defs/plan.vto")
                  .find("[IT][" + std::string(Order::kNameMax, 'x') + "]"),
              std::string::npos)
        << "written whole";
}

TEST(OrderWindow, DatesAreTypedOrPickedAndBadDatesRefused)
{
    OrderEditor editor;
    // A typed day is taken; the deadline before the plan date is marked.
    Printed([&] { editor.Type("odli", "2003/01/10"); });
    editor.WithShown([](Order& order) {
        EXPECT_EQ(order.odli, "2003/01/10");
        EXPECT_EQ(order.o_over, 1);
    });
    EXPECT_EQ(editor.View<BTextControl>("odli")->Label(), STLabel::getLabel(o_labs, 3) + "!");

    // Not a day: refused with an alert, the old day stays.
    for (const char* bad : {"2003/02/30", "tomorrow", "2003-01-05", "2003/1/5"}) {
        editor.driver.ClearAlerts();
        Printed([&] { editor.Type("opdl", bad); });
        editor.WithShown([](Order& order) { EXPECT_EQ(order.opdl, "2003/01/20"); });
        EXPECT_EQ(editor.Text("opdl"), "2003/01/20") << bad;
        ASSERT_EQ(editor.AlertTexts().size(), 1u) << bad;
        EXPECT_EQ(editor.AlertTexts()[0], std::string("Not a date (yyyy/mm/dd): ") + bad);
        editor.CloseAlerts();
    }

    // Enter on the untouched field opens the picker on its day; the 28th
    // of January picked and confirmed becomes the plan date.
    Printed([&] { editor.Type("opdl", "2003/01/20"); });
    CalCard* card = CalCard::cc_Zgr;
    ASSERT_NE(card, nullptr);
    EXPECT_EQ(card->DayText(), "2003/01/20");
    // January 2003 begins on a Wednesday (w = 2): day d is child d + w + 9.
    auto click_child = [&](int32 index) {
        card->Lock();
        BView* cell = card->Grid()->ChildAt(index);
        const BRect bounds = cell->Bounds();
        const BPoint point = card->ConvertFromScreen(cell->ConvertToScreen(
            BPoint((bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2)));
        card->Unlock();
        editor.driver.Click(card, point);
        editor.driver.WaitForIdle();
    };
    Printed([&] {
        click_child(28 + 2 + 9);
        click_child(0);
        editor.Relay();
    });
    editor.WithShown([](Order& order) { EXPECT_EQ(order.opdl, "2003/01/28"); });
    EXPECT_EQ(editor.Text("opdl"), "2003/01/28");
    EXPECT_EQ(editor.list->sortmode, 0);
}

namespace {

// The job canvas's point (x, y) in window coordinates.
BPoint OnCanvas(OrderEditor& editor, float x, float y)
{
    return editor.At(editor.window->Canvas(), x, y);
}

// Presses at from, moves to to and, once the drag loop has drawn the bar
// over until (canvas coordinates), releases.
void DragJob(OrderEditor& editor, BPoint from, BPoint to, BPoint until)
{
    // The drag loop holds the window: every point is taken before it runs.
    const rgb_color bar = AskColor(uc_PBo);
    const BPoint press = OnCanvas(editor, from.x, from.y);
    const BPoint target = OnCanvas(editor, to.x, to.y);
    const BPoint probe = OnCanvas(editor, until.x, until.y);
    editor.driver.MouseDown(editor.window, press);
    editor.driver.MouseMove(editor.window, target);
    bool done = false;
    for (int polls = 0; polls < 2500 && !done; polls++) {
        const rgb_color pixel = editor.driver.Pixel(editor.window, probe);
        done = pixel.red == bar.red && pixel.green == bar.green && pixel.blue == bar.blue;
        snooze(2'000);
    }
    EXPECT_TRUE(done);
    editor.driver.MouseUp(editor.window, target);
    editor.Relay();
}

// The shown order's jobs as "left,top,right,bottom:hours" in their order.
std::string Jobs(OrderEditor& editor)
{
    std::string text;
    editor.WithShown([&](Order& order) {
        for (const auto& job : order.jobs) {
            const BRect f = job->j_pos;
            text += (text.empty() ? "" : " ") + std::to_string(int(f.left)) + "," +
                    std::to_string(int(f.top)) + "," + std::to_string(int(f.right)) + "," +
                    std::to_string(int(f.bottom)) + ":" + TInt2str(job->j_time);
        }
    });
    return text;
}

} // namespace

TEST(OrderWindow, JobsAreDrawnTimedMovedResizedAndDeletedOnTheCanvas)
{
    OrderEditor editor;
    EXPECT_EQ(Jobs(editor), "10,10,70,30:16:30 80,10,130,30:8:00");

    // A rectangle drawn on the free canvas becomes a job of the first worker.
    Printed([&] {
        editor.driver.Drag(editor.window, OnCanvas(editor, 205, 65), OnCanvas(editor, 262, 95));
        editor.Relay();
    });
    EXPECT_EQ(Jobs(editor), "10,10,70,30:16:30 80,10,130,30:8:00 200,60,270,100:16:00");
    editor.WithShown([](Order& order) {
        EXPECT_EQ(order.jobs[2]->j_id, 1);
        EXPECT_EQ(order.o_sum, 4030);
    });
    EXPECT_STREQ(editor.View<BStringView>("stds")->Text(), " Sum Hours:  40:30");

    // Clicking a job shows its hours; negative hours are refused.
    auto select = [&](float x, float y) {
        editor.driver.Click(editor.window, OnCanvas(editor, x, y));
        editor.Relay();
    };
    Printed([&] { select(45, 25); });
    EXPECT_EQ(editor.window->SelectedJob(), 0);
    EXPECT_EQ(editor.Text("pbtim"), "16:30");
    EXPECT_EQ(editor.Text("pbinf"), "Saw");
    Printed([&] { editor.Type("pbtim", "-2"); });
    EXPECT_EQ(editor.AlertTexts(),
              (std::vector<std::string>{"A job cannot take negative hours. "}));
    EXPECT_EQ(editor.Text("pbtim"), "16:30");
    EXPECT_EQ(Jobs(editor), "10,10,70,30:16:30 80,10,130,30:8:00 200,60,270,100:16:00");
    editor.CloseAlerts();

    Printed([&] {
        editor.Type("pbinf", "Saw twice", B_TAB_KEY);
        editor.Type("pbtim", "7.50");
    });
    EXPECT_EQ(Jobs(editor), "10,10,70,30:7:50 80,10,130,30:8:00 200,60,270,100:16:00");
    editor.WithShown([](Order& order) { EXPECT_EQ(order.jobs[0]->j_info, "Saw twice"); });
    EXPECT_STREQ(editor.View<BStringView>("stds")->Text(), " Sum Hours:  31:50");
    EXPECT_EQ(editor.window->SelectedJob(), -1) << "the inputs close after the hours";

    // The same hours again: no order check.
    Printed([&] {
        select(45, 25);
        editor.seen.clear();
        editor.Type("pbtim", "7:50");
    });
    EXPECT_FALSE(editor.Seen('OSAM'));

    // The new job's handle moves it, its corner resizes it, on the grid.
    Printed([&] { DragJob(editor, {205, 65}, {215, 75}, {264, 86}); });
    EXPECT_EQ(Jobs(editor), "10,10,70,30:7:50 80,10,130,30:8:00 210,70,280,110:16:00");
    Printed([&] { DragJob(editor, {277, 107}, {320, 120}, {315, 116}); });
    EXPECT_EQ(Jobs(editor), "10,10,70,30:7:50 80,10,130,30:8:00 210,70,320,120:16:00");

    // "Delete" in the job's menu: the next rescan takes it out of the order.
    const BPoint secondBar = OnCanvas(editor, 105, 25);
    editor.window->Lock();
    const int32 shown = editor.window->ShownOrderId();
    editor.window->Unlock();
    Printed([&] {
        editor.driver.MouseDown(editor.window, secondBar, B_SECONDARY_MOUSE_BUTTON);
        editor.driver.WaitForIdle();
    });
    // The open menu holds the window; the job is found through the list.
    BPopUpMenu* menu = nullptr;
    {
        BAutolock lock(editor.list->Lock());
        menu = editor.list->GetOrderWithID(shown)->jobs[1]->contextMenu;
    }
    ASSERT_NE(menu, nullptr);
    ASSERT_NE(menu->Window(), nullptr);
    const BRect remove = menu->ItemAt(4)->Frame();
    Printed([&] {
        editor.driver.Click(menu->Window(),
                            {(remove.left + remove.right) / 2, (remove.top + remove.bottom) / 2});
        editor.driver.MouseUp(editor.window, secondBar);
        editor.Relay();
    });
    EXPECT_EQ(Jobs(editor), "10,10,70,30:7:50 210,70,320,120:16:00");
    editor.window->Lock();
    EXPECT_EQ(editor.window->Canvas()->CountChildren(), 2);
    editor.window->Unlock();

    Printed([&] { EXPECT_TRUE(editor.list->SaveOrderList()); });
    const std::string file = editor.shop.folder.Read("defs/plan.vto");
    EXPECT_NE(file.find("[PB][1][7][1][3][1][0][7:50][0][Saw twice]\n"
                        "[PB][21][32][7][12][1][0][16:00][1][-]\n"),
              std::string::npos)
        << file;
}

TEST(OrderWindow, NoWorkerNoJob)
{
    OrderEditor editor(kThreeOrders, "; --");
    const int32 before = JobCount(editor);
    Printed([&] {
        editor.driver.Drag(editor.window, OnCanvas(editor, 205, 65), OnCanvas(editor, 262, 95));
        editor.Relay();
    });
    EXPECT_EQ(JobCount(editor), before);
    EXPECT_EQ(editor.AlertTexts(),
              (std::vector<std::string>{"There is no worker yet: add a worker before a job. "}));
}

TEST(OrderWindow, AnEmptyOrderListShowsAnEmptyDisabledEditor)
{
    OrderEditor editor("");
    EXPECT_EQ(editor.window->ShownOrderId(), -1);
    EXPECT_EQ(editor.Text("onam"), "");
    EXPECT_FALSE(editor.View<BControl>("onam")->IsEnabled());
    EXPECT_FALSE(editor.View<BControl>("ofwd")->IsEnabled());
    Printed([&] {
        editor.Send(BMessage('OFWD'));
        editor.Send(BMessage('OBWD'));
        editor.Send(BMessage('ODel'));
        BMessage rect('OADW');
        rect.AddRect("a_rect", BRect(10, 10, 60, 40));
        editor.Send(rect);
        editor.Send(BMessage('OSAM'));
    });
    EXPECT_EQ(editor.window->ShownOrderId(), -1);
    EXPECT_TRUE(editor.AlertTexts().empty());

    // An order added by the application is shown and editable.
    Printed([&] {
        editor.list->AddOrder(true);
        editor.Relay();
    });
    EXPECT_NE(editor.window->ShownOrderId(), -1);
    EXPECT_TRUE(editor.View<BControl>("onam")->IsEnabled());
}

TEST(OrderWindow, DeletingOrdersKeepsTheLastOne)
{
    OrderEditor editor;
    Printed([&] {
        editor.ClickButton("ofwd");
        editor.Send(BMessage('2123')); // the Delete key
        editor.ClickButton("odel");
    });
    ASSERT_EQ(editor.list->GetOMax(), 1);
    EXPECT_NE(editor.list->GetOrder(0)->oauft, "Bravo");
    EXPECT_NE(editor.list->GetOrder(1)->oauft, "Bravo");
    EXPECT_NE(editor.ShownName(), "Bravo");

    Printed([&] { editor.Send(BMessage('ODel')); });
    ASSERT_EQ(editor.list->GetOMax(), 0);
    Printed([&] { editor.Send(BMessage('ODel')); });
    ASSERT_EQ(editor.list->GetOMax(), 0) << "the last order stays";
    EXPECT_EQ(editor.AlertTexts(), (std::vector<std::string>{"Don't delete LAST Order! "}));
    EXPECT_EQ(editor.Text("onam"), editor.list->GetOrder(0)->oauft);
}

TEST(OrderWindow, StatusTypeAndNeedGoIntoTheOrder)
{
    OrderEditor editor;
    const struct
    {
        uint32 what;
        int32 value;
        int32 Order::*field;
    } rules[] = {
        {'O_ST', kOStatBreak, &Order::ostat},
        {'O_TY', kOTypRepeat, &Order::otyp},
        {'OA_X', 1, &Order::oneed},
    };
    for (const auto& rule : rules) {
        BMessage message(rule.what);
        message.AddInt32(rule.what == 'OA_X' ? "be:value" : "index", rule.value);
        editor.seen.clear();
        Printed([&] { editor.Send(message); });
        editor.WithShown([&](Order& order) { EXPECT_EQ(order.*rule.field, rule.value); });
        EXPECT_TRUE(editor.Seen('WBRO'));
    }
    // Values no menu has are ignored.
    BMessage wrong('O_ST');
    wrong.AddInt32("index", 9);
    Printed([&] { editor.Send(wrong); });
    editor.WithShown([](Order& order) { EXPECT_EQ(order.ostat, kOStatBreak); });
    Printed([&] { EXPECT_TRUE(editor.list->SaveOrderList()); });
    EXPECT_NE(editor.shop.folder.Read("defs/plan.vto").find("[2003/01/20][1][4][1]"),
              std::string::npos);
}

TEST(OrderWindow, TemplatesAreSavedAndUsed)
{
    OrderEditor editor;
    Printed([&] {
        editor.Type("opdl", "2003/01/25", 0);
        BMessage name('ONA_');
        name.AddString("fname:", "frame");
        editor.Send(name);
    });
    EXPECT_TRUE(editor.Seen('O+TE'));
    const std::string templ = editor.shop.folder.Read("templates/frame.otp");
    EXPECT_NE(templ.find("[IT][TEMPLATE][xxx][xxx][2003/01/31][2003/01/25]"), std::string::npos)
        << "typed text goes in first: " << templ;
    EXPECT_NE(templ.find("[16:30][0][Saw]\n[PB]"), std::string::npos);

    for (const char* bad : {"../up", "a/b", "ab"}) {
        editor.driver.ClearAlerts();
        BMessage name('ONA_');
        name.AddString("fname:", bad);
        Printed([&] { editor.Send(name); });
        EXPECT_EQ(editor.AlertTexts().size(), 1u) << bad;
        editor.CloseAlerts();
    }
    EXPECT_EQ(editor.shop.folder.CountFiles("templates"), 1);

    // The application makes an order of it; the editor shows that order.
    Printed([&] {
        BMessage use('O+TF');
        use.AddString("fname", "frame");
        editor.list->AddOrderTemplate(&use);
        editor.Relay();
    });
    EXPECT_EQ(editor.list->GetOMax(), 3);
    EXPECT_EQ(editor.Text("onam"), "TEMPLATE");
    EXPECT_EQ(JobCount(editor), 2);
    EXPECT_NE(editor.window->ShownOrderId(), editor.list->GetOrder(0)->onr);
}

namespace {

class SavingDialog : public PrintDialog
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

TEST(OrderWindow, PrintsItselfAndHandsCommandsOn)
{
    OrderEditor editor;
    SavingDialog dialog;
    BPrintJob::SetDialogForTesting(&dialog);
    Printed([&] { editor.ClickButton("oprn"); });
    BPrintJob::SetDialogForTesting(nullptr);
    EXPECT_EQ(dialog.asked, 2);
    EXPECT_EQ(editor.shop.folder.CountFiles("defs") >= 3, true) << "the PDF beside the project";

    editor.seen.clear();
    Printed([&] {
        editor.ClickButton("ocal");
        editor.ClickButton("owko");
        editor.ClickButton("satp");
    });
    EXPECT_TRUE(editor.Seen('VTCO'));
    EXPECT_TRUE(editor.Seen('VTWO'));
    EXPECT_TRUE(editor.Seen('NwOT'));

    // Escape closes the editor.
    Printed([&] {
        editor.driver.PressKey(editor.window, B_ESCAPE_KEY);
        editor.Relay();
    });
    EXPECT_TRUE(editor.Seen('VTOC'));
    editor.window = nullptr;
}

TEST(OrderWindow, DroppedProjectFileAddsTheOrdersItLacks)
{
    OrderEditor editor;
    const std::string xml = editor.shop.folder.Path("defs/other.xml");
    Printed([&] {
        ASSERT_TRUE(XML_Header(xml.c_str()));
        ASSERT_TRUE(editor.list->SaveAsXML(xml));
        ASSERT_TRUE(XML_End(xml.c_str()));
        editor.Type("onam", "Alpha renamed");
    });
    // Dropped beside the controls, on the window's own background.
    Printed([&] {
        editor.driver.DropFile(editor.window, editor.At(editor.View("oback"), 30, -6), xml);
        editor.Relay();
    });
    ASSERT_EQ(editor.list->GetOMax(), 3) << "only Alpha was missing";
    EXPECT_EQ(editor.list->GetOrder(3)->oauft, "Alpha");
    EXPECT_EQ(editor.list->GetOrder(3)->jobs.size(), 2u);
}
