// The preferences card worked like a user: check boxes, snapshot format,
// Undo, the slot menu and every way a colour comes in, with what it
// changes, posts, draws and writes.
#include "widgets/PrefsView.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

#include "app/AppPost.h"
#include "app/ColorHelpers.h"
#include "app/Settings.h"
#include "kit/app/AppDefs.h"
#include "kit/app/Beep.h"
#include "kit/app/Clipboard.h"
#include "kit/app/TypeConstants.h"
#include "kit/interface/CheckBox.h"
#include "kit/interface/MenuField.h"
#include "kit/interface/MenuTestSupport.h"
#include "kit/interface/RadioButton.h"
#include "kit/interface/TextControl.h"
#include "support/ProgramFolder.h"
#include "widgets/ColorField.h"

namespace {

constexpr int32 kUnnamedBits = VTa_HTML_BROWSER | VTa_RESERVE_1 | VTa_RESERVE_0 | VTa_USERMODE;

struct CheckCase
{
    const char* name;
    int32 bit;
};

const CheckCase kCheckCases[] = {
    {"S_01", VTa_SAVEONCLOSE},  {"S_03", VTa_BORD_BUTT},    {"S_04", VTa_USE_IMAGE},
    {"S_08", VTa_USE_LANGUAGE}, {"S_05", VTa_SHOWPROZINFO}, {"S_09", VTa_USE_HOLIDAY},
    {"S_06", VTa_PB_READY_HIR}, {"S_07", VTa_SHOW_NAME},
};

class PrefsCard : public testing::Test
{
public:
    ~PrefsCard() override { Close(); }

    void Open()
    {
        fWindow = new RecordingWindow(
            "prefs", BRect(100, 100, 100 + PrefsView::kWidth - 1, 100 + PrefsView::kHeight - 1));
        fView = new PrefsView(BRect(0, 0, PrefsView::kWidth - 1, PrefsView::kHeight - 1));
        fWindow->AddChild(fView);
        fWindow->Show();
        fDriver.WaitForIdle();
    }

    // The view goes with its window, as when the card closes.
    void Close()
    {
        if (fWindow != nullptr && fWindow->Lock())
            fWindow->Quit();
        fWindow = nullptr;
        fView = nullptr;
    }

    template <typename View = BView>
    View* Find(const char* name)
    {
        return dynamic_cast<View*>(fView->FindView(name));
    }

    // The centre of a named view, in window coordinates.
    BPoint At(const char* name)
    {
        fWindow->Lock();
        BView* view = fView->FindView(name);
        BPoint centre =
            view->ConvertToScreen(center_of(view->Bounds())) - fWindow->Frame().LeftTop();
        fWindow->Unlock();
        return centre;
    }

    void ClickOn(const char* name, uint32 modifiers = 0)
    {
        fDriver.Click(fWindow, At(name), B_PRIMARY_MOUSE_BUTTON, 1, modifiers);
        fDriver.WaitForIdle();
    }

    // Into a text field: everything in it replaced by text, then Enter.
    void TypeInto(const char* name, const std::string& text, bool enter = true)
    {
        ClickOn(name);
        fDriver.PressShortcut(fWindow, 'a');
        fDriver.TypeText(fWindow, text);
        if (enter)
            fDriver.PressKey(fWindow, B_ENTER_KEY);
        fDriver.WaitForIdle();
    }

    void ChooseSlot(int32 slot)
    {
        ClickOn("colMF");
        BMenu* menu = Find<BMenuField>("colMF")->Menu();
        fDriver.Click(menu->Window(), center_of(menu->ItemAt(slot)->Frame()));
        fDriver.WaitForIdle();
    }

    std::string Text(const char* name)
    {
        fWindow->Lock();
        std::string text = Find<BTextControl>(name)->Text();
        fWindow->Unlock();
        return text;
    }

    int32 Value(const char* name)
    {
        fWindow->Lock();
        int32 value = Find<BControl>(name)->Value();
        fWindow->Unlock();
        return value;
    }

    rgb_color FieldPixel() { return fDriver.Pixel(fWindow, At("colsv") + BPoint(-50, 0)); }

    std::string SettingsFile(const char* name)
    {
        return ReadWholeFile(SettingsFolder() + "/" + name);
    }

