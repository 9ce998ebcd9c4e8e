// A push button: invokes when clicked, or with space or Enter while it is
// the focus. The window's default button (MakeDefault) also answers Enter
// anywhere in the window and draws a heavier frame.
#pragma once

#include "kit/interface/Control.h"

class BButton : public BControl
{
public:
    BButton(BRect frame, const char* name, const char* label, BMessage* message,
            uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP,
            uint32 flags = B_WILL_DRAW | B_NAVIGABLE);
    ~BButton() override;

    void AttachedToWindow() override;
    void Draw(BRect updateRect) override;

    virtual void MakeDefault(bool flag);
    bool IsDefault() const { return fDefault; }

protected:
    void _PressedChanged(bool pressed) override;

private:
    bool fDefault = false;
};
