// Input injected through the headless backend reaching the right view, in
// the right coordinates, with the fields the program reads.
#include <gtest/gtest.h>

#include <atomic>
#include <string>

#include "TestWindow.h"
#include "kit/app/OS.h"
#include "kit/app/TypeConstants.h"
#include "support/WaitUntil.h"

namespace {

// A three-level tree: outer (10,10)-(209,159) holds inner at (20,30) and a
// sibling at (120,30); all views record what they get.
struct Tree
{
    Tree()
    {
        outer = test.Add(new ProbeView(BRect(10, 10, 209, 159), "outer"));
        inner =
            new ProbeView(BRect(20, 30, 69, 79), "inner", B_FOLLOW_NONE, B_WILL_DRAW | B_NAVIGABLE);
        sibling = new ProbeView(BRect(120, 30, 169, 79), "sibling", B_FOLLOW_NONE,
                                B_WILL_DRAW | B_NAVIGABLE);
        outer->AddChild(inner);
        outer->AddChild(sibling);
        test.ShowAndWait();
    }

    TestWindow test;
    ProbeView* outer;
    ProbeView* inner;
    ProbeView* sibling;
};

} // namespace

// MARK: Mouse

TEST(MouseRouting, DownGoesToTheDeepestViewInItsCoordinates)
{
    Tree tree;
    tree.test.driver.MouseDown(tree.test.window, BPoint(35, 45), B_SECONDARY_MOUSE_BUTTON, 2,
                               B_SHIFT_KEY);
    tree.test.driver.MouseUp(tree.test.window, BPoint(35, 45));
    tree.test.driver.WaitForIdle();

    ASSERT_EQ(tree.inner->Events("down").size(), 1u);
    EXPECT_TRUE(tree.outer->Events("down").empty());
    ViewEvent down = tree.inner->Events("down")[0];
    EXPECT_EQ(down.where, BPoint(5, 5));
    EXPECT_EQ(down.message.GetPoint("where", B_ORIGIN), BPoint(5, 5));
    EXPECT_EQ(down.message.GetPoint("be:view_where", B_ORIGIN), BPoint(5, 5));
    EXPECT_EQ(down.message.GetPoint("screen_where", B_ORIGIN), BPoint(135, 145));
    EXPECT_EQ(down.message.GetInt32("buttons", 0), int32(B_SECONDARY_MOUSE_BUTTON));
    EXPECT_EQ(down.message.GetInt32("clicks", 0), 2);
    EXPECT_EQ(down.message.GetInt32("modifiers", 0), int32(B_SHIFT_KEY));
    ASSERT_EQ(tree.inner->Events("up").size(), 1u);
    EXPECT_EQ(tree.inner->Events("up")[0].where, BPoint(5, 5));
}

TEST(MouseRouting, ScrolledParentsAndLaterSiblingsOnTop)
{
    Tree tree;
    tree.test.Locked([&] {
        // A later sibling over inner takes the clicks there.
        tree.outer->AddChild(new ProbeView(BRect(20, 30, 29, 39), "cover"));
        tree.outer->ScrollBy(0, 10);
    });
    auto* cover = static_cast<ProbeView*>(tree.test.window->FindView("cover"));
    tree.test.driver.Click(tree.test.window, BPoint(32, 32)); // outer (22, 22) -> scrolled (22, 32)
    tree.test.driver.Click(tree.test.window, BPoint(45, 40)); // outer (35, 40) -> inner (15, 10)
    tree.test.driver.WaitForIdle();
    ASSERT_EQ(cover->Events("down").size(), 1u);
    EXPECT_EQ(cover->Events("down")[0].where, BPoint(2, 2));
    ASSERT_EQ(tree.inner->Events("down").size(), 1u);
    EXPECT_EQ(tree.inner->Events("down")[0].where, BPoint(15, 10));
}

