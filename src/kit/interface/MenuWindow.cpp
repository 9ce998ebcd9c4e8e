#include "kit/interface/MenuWindow.h"

#include <algorithm>

#include "kit/app/Autolock.h"
#include "kit/display/DisplayBackend.h"
#include "kit/interface/Menu.h"
#include "kit/interface/MenuItem.h"
#include "kit/interface/MenuTracking.h"

namespace BPrivate {

namespace {

constexpr uint32 kMenuWindowFlags = B_AVOID_FOCUS | B_NOT_MOVABLE | B_NOT_RESIZABLE |
                                    B_NOT_CLOSABLE | B_NOT_ZOOMABLE | B_NOT_MINIMIZABLE |
                                    B_WILL_ACCEPT_FIRST_CLICK;

} // namespace

MenuWindow::MenuWindow(BMenu* menu)
    : BWindow(BRect(0, 0, 10, 10), menu->Name(), B_NO_BORDER_WINDOW_LOOK,
              B_FLOATING_ALL_WINDOW_FEEL, kMenuWindowFlags),
      fMenu(menu)
{
    AddChild(menu);
}

BMessenger MenuWindow::WindowFor(BMenu* menu)
{
    BAutolock lock(menu_lock());
    if (menu->fMenuWindow == nullptr) {
        auto* window = new MenuWindow(menu);
        menu->fMenuWindow = window;
        // Runs the window without showing it: that is _MENU_SHOW_'s job.
        window->Hide();
        window->Show();
    }
    return BMessenger(menu->fMenuWindow);
}

void MenuWindow::DispatchMessage(BMessage* message, BHandler* handler)
{
    switch (message->what) {
    case _MENU_SHOW_:
        return _Show(message);
    case _MENU_HIDE_:
        return _Hide();
    case _MENU_CHANGED_:
        return _Relayout();
    case _MENU_DELETE_:
        return _DeleteMenu();
    case B_KEY_DOWN:
        if (fMenu != nullptr && fOpen)
            fMenu->_KeyDown(message);
        return;
    }
    BWindow::DispatchMessage(message, handler);
}

void MenuWindow::_Show(BMessage* message)
{
    if (fMenu == nullptr)
        return;
    _Relayout();
    BRect screen = _Backend()->ScreenFrame();
    BPoint where = message->GetPoint("where", B_ORIGIN);
    where.x = std::max(screen.left, std::min(where.x, screen.right - Frame().Width()));
    where.y = std::max(screen.top, std::min(where.y, screen.bottom - Frame().Height()));
    MoveTo(where);
    fMenu->fPressedInside = false;
    fMenu->fHighlighted = -1;
    if (message->GetBool("select_first", false))
        fMenu->_MoveHighlight(1);
    fMenu->Invalidate();
    if (!fOpen) {
        fOpen = true;
        Show();
    }
}

void MenuWindow::_Hide()
{
    if (fMenu != nullptr)
        fMenu->_SetHighlighted(-1);
    if (fOpen) {
        fOpen = false;
        Hide();
    }
}

void MenuWindow::_Relayout()
{
    if (fMenu == nullptr)
        return;
    BRect size;
    {
        BAutolock lock(menu_lock());
        size = fMenu->_LayoutItems();
    }
    fMenu->ResizeTo(size.Width(), size.Height());
    ResizeTo(size.Width(), size.Height());
    fMenu->Invalidate();
}

void MenuWindow::_DeleteMenu()
{
    // The menu is not the handler of this message, so it may go now.
    delete fMenu;
}

void MenuWindow::_MenuDeleted()
{
    if (fMenu != nullptr)
        RemoveChild(fMenu);
    fMenu = nullptr;
    Quit();
}

} // namespace BPrivate
