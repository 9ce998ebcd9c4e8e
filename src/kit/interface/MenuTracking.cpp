#include "kit/interface/MenuTracking.h"

#include "kit/app/Autolock.h"
#include "kit/app/Message.h"
#include "kit/display/DisplayBackend.h"
#include "kit/interface/Menu.h"
#include "kit/interface/MenuItem.h"
#include "kit/interface/MenuWindow.h"
#include "kit/interface/Window.h"

namespace BPrivate {

namespace {

class MenuInputFilter : public DisplayBackend::InputFilter
{
public:
    void MouseDown(BWindow* window, BPoint where) override
    {
        MenuTracking::Default().FilterMouseDown(window, where);
    }

    bool KeyDown(BWindow* window, const BMessage& key) override
    {
        return MenuTracking::Default().FilterKeyDown(window, key);
    }
};

BLooper* looper_of(const BMessenger& messenger)
{
    BLooper* looper = nullptr;
    messenger.Target(&looper);
    return looper;
}

} // namespace

BLocker& menu_lock()
{
    static BLocker sLock("menus");
    return sLock;
}

MenuTracking& MenuTracking::Default()
{
    static MenuTracking sTracking;
    return sTracking;
}

MenuTracking::MenuTracking()
{
    static MenuInputFilter sFilter;
    DisplayBackend::SetInputFilter(&sFilter);
}

// MARK: Opening and closing

void MenuTracking::Open(const MenuOpening& opening)
{
    Cancel();
    // Made without the lock: a new window starts its thread.
    BMessenger window = MenuWindow::WindowFor(opening.root);
    Ending other;
    {
        std::lock_guard lock(fLock);
        // Someone may have opened a chain meanwhile; the newest wins.
        other = _Take(nullptr, nullptr);
        fOpening = opening;
        fChain.push_back({opening.root, window});
        BMessage show(_MENU_SHOW_);
        show.AddPoint("where", opening.where);
        show.AddBool("select_first", opening.selectFirst);
        window.SendMessage(&show);
    }
    _Finish(other);
}

void MenuTracking::OpenSubmenu(BMenu* parent, BMenu* submenu, BPoint where, bool selectFirst)
{
    if (LevelOf(parent) < 0)
        return;
    BMessenger window = MenuWindow::WindowFor(submenu);
    std::lock_guard lock(fLock);
    int32 level = -1;
    for (size_t i = 0; i < fChain.size(); i++) {
        if (fChain[i].menu == parent)
            level = static_cast<int32>(i);
    }
    if (level < 0)
        return;
    size_t next = static_cast<size_t>(level) + 1;
    if (next < fChain.size() && fChain[next].menu == submenu && !selectFirst)
        return;
    _HideFrom(next);
    fChain.push_back({submenu, window});
    BMessage show(_MENU_SHOW_);
    show.AddPoint("where", where);
    show.AddBool("select_first", selectFirst);
    window.SendMessage(&show);
}

void MenuTracking::CloseBelow(BMenu* menu)
{
    std::lock_guard lock(fLock);
    for (size_t i = 0; i < fChain.size(); i++) {
        if (fChain[i].menu == menu)
            return _HideFrom(i + 1);
    }
}

void MenuTracking::End(BMenu* menu, BMenuItem* item)
{
    Ending ending;
    {
        std::lock_guard lock(fLock);
        bool inChain = false;
        for (const Level& level : fChain)
            inChain = inChain || level.menu == menu;
        if (!inChain)
            return;
        ending = _Take(menu, item);
    }
    _Finish(ending);
}

void MenuTracking::Cancel()
{
    Ending ending;
    {
        std::lock_guard lock(fLock);
        ending = _Take(nullptr, nullptr);
    }
    _Finish(ending);
}

void MenuTracking::SwitchOwner(int32 delta)
{
    std::lock_guard lock(fLock);
    if (fChain.empty())
        return;
    BMessage message(_MENU_SWITCH_);
    message.AddInt32("delta", delta);
    fOpening.owner.SendMessage(&message);
}

void MenuTracking::_HideFrom(size_t index)
{
    while (fChain.size() > index) {
        fChain.back().window.SendMessage(_MENU_HIDE_);
        fChain.pop_back();
    }
}

MenuTracking::Ending MenuTracking::_Take(BMenu* chosenFrom, BMenuItem* item)
{
    Ending ending;
    if (fChain.empty())
        return ending;
    ending.active = true;
    ending.opening = fOpening;
    ending.chosenFrom = chosenFrom;
    ending.item = item;
    ending.rootWindow = fChain.front().window;
    _HideFrom(0);
    fOpening = MenuOpening();
    return ending;
}

// Without the tracking's lock. A chosen item is invoked from the thread of
// the window showing its menu, which keeps that menu alive; the item is
// only used while it is still in the menu.
void MenuTracking::_Finish(const Ending& ending)
{
    if (!ending.active)
        return;
    BMenuItem* item = ending.item;
    if (item != nullptr) {
        BAutolock lock(menu_lock());
        if (ending.chosenFrom->IndexOf(item) < 0) {
            item = nullptr;
        } else {
            if (ending.chosenFrom->IsRadioMode())
                item->SetMarked(true);
            if (ending.opening.deliver)
                item->Invoke();
        }
    }
    ending.opening.owner.SendMessage(_MENU_ENDED_);
    if (ending.opening.result != nullptr) {
        ending.opening.result->item = item;
        ending.opening.result->wait.Finish();
    }
    if (ending.opening.autoDestruct)
        ending.rootWindow.SendMessage(_MENU_DELETE_);
}

// MARK: Questions

bool MenuTracking::IsOpen(const BMenu* root) const
{
    std::lock_guard lock(fLock);
    return !fChain.empty() && fChain.front().menu == root;
}

bool MenuTracking::IsOwnedBy(const BMessenger& owner) const
{
    std::lock_guard lock(fLock);
    return !fChain.empty() && fOpening.owner.IsValid() && fOpening.owner == owner;
}

int32 MenuTracking::LevelOf(const BMenu* menu) const
{
    std::lock_guard lock(fLock);
    for (size_t i = 0; i < fChain.size(); i++) {
        if (fChain[i].menu == menu)
            return static_cast<int32>(i);
    }
    return -1;
}

// MARK: Input grab

void MenuTracking::FilterMouseDown(BWindow* window, BPoint where)
{
    Ending ending;
    {
        std::lock_guard lock(fLock);
        if (fChain.empty())
            return;
        for (const Level& level : fChain) {
            if (looper_of(level.window) == window)
                return;
        }
        if (window == fOpening.ownerWindow && fOpening.ownerArea.Contains(where))
            return;
        ending = _Take(nullptr, nullptr);
    }
    _Finish(ending);
}

bool MenuTracking::FilterKeyDown(BWindow*, const BMessage& key)
{
    std::lock_guard lock(fLock);
    if (fChain.empty())
        return false;
    fChain.back().window.SendMessage(&key);
    return true;
}

} // namespace BPrivate
