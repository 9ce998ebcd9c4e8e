// The drawing engine behind BView's primitives (kit-private). A painter draws
// into an opaque 32-bit image surface, already moved to a view's origin and
// clipped to the pixels the view may touch. Shapes are rasterised without
// antialiasing and text with it; every pixel is then combined by the drawing
// mode here, not by cairo, so the arithmetic is exact (B_OP_BLEND is
// (source + destination) / 2 in every channel, whichever colour is on top).
//
// Pixel rules: view coordinate x lies in pixel column floor(x + origin.x);
// rectangles are inclusive; points of lines and polygons are pixel centres.
#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

#include "kit/interface/Font.h"
#include "kit/interface/InterfaceDefs.h"

class BBitmap;
typedef struct _cairo cairo_t;
typedef struct _cairo_surface cairo_surface_t;

namespace BPrivate {

// Frames of views and windows are kept on whole pixels.
inline BRect rounded(BRect rect)
{
    return BRect(std::round(rect.left), std::round(rect.top), std::round(rect.right),
                 std::round(rect.bottom));
}

// Whole pixels, right and bottom exclusive.
struct PixelRect
{
    int32 x0 = 0;
    int32 y0 = 0;
    int32 x1 = 0;
    int32 y1 = 0;

    bool IsEmpty() const { return x1 <= x0 || y1 <= y0; }
    PixelRect operator&(const PixelRect& other) const
    {
        return {std::max(x0, other.x0), std::max(y0, other.y0), std::min(x1, other.x1),
                std::min(y1, other.y1)};
    }
    PixelRect operator|(const PixelRect& other) const
    {
        if (IsEmpty())
            return other;
        if (other.IsEmpty())
            return *this;
        return {std::min(x0, other.x0), std::min(y0, other.y0), std::max(x1, other.x1),
                std::max(y1, other.y1)};
    }
    bool operator==(const PixelRect& other) const = default;
    // The inclusive BRect covering these pixels.
    BRect ToRect() const { return BRect(x0, y0, x1 - 1, y1 - 1); }
    // The pixels an inclusive rectangle covers.
    static PixelRect FromRect(const BRect& rect);
};

// What PushState()/PopState() save and restore.
struct DrawState
{
    rgb_color high = {0, 0, 0, 255};
    rgb_color low = {255, 255, 255, 255};
    drawing_mode mode = B_OP_COPY;
    float penSize = 1;
    BPoint penLocation;
    BFont font;
    source_alpha alphaSource = B_PIXEL_ALPHA;
    alpha_function alphaFunction = B_ALPHA_OVERLAY;
};

// Where a tree of views draws: a surface, and how far window coordinates
// move on it (zero for a window's framebuffer or a bitmap's pixels; a print
// puts the printed rectangle at the surface's origin).
struct DrawTarget
{
    cairo_surface_t* surface = nullptr;
    BPoint shift;
};

class Painter
{
public:
    // surface must be a CAIRO_FORMAT_ARGB32 or RGB24 image surface.
    Painter(cairo_surface_t* surface, BPoint origin, PixelRect clip, const DrawState& state);
    ~Painter();

    Painter(const Painter&) = delete;
    Painter& operator=(const Painter&) = delete;

    // Every pixel changed so far, in surface coordinates.
    PixelRect Touched() const { return fTouched; }

    void FillRect(BRect rect, const pattern& fill);
    void StrokeRect(BRect rect, const pattern& fill);
    void InvertRect(BRect rect);
    void FillRoundRect(BRect rect, float xRadius, float yRadius, const pattern& fill);
    void StrokeRoundRect(BRect rect, float xRadius, float yRadius, const pattern& fill);
    void FillEllipse(BRect rect, const pattern& fill);
    void StrokeEllipse(BRect rect, const pattern& fill);
    void FillPolygon(const BPoint* points, int32 count, const pattern& fill);
    void StrokePolygon(const BPoint* points, int32 count, bool closed, const pattern& fill);
    void StrokeLine(BPoint from, BPoint to, const pattern& fill);
    // Returns how far the pen moves (the advance, turned by the rotation).
    BPoint DrawString(const char* text, int32 length, BPoint baseline);
    // Scaled to the destination with the nearest source pixel.
    void DrawBitmap(const BBitmap* bitmap, BRect source, BRect destination);

private:
    struct Mask
    {
        PixelRect area;
        cairo_surface_t* surface = nullptr;
        cairo_t* context = nullptr;
    };

    PixelRect _Pixels(const BRect& rect) const;
    BPoint _Centre(BPoint point) const;
    bool _OpenMask(PixelRect area, Mask* mask, bool antialias) const;
    void _ApplyMask(Mask& mask, const pattern& fill);
    void _FillPixels(PixelRect area, const pattern& fill);
    void _Put(int32 x, int32 y, const pattern& fill, uint8 coverage);
    void _Line(BPoint from, BPoint to, const pattern& fill);
    // Cuts a line that reaches far outside the clip to the part near it;
    // false when nothing of it is near.
    bool _ClipLine(BPoint* from, BPoint* to) const;
    void _PolygonPath(cairo_t* context, const std::vector<BPoint>& points, bool closed) const;
    void _Combine(uint32* pixel, rgb_color source, bool high, uint8 coverage) const;

    cairo_surface_t* fSurface;
    uint8* fData;
    int32 fStride;
    BPoint fOrigin;
    PixelRect fClip;
    const DrawState& fState;
    drawing_mode fMode;
    PixelRect fTouched;
};

} // namespace BPrivate
