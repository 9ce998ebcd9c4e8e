#include "kit/interface/StringItem.h"

#include <algorithm>
#include <cmath>

#include "kit/interface/Font.h"
#include "kit/interface/StateGuard.h"
#include "kit/interface/View.h"

namespace {

constexpr float kTextInset = 4;

} // namespace

BStringItem::BStringItem(const char* text, uint32 outlineLevel, bool expanded)
    : BListItem(outlineLevel, expanded), fText(text != nullptr ? text : "")
{
}

BStringItem::~BStringItem() = default;

void BStringItem::SetText(const char* text)
{
    fText = text != nullptr ? text : "";
}

void BStringItem::Update(BView* owner, const BFont* font)
{
    BListItem::Update(owner, font);
    font_height height;
    font->GetHeight(&height);
    fBaselineOffset = std::ceil(height.ascent);
    SetWidth(std::max(Width(), font->StringWidth(fText.c_str()) + 2 * kTextInset));
}

void BStringItem::DrawItem(BView* owner, BRect frame, bool complete)
{
    rgb_color background = owner->ViewColor();
    if (background == B_TRANSPARENT_COLOR)
        background = ui_color(B_DOCUMENT_BACKGROUND_COLOR);
    rgb_color fill =
        IsSelected() ? tint_color(background, B_HIGHLIGHT_BACKGROUND_TINT) : background;
    BStateGuard state(owner);
    if (IsSelected() || complete) {
        owner->SetHighColor(fill);
        owner->FillRect(frame);
    }
    rgb_color text = ui_color(B_DOCUMENT_TEXT_COLOR);
    owner->SetHighColor(IsEnabled() ? text : tint_color(background, B_DISABLED_LABEL_TINT));
    owner->SetLowColor(fill);
    owner->SetDrawingMode(B_OP_OVER);
    owner->DrawString(fText.c_str(), BPoint(frame.left + kTextInset + OutlineLevel() * 10,
                                            frame.top + fBaselineOffset));
}
