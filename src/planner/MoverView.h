// The drag handle of the marked order's last knob: 9 x 9 pixels at the
// knob's left top. Pressing it and moving sideways moves the knob with the
// pointer; the release posts 'MOVX' with the knob's frame before and after
// to the application, which hands it to the calendar (CalView::MovingOrder).
#pragma once

#include "kit/interface/View.h"

class MoverView : public BView
{
public:
    MoverView(BRect frame, const char* name, int32 orderId);

    void Draw(BRect updateRect) override;
    void MouseDown(BPoint where) override;
    void MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage) override;
    void MouseUp(BPoint where) override;

    bool Dragging() const { return fDragging; }

private:
    float _ScreenX(BPoint where) const;

    int32 fOrderId;
    bool fDragging = false;
    float fStartX = 0;
    BRect fOldFrame;
};
