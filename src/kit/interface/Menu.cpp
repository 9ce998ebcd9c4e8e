#include "kit/interface/Menu.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "kit/app/Autolock.h"
#include "kit/app/Debug.h"
#include "kit/app/Message.h"
#include "kit/app/OS.h"
#include "kit/interface/MenuItem.h"
#include "kit/interface/MenuTracking.h"
#include "kit/interface/MenuWindow.h"
#include "kit/interface/SeparatorItem.h"
#include "kit/interface/StateGuard.h"
#include "kit/interface/Window.h"

using BPrivate::menu_lock;
using BPrivate::MenuTracking;

namespace {

constexpr float kColumnPadding = 6;
constexpr float kRowPadding = 16;
constexpr float kMarkColumn = 20;

bool choosable(BMenuItem* item)
{
    return item->IsEnabled() && dynamic_cast<BSeparatorItem*>(item) == nullptr;
}

} // namespace

BMenu::BMenu(const char* name, menu_layout layout)
    : BView(BRect(0, 0, 0, 0), name, B_FOLLOW_LEFT | B_FOLLOW_TOP, B_WILL_DRAW), fLayout(layout)
{
    SetViewColor(ui_color(B_MENU_BACKGROUND_COLOR));
    SetFontSize(12);
}

BMenu::~BMenu()
{
    MenuTracking::Default().End(this, nullptr);
    BPrivate::MenuWindow* window;
    {
        BAutolock lock(menu_lock());
        window = fMenuWindow;
        fMenuWindow = nullptr;
    }
    // The window is locked without the menus' lock: its thread may be
    // waiting for that lock to draw this menu.
    if (window != nullptr) {
        // On the window's own thread (an auto-destructing pop-up) the lock
        // is held already and Quit() ends the loop after this message.
        if (window->Thread() != find_thread(nullptr))
            window->Lock();
        window->_MenuDeleted();
    }

    std::vector<BMenuItem*> items;
    {
        BAutolock lock(menu_lock());
        items.swap(fItems);
        for (BMenuItem* item : items)
            item->fSuper = nullptr;
        if (fSuperitem != nullptr && fSuperitem->fSubmenu == this)
            fSuperitem->fSubmenu = nullptr;
    }
    for (BMenuItem* item : items)
        delete item;
}

// MARK: Items

bool BMenu::AddItem(BMenuItem* item)
{
    return AddItem(item, CountItems());
}

bool BMenu::AddItem(BMenuItem* item, int32 index)
{
    {
        BAutolock lock(menu_lock());
        if (!_AddItemLocked(item, index))
            return false;
    }
    _ItemsChanged();
    return true;
}

bool BMenu::AddItem(BMenu* submenu)
{
    return AddItem(submenu, CountItems());
}

bool BMenu::AddItem(BMenu* submenu, int32 index)
{
    if (submenu == nullptr || submenu->fSuperitem != nullptr)
        return false;
    auto* item = new BMenuItem(submenu);
    if (AddItem(item, index))
        return true;
    // The submenu stays the caller's.
    item->fSubmenu = nullptr;
    submenu->fSuperitem = nullptr;
    delete item;
    return false;
}

bool BMenu::AddSeparatorItem()
{
    return AddItem(new BSeparatorItem);
}

bool BMenu::_AddItemLocked(BMenuItem* item, int32 index)
{
    ASSERT_WITH_MESSAGE(item == nullptr || item->fSuper == nullptr,
                        "BMenu::AddItem(): the item is in a menu already");
    if (item == nullptr || item->fSuper != nullptr || index < 0 || index > CountItems())
        return false;
    fItems.insert(fItems.begin() + index, item);
    item->fSuper = this;
    if (item->fMarked)
        _Marked(item);
    return true;
}

BMenuItem* BMenu::RemoveItem(int32 index)
{
    BMenuItem* item;
    {
        BAutolock lock(menu_lock());
        item = _RemoveItemLocked(index);
    }
    if (item != nullptr)
        _ItemsChanged();
    return item;
}

bool BMenu::RemoveItem(BMenuItem* item)
{
    return RemoveItem(IndexOf(item)) != nullptr;
}

