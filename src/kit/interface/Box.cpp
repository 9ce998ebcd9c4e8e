#include "kit/interface/Box.h"

#include <cmath>

#include "kit/interface/StateGuard.h"

namespace {

constexpr float kLabelLeft = 10;

} // namespace

BBox::BBox(BRect frame, const char* name, uint32 resizingMode, uint32 flags, border_style border)
    : BView(frame, name, resizingMode, flags), fBorder(border)
{
    SetFont(be_bold_font);
}

BBox::~BBox() = default;

void BBox::AttachedToWindow()
{
    AdoptParentColors();
}

void BBox::SetBorder(border_style border)
{
    if (border == fBorder)
        return;
    fBorder = border;
    Invalidate();
}

void BBox::SetLabel(const char* label)
{
    _RemoveLabelView();
    fHasLabel = label != nullptr;
    fLabel = label != nullptr ? label : "";
    Invalidate();
}

status_t BBox::SetLabel(BView* view)
{
    if (view == fLabelView)
        return B_OK;
    _RemoveLabelView();
    fHasLabel = false;
    fLabel.clear();
    if (view != nullptr) {
        fLabelView = view;
        view->MoveTo(kLabelLeft, 0);
        AddChild(view);
    }
    Invalidate();
    return B_OK;
}

const char* BBox::Label() const
{
    return fHasLabel ? fLabel.c_str() : nullptr;
}

void BBox::_RemoveLabelView()
{
    if (fLabelView == nullptr)
        return;
    BView* view = fLabelView;
    fLabelView = nullptr;
    RemoveChild(view);
    delete view;
}

// The y of the top border line: through the middle of the title.
float BBox::_TopLine() const
{
    BRect bounds = Bounds();
    if (fLabelView != nullptr)
        return std::floor(bounds.top + fLabelView->Frame().Height() / 2);
    if (!fHasLabel)
        return bounds.top;
    font_height height;
    GetFontHeight(&height);
    return std::floor(bounds.top + (height.ascent + height.descent) / 2);
}

BRect BBox::InnerFrame() const
{
    BRect frame = Bounds();
    float border = fBorder == B_FANCY_BORDER ? 2 : fBorder == B_PLAIN_BORDER ? 1 : 0;
    frame.InsetBy(border, border);
    if (fLabelView != nullptr)
        frame.top = std::max(frame.top, Bounds().top + fLabelView->Frame().Height() + 1);
    else if (fHasLabel) {
        font_height height;
        GetFontHeight(&height);
        frame.top = std::max(frame.top, Bounds().top + std::ceil(height.ascent + height.descent));
    }
    return frame;
}

void BBox::FrameResized(float, float)
{
    // The border moves with the edges.
    Invalidate();
}

void BBox::Draw(BRect)
{
    BStateGuard state(this);
    BRect frame = Bounds();
    frame.top = _TopLine();
    const rgb_color base = _PanelColor();
    if (fBorder == B_PLAIN_BORDER)
        _DrawPlainBorder(frame, base);
    else if (fBorder == B_FANCY_BORDER)
        _DrawFancyBorder(frame, base);
    _DrawTextLabel(base);
}

rgb_color BBox::_PanelColor() const
{
    return ViewColor() == B_TRANSPARENT_COLOR ? ui_color(B_PANEL_BACKGROUND_COLOR) : ViewColor();
}

void BBox::_DrawPlainBorder(BRect frame, rgb_color base)
{
    SetHighColor(tint_color(base, B_DARKEN_2_TINT));
    _StrokeBorder(frame);
}

// An etched line: a shadow with a highlight below and right of it.
void BBox::_DrawFancyBorder(BRect frame, rgb_color base)
{
    const BRect shadow(frame.left, frame.top, frame.right - 1, frame.bottom - 1);
    SetHighColor(ui_color(B_SHINE_COLOR));
    _StrokeBorder(shadow.OffsetByCopy(1, 1));
    SetHighColor(tint_color(base, B_DARKEN_2_TINT));
    _StrokeBorder(shadow);
}

// The four edges, the top one broken where the title stands.
void BBox::_StrokeBorder(BRect frame)
{
    float gapLeft = 0, gapRight = -1;
    _TitleGap(&gapLeft, &gapRight);
    const float y = frame.top;
    if (gapRight < gapLeft) {
        StrokeLine(BPoint(frame.left, y), BPoint(frame.right, y));
    } else {
        if (gapLeft > frame.left)
            StrokeLine(BPoint(frame.left, y), BPoint(gapLeft - 1, y));
        if (gapRight < frame.right)
            StrokeLine(BPoint(gapRight + 1, y), BPoint(frame.right, y));
    }
    StrokeLine(BPoint(frame.left, frame.top), frame.LeftBottom());
    StrokeLine(frame.RightBottom());
    StrokeLine(BPoint(frame.right, frame.top));
}

// The title's gap in the top line; right < left when there is no title.
void BBox::_TitleGap(float* left, float* right) const
{
    if (fLabelView != nullptr) {
        *left = fLabelView->Frame().left - 2;
        *right = fLabelView->Frame().right + 2;
    } else if (fHasLabel && !fLabel.empty()) {
        *left = Bounds().left + kLabelLeft - 2;
        *right = Bounds().left + kLabelLeft + StringWidth(fLabel.c_str()) + 1;
    }
}

void BBox::_DrawTextLabel(rgb_color base)
{
    if (fLabelView != nullptr || !fHasLabel || fLabel.empty())
        return;
    font_height height;
    GetFontHeight(&height);
    SetHighColor(ui_color(B_PANEL_TEXT_COLOR));
    SetLowColor(base);
    SetDrawingMode(B_OP_OVER);
    DrawString(fLabel.c_str(),
               BPoint(Bounds().left + kLabelLeft, Bounds().top + std::ceil(height.ascent)));
}
