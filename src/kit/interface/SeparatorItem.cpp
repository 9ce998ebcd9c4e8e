#include "kit/interface/SeparatorItem.h"

#include <cmath>

#include "kit/interface/Menu.h"

BSeparatorItem::BSeparatorItem() : BMenuItem("", nullptr)
{
    BMenuItem::SetEnabled(false);
}

BSeparatorItem::~BSeparatorItem() = default;

void BSeparatorItem::SetEnabled(bool)
{
    // A separator is never chosen.
}

void BSeparatorItem::GetContentSize(float* width, float* height)
{
    *width = 0;
    *height = 2;
}

void BSeparatorItem::Draw()
{
    BMenu* menu = Menu();
    BRect frame = Frame();
    rgb_color background = ui_color(B_MENU_BACKGROUND_COLOR);
    menu->SetHighColor(background);
    menu->FillRect(frame);
    float y = std::floor((frame.top + frame.bottom) / 2);
    menu->SetHighColor(tint_color(background, B_DARKEN_2_TINT));
    menu->StrokeLine(BPoint(frame.left + 4, y), BPoint(frame.right - 4, y));
    menu->SetHighColor(tint_color(background, B_LIGHTEN_2_TINT));
    menu->StrokeLine(BPoint(frame.left + 4, y + 1), BPoint(frame.right - 4, y + 1));
}
