// The preferences card's colour field: shows a colour with a caption and
// takes colours given to it. A drop on it, and Ctrl+V while it has the
// focus (a click gives it the focus), go on to its parent views as the
// dropped message or a B_PASTE message; the card decides what they carry.
#pragma once

#include <string>

#include "kit/interface/View.h"

class ColorField : public BView
{
public:
    ColorField(BRect frame, const char* name, const char* text);
    ~ColorField() override;

    void SetColor(rgb_color color);
    rgb_color Color() const { return fColor; }
    const char* Text() const { return fText.c_str(); }

    void Draw(BRect updateRect) override;
    void MouseDown(BPoint where) override;
    void KeyDown(const char* bytes, int32 numBytes) override;
    void MakeFocus(bool focus = true) override;

    // The caption's colour over color: black on light colours, white on
    // dark ones.
    static rgb_color TextColorOver(rgb_color color);

private:
    std::string fText;
    rgb_color fColor = {255, 255, 255, 255};
};