bool BMenu::RemoveItem(BMenu* submenu)
{
    return RemoveItem(IndexOf(submenu)) != nullptr;
}

bool BMenu::RemoveItems(int32 index, int32 count, bool deleteItems)
{
    std::vector<BMenuItem*> removed;
    {
        BAutolock lock(menu_lock());
        if (index < 0 || count < 0 || index + count > CountItems())
            return false;
        for (int32 i = 0; i < count; i++)
            removed.push_back(_RemoveItemLocked(index));
    }
    _ItemsChanged();
    if (deleteItems) {
        for (BMenuItem* item : removed)
            delete item;
    }
    return true;
}

BMenuItem* BMenu::_RemoveItemLocked(int32 index)
{
    if (index < 0 || index >= CountItems())
        return nullptr;
    BMenuItem* item = fItems[index];
    fItems.erase(fItems.begin() + index);
    item->fSuper = nullptr;
    item->fFrame = BRect(0, 0, -1, -1);
    if (fHighlighted == index)
        fHighlighted = -1;
    else if (fHighlighted > index)
        fHighlighted--;
    return item;
}

BMenuItem* BMenu::ItemAt(int32 index) const
{
    BAutolock lock(menu_lock());
    return index >= 0 && index < CountItems() ? fItems[index] : nullptr;
}

BMenu* BMenu::SubmenuAt(int32 index) const
{
    BMenuItem* item = ItemAt(index);
    return item != nullptr ? item->Submenu() : nullptr;
}

int32 BMenu::CountItems() const
{
    BAutolock lock(menu_lock());
    return static_cast<int32>(fItems.size());
}

int32 BMenu::IndexOf(const BMenuItem* item) const
{
    BAutolock lock(menu_lock());
    auto found = std::find(fItems.begin(), fItems.end(), item);
    return found != fItems.end() ? static_cast<int32>(found - fItems.begin()) : -1;
}

int32 BMenu::IndexOf(const BMenu* submenu) const
{
    BAutolock lock(menu_lock());
    for (size_t i = 0; i < fItems.size(); i++) {
        if (submenu != nullptr && fItems[i]->fSubmenu == submenu)
            return static_cast<int32>(i);
    }
    return -1;
}

BMenuItem* BMenu::FindItem(const char* label) const
{
    BAutolock lock(menu_lock());
    return label != nullptr ? _FindItemLocked(label, 0) : nullptr;
}

BMenuItem* BMenu::FindItem(uint32 command) const
{
    BAutolock lock(menu_lock());
    return _FindItemLocked(nullptr, command);
}

BMenuItem* BMenu::_FindItemLocked(const char* label, uint32 command) const
{
    for (BMenuItem* item : fItems) {
        if (label != nullptr ? item->fLabel == label : item->Command() == command)
            return item;
    }
    for (BMenuItem* item : fItems) {
        if (item->fSubmenu == nullptr)
            continue;
        if (BMenuItem* found = item->fSubmenu->_FindItemLocked(label, command))
            return found;
    }
    return nullptr;
}

BMenuItem* BMenu::FindMarked() const
{
    BAutolock lock(menu_lock());
    for (BMenuItem* item : fItems) {
        if (item->fMarked)
            return item;
    }
    return nullptr;
}

// MARK: Behaviour

void BMenu::SetRadioMode(bool on)
{
    BAutolock lock(menu_lock());
    fRadioMode = on;
    if (!on)
        fLabelFromMarked = false;
}

bool BMenu::IsRadioMode() const
{
    BAutolock lock(menu_lock());
    return fRadioMode;
}

void BMenu::SetLabelFromMarked(bool on)
{
    BAutolock lock(menu_lock());
    fLabelFromMarked = on;
    if (on)
        fRadioMode = true;
}

bool BMenu::IsLabelFromMarked() const
{
    BAutolock lock(menu_lock());
    return fLabelFromMarked;
}

void BMenu::SetEnabled(bool enabled)
{
    {
        BAutolock lock(menu_lock());
        if (fEnabled == enabled)
            return;
        fEnabled = enabled;
    }
    _ItemsChanged();
    if (BMenu* super = Supermenu())
        super->_ItemsChanged();
}

