// The open menus of the process (kit-private). Like the menus of a window
// system, at most one chain of menus is open at a time: a root (a menu bar's
// menu, a menu field's or a pop-up) and the submenus opened from it, each in
// a window of its own (MenuWindow). While a chain is open it grabs the
// input: the display backends hand it every mouse down and key down first
// (DisplayBackend::InputFilter). A mouse down outside the chain's windows
// (and outside the owner's own area, a menu bar's titles) closes the chain;
// keys go to the innermost menu.
//
// Locking: the tracking's mutex is held only to read or change the chain
// and to post to menu windows, never while a window is locked by it or user
// code runs. Choosing an item and ending a chain invoke and notify after it
// is released.
#pragma once

#include <condition_variable>
#include <memory>
#include <mutex>
#include <vector>

#include "kit/app/Locker.h"
#include "kit/app/Messenger.h"
#include "kit/interface/InterfaceDefs.h"
#include "kit/interface/ModalWait.h"

class BMenu;
class BMenuItem;
class BMessage;
class BWindow;

namespace BPrivate {

// The one lock of every menu's items (see Menu.h).
BLocker& menu_lock();

// Kit-internal message codes of the menus.
enum : uint32
{
    _MENU_SHOW_ = '_MSH',    // to a menu window: "where", "select_first"
    _MENU_HIDE_ = '_MHI',    // to a menu window
    _MENU_CHANGED_ = '_MCH', // to a window showing a menu: lay out and redraw
    _MENU_DELETE_ = '_MDL',  // to a menu window: delete its (auto-destructing) menu
    _MENU_SWITCH_ = '_MSW',  // to a menu bar: "delta" titles left or right
    _MENU_ENDED_ = '_MEN',   // to the owner of a chain that closed
};

// What a chain reports to whoever waits for it (a synchronous pop-up).
struct MenuResult
{
    UserWait wait;
    // Written before wait.Finish().
    BMenuItem* item = nullptr;
};

struct MenuOpening
{
    BMenu* root = nullptr;
    BPoint where;             // screen coordinates of the root's left top
    bool selectFirst = false; // opened from the keyboard
    BWindow* ownerWindow = nullptr;
    BRect ownerArea = BRect(0, 0, -1, -1); // in ownerWindow: clicks there pass
    BMessenger owner;                      // gets _MENU_ENDED_
    bool deliver = true;                   // the chosen item is invoked
    bool autoDestruct = false;             // the root is deleted when it closes
    std::shared_ptr<MenuResult> result;
};

class MenuTracking
{
public:
    static MenuTracking& Default();

    // Closes whatever is open, then opens the root at opening.where.
    void Open(const MenuOpening& opening);
    // Opens submenu beside its parent, closing what was open deeper than
    // the parent. Nothing happens when the parent is not open.
    void OpenSubmenu(BMenu* parent, BMenu* submenu, BPoint where, bool selectFirst);
    // Closes the submenus deeper than menu.
    void CloseBelow(BMenu* menu);
    // Ends the chain containing menu: with the item chosen, or cancelled
    // (item null). Either way every window of the chain closes.
    void End(BMenu* menu, BMenuItem* item);
    // Ends whatever is open, without a choice.
    void Cancel();
    // Asks the chain's owner (a menu bar) to open the title delta places
    // to the right, for the arrow keys.
    void SwitchOwner(int32 delta);

    bool IsOpen(const BMenu* root) const;
    bool IsOwnedBy(const BMessenger& owner) const;
    // The level of an open menu in the chain (0: the root), or -1.
    int32 LevelOf(const BMenu* menu) const;

    // From the display backends (see DisplayBackend::InputFilter).
    void FilterMouseDown(BWindow* window, BPoint where);
    bool FilterKeyDown(BWindow* window, const BMessage& key);

private:
    MenuTracking();

    struct Level
    {
        BMenu* menu;
        BMessenger window;
    };

    // With fLock held: hides the levels from index on.
    void _HideFrom(size_t index);
    // With fLock held: the chain's end, to be finished without the lock.
    struct Ending
    {
        MenuOpening opening;
        BMenu* chosenFrom = nullptr;
        BMenuItem* item = nullptr;
        BMessenger rootWindow;
        bool active = false;
    };
    Ending _Take(BMenu* chosenFrom, BMenuItem* item);
    void _Finish(const Ending& ending);

    mutable std::mutex fLock;
    std::vector<Level> fChain;
    MenuOpening fOpening;
};

} // namespace BPrivate
