// Arbitrary bytes as a JPEG, a PNG and a GIF file: each reader refuses them
// or gives a bitmap within the picture limits whose every row is there.
// libFuzzer's memory limit catches a reader that believes a size the file
// cannot back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "kit/interface/Bitmap.h"
#include "kit/translation/ImageCodecs.h"

namespace {

using Decoder = status_t (*)(const uint8*, size_t, BBitmap**);

void Check(Decoder decode, const uint8_t* data, size_t size)
{
    BBitmap* read = nullptr;
    const status_t status = decode(data, size, &read);
    std::unique_ptr<BBitmap> bitmap(read);
    if ((status == B_OK) != (bitmap != nullptr))
        abort();
    if (bitmap == nullptr)
        return;
    const BRect bounds = bitmap->Bounds();
    const uint64 width = bounds.IntegerWidth() + 1;
    const uint64 height = bounds.IntegerHeight() + 1;
    if (bitmap->ColorSpace() != B_RGBA32 || width > BPrivate::kMaxImageSide ||
        height > BPrivate::kMaxImageSide || width * height > BPrivate::kMaxImagePixels ||
        (uint64)bitmap->BitsLength() != width * height * 4)
        abort();
    // The last byte of every row, so the sanitizer sees a short buffer
    // without the run touching every page of a large picture.
    const uint8* bits = (const uint8*)bitmap->Bits();
    volatile uint8 sink = 0;
    for (uint64 y = 0; y < height; y++)
        sink = sink + bits[(y + 1) * bitmap->BytesPerRow() - 1];
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Check(BPrivate::DecodeJpeg, data, size);
    Check(BPrivate::DecodePng, data, size);
    Check(BPrivate::DecodeGif, data, size);
    return 0;
}
