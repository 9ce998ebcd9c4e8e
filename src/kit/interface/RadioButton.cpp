#include "kit/interface/RadioButton.h"

#include <cmath>

#include "kit/interface/StateGuard.h"

namespace {

constexpr float kCircleSize = 12;
constexpr float kLabelGap = 5;

} // namespace

BRadioButton::BRadioButton(BRect frame, const char* name, const char* label, BMessage* message,
                           uint32 resizingMode, uint32 flags)
    : BControl(frame, name, label, message, resizingMode, flags)
{
}

BRadioButton::~BRadioButton() = default;

void BRadioButton::SetValue(int32 value)
{
    value = value != B_CONTROL_OFF ? B_CONTROL_ON : B_CONTROL_OFF;
    BControl::SetValue(value);
    if (value != B_CONTROL_ON)
        return;
    BView* first = this;
    while (BView* previous = first->PreviousSibling())
        first = previous;
    for (BView* sibling = first; sibling != nullptr; sibling = sibling->NextSibling()) {
        auto* radio = dynamic_cast<BRadioButton*>(sibling);
        if (radio != nullptr && radio != this)
            radio->BControl::SetValue(B_CONTROL_OFF);
    }
}

void BRadioButton::_Activate()
{
    SetValue(B_CONTROL_ON);
    Invoke();
}

void BRadioButton::Draw(BRect)
{
    BStateGuard state(this);
    rgb_color base = _BaseColor();
    BRect bounds = Bounds();
    float top = std::floor(bounds.top + (bounds.Height() + 1 - kCircleSize) / 2);
    BRect circle(bounds.left + 1, top, bounds.left + kCircleSize, top + kCircleSize - 1);

    SetHighColor(!IsEnabled()   ? base
                 : _IsPressed() ? tint_color(base, B_DARKEN_1_TINT)
                                : ui_color(B_DOCUMENT_BACKGROUND_COLOR));
    FillEllipse(circle);
    SetHighColor(tint_color(base, IsEnabled() ? B_DARKEN_4_TINT : B_DARKEN_2_TINT));
    StrokeEllipse(circle);
    if (Value() == B_CONTROL_ON) {
        rgb_color mark = ui_color(B_CONTROL_HIGHLIGHT_COLOR);
        SetHighColor(IsEnabled() ? mark : tint_color(mark, B_DISABLED_MARK_TINT));
        FillEllipse(circle.InsetByCopy(3, 3));
    }

    _DrawLabelFrom(circle.right + kLabelGap, base);
}
