// Menus: the item list, the menu bar and its windows, shortcuts, keyboard
// navigation, pop-ups and menu fields, and how items are drawn.
#include <gtest/gtest.h>

#include <atomic>

#include "MenuTestSupport.h"
#include "kit/app/OS.h"
#include "kit/interface/MenuBar.h"
#include "kit/interface/MenuField.h"
#include "kit/interface/MenuTracking.h"
#include "kit/interface/PopUpMenu.h"
#include "kit/interface/SeparatorItem.h"

namespace {

// "File" (Open 'OPEN', Save 'SAVE' Ctrl+S, separator, Print 'PRNT'
// disabled Ctrl+P, Recent > (One 'ONE_', Two 'TWO_')) and "Edit" (Undo
// 'UNDO' Ctrl+Z) in a window at (100, 100).
struct MenuBarFixture
{
    MenuBarFixture()
    {
        window = new RecordingWindow("menus");
        bar = new BMenuBar(BRect(0, 0, 299, 19), "bar");
        file = new BMenu("File");
        file->AddItem(new BMenuItem("Open", new BMessage('OPEN')));
        file->AddItem(new BMenuItem("Save", new BMessage('SAVE'), 'S'));
        file->AddSeparatorItem();
        print = new BMenuItem("Print", new BMessage('PRNT'), 'P');
        print->SetEnabled(false);
        file->AddItem(print);
        recent = new BMenu("Recent");
        recent->AddItem(new BMenuItem("One", new BMessage('ONE_')));
        recent->AddItem(new BMenuItem("Two", new BMessage('TWO_')));
        file->AddItem(recent);
        edit = new BMenu("Edit");
        edit->AddItem(new BMenuItem("Undo", new BMessage('UNDO'), 'Z'));
        bar->AddItem(file);
        bar->AddItem(edit);
        window->AddChild(bar);
        window->Show();
        driver.WaitForIdle();
    }

    ~MenuBarFixture()
    {
        BPrivate::MenuTracking::Default().Cancel();
        if (window->Lock())
            window->Quit();
        driver.WaitForIdle();
    }

    void ClickTitle(int32 index)
    {
        window->Lock();
        BRect frame = bar->ItemAt(index)->Frame();
        window->Unlock();
        driver.Click(window, center_of(frame));
        driver.WaitForIdle();
    }

    // Clicks the item where its menu's window shows it.
    void ClickItem(BMenu* menu, const char* label)
    {
        BRect frame = menu->FindItem(label)->Frame();
        driver.Click(menu->Window(), center_of(frame));
        driver.WaitForIdle();
    }

    bool IsOpen(BMenu* menu)
    {
        return menu->Window() != nullptr && is_visible(driver, menu->Window());
    }

    HeadlessDriver driver;
    RecordingWindow* window;
    BMenuBar* bar;
    BMenu* file;
    BMenu* recent;
    BMenu* edit;
    BMenuItem* print;
};

} // namespace

// MARK: The item list

TEST(Menu, AddRemoveFindAndIndex)
{
    BMenu menu("menu");
    auto* a = new BMenuItem("a", new BMessage('AAAA'));
    auto* c = new BMenuItem("c", new BMessage('CCCC'));
    ASSERT_TRUE(menu.AddItem(a));
    ASSERT_TRUE(menu.AddItem(c));
    auto* b = new BMenuItem("b", new BMessage('BBBB'));
    ASSERT_TRUE(menu.AddItem(b, 1));
    BMenuItem outside("x", nullptr);
    EXPECT_FALSE(menu.AddItem(&outside, 9)) << "index past the end";
    ASSERT_EQ(menu.CountItems(), 3);
    EXPECT_EQ(menu.ItemAt(1), b);
    EXPECT_EQ(menu.IndexOf(c), 2);
    EXPECT_EQ(b->Menu(), &menu);

    auto* sub = new BMenu("sub");
    auto* deep = new BMenuItem("deep", new BMessage('DEEP'));
    sub->AddItem(deep);
    menu.AddItem(sub);
    EXPECT_EQ(menu.FindItem("deep"), deep);
    EXPECT_EQ(menu.FindItem('DEEP'), deep);
    EXPECT_EQ(menu.FindItem('BBBB'), b);
    EXPECT_EQ(menu.FindItem("nothing"), nullptr);
    EXPECT_EQ(menu.FindItem(uint32('NONE')), nullptr);
    EXPECT_EQ(sub->Supermenu(), &menu);
    EXPECT_EQ(sub->Superitem(), menu.ItemAt(3));
    EXPECT_STREQ(menu.ItemAt(3)->Label(), "sub");

    BMenuItem* removed = menu.RemoveItem(int32(0));
    EXPECT_EQ(removed, a);
    EXPECT_EQ(a->Menu(), nullptr);
    EXPECT_EQ(menu.IndexOf(b), 0);
    delete removed;
    EXPECT_TRUE(menu.RemoveItem(c));
    EXPECT_FALSE(menu.RemoveItem(c));
    delete c;
    EXPECT_EQ(menu.RemoveItem(int32(7)), nullptr);
    // An item deleted while in a menu leaves it.
    delete b;
    EXPECT_EQ(menu.CountItems(), 1);
    EXPECT_TRUE(menu.RemoveItem(sub));
    EXPECT_EQ(menu.CountItems(), 0);
    delete sub->Superitem();
}

