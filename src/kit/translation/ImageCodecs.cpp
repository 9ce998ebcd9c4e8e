#include "kit/translation/ImageCodecs.h"

#include "kit/interface/Bitmap.h"

namespace BPrivate {

BBitmap* NewImageBitmap(uint32 width, uint32 height)
{
    if (width == 0 || height == 0 || width > kMaxImageSide || height > kMaxImageSide ||
        (uint64)width * height > kMaxImagePixels)
        return nullptr;
    BBitmap* bitmap = new BBitmap(BRect(0, 0, width - 1, height - 1), B_RGBA32);
    if (!bitmap->IsValid()) {
        delete bitmap;
        return nullptr;
    }
    return bitmap;
}

} // namespace BPrivate