    ProgramFolder fProgram;
    AppPostRecorder fPosts;
    HeadlessDriver fDriver;
    RecordingWindow* fWindow = nullptr;
    PrefsView* fView = nullptr;
};

void PutOnClipboard(const std::string& text)
{
    be_clipboard->Lock();
    be_clipboard->Clear();
    be_clipboard->Data()->AddData("text/plain", B_MIME_TYPE, text.data(), ssize_t(text.size()));
    be_clipboard->Commit();
    be_clipboard->Unlock();
}

} // namespace

TEST_F(PrefsCard, OpensWithTheBitsTheSnapshotFormatAndSlotZero)
{
    const struct
    {
        int32 prefs;
        const char* snapshot;
        const char* chosen; // radio button on, or null for none
    } cases[] = {
        {kDefaultPrefs, "vtsnap.jpg", "asj"},
        {0x3ff, "shot.gif", "asg"},
        {0, "my.png", "asp"},
        {VTa_USE_HOLIDAY | VTa_USERMODE, "plain.bmp", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.snapshot);
        prefsdata = c.prefs;
        ASSERT_TRUE(SetSnapshotName(c.snapshot));
        Open();
        for (const CheckCase& check : kCheckCases)
            EXPECT_EQ(Value(check.name), (c.prefs & check.bit) != 0 ? 1 : 0) << check.name;
        for (const char* radio : {"asj", "asg", "asp"})
            EXPECT_EQ(Value(radio), c.chosen != nullptr && std::string(radio) == c.chosen) << radio;
        // Opening changes nothing.
        EXPECT_EQ(prefsdata.load(), c.prefs);
        EXPECT_EQ(fView->SelectedSlot(), 0);
        EXPECT_EQ(Text("colhex"), "#FAFAF9");
        EXPECT_EQ(Text("colr"), "250");
        EXPECT_EQ(Find<BMenuField>("colMF")->FieldText(), "OR Preview");
        Close();
    }
}

TEST_F(PrefsCard, EachCheckBoxTogglesItsBitAndTheUnnamedBitsGo)
{
    prefsdata = kDefaultPrefs | kUnnamedBits;
    Open();
    int32 expected = kDefaultPrefs & ~kUnnamedBits;
    for (const CheckCase& check : kCheckCases) {
        SCOPED_TRACE(check.name);
        ClickOn(check.name);
        expected ^= check.bit;
        EXPECT_EQ(prefsdata.load(), expected);
    }
    // Only the holiday choice needs the application: it reloads the list.
    EXPECT_EQ(fPosts.Codes(), std::vector<uint32>{'Hrel'});
    ClickOn("S_09");
    EXPECT_EQ(fPosts.Codes(), (std::vector<uint32>{'Hrel', 'Hrel'}));
}

TEST_F(PrefsCard, SnapshotFormatNamesTheSnapshotFile)
{
    Open();
    const std::pair<const char*, const char*> cases[] = {
        {"asg", "vtsnap.gif"}, {"asp", "vtsnap.png"}, {"asj", "vtsnap.jpg"}, {"asp", "vtsnap.png"}};
    for (auto [radio, name] : cases) {
        ClickOn(radio);
        EXPECT_EQ(UserSNAP_IMG, name);
        EXPECT_EQ(Value(radio), 1);
    }
}

TEST_F(PrefsCard, UndoPutsBackBitsAndSnapshotAndReloadsHolidays)
{
    prefsdata = kDefaultPrefs;
    ASSERT_TRUE(SetSnapshotName("mine.gif"));
    Open();
    ClickOn("S_01");
    ClickOn("S_07");
    ClickOn("asp");
    ASSERT_NE(prefsdata.load(), kDefaultPrefs);
    fPosts.Clear();

    ClickOn("pcan");
    EXPECT_EQ(prefsdata.load(), kDefaultPrefs);
    EXPECT_EQ(UserSNAP_IMG, "mine.gif");
    EXPECT_EQ(Value("S_01"), 0);
    EXPECT_EQ(Value("S_07"), 0);
    EXPECT_EQ(Value("asg"), 1);
    EXPECT_EQ(Value("asp"), 0);
    EXPECT_EQ(fPosts.Codes(), std::vector<uint32>{'Hrel'});
    // The card stays; "Save & Close" is the window's to handle.
    EXPECT_TRUE(is_visible(fDriver, fWindow));
    ClickOn("ok_v");
    EXPECT_EQ(fWindow->Messages(PrefsView::kMsgClose).size(), 1u);
}

