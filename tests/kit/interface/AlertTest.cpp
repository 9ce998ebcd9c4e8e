// Alerts: blocking Go() that only blocks its caller, Go(invoker), keys,
// button widths, the drawn kind, and the record tests answer through.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "MenuTestSupport.h"
#include "kit/app/Invoker.h"
#include "kit/interface/Alert.h"

namespace {

AlertRecord newest(HeadlessDriver& driver)
{
    std::vector<AlertRecord> records = driver.Alerts();
    return records.empty() ? AlertRecord{} : records.back();
}

} // namespace

TEST(Alert, GoBlocksOnlyItsCallerAndReturnsThePressedButton)
{
    HeadlessDriver driver;
    driver.ClearAlerts();
    RecordingWindow* other = new RecordingWindow("other");
    WindowQuitter quit{other};
    other->Show();
    driver.WaitForIdle();

    std::atomic<int32> answer{-2};
    std::thread caller([&] {
        auto* alert = new BAlert("Question", "Save the changes?", "Cancel", "Don't", "Save",
                                 B_WIDTH_AS_USUAL, B_WARNING_ALERT);
        answer = alert->Go();
    });
    ASSERT_TRUE(driver.WaitForAlert());
    AlertRecord record = newest(driver);
    EXPECT_EQ(record.title, "Question");
    EXPECT_EQ(record.text, "Save the changes?");
    EXPECT_EQ(record.buttons, (std::vector<std::string>{"Cancel", "Don't", "Save"}));
    EXPECT_TRUE(record.open);

    other->PostMessage('PING');
    driver.WaitForIdle();
    EXPECT_EQ(other->Messages('PING').size(), 1u);
    EXPECT_EQ(answer.load(), -2) << "still waiting";

    ASSERT_EQ(driver.AnswerAlert(1), B_OK);
    caller.join();
    EXPECT_EQ(answer.load(), 1);
    driver.WaitForIdle();
    EXPECT_FALSE(newest(driver).open);
    EXPECT_EQ(newest(driver).answer, 1);
    EXPECT_EQ(driver.FindWindow("Question"), nullptr) << "the alert deleted itself";
    EXPECT_EQ(driver.AnswerAlert(0), B_BAD_INDEX) << "nothing open";
}

TEST(Alert, GoFromAWindowThreadLeavesOtherWindowsWorking)
{
    HeadlessDriver driver;
    driver.ClearAlerts();
    RecordingWindow* caller = new RecordingWindow("caller");
    WindowQuitter quitCaller{caller};
    RecordingWindow* other = new RecordingWindow("other", BRect(500, 100, 599, 199));
    WindowQuitter quitOther{other};
    caller->Show();
    other->Show();
    driver.WaitForIdle();

    class Asker : public BHandler
    {
    public:
        void MessageReceived(BMessage*) override
        {
            answer = (new BAlert("ask", "Go on?", "No", "Yes"))->Go();
        }
        std::atomic<int32> answer{-2};
    };
    auto* asker = new Asker;
    caller->Lock();
    caller->AddHandler(asker);
    caller->Unlock();
    caller->PostMessage('ASK_', asker);
    ASSERT_TRUE(driver.WaitForAlert());
    other->PostMessage('PING');
    // The waiting caller does not keep the others from going idle.
    ASSERT_TRUE(driver.WaitForIdle());
    EXPECT_EQ(other->Messages('PING').size(), 1u);

    driver.PressKey(driver.FindWindow("ask"), B_ESCAPE_KEY);
    driver.WaitForIdle();
    EXPECT_EQ(asker->answer.load(), 1) << "Escape presses the last button";
    caller->Lock();
    caller->RemoveHandler(asker);
    caller->Unlock();
    delete asker;
}

