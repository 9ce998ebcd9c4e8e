#include "kit/interface/MenuItem.h"

#include <cmath>

#include "kit/app/Autolock.h"
#include "kit/app/Debug.h"
#include "kit/app/Message.h"
#include "kit/app/OS.h"
#include "kit/interface/Menu.h"
#include "kit/interface/MenuTracking.h"

using BPrivate::menu_lock;

namespace {

constexpr float kMarkColumn = 20;

rgb_color label_color(bool enabled, bool selected)
{
    if (!enabled)
        return tint_color(ui_color(B_MENU_BACKGROUND_COLOR), B_DISABLED_LABEL_TINT);
    return ui_color(selected ? B_MENU_SELECTED_ITEM_TEXT_COLOR : B_MENU_ITEM_TEXT_COLOR);
}

} // namespace

BMenuItem::BMenuItem(const char* label, BMessage* message, char shortcut, uint32 modifiers)
    : BInvoker(message), fLabel(label != nullptr ? label : ""), fShortcut(shortcut),
      fModifiers(modifiers)
{
    SetInvokerSource(this);
}

BMenuItem::BMenuItem(BMenu* submenu, BMessage* message)
    : BInvoker(message), fLabel(submenu != nullptr ? submenu->Name() : ""), fSubmenu(submenu)
{
    SetInvokerSource(this);
    if (submenu != nullptr) {
        ASSERT_WITH_MESSAGE(submenu->fSuperitem == nullptr,
                            "BMenuItem: the submenu belongs to another item");
        submenu->fSuperitem = this;
    }
}

BMenuItem::~BMenuItem()
{
    BMenu* super = Menu();
    if (super != nullptr)
        super->RemoveItem(this);
    delete fSubmenu;
}

// MARK: State

void BMenuItem::SetLabel(const char* label)
{
    BMenu* super;
    {
        BAutolock lock(menu_lock());
        fLabel = label != nullptr ? label : "";
        super = fSuper;
    }
    if (super != nullptr)
        super->_ItemsChanged();
}

const char* BMenuItem::Label() const
{
    BAutolock lock(menu_lock());
    return fLabel.c_str();
}

std::string BMenuItem::LabelText() const
{
    BAutolock lock(menu_lock());
    return fLabel;
}

void BMenuItem::SetEnabled(bool enabled)
{
    BMenu* super;
    {
        BAutolock lock(menu_lock());
        if (fEnabled == enabled)
            return;
        fEnabled = enabled;
        super = fSuper;
    }
    if (fSubmenu != nullptr)
        fSubmenu->SetEnabled(enabled);
    if (super != nullptr)
        super->_ItemsChanged();
}

bool BMenuItem::IsEnabled() const
{
    BAutolock lock(menu_lock());
    return fEnabled && (fSuper == nullptr || fSuper->IsEnabled());
}

void BMenuItem::SetMarked(bool marked)
{
    BMenu* super;
    {
        BAutolock lock(menu_lock());
        super = fSuper;
        // Marking a marked item still unmarks the others in radio mode.
        if (fMarked == marked && (!marked || super == nullptr || !super->fRadioMode))
            return;
        fMarked = marked;
        if (marked && super != nullptr)
            super->_Marked(this);
    }
    if (super != nullptr)
        super->_ItemsChanged();
}

bool BMenuItem::IsMarked() const
{
    BAutolock lock(menu_lock());
    return fMarked;
}

void BMenuItem::SetShortcut(char shortcut, uint32 modifiers)
{
    BMenu* super;
    {
        BAutolock lock(menu_lock());
        fShortcut = shortcut;
        fModifiers = modifiers;
        super = fSuper;
    }
    if (super != nullptr)
        super->_ItemsChanged();
}

char BMenuItem::Shortcut(uint32* modifiers) const
{
    BAutolock lock(menu_lock());
    if (modifiers != nullptr)
        *modifiers = fModifiers;
    return fShortcut;
}

std::string BMenuItem::ShortcutLabel() const
{
    BAutolock lock(menu_lock());
    if (fShortcut == 0)
        return "";
    std::string text = "Ctrl+";
    if ((fModifiers & B_SHIFT_KEY) != 0)
        text += "Shift+";
    if ((fModifiers & B_OPTION_KEY) != 0)
        text += "Alt+";
    char key = fShortcut >= 'a' && fShortcut <= 'z' ? char(fShortcut - 'a' + 'A') : fShortcut;
    return text + key;
}

