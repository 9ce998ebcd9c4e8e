#include "planner/ProzView.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/AppPost.h"
#include "app/Bevels.h"
#include "app/Notices.h"
#include "app/Settings.h"
#include "exchange/XmlImport.h"
#include "kit/app/AppDefs.h"
#include "kit/interface/StateGuard.h"
#include "kit/interface/Window.h"

namespace {

constexpr float kGrid = 10;

} // namespace

ProzView::ProzView(BRect frame, const char* name)
    : BView(frame, name, B_FOLLOW_ALL_SIDES, B_WILL_DRAW | B_DRAW_ON_CHILDREN)
{
    SetViewColor(AskColor(uc_OPE));
    fGrid = tint_color(AskColor(uc_OPE), 1.3f);
    AddToolTip(this, "RightClick - select any Job");
}

float ProzView::SnapDown(float value)
{
    return (std::ceil(value / kGrid) - 1) * kGrid;
}

float ProzView::SnapUp(float value)
{
    return std::max(0.0f, std::ceil(value / kGrid) * kGrid);
}

BRect ProzView::SubViewRect(BPoint start, BPoint pointer)
{
    const float x = SnapUp(pointer.x), y = SnapUp(pointer.y);
    BRect rect(start.x, start.y, start.x + 40, start.y + 20);
    if (x < start.x)
        rect.left = x;
    else
        rect.right = std::max(x, start.x + kGrid);
    if (y < start.y)
        rect.top = y;
    else
        rect.bottom = std::max(y, start.y + kGrid);
    return rect;
}

void ProzView::Draw(BRect)
{
    BStateGuard guard(this);
    const BRect bounds = Bounds();
    SetHighColor(ViewColor());
    FillRect(bounds);
    SetHighColor(fGrid);
    for (float x = 0; x <= bounds.right; x += kGrid)
        StrokeLine(BPoint(x, bounds.top), BPoint(x, bounds.bottom));
    for (float y = 0; y <= bounds.bottom; y += kGrid)
        StrokeLine(BPoint(bounds.left, y), BPoint(bounds.right, y));
    BorderLB(this, nullptr, nullptr, 0);
    if (fMark == 0) {
        SetDrawingMode(B_OP_BLEND);
        SetHighColor(200, 200, 40);
        FillRect(bounds);
    } else if (fMark == 4) {
        SetHighColor(250, 20, 20);
        StrokeLine(bounds.LeftTop(), bounds.RightBottom());
    }
}

void ProzView::DrawAfterChildren(BRect)
{
    BorderLB(this, nullptr, nullptr, 0);
    if (fDrawing) {
        BStateGuard guard(this);
        SetHighColor(AskColor(uc_TXT));
        StrokeRect(fRect);
    }
}

void ProzView::VisOrderStat(int32 status)
{
    switch (status) {
    case 0:
        SetViewColor(AskColor(uc_PRE));
        break;
    case 1:
    case 2:
        SetViewColor(AskColor(uc_OPE));
        break;
    case 3:
        SetViewColor(AskColor(uc_CLO));
        break;
    case 4:
        SetViewColor(AskColor(uc_BRE));
        break;
    }
    Invalidate();
}

void ProzView::MarkStatus(int32 status)
{
    printf("ProzView::MarkStatus\n");
    fMark = status;
    Invalidate();
}

void ProzView::MouseDown(BPoint where)
{
    uint32 buttons = B_PRIMARY_MOUSE_BUTTON;
    if (Window() != nullptr && Window()->CurrentMessage() != nullptr)
        buttons = uint32(Window()->CurrentMessage()->GetInt32("buttons", int32(buttons)));
    if ((buttons & B_SECONDARY_MOUSE_BUTTON) != 0) {
        PostToApp('OxSS');
        if (Window() != nullptr)
            Window()->PostMessage('SAOx');
        return;
    }
    if ((buttons & B_PRIMARY_MOUSE_BUTTON) != 0)
        MakeSubView(where);
}

void ProzView::MakeSubView(BPoint where)
{
    if (!std::isfinite(where.x) || !std::isfinite(where.y))
        return;
    fStart = BPoint(std::max(0.0f, SnapDown(where.x)), std::max(0.0f, SnapDown(where.y)));
    fRect = BRect(fStart.x, fStart.y, fStart.x + 40, fStart.y + 20);
    fDrawing = true;
    Invalidate();
}

void ProzView::MouseMoved(BPoint where, uint32, const BMessage*)
{
    if (!fDrawing || !std::isfinite(where.x) || !std::isfinite(where.y))
        return;
    const BRect rect = SubViewRect(fStart, where);
    if (rect != fRect) {
        fRect = rect;
        Invalidate();
    }
}

void ProzView::MouseUp(BPoint where)
{
    if (!fDrawing)
        return;
    MouseMoved(where, B_INSIDE_VIEW, nullptr);
    fDrawing = false;
    BMessage add('OADW');
    add.AddRect("a_rect", fRect);
    PostToApp(add);
    Invalidate();
}

void ProzView::DeleteAllChilds()
{
    while (CountChildren() > 0) {
        BView* child = ChildAt(CountChildren() - 1);
        BRect frame = child->Frame();
        frame.InsetBy(1, 1);
        child->RemoveSelf();
        BStateGuard guard(this);
        SetHighColor(ViewColor());
        FillRect(frame);
    }
    Invalidate();
}

void ProzView::MessageReceived(BMessage* message)
{
    printf("ProzView::MessageReceived\n");
    message->PrintToStream();
    switch (message->what) {
    case 'OUIx':
        if (Window() != nullptr)
            Window()->PostMessage(message);
        return;
    case B_SIMPLE_DATA:
        return XML_Splice(message, 3);
    case B_MOUSE_DOWN:
        return MouseDown(BPoint(1, 1));
    default:
        BView::MessageReceived(message);
    }
}
