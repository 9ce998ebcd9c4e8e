// The drawing engine on an in-memory surface: pixel rules and the
// arithmetic of every drawing mode.
#include "kit/interface/Painter.h"

#include <gtest/gtest.h>

#include <cairo.h>

#include <cmath>

#include "kit/app/OS.h"
#include "kit/display/TestWindow.h"
#include "kit/interface/Bitmap.h"

using BPrivate::DrawState;
using BPrivate::Painter;
using BPrivate::PixelRect;

namespace {

class Canvas
{
public:
    Canvas(int32 width = 64, int32 height = 64, rgb_color background = {255, 255, 255, 255})
        : fSurface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height))
    {
        state.high = {0, 0, 0, 255};
        Fill(background);
    }
    ~Canvas() { cairo_surface_destroy(fSurface); }

    void Fill(rgb_color color)
    {
        DrawState solid;
        solid.high = color;
        Painter painter(fSurface, B_ORIGIN, Whole(), solid);
        painter.FillRect(Whole().ToRect(), B_SOLID_HIGH);
    }

    PixelRect Whole() const
    {
        return {0, 0, cairo_image_surface_get_width(fSurface),
                cairo_image_surface_get_height(fSurface)};
    }

    // A painter clipped to the whole surface (or clip), origin at origin.
    Painter Paint(BPoint origin = B_ORIGIN) { return Painter(fSurface, origin, Whole(), state); }
    Painter Paint(BPoint origin, PixelRect clip) { return Painter(fSurface, origin, clip, state); }

    rgb_color At(int32 x, int32 y) const
    {
        cairo_surface_flush(fSurface);
        auto* row = reinterpret_cast<const uint32*>(cairo_image_surface_get_data(fSurface) +
                                                    y * cairo_image_surface_get_stride(fSurface));
        uint32 pixel = row[x];
        return {uint8(pixel >> 16), uint8(pixel >> 8), uint8(pixel), uint8(pixel >> 24)};
    }

    // Pixels of the colour, and their bounding box.
    int32 Count(rgb_color color, PixelRect* box = nullptr) const
    {
        int32 count = 0;
        PixelRect found;
        for (int32 y = 0; y < Whole().y1; y++) {
            for (int32 x = 0; x < Whole().x1; x++) {
                if (same_rgb(At(x, y), color)) {
                    count++;
                    found = found | PixelRect{x, y, x + 1, y + 1};
                }
            }
        }
        if (box != nullptr)
            *box = found;
        return count;
    }

    DrawState state;

private:
    cairo_surface_t* fSurface;
};

constexpr rgb_color kBlack = {0, 0, 0, 255};
constexpr rgb_color kWhite = {255, 255, 255, 255};
constexpr rgb_color kRed = {250, 50, 50, 255};

// One pixel of background, then source drawn over it in mode.
rgb_color combine(rgb_color background, rgb_color source, drawing_mode mode)
{
    Canvas canvas(1, 1, background);
    canvas.state.high = source;
    canvas.state.mode = mode;
    canvas.Paint().FillRect(BRect(0, 0, 0, 0), B_SOLID_HIGH);
    return canvas.At(0, 0);
}

} // namespace

// MARK: Pixel rules

TEST(PainterPixels, InclusiveRectFillsExactlyItsPixels)
{
    Canvas canvas;
    canvas.Paint().FillRect(BRect(0, 0, 9, 9), B_SOLID_HIGH);
    PixelRect box;
    EXPECT_EQ(canvas.Count(kBlack, &box), 100);
    EXPECT_EQ(box, (PixelRect{0, 0, 10, 10}));
}

TEST(PainterPixels, OnePixelLineLightsOneColumn)
{
    Canvas canvas(200, 40);
    canvas.Paint().StrokeLine(BPoint(120, 0), BPoint(120, 30), B_SOLID_HIGH);
    PixelRect box;
    EXPECT_EQ(canvas.Count(kBlack, &box), 31);
    EXPECT_EQ(box, (PixelRect{120, 0, 121, 31}));
}

