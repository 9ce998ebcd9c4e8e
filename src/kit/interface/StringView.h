// A line of text that does not change by itself: drawn in the high colour
// and the view's font, aligned in the bounds and centred vertically.
#pragma once

#include <string>

#include "kit/interface/View.h"

class BStringView : public BView
{
public:
    BStringView(BRect frame, const char* name, const char* text,
                uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP, uint32 flags = B_WILL_DRAW);
    ~BStringView() override;

    void AttachedToWindow() override;
    void Draw(BRect updateRect) override;

    void SetText(const char* text);
    const char* Text() const { return fText.c_str(); }
    void SetAlignment(alignment flag);
    alignment Alignment() const { return fAlignment; }

private:
    std::string fText;
    alignment fAlignment = B_ALIGN_LEFT;
};
