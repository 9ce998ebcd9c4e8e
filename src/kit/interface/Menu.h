// A list of menu items, drawn as a column in a window of its own while it is
// open (pop-ups, submenus, the menus of a menu bar) or as a row (the menu
// bar itself, see BMenuBar).
//
// Threads: a menu is built by one thread (usually a window's, with that
// window locked) and shown by the window of its own that opens it, so the
// items and their state are guarded by one lock shared by all menus
// (BPrivate::menu_lock()). That lock is innermost: no window is locked and
// nobody waits while it is held. Changes to an open menu reach its window as
// a message, so it redraws on its own thread.
#pragma once

#include <vector>

#include "kit/app/Messenger.h"
#include "kit/interface/View.h"

class BMenuItem;
namespace BPrivate {
class MenuTracking;
class MenuWindow;
} // namespace BPrivate

enum menu_layout : uint32
{
    B_ITEMS_IN_ROW = 0,
    B_ITEMS_IN_COLUMN = 1,
};

class BMenu : public BView
{
public:
    explicit BMenu(const char* name, menu_layout layout = B_ITEMS_IN_COLUMN);
    // Deletes the items (and so their submenus) and the menu's window.
    ~BMenu() override;

    // MARK: Items
    // The menu owns its items; false for an item that is in a menu already
    // or an index beyond the end.
    bool AddItem(BMenuItem* item);
    bool AddItem(BMenuItem* item, int32 index);
    // Wraps the submenu in an item labelled with its name.
    bool AddItem(BMenu* submenu);
    bool AddItem(BMenu* submenu, int32 index);
    bool AddSeparatorItem();
    // The item leaves the menu and belongs to the caller.
    BMenuItem* RemoveItem(int32 index);
    bool RemoveItem(BMenuItem* item);
    bool RemoveItem(BMenu* submenu);
    bool RemoveItems(int32 index, int32 count, bool deleteItems = false);

    BMenuItem* ItemAt(int32 index) const;
    BMenu* SubmenuAt(int32 index) const;
    int32 CountItems() const;
    int32 IndexOf(const BMenuItem* item) const;
    int32 IndexOf(const BMenu* submenu) const;
    // Depth first through the submenus; null when nothing matches.
    BMenuItem* FindItem(const char* label) const;
    BMenuItem* FindItem(uint32 command) const;
    BMenuItem* FindMarked() const;

    // MARK: Behaviour
    // In radio mode choosing an item marks it and unmarks the others.
    virtual void SetRadioMode(bool on);
    bool IsRadioMode() const;
    // The superitem (a menu field's or bar's title) shows the marked item's
    // label; implies radio mode.
    virtual void SetLabelFromMarked(bool on);
    bool IsLabelFromMarked() const;
    virtual void SetEnabled(bool enabled);
    bool IsEnabled() const;

    BMenuItem* Superitem() const;
    BMenu* Supermenu() const;
    // Sets the target of every item, not of the submenus' items.
    virtual status_t SetTargetForItems(BHandler* target);
    virtual status_t SetTargetForItems(BMessenger messenger);

    menu_layout Layout() const { return fLayout; }
    // The item under a point in the menu's coordinates, or null.
    BMenuItem* ItemAt(BPoint where) const;

    // MARK: Hooks
    void AttachedToWindow() override;
    void Draw(BRect updateRect) override;
    void MouseDown(BPoint where) override;
    void MouseUp(BPoint where) override;
    void MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage) override;

protected:
    // The size the items need, laying them out first. With the lock held.
    BRect _LayoutItems();
    int32 _Highlighted() const { return fHighlighted; }
    void _SetHighlighted(int32 index);
    // Where choosing an item sends its message when the item has no target.
    void _SetDefaultTarget(BMessenger target);
    BMessenger _DefaultTarget() const;
    // Called after the items changed, with the menus' lock free.
    virtual void _ItemsChanged();

private:
    friend class BMenuItem;
    friend class BMenuBar;
    friend class BMenuField;
    friend class BPopUpMenu;
    friend class BPrivate::MenuTracking;
    friend class BPrivate::MenuWindow;

    bool _AddItemLocked(BMenuItem* item, int32 index);
    BMenuItem* _RemoveItemLocked(int32 index);
    BMenuItem* _FindItemLocked(const char* label, uint32 command) const;
    BMenu* _Root() const;
    void _DrawItems(BRect updateRect);
    // Keys arrive from the menu tracking while the menu is the innermost
    // open one.
    void _KeyDown(BMessage* message);
    void _MoveHighlight(int32 step);
    void _Choose(BMenuItem* item);
    void _OpenSubmenuAt(int32 index, bool selectFirst);
    void _Marked(BMenuItem* item);

    std::vector<BMenuItem*> fItems;
    BMenuItem* fSuperitem = nullptr;
    menu_layout fLayout;
    bool fRadioMode = false;
    bool fLabelFromMarked = false;
    bool fEnabled = true;
    // Guarded by the lock of the window showing the menu.
    int32 fHighlighted = -1;
    bool fPressedInside = false;
    // Guarded by the menus' lock.
    BPrivate::MenuWindow* fMenuWindow = nullptr;
    BMessenger fDefaultTarget;
    BRect fContentSize = BRect(0, 0, -1, -1);
};
