// List views: items, selection by mouse and keys in both list types, the
// messages they send, scrolling a selection into view, and the highlight.
#include "kit/interface/ListView.h"

#include <gtest/gtest.h>

#include "kit/display/TestWindow.h"
#include "kit/interface/ScrollBar.h"
#include "kit/interface/ScrollView.h"
#include "kit/interface/StringItem.h"

namespace {

std::vector<int32> indices(const BMessage& message)
{
    std::vector<int32> result;
    int32 value;
    for (int32 i = 0; message.FindInt32("index", i, &value) == B_OK; i++)
        result.push_back(value);
    return result;
}

// A list of "Day 0" ... in a scroll view, sending to a probe.
struct ListWindow
{
    explicit ListWindow(list_view_type type, int count = 5, float height = 150)
    {
        probe = test.Add(new ProbeView(BRect(290, 190, 299, 199), "probe"));
        list = new BListView(BRect(10, 10, 150, 10 + height), "inis", type);
        for (int i = 0; i < count; i++)
            list->AddItem(new BStringItem(("Day " + std::to_string(i)).c_str()));
        scroll = test.Add(new BScrollView("scroll", list, B_FOLLOW_NONE, 0, false, true));
        list->SetTarget(probe);
        list->SetSelectionMessage(new BMessage('SELC'));
        list->SetInvocationMessage(new BMessage('INVK'));
        test.ShowAndWait();
    }

    // The middle of row i in window coordinates (the list is not scrolled).
    BPoint Row(int32 i)
    {
        test.window->Lock();
        BRect frame = list->ConvertToParent(list->ItemFrame(i));
        test.window->Unlock();
        frame = scroll->ConvertToParent(frame);
        return BPoint(frame.left + 20, (frame.top + frame.bottom) / 2);
    }

    void Click(int32 row, uint32 modifiers = 0, int32 clicks = 1)
    {
        test.driver.Click(test.window, Row(row), B_PRIMARY_MOUSE_BUTTON, clicks, modifiers);
        test.driver.WaitForIdle();
    }

    void Key(int32 key, uint32 modifiers = 0)
    {
        test.driver.PressKey(test.window, key, modifiers);
        test.driver.WaitForIdle();
    }

    std::vector<int32> Selected()
    {
        std::vector<int32> result;
        test.window->Lock();
        for (int32 n = 0, index; (index = list->CurrentSelection(n)) >= 0; n++)
            result.push_back(index);
        test.window->Unlock();
        return result;
    }

    TestWindow test;
    ProbeView* probe;
    BListView* list;
    BScrollView* scroll;
};

using Rows = std::vector<int32>;

} // namespace

TEST(ListViewTest, ItemsAreAddedAtAnIndexAndHandedBackWhenRemoved)
{
    BListView list(BRect(0, 0, 99, 99), "list");
    auto* b = new BStringItem("b");
    EXPECT_TRUE(list.AddItem(b));
    EXPECT_TRUE(list.AddItem(new BStringItem("a"), 0));
    EXPECT_TRUE(list.AddItem(new BStringItem("c")));
    BStringItem never("never");
    EXPECT_FALSE(list.AddItem(&never, 9));
    EXPECT_FALSE(list.AddItem(nullptr));
    ASSERT_EQ(list.CountItems(), 3);
    EXPECT_EQ(list.RemoveItem(3), nullptr);

    EXPECT_EQ(std::string(static_cast<BStringItem*>(list.ItemAt(0))->Text()), "a");
    EXPECT_EQ(list.IndexOf(b), 1);
    EXPECT_EQ(list.ItemAt(3), nullptr);
    EXPECT_GT(list.ItemAt(0)->Height(), 10) << "a line of the font";
    EXPECT_EQ(list.ItemFrame(1).top, list.ItemAt(0)->Height());
    EXPECT_EQ(list.IndexOf(BPoint(5, list.ItemFrame(2).top)), 2);
    EXPECT_EQ(list.IndexOf(BPoint(5, 99)), -1);

    list.Select(1);
    BListItem* removed = list.RemoveItem(1);
    EXPECT_EQ(removed, b);
    EXPECT_FALSE(removed->IsSelected());
    EXPECT_EQ(list.CurrentSelection(), -1);
    delete removed;
    EXPECT_FALSE(list.RemoveItem(b));
    list.MakeEmpty();
    EXPECT_TRUE(list.IsEmpty());
}

TEST(ListViewTest, SingleSelectionFollowsClicksAndArrows)
{
    ListWindow w(B_SINGLE_SELECTION_LIST);
    w.Click(1);
    w.Click(3, B_SHIFT_KEY);
    EXPECT_EQ(w.Selected(), Rows{3}) << "Shift means nothing in a single list";
    w.Key(B_UP_ARROW_KEY);
    EXPECT_EQ(w.Selected(), Rows{2});
    w.Key(B_END_KEY);
    w.Key(B_DOWN_ARROW_KEY);
    EXPECT_EQ(w.Selected(), Rows{4}) << "stops at the last row";

    std::vector<BMessage> changes = messages(w.probe, 'SELC');
    ASSERT_EQ(changes.size(), 4u) << "one per change, none for the stop at the end";
    EXPECT_EQ(indices(changes[0]), Rows{1});
    EXPECT_EQ(indices(changes.back()), Rows{4});
}

