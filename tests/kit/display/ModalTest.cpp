// A modal window keeps the user's input away from the program's other
// windows until it closes; menus stay usable.
#include <gtest/gtest.h>

#include "TestWindow.h"
#include "kit/app/Beep.h"

namespace {

// A plain window with one probe view filling it.
struct ProbedWindow
{
    ProbedWindow(const char* title, BRect frame, window_look look, window_feel feel,
                 uint32 flags = 0)
        : window(new BWindow(frame, title, look, feel, flags)),
          probe(new ProbeView(window->Bounds(), "probe", B_FOLLOW_ALL_SIDES))
    {
        window->AddChild(probe);
    }

    ~ProbedWindow()
    {
        if (window != nullptr && window->Lock())
            window->Quit();
    }

    size_t Downs() const { return probe->Events("down").size(); }
    size_t Keys() const { return probe->Events("key").size(); }

    BWindow* window;
    ProbeView* probe;
};

} // namespace

TEST(ModalWindows, ShutOtherWindowsOffUntilTheyClose)
{
    HeadlessDriver driver;
    ProbedWindow plain("plain", BRect(0, 0, 99, 99), B_TITLED_WINDOW_LOOK, B_NORMAL_WINDOW_FEEL);
    ProbedWindow* dialog = new ProbedWindow("dialog", BRect(200, 0, 299, 99), B_MODAL_WINDOW_LOOK,
                                            B_MODAL_APP_WINDOW_FEEL);
    ProbedWindow menu("menu", BRect(400, 0, 449, 99), B_NO_BORDER_WINDOW_LOOK,
                      B_FLOATING_ALL_WINDOW_FEEL, B_AVOID_FOCUS);
    plain.window->Show();
    menu.window->Show();
    dialog->window->Show();
    ASSERT_TRUE(driver.WaitForIdle());

    int64 beeps = beep_count();
    driver.Click(plain.window, BPoint(5, 5));
    driver.PressKey(plain.window, B_F1_KEY);
    driver.Click(dialog->window, BPoint(5, 5));
    driver.Click(menu.window, BPoint(5, 5));
    ASSERT_TRUE(driver.WaitForIdle());
    EXPECT_EQ(plain.Downs(), 0u);
    EXPECT_EQ(plain.Keys(), 0u);
    EXPECT_EQ(dialog->Downs(), 1u);
    EXPECT_EQ(menu.Downs(), 1u);
    EXPECT_GT(beep_count(), beeps);

    delete dialog;
    ASSERT_TRUE(driver.WaitForIdle());
    driver.Click(plain.window, BPoint(5, 5));
    ASSERT_TRUE(driver.WaitForIdle());
    EXPECT_EQ(plain.Downs(), 1u);
}

TEST(ModalWindows, TheNewerOfTwoModalWindowsWins)
{
    HeadlessDriver driver;
    ProbedWindow older("older", BRect(0, 0, 99, 99), B_MODAL_WINDOW_LOOK, B_MODAL_APP_WINDOW_FEEL);
    ProbedWindow newer("newer", BRect(200, 0, 299, 99), B_MODAL_WINDOW_LOOK,
                       B_MODAL_APP_WINDOW_FEEL);
    older.window->Show();
    newer.window->Show();
    ASSERT_TRUE(driver.WaitForIdle());

    driver.Click(older.window, BPoint(5, 5));
    driver.Click(newer.window, BPoint(5, 5));
    ASSERT_TRUE(driver.WaitForIdle());
    EXPECT_EQ(older.Downs(), 0u);
    EXPECT_EQ(newer.Downs(), 1u);

    // A hidden modal window blocks nothing.
    newer.window->Lock();
    newer.window->Hide();
    newer.window->Unlock();
    ASSERT_TRUE(driver.WaitForIdle());
    driver.Click(older.window, BPoint(5, 5));
    ASSERT_TRUE(driver.WaitForIdle());
    EXPECT_EQ(older.Downs(), 1u);
}
