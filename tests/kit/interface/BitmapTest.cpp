#include "kit/interface/Bitmap.h"

#include <gtest/gtest.h>

#include <cairo.h>

#include <cmath>
#include <cstring>

TEST(Bitmap, GeometryFromInclusiveBounds)
{
    struct
    {
        BRect bounds;
        int32 width;
        int32 height;
    } cases[] = {
        {BRect(0, 0, 31, 31), 32, 32}, {BRect(10, 10, 41, 41), 32, 32},
        {BRect(0, 0, 0, 0), 1, 1},     {BRect(5, 7, 562, 300), 558, 294},
        {BRect(0, 0, 2.5f, 0), 3, 1},
    };
    for (const auto& each : cases) {
        for (color_space space : {B_RGB32, B_RGBA32}) {
            BBitmap bitmap(each.bounds, space);
            ASSERT_EQ(bitmap.InitCheck(), B_OK);
            EXPECT_EQ(bitmap.Bounds(), BRect(0, 0, each.width - 1, each.height - 1));
            EXPECT_EQ(bitmap.BytesPerRow(), each.width * 4);
            EXPECT_EQ(bitmap.BitsLength(), each.width * 4 * each.height);
            EXPECT_EQ(bitmap.ColorSpace(), space);
            const uint8* bits = (const uint8*)bitmap.Bits();
            ASSERT_NE(bits, nullptr);
            // New pixels are zero all the way to the last byte.
            EXPECT_EQ(bits[0], 0);
            EXPECT_EQ(bits[bitmap.BitsLength() - 1], 0);
        }
    }
    EXPECT_TRUE(BBitmap(BRect(0, 0, 1, 1), B_RGB32, true).AcceptsViews());
    EXPECT_FALSE(BBitmap(BRect(0, 0, 1, 1), B_RGB32).AcceptsViews());
}

TEST(Bitmap, RefusesWhatItCannotHold)
{
    BBitmap empty{BRect(), B_RGB32};
    BBitmap nan{BRect(0, 0, NAN, 3), B_RGB32};
    BBitmap huge{BRect(0, 0, 1e9f, 1e9f), B_RGB32};
    BBitmap tooMuch{BRect(0, 0, 32000, 32000), B_RGBA32};
    BBitmap eightBit{BRect(0, 0, 9, 9), B_CMAP8};
    for (const BBitmap* bitmap : {&empty, &nan, &huge, &tooMuch, &eightBit}) {
        EXPECT_FALSE(bitmap->IsValid());
        EXPECT_EQ(bitmap->InitCheck(), B_BAD_VALUE);
        EXPECT_EQ(bitmap->Bits(), nullptr);
        EXPECT_EQ(bitmap->BitsLength(), 0);
        EXPECT_FALSE(bitmap->Bounds().IsValid());
    }
}

TEST(Bitmap, Rgb32SurfaceDrawsIntoTheBits)
{
    BBitmap bitmap(BRect(0, 0, 9, 4), B_RGB32);
    cairo_surface_t* surface = bitmap._CairoSurface();
    ASSERT_EQ(cairo_surface_status(surface), CAIRO_STATUS_SUCCESS);
    EXPECT_EQ(cairo_image_surface_get_data(surface), bitmap.Bits());

    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgb(cr, 1.0, 0.5, 0.0);
    cairo_rectangle(cr, 2, 1, 1, 1);
    cairo_fill(cr);
    cairo_destroy(cr);
    cairo_surface_flush(surface);

    // Be byte order: blue, green, red.
    const uint8* pixel = (const uint8*)bitmap.Bits() + 1 * bitmap.BytesPerRow() + 2 * 4;
    EXPECT_EQ(pixel[0], 0);
    EXPECT_NEAR(pixel[1], 128, 1);
    EXPECT_EQ(pixel[2], 255);
    EXPECT_EQ(((const uint8*)bitmap.Bits())[0 + 2], 0);

    // The same surface comes back and sees later writes to the bits.
    ((uint8*)bitmap.Bits())[2] = 77;
    EXPECT_EQ(bitmap._CairoSurface(), surface);
    EXPECT_EQ(cairo_image_surface_get_data(surface)[2], 77);
}

TEST(Bitmap, Rgba32SurfaceIsAPremultipliedCopy)
{
    BBitmap bitmap(BRect(0, 0, 1, 0), B_RGBA32);
    uint8* bits = (uint8*)bitmap.Bits();
    const uint8 pixels[] = {200, 100, 50, 128, 10, 20, 30, 255};
    memcpy(bits, pixels, sizeof(pixels));

    cairo_surface_t* surface = bitmap._CairoSurface();
    ASSERT_EQ(cairo_image_surface_get_format(surface), CAIRO_FORMAT_ARGB32);
    const uint8* copy = cairo_image_surface_get_data(surface);
    EXPECT_NE(copy, bits);
    EXPECT_EQ(copy[0], 100);
    EXPECT_EQ(copy[1], 50);
    EXPECT_EQ(copy[2], 25);
    EXPECT_EQ(copy[3], 128);
    EXPECT_EQ(memcmp(copy + 4, pixels + 4, 4), 0);
    // Bits() itself stays unpremultiplied.
    EXPECT_EQ(bits[0], 200);
}
