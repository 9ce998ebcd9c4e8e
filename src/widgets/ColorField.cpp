#include "widgets/ColorField.h"

#include <cctype>
#include <cmath>

#include "kit/app/AppDefs.h"
#include "kit/interface/InterfaceDefs.h"
#include "kit/interface/StateGuard.h"
#include "kit/interface/Window.h"

namespace {

constexpr float kFontSize = 10;

} // namespace

ColorField::ColorField(BRect frame, const char* name, const char* text)
    : BView(frame, name, B_FOLLOW_LEFT | B_FOLLOW_TOP, B_WILL_DRAW | B_NAVIGABLE),
      fText(text != nullptr ? text : "")
{
    SetFontSize(kFontSize);
    SetViewColor(B_TRANSPARENT_COLOR);
}

ColorField::~ColorField() = default;

void ColorField::SetColor(rgb_color color)
{
    color.alpha = 255;
    if (color == fColor)
        return;
    fColor = color;
    Invalidate();
}

rgb_color ColorField::TextColorOver(rgb_color color)
{
    // Perceived brightness, the weights of ITU-R BT.601.
    int brightness = (299 * color.red + 587 * color.green + 114 * color.blue) / 1000;
    return brightness >= 128 ? rgb_color{0, 0, 0, 255} : rgb_color{255, 255, 255, 255};
}

void ColorField::Draw(BRect)
{
    BStateGuard state(this);
    BRect bounds = Bounds();
    SetHighColor(fColor);
    FillRect(bounds);
    // Focused, it says so with a second, contrasting ring: Ctrl+V has a
    // visible aim whatever the colour.
    SetHighColor(IsFocus() ? ui_color(B_KEYBOARD_NAVIGATION_COLOR) : rgb_color{96, 96, 96, 255});
    StrokeRect(bounds);
    if (IsFocus()) {
        bounds.InsetBy(1, 1);
        SetHighColor(TextColorOver(fColor));
        StrokeRect(bounds);
    }

    font_height height;
    GetFontHeight(&height);
    float x = std::floor((Bounds().Width() + 1 - StringWidth(fText.c_str())) / 2);
    float y = std::ceil((Bounds().Height() + 1 + height.ascent - height.descent) / 2);
    SetHighColor(TextColorOver(fColor));
    DrawString(fText.c_str(), BPoint(x, y));
}

void ColorField::MouseDown(BPoint)
{
    MakeFocus(true);
}

void ColorField::MakeFocus(bool focus)
{
    if (focus == IsFocus())
        return;
    BView::MakeFocus(focus);
    Invalidate();
}

void ColorField::KeyDown(const char* bytes, int32 numBytes)
{
    BMessage* current = Window() != nullptr ? Window()->CurrentMessage() : nullptr;
    uint32 modifiers = current != nullptr ? uint32(current->GetInt32("modifiers", 0)) : 0;
    if ((modifiers & B_COMMAND_KEY) != 0 && numBytes == 1 &&
        std::tolower(static_cast<unsigned char>(bytes[0])) == 'v') {
        // Not handled here: it goes on to the views that know the slots.
        Window()->PostMessage(B_PASTE, this);
        return;
    }
    BView::KeyDown(bytes, numBytes);
}
