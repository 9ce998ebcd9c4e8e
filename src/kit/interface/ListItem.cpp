#include "kit/interface/ListItem.h"

#include <cmath>

#include "kit/interface/Font.h"
#include "kit/interface/View.h"

BListItem::BListItem(uint32 outlineLevel, bool expanded)
    : fOutlineLevel(outlineLevel), fExpanded(expanded)
{
}

BListItem::~BListItem() = default;

void BListItem::Update(BView* owner, const BFont* font)
{
    font_height height;
    font->GetHeight(&height);
    fWidth = owner->Bounds().Width() + 1;
    fHeight = std::ceil(height.ascent + height.descent + height.leading) + 1;
}
