#include "kit/interface/ScrollBar.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "kit/app/Message.h"
#include "kit/interface/StateGuard.h"
#include "kit/interface/Window.h"

namespace {

constexpr float kMinThumbLength = 12;
// Small steps per notch of the wheel.
constexpr float kWheelSteps = 3;

} // namespace

BScrollBar::BScrollBar(BRect frame, const char* name, BView* target, float min, float max,
                       orientation direction)
    : BView(frame, name,
            direction == B_VERTICAL ? uint32(B_FOLLOW_TOP_BOTTOM | B_FOLLOW_RIGHT)
                                    : uint32(B_FOLLOW_LEFT_RIGHT | B_FOLLOW_BOTTOM),
            B_WILL_DRAW | B_FRAME_EVENTS),
      fTarget(target), fOrientation(direction), fMin(min), fMax(std::max(min, max)), fValue(min)
{
    SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));
}

BScrollBar::~BScrollBar() = default;

// MARK: Value

void BScrollBar::SetValue(float value)
{
    value = std::clamp(std::round(value), fMin, fMax);
    if (value == fValue)
        return;
    fValue = value;
    Invalidate();
    ValueChanged(value);
}

void BScrollBar::ValueChanged(float newValue)
{
    BView* target = _ValidTarget();
    if (target == nullptr)
        return;
    BRect bounds = target->Bounds();
    if (fOrientation == B_VERTICAL)
        target->ScrollTo(bounds.left, newValue);
    else
        target->ScrollTo(newValue, bounds.top);
}

void BScrollBar::_TargetScrolled(float value)
{
    value = std::clamp(value, fMin, fMax);
    if (value == fValue)
        return;
    fValue = value;
    Invalidate();
}

void BScrollBar::SetRange(float min, float max)
{
    max = std::max(min, max);
    if (min == fMin && max == fMax)
        return;
    fMin = min;
    fMax = max;
    Invalidate();
    float clamped = std::clamp(fValue, fMin, fMax);
    if (clamped != fValue) {
        fValue = clamped;
        ValueChanged(clamped);
    }
}

void BScrollBar::GetRange(float* min, float* max) const
{
    if (min != nullptr)
        *min = fMin;
    if (max != nullptr)
        *max = fMax;
}

void BScrollBar::SetProportion(float proportion)
{
    proportion = std::clamp(proportion, 0.0f, 1.0f);
    if (proportion == fProportion)
        return;
    fProportion = proportion;
    Invalidate();
}

void BScrollBar::SetSteps(float smallStep, float largeStep)
{
    fSmallStep = smallStep;
    fLargeStep = largeStep;
}

void BScrollBar::GetSteps(float* smallStep, float* largeStep) const
{
    if (smallStep != nullptr)
        *smallStep = fSmallStep;
    if (largeStep != nullptr)
        *largeStep = fLargeStep;
}

void BScrollBar::SetTarget(BView* target)
{
    fTarget = target;
}

// The target only while it is a view of this window: a bar may outlive
// the view it scrolled.
BView* BScrollBar::_ValidTarget() const
{
    if (fTarget == nullptr || Window() == nullptr)
        return nullptr;
    std::function<bool(const BView*)> holds = [&](const BView* view) {
        if (view == fTarget)
            return true;
        for (int32 i = 0; i < view->CountChildren(); i++) {
            if (holds(view->ChildAt(i)))
                return true;
        }
        return false;
    };
    return holds(Window()->_TopView()) ? fTarget : nullptr;
}

// MARK: Geometry

float BScrollBar::_Thickness() const
{
    BRect bounds = Bounds();
    return (fOrientation == B_VERTICAL ? bounds.Width() : bounds.Height()) + 1;
}

float BScrollBar::_Length() const
{
    BRect bounds = Bounds();
    return (fOrientation == B_VERTICAL ? bounds.Height() : bounds.Width()) + 1;
}

// Arrows are square unless the bar is too short for two of them.
float BScrollBar::_TrackStart() const
{
    return std::min(_Thickness(), std::floor(_Length() / 2));
}

float BScrollBar::_TrackLength() const
{
    return std::max(0.0f, _Length() - 2 * _TrackStart());
}

float BScrollBar::_ThumbLength() const
{
    float track = _TrackLength();
    float proportion = fProportion > 0 ? fProportion : 0.1f;
    return std::min(track, std::max(kMinThumbLength, std::round(track * proportion)));
}

float BScrollBar::_ThumbStart() const
{
    float room = _TrackLength() - _ThumbLength();
    float range = fMax - fMin;
    float at = range > 0 ? (fValue - fMin) / range * room : 0;
    return _TrackStart() + std::round(at);
}

BRect BScrollBar::_ThumbFrame() const
{
    BRect bounds = Bounds();
    float start = _ThumbStart();
    float end = start + _ThumbLength() - 1;
    if (fOrientation == B_VERTICAL)
        return BRect(bounds.left, bounds.top + start, bounds.right, bounds.top + end);
    return BRect(bounds.left + start, bounds.top, bounds.left + end, bounds.bottom);
}

BRect BScrollBar::_ArrowFrame(bool increment) const
{
    BRect bounds = Bounds();
    float size = _TrackStart();
    if (fOrientation == B_VERTICAL) {
        return increment ? BRect(bounds.left, bounds.bottom - size + 1, bounds.right, bounds.bottom)
                         : BRect(bounds.left, bounds.top, bounds.right, bounds.top + size - 1);
    }
    return increment ? BRect(bounds.right - size + 1, bounds.top, bounds.right, bounds.bottom)
                     : BRect(bounds.left, bounds.top, bounds.left + size - 1, bounds.bottom);
}

