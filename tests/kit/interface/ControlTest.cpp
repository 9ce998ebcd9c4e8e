// Buttons, check boxes, radio buttons, boxes and string views in a window
// on the headless backend: what a click, a key or a disabled state does,
// where the messages go, and what the user sees.
#include "kit/interface/Control.h"

#include <gtest/gtest.h>

#include "kit/display/TestWindow.h"
#include "kit/interface/Box.h"
#include "kit/interface/Button.h"
#include "kit/interface/CheckBox.h"
#include "kit/interface/RadioButton.h"
#include "kit/interface/StringView.h"
#include "kit/interface/TextControl.h"

namespace {

constexpr rgb_color kWhite = {255, 255, 255, 255};

// The darkest channel value in a rectangle of the window: text drawn in
// black shows up as a low value, greyed text as a middling one.
int darkest(const TestWindow& test, BRect rect)
{
    int result = 255;
    for (float y = rect.top; y <= rect.bottom; y++) {
        for (float x = rect.left; x <= rect.right; x++) {
            rgb_color c = test.Pixel(x, y);
            result = std::min({result, int(c.red), int(c.green), int(c.blue)});
        }
    }
    return result;
}

bool contains_color(const TestWindow& test, BRect rect, rgb_color color)
{
    for (float y = rect.top; y <= rect.bottom; y++) {
        for (float x = rect.left; x <= rect.right; x++) {
            if (same_rgb(test.Pixel(x, y), color))
                return true;
        }
    }
    return false;
}

// A window with a probe that every control in it targets.
struct ControlWindow
{
    ControlWindow() { probe = test.Add(new ProbeView(BRect(290, 190, 299, 199), "probe")); }

    template <typename Control>
    Control* Add(Control* control)
    {
        test.Add(control);
        control->SetTarget(probe);
        return control;
    }

    TestWindow test;
    ProbeView* probe;
};

} // namespace

// MARK: Buttons

TEST(ButtonTest, ClickReleasedInsideInvokesOnceWithWhenAndSource)
{
    ControlWindow w;
    auto* button = w.Add(new BButton(BRect(10, 10, 89, 30), "ok", "OK", new BMessage('B_OK')));
    w.test.ShowAndWait();

    w.test.driver.Click(w.test.window, BPoint(50, 20));
    w.test.driver.WaitForIdle();

    std::vector<BMessage> sent = messages(w.probe, 'B_OK');
    ASSERT_EQ(sent.size(), 1u);
    void* source = nullptr;
    EXPECT_EQ(sent[0].FindPointer("source", &source), B_OK);
    EXPECT_EQ(source, static_cast<BControl*>(button));
    EXPECT_TRUE(sent[0].HasInt64("when"));
    EXPECT_EQ(button->Value(), B_CONTROL_OFF);
}

TEST(ButtonTest, ReleaseOutsideCancelsAndComingBackArmsAgain)
{
    ControlWindow w;
    auto* button = w.Add(new BButton(BRect(10, 10, 89, 30), "ok", "OK", new BMessage('B_OK')));
    w.test.ShowAndWait();
    HeadlessDriver& driver = w.test.driver;

    driver.MouseDown(w.test.window, BPoint(50, 20));
    driver.WaitForIdle();
    EXPECT_EQ(button->Value(), B_CONTROL_ON) << "held down";
    driver.MouseMove(w.test.window, BPoint(150, 100));
    driver.WaitForIdle();
    EXPECT_EQ(button->Value(), B_CONTROL_OFF) << "pointer left while held";
    driver.MouseUp(w.test.window, BPoint(150, 100));
    driver.WaitForIdle();
    EXPECT_TRUE(messages(w.probe, 'B_OK').empty());

    driver.MouseDown(w.test.window, BPoint(50, 20));
    driver.MouseMove(w.test.window, BPoint(150, 100));
    driver.MouseMove(w.test.window, BPoint(60, 25));
    driver.MouseUp(w.test.window, BPoint(60, 25));
    driver.WaitForIdle();
    EXPECT_EQ(messages(w.probe, 'B_OK').size(), 1u);
}

