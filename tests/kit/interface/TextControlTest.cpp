// Text controls driven like a user: typing UTF-8, moving and selecting with
// keys and the mouse, the clipboard, focus changes and what gets sent.
#include "kit/interface/TextControl.h"

#include <gtest/gtest.h>

#include "kit/app/Clipboard.h"
#include "kit/app/TypeConstants.h"
#include "kit/display/TestWindow.h"

namespace {

// Two labelled fields, one under the other, both sending to a probe.
struct Form
{
    Form()
    {
        probe = test.Add(new ProbeView(BRect(290, 190, 299, 199), "probe"));
        name = _Add(BRect(10, 10, 209, 30), "wnam", "Name", 'WO_N');
        alias = _Add(BRect(10, 40, 209, 60), "wali", "Alias", 'WO_A');
        test.ShowAndWait();
    }

    std::string Text(BTextControl* control)
    {
        test.window->Lock();
        std::string text = control->Text();
        test.window->Unlock();
        return text;
    }

    std::pair<int32, int32> Selection(BTextControl* control)
    {
        int32 start, end;
        test.window->Lock();
        control->GetSelection(&start, &end);
        test.window->Unlock();
        return {start, end};
    }

    void Focus(BTextControl* control)
    {
        test.Locked([&] { control->MakeFocus(); });
    }

    void Key(int32 key, uint32 modifiers = 0)
    {
        test.driver.PressKey(test.window, key, modifiers);
        test.driver.WaitForIdle();
    }

    void Type(const std::string& text)
    {
        test.driver.TypeText(test.window, text);
        test.driver.WaitForIdle();
    }

    void Shortcut(char key)
    {
        test.driver.PressShortcut(test.window, key);
        test.driver.WaitForIdle();
    }

    TestWindow test;
    ProbeView* probe;
    BTextControl* name;
    BTextControl* alias;

private:
    BTextControl* _Add(BRect frame, const char* viewName, const char* label, uint32 what)
    {
        auto* control = new BTextControl(frame, viewName, label, "", new BMessage(what));
        test.Add(control);
        control->SetTarget(probe);
        return control;
    }
};

} // namespace

TEST(TextControlTest, TypingAndDeletingWorkOnWholeCharacters)
{
    Form form;
    form.Focus(form.name);
    form.Type("Grüße");
    EXPECT_EQ(form.Text(form.name), "Grüße");

    form.Key(B_BACKSPACE_KEY);
    EXPECT_EQ(form.Text(form.name), "Grüß");
    form.Key(B_BACKSPACE_KEY);
    EXPECT_EQ(form.Text(form.name), "Grü") << "ß is two bytes, removed as one";

    form.Key(B_LEFT_ARROW_KEY);
    EXPECT_EQ(form.Selection(form.name), std::make_pair(2, 2)) << "left of ü, not inside it";
    form.Key(B_DELETE_KEY);
    EXPECT_EQ(form.Text(form.name), "Gr");

    form.Key(B_HOME_KEY);
    form.Type("€");
    form.Key(B_END_KEY);
    form.Type("!");
    EXPECT_EQ(form.Text(form.name), "€Gr!");
    form.Key(B_DELETE_KEY);
    EXPECT_EQ(form.Text(form.name), "€Gr!") << "Delete at the end changes nothing";
}

TEST(TextControlTest, ShiftArrowsSelectAndTheClipboardCopiesCutsAndPastes)
{
    Form form;
    form.Focus(form.name);
    form.Type("Müller");
    form.Key(B_HOME_KEY);
    form.Key(B_RIGHT_ARROW_KEY, B_SHIFT_KEY);
    form.Key(B_RIGHT_ARROW_KEY, B_SHIFT_KEY);
    EXPECT_EQ(form.Selection(form.name), std::make_pair(0, 3));
    form.Shortcut('c');

    be_clipboard->Lock();
    const void* data = nullptr;
    ssize_t size = 0;
    ASSERT_EQ(be_clipboard->Data()->FindData("text/plain", B_MIME_TYPE, &data, &size), B_OK);
    EXPECT_EQ(std::string(static_cast<const char*>(data), size), "Mü");
    be_clipboard->Unlock();

    form.Focus(form.alias);
    form.Shortcut('v');
    form.Shortcut('v');
    EXPECT_EQ(form.Text(form.alias), "MüMü");

    form.Shortcut('a');
    form.Shortcut('x');
    EXPECT_EQ(form.Text(form.alias), "");
    form.Type("x");
    form.Shortcut('v');
    EXPECT_EQ(form.Text(form.alias), "xMüMü");

    // A plain arrow collapses a selection to its edge.
    form.Focus(form.name);
    EXPECT_EQ(form.Selection(form.name), std::make_pair(0, 7)) << "focus selects all";
    form.Key(B_LEFT_ARROW_KEY);
    EXPECT_EQ(form.Selection(form.name), std::make_pair(0, 0));
    form.Type("Frau ");
    EXPECT_EQ(form.Text(form.name), "Frau Müller");
}

