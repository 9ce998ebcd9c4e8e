// The row of menu titles at the top of a window. Clicking a title opens its
// menu under it; while a menu is open, moving over another title or the
// left and right arrow keys switch to that title's menu. The shortcuts of
// every item in the bar work while the menus are closed: the bar is the
// window's key menu bar and the window asks it for Ctrl+key presses it has
// no shortcut of its own for. A disabled item's shortcut does nothing.
// Items without a target send their message to the bar's window.
#pragma once

#include "kit/interface/Menu.h"

class BMenuBar : public BMenu
{
public:
    // With resizeToFit the height follows the font; the width is the frame's.
    BMenuBar(BRect frame, const char* name,
             uint32 resizingMode = B_FOLLOW_LEFT_RIGHT | B_FOLLOW_TOP,
             menu_layout layout = B_ITEMS_IN_ROW, bool resizeToFit = true);
    ~BMenuBar() override;

    void AttachedToWindow() override;
    void DetachedFromWindow() override;
    void Draw(BRect updateRect) override;
    void MouseDown(BPoint where) override;
    void MouseUp(BPoint where) override;
    void MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage) override;
    void MessageReceived(BMessage* message) override;
    void WindowActivated(bool active) override;

    // For the window: invokes the enabled item with this shortcut. True when
    // an item has it, enabled or not (the key is used up either way).
    bool _InvokeShortcut(uint32 key, uint32 modifiers);

protected:
    void _ItemsChanged() override;

private:
    void _Open(int32 index, bool selectFirst);
    void _Relayout();
    BMessenger _Self() const;

    bool fResizeToFit;
};
