// A label and a pop-up field that shows the marked item of its menu (or the
// menu's name while nothing is marked). Clicking the field opens the menu
// under it; items without a target send to the field's window.
#pragma once

#include <string>

#include "kit/interface/View.h"

class BMenu;
class BMenuItem;

class BMenuField : public BView
{
public:
    // Takes ownership of menu.
    BMenuField(BRect frame, const char* name, const char* label, BMenu* menu,
               uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP,
               uint32 flags = B_WILL_DRAW | B_NAVIGABLE);
    ~BMenuField() override;

    BMenu* Menu() const { return fMenu; }
    void SetLabel(const char* label);
    const char* Label() const { return fLabel.c_str(); }
    // Where the field starts, from the left edge; the label is left of it.
    void SetDivider(float divider);
    float Divider() const { return fDivider; }
    virtual void SetEnabled(bool enabled);
    bool IsEnabled() const { return fEnabled; }
    // The text the field shows now.
    std::string FieldText() const;

    void AttachedToWindow() override;
    void Draw(BRect updateRect) override;
    void MouseDown(BPoint where) override;
    void KeyDown(const char* bytes, int32 numBytes) override;
    void MessageReceived(BMessage* message) override;

private:
    BRect _FieldFrame() const;
    void _Open(bool selectFirst);

    BMenu* fMenu;
    std::string fLabel;
    float fDivider;
    bool fEnabled = true;
};