TEST(TextControlTest, PastedLineBreaksBecomeBlanksAndCommitsReachTheHook)
{
    // The hooks capture locals: take them out whatever happens.
    struct HookGuard
    {
        ~HookGuard() { be_clipboard->SetHooks(nullptr, nullptr); }
    } guard;
    std::vector<std::string> published;
    be_clipboard->SetHooks(
        [&](const BMessage& data) {
            const void* bytes = nullptr;
            ssize_t size = 0;
            if (data.FindData("text/plain", B_MIME_TYPE, &bytes, &size) == B_OK)
                published.emplace_back(static_cast<const char*>(bytes), size);
        },
        [](BMessage* data) {
            data->AddData("text/plain", B_MIME_TYPE, "a\nb", 3);
            return true;
        });
    Form form;
    form.Focus(form.name);
    form.Shortcut('v');
    EXPECT_EQ(form.Text(form.name), "a b") << "the desktop's text, on one line";
    form.Shortcut('a');
    form.Shortcut('c');
    EXPECT_EQ(published, std::vector<std::string>{"a b"});
    EXPECT_EQ(be_clipboard->Data(), nullptr) << "no data without the lock";
}

TEST(TextControlTest, EnterAndLeavingAChangedFieldSendTheMessage)
{
    Form form;
    form.test.Locked([&] { form.name->SetModificationMessage(new BMessage('MODI')); });
    form.Focus(form.name);
    form.Type("ab");
    form.Key(B_BACKSPACE_KEY);
    EXPECT_EQ(messages(form.probe, 'MODI').size(), 3u);
    EXPECT_TRUE(messages(form.probe, 'WO_N').empty());

    form.Key(B_ENTER_KEY);
    ASSERT_EQ(messages(form.probe, 'WO_N').size(), 1u);

    // Unchanged since Enter: Tab leaves without sending.
    form.Key(B_TAB_KEY);
    EXPECT_EQ(form.test.window->CurrentFocus(), form.alias);
    EXPECT_EQ(messages(form.probe, 'WO_N').size(), 1u);

    // Changed: leaving sends, and the message names its control.
    form.Type("z");
    form.Key(B_TAB_KEY, B_SHIFT_KEY);
    EXPECT_EQ(form.test.window->CurrentFocus(), form.name);
    std::vector<BMessage> sent = messages(form.probe, 'WO_A');
    ASSERT_EQ(sent.size(), 1u);
    void* source = nullptr;
    sent[0].FindPointer("source", &source);
    EXPECT_EQ(source, static_cast<BControl*>(form.alias));

    form.test.Locked([&] { form.name->SetText("set"); });
    EXPECT_EQ(messages(form.probe, 'MODI').size(), 3u) << "SetText() is not an edit";
}

TEST(TextControlTest, MousePlacesTheCaretSelectsByDragAndWordByDoubleClick)
{
    Form form;
    form.test.Locked([&] { form.name->SetText("alpha beta"); });
    BWindow* window = form.test.window;
    HeadlessDriver& driver = form.test.driver;

    float divider, right, wordX;
    form.test.Locked([&] {
        divider = form.name->Divider();
        right = form.name->Frame().right;
        wordX = form.name->Frame().left + divider + 4 + form.name->StringWidth("alpha b");
    });

    driver.Click(window, BPoint(right - 3, 20));
    driver.WaitForIdle();
    EXPECT_EQ(window->CurrentFocus(), form.name);
    EXPECT_EQ(form.Selection(form.name), std::make_pair(10, 10)) << "past the end";

    driver.Click(window, BPoint(wordX, 20), B_PRIMARY_MOUSE_BUTTON, 2);
    driver.WaitForIdle();
    EXPECT_EQ(form.Selection(form.name), std::make_pair(6, 10));

    driver.Drag(window, BPoint(10 + divider + 3, 20), BPoint(wordX, 20));
    driver.WaitForIdle();
    EXPECT_EQ(form.Selection(form.name), std::make_pair(0, 7));
}

TEST(TextControlTest, TextStaysInsideTheFieldAndTheCaretInView)
{
    Form form;
    form.Focus(form.name);
    form.Type(std::string(60, 'W'));
    BRect area;
    BRect labelRoom;
    form.test.Locked([&] {
        BView* text = form.name->ChildAt(0);
        area = text->Bounds();
        float labelWidth = form.name->StringWidth("Name");
        labelRoom = BRect(10 + labelWidth + 1, 10, 10 + form.name->Divider() - 1, 30);
    });
    EXPECT_GT(area.left, 0) << "scrolled so that the caret shows";

    // Nothing drawn between the label and the field, the caret's column
    // dark at the right end.
    for (float x = labelRoom.left; x <= labelRoom.right; x++)
        EXPECT_RGB(form.test.Pixel(x, 20), (rgb_color{255, 255, 255, 255})) << x;

    form.Key(B_HOME_KEY);
    form.test.Locked([&] { area = form.name->ChildAt(0)->Bounds(); });
    EXPECT_EQ(area.left, 0);
}

TEST(TextControlTest, DisabledTextIsGreyAndTakesNoInput)
{
    Form form;
    form.test.Locked([&] {
        form.name->SetText("WWWW");
        form.name->SetEnabled(false);
    });
    form.test.driver.Click(form.test.window, BPoint(150, 20));
    form.Type("x");
    EXPECT_EQ(form.Text(form.name), "WWWW");
    EXPECT_NE(form.test.window->CurrentFocus(), form.name);

    int darkest = 255;
    float left = 10 + form.name->Divider();
    for (float x = left; x < left + 40; x++) {
        for (float y = 12; y < 29; y++) {
            rgb_color c = form.test.Pixel(x, y);
            darkest = std::min(darkest, int(c.red));
        }
    }
    EXPECT_GT(darkest, 90);
    EXPECT_LT(darkest, 200);
}
