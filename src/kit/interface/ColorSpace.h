// Pixel layouts of bitmaps. The 32-bit spaces keep each pixel as the bytes
// blue, green, red, alpha in memory (a little-endian 0xAARRGGBB word), with
// colours not premultiplied; B_RGB32 ignores the alpha byte.
#pragma once

#include "kit/app/SupportDefs.h"

enum color_space : uint32
{
    B_NO_COLOR_SPACE = 0x0000,
    B_GRAY8 = 0x0002,
    B_CMAP8 = 0x0004,
    B_RGB24 = 0x0003,
    B_RGB32 = 0x0008,
    B_RGBA32 = 0x2008,
};
