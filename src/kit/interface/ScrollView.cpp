#include "kit/interface/ScrollView.h"

#include "kit/app/Debug.h"
#include "kit/app/Message.h"
#include "kit/interface/ScrollBar.h"
#include "kit/interface/StateGuard.h"

float BScrollView::_BorderSize(border_style border)
{
    return border == B_FANCY_BORDER ? 2 : border == B_PLAIN_BORDER ? 1 : 0;
}

BRect BScrollView::_Frame(BView* target, bool horizontal, bool vertical, border_style border)
{
    BRect frame = target != nullptr ? target->Frame() : BRect(0, 0, 0, 0);
    float size = _BorderSize(border);
    frame.InsetBy(-size, -size);
    if (vertical)
        frame.right += B_V_SCROLL_BAR_WIDTH;
    if (horizontal)
        frame.bottom += B_H_SCROLL_BAR_HEIGHT;
    return frame;
}

BScrollView::BScrollView(const char* name, BView* target, uint32 resizingMode, uint32 flags,
                         bool horizontal, bool vertical, border_style border)
    : BView(_Frame(target, horizontal, vertical, border), name, resizingMode,
            flags | B_WILL_DRAW | B_FRAME_EVENTS),
      fTarget(target), fBorder(border)
{
    ASSERT_WITH_MESSAGE(target == nullptr ||
                            (target->Parent() == nullptr && target->Window() == nullptr),
                        "BScrollView: the target already belongs to a view or window");
    float size = _BorderSize(border);
    BRect bounds = Bounds();
    // The bars overlap the border on their outer sides, as on the platform.
    float inner = size > 0 ? size - 1 : 0;
    if (target != nullptr) {
        target->MoveTo(size, size);
        target->SetResizingMode(B_FOLLOW_ALL_SIDES);
        AddChild(target);
    }
    if (vertical) {
        BRect frame(bounds.right - B_V_SCROLL_BAR_WIDTH - inner, bounds.top + inner,
                    bounds.right - inner,
                    bounds.bottom - inner - (horizontal ? B_H_SCROLL_BAR_HEIGHT : 0));
        fVertical = new BScrollBar(frame, "_VSB_", target, 0, 0, B_VERTICAL);
        AddChild(fVertical);
    }
    if (horizontal) {
        BRect frame(bounds.left + inner, bounds.bottom - B_H_SCROLL_BAR_HEIGHT - inner,
                    bounds.right - inner - (vertical ? B_V_SCROLL_BAR_WIDTH : 0),
                    bounds.bottom - inner);
        fHorizontal = new BScrollBar(frame, "_HSB_", target, 0, 0, B_HORIZONTAL);
        AddChild(fHorizontal);
    }
}

BScrollView::~BScrollView() = default;

BScrollBar* BScrollView::ScrollBar(orientation direction) const
{
    return direction == B_VERTICAL ? fVertical : fHorizontal;
}

void BScrollView::MessageReceived(BMessage* message)
{
    BScrollBar* bar = fVertical != nullptr ? fVertical : fHorizontal;
    if (message->what != B_MOUSE_WHEEL_CHANGED || bar == nullptr)
        return BView::MessageReceived(message);
    bar->MessageReceived(message);
}

void BScrollView::Draw(BRect)
{
    if (fBorder == B_NO_BORDER)
        return;
    BStateGuard state(this);
    rgb_color base = ui_color(B_PANEL_BACKGROUND_COLOR);
    BRect bounds = Bounds();
    if (fBorder == B_PLAIN_BORDER) {
        SetHighColor(tint_color(base, B_DARKEN_4_TINT));
        StrokeRect(bounds);
    } else {
        // Sunken: dark above and left, light below and right, then a
        // black frame just around the target and bars.
        SetHighColor(tint_color(base, B_DARKEN_2_TINT));
        StrokeLine(bounds.LeftBottom(), bounds.LeftTop());
        StrokeLine(bounds.RightTop());
        SetHighColor(ui_color(B_SHINE_COLOR));
        StrokeLine(bounds.RightTop() + BPoint(0, 1), bounds.RightBottom());
        StrokeLine(bounds.LeftBottom() + BPoint(1, 0));
        SetHighColor(tint_color(base, B_DARKEN_4_TINT));
        StrokeRect(bounds.InsetByCopy(1, 1));
    }
}
