// GIF through giflib's record-level calls, so the picture's size is checked
// before any pixel memory is taken. Only the first image of a file is read.
#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <map>

#include "kit/interface/Bitmap.h"
#include "kit/translation/ImageCodecs.h"
#include "kit/translation/MemoryReader.h"
#include "kit/translation/TranslationDefs.h"

namespace BPrivate {

namespace {

int ReadFromMemory(GifFileType* gif, GifByteType* buffer, int length)
{
    auto* reader = static_cast<MemoryReader*>(gif->UserData);
    return (int)reader->Read(buffer, (size_t)length);
}

int AppendToVector(GifFileType* gif, const GifByteType* data, int length)
{
    std::vector<uint8>* file = (std::vector<uint8>*)gif->UserData;
    file->insert(file->end(), data, data + length);
    return length;
}

// The transparent index of a graphic control block, or -1.
int SkipExtension(GifFileType* gif, int transparent)
{
    int code;
    GifByteType* block;
    if (DGifGetExtension(gif, &code, &block) == GIF_ERROR)
        return -2;
    if (code == GRAPHICS_EXT_FUNC_CODE && block != nullptr && block[0] >= 4)
        transparent = (block[1] & 0x01) ? block[4] : -1;
    while (block != nullptr) {
        if (DGifGetExtensionNext(gif, &block) == GIF_ERROR)
            return -2;
    }
    return transparent;
}

status_t ReadImage(GifFileType* gif, int transparent, BBitmap** bitmap)
{
    if (DGifGetImageDesc(gif) == GIF_ERROR)
        return B_ILLEGAL_DATA;
    const GifImageDesc& image = gif->Image;
    const ColorMapObject* colors = image.ColorMap != nullptr ? image.ColorMap : gif->SColorMap;
    if (colors == nullptr || image.Width <= 0 || image.Height <= 0 ||
        (uint32)image.Width > kMaxImageSide || (uint32)image.Height > kMaxImageSide ||
        (uint64)image.Width * image.Height > kMaxImagePixels)
        return B_ILLEGAL_DATA;

    BBitmap* result = NewImageBitmap(gif->SWidth, gif->SHeight);
    if (result == nullptr)
        return B_ILLEGAL_DATA;

    // Interlaced rows come in four passes.
    static const int kStart[] = {0, 4, 2, 1};
    static const int kStep[] = {8, 8, 4, 2};
    int passes = image.Interlace ? 4 : 1;
    std::vector<GifPixelType> line(image.Width);
    uint8* bits = (uint8*)result->Bits();
    for (int pass = 0; pass < passes; pass++) {
        int step = image.Interlace ? kStep[pass] : 1;
        for (int y = image.Interlace ? kStart[pass] : 0; y < image.Height; y += step) {
            // Parts of the image outside the screen are dropped; below the
            // last row of a plain image they need not be decoded at all.
            int row = image.Top + y;
            if (row >= gif->SHeight && !image.Interlace)
                break;
            if (DGifGetLine(gif, line.data(), image.Width) == GIF_ERROR) {
                delete result;
                return B_ILLEGAL_DATA;
            }
            if (row >= gif->SHeight)
                continue;
            uint8* to = bits + (size_t)row * result->BytesPerRow();
            for (int x = 0; x < image.Width && image.Left + x < gif->SWidth; x++) {
                int index = line[x];
                uint8* pixel = to + (size_t)(image.Left + x) * 4;
                if (index == transparent || index >= colors->ColorCount)
                    continue;
                const GifColorType& color = colors->Colors[index];
                pixel[0] = color.Blue;
                pixel[1] = color.Green;
                pixel[2] = color.Red;
                pixel[3] = 255;
            }
        }
    }
    *bitmap = result;
    return B_OK;
}

// Pixels of either 32-bit space as 0xRRGGBB, alpha left out.
uint32 ColorAt(const uint8* pixel)
{
    return (uint32)pixel[2] << 16 | (uint32)pixel[1] << 8 | pixel[0];
}

struct Palette
{
    std::vector<GifColorType> colors;
    std::map<uint32, GifPixelType> exact;
    // For the cube: per channel, the nearest level's index.
    std::array<uint8, 256> nearest[3];
    int levels[3] = {6, 7, 6};