TEST(Menu, RadioModeMarksOneItemAndEnablingFollowsTheMenu)
{
    BMenu menu("menu");
    auto* a = new BMenuItem("a", nullptr);
    auto* b = new BMenuItem("b", nullptr);
    menu.AddItem(a);
    menu.AddItem(b);
    a->SetMarked(true);
    b->SetMarked(true);
    EXPECT_TRUE(a->IsMarked()) << "without radio mode marks are independent";
    menu.SetRadioMode(true);
    a->SetMarked(true);
    EXPECT_FALSE(b->IsMarked());
    EXPECT_EQ(menu.FindMarked(), a);

    BSeparatorItem separator;
    separator.SetEnabled(true);
    EXPECT_FALSE(separator.IsEnabled());
    menu.SetEnabled(false);
    EXPECT_FALSE(a->IsEnabled()) << "an item of a disabled menu is disabled";
    menu.SetEnabled(true);
    EXPECT_TRUE(a->IsEnabled());

    EXPECT_EQ(BMenuItem("s", nullptr, 'S', B_SHIFT_KEY).ShortcutLabel(), "Ctrl+Shift+S");
    EXPECT_EQ(BMenuItem("s", nullptr, 's').ShortcutLabel(), "Ctrl+S");
    EXPECT_EQ(BMenuItem("s", nullptr).ShortcutLabel(), "");
}

// MARK: The menu bar

TEST(MenuBar, ClickOpensTheMenuAndChoosingDeliversToTheWindow)
{
    MenuBarFixture f;
    EXPECT_FALSE(f.IsOpen(f.file));
    f.ClickTitle(0);
    ASSERT_TRUE(f.IsOpen(f.file));
    BWindow* menuWindow = f.file->Window();
    for (const HeadlessWindowInfo& info : f.driver.Windows()) {
        if (info.window == menuWindow) {
            EXPECT_EQ(info.look, B_NO_BORDER_WINDOW_LOOK);
            EXPECT_EQ(info.feel, B_FLOATING_ALL_WINDOW_FEEL);
            // Left top just under the title.
            f.window->Lock();
            float barBottom = f.bar->Frame().bottom;
            f.window->Unlock();
            EXPECT_EQ(info.frame.LeftTop(), BPoint(100, 100 + barBottom + 1));
        }
    }

    f.ClickItem(f.file, "Save");
    EXPECT_FALSE(f.IsOpen(f.file));
    std::vector<BMessage> saves = f.window->Messages('SAVE');
    ASSERT_EQ(saves.size(), 1u);
    EXPECT_EQ(saves[0].GetInt32("index", -1), 1);
    EXPECT_EQ(saves[0].GetPointer("source"), f.file->FindItem("Save"));
    EXPECT_GT(saves[0].GetInt64("when", 0), 0);
}

TEST(MenuBar, DisabledItemsSeparatorsAndTitlesToggle)
{
    MenuBarFixture f;
    f.ClickTitle(0);
    f.ClickItem(f.file, "Print");
    EXPECT_TRUE(f.IsOpen(f.file)) << "a disabled item does not close the menu";
    f.driver.Click(f.file->Window(), center_of(f.file->ItemAt(2)->Frame()));
    f.driver.WaitForIdle();
    EXPECT_TRUE(f.IsOpen(f.file));
    EXPECT_TRUE(f.window->Messages('PRNT').empty());

    f.ClickTitle(0);
    EXPECT_FALSE(f.IsOpen(f.file)) << "a second click on the title closes";
    f.ClickTitle(1);
    EXPECT_TRUE(f.IsOpen(f.edit));

    // Moving over another title while a menu is open switches to it.
    f.window->Lock();
    BRect fileTitle = f.bar->ItemAt(0)->Frame();
    f.window->Unlock();
    f.driver.MouseMove(f.window, center_of(fileTitle));
    f.driver.WaitForIdle();
    EXPECT_TRUE(f.IsOpen(f.file));
    EXPECT_FALSE(f.IsOpen(f.edit));
    EXPECT_TRUE(f.window->Messages('UNDO').empty());
}

