#include "kit/interface/Button.h"

#include <cmath>

#include "kit/interface/StateGuard.h"
#include "kit/interface/Window.h"

BButton::BButton(BRect frame, const char* name, const char* label, BMessage* message,
                 uint32 resizingMode, uint32 flags)
    : BControl(frame, name, label, message, resizingMode, flags)
{
}

BButton::~BButton() = default;

void BButton::AttachedToWindow()
{
    BControl::AttachedToWindow();
    if (fDefault && Window() != nullptr)
        Window()->SetDefaultButton(this);
}

void BButton::MakeDefault(bool flag)
{
    if (flag == fDefault)
        return;
    fDefault = flag;
    if (BWindow* window = Window()) {
        if (flag)
            window->SetDefaultButton(this);
        else if (window->DefaultButton() == this)
            window->SetDefaultButton(nullptr);
    }
    Invalidate();
}

void BButton::_PressedChanged(bool pressed)
{
    // The value is on while the button is held down, as on the platform.
    SetValue(pressed ? B_CONTROL_ON : B_CONTROL_OFF);
}

void BButton::Draw(BRect)
{
    BStateGuard state(this);
    BRect frame = Bounds();
    rgb_color base = _BaseColor();
    bool pressed = Value() == B_CONTROL_ON;
    rgb_color face = !IsEnabled() ? tint_color(base, B_LIGHTEN_2_TINT)
                     : pressed    ? tint_color(base, B_DARKEN_2_TINT)
                                  : tint_color(base, B_LIGHTEN_1_TINT);
    rgb_color border =
        IsEnabled() ? tint_color(base, B_DARKEN_4_TINT) : tint_color(base, B_DARKEN_2_TINT);

    if (fDefault) {
        SetHighColor(border);
        StrokeRect(frame);
        frame.InsetBy(1, 1);
    }
    SetHighColor(border);
    StrokeRect(frame);
    frame.InsetBy(1, 1);
    SetHighColor(face);
    FillRect(frame);
    // A bevel that flips when pressed.
    rgb_color light = tint_color(face, pressed ? B_DARKEN_1_TINT : B_LIGHTEN_2_TINT);
    rgb_color dark = tint_color(face, pressed ? B_LIGHTEN_2_TINT : B_DARKEN_1_TINT);
    SetHighColor(light);
    StrokeLine(frame.LeftBottom(), frame.LeftTop());
    StrokeLine(frame.RightTop());
    SetHighColor(dark);
    StrokeLine(frame.RightTop() + BPoint(0, 1), frame.RightBottom());
    StrokeLine(frame.LeftBottom() + BPoint(1, 0));

    BRect bounds = Bounds();
    _DrawLabelFrom(std::floor(bounds.left + (bounds.Width() + 1 - StringWidth(Label())) / 2), face);
}
