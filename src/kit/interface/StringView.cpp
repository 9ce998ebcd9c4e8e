#include "kit/interface/StringView.h"

#include <cmath>

BStringView::BStringView(BRect frame, const char* name, const char* text, uint32 resizingMode,
                         uint32 flags)
    : BView(frame, name, resizingMode, flags), fText(text != nullptr ? text : "")
{
}

BStringView::~BStringView() = default;

void BStringView::AttachedToWindow()
{
    AdoptParentColors();
}

void BStringView::SetText(const char* text)
{
    std::string value = text != nullptr ? text : "";
    if (value == fText)
        return;
    fText = std::move(value);
    Invalidate();
}

void BStringView::SetAlignment(alignment flag)
{
    if (flag == fAlignment)
        return;
    fAlignment = flag;
    Invalidate();
}

void BStringView::Draw(BRect)
{
    BRect bounds = Bounds();
    font_height height;
    GetFontHeight(&height);
    float width = StringWidth(fText.c_str());
    float x = bounds.left;
    if (fAlignment == B_ALIGN_RIGHT)
        x = bounds.right + 1 - width;
    else if (fAlignment == B_ALIGN_CENTER)
        x = std::floor(bounds.left + (bounds.Width() + 1 - width) / 2);
    float y = std::floor(bounds.top + (bounds.Height() + 1 + height.ascent - height.descent) / 2);
    DrawString(fText.c_str(), BPoint(x, y));
}