TEST_F(PrefsCard, TheSlotMenuShowsEachSlot)
{
    Open();
    const struct
    {
        int32 slot;
        const char* label;
        const char* hex;
    } cases[] = {{13, "CL Holiday", "#F0F03C"},
                 {2, "OR Progress", "#1BE3E3"},
                 {9, "KN Mark", "#1814F0"},
                 {17, "Reserve 1", "#B4B4B4"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        ChooseSlot(c.slot);
        EXPECT_EQ(fView->SelectedSlot(), c.slot);
        EXPECT_EQ(Find<BMenuField>("colMF")->FieldText(), c.label);
        EXPECT_EQ(Text("colhex"), c.hex);
        rgb_color slot = AskColor(c.slot);
        EXPECT_EQ(Text("colg"), std::to_string(slot.green));
        EXPECT_RGB(FieldPixel(), slot);
    }
}

TEST_F(PrefsCard, EveryWayInSetsTheSlotAndKeepsItsAlpha)
{
    // Illness: alpha 80, drawn see-through over the calendar.
    const int32 slot = uc_ILL;
    const struct
    {
        const char* how;
        std::function<void(PrefsCard*)> act;
        rgb_color from; // the slot before
        rgb_color to;
        const char* hexShown = nullptr; // what the hex field shows, when not the colour
    } cases[] = {
        {"typed hex and Enter",
         [](PrefsCard* t) { t->TypeInto("colhex", "#102030"); },
         {32, 185, 32, 80},
         {16, 32, 48, 80}},
        {"typed hex, no Enter",
         [](PrefsCard* t) { t->TypeInto("colhex", "a0b0c0", false); },
         {32, 185, 32, 80},
         {160, 176, 192, 80},
         "a0b0c0"},
        {"text dropped on the field",
         [](PrefsCard* t) { t->fDriver.DropText(t->fWindow, t->At("colsv"), " #C0FFEE\n"); },
         {32, 185, 32, 80},
         {192, 255, 238, 80}},
        {"text dropped anywhere on the card",
         [](PrefsCard* t) { t->fDriver.DropText(t->fWindow, t->At("S_04"), "#010203"); },
         {32, 185, 32, 80},
         {1, 2, 3, 80}},
        {"Ctrl+V on the colour field",
         [](PrefsCard* t) {
             PutOnClipboard("#0A0B0C");
             t->ClickOn("colsv");
             t->fDriver.PressShortcut(t->fWindow, 'v');
         },
         {32, 185, 32, 80},
         {10, 11, 12, 80}},
        {"Ctrl+V into the hex field",
         [](PrefsCard* t) {
             PutOnClipboard("#112233");
             t->ClickOn("colhex");
             t->fDriver.PressShortcut(t->fWindow, 'a');
             t->fDriver.PressShortcut(t->fWindow, 'v');
         },
         {32, 185, 32, 80},
         {17, 34, 51, 80}},
        {"a colour dropped",
         [](PrefsCard* t) {
             BMessage drop(B_SIMPLE_DATA);
             const rgb_color dropped = {90, 80, 70, 255};
             drop.AddData("RGBColor", B_RGB_COLOR_TYPE, &dropped, sizeof(dropped));
             t->fWindow->PostMessage(&drop, t->Find("colsv"));
         },
         {32, 185, 32, 80},
         {90, 80, 70, 80}},
        {"black dropped", // the fallback colour of the lookup
         [](PrefsCard* t) {
             BMessage drop(B_SIMPLE_DATA);
             const rgb_color dropped = {0, 0, 0, 0};
             drop.AddData("RGBColor", B_RGB_COLOR_TYPE, &dropped, sizeof(dropped));
             t->fWindow->PostMessage(&drop, t->Find("colsv"));
         },
         {32, 185, 32, 80},
         {0, 0, 0, 80}},
        {"+ on red", [](PrefsCard* t) { t->ClickOn("r+"); }, {32, 185, 32, 80}, {33, 185, 32, 80}},
        {"Shift - on green",
         [](PrefsCard* t) { t->ClickOn("g-", B_SHIFT_KEY); },
         {32, 185, 32, 80},
         {32, 169, 32, 80}},
        {"+ at 255 stays",
         [](PrefsCard* t) { t->ClickOn("b+", B_SHIFT_KEY); },
         {32, 185, 250, 80},
         {32, 185, 255, 80}},
        {"- at 0 stays",
         [](PrefsCard* t) { t->ClickOn("r-"); },
         {0, 185, 32, 80},
         {0, 185, 32, 80}},
        {"typed blue and Enter",
         [](PrefsCard* t) { t->TypeInto("colb", "7"); },
         {32, 185, 32, 80},
         {32, 185, 7, 80}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        PokeColor(slot, c.from);
        Open();
        ChooseSlot(slot);
        c.act(this);
        fDriver.WaitForIdle();
        EXPECT_EQ(AskColor(slot), c.to);
        // The field being typed in is left as typed.
        EXPECT_EQ(Text("colhex"), c.hexShown != nullptr ? c.hexShown : "#" + rgb2str(c.to));
        EXPECT_EQ(Text("colr"), std::to_string(c.to.red));
        EXPECT_EQ(Text("colb"), std::to_string(c.to.blue));
        EXPECT_RGB(FieldPixel(), c.to);
        // Only the chosen slot changes.
        EXPECT_EQ(AskColor(uc_HOL), (rgb_color{132, 132, 255, 80}));
        Close();
    }
}

TEST_F(PrefsCard, WhatHoldsNoColourChangesNothing)
{
    const rgb_color before = AskColor(uc_PRO);
    const struct
    {
        const char* how;
        std::function<void(PrefsCard*)> act;
        int beeps;
    } cases[] = {
        {"half a colour typed", [](PrefsCard* t) { t->TypeInto("colhex", "#12", false); }, 0},
        {"bad hex entered", [](PrefsCard* t) { t->TypeInto("colhex", "#12345G"); }, 1},
        {"red above 255", [](PrefsCard* t) { t->TypeInto("colr", "300"); }, 1},
        {"green not a number", [](PrefsCard* t) { t->TypeInto("colg", "1e2"); }, 1},
        {"a dropped word",
         [](PrefsCard* t) { t->fDriver.DropText(t->fWindow, t->At("colsv"), "teal"); }, 1},
        {"a file without a colour",
         [](PrefsCard* t) {
             t->fProgram.Write("defs/plain.txt", "#FFFFFF");
             t->fDriver.DropFile(t->fWindow, t->At("colsv"), t->fProgram.Path("defs/plain.txt"));
         },
         1},
        {"pasting an empty clipboard",
         [](PrefsCard* t) {
             PutOnClipboard("");
             t->ClickOn("colsv");
             t->fDriver.PressShortcut(t->fWindow, 'v');
         },
         1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        Open();
        ChooseSlot(uc_PRO);
        int32 beeps = beep_count();
        c.act(this);
        fDriver.WaitForIdle();
        EXPECT_EQ(AskColor(uc_PRO), before);
        EXPECT_EQ(beep_count() - beeps, c.beeps);
        EXPECT_RGB(FieldPixel(), before);
        Close();
    }
    // Entered text that was refused is replaced by the slot's.
    Open();
    ChooseSlot(uc_PRO);
    TypeInto("colr", "300");
    EXPECT_EQ(Text("colr"), "27");
    TypeInto("colhex", "nope");
    EXPECT_EQ(Text("colhex"), "#1BE3E3");
}

TEST_F(PrefsCard, ClosingWritesTheColourFileAndTheSettingsFile)
{
    ASSERT_TRUE(SetColors());
    ASSERT_TRUE(Setsettings());
    Open();
    ChooseSlot(uc_HDY);
    TypeInto("colhex", "#204060");
    ClickOn("S_07");
    ClickOn("asp");
    // Nothing is written while the card is open.
    EXPECT_EQ(SettingsFile("vtz.colors").substr(uc_HDY * 4, 4), std::string("\xF0\xF0\x3C\x00", 4));

    Close();
    std::string colors = SettingsFile("vtz.colors");
    ASSERT_EQ(colors.size(), 72u);
    EXPECT_EQ(colors.substr(uc_HDY * 4, 4), std::string("\x20\x40\x60\x00", 4));

    // Read back into fresh globals.
    int32 written = prefsdata.load();
    ResetSettings();
    ASSERT_TRUE(Getsettings());
    EXPECT_EQ(prefsdata.load(), written);
    EXPECT_NE(written & VTa_SHOW_NAME, 0);
    EXPECT_EQ(UserSNAP_IMG, "vtsnap.png");
    ASSERT_TRUE(GetColors());
    EXPECT_EQ(AskColor(uc_HDY), (rgb_color{0x20, 0x40, 0x60, 0}));
}

TEST_F(PrefsCard, TheColourFieldDrawsTheSlotWithAReadableCaption)
{
    const struct
    {
        rgb_color color;
        rgb_color caption;
    } cases[] = {
        {{250, 250, 249, 0}, {0, 0, 0, 255}},
        {{24, 20, 240, 0}, {255, 255, 255, 255}},
        {{240, 240, 60, 0}, {0, 0, 0, 255}},
        {{10, 10, 10, 0}, {255, 255, 255, 255}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ColorField::TextColorOver(c.color), c.caption) << describe(c.color);

    PokeColor(uc_KNM, {24, 20, 240, 0});
    Open();
    ChooseSlot(uc_KNM);
    fWindow->Lock();
    BView* field = Find("colsv");
    BRect frame = field->ConvertToScreen(field->Bounds());
    frame.OffsetBy(-fWindow->Frame().left, -fWindow->Frame().top);
    fWindow->Unlock();
    // Fill, frame and a white "Dropzone" in the middle (the fill's red is 24).
    int white = 0;
    for (float x = frame.left + 2; x < frame.right - 1; x++)
        white += fDriver.Pixel(fWindow, BPoint(x, center_of(frame).y)).red > 200;
    EXPECT_GT(white, 5);
    EXPECT_RGB(fDriver.Pixel(fWindow, frame.LeftTop() + BPoint(3, 3)),
               (rgb_color{24, 20, 240, 255}));
    EXPECT_RGB(fDriver.Pixel(fWindow, frame.LeftTop()), (rgb_color{96, 96, 96, 255}));
    // Focused, it says so: Ctrl+V goes there. The inner ring is white
    // like the caption, so it shows on the blue too.
    ClickOn("colsv");
    EXPECT_RGB(fDriver.Pixel(fWindow, frame.LeftTop()), ui_color(B_KEYBOARD_NAVIGATION_COLOR));
    EXPECT_RGB(fDriver.Pixel(fWindow, frame.LeftTop() + BPoint(1, 1)),
               (rgb_color{255, 255, 255, 255}));
}

TEST_F(PrefsCard, EveryControlFitsTheCardAndNoneOverlap)
{
    Open();
    fWindow->Lock();
    const BRect card(0, 0, PrefsView::kWidth - 1, PrefsView::kHeight - 1);
    std::function<void(BView*)> check = [&](BView* parent) {
        for (int32 i = 0; i < parent->CountChildren(); i++) {
            BView* child = parent->ChildAt(i);
            BRect inCard = child->ConvertToScreen(child->Bounds());
            inCard.OffsetBy(-fView->ConvertToScreen(B_ORIGIN).x,
                            -fView->ConvertToScreen(B_ORIGIN).y);
            EXPECT_TRUE(card.Contains(inCard)) << child->Name();
            // Inside its parent too, so nothing is clipped.
            EXPECT_TRUE(parent->Bounds().Contains(child->Frame())) << child->Name();
            for (int32 j = i + 1; j < parent->CountChildren(); j++)
                EXPECT_FALSE(child->Frame().Intersects(parent->ChildAt(j)->Frame()))
                    << child->Name() << " / " << parent->ChildAt(j)->Name();
            if (dynamic_cast<BControl*>(child) == nullptr &&
                dynamic_cast<BMenuField*>(child) == nullptr)
                check(child);
        }
    };
    check(fView);
    fWindow->Unlock();
}
