// A frame around a target view with scroll bars along its right and
// bottom edges. The target is moved inside the frame and follows all of
// its sides, so resizing the scroll view resizes the target. The wheel
// over the target (when the target passes it on) or the frame scrolls
// the vertical bar, or the horizontal one when there is no vertical bar.
#pragma once

#include "kit/interface/View.h"

class BScrollBar;

class BScrollView : public BView
{
public:
    // The frame is the target's frame grown by the border and the bars.
    BScrollView(const char* name, BView* target, uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP,
                uint32 flags = 0, bool horizontal = false, bool vertical = false,
                border_style border = B_FANCY_BORDER);
    ~BScrollView() override;

    void Draw(BRect updateRect) override;
    void MessageReceived(BMessage* message) override;

    BScrollBar* ScrollBar(orientation direction) const;
    BView* Target() const { return fTarget; }
    border_style Border() const { return fBorder; }

private:
    static BRect _Frame(BView* target, bool horizontal, bool vertical, border_style border);
    static float _BorderSize(border_style border);

    BView* fTarget;
    BScrollBar* fHorizontal = nullptr;
    BScrollBar* fVertical = nullptr;
    border_style fBorder;
};
