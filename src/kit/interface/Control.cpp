#include "kit/interface/Control.h"

#include <cmath>

#include "kit/app/Message.h"
#include "kit/interface/StateGuard.h"
#include "kit/interface/Window.h"

namespace {

bool inside(BRect bounds, BPoint point)
{
    return point.x >= bounds.left && point.x < bounds.right + 1 && point.y >= bounds.top &&
           point.y < bounds.bottom + 1;
}

bool transparent(rgb_color color)
{
    return color == B_TRANSPARENT_COLOR;
}

} // namespace

BControl::BControl(BRect frame, const char* name, const char* label, BMessage* message,
                   uint32 resizingMode, uint32 flags)
    : BView(frame, name, resizingMode, flags), BInvoker(message),
      fLabel(label != nullptr ? label : "")
{
    SetInvokerSource(static_cast<BControl*>(this));
}

BControl::~BControl() = default;

void BControl::AttachedToWindow()
{
    // Controls sit on their parent's background, as on the platform.
    AdoptParentColors();
    if (!Messenger().IsValid() && Window() != nullptr)
        SetTarget(Window());
}

void BControl::MakeFocus(bool focus)
{
    bool was = IsFocus();
    BView::MakeFocus(focus);
    if (IsFocus() != was)
        Invalidate();
}

void BControl::KeyDown(const char* bytes, int32 numBytes)
{
    if (fEnabled && numBytes == 1 && (bytes[0] == B_SPACE || bytes[0] == B_ENTER))
        return _Activate();
    BView::KeyDown(bytes, numBytes);
}

void BControl::MouseDown(BPoint)
{
    if (!fEnabled)
        return;
    fTracking = true;
    fInside = true;
    _PressedChanged(true);
}

void BControl::MouseMoved(BPoint where, uint32, const BMessage*)
{
    if (!fTracking)
        return;
    bool now = inside(Bounds(), where);
    if (now == fInside)
        return;
    fInside = now;
    _PressedChanged(now);
}

void BControl::MouseUp(BPoint where)
{
    if (!fTracking)
        return;
    bool released = inside(Bounds(), where);
    bool wasPressed = fInside;
    fTracking = false;
    fInside = false;
    if (wasPressed)
        _PressedChanged(false);
    if (released && fEnabled)
        _Activate();
}

void BControl::SetLabel(const char* label)
{
    std::string text = label != nullptr ? label : "";
    if (text == fLabel)
        return;
    fLabel = std::move(text);
    Invalidate();
}

void BControl::SetValue(int32 value)
{
    if (value == fValue)
        return;
    fValue = value;
    Invalidate();
}

void BControl::SetEnabled(bool enabled)
{
    if (enabled == fEnabled)
        return;
    fEnabled = enabled;
    // A disabled control is skipped by keyboard navigation.
    if (enabled) {
        if (fNavigable)
            SetFlags(Flags() | B_NAVIGABLE);
    } else {
        fNavigable = (Flags() & B_NAVIGABLE) != 0;
        SetFlags(Flags() & ~uint32(B_NAVIGABLE));
        if (IsFocus())
            MakeFocus(false);
        if (fTracking) {
            fTracking = false;
            fInside = false;
            _PressedChanged(false);
        }
    }
    Invalidate();
}

status_t BControl::Invoke(BMessage* message)
{
    const BMessage* source = message != nullptr ? message : Message();
    if (source == nullptr)
        return B_BAD_VALUE;
    BMessage copy(*source);
    copy.RemoveName("be:value");
    copy.AddInt32("be:value", fValue);
    return BInvoker::Invoke(&copy);
}

void BControl::_Activate()
{
    Invoke();
}

void BControl::_PressedChanged(bool)
{
    Invalidate();
}

rgb_color BControl::_BaseColor() const
{
    rgb_color color = ViewColor();
    return transparent(color) ? ui_color(B_PANEL_BACKGROUND_COLOR) : color;
}

rgb_color BControl::_LabelColor() const
{
    if (fEnabled)
        return ui_color(B_CONTROL_TEXT_COLOR);
    return tint_color(_BaseColor(), B_DISABLED_LABEL_TINT);
}

void BControl::_DrawLabelFrom(float x, rgb_color low)
{
    font_height height;
    GetFontHeight(&height);
    const BRect bounds = Bounds();
    const float y =
        std::floor(bounds.top + (bounds.Height() + 1 + height.ascent - height.descent) / 2);
    SetHighColor(_LabelColor());
    SetLowColor(low);
    SetDrawingMode(B_OP_OVER);
    DrawString(Label(), BPoint(x, y));
    _DrawFocusLine(x, x + StringWidth(Label()) - 1, y);
}

void BControl::_DrawFocusLine(float left, float right, float baseline)
{
    if (!IsFocus() || !fEnabled)
        return;
    BStateGuard state(this);
    SetHighColor(ui_color(B_KEYBOARD_NAVIGATION_COLOR));
    StrokeLine(BPoint(left, baseline + 2), BPoint(right, baseline + 2));
}