bool BMenu::IsEnabled() const
{
    BAutolock lock(menu_lock());
    return fEnabled && (fSuperitem == nullptr || fSuperitem->IsEnabled());
}

BMenuItem* BMenu::Superitem() const
{
    BAutolock lock(menu_lock());
    return fSuperitem;
}

BMenu* BMenu::Supermenu() const
{
    BAutolock lock(menu_lock());
    return fSuperitem != nullptr ? fSuperitem->fSuper : nullptr;
}

status_t BMenu::SetTargetForItems(BHandler* target)
{
    status_t result = B_OK;
    BMessenger messenger(target, nullptr, &result);
    return result == B_OK ? SetTargetForItems(messenger) : result;
}

status_t BMenu::SetTargetForItems(BMessenger messenger)
{
    BAutolock lock(menu_lock());
    for (BMenuItem* item : fItems)
        item->SetTarget(messenger);
    return B_OK;
}

// A newly marked item unmarks the others in radio mode. With the lock held.
void BMenu::_Marked(BMenuItem* item)
{
    if (!fRadioMode)
        return;
    for (BMenuItem* other : fItems) {
        if (other != item)
            other->fMarked = false;
    }
}

BMenu* BMenu::_Root() const
{
    BAutolock lock(menu_lock());
    const BMenu* menu = this;
    while (menu->fSuperitem != nullptr && menu->fSuperitem->fSuper != nullptr)
        menu = menu->fSuperitem->fSuper;
    return const_cast<BMenu*>(menu);
}

void BMenu::_SetDefaultTarget(BMessenger target)
{
    BAutolock lock(menu_lock());
    fDefaultTarget = target;
}

BMessenger BMenu::_DefaultTarget() const
{
    BAutolock lock(menu_lock());
    return fDefaultTarget;
}

// MARK: Layout and drawing

BRect BMenu::_LayoutItems()
{
    font_height metrics;
    GetFontHeight(&metrics);
    float lineHeight = std::ceil(metrics.ascent + metrics.descent);
    if (fLayout == B_ITEMS_IN_ROW) {
        float x = 0;
        float height = lineHeight + kColumnPadding;
        for (BMenuItem* item : fItems) {
            float width = 0, contentHeight = 0;
            item->GetContentSize(&width, &contentHeight);
            item->fFrame = BRect(x, 0, x + width + kRowPadding - 1, height - 1);
            x += width + kRowPadding;
        }
        fContentSize = BRect(0, 0, std::max(0.0f, x - 1), height - 1);
        return fContentSize;
    }

    float width = 0;
    float y = 1;
    for (BMenuItem* item : fItems) {
        float contentWidth = 0, contentHeight = 0;
        item->GetContentSize(&contentWidth, &contentHeight);
        float itemWidth = kMarkColumn + contentWidth + 12;
        if (item->fSubmenu != nullptr)
            itemWidth += 20;
        else if (item->fShortcut != 0)
            itemWidth += 24 + std::ceil(StringWidth(item->ShortcutLabel().c_str()));
        width = std::max(width, itemWidth);
        float itemHeight = contentHeight + kColumnPadding;
        item->fFrame = BRect(1, y, 1, y + itemHeight - 1);
        y += itemHeight;
    }
    width = std::max(width, 60.0f);
    for (BMenuItem* item : fItems)
        item->fFrame.right = width;
    fContentSize = BRect(0, 0, width + 1, y);
    return fContentSize;
}

void BMenu::Draw(BRect updateRect)
{
    BAutolock lock(menu_lock());
    _DrawItems(updateRect);
}

void BMenu::_DrawItems(BRect updateRect)
{
    rgb_color background = ui_color(B_MENU_BACKGROUND_COLOR);
    for (BMenuItem* item : fItems) {
        if (item->fFrame.IsValid() && item->fFrame.Intersects(updateRect)) {
            BStateGuard state(this);
            item->Draw();
        }
    }
    if (fLayout == B_ITEMS_IN_COLUMN) {
        SetHighColor(tint_color(background, B_DARKEN_3_TINT));
        StrokeRect(Bounds());
    }
}

void BMenu::AttachedToWindow()
{
    BView::AttachedToWindow();
}