TEST(PainterPixels, DiagonalLineIsConnectedAndInclusive)
{
    Canvas canvas;
    canvas.Paint().StrokeLine(BPoint(2, 3), BPoint(12, 8), B_SOLID_HIGH);
    EXPECT_RGB(canvas.At(2, 3), kBlack);
    EXPECT_RGB(canvas.At(12, 8), kBlack);
    EXPECT_EQ(canvas.Count(kBlack), 11);
}

TEST(PainterPixels, StrokeRectDrawsTheOutlinePixels)
{
    Canvas canvas;
    canvas.Paint().StrokeRect(BRect(0, 0, 9, 9), B_SOLID_HIGH);
    EXPECT_EQ(canvas.Count(kBlack), 36);
    for (int32 i = 0; i <= 9; i++) {
        EXPECT_RGB(canvas.At(i, 0), kBlack);
        EXPECT_RGB(canvas.At(i, 9), kBlack);
        EXPECT_RGB(canvas.At(0, i), kBlack);
        EXPECT_RGB(canvas.At(9, i), kBlack);
    }
    EXPECT_RGB(canvas.At(1, 1), kWhite);
    EXPECT_RGB(canvas.At(10, 10), kWhite);
}

TEST(PainterPixels, OriginAndClipApply)
{
    Canvas canvas;
    canvas.Paint(BPoint(10, 20), PixelRect{0, 0, 14, 64}).FillRect(BRect(0, 0, 9, 9), B_SOLID_HIGH);
    PixelRect box;
    EXPECT_EQ(canvas.Count(kBlack, &box), 40);
    EXPECT_EQ(box, (PixelRect{10, 20, 14, 30}));
}

TEST(PainterPixels, FilledShapesStayInsideTheirRectangle)
{
    struct Case
    {
        const char* name;
        std::function<void(Painter&)> draw;
    } cases[] = {
        {"ellipse", [](Painter& p) { p.FillEllipse(BRect(10, 10, 29, 19), B_SOLID_HIGH); }},
        {"round rect",
         [](Painter& p) { p.FillRoundRect(BRect(10, 10, 29, 19), 4, 4, B_SOLID_HIGH); }},
        {"stroked ellipse",
         [](Painter& p) { p.StrokeEllipse(BRect(10, 10, 29, 19), B_SOLID_HIGH); }},
        {"triangle",
         [](Painter& p) {
             BPoint points[] = {BPoint(10, 10), BPoint(29, 10), BPoint(10, 19)};
             p.FillPolygon(points, 3, B_SOLID_HIGH);
         }},
    };
    for (const Case& test : cases) {
        Canvas canvas;
        Painter painter = canvas.Paint();
        test.draw(painter);
        PixelRect box;
        EXPECT_GT(canvas.Count(kBlack, &box), 20) << test.name;
        EXPECT_EQ(box, (PixelRect{10, 10, 30, 20})) << test.name;
        // Shapes are not antialiased: only the two colours appear.
        EXPECT_EQ(canvas.Count(kBlack) + canvas.Count(kWhite), 64 * 64) << test.name;
    }
}

TEST(PainterPixels, TriangleIncludesItsEdges)
{
    Canvas canvas;
    BPoint points[] = {BPoint(1, 15), BPoint(1, 0), BPoint(7, 15)};
    canvas.Paint().FillPolygon(points, 3, B_SOLID_HIGH);
    for (int32 y = 0; y <= 15; y++)
        EXPECT_RGB(canvas.At(1, y), kBlack) << y;
    for (int32 x = 1; x <= 7; x++)
        EXPECT_RGB(canvas.At(x, 15), kBlack) << x;
    EXPECT_RGB(canvas.At(7, 0), kWhite);
}

