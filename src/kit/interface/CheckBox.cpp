#include "kit/interface/CheckBox.h"

#include <cmath>

#include "kit/interface/StateGuard.h"

namespace {

constexpr float kBoxSize = 12;
constexpr float kLabelGap = 5;

} // namespace

BCheckBox::BCheckBox(BRect frame, const char* name, const char* label, BMessage* message,
                     uint32 resizingMode, uint32 flags)
    : BControl(frame, name, label, message, resizingMode, flags)
{
}

BCheckBox::~BCheckBox() = default;

BRect BCheckBox::BoxFrame() const
{
    BRect bounds = Bounds();
    float top = std::floor(bounds.top + (bounds.Height() + 1 - kBoxSize) / 2);
    return BRect(bounds.left + 1, top, bounds.left + kBoxSize, top + kBoxSize - 1);
}

void BCheckBox::_Activate()
{
    SetValue(Value() == B_CONTROL_ON ? B_CONTROL_OFF : B_CONTROL_ON);
    Invoke();
}

void BCheckBox::Draw(BRect)
{
    BStateGuard state(this);
    rgb_color base = _BaseColor();
    BRect box = BoxFrame();
    rgb_color field = !IsEnabled()   ? base
                      : _IsPressed() ? tint_color(base, B_DARKEN_1_TINT)
                                     : ui_color(B_DOCUMENT_BACKGROUND_COLOR);
    SetHighColor(field);
    FillRect(box);
    SetHighColor(tint_color(base, IsEnabled() ? B_DARKEN_4_TINT : B_DARKEN_2_TINT));
    StrokeRect(box);

    if (Value() == B_CONTROL_ON) {
        rgb_color mark = ui_color(B_CONTROL_HIGHLIGHT_COLOR);
        SetHighColor(IsEnabled() ? mark : tint_color(mark, B_DISABLED_MARK_TINT));
        BRect inner = box.InsetByCopy(3, 3);
        SetPenSize(2);
        StrokeLine(inner.LeftTop(), inner.RightBottom());
        StrokeLine(inner.LeftBottom(), inner.RightTop());
        SetPenSize(1);
    }

    _DrawLabelFrom(box.right + kLabelGap, base);
}
