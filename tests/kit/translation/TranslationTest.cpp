#include <gtest/gtest.h>

#include <gif_lib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <set>
#include <string>

#include "kit/interface/Bitmap.h"
#include "kit/storage/File.h"
#include "kit/storage/SafeFile.h"
#include "kit/translation/BitmapStream.h"
#include "kit/translation/TranslationUtils.h"
#include "kit/translation/TranslatorRoster.h"
#include "support/ScopedTempFolder.h"

namespace {

using Painter = std::function<rgb_color(int x, int y)>;

std::unique_ptr<BBitmap> MakeBitmap(int width, int height, color_space space, Painter paint)
{
    auto bitmap = std::make_unique<BBitmap>(BRect(0, 0, width - 1, height - 1), space);
    uint8* bits = (uint8*)bitmap->Bits();
    for (int y = 0; y < height; y++) {
        for (int x = 0; x < width; x++) {
            rgb_color color = paint(x, y);
            uint8* pixel = bits + y * bitmap->BytesPerRow() + x * 4;
            pixel[0] = color.blue;
            pixel[1] = color.green;
            pixel[2] = color.red;
            pixel[3] = color.alpha;
        }
    }
    return bitmap;
}

rgb_color PixelAt(const BBitmap& bitmap, int x, int y)
{
    const uint8* pixel = (const uint8*)bitmap.Bits() + y * bitmap.BytesPerRow() + x * 4;
    return {pixel[2], pixel[1], pixel[0], pixel[3]};
}

// More than 256 colours.
rgb_color Rainbow(int x, int y)
{
    return {(uint8)(x * 6), (uint8)(y * 8), (uint8)((x + y) * 3), 255};
}

rgb_color Smooth(int x, int y)
{
    return {(uint8)(40 + x * 2), (uint8)(60 + y * 2), (uint8)(200 - x - y), 255};
}

rgb_color Stripes(int x, int)
{
    static const rgb_color kColors[] = {{255, 0, 0, 255},
                                        {0, 128, 0, 255},
                                        {12, 34, 56, 255},
                                        {255, 255, 255, 255},
                                        {1, 2, 3, 255}};
    return kColors[(x / 3) % 5];
}

// What the snapshot code does: stream, roster, file written whole.
status_t Save(BBitmap* bitmap, uint32 type, const std::string& path)
{
    BSafeFile file(path.c_str());
    if (file.InitCheck() != B_OK)
        return file.InitCheck();
    BBitmapStream stream(bitmap);
    status_t status =
        BTranslatorRoster::Default()->Translate(&stream, nullptr, nullptr, &file, type);
    BBitmap* back;
    stream.DetachBitmap(&back);
    EXPECT_EQ(back, bitmap);
    return status == B_OK ? file.Commit() : status;
}

// "FORMAT width height" as ImageMagick sees the file, or "" without it.
std::string Identify(const std::string& path)
{
    std::string command = "identify -format '%m %w %h' '" + path + "' 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return "";
    char line[128] = {};
    fgets(line, sizeof(line), pipe);
    pclose(pipe);
    return line;
}

bool HaveIdentify()
{
    return system("command -v identify >/dev/null 2>&1") == 0;
}

class RoundTrip : public testing::Test
{
protected:
    // Saves, checks the file with ImageMagick when present, reads it back.
    std::unique_ptr<BBitmap> SaveAndLoad(BBitmap* bitmap, uint32 type, const char* name,
                                         const char* format)
    {
        std::string path = fFolder / name;
        EXPECT_EQ(Save(bitmap, type, path), B_OK);
        BRect bounds = bitmap->Bounds();
        if (HaveIdentify()) {
            EXPECT_EQ(Identify(path), std::string(format) + " " +
                                          std::to_string(bounds.IntegerWidth() + 1) + " " +
                                          std::to_string(bounds.IntegerHeight() + 1));
        }
        std::unique_ptr<BBitmap> back(BTranslationUtils::GetBitmap(path.c_str()));
        EXPECT_NE(back, nullptr);
        if (back != nullptr) {
            EXPECT_EQ(back->ColorSpace(), B_RGBA32);
            EXPECT_EQ(back->Bounds(), bounds);
        }
        return back;
    }

