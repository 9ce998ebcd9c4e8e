#include "app/ColorText.h"

#include <cstdio>

std::string rgb2str(rgb_color color)
{
    char text[8];
    snprintf(text, sizeof(text), "%02X%02X%02X", color.red, color.green, color.blue);
    return text;
}
