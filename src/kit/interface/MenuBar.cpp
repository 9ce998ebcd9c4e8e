#include "kit/interface/MenuBar.h"

#include <cctype>

#include "kit/app/Autolock.h"
#include "kit/interface/MenuItem.h"
#include "kit/interface/MenuTracking.h"
#include "kit/interface/Window.h"

using BPrivate::menu_lock;
using BPrivate::MenuTracking;

namespace {

constexpr uint32 kShortcutModifiers = B_SHIFT_KEY | B_OPTION_KEY;

// Depth first through the enabled and disabled items alike.
BMenuItem* find_shortcut(BMenu* menu, uint32 key, uint32 modifiers)
{
    for (int32 i = 0; BMenuItem* item = menu->ItemAt(i); i++) {
        uint32 itemModifiers = 0;
        char shortcut = item->Shortcut(&itemModifiers);
        if (shortcut != 0 && uint32(std::tolower(shortcut)) == key &&
            (itemModifiers & kShortcutModifiers) == (modifiers & kShortcutModifiers))
            return item;
        if (item->Submenu() != nullptr) {
            if (BMenuItem* found = find_shortcut(item->Submenu(), key, modifiers))
                return found;
        }
    }
    return nullptr;
}

} // namespace

BMenuBar::BMenuBar(BRect frame, const char* name, uint32 resizingMode, menu_layout layout,
                   bool resizeToFit)
    : BMenu(name, layout), fResizeToFit(resizeToFit)
{
    MoveTo(frame.LeftTop());
    ResizeTo(frame.Width(), frame.Height());
    SetResizingMode(resizingMode);
}

BMenuBar::~BMenuBar() = default;

void BMenuBar::AttachedToWindow()
{
    BMenu::AttachedToWindow();
    _SetDefaultTarget(BMessenger(Window()));
    Window()->SetKeyMenuBar(this);
    _Relayout();
}

void BMenuBar::DetachedFromWindow()
{
    if (MenuTracking::Default().IsOwnedBy(_Self()))
        MenuTracking::Default().Cancel();
    if (Window()->KeyMenuBar() == this)
        Window()->SetKeyMenuBar(nullptr);
    BMenu::DetachedFromWindow();
}

BMessenger BMenuBar::_Self() const
{
    return Window() != nullptr ? BMessenger(this, Window()) : BMessenger();
}

void BMenuBar::_Relayout()
{
    BRect size;
    {
        BAutolock lock(menu_lock());
        size = _LayoutItems();
    }
    if (fResizeToFit && Frame().Height() != size.Height())
        ResizeTo(Frame().Width(), size.Height());
    Invalidate();
}

void BMenuBar::_ItemsChanged()
{
    // The bar lives in its window: whoever changes it holds that lock.
    if (Window() != nullptr && Window()->IsLocked())
        _Relayout();
    else
        BMenu::_ItemsChanged();
}

void BMenuBar::Draw(BRect updateRect)
{
    BAutolock lock(menu_lock());
    rgb_color background = ui_color(B_MENU_BACKGROUND_COLOR);
    BRect bounds = Bounds();
    _DrawItems(updateRect);
    SetHighColor(tint_color(background, B_DARKEN_2_TINT));
    StrokeLine(BPoint(bounds.left, bounds.bottom), BPoint(bounds.right, bounds.bottom));
}

// MARK: Opening

void BMenuBar::MouseDown(BPoint where)
{
    int32 index = IndexOf(ItemAt(where));
    if (index < 0)
        return;
    BMenu* submenu = SubmenuAt(index);
    if (submenu != nullptr && MenuTracking::Default().IsOpen(submenu)) {
        MenuTracking::Default().Cancel();
        return;
    }
    _Open(index, false);
}

void BMenuBar::MouseUp(BPoint)
{
    // Menus open on the press and stay open; the release chooses nothing.
}

void BMenuBar::MouseMoved(BPoint where, uint32 transit, const BMessage*)
{
    if (transit == B_EXITED_VIEW || !MenuTracking::Default().IsOwnedBy(_Self()))
        return;
    int32 index = IndexOf(ItemAt(where));
    if (index >= 0 && index != _Highlighted())
        _Open(index, false);
}

void BMenuBar::WindowActivated(bool active)
{
    if (!active && MenuTracking::Default().IsOwnedBy(_Self()))
        MenuTracking::Default().Cancel();
}

void BMenuBar::_Open(int32 index, bool selectFirst)
{
    BMenuItem* item = ItemAt(index);
    if (item == nullptr || !item->IsEnabled())
        return;
    if (item->Submenu() == nullptr) {
        // A title without a menu is an item of its own.
        MenuTracking::Default().Cancel();
        item->Invoke();
        return;
    }
    _SetHighlighted(index);
    BRect frame = item->Frame();
    BPrivate::MenuOpening opening;
    opening.root = item->Submenu();
    opening.where = ConvertToScreen(BPoint(frame.left, Bounds().bottom + 1));
    opening.selectFirst = selectFirst;
    opening.ownerWindow = Window();
    opening.ownerArea = ConvertToScreen(Bounds());
    opening.ownerArea.OffsetBy(-Window()->Frame().left, -Window()->Frame().top);
    opening.owner = _Self();
    MenuTracking::Default().Open(opening);
}

void BMenuBar::MessageReceived(BMessage* message)
{
    switch (message->what) {
    case BPrivate::_MENU_SWITCH_: {
        int32 count = CountItems();
        if (count > 0 && _Highlighted() >= 0)
            _Open((_Highlighted() + message->GetInt32("delta", 1) + count) % count, true);
        return;
    }
    case BPrivate::_MENU_ENDED_:
        // A switch to another title opened a new chain before this arrived.
        if (!MenuTracking::Default().IsOwnedBy(_Self()))
            _SetHighlighted(-1);
        return;
    case BPrivate::_MENU_CHANGED_:
        return _Relayout();
    }
    BMenu::MessageReceived(message);
}

// MARK: Shortcuts

bool BMenuBar::_InvokeShortcut(uint32 key, uint32 modifiers)
{
    BAutolock lock(menu_lock());
    BMenuItem* item = find_shortcut(this, key, modifiers);
    if (item == nullptr)
        return false;
    if (item->IsEnabled() && item->Submenu() == nullptr)
        item->Invoke();
    return true;
}
