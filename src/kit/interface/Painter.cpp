#include "kit/interface/Painter.h"

#include <cairo.h>

#include <cmath>

#include "kit/interface/Bitmap.h"

namespace BPrivate {

namespace {

constexpr double kPi = 3.14159265358979323846;

// Far beyond any surface, yet inside int32 and cairo's fixed-point range.
constexpr float kFarPixel = 1 << 22;

int32 pixel_of(float coordinate)
{
    if (std::isnan(coordinate))
        return 0;
    return static_cast<int32>(std::floor(std::clamp(coordinate, -kFarPixel, kFarPixel)));
}

// NaN or an infinity draws nothing: there is no pixel it could mean.
bool finite(BPoint point)
{
    return std::isfinite(point.x) && std::isfinite(point.y);
}

bool finite(const BRect& rect)
{
    return finite(rect.LeftTop()) && finite(rect.RightBottom());
}

bool finite(const BPoint* points, int32 count)
{
    for (int32 i = 0; i < count; i++) {
        if (!finite(points[i]))
            return false;
    }
    return true;
}

bool same_rgb(rgb_color a, rgb_color b)
{
    return a.red == b.red && a.green == b.green && a.blue == b.blue;
}

bool same_rgb(uint32 pixel, rgb_color color)
{
    return ((pixel >> 16) & 0xff) == color.red && ((pixel >> 8) & 0xff) == color.green &&
           (pixel & 0xff) == color.blue;
}

bool is_solid(const pattern& fill)
{
    return fill == B_SOLID_HIGH || fill == B_SOLID_LOW;
}

} // namespace

PixelRect PixelRect::FromRect(const BRect& rect)
{
    if (!rect.IsValid())
        return {};
    return {pixel_of(rect.left), pixel_of(rect.top), pixel_of(rect.right) + 1,
            pixel_of(rect.bottom) + 1};
}

Painter::Painter(cairo_surface_t* surface, BPoint origin, PixelRect clip, const DrawState& state)
    : fSurface(surface), fOrigin(origin), fState(state), fMode(state.mode)
{
    cairo_surface_flush(surface);
    fData = cairo_image_surface_get_data(surface);
    fStride = cairo_image_surface_get_stride(surface);
    PixelRect whole{0, 0, cairo_image_surface_get_width(surface),
                    cairo_image_surface_get_height(surface)};
    fClip = fData != nullptr ? clip & whole : PixelRect{};
}

Painter::~Painter()
{
    if (!fTouched.IsEmpty()) {
        cairo_surface_mark_dirty_rectangle(fSurface, fTouched.x0, fTouched.y0,
                                           fTouched.x1 - fTouched.x0, fTouched.y1 - fTouched.y0);
    }
}

// MARK: Primitives

void Painter::FillRect(BRect rect, const pattern& fill)
{
    if (!finite(rect))
        return;
    _FillPixels(_Pixels(rect), fill);
}

void Painter::StrokeRect(BRect rect, const pattern& fill)
{
    if (!finite(rect))
        return;
    PixelRect area = _Pixels(rect);
    if (area.IsEmpty())
        return;
    if (fState.penSize <= 1) {
        // Four disjoint strips: no pixel is combined twice (it matters for
        // B_OP_INVERT and B_OP_BLEND).
        _FillPixels({area.x0, area.y0, area.x1, area.y0 + 1}, fill);
        if (area.y1 - 1 > area.y0)
            _FillPixels({area.x0, area.y1 - 1, area.x1, area.y1}, fill);
        _FillPixels({area.x0, area.y0 + 1, area.x0 + 1, area.y1 - 1}, fill);
        if (area.x1 - 1 > area.x0)
            _FillPixels({area.x1 - 1, area.y0 + 1, area.x1, area.y1 - 1}, fill);
        return;
    }
    float half = fState.penSize / 2;
    Mask mask;
    PixelRect grown{area.x0 - pixel_of(half) - 1, area.y0 - pixel_of(half) - 1,
                    area.x1 + pixel_of(half) + 1, area.y1 + pixel_of(half) + 1};
    if (!_OpenMask(grown, &mask, false))
        return;
    cairo_rectangle(mask.context, area.x0 + 0.5, area.y0 + 0.5, area.x1 - area.x0 - 1,
                    area.y1 - area.y0 - 1);
    cairo_set_line_width(mask.context, fState.penSize);
    cairo_stroke(mask.context);
    _ApplyMask(mask, fill);
}

void Painter::InvertRect(BRect rect)
{
    if (!finite(rect))
        return;
    drawing_mode mode = fMode;
    fMode = B_OP_INVERT;
    _FillPixels(_Pixels(rect), B_SOLID_HIGH);
    fMode = mode;
}

void Painter::FillRoundRect(BRect rect, float xRadius, float yRadius, const pattern& fill)
{
    if (!finite(rect))
        return;
    PixelRect area = _Pixels(rect);
    Mask mask;
    if (!_OpenMask(area, &mask, false))
        return;
    double width = area.x1 - area.x0, height = area.y1 - area.y0;
    double rx = std::clamp<double>(xRadius, 0, width / 2);
    double ry = std::clamp<double>(yRadius, 0, height / 2);
    cairo_t* context = mask.context;
    if (rx <= 0 || ry <= 0) {
        cairo_rectangle(context, area.x0, area.y0, width, height);
    } else {
        cairo_save(context);
        cairo_translate(context, area.x0, area.y0);
        cairo_scale(context, rx, ry);
        double w = width / rx, h = height / ry;
        cairo_new_sub_path(context);
        cairo_arc(context, w - 1, 1, 1, -kPi / 2, 0);
        cairo_arc(context, w - 1, h - 1, 1, 0, kPi / 2);
        cairo_arc(context, 1, h - 1, 1, kPi / 2, kPi);
        cairo_arc(context, 1, 1, 1, kPi, 3 * kPi / 2);
        cairo_close_path(context);
        cairo_restore(context);
    }
    cairo_fill(context);
    _ApplyMask(mask, fill);
}

void Painter::StrokeRoundRect(BRect rect, float xRadius, float yRadius, const pattern& fill)
{
    if (!finite(rect))
        return;
    PixelRect area = _Pixels(rect);
    if (area.IsEmpty())
        return;
    if (xRadius <= 0 || yRadius <= 0)
        return StrokeRect(rect, fill);
    Mask mask;
    if (!_OpenMask(area, &mask, false))
        return;
    float pen = std::max(1.0f, fState.penSize);
    double inset = pen / 2;
    double left = area.x0 + inset, top = area.y0 + inset;
    double width = area.x1 - area.x0 - pen, height = area.y1 - area.y0 - pen;
    double rx = std::clamp<double>(xRadius, 0.5, std::max(0.5, width / 2));
    double ry = std::clamp<double>(yRadius, 0.5, std::max(0.5, height / 2));
    cairo_t* context = mask.context;
    cairo_save(context);
    cairo_translate(context, left, top);
    cairo_scale(context, rx, ry);
    double w = width / rx, h = height / ry;
    cairo_new_sub_path(context);
    cairo_arc(context, w - 1, 1, 1, -kPi / 2, 0);
    cairo_arc(context, w - 1, h - 1, 1, 0, kPi / 2);
    cairo_arc(context, 1, h - 1, 1, kPi / 2, kPi);
    cairo_arc(context, 1, 1, 1, kPi, 3 * kPi / 2);
    cairo_close_path(context);
    cairo_restore(context);
    cairo_set_line_width(context, pen);
    cairo_stroke(context);
    _ApplyMask(mask, fill);
}

void Painter::FillEllipse(BRect rect, const pattern& fill)
{
    if (!finite(rect))
        return;
    PixelRect area = _Pixels(rect);
    Mask mask;
    if (!_OpenMask(area, &mask, false))
        return;
    cairo_t* context = mask.context;
    cairo_save(context);
    cairo_translate(context, (area.x0 + area.x1) / 2.0, (area.y0 + area.y1) / 2.0);
    cairo_scale(context, (area.x1 - area.x0) / 2.0, (area.y1 - area.y0) / 2.0);
    cairo_arc(context, 0, 0, 1, 0, 2 * kPi);
    cairo_restore(context);
    cairo_fill(context);
    _ApplyMask(mask, fill);
}

void Painter::StrokeEllipse(BRect rect, const pattern& fill)
{
    if (!finite(rect))
        return;
    PixelRect area = _Pixels(rect);
    Mask mask;
    if (!_OpenMask(area, &mask, false))
        return;
    float pen = std::max(1.0f, fState.penSize);
    double rx = std::max(0.5, (area.x1 - area.x0 - pen) / 2.0);
    double ry = std::max(0.5, (area.y1 - area.y0 - pen) / 2.0);
    cairo_t* context = mask.context;
    cairo_save(context);
    cairo_translate(context, (area.x0 + area.x1) / 2.0, (area.y0 + area.y1) / 2.0);
    cairo_scale(context, rx, ry);
    cairo_arc(context, 0, 0, 1, 0, 2 * kPi);
    cairo_restore(context);
    cairo_set_line_width(context, pen);
    cairo_stroke(context);
    _ApplyMask(mask, fill);
}

void Painter::FillPolygon(const BPoint* points, int32 count, const pattern& fill)
{
    if (points == nullptr || count < 1 || !finite(points, count))
        return;
    std::vector<BPoint> centres;
    BRect bounds;
    for (int32 i = 0; i < count; i++) {
        centres.push_back(_Centre(points[i]));
        BRect dot(centres.back(), centres.back());
        bounds = i == 0 ? dot : bounds | dot;
    }
    Mask mask;
    PixelRect area{pixel_of(bounds.left) - 1, pixel_of(bounds.top) - 1, pixel_of(bounds.right) + 2,
                   pixel_of(bounds.bottom) + 2};
    if (!_OpenMask(area, &mask, false))
        return;
    // Filling and tracing the outline makes the edges part of the shape, as
    // with inclusive rectangles.
    _PolygonPath(mask.context, centres, true);
    cairo_fill_preserve(mask.context);
    cairo_set_line_width(mask.context, 1);
    // Bevelled: a mitre at a sharp corner would reach past the vertex.
    cairo_set_line_join(mask.context, CAIRO_LINE_JOIN_BEVEL);
    cairo_stroke(mask.context);
    _ApplyMask(mask, fill);
}

void Painter::StrokePolygon(const BPoint* points, int32 count, bool closed, const pattern& fill)
{
    if (points == nullptr || count < 1 || !finite(points, count))
        return;
    if (fState.penSize <= 1) {
        for (int32 i = 0; i + 1 < count; i++)
            _Line(points[i], points[i + 1], fill);
        if (closed && count > 2)
            _Line(points[count - 1], points[0], fill);
        if (count == 1)
            _Line(points[0], points[0], fill);
        return;
    }
    std::vector<BPoint> centres;
    BRect bounds;
    for (int32 i = 0; i < count; i++) {
        centres.push_back(_Centre(points[i]));
        BRect dot(centres.back(), centres.back());
        bounds = i == 0 ? dot : bounds | dot;
    }
    int32 grow = pixel_of(fState.penSize) + 1;
    Mask mask;
    PixelRect area{pixel_of(bounds.left) - grow, pixel_of(bounds.top) - grow,
                   pixel_of(bounds.right) + grow + 1, pixel_of(bounds.bottom) + grow + 1};
    if (!_OpenMask(area, &mask, false))
        return;
    _PolygonPath(mask.context, centres, closed);
    cairo_set_line_width(mask.context, fState.penSize);
    cairo_set_line_cap(mask.context, CAIRO_LINE_CAP_SQUARE);
    cairo_stroke(mask.context);
    _ApplyMask(mask, fill);
}

void Painter::StrokeLine(BPoint from, BPoint to, const pattern& fill)
{
    BPoint points[2] = {from, to};
    StrokePolygon(points, 2, false, fill);
}

BPoint Painter::DrawString(const char* text, int32 length, BPoint baseline)
{
    std::string valid = BFont::_ValidText(text, length);
    if (valid.empty() || !finite(baseline))
        return B_ORIGIN;
    const BFont& font = fState.font;
    cairo_scaled_font_t* scaled = font._CreateScaledFont();
    cairo_text_extents_t extents;
    cairo_scaled_font_text_extents(scaled, valid.c_str(), &extents);
    cairo_scaled_font_destroy(scaled);

    double angle = font.Rotation() * kPi / 180.0;
    double cosine = std::cos(angle), sine = std::sin(angle);
    BPoint advance(static_cast<float>(extents.x_advance * cosine),
                   static_cast<float>(-extents.x_advance * sine));

    // Glyphs stand on the baseline row: their lowest pixels are in row y.
    double x = pixel_of(baseline.x + fOrigin.x);
    double y = pixel_of(baseline.y + fOrigin.y) + 1;
    double minX = 1e9, minY = 1e9, maxX = -1e9, maxY = -1e9;
    for (double cornerX : {extents.x_bearing, extents.x_bearing + extents.width}) {
        for (double cornerY : {extents.y_bearing, extents.y_bearing + extents.height}) {
            double turnedX = cornerX * cosine + cornerY * sine;
            double turnedY = -cornerX * sine + cornerY * cosine;
            minX = std::min(minX, turnedX);
            maxX = std::max(maxX, turnedX);
            minY = std::min(minY, turnedY);
            maxY = std::max(maxY, turnedY);
        }
    }
    PixelRect area{
        static_cast<int32>(std::floor(x + minX)) - 2, static_cast<int32>(std::floor(y + minY)) - 2,
        static_cast<int32>(std::ceil(x + maxX)) + 2, static_cast<int32>(std::ceil(y + maxY)) + 2};
    Mask mask;
    if (!_OpenMask(area, &mask, true))
        return advance;
    cairo_t* context = mask.context;
    cairo_set_font_face(context, font._CairoFace());
    cairo_set_font_size(context, font.Size());
    cairo_set_font_options(context, BFont::_FontOptions());
    cairo_translate(context, x, y);
    cairo_rotate(context, -angle);
    cairo_move_to(context, 0, 0);
    cairo_show_text(context, valid.c_str());
    _ApplyMask(mask, B_SOLID_HIGH);
    return advance;
}

void Painter::DrawBitmap(const BBitmap* bitmap, BRect source, BRect destination)
{
    if (bitmap == nullptr || !bitmap->IsValid() || !finite(source) || !finite(destination))
        return;
    PixelRect from = PixelRect::FromRect(source) & PixelRect::FromRect(bitmap->Bounds());
    PixelRect to = _Pixels(destination);
    PixelRect area = to & fClip;
    if (from.IsEmpty() || area.IsEmpty())
        return;
    const auto* bits = static_cast<const uint8*>(bitmap->Bits());
    bool hasAlpha = bitmap->ColorSpace() == B_RGBA32;
    double scaleX = double(from.x1 - from.x0) / (to.x1 - to.x0);
    double scaleY = double(from.y1 - from.y0) / (to.y1 - to.y0);
    for (int32 y = area.y0; y < area.y1; y++) {
        int32 sourceY = std::min(from.y1 - 1, from.y0 + int32((y - to.y0 + 0.5) * scaleY));
        auto* row = reinterpret_cast<uint32*>(fData + y * fStride);
        for (int32 x = area.x0; x < area.x1; x++) {
            int32 sourceX = std::min(from.x1 - 1, from.x0 + int32((x - to.x0 + 0.5) * scaleX));
            const uint8* pixel = bits + sourceY * bitmap->BytesPerRow() + sourceX * 4;
            rgb_color color{pixel[2], pixel[1], pixel[0], hasAlpha ? pixel[3] : uint8(255)};
            if (fMode == B_OP_OVER && color.alpha == 0)
                continue;
            _Combine(&row[x], color, true, 255);
        }
    }
    fTouched = fTouched | area;
}

// MARK: Pixels

PixelRect Painter::_Pixels(const BRect& rect) const
{
    BRect moved = rect.OffsetByCopy(fOrigin.x, fOrigin.y);
    return PixelRect::FromRect(moved);
}

BPoint Painter::_Centre(BPoint point) const
{
    return BPoint(pixel_of(point.x + fOrigin.x) + 0.5f, pixel_of(point.y + fOrigin.y) + 0.5f);
}

bool Painter::_OpenMask(PixelRect area, Mask* mask, bool antialias) const
{
    area = area & fClip;
    if (area.IsEmpty())
        return false;
    mask->area = area;
    mask->surface =
        cairo_image_surface_create(CAIRO_FORMAT_A8, area.x1 - area.x0, area.y1 - area.y0);
    mask->context = cairo_create(mask->surface);
    cairo_set_antialias(mask->context, antialias ? CAIRO_ANTIALIAS_GRAY : CAIRO_ANTIALIAS_NONE);
    cairo_translate(mask->context, -area.x0, -area.y0);
    return true;
}

void Painter::_ApplyMask(Mask& mask, const pattern& fill)
{
    cairo_destroy(mask.context);
    cairo_surface_flush(mask.surface);
    const uint8* coverage = cairo_image_surface_get_data(mask.surface);
    int32 stride = cairo_image_surface_get_stride(mask.surface);
    PixelRect area = mask.area;
    PixelRect touched;
    if (coverage != nullptr) {
        for (int32 y = area.y0; y < area.y1; y++) {
            const uint8* row = coverage + (y - area.y0) * stride;
            for (int32 x = area.x0; x < area.x1; x++) {
                if (row[x - area.x0] == 0)
                    continue;
                _Put(x, y, fill, row[x - area.x0]);
                touched = touched | PixelRect{x, y, x + 1, y + 1};
            }
        }
    }
    cairo_surface_destroy(mask.surface);
    fTouched = fTouched | touched;
}

void Painter::_FillPixels(PixelRect area, const pattern& fill)
{
    area = area & fClip;
    if (area.IsEmpty())
        return;
    fTouched = fTouched | area;
    rgb_color solid = fill == B_SOLID_HIGH ? fState.high : fState.low;
    bool plainCopy =
        is_solid(fill) &&
        (fMode == B_OP_COPY || (fMode == B_OP_OVER && !same_rgb(solid, B_TRANSPARENT_COLOR)));
    if (plainCopy) {
        uint32 value =
            0xff000000u | (uint32(solid.red) << 16) | (uint32(solid.green) << 8) | solid.blue;
        for (int32 y = area.y0; y < area.y1; y++) {
            auto* row = reinterpret_cast<uint32*>(fData + y * fStride);
            std::fill(row + area.x0, row + area.x1, value);
        }
        return;
    }
    if (is_solid(fill)) {
        // One colour for every pixel: no pattern bit to look up per pixel.
        const bool high = fill == B_SOLID_HIGH;
        for (int32 y = area.y0; y < area.y1; y++) {
            auto* row = reinterpret_cast<uint32*>(fData + y * fStride);
            for (int32 x = area.x0; x < area.x1; x++)
                _Combine(row + x, solid, high, 255);
        }
        return;
    }
    for (int32 y = area.y0; y < area.y1; y++) {
        for (int32 x = area.x0; x < area.x1; x++)
            _Put(x, y, fill, 255);
    }
}

void Painter::_Put(int32 x, int32 y, const pattern& fill, uint8 coverage)
{
    bool high = (fill.data[y & 7] & (0x80 >> (x & 7))) != 0;
    auto* pixel = reinterpret_cast<uint32*>(fData + y * fStride) + x;
    _Combine(pixel, high ? fState.high : fState.low, high, coverage);
}

void Painter::_Line(BPoint from, BPoint to, const pattern& fill)
{
    if (!_ClipLine(&from, &to))
        return;
    int32 x = pixel_of(from.x + fOrigin.x), y = pixel_of(from.y + fOrigin.y);
    int32 endX = pixel_of(to.x + fOrigin.x), endY = pixel_of(to.y + fOrigin.y);
    if (x == endX || y == endY) {
        // Level and upright lines, most of what the windows draw, are the
        // pixels of a one-pixel-wide rectangle.
        _FillPixels(PixelRect{std::min(x, endX), std::min(y, endY), std::max(x, endX) + 1,
                              std::max(y, endY) + 1},
                    fill);
        return;
    }
    int32 dx = std::abs(endX - x), dy = -std::abs(endY - y);
    int32 stepX = x < endX ? 1 : -1, stepY = y < endY ? 1 : -1;
    int32 error = dx + dy;
    PixelRect touched;
    for (;;) {
        if (x >= fClip.x0 && x < fClip.x1 && y >= fClip.y0 && y < fClip.y1) {
            _Put(x, y, fill, 255);
            touched = touched | PixelRect{x, y, x + 1, y + 1};
        }
        if (x == endX && y == endY)
            break;
        int32 twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += stepX;
        }
        if (twice <= dx) {
            error += dx;
            y += stepY;
        }
    }
    fTouched = fTouched | touched;
}