    // The largest difference of any colour channel over the picture.
    static int MaxDifference(const BBitmap& a, const BBitmap& b)
    {
        int worst = 0;
        BRect bounds = a.Bounds();
        for (int y = 0; y <= bounds.IntegerHeight(); y++) {
            for (int x = 0; x <= bounds.IntegerWidth(); x++) {
                rgb_color p = PixelAt(a, x, y);
                rgb_color q = PixelAt(b, x, y);
                worst = std::max(
                    {worst, abs(p.red - q.red), abs(p.green - q.green), abs(p.blue - q.blue)});
            }
        }
        return worst;
    }

    ScopedTempFolder fFolder;
};

} // namespace

TEST_F(RoundTrip, PngIsExactForOpaquePictures)
{
    // B_RGB32 ignores alpha: garbage there must not leak into the file.
    auto bitmap = MakeBitmap(40, 30, B_RGB32, [](int x, int y) {
        rgb_color color = Rainbow(x, y);
        color.alpha = (uint8)(x * 5);
        return color;
    });
    auto back = SaveAndLoad(bitmap.get(), B_PNG_FORMAT, "a.png", "PNG");
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(MaxDifference(*bitmap, *back), 0);
    EXPECT_EQ(PixelAt(*back, 7, 9).alpha, 255);
}

TEST_F(RoundTrip, PngKeepsAlpha)
{
    static const uint8 kAlphas[] = {0, 1, 128, 255};
    auto bitmap = MakeBitmap(8, 4, B_RGBA32, [](int x, int y) {
        return rgb_color{(uint8)(x * 30), 200, 17, kAlphas[y]};
    });
    auto back = SaveAndLoad(bitmap.get(), B_PNG_FORMAT, "alpha.png", "PNG");
    ASSERT_NE(back, nullptr);
    for (int x = 0; x < 8; x++) {
        for (int y = 0; y < 4; y++)
            EXPECT_EQ(PixelAt(*back, x, y).alpha, kAlphas[y]);
        // Premultiplying costs at most a step of 255 / alpha.
        EXPECT_EQ(PixelAt(*back, x, 3), PixelAt(*bitmap, x, 3));
        EXPECT_NEAR(PixelAt(*back, x, 2).red, PixelAt(*bitmap, x, 2).red, 1);
    }
}

TEST_F(RoundTrip, JpegIsCloseToTheOriginal)
{
    auto bitmap = MakeBitmap(64, 48, B_RGB32, Smooth);
    auto back = SaveAndLoad(bitmap.get(), B_JPEG_FORMAT, "a.jpg", "JPEG");
    ASSERT_NE(back, nullptr);
    EXPECT_LE(MaxDifference(*bitmap, *back), 8);
    EXPECT_EQ(PixelAt(*back, 63, 47).alpha, 255);
}

TEST_F(RoundTrip, GifKeepsUpTo256ColoursExactly)
{
    auto bitmap = MakeBitmap(30, 7, B_RGBA32, Stripes);
    auto back = SaveAndLoad(bitmap.get(), B_GIF_FORMAT, "few.gif", "GIF");
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(MaxDifference(*bitmap, *back), 0);

    // Exactly 256 still fits the palette.
    auto full = MakeBitmap(16, 16, B_RGB32, [](int x, int y) {
        return rgb_color{(uint8)(x * 16 + y), (uint8)(y * 7), 99, 255};
    });
    auto fullBack = SaveAndLoad(full.get(), B_GIF_FORMAT, "256.gif", "GIF");
    ASSERT_NE(fullBack, nullptr);
    EXPECT_EQ(MaxDifference(*full, *fullBack), 0);
}

TEST_F(RoundTrip, GifMapsMoreColoursToTheNearestOfACube)
{
    auto bitmap = MakeBitmap(40, 30, B_RGB32, Rainbow);
    auto back = SaveAndLoad(bitmap.get(), B_GIF_FORMAT, "many.gif", "GIF");
    ASSERT_NE(back, nullptr);

    std::set<uint32> colors;
    for (int y = 0; y < 30; y++) {
        for (int x = 0; x < 40; x++) {
            rgb_color p = PixelAt(*bitmap, x, y);
            rgb_color q = PixelAt(*back, x, y);
            colors.insert(q.red << 16 | q.green << 8 | q.blue);
            // Six levels of red and blue, seven of green: never more than
            // half a step away.
            EXPECT_LE(abs(p.red - q.red), 26) << x << "," << y;
            EXPECT_LE(abs(p.green - q.green), 22) << x << "," << y;
            EXPECT_LE(abs(p.blue - q.blue), 26) << x << "," << y;
        }
    }
    EXPECT_LE(colors.size(), 252u);
    EXPECT_EQ(PixelAt(*back, 0, 0), (rgb_color{0, 0, 0, 255}));
}