TEST(ButtonTest, DisabledIgnoresInputAndDrawsItsLabelGreyed)
{
    ControlWindow w;
    auto* button = w.Add(new BButton(BRect(10, 10, 89, 30), "ok", "OK", new BMessage('B_OK')));
    w.test.ShowAndWait();
    BRect label(30, 12, 70, 28);
    EXPECT_LT(darkest(w.test, label), 60) << "enabled label is black";

    w.test.Locked([&] { button->SetEnabled(false); });
    EXPECT_GT(darkest(w.test, label), 90) << "disabled label is grey";

    w.test.driver.Click(w.test.window, BPoint(50, 20));
    w.test.driver.PressKey(w.test.window, B_TAB_KEY);
    w.test.driver.KeyDown(w.test.window, 0, " ");
    w.test.driver.WaitForIdle();
    EXPECT_TRUE(messages(w.probe, 'B_OK').empty());
    EXPECT_NE(w.test.window->CurrentFocus(), button) << "a disabled control is not navigable";

    w.test.Locked([&] { button->SetEnabled(true); });
    w.test.driver.PressKey(w.test.window, B_TAB_KEY);
    w.test.driver.WaitForIdle();
    EXPECT_EQ(w.test.window->CurrentFocus(), button);
}

TEST(ButtonTest, SpaceOrEnterInvokesTheFocusAndOtherKeysGoOnToTheParent)
{
    ControlWindow w;
    auto* parent = w.test.Add(new ProbeView(BRect(0, 0, 200, 100), "parent"));
    auto* button = new BButton(BRect(10, 10, 89, 30), "ok", "OK", new BMessage('B_OK'));
    parent->AddChild(button);
    button->SetTarget(w.probe);
    w.test.ShowAndWait();

    w.test.Locked([&] { button->MakeFocus(); });
    w.test.driver.KeyDown(w.test.window, 0, " ");
    w.test.driver.PressKey(w.test.window, B_ENTER_KEY);
    w.test.driver.PressKey(w.test.window, B_F1_KEY);
    w.test.driver.WaitForIdle();

    EXPECT_EQ(messages(w.probe, 'B_OK').size(), 2u);
    std::vector<BMessage> passed = messages(parent, B_KEY_DOWN);
    ASSERT_EQ(passed.size(), 1u);
    EXPECT_EQ(passed[0].GetInt32("key", 0), B_F1_KEY);
}

TEST(ButtonTest, DefaultButtonAnswersEnterUnlessAnotherButtonHasTheFocus)
{
    ControlWindow w;
    auto* text =
        w.Add(new BTextControl(BRect(10, 50, 189, 70), "name", "Name", "x", new BMessage('TEXT')));
    auto* ok = w.Add(new BButton(BRect(10, 10, 89, 30), "ok", "OK", new BMessage('B_OK')));
    auto* cancel =
        w.Add(new BButton(BRect(100, 10, 179, 30), "cancel", "Cancel", new BMessage('CNCL')));
    ok->MakeDefault(true);
    w.test.ShowAndWait();
    EXPECT_EQ(w.test.window->DefaultButton(), ok);

    w.test.Locked([&] { text->MakeFocus(); });
    w.test.driver.PressKey(w.test.window, B_ENTER_KEY);
    w.test.driver.WaitForIdle();
    w.test.Locked([&] { cancel->MakeFocus(); });
    w.test.driver.PressKey(w.test.window, B_ENTER_KEY);
    w.test.driver.WaitForIdle();
    EXPECT_EQ(messages(w.probe, 'B_OK').size(), 1u);
    EXPECT_EQ(messages(w.probe, 'CNCL').size(), 1u);
    EXPECT_TRUE(messages(w.probe, 'TEXT').empty());

    // The heavier frame: the default button's outer edge is drawn, not
    // the second button's face colour one pixel in.
    w.test.Locked([&] {
        ok->MakeDefault(false);
        cancel->MakeDefault(true);
    });
    EXPECT_EQ(w.test.window->DefaultButton(), cancel);
    EXPECT_FALSE(ok->IsDefault());
    EXPECT_RGB(w.test.Pixel(101, 20), w.test.Pixel(100, 20));
    EXPECT_FALSE(same_rgb(w.test.Pixel(11, 20), w.test.Pixel(10, 20)));
}