bool Painter::_ClipLine(BPoint* from, BPoint* to) const
{
    // Lines within reach are walked whole, so their pixels never change;
    // a far one is first cut to the clip (Liang-Barsky), or the walk would
    // take millions of steps outside it.
    constexpr double kReach = 1 << 14;
    const double x0 = from->x + fOrigin.x, y0 = from->y + fOrigin.y;
    const double dx = double(to->x) - from->x, dy = double(to->y) - from->y;
    auto near = [&](double x, double y) {
        return x > fClip.x0 - kReach && x < fClip.x1 + kReach && y > fClip.y0 - kReach &&
               y < fClip.y1 + kReach;
    };
    if (near(x0, y0) && near(x0 + dx, y0 + dy))
        return true;
    double enter = 0, leave = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x0 - (fClip.x0 - 1), (fClip.x1 + 1) - x0, y0 - (fClip.y0 - 1),
                         (fClip.y1 + 1) - y0};
    for (int i = 0; i < 4; i++) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            enter = std::max(enter, t);
        else
            leave = std::min(leave, t);
    }
    if (enter > leave)
        return false;
    const BPoint start = *from;
    *from = BPoint(float(start.x + enter * dx), float(start.y + enter * dy));
    *to = BPoint(float(start.x + leave * dx), float(start.y + leave * dy));
    return true;
}

