// A frame that groups views, with a title (text in the bold font, or a
// view such as a check box) set into its top edge.
#pragma once

#include <string>

#include "kit/interface/View.h"

class BBox : public BView
{
public:
    BBox(BRect frame, const char* name = nullptr,
         uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP,
         uint32 flags = B_WILL_DRAW | B_FRAME_EVENTS | B_NAVIGABLE_JUMP,
         border_style border = B_FANCY_BORDER);
    ~BBox() override;

    void AttachedToWindow() override;
    void Draw(BRect updateRect) override;
    void FrameResized(float width, float height) override;

    void SetBorder(border_style border);
    border_style Border() const { return fBorder; }

    // A text title replaces a title view (which is deleted) and the
    // reverse; null removes either.
    void SetLabel(const char* label);
    // The view becomes a child at the left of the top edge.
    status_t SetLabel(BView* view);
    const char* Label() const;
    BView* LabelView() const { return fLabelView; }

    // The area inside the border and below the title.
    BRect InnerFrame() const;

private:
    float _TopLine() const;
    rgb_color _PanelColor() const;
    void _DrawPlainBorder(BRect frame, rgb_color base);
    void _DrawFancyBorder(BRect frame, rgb_color base);
    void _StrokeBorder(BRect frame);
    void _TitleGap(float* left, float* right) const;
    void _DrawTextLabel(rgb_color base);
    void _RemoveLabelView();

    border_style fBorder;
    std::string fLabel;
    bool fHasLabel = false;
    BView* fLabelView = nullptr;
};