TEST(PainterPixels, MixedColorsIsACheckerOfHighAndLow)
{
    Canvas canvas;
    canvas.state.high = kRed;
    canvas.state.low = kBlack;
    canvas.Paint().FillRect(BRect(0, 0, 3, 1), B_MIXED_COLORS);
    EXPECT_RGB(canvas.At(0, 0), kRed);
    EXPECT_RGB(canvas.At(1, 0), kBlack);
    EXPECT_RGB(canvas.At(0, 1), kBlack);
    EXPECT_RGB(canvas.At(1, 1), kRed);
    canvas.Paint().FillRect(BRect(10, 10, 11, 11), B_SOLID_LOW);
    EXPECT_RGB(canvas.At(11, 11), kBlack);
}

// MARK: Drawing modes

TEST(PainterModes, BlendIsTheExactAverageInBothOrders)
{
    const uint8 values[] = {0, 1, 2, 3, 50, 100, 127, 128, 129, 200, 250, 253, 254, 255};
    for (uint8 a : values) {
        for (uint8 b : values) {
            rgb_color first = {a, b, uint8(255 - a), 255};
            rgb_color second = {b, a, uint8(255 - b), 255};
            rgb_color expected = {uint8((a + b) / 2), uint8((a + b) / 2), uint8((510 - a - b) / 2),
                                  255};
            EXPECT_RGB(combine(first, second, B_OP_BLEND), expected) << int(a) << "," << int(b);
            EXPECT_RGB(combine(second, first, B_OP_BLEND), expected) << int(b) << "," << int(a);
        }
    }
}

TEST(PainterModes, ChannelArithmetic)
{
    rgb_color under = {100, 200, 30, 255};
    rgb_color over = {150, 60, 30, 255};
    struct Case
    {
        drawing_mode mode;
        rgb_color expected;
    } cases[] = {
        {B_OP_COPY, {150, 60, 30, 255}},   {B_OP_OVER, {150, 60, 30, 255}},
        {B_OP_MIN, {100, 60, 30, 255}},    {B_OP_MAX, {150, 200, 30, 255}},
        {B_OP_ADD, {250, 255, 60, 255}},   {B_OP_SUBTRACT, {0, 140, 0, 255}},
        {B_OP_BLEND, {125, 130, 30, 255}}, {B_OP_INVERT, {155, 55, 225, 255}},
    };
    for (const Case& test : cases)
        EXPECT_RGB(combine(under, over, test.mode), test.expected) << "mode " << test.mode;
}

TEST(PainterModes, AlphaUsesTheSourceAlpha)
{
    rgb_color under = {0, 100, 255, 255};
    EXPECT_RGB(combine(under, {255, 255, 255, 0}, B_OP_ALPHA), under);
    EXPECT_RGB(combine(under, {200, 0, 0, 255}, B_OP_ALPHA), (rgb_color{200, 0, 0, 255}));
    // (255 * 51 + 0 * 204 + 127) / 255 = 51
    EXPECT_RGB(combine(under, {255, 255, 255, 51}, B_OP_ALPHA), (rgb_color{51, 131, 255, 255}));
    // Outside B_OP_ALPHA the colour's alpha does not count.
    EXPECT_RGB(combine(under, {250, 50, 50, 0}, B_OP_COPY), (rgb_color{250, 50, 50, 255}));
}

TEST(PainterModes, OverSkipsTheTransparentColour)
{
    Canvas canvas(4, 1, kRed);
    canvas.state.mode = B_OP_OVER;
    canvas.state.high = kBlack;
    canvas.state.low = B_TRANSPARENT_COLOR;
    canvas.Paint().FillRect(BRect(0, 0, 3, 0), B_MIXED_COLORS);
    EXPECT_RGB(canvas.At(0, 0), kBlack);
    EXPECT_RGB(canvas.At(1, 0), kRed);
    EXPECT_RGB(canvas.At(2, 0), kBlack);
}

