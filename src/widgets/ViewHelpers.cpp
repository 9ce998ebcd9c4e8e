#include "widgets/ViewHelpers.h"

#include <array>
#include <cstdio>

#include "app/Settings.h"
#include "kit/app/Application.h"
#include "kit/app/Looper.h"
#include "kit/app/Messenger.h"
#include "kit/app/OS.h"
#include "kit/interface/Alert.h"
#include "kit/interface/Box.h"
#include "kit/interface/CheckBox.h"
#include "kit/interface/Cursor.h"
#include "kit/interface/Font.h"
#include "kit/interface/ListView.h"
#include "kit/interface/ScrollBar.h"
#include "kit/interface/ScrollView.h"
#include "kit/interface/StringView.h"
#include "kit/interface/TextControl.h"
#include "kit/interface/View.h"
#include "widgets/ColorHelpers.h"

// MARK: Transparent children

namespace {

constexpr rgb_color kListColor = {127, 246, 237, 255};

void keep_only_drawing_flag(BView* view)
{
    view->SetFlags((view->Flags() & B_WILL_DRAW) | B_FRAME_EVENTS);
}

void set_bold_font(BView* view, const BFont* font)
{
    BFont bold(font != nullptr ? font : be_plain_font);
    bold.SetFace(B_BOLD_FACE);
    bold.SetSize(FO_SIZE);
    view->SetFont(&bold, B_FONT_SIZE | B_FONT_FACE);
}

// The program's own views join this chain, ahead of the kit classes they
// derive from, once they exist:
//   date field (clView): view and low colour := tint_color(color, 0.75);
//   order knob mover: only prints "MoverView* movitem dedect\n".
void make_readable(BView* child, [[maybe_unused]] rgb_color color, const BFont* font, int32 flag)
{
    if (auto* box = dynamic_cast<BBox*>(child)) {
        box->SetViewColor(flag != 0 ? kListColor : B_TRANSPARENT_COLOR);
        printf("BBox dedect %s\n", box->Label() != nullptr ? box->Label() : "");
    } else if (dynamic_cast<BCheckBox*>(child) != nullptr ||
               dynamic_cast<BStringView*>(child) != nullptr) {
        child->SetViewColor(B_TRANSPARENT_COLOR);
        set_bold_font(child, font);
    } else if (dynamic_cast<BTextControl*>(child) != nullptr) {
        child->SetViewColor(B_TRANSPARENT_COLOR);
    } else if (dynamic_cast<BScrollView*>(child) != nullptr) {
        child->SetViewColor(kListColor);
        printf("BScrollView dedect\n");
    } else if (dynamic_cast<BListView*>(child) != nullptr) {
        child->SetViewColor(kListColor);
        keep_only_drawing_flag(child);
        printf("BListView dedect\n");
    } else if (dynamic_cast<BScrollBar*>(child) != nullptr) {
        child->SetViewColor(kListColor);
        keep_only_drawing_flag(child);
        printf("BScrollBar dedect\n");
    }
}

// Lists and bars sit inside scroll views and boxes, so the whole tree is
// visited, children last to first as on the platform.
void make_children_readable(BView* view, rgb_color color, const BFont* font, int32 flag)
{
    for (int32 i = view->CountChildren() - 1; i >= 0; i--) {
        BView* child = view->ChildAt(i);
        if (child == nullptr)
            continue;
        make_readable(child, color, font, flag);
        make_children_readable(child, color, font, flag);
    }
}

} // namespace

void Childs2Transparent(BView* view, rgb_color color, const BFont* font, int32 flag)
{
    if (view != nullptr) {
        make_children_readable(view, color, font, flag);
        view->Invalidate();
    }
    printf("\nund weiter \n");
}

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
    view->PushState();
    view->SetDrawingMode(mode);
    view->SetPenSize(1);
    draw();
    view->PopState();
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