void Painter::_PolygonPath(cairo_t* context, const std::vector<BPoint>& points, bool closed) const
{
    cairo_move_to(context, points[0].x, points[0].y);
    for (size_t i = 1; i < points.size(); i++)
        cairo_line_to(context, points[i].x, points[i].y);
    if (points.size() == 1)
        cairo_line_to(context, points[0].x, points[0].y);
    if (closed)
        cairo_close_path(context);
}

// The drawing modes. Surfaces are opaque: every result has alpha 255, and
// the colours' own alpha only counts in B_OP_ALPHA.
void Painter::_Combine(uint32* pixel, rgb_color source, bool high, uint8 coverage) const
{
    uint32 destination = *pixel;
    int32 d[3] = {int32((destination >> 16) & 0xff), int32((destination >> 8) & 0xff),
                  int32(destination & 0xff)};
    int32 s[3] = {source.red, source.green, source.blue};
    int32 r[3];
    switch (fMode) {
    case B_OP_OVER:
        if (same_rgb(source, B_TRANSPARENT_COLOR))
            return;
        std::copy(s, s + 3, r);
        break;
    case B_OP_ERASE:
        if (!high)
            return;
        r[0] = fState.low.red;
        r[1] = fState.low.green;
        r[2] = fState.low.blue;
        break;
    case B_OP_INVERT:
        for (int i = 0; i < 3; i++)
            r[i] = 255 - d[i];
        break;
    case B_OP_ADD:
        for (int i = 0; i < 3; i++)
            r[i] = std::min(255, s[i] + d[i]);
        break;
    case B_OP_SUBTRACT:
        for (int i = 0; i < 3; i++)
            r[i] = std::max(0, d[i] - s[i]);
        break;
    case B_OP_BLEND:
        for (int i = 0; i < 3; i++)
            r[i] = (s[i] + d[i]) / 2;
        break;
    case B_OP_MIN:
        for (int i = 0; i < 3; i++)
            r[i] = std::min(s[i], d[i]);
        break;
    case B_OP_MAX:
        for (int i = 0; i < 3; i++)
            r[i] = std::max(s[i], d[i]);
        break;
    case B_OP_SELECT:
        if (same_rgb(destination, fState.high))
            r[0] = fState.low.red, r[1] = fState.low.green, r[2] = fState.low.blue;
        else if (same_rgb(destination, fState.low))
            r[0] = fState.high.red, r[1] = fState.high.green, r[2] = fState.high.blue;
        else
            return;
        break;
    case B_OP_ALPHA:
        coverage = static_cast<uint8>((coverage * source.alpha + 127) / 255);
        if (coverage == 0)
            return;
        std::copy(s, s + 3, r);
        break;
    case B_OP_COPY:
    default:
        std::copy(s, s + 3, r);
        break;
    }
    if (coverage < 255) {
        for (int i = 0; i < 3; i++)
            r[i] = (r[i] * coverage + d[i] * (255 - coverage) + 127) / 255;
    }
    *pixel = 0xff000000u | (uint32(r[0]) << 16) | (uint32(r[1]) << 8) | uint32(r[2]);
}

} // namespace BPrivate
