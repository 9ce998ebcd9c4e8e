// A box with a label that a click, space or Enter toggles between
// B_CONTROL_OFF and B_CONTROL_ON; each toggle invokes with the new
// "be:value".
#pragma once

#include "kit/interface/Control.h"

class BCheckBox : public BControl
{
public:
    BCheckBox(BRect frame, const char* name, const char* label, BMessage* message,
              uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP,
              uint32 flags = B_WILL_DRAW | B_NAVIGABLE);
    ~BCheckBox() override;

    void Draw(BRect updateRect) override;

    // The square the mark is drawn in, in view coordinates.
    BRect BoxFrame() const;

protected:
    void _Activate() override;
};