TEST(MouseRouting, TheViewPressedKeepsTheMouseUntilRelease)
{
    Tree tree;
    BWindow* window = tree.test.window;
    tree.test.driver.MouseDown(window, BPoint(35, 45));
    tree.test.driver.MouseMove(window, BPoint(40, 45));
    tree.test.driver.MouseMove(window, BPoint(140, 45)); // over the sibling
    tree.test.driver.MouseMove(window, BPoint(150, 50));
    tree.test.driver.MouseUp(window, BPoint(150, 50));
    tree.test.driver.MouseMove(window, BPoint(151, 50));
    tree.test.driver.WaitForIdle();

    std::vector<ViewEvent> moves = tree.inner->Events("moved");
    ASSERT_EQ(moves.size(), 3u);
    EXPECT_EQ(moves[0].transit, B_ENTERED_VIEW);
    EXPECT_EQ(moves[1].transit, B_EXITED_VIEW);
    EXPECT_EQ(moves[1].where, BPoint(110, 5));
    EXPECT_EQ(moves[2].transit, B_OUTSIDE_VIEW);
    ASSERT_EQ(tree.inner->Events("up").size(), 1u);
    EXPECT_EQ(tree.inner->Events("up")[0].where, BPoint(120, 10));
    EXPECT_TRUE(tree.sibling->Events("up").empty());
    // Released: the next move goes to the view under the pointer.
    ASSERT_EQ(tree.sibling->Events("moved").size(), 1u);
    EXPECT_EQ(tree.sibling->Events("moved")[0].transit, B_ENTERED_VIEW);
}

TEST(MouseRouting, TransitsWithoutButtons)
{
    Tree tree;
    BWindow* window = tree.test.window;
    for (float x : {35.0f, 36.0f, 90.0f, 135.0f})
        tree.test.driver.MouseMove(window, BPoint(x, 45));
    tree.test.driver.WaitForIdle();

    std::vector<uint32> inner, outer, sibling;
    for (const ViewEvent& event : tree.inner->Events("moved"))
        inner.push_back(event.transit);
    for (const ViewEvent& event : tree.outer->Events("moved"))
        outer.push_back(event.transit);
    for (const ViewEvent& event : tree.sibling->Events("moved"))
        sibling.push_back(event.transit);
    EXPECT_EQ(inner, (std::vector<uint32>{B_ENTERED_VIEW, B_INSIDE_VIEW, B_EXITED_VIEW}));
    EXPECT_EQ(outer, (std::vector<uint32>{B_ENTERED_VIEW, B_EXITED_VIEW}));
    EXPECT_EQ(sibling, (std::vector<uint32>{B_ENTERED_VIEW}));
}

namespace {

// Polls GetMouse() while the button is held, as drag loops do.
class DragLoopView : public ProbeView
{
public:
    DragLoopView(BRect frame) : ProbeView(frame, "drag") {}

    void MouseDown(BPoint) override
    {
        BPoint where;
        uint32 buttons = 0;
        GetMouse(&where, &buttons);
        started = true;
        while (buttons != 0) {
            BPoint last = where;
            GetMouse(&where, &buttons);
            if (where != last) {
                seen.push_back(where);
                seenCount = static_cast<int>(seen.size());
            }
            snooze(200);
        }
        finished = true;
    }

    std::vector<BPoint> seen;
    std::atomic<bool> started{false};
    std::atomic<int> seenCount{0};
    std::atomic<bool> finished{false};
};

} // namespace

TEST(MouseRouting, GetMouseFollowsTheLivePointerDuringADragLoop)
{
    TestWindow test;
    auto* view = test.Add(new DragLoopView(BRect(10, 10, 109, 109)));
    test.ShowAndWait();
    test.driver.MouseDown(test.window, BPoint(20, 20));
    ASSERT_TRUE(WaitUntil([&] { return view->started.load(); }));
    test.driver.MouseMove(test.window, BPoint(50, 25));
    ASSERT_TRUE(WaitUntil([&] { return view->seenCount.load() == 1; }));
    test.driver.MouseMove(test.window, BPoint(150, 30)); // beyond the view and window
    ASSERT_TRUE(WaitUntil([&] { return view->seenCount.load() == 2; }));
    test.driver.MouseUp(test.window, BPoint(150, 30));
    test.driver.WaitForIdle();
    EXPECT_TRUE(view->finished);
    ASSERT_EQ(view->seen.size(), 2u);
    EXPECT_EQ(view->seen[0], BPoint(40, 15));
    EXPECT_EQ(view->seen[1], BPoint(140, 20));
}

