// One entry of a menu: a label with an optional message, keyboard shortcut,
// check mark and submenu. Choosing it sends a copy of its message to its
// target, with "when", "source" (the item) and "index" (its place in the
// menu) added; without a target the message goes to the default target of
// the menu tree (the window of the menu bar or field, or the looper that
// opened the pop-up).
//
// Menu items are shared between the thread that builds a menu and the
// window that shows it, so their state is kept under the menus' own lock;
// every member may be called from any thread.
#pragma once

#include <string>

#include "kit/app/Invoker.h"
#include "kit/interface/InterfaceDefs.h"

class BMenu;

class BMenuItem : public BInvoker
{
public:
    // Takes ownership of message. shortcut is a character pressed with the
    // command key (Ctrl) and any of B_SHIFT_KEY and B_OPTION_KEY.
    BMenuItem(const char* label, BMessage* message, char shortcut = 0, uint32 modifiers = 0);
    // The item owns the submenu and takes its name as the label.
    explicit BMenuItem(BMenu* submenu, BMessage* message = nullptr);
    // An item still in a menu leaves it first. Deletes the submenu.
    ~BMenuItem() override;

    virtual void SetLabel(const char* label);
    // Valid until the label changes.
    const char* Label() const;
    std::string LabelText() const;

    // A disabled item is greyed and cannot be chosen, neither by the mouse
    // nor by its shortcut. An item of a disabled menu counts as disabled.
    virtual void SetEnabled(bool enabled);
    bool IsEnabled() const;
    virtual void SetMarked(bool marked);
    bool IsMarked() const;
    virtual void SetShortcut(char shortcut, uint32 modifiers);
    char Shortcut(uint32* modifiers = nullptr) const;
    // "Ctrl+S", "Ctrl+Shift+S"; empty without a shortcut.
    std::string ShortcutLabel() const;

    BMenu* Submenu() const { return fSubmenu; }
    // The menu the item is in, or null.
    BMenu* Menu() const;
    // In the menu's coordinates; invalid until the menu is laid out.
    BRect Frame() const;
    bool IsSelected() const;

    status_t Invoke(BMessage* message = nullptr) override;

protected:
    // The size of what DrawContent() draws: the label by default. Items with
    // a picture add its width. Called with the menus' lock held.
    virtual void GetContentSize(float* width, float* height);
    // Draws the content on Menu() at ContentLocation() (its left top), in
    // the colours the menu has set for the item's state. Called with the
    // menus' lock held, from the thread of the window showing the menu:
    // draw only, do not lock windows.
    virtual void DrawContent();
    // The whole item: background, mark, content, shortcut or arrow.
    virtual void Draw();
    BPoint ContentLocation() const;

private:
    friend class BMenu;
    friend class BMenuBar;

    std::string fLabel;
    BMenu* fSubmenu = nullptr;
    BMenu* fSuper = nullptr;
    BRect fFrame = BRect(0, 0, -1, -1);
    char fShortcut = 0;
    uint32 fModifiers = 0;
    bool fMarked = false;
    bool fEnabled = true;
};