TEST(GifReading, InterlacedRowsAndTransparency)
{
    ScopedTempFolder folder;
    std::string path = folder / "inter.gif";
    const int kWidth = 3, kHeight = 11;
    int error;
    GifFileType* gif = EGifOpenFileName(path.c_str(), false, &error);
    ASSERT_NE(gif, nullptr);
    GifColorType colors[4] = {{0, 0, 0}, {255, 0, 0}, {0, 0, 255}, {9, 9, 9}};
    ColorMapObject* map = GifMakeMapObject(4, colors);
    EGifSetGifVersion(gif, true);
    EGifPutScreenDesc(gif, kWidth, kHeight, 2, 0, map);
    GifByteType control[4] = {0x01, 0, 0, 3};
    EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, control);
    EGifPutImageDesc(gif, 0, 0, kWidth, kHeight, true, nullptr);
    // Passes: rows 0, 8; then 4; then 2, 6, 10; then the odd rows. Each
    // row's colour says which row it is; the middle pixel is transparent.
    for (int start : {0, 4, 2, 1}) {
        int step = start == 0 ? 8 : start == 4 ? 8 : start == 2 ? 4 : 2;
        for (int y = start; y < kHeight; y += step) {
            GifPixelType line[kWidth] = {(GifPixelType)(y % 3), 3, (GifPixelType)(y % 3)};
            EGifPutLine(gif, line, kWidth);
        }
    }
    EGifCloseFile(gif, &error);
    GifFreeMapObject(map);

    std::unique_ptr<BBitmap> back(BTranslationUtils::GetBitmap(path.c_str()));
    ASSERT_NE(back, nullptr);
    for (int y = 0; y < kHeight; y++) {
        GifColorType expected = colors[y % 3];
        EXPECT_EQ(PixelAt(*back, 0, y), (rgb_color{expected.Red, 0, expected.Blue, 255})) << y;
        EXPECT_EQ(PixelAt(*back, 1, y).alpha, 0) << y;
    }
}

TEST(BitmapStream, StreamFormIsHeaderThenPixels)
{
    auto bitmap = MakeBitmap(3, 2, B_RGBA32, Stripes);
    ScopedTempFolder folder;
    std::string path = folder / "raw.bits";
    ASSERT_EQ(Save(bitmap.get(), B_TRANSLATOR_BITMAP, path), B_OK);

    std::string bytes = folder.Read("raw.bits");
    ASSERT_EQ(bytes.size(), 32u + 3 * 2 * 4);
    EXPECT_EQ(bytes.substr(0, 4), "bits");
    // right = 2.0f and rowBytes = 12, big-endian.
    EXPECT_EQ(bytes.substr(12, 4), std::string("\x40\x00\x00\x00", 4));
    EXPECT_EQ(bytes.substr(20, 4), std::string("\0\0\0\x0c", 4));
    EXPECT_EQ(bytes.substr(24, 4), std::string("\0\0\x20\x08", 4));
    EXPECT_EQ(memcmp(bytes.data() + 32, bitmap->Bits(), bitmap->BitsLength()), 0);

    BBitmapStream stream(new BBitmap(BRect(0, 0, 0, 0), B_RGB32));
    char across[8];
    EXPECT_EQ(stream.ReadAt(28, across, sizeof(across)), 8);
    EXPECT_EQ(stream.Seek(0, SEEK_END), 36);
    EXPECT_EQ(stream.WriteAt(0, "x", 1), B_NOT_ALLOWED);
    // The stream still owns its bitmap; leaving it to the destructor must
    // not leak (checked under the address sanitizer).
}

