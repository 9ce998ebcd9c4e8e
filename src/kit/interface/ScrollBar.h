// A scroll bar: a value between a minimum and a maximum, shown as a thumb
// in a track between two arrow buttons. Arrows step by the small step, a
// click in the track pages by the large step, the thumb can be dragged and
// the wheel scrolls. A change of value calls ValueChanged(), which scrolls
// the target view (if any) to the value.
#pragma once

#include "kit/interface/View.h"

inline constexpr float B_V_SCROLL_BAR_WIDTH = 14.0f;
inline constexpr float B_H_SCROLL_BAR_HEIGHT = 14.0f;

class BScrollBar : public BView
{
public:
    // A vertical bar follows its parent's right edge and both ends, a
    // horizontal one the bottom edge and both sides.
    BScrollBar(BRect frame, const char* name, BView* target, float min, float max,
               orientation direction);
    ~BScrollBar() override;

    void Draw(BRect updateRect) override;
    void MouseDown(BPoint where) override;
    void MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage) override;
    void MouseUp(BPoint where) override;
    void MessageReceived(BMessage* message) override;
    void FrameResized(float width, float height) override;

    // Clamped to the range.
    void SetValue(float value);
    float Value() const { return fValue; }
    // Scrolls the target; override to do more (or something else).
    virtual void ValueChanged(float newValue);

    void SetRange(float min, float max);
    void GetRange(float* min, float* max) const;
    // The visible part of the whole, 0 to 1; sizes the thumb.
    void SetProportion(float proportion);
    float Proportion() const { return fProportion; }
    void SetSteps(float smallStep, float largeStep);
    void GetSteps(float* smallStep, float* largeStep) const;

    // The target must be in the same window to be scrolled.
    void SetTarget(BView* target);
    BView* Target() const { return fTarget; }
    orientation Orientation() const { return fOrientation; }

    // From BView::ScrollTo(): the target moved; follow without scrolling it.
    void _TargetScrolled(float value);

private:
    enum class Part
    {
        None,
        DecrementArrow,
        IncrementArrow,
        TrackBefore,
        TrackAfter,
        Thumb,
    };

    float _Thickness() const;
    float _Length() const;
    // Along the bar: where the track starts and how long it and the thumb are.
    float _TrackStart() const;
    float _TrackLength() const;
    float _ThumbLength() const;
    float _ThumbStart() const;
    BRect _ThumbFrame() const;
    BRect _ArrowFrame(bool increment) const;
    float _Along(BPoint point) const { return fOrientation == B_VERTICAL ? point.y : point.x; }
    Part _PartAt(BPoint where) const;
    void _DrawArrow(BRect frame, bool increment, bool pressed);
    BView* _ValidTarget() const;

    BView* fTarget;
    orientation fOrientation;
    float fMin;
    float fMax;
    float fValue;
    float fProportion = 0;
    float fSmallStep = 1;
    float fLargeStep = 10;

    Part fPressed = Part::None;
    // While dragging the thumb: the pointer's offset into it.
    float fGrabOffset = 0;
};