TEST(MenuBar, EscapeAndClicksOutsideCloseWithoutAMessage)
{
    MenuBarFixture f;
    TestWindow other("other", BRect(500, 100, 599, 199));
    other.ShowAndWait();

    f.ClickTitle(0);
    ASSERT_TRUE(f.IsOpen(f.file));
    f.driver.PressKey(f.window, B_ESCAPE_KEY);
    f.driver.WaitForIdle();
    EXPECT_FALSE(f.IsOpen(f.file));

    f.ClickTitle(0);
    ASSERT_TRUE(f.IsOpen(f.file));
    f.driver.Click(other.window, BPoint(10, 10));
    f.driver.WaitForIdle();
    EXPECT_FALSE(f.IsOpen(f.file));

    f.ClickTitle(0);
    f.driver.Click(f.window, BPoint(150, 150)); // the window, below the bar
    f.driver.WaitForIdle();
    EXPECT_FALSE(f.IsOpen(f.file));
    for (uint32 what : {'OPEN', 'SAVE', 'PRNT', 'ONE_', 'TWO_', 'UNDO'})
        EXPECT_TRUE(f.window->Messages(what).empty());
}

TEST(MenuBar, ShortcutsWorkWithTheMenusClosedUnlessDisabled)
{
    MenuBarFixture f;
    f.driver.PressShortcut(f.window, 's');
    f.driver.PressShortcut(f.window, 'z');
    f.driver.PressShortcut(f.window, 'p');                              // disabled
    f.driver.PressShortcut(f.window, 's', B_COMMAND_KEY | B_SHIFT_KEY); // other modifiers
    f.driver.KeyDown(f.window, 0, "s");                                 // no Ctrl
    f.driver.WaitForIdle();
    EXPECT_EQ(f.window->Messages('SAVE').size(), 1u);
    EXPECT_EQ(f.window->Messages('UNDO').size(), 1u);
    EXPECT_TRUE(f.window->Messages('PRNT').empty());

    f.print->SetEnabled(true);
    f.driver.PressShortcut(f.window, 'P');
    f.driver.WaitForIdle();
    EXPECT_EQ(f.window->Messages('PRNT').size(), 1u);
}

TEST(MenuBar, KeyboardMovesChoosesAndOpensSubmenus)
{
    MenuBarFixture f;
    f.ClickTitle(0);
    // Down twice: Open, Save. Enter chooses Save.
    f.driver.PressKey(f.window, B_DOWN_ARROW_KEY);
    f.driver.PressKey(f.window, B_DOWN_ARROW_KEY);
    f.driver.PressKey(f.window, B_ENTER_KEY);
    f.driver.WaitForIdle();
    EXPECT_EQ(f.window->Messages('SAVE').size(), 1u);
    EXPECT_FALSE(f.IsOpen(f.file));

    // Up from nothing wraps to the last item, the submenu; Right opens it
    // with its first item highlighted; Down, Enter choose "Two". The
    // separator and the disabled item are skipped on the way.
    f.ClickTitle(0);
    f.driver.PressKey(f.window, B_UP_ARROW_KEY);
    f.driver.PressKey(f.window, B_RIGHT_ARROW_KEY);
    f.driver.WaitForIdle();
    ASSERT_TRUE(f.IsOpen(f.recent));
    f.driver.PressKey(f.window, B_DOWN_ARROW_KEY);
    f.driver.PressKey(f.window, B_ENTER_KEY);
    f.driver.WaitForIdle();
    EXPECT_EQ(f.window->Messages('TWO_').size(), 1u);
    EXPECT_FALSE(f.IsOpen(f.recent));
    EXPECT_FALSE(f.IsOpen(f.file));

    // Right on an item without a submenu goes to the next title.
    f.ClickTitle(0);
    f.driver.PressKey(f.window, B_RIGHT_ARROW_KEY);
    f.driver.WaitForIdle();
    EXPECT_TRUE(f.IsOpen(f.edit));
    EXPECT_FALSE(f.IsOpen(f.file));
    f.driver.PressKey(f.window, B_ENTER_KEY);
    f.driver.WaitForIdle();
    EXPECT_EQ(f.window->Messages('UNDO').size(), 1u);
}

