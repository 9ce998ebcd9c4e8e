#include "planner/MoverView.h"

#include <cmath>

#include "app/AppPost.h"
#include "app/Settings.h"
#include "kit/interface/StateGuard.h"

MoverView::MoverView(BRect frame, const char* name, int32 orderId)
    : BView(frame, name, B_FOLLOW_NONE, B_WILL_DRAW), fOrderId(orderId)
{
    ResizeTo(8, 8);
    SetViewColor(AskColor(uc_KNM));
}

void MoverView::Draw(BRect)
{
    BStateGuard guard(this);
    const rgb_color color = AskColor(uc_KNM);
    SetHighColor(color);
    FillRect(Bounds());
    SetHighColor(250, 250, 100);
    StrokeTriangle(BPoint(0, 0), BPoint(4, 0), BPoint(0, 4));
    SetHighColor(tint_color(color, 0.59f));
    StrokeLine(BPoint(3, 8), BPoint(8, 3));
    SetHighColor(tint_color(color, B_DARKEN_1_TINT));
    StrokeLine(BPoint(5, 8), BPoint(8, 5));
}

float MoverView::_ScreenX(BPoint where) const
{
    return ConvertToScreen(where).x;
}

void MoverView::MouseDown(BPoint where)
{
    BView* knob = Parent();
    if (knob == nullptr)
        return;
    fDragging = true;
    fStartX = _ScreenX(where);
    fOldFrame = knob->Frame();
}

void MoverView::MouseMoved(BPoint where, uint32, const BMessage*)
{
    BView* knob = Parent();
    if (!fDragging || knob == nullptr)
        return;
    const float dx = _ScreenX(where) - fStartX;
    if (!std::isfinite(dx))
        return;
    // Sideways only, and never further than one bar width.
    const float limit = knob->Parent() != nullptr ? knob->Parent()->Bounds().Width() : 0;
    const float left = fOldFrame.left + std::clamp(dx, -limit, limit);
    if (left != knob->Frame().left)
        knob->MoveTo(left, fOldFrame.top);
}

void MoverView::MouseUp(BPoint where)
{
    BView* knob = Parent();
    if (!fDragging || knob == nullptr)
        return;
    MouseMoved(where, B_INSIDE_VIEW, nullptr);
    fDragging = false;
    BMessage move('MOVX');
    move.AddInt32("Order", fOrderId);
    move.AddRect("OldPos", fOldFrame);
    move.AddRect("NewPos", knob->Frame());
    PostToApp(move);
}