void BMenu::_ItemsChanged()
{
    BWindow* window;
    {
        BAutolock lock(menu_lock());
        window = Window();
    }
    // The window showing the menu lays it out again on its own thread.
    if (window != nullptr)
        BMessenger(this, window).SendMessage(BPrivate::_MENU_CHANGED_);
}

BMenuItem* BMenu::ItemAt(BPoint where) const
{
    BAutolock lock(menu_lock());
    for (BMenuItem* item : fItems) {
        if (item->fFrame.Contains(where))
            return item;
    }
    return nullptr;
}

void BMenu::_SetHighlighted(int32 index)
{
    if (index == fHighlighted)
        return;
    BMenuItem* old = ItemAt(fHighlighted);
    fHighlighted = index;
    if (old != nullptr)
        Invalidate(old->Frame());
    if (BMenuItem* item = ItemAt(index))
        Invalidate(item->Frame());
}

// MARK: Input (on the thread of the window showing the menu)

void BMenu::MouseDown(BPoint where)
{
    fPressedInside = true;
    int32 index = IndexOf(ItemAt(where));
    _SetHighlighted(index);
    if (SubmenuAt(index) != nullptr)
        _OpenSubmenuAt(index, false);
}

void BMenu::MouseUp(BPoint where)
{
    if (!fPressedInside)
        return;
    fPressedInside = false;
    BMenuItem* item = ItemAt(where);
    if (item != nullptr && item->Submenu() == nullptr)
        _Choose(item);
}

void BMenu::MouseMoved(BPoint where, uint32 transit, const BMessage*)
{
    if (transit == B_EXITED_VIEW || transit == B_OUTSIDE_VIEW)
        return;
    BMenuItem* item = ItemAt(where);
    int32 index = IndexOf(item);
    if (item == nullptr || index == fHighlighted)
        return;
    _SetHighlighted(index);
    if (item->Submenu() != nullptr && item->IsEnabled())
        _OpenSubmenuAt(index, false);
    else
        MenuTracking::Default().CloseBelow(this);
}

void BMenu::_KeyDown(BMessage* message)
{
    const char* bytes = message->GetString("bytes", "");
    BMenuItem* item = ItemAt(fHighlighted);
    switch (bytes[0]) {
    case B_UP_ARROW:
        return _MoveHighlight(-1);
    case B_DOWN_ARROW:
        return _MoveHighlight(1);
    case B_RIGHT_ARROW:
        if (item != nullptr && item->Submenu() != nullptr && item->IsEnabled())
            return _OpenSubmenuAt(fHighlighted, true);
        return MenuTracking::Default().SwitchOwner(1);
    case B_LEFT_ARROW:
        if (MenuTracking::Default().LevelOf(this) > 0)
            return MenuTracking::Default().CloseBelow(Supermenu());
        return MenuTracking::Default().SwitchOwner(-1);
    case B_ENTER:
    case B_SPACE:
        if (item != nullptr && item->Submenu() != nullptr && item->IsEnabled())
            return _OpenSubmenuAt(fHighlighted, true);
        if (item != nullptr)
            _Choose(item);
        return;
    case B_ESCAPE:
        return MenuTracking::Default().Cancel();
    }
}

void BMenu::_MoveHighlight(int32 step)
{
    int32 count = CountItems();
    int32 index = fHighlighted;
    for (int32 tried = 0; tried < count; tried++) {
        if (index < 0)
            index = step > 0 ? 0 : count - 1;
        else
            index = (index + step + count) % count;
        if (choosable(ItemAt(index)))
            return _SetHighlighted(index);
    }
}

void BMenu::_Choose(BMenuItem* item)
{
    if (choosable(item) && item->Submenu() == nullptr)
        MenuTracking::Default().End(this, item);
}

void BMenu::_OpenSubmenuAt(int32 index, bool selectFirst)
{
    BMenuItem* item = ItemAt(index);
    if (item == nullptr || item->Submenu() == nullptr)
        return;
    BRect frame = item->Frame();
    BPoint where = ConvertToScreen(BPoint(frame.right + 2, frame.top - 1));
    MenuTracking::Default().OpenSubmenu(this, item->Submenu(), where, selectFirst);
}