TEST(MouseRouting, WheelGoesToTheViewUnderThePointerElseTheFocus)
{
    Tree tree;
    BWindow* window = tree.test.window;
    tree.test.driver.MouseMove(window, BPoint(140, 45));
    tree.test.driver.Wheel(window, 3);
    tree.test.driver.MouseMove(window, BPoint(290, 190)); // over the top view
    tree.test.driver.Wheel(window, 2);
    tree.test.Locked([&] { tree.inner->MakeFocus(); });
    tree.test.driver.MouseMove(window, BPoint(400, 50)); // outside the window
    tree.test.driver.Wheel(window, -1);
    tree.test.driver.WaitForIdle();

    std::vector<ViewEvent> onSibling = tree.sibling->Events("message");
    ASSERT_EQ(onSibling.size(), 1u);
    EXPECT_EQ(onSibling[0].message.what, uint32(B_MOUSE_WHEEL_CHANGED));
    EXPECT_EQ(onSibling[0].message.GetFloat("be:wheel_delta_y", 0), 3);
    std::vector<ViewEvent> onFocus = tree.inner->Events("message");
    ASSERT_EQ(onFocus.size(), 1u);
    EXPECT_EQ(onFocus[0].message.GetFloat("be:wheel_delta_y", 0), -1);
    EXPECT_TRUE(tree.outer->Events("message").empty());
}

TEST(MouseRouting, FileDropsReachTheViewUnderTheDropPoint)
{
    Tree tree;
    tree.test.driver.DropFiles(tree.test.window, BPoint(130, 40),
                               {"/tmp/a plan.xml", "/tmp/b;c.jpg"});
    tree.test.driver.WaitForIdle();
    std::vector<ViewEvent> received = tree.sibling->Events("message");
    ASSERT_EQ(received.size(), 1u);
    const BMessage& drop = received[0].message;
    EXPECT_EQ(drop.what, uint32(B_SIMPLE_DATA));
    EXPECT_TRUE(drop.WasDropped());
    EXPECT_EQ(drop.DropPoint(), BPoint(230, 140));
    EXPECT_EQ(drop.GetPoint("where", B_ORIGIN), BPoint(0, 0));
    entry_ref ref;
    ASSERT_EQ(drop.FindRef("refs", 1, &ref), B_OK);
    EXPECT_EQ(ref.path, "/tmp/b;c.jpg");
}

TEST(MouseRouting, TextDropsReachTheViewUnderTheDropPointAsPlainText)
{
    Tree tree;
    const std::string text = "#1BE3E3\n\xC3\xA4";
    tree.test.driver.DropText(tree.test.window, BPoint(130, 40), text);
    tree.test.driver.WaitForIdle();
    std::vector<ViewEvent> received = tree.sibling->Events("message");
    ASSERT_EQ(received.size(), 1u);
    const BMessage& drop = received[0].message;
    EXPECT_EQ(drop.what, uint32(B_SIMPLE_DATA));
    EXPECT_TRUE(drop.WasDropped());
    EXPECT_EQ(drop.DropPoint(), BPoint(230, 140));
    const void* data = nullptr;
    ssize_t size = 0;
    ASSERT_EQ(drop.FindData("text/plain", B_MIME_TYPE, &data, &size), B_OK);
    EXPECT_EQ(std::string(static_cast<const char*>(data), size), text);
    entry_ref ref;
    EXPECT_NE(drop.FindRef("refs", &ref), B_OK);
}

// MARK: Keyboard

TEST(KeyRouting, KeysGoToTheFocusViewWithRawCodes)
{
    Tree tree;
    BWindow* window = tree.test.window;
    tree.test.Locked([&] { tree.sibling->MakeFocus(); });
    EXPECT_EQ(window->CurrentFocus(), tree.sibling);
    tree.test.driver.PressKey(window, B_F1_KEY);
    tree.test.driver.PressKey(window, B_F12_KEY);
    tree.test.driver.PressKey(window, B_ESCAPE_KEY);
    tree.test.driver.PressKey(window, B_DELETE_KEY);
    tree.test.driver.TypeText(window, "Aü");
    tree.test.driver.WaitForIdle();

    std::vector<ViewEvent> keys = tree.sibling->Events("key");
    ASSERT_EQ(keys.size(), 6u);
    struct Expected
    {
        int32 key;
        std::string bytes;
    } expected[] = {{2, "\x10"}, {13, "\x10"}, {1, "\x1b"}, {52, "\x7f"}, {0, "A"}, {0, "ü"}};
    for (size_t i = 0; i < keys.size(); i++) {
        EXPECT_EQ(keys[i].message.GetInt32("key", -1), expected[i].key) << i;
        EXPECT_EQ(keys[i].bytes, expected[i].bytes) << i;
        EXPECT_STREQ(keys[i].message.GetString("bytes", ""), expected[i].bytes.c_str()) << i;
    }
    EXPECT_EQ(keys[4].message.GetInt32("modifiers", 0), int32(B_SHIFT_KEY));
    EXPECT_EQ(keys[4].message.GetInt32("raw_char", 0), 'a');
    EXPECT_TRUE(tree.inner->Events("key").empty());
}