TEST(ReadingBrokenFiles, GiveNoBitmap)
{
    ScopedTempFolder folder;
    auto bitmap = MakeBitmap(64, 48, B_RGB32, Rainbow);
    for (auto [type, name] : {std::pair{B_JPEG_FORMAT, "ok.jpg"}, std::pair{B_PNG_FORMAT, "ok.png"},
                              std::pair{B_GIF_FORMAT, "ok.gif"}})
        ASSERT_EQ(Save(bitmap.get(), type, folder / name), B_OK);
    std::string jpeg = folder.Read("ok.jpg");
    std::string png = folder.Read("ok.png");
    std::string gif = folder.Read("ok.gif");

    // A valid JPEG whose frame header claims 65000 x 65000 pixels.
    std::string hugeJpeg = jpeg;
    size_t frame = hugeJpeg.find("\xff\xc0");
    ASSERT_NE(frame, std::string::npos);
    hugeJpeg.replace(frame + 5, 4, "\xfd\xe8\xfd\xe8");
    std::string hugePng = png;
    hugePng.replace(16, 8, std::string("\x00\x01\x86\xa0\x00\x01\x86\xa0", 8));
    std::string hugeGif = gif;
    hugeGif.replace(6, 4, "\xff\xff\xff\xff");

    struct
    {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"empty.jpg", ""},
        {"random.jpg", "\x13\x37 not a picture at all, just some bytes"},
        {"halfjpeg.jpg", jpeg.substr(0, jpeg.size() / 2)},
        {"headonly.jpg", jpeg.substr(0, 4)},
        {"headonly.png", png.substr(0, 33)},
        {"signature.png", png.substr(0, 8)},
        {"halfpng.png", png.substr(0, png.size() / 2)},
        {"headonly.gif", gif.substr(0, 13)},
        {"halfgif.gif", gif.substr(0, gif.size() / 2)},
        {"hugejpeg.jpg", hugeJpeg},
        {"hugepng.png", hugePng},
        {"hugegif.gif", hugeGif},
        {"text.xml", "<?xml version=\"1.0\"?><a/>"},
    };
    for (const auto& each : cases) {
        folder.Write(each.name, each.bytes);
        std::unique_ptr<BBitmap> read(BTranslationUtils::GetBitmap((folder / each.name).c_str()));
        EXPECT_EQ(read, nullptr) << each.name;
    }

    EXPECT_EQ(BTranslationUtils::GetBitmap((folder / "missing.png").c_str()), nullptr);
    EXPECT_EQ(BTranslationUtils::GetBitmap(folder.Path().c_str()), nullptr);

    BFile half((folder / "halfjpeg.jpg").c_str(), B_READ_ONLY);
    BBitmapStream stream;
    EXPECT_EQ(BTranslatorRoster::Default()->Translate(&half, nullptr, nullptr, &stream,
                                                      B_TRANSLATOR_BITMAP),
              B_ILLEGAL_DATA);
    BFile text((folder / "text.xml").c_str(), B_READ_ONLY);
    EXPECT_EQ(BTranslatorRoster::Default()->Translate(&text, nullptr, nullptr, &stream,
                                                      B_TRANSLATOR_BITMAP),
              B_NO_TRANSLATOR);
}

TEST(WritingImages, AFailedWriteLeavesTheOldFile)
{
    ScopedTempFolder folder;
    folder.Write("vtsnap.png", "old picture");
    auto bitmap = MakeBitmap(4, 4, B_RGB32, Stripes);

    EXPECT_EQ(Save(bitmap.get(), 'TIFF', folder / "vtsnap.png"), B_NO_TRANSLATOR);
    EXPECT_EQ(folder.Read("vtsnap.png"), "old picture");
    EXPECT_EQ(folder.CountFiles(), 1);

    EXPECT_EQ(Save(bitmap.get(), B_PNG_FORMAT, folder / "missing/vtsnap.png"), B_ENTRY_NOT_FOUND);
    EXPECT_EQ(folder.CountFiles(), 1);

    // Transcoding a file goes through the same readers and writers.
    ASSERT_EQ(Save(bitmap.get(), B_PNG_FORMAT, folder / "vtsnap.png"), B_OK);
    BFile png((folder / "vtsnap.png").c_str(), B_READ_ONLY);
    BFile gif((folder / "copy.gif").c_str(), B_WRITE_ONLY | B_CREATE_FILE);
    ASSERT_EQ(BTranslatorRoster::Default()->Translate(&png, nullptr, nullptr, &gif, B_GIF_FORMAT),
              B_OK);
    std::unique_ptr<BBitmap> copy(BTranslationUtils::GetBitmap((folder / "copy.gif").c_str()));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(PixelAt(*copy, 3, 3), PixelAt(*bitmap, 3, 3));
}