TEST(ButtonTest, MessageForAWindowThatQuitIsDropped)
{
    auto* other = new BWindow(BRect(500, 100, 599, 199), "other", B_TITLED_WINDOW, 0);
    auto* target = new ProbeView(BRect(0, 0, 9, 9), "target");
    other->AddChild(target);
    other->Show();

    TestWindow test;
    auto* button = test.Add(new BButton(BRect(10, 10, 89, 30), "ok", "OK", new BMessage('B_OK')));
    test.ShowAndWait();
    test.Locked([&] { button->SetTarget(target); });
    test.driver.Click(test.window, BPoint(50, 20));
    test.driver.WaitForIdle();
    other->Lock();
    EXPECT_EQ(target->Events("message").size(), 1u);
    other->Quit();

    test.driver.Click(test.window, BPoint(50, 20));
    test.driver.WaitForIdle();
    test.window->Lock();
    EXPECT_FALSE(button->Messenger().IsValid());
    EXPECT_EQ(button->Invoke(), B_BAD_PORT_ID);
    test.window->Unlock();
}

// MARK: Check boxes and radio buttons

TEST(CheckBoxTest, ClickTogglesSendsTheNewValueAndShowsTheMark)
{
    ControlWindow w;
    auto* box =
        w.Add(new BCheckBox(BRect(10, 10, 150, 30), "onui", "stressless", new BMessage('WO_L')));
    w.test.ShowAndWait();
    BRect mark;
    w.test.Locked([&] { mark = box->BoxFrame().InsetByCopy(2, 2).OffsetByCopy(10, 10); });
    rgb_color markColor = ui_color(B_CONTROL_HIGHLIGHT_COLOR);
    EXPECT_FALSE(contains_color(w.test, mark, markColor));

    w.test.driver.Click(w.test.window, BPoint(80, 20));
    w.test.driver.WaitForIdle();
    EXPECT_EQ(box->Value(), B_CONTROL_ON);
    EXPECT_TRUE(contains_color(w.test, mark, markColor));

    w.test.driver.Click(w.test.window, BPoint(15, 20));
    w.test.driver.WaitForIdle();
    EXPECT_FALSE(contains_color(w.test, mark, markColor));

    std::vector<BMessage> sent = messages(w.probe, 'WO_L');
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].GetInt32("be:value", -1), 1);
    EXPECT_EQ(sent[1].GetInt32("be:value", -1), 0);

    // Keyboard: space toggles the focused box.
    w.test.Locked([&] { box->MakeFocus(); });
    w.test.driver.KeyDown(w.test.window, 0, " ");
    w.test.driver.WaitForIdle();
    EXPECT_EQ(box->Value(), B_CONTROL_ON);

    // SetValue() shows the mark without sending anything.
    w.test.Locked([&] { box->SetValue(B_CONTROL_OFF); });
    EXPECT_EQ(messages(w.probe, 'WO_L').size(), 3u);
    EXPECT_FALSE(contains_color(w.test, mark, markColor));
}

TEST(RadioButtonTest, OneOnPerParentByClickOrSetValue)
{
    ControlWindow w;
    auto* group = w.test.Add(new BBox(BRect(0, 0, 200, 100), "snap"));
    BRadioButton* radios[3];
    const char* labels[3] = {"JPEG", "GIF", "PNG"};
    uint32 codes[3] = {'SJPG', 'SGIF', 'SPNG'};
    for (int i = 0; i < 3; i++) {
        radios[i] = new BRadioButton(BRect(10, 20 + 20 * i, 150, 37 + 20 * i), labels[i], labels[i],
                                     new BMessage(codes[i]));
        group->AddChild(radios[i]);
        radios[i]->SetTarget(w.probe);
    }
    auto* elsewhere =
        w.Add(new BRadioButton(BRect(210, 20, 290, 37), "other", "Other", new BMessage('OTHR')));
    radios[0]->SetValue(B_CONTROL_ON);
    elsewhere->SetValue(B_CONTROL_ON);
    w.test.ShowAndWait();

    w.test.driver.Click(w.test.window, BPoint(40, 50));
    w.test.driver.WaitForIdle();
    EXPECT_EQ(radios[0]->Value(), B_CONTROL_OFF);
    EXPECT_EQ(radios[1]->Value(), B_CONTROL_ON);
    EXPECT_EQ(elsewhere->Value(), B_CONTROL_ON) << "another parent is another group";
    std::vector<BMessage> sent = messages(w.probe, 'SGIF');
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].GetInt32("be:value", -1), 1);

    // Clicking the one that is on keeps it on and still reports it.
    w.test.driver.Click(w.test.window, BPoint(40, 50));
    w.test.driver.WaitForIdle();
    EXPECT_EQ(radios[1]->Value(), B_CONTROL_ON);
    EXPECT_EQ(messages(w.probe, 'SGIF').size(), 2u);

    w.test.Locked([&] { radios[2]->SetValue(B_CONTROL_ON); });
    EXPECT_EQ(radios[1]->Value(), B_CONTROL_OFF);
    EXPECT_TRUE(messages(w.probe, 'SPNG').empty());
}