BMenu* BMenuItem::Menu() const
{
    BAutolock lock(menu_lock());
    return fSuper;
}

BRect BMenuItem::Frame() const
{
    BAutolock lock(menu_lock());
    return fFrame;
}

bool BMenuItem::IsSelected() const
{
    BAutolock lock(menu_lock());
    return fSuper != nullptr && fSuper->fHighlighted >= 0 &&
           fSuper->fHighlighted < fSuper->CountItems() &&
           fSuper->fItems[fSuper->fHighlighted] == this;
}

// MARK: Invoking

status_t BMenuItem::Invoke(BMessage* message)
{
    BAutolock lock(menu_lock());
    const BMessage* source = message != nullptr ? message : Message();
    if (source == nullptr)
        return B_BAD_VALUE;
    BMessage copy(*source);
    copy.AddInt32("index", fSuper != nullptr ? fSuper->IndexOf(this) : -1);
    // Whether a target was set, not whether it is valid: validity needs the
    // target looper's lock, which a window blocked in a synchronous Go()
    // holds while this runs. A target that has gone refuses the post.
    BLooper* targetLooper = nullptr;
    Messenger().Target(&targetLooper);
    if (targetLooper != nullptr)
        return BInvoker::Invoke(&copy);
    // No target of its own: the menu tree's.
    BMessenger target = fSuper != nullptr ? fSuper->_Root()->_DefaultTarget() : BMessenger();
    copy.AddInt64("when", system_time());
    copy.AddPointer("source", this);
    return target.SendMessage(&copy);
}

// MARK: Drawing

void BMenuItem::GetContentSize(float* width, float* height)
{
    BMenu* menu = fSuper;
    font_height metrics;
    menu->GetFontHeight(&metrics);
    *width = std::ceil(menu->StringWidth(fLabel.c_str()));
    *height = std::ceil(metrics.ascent + metrics.descent);
}

void BMenuItem::DrawContent()
{
    BMenu* menu = fSuper;
    font_height metrics;
    menu->GetFontHeight(&metrics);
    BPoint where = ContentLocation();
    menu->DrawString(fLabel.c_str(), BPoint(where.x, where.y + std::ceil(metrics.ascent)));
}

BPoint BMenuItem::ContentLocation() const
{
    bool column = fSuper != nullptr && fSuper->Layout() == B_ITEMS_IN_COLUMN;
    return BPoint(fFrame.left + (column ? kMarkColumn : 8), fFrame.top + 3);
}

void BMenuItem::Draw()
{
    BMenu* menu = fSuper;
    bool enabled = IsEnabled();
    bool selected = IsSelected() && enabled;
    rgb_color background =
        ui_color(selected ? B_MENU_SELECTION_BACKGROUND_COLOR : B_MENU_BACKGROUND_COLOR);
    rgb_color text = label_color(enabled, selected);

    menu->SetHighColor(background);
    menu->SetLowColor(background);
    menu->FillRect(fFrame);
    menu->SetHighColor(text);

    float middle = std::floor((fFrame.top + fFrame.bottom) / 2);
    if (fMarked) {
        menu->SetPenSize(2);
        menu->StrokeLine(BPoint(fFrame.left + 5, middle), BPoint(fFrame.left + 8, middle + 3));
        menu->StrokeLine(BPoint(fFrame.left + 8, middle + 3), BPoint(fFrame.left + 13, middle - 4));
        menu->SetPenSize(1);
    }
    DrawContent();
    menu->SetHighColor(text);

    if (fSubmenu != nullptr && menu->Layout() == B_ITEMS_IN_COLUMN) {
        float x = fFrame.right - 10;
        menu->FillTriangle(BPoint(x, middle - 4), BPoint(x + 4, middle), BPoint(x, middle + 4));
    } else if (fShortcut != 0 && menu->Layout() == B_ITEMS_IN_COLUMN) {
        std::string shortcut = ShortcutLabel();
        font_height metrics;
        menu->GetFontHeight(&metrics);
        float width = menu->StringWidth(shortcut.c_str());
        menu->DrawString(shortcut.c_str(), BPoint(fFrame.right - 8 - width,
                                                  fFrame.top + 3 + std::ceil(metrics.ascent)));
    }
}