BScrollBar::Part BScrollBar::_PartAt(BPoint where) const
{
    float along = _Along(where) - _Along(Bounds().LeftTop());
    if (along < _TrackStart())
        return Part::DecrementArrow;
    if (along >= _Length() - _TrackStart())
        return Part::IncrementArrow;
    if (fMax <= fMin)
        return Part::None;
    float thumb = _ThumbStart();
    if (along < thumb)
        return Part::TrackBefore;
    if (along >= thumb + _ThumbLength())
        return Part::TrackAfter;
    return Part::Thumb;
}

// MARK: Input

void BScrollBar::MouseDown(BPoint where)
{
    fPressed = _PartAt(where);
    switch (fPressed) {
    case Part::DecrementArrow:
        SetValue(fValue - fSmallStep);
        break;
    case Part::IncrementArrow:
        SetValue(fValue + fSmallStep);
        break;
    case Part::TrackBefore:
        SetValue(fValue - fLargeStep);
        break;
    case Part::TrackAfter:
        SetValue(fValue + fLargeStep);
        break;
    case Part::Thumb:
        fGrabOffset = _Along(where) - _Along(Bounds().LeftTop()) - _ThumbStart();
        break;
    case Part::None:
        break;
    }
    Invalidate();
}

void BScrollBar::MouseMoved(BPoint where, uint32, const BMessage*)
{
    if (fPressed != Part::Thumb)
        return;
    float room = _TrackLength() - _ThumbLength();
    if (room <= 0)
        return;
    float start = _Along(where) - _Along(Bounds().LeftTop()) - fGrabOffset - _TrackStart();
    SetValue(fMin + start / room * (fMax - fMin));
}

void BScrollBar::MouseUp(BPoint)
{
    if (fPressed == Part::None)
        return;
    fPressed = Part::None;
    Invalidate();
}

void BScrollBar::MessageReceived(BMessage* message)
{
    if (message->what != B_MOUSE_WHEEL_CHANGED)
        return BView::MessageReceived(message);
    float delta = message->GetFloat("be:wheel_delta_y", 0);
    if (fOrientation == B_HORIZONTAL && delta == 0)
        delta = message->GetFloat("be:wheel_delta_x", 0);
    SetValue(fValue + delta * kWheelSteps * fSmallStep);
}

void BScrollBar::FrameResized(float, float)
{
    Invalidate();
}

// MARK: Drawing

void BScrollBar::Draw(BRect)
{
    BStateGuard state(this);
    rgb_color base = ui_color(B_PANEL_BACKGROUND_COLOR);
    rgb_color border = tint_color(base, B_DARKEN_4_TINT);
    BRect bounds = Bounds();
    bool enabled = fMax > fMin;

    SetHighColor(tint_color(base, B_DARKEN_1_TINT));
    FillRect(bounds);
    SetHighColor(border);
    StrokeRect(bounds);

    _DrawArrow(_ArrowFrame(false), false, fPressed == Part::DecrementArrow);
    _DrawArrow(_ArrowFrame(true), true, fPressed == Part::IncrementArrow);

    if (enabled && _TrackLength() > 0) {
        BRect thumb = _ThumbFrame();
        SetHighColor(border);
        StrokeRect(thumb);
        thumb.InsetBy(1, 1);
        rgb_color face = tint_color(base, fPressed == Part::Thumb ? B_NO_TINT : B_LIGHTEN_1_TINT);
        SetHighColor(face);
        FillRect(thumb);
        SetHighColor(tint_color(face, B_LIGHTEN_2_TINT));
        StrokeLine(thumb.LeftBottom(), thumb.LeftTop());
        StrokeLine(thumb.RightTop());
    }
}

void BScrollBar::_DrawArrow(BRect frame, bool increment, bool pressed)
{
    rgb_color base = ui_color(B_PANEL_BACKGROUND_COLOR);
    SetHighColor(tint_color(base, B_DARKEN_4_TINT));
    StrokeRect(frame);
    frame.InsetBy(1, 1);
    SetHighColor(pressed ? tint_color(base, B_DARKEN_2_TINT) : tint_color(base, B_LIGHTEN_1_TINT));
    FillRect(frame);

    BRect glyph =
        frame.InsetByCopy(std::floor(frame.Width() / 4) + 1, std::floor(frame.Height() / 4) + 1);
    SetHighColor(fMax > fMin ? ui_color(B_CONTROL_TEXT_COLOR)
                             : tint_color(base, B_DISABLED_LABEL_TINT));
    BPoint middle((glyph.left + glyph.right) / 2, (glyph.top + glyph.bottom) / 2);
    if (fOrientation == B_VERTICAL) {
        if (increment)
            FillTriangle(glyph.LeftTop(), glyph.RightTop(), BPoint(middle.x, glyph.bottom));
        else
            FillTriangle(glyph.LeftBottom(), glyph.RightBottom(), BPoint(middle.x, glyph.top));
    } else {
        if (increment)
            FillTriangle(glyph.LeftTop(), glyph.LeftBottom(), BPoint(glyph.right, middle.y));
        else
            FillTriangle(glyph.RightTop(), glyph.RightBottom(), BPoint(glyph.left, middle.y));
    }
}
