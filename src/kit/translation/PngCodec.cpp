// PNG: read through libpng with limits of our own, so that a file costs
// only what its picture may; written through cairo, which takes the
// bitmap's premultiplied copy (_CairoSurface).
#include <png.h>

#include <cairo.h>

#include <csetjmp>
#include <cstring>

#include "kit/interface/Bitmap.h"
#include "kit/translation/ImageCodecs.h"
#include "kit/translation/TranslationDefs.h"

namespace BPrivate {

namespace {

// Nothing we keep (header, palette, transparency) comes near this; it also
// bounds whatever libpng would still buffer or inflate for a chunk.
constexpr png_alloc_size_t kMaxPngChunkMemory = 1024 * 1024;
constexpr png_uint_32 kMaxPngCachedChunks = 64;
// Deflate cannot pack more than 1032 bytes into one (a 258-byte match in
// two bits).
constexpr uint64 kMaxDeflateRatio = 1032;

uint32 BigEndian32(const uint8* bytes)
{
    return (uint32)bytes[0] << 24 | (uint32)bytes[1] << 16 | (uint32)bytes[2] << 8 | bytes[3];
}

// The least number of bits one pixel of the header's colour type takes, or
// 0 for a type that does not exist.
uint32 BitsPerPixel(uint8 depth, uint8 colorType)
{
    switch (colorType) {
    case PNG_COLOR_TYPE_GRAY:
    case PNG_COLOR_TYPE_PALETTE:
        return depth;
    case PNG_COLOR_TYPE_GRAY_ALPHA:
        return depth * 2;
    case PNG_COLOR_TYPE_RGB:
        return depth * 3;
    case PNG_COLOR_TYPE_RGB_ALPHA:
        return depth * 4;
    }
    return 0;
}

// Walks the chunks before libpng allocates anything for them. A chunk that
// claims more bytes than the file has left, or picture data too short to
// inflate to the declared size, would fail later anyway, but only after
// libpng or the bitmap took memory for the claim.
bool ChunksFitTheFile(const uint8* data, size_t length)
{
    const size_t kHeaderEnd = 8 + 8 + 13 + 4;
    if (length < kHeaderEnd || BigEndian32(data + 8) != 13 || memcmp(data + 12, "IHDR", 4) != 0)
        return false;
    uint64 width = BigEndian32(data + 16);
    uint64 height = BigEndian32(data + 20);
    uint64 bits = BitsPerPixel(data[24], data[25]);
    if (width == 0 || height == 0 || width > kMaxImageSide || height > kMaxImageSide ||
        width * height > kMaxImagePixels || bits == 0)
        return false;
    uint64 pictureBytes = width * height * bits / 8;

    uint64 dataBytes = 0;
    for (size_t position = kHeaderEnd; length - position >= 12;) {
        uint32 size = BigEndian32(data + position);
        if (size > length - position - 12)
            return false;
        const uint8* type = data + position + 4;
        if (memcmp(type, "IEND", 4) == 0)
            return dataBytes * kMaxDeflateRatio >= pictureBytes;
        if (memcmp(type, "IDAT", 4) == 0)
            dataBytes += size;
        position += 12 + (size_t)size;
    }
    // Cut before its end.
    return false;
}

// Plain data only: libpng's errors longjmp out of RunPngDecoder, so
// nothing here may need a destructor.
struct PngDecoding
{
    const uint8* data;
    size_t length;
    size_t position;
    png_structp png;
    png_infop info;
    BBitmap* bitmap;
    bool hasAlpha;
};

void ReadFromMemory(png_structp png, png_bytep buffer, size_t length)
{
    PngDecoding* state = (PngDecoding*)png_get_io_ptr(png);
    if (state->length - state->position < length)
        png_error(png, "unexpected end of file");
    memcpy(buffer, state->data + state->position, length);
    state->position += length;
}

[[noreturn]] void FailQuietly(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void WarnQuietly(png_structp, png_const_charp) {}

void SetLimits(png_structp png)
{
    png_set_user_limits(png, kMaxImageSide, kMaxImageSide);
    png_set_chunk_malloc_max(png, kMaxPngChunkMemory);
    png_set_chunk_cache_max(png, kMaxPngCachedChunks);
    // Texts, colour profiles and the like are skipped unread, not stored.
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
}

// Every kind of PNG becomes 8-bit B, G, R, A, alpha not premultiplied.
void AskForBgra(png_structp png, png_infop info)
{
    int colorType = png_get_color_type(png, info);
    if (colorType == PNG_COLOR_TYPE_PALETTE)
        png_set_palette_to_rgb(png);
    if (colorType == PNG_COLOR_TYPE_GRAY)
        png_set_expand_gray_1_2_4_to_8(png);
    if (png_get_valid(png, info, PNG_INFO_tRNS))
        png_set_tRNS_to_alpha(png);
    if (png_get_bit_depth(png, info) == 16)
        png_set_strip_16(png);
    if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(png);
    png_set_bgr(png);
    png_set_filler(png, 0xff, PNG_FILLER_AFTER);
}

bool RunPngDecoder(PngDecoding* state)
{
    if (setjmp(png_jmpbuf(state->png)) != 0)
        return false;

    png_set_read_fn(state->png, state, ReadFromMemory);
    SetLimits(state->png);
    png_read_info(state->png, state->info);
    AskForBgra(state->png, state->info);
    int passes = png_set_interlace_handling(state->png);
    png_read_update_info(state->png, state->info);

    png_uint_32 width = png_get_image_width(state->png, state->info);
    png_uint_32 height = png_get_image_height(state->png, state->info);
    if (png_get_bit_depth(state->png, state->info) != 8 ||
        png_get_channels(state->png, state->info) != 4 ||
        png_get_rowbytes(state->png, state->info) != (size_t)width * 4)
        return false;
    state->hasAlpha = (png_get_color_type(state->png, state->info) & PNG_COLOR_MASK_ALPHA) != 0;
    state->bitmap = NewImageBitmap(width, height);
    if (state->bitmap == nullptr)
        return false;

    // Each pass of an interlaced file fills in its own pixels of the rows.
    uint8* bits = (uint8*)state->bitmap->Bits();
    size_t bytesPerRow = state->bitmap->BytesPerRow();
    for (int pass = 0; pass < passes; pass++) {
        for (png_uint_32 y = 0; y < height; y++)
            png_read_row(state->png, bits + y * bytesPerRow, nullptr);
    }
    png_read_end(state->png, nullptr);
    return true;
}

// Fully transparent pixels read as transparent black, whatever colour the
// file gave them, as they always have.
void ClearTransparentPixels(BBitmap* bitmap)
{
    uint8* pixel = (uint8*)bitmap->Bits();
    uint8* end = pixel + bitmap->BitsLength();
    for (; pixel < end; pixel += 4) {
        if (pixel[3] == 0)
            pixel[0] = pixel[1] = pixel[2] = 0;
    }
}

cairo_status_t AppendToVector(void* closure, const unsigned char* data, unsigned int length)
{
    std::vector<uint8>* file = (std::vector<uint8>*)closure;
    file->insert(file->end(), data, data + length);
    return CAIRO_STATUS_SUCCESS;
}

} // namespace

status_t DecodePng(const uint8* data, size_t length, BBitmap** bitmap)
{
    if (!ChunksFitTheFile(data, length))
        return B_ILLEGAL_DATA;

    PngDecoding state = {};
    state.data = data;
    state.length = length;
    state.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, FailQuietly, WarnQuietly);
    if (state.png == nullptr)
        return B_NO_MEMORY;
    state.info = png_create_info_struct(state.png);
    bool done = state.info != nullptr && RunPngDecoder(&state);
    png_destroy_read_struct(&state.png, &state.info, nullptr);
    if (!done) {
        delete state.bitmap;
        return B_ILLEGAL_DATA;
    }
    if (state.hasAlpha)
        ClearTransparentPixels(state.bitmap);
    *bitmap = state.bitmap;
    return B_OK;
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
