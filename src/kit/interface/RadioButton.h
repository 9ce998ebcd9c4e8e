// One of a group of choices: the radio buttons with the same parent view.
// Turning one on, by the user or with SetValue(), turns its siblings off;
// a click invokes with "be:value" 1 even when it was on already.
#pragma once

#include "kit/interface/Control.h"

class BRadioButton : public BControl
{
public:
    BRadioButton(BRect frame, const char* name, const char* label, BMessage* message,
                 uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP,
                 uint32 flags = B_WILL_DRAW | B_NAVIGABLE);
    ~BRadioButton() override;

    void Draw(BRect updateRect) override;
    void SetValue(int32 value) override;

protected:
    void _Activate() override;
};
