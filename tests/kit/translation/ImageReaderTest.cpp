// The image readers against every kind of PNG, and against the kept corpus
// of small, broken and hostile pictures.
#include <gtest/gtest.h>

#include <png.h>
#include <sys/resource.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "kit/interface/Bitmap.h"
#include "kit/translation/ImageCodecs.h"
#include "kit/translation/TranslationUtils.h"

namespace fs = std::filesystem;

namespace {

struct PngKind
{
    const char* name;
    int colorType;
    int depth;
    bool interlaced;
    bool transparency; // a tRNS chunk
};

const int kWidth = 13, kHeight = 11;

int Channels(int colorType)
{
    switch (colorType) {
    case PNG_COLOR_TYPE_GRAY_ALPHA:
        return 2;
    case PNG_COLOR_TYPE_RGB:
        return 3;
    case PNG_COLOR_TYPE_RGB_ALPHA:
        return 4;
    }
    return 1;
}

// Samples at the file's depth; palette indices for palette files.
int Sample(const PngKind& kind, int x, int y, int channel)
{
    int top = (1 << kind.depth) - 1;
    return (x * 37 + y * 91 + channel * 53 + x * y * 7) % (top + 1);
}

png_color PaletteColor(int index)
{
    return {(png_byte)(index * 11), (png_byte)(255 - index * 3), (png_byte)(index * 5 + 1)};
}

// Palette entry i is i * 40 opaque; gray and RGB files make the colour of
// pixel (1, 1) transparent.
png_byte PaletteAlpha(int index)
{
    return (png_byte)std::min(255, index * 40);
}

std::string WritePng(const PngKind& kind)
{
    std::string file;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(
        png, &file,
        [](png_structp p, png_bytep data, size_t length) {
            ((std::string*)png_get_io_ptr(p))->append((const char*)data, length);
        },
        nullptr);
    png_set_IHDR(png, info, kWidth, kHeight, kind.depth, kind.colorType,
                 kind.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    int channels = Channels(kind.colorType);
    if (kind.colorType == PNG_COLOR_TYPE_PALETTE) {
        std::vector<png_color> colors;
        std::vector<png_byte> alphas;
        for (int i = 0; i < 1 << kind.depth; i++) {
            colors.push_back(PaletteColor(i));
            alphas.push_back(PaletteAlpha(i));
        }
        png_set_PLTE(png, info, colors.data(), (int)colors.size());
        if (kind.transparency)
            png_set_tRNS(png, info, alphas.data(), (int)alphas.size(), nullptr);
    } else if (kind.transparency) {
        png_color_16 key = {};
        key.gray = (png_uint_16)Sample(kind, 1, 1, 0);
        key.red = key.gray;
        key.green = (png_uint_16)Sample(kind, 1, 1, 1);
        key.blue = (png_uint_16)Sample(kind, 1, 1, 2);
        png_set_tRNS(png, info, nullptr, 0, &key);
    }
    png_write_info(png, info);
    if (kind.depth < 8)
        png_set_packing(png);
    int passes = png_set_interlace_handling(png);

    std::vector<std::vector<png_byte>> rows(kHeight);
    for (int y = 0; y < kHeight; y++) {
        for (int x = 0; x < kWidth; x++) {
            for (int c = 0; c < channels; c++) {
                int value = Sample(kind, x, y, c);
                if (kind.depth == 16)
                    rows[y].push_back((png_byte)(value >> 8));
                rows[y].push_back((png_byte)value);
            }
        }
    }
    for (int pass = 0; pass < passes; pass++) {
        for (auto& row : rows)
            png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return file;
}

// B, G, R, A as the bitmap must hold the pixel: 8 bits (16-bit samples
// keep their high byte), not premultiplied, transparent pixels black.
std::vector<uint8> Expected(const PngKind& kind, int x, int y)
{
    auto scaled = [&](int channel) {
        int value = Sample(kind, x, y, channel);
        if (kind.depth == 16)
            return value >> 8;
        return value * 255 / ((1 << kind.depth) - 1);
    };
    int red, green, blue, alpha = 255;
    switch (kind.colorType) {
    case PNG_COLOR_TYPE_PALETTE: {
        int index = Sample(kind, x, y, 0);
        png_color color = PaletteColor(index);
        red = color.red, green = color.green, blue = color.blue;
        if (kind.transparency)
            alpha = PaletteAlpha(index);
        break;
    }
    case PNG_COLOR_TYPE_GRAY:
    case PNG_COLOR_TYPE_GRAY_ALPHA:
        red = green = blue = scaled(0);
        if (kind.colorType == PNG_COLOR_TYPE_GRAY_ALPHA)
            alpha = scaled(1);
        break;
    default:
        red = scaled(0), green = scaled(1), blue = scaled(2);
        if (kind.colorType == PNG_COLOR_TYPE_RGB_ALPHA)
            alpha = scaled(3);
    }
    if (kind.transparency && kind.colorType != PNG_COLOR_TYPE_PALETTE) {
        bool same = true;
        for (int c = 0; c < Channels(kind.colorType); c++)
            same = same && Sample(kind, x, y, c) == Sample(kind, 1, 1, c);
        if (same)
            alpha = 0;
    }
    if (alpha == 0)
        red = green = blue = 0;
    return {(uint8)blue, (uint8)green, (uint8)red, (uint8)alpha};
}

long PeakMemoryKiB()
{
    rusage usage = {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

TEST(PngReading, EveryKindBecomesStraightBgra)
{
    const PngKind kinds[] = {
        {"gray 1", PNG_COLOR_TYPE_GRAY, 1, false, false},
        {"gray 2 interlaced", PNG_COLOR_TYPE_GRAY, 2, true, false},
        {"gray 4", PNG_COLOR_TYPE_GRAY, 4, false, false},
        {"gray 8 keyed", PNG_COLOR_TYPE_GRAY, 8, false, true},
        {"gray 16 keyed", PNG_COLOR_TYPE_GRAY, 16, false, true},
        {"gray alpha 8", PNG_COLOR_TYPE_GRAY_ALPHA, 8, false, false},
        {"gray alpha 16 interlaced", PNG_COLOR_TYPE_GRAY_ALPHA, 16, true, false},
        {"rgb 8", PNG_COLOR_TYPE_RGB, 8, false, false},
        {"rgb 8 keyed interlaced", PNG_COLOR_TYPE_RGB, 8, true, true},
        {"rgb 16", PNG_COLOR_TYPE_RGB, 16, false, false},
        {"palette 1", PNG_COLOR_TYPE_PALETTE, 1, false, false},
        {"palette 4 with alpha interlaced", PNG_COLOR_TYPE_PALETTE, 4, true, true},
        {"palette 8 with alpha", PNG_COLOR_TYPE_PALETTE, 8, false, true},
        {"rgba 8", PNG_COLOR_TYPE_RGB_ALPHA, 8, false, false},
        {"rgba 8 interlaced", PNG_COLOR_TYPE_RGB_ALPHA, 8, true, false},
        {"rgba 16", PNG_COLOR_TYPE_RGB_ALPHA, 16, false, false},
    };
    for (const PngKind& kind : kinds) {
        SCOPED_TRACE(kind.name);
        std::string file = WritePng(kind);
        BBitmap* read = nullptr;
        ASSERT_EQ(BPrivate::DecodePng((const uint8*)file.data(), file.size(), &read), B_OK);
        std::unique_ptr<BBitmap> bitmap(read);
        ASSERT_EQ(bitmap->Bounds(), BRect(0, 0, kWidth - 1, kHeight - 1));
        EXPECT_EQ(bitmap->ColorSpace(), B_RGBA32);
        int wrong = 0;
        for (int y = 0; y < kHeight; y++) {
            for (int x = 0; x < kWidth; x++) {
                const uint8* pixel =
                    (const uint8*)bitmap->Bits() + y * bitmap->BytesPerRow() + x * 4;
                if (std::vector<uint8>(pixel, pixel + 4) != Expected(kind, x, y) && wrong++ < 3)
                    ADD_FAILURE() << "pixel " << x << "," << y;
            }
        }
        EXPECT_EQ(wrong, 0);
    }
}

// Every file of the fuzz seeds and of the kept crashers goes through the
// public reader: it ends quickly with no bitmap or a bitmap within the
// limits, and reading them all takes little memory. Files named "valid-"
// must read, files named "broken-" must not.
TEST(ImageCorpus, EveryFileEndsQuicklyWithinTheLimits)
{
    const fs::path source = VANTREL_SOURCE_DIR;
    const long peakBefore = PeakMemoryKiB();
    int files = 0;
    for (const fs::path& folder :
         {source / "fuzz/corpus/image", source / "tests/kit/translation/regressions"}) {
        for (const auto& entry : fs::directory_iterator(folder)) {
            const std::string name = entry.path().filename().string();
            SCOPED_TRACE(name);
            files++;
            const auto start = std::chrono::steady_clock::now();
            std::unique_ptr<BBitmap> bitmap(BTranslationUtils::GetBitmap(entry.path().c_str()));
            EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
            if (name.rfind("broken-", 0) == 0) {
                EXPECT_EQ(bitmap, nullptr);
            } else if (name.rfind("valid-", 0) == 0) {
                EXPECT_NE(bitmap, nullptr);
            }
            if (bitmap != nullptr) {
                BRect bounds = bitmap->Bounds();
                EXPECT_LE((uint64)(bounds.IntegerWidth() + 1) * (bounds.IntegerHeight() + 1),
                          BPrivate::kMaxImagePixels);
            }
        }
    }
    EXPECT_GT(files, 20);
    // The 44-byte PNG that claimed a 2 GiB text once took that much; all of
    // these together may cost only a fraction of it.
    EXPECT_LT(PeakMemoryKiB() - peakBefore, 128 * 1024);
}
