#include "app/Bevels.h"

#include "app/ColorHelpers.h"
#include "kit/interface/InterfaceDefs.h"
#include "kit/interface/StateGuard.h"
#include "kit/interface/View.h"

// MARK: Bevels

namespace {

constexpr float kLightTint = B_LIGHTEN_2_TINT; // 0.385
constexpr float kDarkTintLB = B_DARKEN_3_TINT; // 1.407
constexpr float kDarkTint = B_DARKEN_4_TINT;   // 1.555

struct Bevel
{
    rgb_color light;
    rgb_color dark;
};

Bevel bevel_colors(BView* view, const rgb_color* light, const rgb_color* dark, float darkTint)
{
    rgb_color base = view->ViewColor();
    return {light != nullptr ? *light : tint_color(base, kLightTint),
            dark != nullptr ? *dark : tint_color(base, darkTint)};
}

// Light along the top and left, dark along the bottom and right; the dark
// lines are drawn last and own the top-right and bottom-left corners.
void stroke_ring(BView* view, BRect r, rgb_color light, rgb_color dark)
{
    if (!r.IsValid())
        return;
    view->SetHighColor(light);
    view->StrokeLine(BPoint(r.left, r.top), BPoint(r.right, r.top));
    view->StrokeLine(BPoint(r.left, r.top), BPoint(r.left, r.bottom));
    view->SetHighColor(dark);
    view->StrokeLine(BPoint(r.left, r.bottom), BPoint(r.right, r.bottom));
    view->StrokeLine(BPoint(r.right, r.top), BPoint(r.right, r.bottom));
}

void dot(BView* view, float x, float y)
{
    view->FillRect(BRect(x, y, x, y));
}

void dot_ring(BView* view, BRect r, rgb_color light, rgb_color dark)
{
    if (!r.IsValid())
        return;
    view->SetHighColor(light);
    for (float x = r.left; x <= r.right; x += 2)
        dot(view, x, r.top);
    for (float y = r.top; y <= r.bottom; y += 2)
        dot(view, r.left, y);
    view->SetHighColor(dark);
    for (float x = r.left; x <= r.right; x += 2)
        dot(view, x, r.bottom);
    for (float y = r.top; y <= r.bottom; y += 2)
        dot(view, r.right, y);
}

// Runs draw with the view's state saved; nothing for a view that is not
// inside another view.
template <typename Draw>
void with_saved_state(BView* view, drawing_mode mode, Draw&& draw)
{
    if (view == nullptr || view->Parent() == nullptr)
        return;
    BStateGuard state(view);
    view->SetDrawingMode(mode);
    view->SetPenSize(1);
    draw();
}

} // namespace

void Dotter(BView* view, const rgb_color* light, const rgb_color* dark, drawing_mode mode)
{
    with_saved_state(view, mode, [&] {
        Bevel colors = bevel_colors(view, light, dark, kDarkTint);
        dot_ring(view, view->Bounds(), colors.light, colors.dark);
    });
}

void BorderLB(BView* view, const rgb_color* light, const rgb_color* dark, int32 flag)
{
    if (view == nullptr)
        return;
    drawing_mode mode = flag == 1 ? view->DrawingMode() : B_OP_COPY;
    with_saved_state(view, mode, [&] {
        Bevel colors = bevel_colors(view, light, dark, kDarkTintLB);
        stroke_ring(view, view->Bounds(), colors.light, colors.dark);
    });
}

void BorderMe(BView* view, const rgb_color* light, const rgb_color* dark, drawing_mode mode)
{
    with_saved_state(view, mode, [&] {
        Bevel colors = bevel_colors(view, light, dark, kDarkTint);
        stroke_ring(view, view->Bounds(), colors.light, colors.dark);
    });
}

// Two full rings: a thick raised edge.
void BorderMX(BView* view, const rgb_color* light, const rgb_color* dark, drawing_mode mode)
{
    with_saved_state(view, mode, [&] {
        Bevel colors = bevel_colors(view, light, dark, kDarkTint);
        BRect bounds = view->Bounds();
        stroke_ring(view, bounds, colors.light, colors.dark);
        stroke_ring(view, bounds.InsetByCopy(1, 1), colors.light, colors.dark);
    });
}

// As a button: the inner ring's shadow is half-way to the view colour, so
// the edge looks rounded rather than cut.
void BorderAsBut(BView* view, const rgb_color* light, const rgb_color* dark, drawing_mode mode)
{
    with_saved_state(view, mode, [&] {
        Bevel colors = bevel_colors(view, light, dark, kDarkTint);
        rgb_color base = view->ViewColor();
        rgb_color soft = colors.dark;
        ColorBetween(&base, &colors.dark, &soft);
        BRect bounds = view->Bounds();
        stroke_ring(view, bounds, colors.light, colors.dark);
        stroke_ring(view, bounds.InsetByCopy(1, 1), colors.light, soft);
    });
}