TEST(Alert, GoWithAnInvokerSendsWhichAndShortcutsPressButtons)
{
    HeadlessDriver driver;
    driver.ClearAlerts();
    RecordingWindow* target = new RecordingWindow("target");
    WindowQuitter quit{target};
    target->Show();
    driver.WaitForIdle();

    auto* alert = new BAlert("keys", "Pick one", "Alpha", "Beta", "Gamma");
    alert->SetShortcut(0, 'a');
    EXPECT_EQ(alert->Shortcut(0), 'a');
    EXPECT_EQ(alert->Go(new BInvoker(new BMessage('ANSW'), target)), B_OK);
    driver.WaitForIdle();
    driver.KeyDown(driver.FindWindow("keys"), 0, "a");
    driver.WaitForIdle();
    std::vector<BMessage> answers = target->Messages('ANSW');
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_EQ(answers[0].GetInt32("which", -1), 0);

    (new BAlert("enter", "Enter", "One", "Two"))->Go(new BInvoker(new BMessage('ANSW'), target));
    driver.WaitForIdle();
    driver.PressKey(driver.FindWindow("enter"), B_ENTER_KEY);
    driver.WaitForIdle();
    answers = target->Messages('ANSW');
    ASSERT_EQ(answers.size(), 2u);
    EXPECT_EQ(answers[1].GetInt32("which", -1), 1) << "Enter presses the default, last button";
}

TEST(Alert, ButtonWidthsAndTextLayout)
{
    auto widths = [](button_width mode) {
        auto* alert = new BAlert("w", "text", "OK", "A much longer label", nullptr, mode);
        std::vector<float> result{alert->ButtonFrame(0).Width(), alert->ButtonFrame(1).Width()};
        EXPECT_LT(alert->ButtonFrame(0).right, alert->ButtonFrame(1).left) << "in order";
        EXPECT_FALSE(alert->ButtonFrame(2).IsValid());
        alert->Quit();
        return result;
    };
    std::vector<float> usual = widths(B_WIDTH_AS_USUAL);
    std::vector<float> widest = widths(B_WIDTH_FROM_WIDEST);
    std::vector<float> label = widths(B_WIDTH_FROM_LABEL);
    EXPECT_EQ(usual[0], 74) << "75 pixels at least";
    EXPECT_GT(usual[1], 75);
    EXPECT_EQ(widest[0], widest[1]);
    EXPECT_LT(label[0], usual[0]);

    std::vector<std::string> lines = BAlert::_WrapText(" OOPS...\n\tno RAMDisk", 1000);
    EXPECT_EQ(lines, (std::vector<std::string>{" OOPS...", "    no RAMDisk"}));
    lines = BAlert::_WrapText("one two three four five six seven", 60);
    EXPECT_GT(lines.size(), 2u);
    for (const std::string& line : lines)
        EXPECT_LE(be_plain_font->StringWidth(line.c_str()), 60) << line;
}

TEST(Alert, EachKindDrawsItsPicture)
{
    HeadlessDriver driver;
    driver.ClearAlerts();
    auto center_color = [&](alert_type type) {
        (new BAlert("kind", "text", "OK", nullptr, nullptr, B_WIDTH_AS_USUAL, type))->Go(nullptr);
        driver.WaitForIdle();
        BWindow* window = driver.FindWindow("kind");
        rgb_color color = driver.Pixel(window, BPoint(34, 30));
        rgb_color stripe = driver.Pixel(window, BPoint(5, 60));
        driver.AnswerAlert(0);
        driver.WaitForIdle();
        return std::pair(color, stripe);
    };
    rgb_color panel = ui_color(B_PANEL_BACKGROUND_COLOR);
    auto [stop, stopStripe] = center_color(B_STOP_ALERT);
    auto [warning, warningStripe] = center_color(B_WARNING_ALERT);
    auto [empty, emptyStripe] = center_color(B_EMPTY_ALERT);
    EXPECT_GT(stop.red, 150);
    EXPECT_LT(stop.green, 100);
    EXPECT_GT(warning.green, 150);
    EXPECT_RGB(warningStripe, tint_color(panel, B_DARKEN_1_TINT));
    EXPECT_RGB(emptyStripe, panel);
    EXPECT_RGB(empty, panel);
}
