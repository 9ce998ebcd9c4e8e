// PNG through cairo, which premultiplies alpha: reading divides it out
// again, so only fully opaque pixels come back exactly.
#include <cairo.h>

#include <algorithm>
#include <cstring>

#include "kit/interface/Bitmap.h"
#include "kit/translation/ImageCodecs.h"
#include "kit/translation/MemoryReader.h"
#include "kit/translation/TranslationDefs.h"

namespace BPrivate {

namespace {

cairo_status_t ReadFromMemory(void* closure, unsigned char* buffer, unsigned int length)
{
    auto* reader = static_cast<MemoryReader*>(closure);
    return reader->ReadExactly(buffer, length) ? CAIRO_STATUS_SUCCESS : CAIRO_STATUS_READ_ERROR;
}

cairo_status_t AppendToVector(void* closure, const unsigned char* data, unsigned int length)
{
    std::vector<uint8>* file = (std::vector<uint8>*)closure;
    file->insert(file->end(), data, data + length);
    return CAIRO_STATUS_SUCCESS;
}

uint32 BigEndian32(const uint8* bytes)
{
    return (uint32)bytes[0] << 24 | (uint32)bytes[1] << 16 | (uint32)bytes[2] << 8 | bytes[3];
}

// The size is checked from the header chunk before cairo takes memory for it.
bool SizeIsAcceptable(const uint8* data, size_t length)
{
    if (length < 24 || memcmp(data + 12, "IHDR", 4) != 0)
        return false;
    uint32 width = BigEndian32(data + 16);
    uint32 height = BigEndian32(data + 20);
    return width > 0 && height > 0 && width <= kMaxImageSide && height <= kMaxImageSide &&
           (uint64)width * height <= kMaxImagePixels;
}

void CopyUnpremultiplied(cairo_surface_t* surface, BBitmap* bitmap)
{
    bool opaque = cairo_image_surface_get_format(surface) == CAIRO_FORMAT_RGB24;
    const uint8* source = cairo_image_surface_get_data(surface);
    int stride = cairo_image_surface_get_stride(surface);
    int width = cairo_image_surface_get_width(surface);
    int height = cairo_image_surface_get_height(surface);
    uint8* bits = (uint8*)bitmap->Bits();

    for (int y = 0; y < height; y++) {
        const uint8* from = source + (size_t)y * stride;
        uint8* to = bits + (size_t)y * bitmap->BytesPerRow();
        for (int x = 0; x < width * 4; x += 4) {
            uint32 alpha = opaque ? 255 : from[x + 3];
            for (int channel = 0; channel < 3; channel++) {
                uint32 value = from[x + channel];
                if (alpha != 255)
                    value =
                        alpha == 0 ? 0 : std::min<uint32>(255, (value * 255 + alpha / 2) / alpha);
                to[x + channel] = (uint8)value;
            }
            to[x + 3] = (uint8)alpha;
        }
    }
}

} // namespace

status_t DecodePng(const uint8* data, size_t length, BBitmap** bitmap)
{
    if (!SizeIsAcceptable(data, length))
        return B_ILLEGAL_DATA;

    MemoryReader reader(data, length);
    cairo_surface_t* surface = cairo_image_surface_create_from_png_stream(ReadFromMemory, &reader);
    status_t status = B_ILLEGAL_DATA;
    cairo_format_t format = cairo_image_surface_get_format(surface);
    if (cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS &&
        (format == CAIRO_FORMAT_ARGB32 || format == CAIRO_FORMAT_RGB24)) {
        cairo_surface_flush(surface);
        BBitmap* result = NewImageBitmap(cairo_image_surface_get_width(surface),
                                         cairo_image_surface_get_height(surface));
        if (result != nullptr) {
            CopyUnpremultiplied(surface, result);
            *bitmap = result;
            status = B_OK;
        } else {
            status = B_NO_MEMORY;
        }
    }
    cairo_surface_destroy(surface);
    return status;
}

status_t EncodePng(BBitmap* bitmap, std::vector<uint8>* file)
{
    cairo_surface_t* surface = bitmap->_CairoSurface();
    if (surface == nullptr || cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS)
        return B_NO_MEMORY;
    size_t oldSize = file->size();
    if (cairo_surface_write_to_png_stream(surface, AppendToVector, file) != CAIRO_STATUS_SUCCESS) {
        file->resize(oldSize);
        return B_ERROR;
    }
    return B_OK;
}

} // namespace BPrivate
