#include "kit/interface/Bitmap.h"

#include <cairo.h>

#include <cstdlib>
#include <cstring>

#include "kit/app/Autolock.h"
#include "kit/app/Debug.h"
#include "kit/interface/View.h"

using BPrivate::DrawTarget;
using BPrivate::PixelRect;

BBitmap::BBitmap(BRect bounds, color_space space, bool acceptsViews)
    : fColorSpace(space), fAcceptsViews(acceptsViews), fInitStatus(B_NO_INIT), fWidth(0),
      fHeight(0), fBytesPerRow(0), fBits(nullptr), fSurface(nullptr)
{
    if (space != B_RGB32 && space != B_RGBA32) {
        fInitStatus = B_BAD_VALUE;
        return;
    }
    _Allocate(bounds);
    if (fAcceptsViews && fInitStatus == B_OK) {
        // The root of the bitmap's views: transparent, so it never erases
        // what the program put into the pixels.
        fTopView = new BView(fBounds, "top view", B_FOLLOW_ALL_SIDES, 0);
        fTopView->SetViewColor(B_TRANSPARENT_COLOR);
        fTopView->_AttachToBitmap(this);
    }
}

BBitmap::~BBitmap()
{
    delete fTopView;
    if (fViewSurface != nullptr)
        cairo_surface_destroy(fViewSurface);
    if (fSurface != nullptr)
        cairo_surface_destroy(fSurface);
    free(fBits);
}

// MARK: Views

void BBitmap::AddChild(BView* view)
{
    ASSERT_WITH_MESSAGE(fTopView != nullptr, "BBitmap::AddChild(): the bitmap accepts no views");
    if (fTopView == nullptr)
        return;
    BAutolock lock(fLock);
    fTopView->AddChild(view);
}

bool BBitmap::RemoveChild(BView* view)
{
    if (fTopView == nullptr)
        return false;
    BAutolock lock(fLock);
    return fTopView->RemoveChild(view);
}

int32 BBitmap::CountChildren() const
{
    return fTopView != nullptr ? fTopView->CountChildren() : 0;
}

BView* BBitmap::ChildAt(int32 index) const
{
    return fTopView != nullptr ? fTopView->ChildAt(index) : nullptr;
}

BView* BBitmap::FindView(const char* name) const
{
    if (fTopView == nullptr || name == nullptr)
        return nullptr;
    for (int32 i = 0; i < fTopView->CountChildren(); i++) {
        if (BView* found = fTopView->ChildAt(i)->FindView(name))
            return found;
    }
    return nullptr;
}

cairo_surface_t* BBitmap::_ViewSurface()
{
    if (fBits == nullptr)
        return nullptr;
    if (fColorSpace == B_RGB32)
        return _CairoSurface();
    // The painter only writes opaque pixels, for which premultiplied and
    // straight alpha are the same bytes, so drawing may go into Bits().
    if (fViewSurface == nullptr) {
        fViewSurface = cairo_image_surface_create_for_data(fBits, CAIRO_FORMAT_ARGB32, fWidth,
                                                           fHeight, fBytesPerRow);
    }
    cairo_surface_mark_dirty(fViewSurface);
    return fViewSurface;
}

void BBitmap::_Invalidate(PixelRect area)
{
    fDirty = fDirty | (area & PixelRect::FromRect(fBounds));
}

void BBitmap::_UpdateNow()
{
    PixelRect dirty = fDirty;
    fDirty = {};
    cairo_surface_t* surface = _ViewSurface();
    if (dirty.IsEmpty() || surface == nullptr)
        return;
    fTopView->_DrawTree(DrawTarget{surface, B_ORIGIN}, PixelRect::FromRect(fBounds), dirty);
    cairo_surface_flush(surface);
}

cairo_surface_t* BBitmap::_CairoSurface()
{
    if (fBits == nullptr)
        return nullptr;

    if (fColorSpace == B_RGB32) {
        if (fSurface == nullptr) {
            fSurface = cairo_image_surface_create_for_data(fBits, CAIRO_FORMAT_RGB24, fWidth,
                                                           fHeight, fBytesPerRow);
        }
        // Callers may have written Bits() since the last call.
        cairo_surface_mark_dirty(fSurface);
        return fSurface;
    }

    if (fSurface != nullptr)
        cairo_surface_destroy(fSurface);
    fSurface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, fWidth, fHeight);
    if (cairo_surface_status(fSurface) != CAIRO_STATUS_SUCCESS)
        return fSurface;

    cairo_surface_flush(fSurface);
    uint8* target = cairo_image_surface_get_data(fSurface);
    int stride = cairo_image_surface_get_stride(fSurface);
    for (int32 y = 0; y < fHeight; y++) {
        const uint8* from = fBits + y * fBytesPerRow;
        uint8* to = target + y * stride;
        for (int32 x = 0; x < fWidth * 4; x += 4) {
            uint32 alpha = from[x + 3];
            for (int32 channel = 0; channel < 3; channel++)
                to[x + channel] = (uint8)((from[x + channel] * alpha + 127) / 255);
            to[x + 3] = (uint8)alpha;
        }
    }
    cairo_surface_mark_dirty(fSurface);
    return fSurface;
}

void BBitmap::_Allocate(BRect bounds)
{
    float width = bounds.Width();
    float height = bounds.Height();
    // The comparisons also turn away NaN.
    if (!(width >= 0 && width < kMaxSide && height >= 0 && height < kMaxSide)) {
        fInitStatus = B_BAD_VALUE;
        return;
    }
    fWidth = (int32)width + 1;
    fHeight = (int32)height + 1;
    fBytesPerRow = fWidth * 4;
    if ((int64)fBytesPerRow * fHeight > INT32_MAX) {
        fWidth = fHeight = fBytesPerRow = 0;
        fInitStatus = B_BAD_VALUE;
        return;
    }

    // Fresh zero pages cost nothing until written, so a picture file that
    // claims a large size takes memory only for the rows it really holds.
    fBits = (uint8*)calloc((size_t)fBytesPerRow * fHeight, 1);
    if (fBits == nullptr) {
        fWidth = fHeight = fBytesPerRow = 0;
        fInitStatus = B_NO_MEMORY;
        return;
    }
    fBounds = BRect(0, 0, fWidth - 1, fHeight - 1);
    fInitStatus = B_OK;
}