TEST(ListViewTest, MultipleSelectionWithShiftAndCtrl)
{
    ListWindow w(B_MULTIPLE_SELECTION_LIST);
    w.Click(1);
    w.Click(3, B_SHIFT_KEY);
    EXPECT_EQ(w.Selected(), (Rows{1, 2, 3}));
    w.Click(2, B_COMMAND_KEY);
    EXPECT_EQ(w.Selected(), (Rows{1, 3}));
    w.Click(0, B_COMMAND_KEY);
    EXPECT_EQ(w.Selected(), (Rows{0, 1, 3}));
    w.Click(2, B_SHIFT_KEY);
    EXPECT_EQ(w.Selected(), (Rows{0, 1, 2})) << "the range starts at the last Ctrl-click";
    w.Key(B_DOWN_ARROW_KEY, B_SHIFT_KEY);
    EXPECT_EQ(w.Selected(), (Rows{0, 1, 2, 3}));
    w.Key(B_DOWN_ARROW_KEY);
    EXPECT_EQ(w.Selected(), Rows{4});
    w.Click(4);
    EXPECT_EQ(messages(w.probe, 'SELC').size(), 7u) << "clicking the only selected row again";

    w.test.Locked([&] {
        w.list->Select(0, 2, true);
        w.list->Deselect(1);
    });
    EXPECT_EQ(w.Selected(), (Rows{0, 2, 4}));
    w.test.Locked([&] { w.list->DeselectAll(); });
    EXPECT_TRUE(w.Selected().empty());
}

TEST(ListViewTest, DoubleClickAndEnterInvokeWithTheSelection)
{
    ListWindow w(B_MULTIPLE_SELECTION_LIST);
    w.Click(2);
    w.Click(2, 0, 2);
    w.Click(1, B_SHIFT_KEY);
    w.Key(B_ENTER_KEY);
    std::vector<BMessage> invoked = messages(w.probe, 'INVK');
    ASSERT_EQ(invoked.size(), 2u);
    EXPECT_EQ(indices(invoked[0]), Rows{2});
    EXPECT_EQ(indices(invoked[1]), (Rows{1, 2}));
    void* source = nullptr;
    invoked[0].FindPointer("source", &source);
    EXPECT_EQ(source, w.list);
}

TEST(ListViewTest, KeysScrollTheSelectionIntoViewAndMoveTheBar)
{
    ListWindow w(B_SINGLE_SELECTION_LIST, 40, 80);
    BScrollBar* bar = w.scroll->ScrollBar(B_VERTICAL);
    float min, max, total;
    w.test.Locked([&] {
        bar->GetRange(&min, &max);
        total = w.list->ItemFrame(39).bottom + 1;
    });
    EXPECT_EQ(min, 0);
    EXPECT_EQ(max, total - 81);

    w.Click(0);
    w.Key(B_END_KEY);
    BRect bounds;
    w.test.Locked([&] { bounds = w.list->Bounds(); });
    EXPECT_EQ(bounds.bottom, total - 1) << "the last row at the bottom";
    EXPECT_EQ(bar->Value(), bounds.top);

    w.Key(B_HOME_KEY);
    w.test.Locked([&] { bounds = w.list->Bounds(); });
    EXPECT_EQ(bounds.top, 0);
    EXPECT_EQ(bar->Value(), 0);

    // Emptying the list scrolls back and leaves nothing to scroll.
    w.test.Locked([&] {
        w.list->ScrollToItem(39);
        w.list->MakeEmpty();
        bar->GetRange(&min, &max);
        bounds = w.list->Bounds();
    });
    EXPECT_EQ(max, 0);
    EXPECT_EQ(bounds.top, 0);
}

TEST(ListViewTest, SelectedRowsAreHighlighted)
{
    ListWindow w(B_MULTIPLE_SELECTION_LIST);
    BPoint row1 = w.Row(1);
    BPoint row2 = w.Row(2);
    BPoint blank1(row1.x + 100, row1.y);
    BPoint blank2(row2.x + 100, row2.y);
    rgb_color white = {255, 255, 255, 255};
    EXPECT_RGB(w.test.Pixel(blank1.x, blank1.y), white);

    w.Click(1);
    EXPECT_RGB(w.test.Pixel(blank1.x, blank1.y), tint_color(white, B_HIGHLIGHT_BACKGROUND_TINT));
    EXPECT_RGB(w.test.Pixel(blank2.x, blank2.y), white);
    w.Click(2);
    EXPECT_RGB(w.test.Pixel(blank1.x, blank1.y), white) << "the old row is drawn plain again";

    // The holiday list's own background colour is kept under plain rows.
    w.test.Locked([&] { w.list->SetViewColor(180, 250, 250); });
    EXPECT_RGB(w.test.Pixel(blank1.x, blank1.y), (rgb_color{180, 250, 250, 255}));
}