TEST(PainterModes, InvertIgnoresThePatternAndIsItsOwnInverse)
{
    Canvas canvas(4, 4, {10, 20, 30, 255});
    canvas.state.mode = B_OP_INVERT;
    canvas.Paint().FillRect(BRect(0, 0, 1, 1), B_SOLID_LOW);
    EXPECT_RGB(canvas.At(0, 0), (rgb_color{245, 235, 225, 255}));
    canvas.state.mode = B_OP_COPY;
    // InvertRect inverts whatever the mode; a stroked outline inverts each
    // pixel once even at the corners.
    canvas.Paint().InvertRect(BRect(0, 0, 1, 1));
    EXPECT_RGB(canvas.At(1, 1), (rgb_color{10, 20, 30, 255}));
    canvas.state.mode = B_OP_INVERT;
    canvas.Paint().StrokeRect(BRect(0, 0, 3, 3), B_SOLID_HIGH);
    EXPECT_RGB(canvas.At(0, 0), (rgb_color{245, 235, 225, 255}));
    EXPECT_RGB(canvas.At(3, 3), (rgb_color{245, 235, 225, 255}));
    EXPECT_RGB(canvas.At(1, 1), (rgb_color{10, 20, 30, 255}));
}

TEST(PainterModes, BitmapsWithAlpha)
{
    BBitmap icon(BRect(0, 0, 1, 0), B_RGBA32);
    auto* bits = static_cast<uint8*>(icon.Bits());
    // Pixel 0 opaque blue, pixel 1 fully transparent; bytes are B, G, R, A.
    const uint8 pixels[] = {255, 0, 0, 255, 0, 255, 0, 0};
    std::copy(std::begin(pixels), std::end(pixels), bits);

    Canvas canvas(2, 1, kRed);
    canvas.state.mode = B_OP_ALPHA;
    canvas.Paint().DrawBitmap(&icon, icon.Bounds(), icon.Bounds());
    EXPECT_RGB(canvas.At(0, 0), (rgb_color{0, 0, 255, 255}));
    EXPECT_RGB(canvas.At(1, 0), kRed);

    canvas.state.mode = B_OP_COPY;
    canvas.Paint().DrawBitmap(&icon, icon.Bounds(), icon.Bounds());
    EXPECT_RGB(canvas.At(1, 0), (rgb_color{0, 255, 0, 255}));
}

TEST(PainterModes, BitmapScalesToTheDestination)
{
    BBitmap picture(BRect(0, 0, 1, 1), B_RGB32);
    auto* bits = static_cast<uint32*>(picture.Bits());
    bits[0] = 0xffff0000; // red, green, blue, white in B,G,R,A memory order
    bits[1] = 0xff00ff00;
    bits[2] = 0xff0000ff;
    bits[3] = 0xffffffff;
    Canvas canvas(8, 8, kBlack);
    canvas.Paint().DrawBitmap(&picture, picture.Bounds(), BRect(0, 0, 7, 7));
    EXPECT_RGB(canvas.At(0, 0), (rgb_color{255, 0, 0, 255}));
    EXPECT_RGB(canvas.At(3, 3), (rgb_color{255, 0, 0, 255}));
    EXPECT_RGB(canvas.At(4, 0), (rgb_color{0, 255, 0, 255}));
    EXPECT_RGB(canvas.At(0, 4), (rgb_color{0, 0, 255, 255}));
    EXPECT_RGB(canvas.At(7, 7), kWhite);
}

// MARK: Text