TEST(MenuBar, HoveringASubmenuItemOpensItBeside)
{
    MenuBarFixture f;
    f.ClickTitle(0);
    BWindow* fileWindow = f.file->Window();
    BRect recentFrame = f.file->FindItem("Recent")->Frame();
    f.driver.MouseMove(fileWindow, center_of(recentFrame));
    f.driver.WaitForIdle();
    ASSERT_TRUE(f.IsOpen(f.recent));
    EXPECT_GT(f.recent->Window()->Frame().left, fileWindow->Frame().right - 1);

    f.ClickItem(f.recent, "One");
    EXPECT_EQ(f.window->Messages('ONE_').size(), 1u);
    EXPECT_FALSE(f.IsOpen(f.recent));
    EXPECT_FALSE(f.IsOpen(f.file));
}

TEST(MenuBar, ItemTargetsAndChangesWhileOpen)
{
    MenuBarFixture f;
    RecordingWindow* target = new RecordingWindow("target", BRect(600, 100, 699, 199));
    WindowQuitter quit{target};
    target->Show();
    f.file->FindItem("Open")->SetTarget(target);

    f.ClickTitle(0);
    // Added while open: the menu window grows to show it.
    float before = f.file->Window()->Frame().Height();
    f.file->AddItem(new BMenuItem("Close", new BMessage('CLOS')), 1);
    f.driver.WaitForIdle();
    EXPECT_GT(f.file->Window()->Frame().Height(), before);
    f.ClickItem(f.file, "Open");
    EXPECT_EQ(target->Messages('OPEN').size(), 1u);
    EXPECT_TRUE(f.window->Messages('OPEN').empty());
}

// MARK: Drawing

TEST(MenuBar, MarkedAndHighlightedItemsAreDrawn)
{
    MenuBarFixture f;
    f.file->FindItem("Open")->SetMarked(true);
    f.ClickTitle(0);
    BWindow* menuWindow = f.file->Window();
    BRect open = f.file->FindItem("Open")->Frame();
    BRect save = f.file->FindItem("Save")->Frame();

    auto dark_pixels_in = [&](BRect box) {
        int count = 0;
        for (float y = box.top; y <= box.bottom; y++) {
            for (float x = box.left; x <= box.right; x++) {
                if (f.driver.Pixel(menuWindow, BPoint(x, y)).red < 100)
                    count++;
            }
        }
        return count;
    };
    // The mark column is left of the label.
    EXPECT_GT(dark_pixels_in(BRect(open.left + 2, open.top, open.left + 16, open.bottom)), 4);
    EXPECT_EQ(dark_pixels_in(BRect(save.left + 2, save.top, save.left + 16, save.bottom)), 0);

    rgb_color menuColor = ui_color(B_MENU_BACKGROUND_COLOR);
    rgb_color selection = ui_color(B_MENU_SELECTION_BACKGROUND_COLOR);
    EXPECT_RGB(f.driver.Pixel(menuWindow, BPoint(save.right - 2, save.top + 1)), menuColor);
    f.driver.MouseMove(menuWindow, center_of(save));
    f.driver.WaitForIdle();
    EXPECT_RGB(f.driver.Pixel(menuWindow, BPoint(save.right - 2, save.top + 1)), selection);
    EXPECT_RGB(f.driver.Pixel(menuWindow, BPoint(open.right - 2, open.top + 1)), menuColor);
    // The open title is highlighted in the bar.
    f.window->Lock();
    BRect title = f.bar->ItemAt(0)->Frame();
    f.window->Unlock();
    EXPECT_RGB(f.driver.Pixel(f.window, BPoint(title.left + 1, title.top + 1)), selection);
}

// MARK: Pop-ups and menu fields

