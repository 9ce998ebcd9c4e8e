// Type codes of the formats the translation kit reads and writes, and the
// header of a bitmap in its stream form ('bits').
#pragma once

#include "kit/app/GraphicsDefs.h"
#include "kit/app/SupportDefs.h"
#include "kit/interface/ColorSpace.h"

enum : uint32
{
    B_TRANSLATOR_BITMAP = 'bits',
    B_PNG_FORMAT = 'PNG ',
    B_JPEG_FORMAT = 'JPEG',
    B_GIF_FORMAT = 'GIF ',
};

// In a stream every field is big-endian and the pixels follow at once.
struct TranslatorBitmap
{
    uint32 magic;
    BRect bounds;
    uint32 rowBytes;
    color_space colors;
    uint32 dataSize;
};

inline constexpr size_t kTranslatorBitmapHeaderSize = 32;