TEST(KeyRouting, TabAndShiftTabCycleThroughNavigableViews)
{
    Tree tree;
    BWindow* window = tree.test.window;
    auto* hidden = new ProbeView(BRect(0, 0, 5, 5), "hidden", B_FOLLOW_NONE, B_NAVIGABLE);
    tree.test.Locked([&] {
        tree.outer->AddChild(hidden);
        hidden->Hide();
    });
    std::vector<BView*> focus;
    auto press = [&](uint32 modifiers) {
        tree.test.driver.PressKey(window, B_TAB_KEY, modifiers);
        tree.test.driver.WaitForIdle();
        window->Lock();
        focus.push_back(window->CurrentFocus());
        window->Unlock();
    };
    press(0);
    press(0);
    press(0);
    press(B_SHIFT_KEY);
    press(B_SHIFT_KEY);
    EXPECT_EQ(focus, (std::vector<BView*>{tree.inner, tree.sibling, tree.inner, tree.sibling,
                                          tree.inner}));
    // Tab moves the focus: the views never see it as a key.
    EXPECT_TRUE(tree.inner->Events("key").empty());
}

TEST(KeyRouting, ShortcutsPostToTheirTarget)
{
    Tree tree;
    BWindow* window = tree.test.window;
    tree.test.Locked([&] {
        window->AddShortcut('S', 0, new BMessage('SAVE'), tree.outer);
        window->AddShortcut('s', B_SHIFT_KEY, new BMessage('SVAS'), tree.outer);
        tree.inner->MakeFocus();
    });
    tree.test.driver.PressShortcut(window, 's');
    tree.test.driver.PressShortcut(window, 'S', B_COMMAND_KEY | B_SHIFT_KEY);
    tree.test.driver.PressShortcut(window, 'q');
    tree.test.driver.KeyDown(window, 0, "s"); // without Ctrl: typed
    tree.test.driver.WaitForIdle();

    std::vector<uint32> received;
    for (const ViewEvent& event : tree.outer->Events("message"))
        received.push_back(event.message.what);
    EXPECT_EQ(received, (std::vector<uint32>{'SAVE', 'SVAS'}));
    std::vector<ViewEvent> typed = tree.inner->Events("key");
    ASSERT_EQ(typed.size(), 2u); // Ctrl+Q has no shortcut and goes on
    EXPECT_EQ(typed[1].bytes, "s");
}

// MARK: Lifetime

TEST(WindowLifetime, MessagesForADeletedViewAreDropped)
{
    Tree tree;
    BWindow* window = tree.test.window;
    window->Lock();
    for (int i = 0; i < 20; i++)
        window->PostMessage('PING', tree.inner);
    tree.inner->RemoveSelf();
    delete tree.inner;
    window->PostMessage('PING', tree.sibling);
    window->Unlock();
    tree.test.driver.WaitForIdle();
    EXPECT_EQ(tree.sibling->Events("message").size(), 1u);
}

TEST(WindowLifetime, QuitFromAnotherThreadWithMessagesQueued)
{
    for (int round = 0; round < 5; round++) {
        auto* window = new BWindow(BRect(0, 0, 99, 99), "quitting", B_TITLED_WINDOW, 0);
        auto* view = new ProbeView(BRect(0, 0, 99, 99), "view");
        window->AddChild(view);
        window->Show();
        HeadlessDriver driver;
        for (int i = 0; i < 50; i++) {
            driver.Click(window, BPoint(i, i));
            window->PostMessage('PING', view);
        }
        window->Lock();
        window->Quit();
        // The window is gone: the backend refuses input for it.
        EXPECT_EQ(driver.Backend().InjectMouse(window, B_MOUSE_DOWN, B_ORIGIN, 1, 1, 0),
                  B_BAD_VALUE);
        EXPECT_EQ(driver.FindWindow("quitting"), nullptr);
        EXPECT_TRUE(driver.WaitForIdle());
    }
}

TEST(WindowLifetime, QuitRequestedFromTheWindowThread)
{
    auto* window = new BWindow(BRect(0, 0, 99, 99), "closing", B_TITLED_WINDOW, 0);
    window->Show();
    HeadlessDriver driver;
    window->PostMessage(B_QUIT_REQUESTED);
    EXPECT_TRUE(driver.WaitForIdle());
    EXPECT_EQ(driver.FindWindow("closing"), nullptr);
}