// MARK: Boxes and string views

TEST(BoxTest, BordersAndTitle)
{
    TestWindow test;
    auto* fancy = test.Add(new BBox(BRect(10, 10, 100, 90), "fancy"));
    auto* plain = test.Add(
        new BBox(BRect(110, 10, 200, 90), "plain", B_FOLLOW_NONE, B_WILL_DRAW, B_PLAIN_BORDER));
    auto* none = test.Add(
        new BBox(BRect(210, 10, 290, 90), "none", B_FOLLOW_NONE, B_WILL_DRAW, B_NO_BORDER));
    fancy->SetLabel("General");
    test.ShowAndWait();

    rgb_color shadow = tint_color(kWhite, B_DARKEN_2_TINT);
    EXPECT_RGB(test.Pixel(10, 50), shadow);
    EXPECT_RGB(test.Pixel(11, 50), kWhite) << "the etched highlight";
    EXPECT_RGB(test.Pixel(99, 50), shadow);
    EXPECT_RGB(test.Pixel(110, 50), shadow);
    EXPECT_RGB(test.Pixel(200, 50), shadow);
    EXPECT_RGB(test.Pixel(210, 50), kWhite);
    EXPECT_LT(darkest(test, BRect(20, 10, 60, 25)), 60) << "the title";
    EXPECT_EQ(std::string(fancy->Label()), "General");
    EXPECT_EQ(plain->Label(), nullptr);
    EXPECT_EQ(none->Border(), B_NO_BORDER);

    // The top line runs through the title's middle, and not under it.
    float top;
    test.Locked([&] { top = fancy->InnerFrame().top; });
    EXPECT_GT(top, 8);

    // A view as title.
    test.Locked(
        [&] { fancy->SetLabel(new BCheckBox(BRect(0, 0, 60, 16), "title", "Title", nullptr)); });
    EXPECT_EQ(fancy->Label(), nullptr);
    ASSERT_NE(fancy->LabelView(), nullptr);
    EXPECT_EQ(fancy->LabelView()->Frame().LeftTop(), BPoint(10, 0));
    test.Locked([&] { fancy->SetLabel("Text again"); });
    EXPECT_EQ(fancy->LabelView(), nullptr);
    EXPECT_EQ(fancy->CountChildren(), 0);
}

TEST(StringViewTest, AlignmentPlacesTheText)
{
    TestWindow test;
    auto* left = test.Add(new BStringView(BRect(10, 10, 209, 29), "left", "Single User"));
    auto* right = test.Add(new BStringView(BRect(10, 40, 209, 59), "right", "System"));
    right->SetAlignment(B_ALIGN_RIGHT);
    test.ShowAndWait();

    EXPECT_LT(darkest(test, BRect(10, 10, 60, 29)), 60);
    EXPECT_EQ(darkest(test, BRect(120, 10, 209, 29)), 255);
    EXPECT_EQ(darkest(test, BRect(10, 40, 120, 59)), 255);
    EXPECT_LT(darkest(test, BRect(160, 40, 209, 59)), 60);

    test.Locked([&] { left->SetText("x"); });
    EXPECT_EQ(std::string(left->Text()), "x");
    EXPECT_EQ(darkest(test, BRect(30, 10, 209, 29)), 255) << "the old text is gone";
}
