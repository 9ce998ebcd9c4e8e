// The borderless window that shows one menu (kit-private). Every menu that
// opens as a column gets one on first use and keeps it until the menu is
// deleted, so opening and closing are only showing and hiding it: the menu
// view never moves between windows while other threads may look at it.
// Menu windows float over every other window and do not take the focus;
// keys reach them through the menu tracking.
#pragma once

#include "kit/app/Messenger.h"
#include "kit/interface/Window.h"

class BMenu;

namespace BPrivate {

class MenuWindow : public BWindow
{
public:
    // The window of menu, made (hidden and running) when it has none.
    static BMessenger WindowFor(BMenu* menu);

    void DispatchMessage(BMessage* message, BHandler* handler) override;

    // From ~BMenu with the window locked: the menu leaves, the window quits.
    void _MenuDeleted();

private:
    explicit MenuWindow(BMenu* menu);

    void _Show(BMessage* message);
    void _Hide();
    void _Relayout();
    void _DeleteMenu();

    BMenu* fMenu;
    bool fOpen = false;
};

} // namespace BPrivate