TEST(PainterText, DrawsAntialiasedTextAboveTheBaseline)
{
    Canvas canvas(100, 30);
    canvas.state.font.SetSize(12);
    Painter painter = canvas.Paint();
    BPoint advance = painter.DrawString("HAMBURT", -1, BPoint(5, 20));
    EXPECT_FLOAT_EQ(advance.x, canvas.state.font.StringWidth("HAMBURT"));
    EXPECT_FLOAT_EQ(advance.y, 0);
    PixelRect touched = painter.Touched();
    EXPECT_GE(touched.x0, 4);
    EXPECT_LE(touched.y1, 22); // capitals stand on row 20 (one row of antialiasing)
    EXPECT_LE(touched.y0, 12);
    int32 dark = 0;
    for (int32 y = 0; y < 30; y++) {
        for (int32 x = 0; x < 100; x++)
            dark += canvas.At(x, y).red < 100 ? 1 : 0;
    }
    EXPECT_GT(dark, 40);
    // Grey edge pixels prove the antialiasing.
    EXPECT_GT(100 * 30 - canvas.Count(kBlack) - canvas.Count(kWhite), 0);
}

TEST(PainterText, RotatedTextFillsAVerticalBand)
{
    Canvas canvas(40, 120);
    canvas.state.font.SetSize(12);
    canvas.state.font.SetRotation(90);
    BPoint advance = canvas.Paint().DrawString("Vertical job", -1, BPoint(20, 110));
    EXPECT_NEAR(advance.x, 0, 0.01);
    EXPECT_LT(advance.y, -40); // reading upwards
    int32 minX = 40, maxX = 0, minY = 120, maxY = 0;
    for (int32 y = 0; y < 120; y++) {
        for (int32 x = 0; x < 40; x++) {
            if (canvas.At(x, y).red < 128) {
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
                minY = std::min(minY, y);
                maxY = std::max(maxY, y);
            }
        }
    }
    EXPECT_GT(maxY - minY, 40); // tall
    EXPECT_LT(maxX - minX, 16); // and narrow
    EXPECT_GE(minX, 20 - 14);   // ascenders point left of the baseline
    EXPECT_LE(maxX, 20 + 4);    // descenders a little right of it
    EXPECT_LE(maxY, 111);
}

TEST(PainterPixels, NonFiniteCoordinatesDrawNothingAndFarLinesStayQuick)
{
    const float nan = std::nanf("");
    const float inf = INFINITY;
    Canvas canvas;
    Painter painter = canvas.Paint();
    const BPoint triangle[3] = {BPoint(1, 1), BPoint(nan, 5), BPoint(9, 9)};
    painter.FillRect(BRect(nan, 0, 10, 10), B_SOLID_HIGH);
    painter.FillRect(BRect(0, 0, inf, 10), B_SOLID_HIGH);
    painter.StrokeRect(BRect(-inf, 0, 10, 10), B_SOLID_HIGH);
    painter.FillEllipse(BRect(0, 0, 10, nan), B_SOLID_HIGH);
    painter.FillRoundRect(BRect(0, 0, inf, 10), 2, 2, B_SOLID_HIGH);
    painter.FillPolygon(triangle, 3, B_SOLID_HIGH);
    painter.StrokeLine(BPoint(0, 0), BPoint(inf, 0), B_SOLID_HIGH);
    painter.StrokeLine(BPoint(nan, 3), BPoint(5, 3), B_SOLID_HIGH);
    painter.DrawString("x", 1, BPoint(nan, 10));
    EXPECT_EQ(canvas.Count(kBlack), 0);

    // A line from far off lights exactly the pixels of its part inside,
    // without walking billions of steps.
    const bigtime_t start = system_time();
    painter.StrokeLine(BPoint(-1e9f, 5), BPoint(20, 5), B_SOLID_HIGH);
    painter.StrokeLine(BPoint(30, 2e9f), BPoint(30, 40), B_SOLID_HIGH);
    EXPECT_LT(system_time() - start, 1'000'000);
    PixelRect box;
    EXPECT_EQ(canvas.Count(kBlack, &box), 21 + 24);
    EXPECT_EQ(box, (PixelRect{0, 5, 31, 64}));
    EXPECT_RGB(canvas.At(20, 5), kBlack);
    EXPECT_RGB(canvas.At(21, 5), kWhite);
    EXPECT_RGB(canvas.At(30, 40), kBlack);
    EXPECT_RGB(canvas.At(30, 39), kWhite);
}