    GifPixelType IndexOf(uint32 color) const
    {
        if (!exact.empty())
            return exact.at(color);
        int red = nearest[0][color >> 16 & 0xff];
        int green = nearest[1][color >> 8 & 0xff];
        int blue = nearest[2][color & 0xff];
        return (GifPixelType)((red * levels[1] + green) * levels[2] + blue);
    }
};

bool CollectExactColors(BBitmap* bitmap, Palette* palette)
{
    const uint8* bits = (const uint8*)bitmap->Bits();
    int32 pixels = bitmap->BitsLength() / 4;
    for (int32 i = 0; i < pixels; i++) {
        palette->exact.emplace(ColorAt(bits + (size_t)i * 4), 0);
        if (palette->exact.size() > 256) {
            palette->exact.clear();
            return false;
        }
    }
    for (auto& [color, index] : palette->exact) {
        index = (GifPixelType)palette->colors.size();
        palette->colors.push_back(
            {(GifByteType)(color >> 16), (GifByteType)(color >> 8), (GifByteType)color});
    }
    return true;
}

void MakeCube(Palette* palette)
{
    int values[3][8];
    for (int channel = 0; channel < 3; channel++) {
        int count = palette->levels[channel];
        for (int level = 0; level < count; level++)
            values[channel][level] = (level * 255 + (count - 1) / 2) / (count - 1);
        for (int value = 0; value < 256; value++) {
            int best = 0;
            for (int level = 1; level < count; level++) {
                if (abs(values[channel][level] - value) < abs(values[channel][best] - value))
                    best = level;
            }
            palette->nearest[channel][value] = (uint8)best;
        }
    }
    for (int red = 0; red < palette->levels[0]; red++) {
        for (int green = 0; green < palette->levels[1]; green++) {
            for (int blue = 0; blue < palette->levels[2]; blue++) {
                palette->colors.push_back({(GifByteType)values[0][red],
                                           (GifByteType)values[1][green],
                                           (GifByteType)values[2][blue]});
            }
        }
    }
}

status_t WriteImage(GifFileType* gif, BBitmap* bitmap, const Palette& palette)
{
    // giflib wants a power of two of at least two entries.
    int bits = 1;
    while ((1 << bits) < (int)palette.colors.size())
        bits++;
    ColorMapObject* map = GifMakeMapObject(1 << bits, nullptr);
    if (map == nullptr)
        return B_NO_MEMORY;
    std::copy(palette.colors.begin(), palette.colors.end(), map->Colors);

    BRect bounds = bitmap->Bounds();
    int width = bounds.IntegerWidth() + 1;
    int height = bounds.IntegerHeight() + 1;
    status_t status = B_ERROR;
    if (EGifPutScreenDesc(gif, width, height, bits, 0, map) != GIF_ERROR &&
        EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr) != GIF_ERROR) {
        std::vector<GifPixelType> line(width);
        const uint8* pixels = (const uint8*)bitmap->Bits();
        status = B_OK;
        for (int y = 0; y < height && status == B_OK; y++) {
            const uint8* row = pixels + (size_t)y * bitmap->BytesPerRow();
            for (int x = 0; x < width; x++)
                line[x] = palette.IndexOf(ColorAt(row + (size_t)x * 4));
            if (EGifPutLine(gif, line.data(), width) == GIF_ERROR)
                status = B_ERROR;
        }
    }
    GifFreeMapObject(map);
    return status;
}

} // namespace

status_t DecodeGif(const uint8* data, size_t length, BBitmap** bitmap)
{
    MemoryReader reader(data, length);
    int error;
    GifFileType* gif = DGifOpen(&reader, ReadFromMemory, &error);
    if (gif == nullptr)
        return B_ILLEGAL_DATA;

    status_t status = B_ILLEGAL_DATA;
    int transparent = -1;
    for (;;) {
        GifRecordType record;
        if (DGifGetRecordType(gif, &record) == GIF_ERROR)
            break;
        if (record == IMAGE_DESC_RECORD_TYPE) {
            status = ReadImage(gif, transparent, bitmap);
            break;
        }
        if (record == EXTENSION_RECORD_TYPE) {
            transparent = SkipExtension(gif, transparent);
            if (transparent == -2)
                break;
            continue;
        }
        // The trailer, or anything unknown, before the first image.
        break;
    }
    DGifCloseFile(gif, &error);
    return status;
}

status_t EncodeGif(BBitmap* bitmap, std::vector<uint8>* file)
{
    Palette palette;
    if (!CollectExactColors(bitmap, &palette))
        MakeCube(&palette);

    size_t oldSize = file->size();
    int error;
    GifFileType* gif = EGifOpen(file, AppendToVector, &error);
    if (gif == nullptr)
        return B_NO_MEMORY;
    status_t status = WriteImage(gif, bitmap, palette);
    if (EGifCloseFile(gif, &error) == GIF_ERROR)
        status = B_ERROR;
    if (status != B_OK)
        file->resize(oldSize);
    return status;
}

} // namespace BPrivate