TEST(PopUpMenu, SynchronousGoFromAWindowThreadWhileOthersWork)
{
    HeadlessDriver driver;
    auto* menu = new BPopUpMenu("pop", false, false);
    menu->AddItem(new BMenuItem("red", new BMessage('RED_')));
    menu->AddItem(new BMenuItem("green", new BMessage('GREN')));

    RecordingWindow* caller = new RecordingWindow("caller");
    WindowQuitter quitCaller{caller};
    RecordingWindow* other = new RecordingWindow("other", BRect(500, 100, 599, 199));
    WindowQuitter quitOther{other};
    caller->Show();
    other->Show();
    driver.WaitForIdle();

    std::atomic<BMenuItem*> chosen{nullptr};
    std::atomic<bool> returned{false};
    class Caller : public BHandler
    {
    public:
        Caller(BPopUpMenu* menu, std::atomic<BMenuItem*>* chosen, std::atomic<bool>* returned)
            : fMenu(menu), fChosen(chosen), fReturned(returned)
        {
        }
        void MessageReceived(BMessage*) override
        {
            fChosen->store(fMenu->Go(BPoint(300, 300), true));
            fReturned->store(true);
        }

    private:
        BPopUpMenu* fMenu;
        std::atomic<BMenuItem*>* fChosen;
        std::atomic<bool>* fReturned;
    };
    auto* handler = new Caller(menu, &chosen, &returned);
    caller->Lock();
    caller->AddHandler(handler);
    caller->Unlock();
    caller->PostMessage('GO__', handler);
    // The blocked caller counts as idle: this returns with the menu open.
    ASSERT_TRUE(driver.WaitForIdle());
    EXPECT_FALSE(returned.load());
    ASSERT_TRUE(is_visible(driver, menu->Window()));
    EXPECT_EQ(menu->Window()->Frame().LeftTop(), BPoint(300, 300));

    other->PostMessage('PING');
    driver.WaitForIdle();
    EXPECT_EQ(other->Messages('PING').size(), 1u) << "other windows keep working";

    driver.Click(menu->Window(), center_of(menu->FindItem("green")->Frame()));
    driver.WaitForIdle();
    EXPECT_TRUE(returned.load());
    EXPECT_EQ(chosen.load(), menu->FindItem("green"));
    // Delivered, to the caller's window by default.
    EXPECT_EQ(caller->Messages('GREN').size(), 1u);

    // Escape: null and no message.
    caller->PostMessage('GO__', handler);
    driver.WaitForIdle();
    driver.PressKey(caller, B_ESCAPE_KEY);
    driver.WaitForIdle();
    EXPECT_EQ(chosen.load(), nullptr);
    EXPECT_EQ(caller->Messages('RED_').size(), 0u);

    // An item aimed at the blocked caller's window itself is delivered once
    // the caller runs again, without waiting for the caller's lock.
    auto* blue = new BMenuItem("blue", new BMessage('BLUE'));
    blue->SetTarget(caller);
    menu->AddItem(blue);
    caller->PostMessage('GO__', handler);
    driver.WaitForIdle();
    driver.Click(menu->Window(), center_of(blue->Frame()));
    driver.WaitForIdle();
    EXPECT_EQ(chosen.load(), blue);
    EXPECT_EQ(caller->Messages('BLUE').size(), 1u);
    caller->Lock();
    caller->RemoveHandler(handler);
    caller->Unlock();
    delete handler;
    delete menu;
}

TEST(PopUpMenu, AsynchronousGoDeliversAndDestroysItself)
{
    HeadlessDriver driver;
    RecordingWindow* target = new RecordingWindow("target");
    WindowQuitter quit{target};
    target->Show();
    auto* menu = new BPopUpMenu("async");
    menu->AddItem(new BMenuItem("one", new BMessage('ONE_')));
    menu->SetTargetForItems(target);
    menu->SetAsyncAutoDestruct(true);
    EXPECT_EQ(menu->Go(BPoint(50, 50), true, false, true), nullptr);
    driver.WaitForIdle();
    BWindow* menuWindow = menu->Window();
    ASSERT_TRUE(is_visible(driver, menuWindow));
    driver.Click(menuWindow, center_of(menu->ItemAt(0)->Frame()));
    driver.WaitForIdle();
    EXPECT_EQ(target->Messages('ONE_').size(), 1u);
    EXPECT_EQ(driver.FindWindow("async"), nullptr) << "the menu and its window are gone";
}

TEST(MenuField, ShowsTheMarkedItemAfterAChoice)
{
    TestWindow test;
    auto* menu = new BPopUpMenu("pick");
    menu->AddItem(new BMenuItem("small", new BMessage('SIZE')));
    menu->AddItem(new BMenuItem("large", new BMessage('SIZE')));
    auto* field = new BMenuField(BRect(10, 10, 209, 33), "field", "Size", menu);
    test.Add(field);
    test.ShowAndWait();
    EXPECT_EQ(field->FieldText(), "pick");

    test.driver.Click(test.window, BPoint(150, 20));
    test.driver.WaitForIdle();
    ASSERT_TRUE(is_visible(test.driver, menu->Window()));
    BRect frame = menu->Window()->Frame();
    test.window->Lock();
    BPoint below = field->ConvertToScreen(BPoint(field->Divider(), field->Bounds().bottom + 1));
    test.window->Unlock();
    EXPECT_EQ(frame.LeftTop(), below);

    test.driver.Click(menu->Window(), center_of(menu->FindItem("large")->Frame()));
    test.driver.WaitForIdle();
    EXPECT_TRUE(menu->FindItem("large")->IsMarked());
    EXPECT_EQ(field->FieldText(), "large");
}
