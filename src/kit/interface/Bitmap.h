// Off-screen pixels. Only the 32-bit colour spaces are kept (B_RGB32 and
// B_RGBA32); each row is Width() + 1 pixels of 4 bytes, so BytesPerRow() is
// four times the pixel width and rows follow each other without padding.
#pragma once

#include "kit/app/GraphicsDefs.h"
#include "kit/app/Locker.h"
#include "kit/app/SupportDefs.h"
#include "kit/interface/ColorSpace.h"
#include "kit/interface/Painter.h"

class BView;
typedef struct _cairo_surface cairo_surface_t;

class BBitmap
{
public:
    // bounds is moved to the origin: BRect(0, 0, 31, 31) and
    // BRect(10, 10, 41, 41) both make 32 x 32 pixels. New pixels are zero.
    BBitmap(BRect bounds, color_space space, bool acceptsViews = false);
    // Deletes the views still in the bitmap.
    virtual ~BBitmap();

    BBitmap(const BBitmap&) = delete;
    BBitmap& operator=(const BBitmap&) = delete;

    status_t InitCheck() const { return fInitStatus; }
    bool IsValid() const { return fInitStatus == B_OK; }

    BRect Bounds() const { return fBounds; }
    color_space ColorSpace() const { return fColorSpace; }
    void* Bits() const { return fBits; }
    int32 BitsLength() const { return fBytesPerRow * fHeight; }
    int32 BytesPerRow() const { return fBytesPerRow; }

    bool AcceptsViews() const { return fAcceptsViews; }

    // MARK: Views (only in a bitmap made to accept them)
    //
    // A view added here draws into the pixels: its drawing calls land there
    // at once, and Sync() or Flush() on it draws what was invalidated (the
    // erase with the view colour, Draw(), the children), exactly as a window
    // update would. There is no thread: the program locks the bitmap around
    // its drawing. Window() is null for these views.
    //
    // Drawn pixels are opaque, as in a window; in a B_RGBA32 bitmap the
    // pixels no view touched keep their alpha (zero in a new bitmap).
    void AddChild(BView* view);
    bool RemoveChild(BView* view);
    int32 CountChildren() const;
    BView* ChildAt(int32 index) const;
    BView* FindView(const char* name) const;

    // Nest like BLocker; only the drawing thread needs them.
    bool Lock() { return fLock.Lock(); }
    void Unlock() { fLock.Unlock(); }
    bool IsLocked() const { return fLock.IsLocked(); }

    // For the kit's drawing code. The surface belongs to the bitmap and
    // stays valid until the next call or the bitmap's end.
    // B_RGB32: an RGB24 surface over Bits() itself, so drawing into it lands
    // in the bitmap. B_RGBA32: cairo wants premultiplied alpha while Bits()
    // is not, so this is a premultiplied copy made afresh on each call, to be
    // used as a drawing source only.
    cairo_surface_t* _CairoSurface();
    // For views: a surface over Bits() itself, in either colour space.
    cairo_surface_t* _ViewSurface();
    BView* _TopView() const { return fTopView; }
    void _Invalidate(BPrivate::PixelRect area);
    // Draws the invalidated part of the views now.
    void _UpdateNow();

    // The largest width or height a bitmap may have (cairo's limit).
    static constexpr int32 kMaxSide = 32767;

private:
    void _Allocate(BRect bounds);

    BRect fBounds;
    color_space fColorSpace;
    bool fAcceptsViews;
    status_t fInitStatus;
    int32 fWidth;
    int32 fHeight;
    int32 fBytesPerRow;
    uint8* fBits;
    cairo_surface_t* fSurface;

    cairo_surface_t* fViewSurface = nullptr;
    BView* fTopView = nullptr;
    BPrivate::PixelRect fDirty;
    BLocker fLock;
};
