// A rectangle of a window that draws itself and receives input. Views form a
// tree under the window's top view; a view's frame is in its parent's
// coordinates, its bounds in its own (moved by scrolling). Frames are kept
// on whole pixels, as on the platform.
//
// Everything here is called with the window locked (on the window's thread
// that is always so while a hook runs). Drawing calls made inside Draw() are
// clipped to the update; made elsewhere (a drag loop, MouseDown) they are
// clipped to the view and shown at the next Flush() or loop pass.
#pragma once

#include <memory>
#include <vector>

#include "kit/app/Handler.h"
#include "kit/interface/Font.h"
#include "kit/interface/InterfaceDefs.h"
#include "kit/interface/Painter.h"

class BBitmap;
class BCursor;
class BMessage;
class BScrollBar;
class BWindow;

// Options of SetViewBitmap().
enum : uint32
{
    B_TILE_BITMAP_X = 0x00000001,
    B_TILE_BITMAP_Y = 0x00000002,
    B_TILE_BITMAP = 0x00000003,
};

class BView : public BHandler
{
public:
    BView(BRect frame, const char* name, uint32 resizingMode, uint32 flags);
    // Removes the view from its parent and deletes its children.
    ~BView() override;

    // MARK: Hooks
    virtual void AttachedToWindow();
    virtual void AllAttached();
    virtual void DetachedFromWindow();
    virtual void AllDetached();
    virtual void Draw(BRect updateRect);
    // With B_DRAW_ON_CHILDREN, after the children have drawn.
    virtual void DrawAfterChildren(BRect updateRect);
    // Sent as messages (B_VIEW_MOVED, B_VIEW_RESIZED) to views with
    // B_FRAME_EVENTS, so they arrive after the change is complete.
    virtual void FrameMoved(BPoint newPosition);
    virtual void FrameResized(float newWidth, float newHeight);
    virtual void MouseDown(BPoint where);
    virtual void MouseUp(BPoint where);
    virtual void MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage);
    // By default a key goes on to the parent views and then the window.
    virtual void KeyDown(const char* bytes, int32 numBytes);
    virtual void KeyUp(const char* bytes, int32 numBytes);
    virtual void WindowActivated(bool active);
    virtual void MakeFocus(bool focus = true);
    void MessageReceived(BMessage* message) override;

    // MARK: The tree
    BWindow* Window() const { return fWindow; }
    // Null for a view added to the window itself.
    BView* Parent() const;
    void AddChild(BView* child, BView* before = nullptr);
    bool RemoveChild(BView* child);
    bool RemoveSelf();
    int32 CountChildren() const { return static_cast<int32>(fChildren.size()); }
    BView* ChildAt(int32 index) const;
    BView* NextSibling() const;
    BView* PreviousSibling() const;
    // This view or the first descendant with the name, depth first.
    BView* FindView(const char* name) const;

    // MARK: Geometry
    BRect Frame() const { return fFrame; }
    BRect Bounds() const;
    void MoveTo(BPoint where);
    void MoveTo(float x, float y) { MoveTo(BPoint(x, y)); }
    void MoveBy(float dx, float dy);
    // Children follow by their resizing modes.
    void ResizeTo(float width, float height);
    void ResizeBy(float dx, float dy);
    void ScrollTo(BPoint where);
    void ScrollTo(float x, float y) { ScrollTo(BPoint(x, y)); }
    void ScrollBy(float dx, float dy);
    // The scroll bar in this window whose target is this view, or null.
    // Scrolling the view moves the bar's thumb along.
    BScrollBar* ScrollBar(orientation direction) const;

    void SetResizingMode(uint32 mode) { fResizingMode = mode; }
    uint32 ResizingMode() const { return fResizingMode; }
    virtual void SetFlags(uint32 flags) { fFlags = flags; }
    uint32 Flags() const { return fFlags; }

    BPoint ConvertToParent(BPoint point) const;
    void ConvertToParent(BPoint* point) const;
    BRect ConvertToParent(BRect rect) const;
    void ConvertToParent(BRect* rect) const;
    BPoint ConvertFromParent(BPoint point) const;
    void ConvertFromParent(BPoint* point) const;
    BRect ConvertFromParent(BRect rect) const;
    void ConvertFromParent(BRect* rect) const;
    BPoint ConvertToScreen(BPoint point) const;
    void ConvertToScreen(BPoint* point) const;
    BRect ConvertToScreen(BRect rect) const;
    void ConvertToScreen(BRect* rect) const;
    BPoint ConvertFromScreen(BPoint point) const;
    void ConvertFromScreen(BPoint* point) const;
    BRect ConvertFromScreen(BRect rect) const;
    void ConvertFromScreen(BRect* rect) const;

    // Show and Hide nest: a view hidden twice needs two Show() calls.
    virtual void Show();
    virtual void Hide();
    // Hidden itself or by an ancestor.
    bool IsHidden() const;
    bool IsFocus() const;

    // MARK: Updates and input state
    void Invalidate();
    void Invalidate(BRect rect);
    // Draws what is pending now and hands it to the display.
    void Flush() const;
    void Sync() const;
    // The live pointer in view coordinates and the buttons held now.
    void GetMouse(BPoint* location, uint32* buttons, bool checkMessageQueue = true);
    // The cursor while the pointer is over this view or a child without one
    // of its own; null for none. The cursor is copied.
    void SetViewCursor(const BCursor* cursor, bool sync = true);

    // MARK: Drawing state
    void SetViewColor(rgb_color color);
    void SetViewColor(uint8 red, uint8 green, uint8 blue, uint8 alpha = 255);
    rgb_color ViewColor() const { return fViewColor; }
    // View and low colour := the parent's view colour (the window's top view
    // for a view added to the window itself), for views that sit on their
    // parent's background.
    void AdoptParentColors();
    void SetHighColor(rgb_color color) { fState.high = color; }
    void SetHighColor(uint8 red, uint8 green, uint8 blue, uint8 alpha = 255);
    rgb_color HighColor() const { return fState.high; }
    void SetLowColor(rgb_color color) { fState.low = color; }
    void SetLowColor(uint8 red, uint8 green, uint8 blue, uint8 alpha = 255);
    rgb_color LowColor() const { return fState.low; }
    void SetDrawingMode(drawing_mode mode) { fState.mode = mode; }
    drawing_mode DrawingMode() const { return fState.mode; }
    void SetBlendingMode(source_alpha source, alpha_function function);
    void SetPenSize(float size) { fState.penSize = size > 0 ? size : 0; }
    float PenSize() const { return fState.penSize; }
    void MovePenTo(BPoint where) { fState.penLocation = where; }
    void MovePenTo(float x, float y) { MovePenTo(BPoint(x, y)); }
    void MovePenBy(float dx, float dy) { fState.penLocation += BPoint(dx, dy); }
    BPoint PenLocation() const { return fState.penLocation; }
    void SetFont(const BFont* font, uint32 mask = B_FONT_ALL);
    void GetFont(BFont* font) const;
    void SetFontSize(float size) { fState.font.SetSize(size); }
    float StringWidth(const char* text) const { return fState.font.StringWidth(text); }
    float StringWidth(const char* text, int32 length) const;
    void GetFontHeight(font_height* height) const { fState.font.GetHeight(height); }
    // Saves the colours, mode, pen and font; PopState() without a matching
    // PushState() is a programmer error.
    void PushState();
    void PopState();

    // A picture drawn under the view's own drawing after the view colour.
    // The bitmap is copied.
    void SetViewBitmap(const BBitmap* bitmap, BRect source, BRect destination,
                       uint32 followFlags = B_FOLLOW_LEFT | B_FOLLOW_TOP,
                       uint32 options = B_TILE_BITMAP);
    void SetViewBitmap(const BBitmap* bitmap, uint32 followFlags = B_FOLLOW_LEFT | B_FOLLOW_TOP,
                       uint32 options = B_TILE_BITMAP);
    void ClearViewBitmap();

    // MARK: Drawing
    void FillRect(BRect rect, pattern fill = B_SOLID_HIGH);
    void StrokeRect(BRect rect, pattern fill = B_SOLID_HIGH);
    void InvertRect(BRect rect);
    void FillRoundRect(BRect rect, float xRadius, float yRadius, pattern fill = B_SOLID_HIGH);
    void StrokeRoundRect(BRect rect, float xRadius, float yRadius, pattern fill = B_SOLID_HIGH);
    void FillEllipse(BRect rect, pattern fill = B_SOLID_HIGH);
    void FillEllipse(BPoint center, float xRadius, float yRadius, pattern fill = B_SOLID_HIGH);
    void StrokeEllipse(BRect rect, pattern fill = B_SOLID_HIGH);
    void StrokeEllipse(BPoint center, float xRadius, float yRadius, pattern fill = B_SOLID_HIGH);
    void FillTriangle(BPoint first, BPoint second, BPoint third, pattern fill = B_SOLID_HIGH);
    void StrokeTriangle(BPoint first, BPoint second, BPoint third, pattern fill = B_SOLID_HIGH);
    void FillPolygon(const BPoint* points, int32 count, pattern fill = B_SOLID_HIGH);
    void StrokePolygon(const BPoint* points, int32 count, bool closed = true,
                       pattern fill = B_SOLID_HIGH);
    // Both move the pen to the end point.
    void StrokeLine(BPoint to, pattern fill = B_SOLID_HIGH);
    void StrokeLine(BPoint from, BPoint to, pattern fill = B_SOLID_HIGH);
    // At the pen or at a baseline point; the pen moves past the text.
    void DrawString(const char* text);
    void DrawString(const char* text, BPoint baseline);
    void DrawString(const char* text, int32 length);
    void DrawString(const char* text, int32 length, BPoint baseline);
    void DrawBitmap(const BBitmap* bitmap);
    void DrawBitmap(const BBitmap* bitmap, BPoint where);
    void DrawBitmap(const BBitmap* bitmap, BRect destination);
    void DrawBitmap(const BBitmap* bitmap, BRect source, BRect destination);

    // For the kit's printing: draws this view and its children as a window
    // update would, onto an image surface whose origin is rect's left top
    // (view coordinates). The caller holds the window's lock.
    void _DrawInto(cairo_surface_t* surface, BRect rect);

private:
    friend class BBitmap;
    friend class BWindow;

    void _Attach(BWindow* window);
    // A view in a bitmap has no window: it draws into the bitmap's pixels.
    void _AttachToBitmap(BBitmap* bitmap);
    bool _IsAttached() const { return fWindow != nullptr || fBitmap != nullptr; }
    cairo_surface_t* _Surface() const;
    void _InvalidatePixels(BPrivate::PixelRect area);
    // Erases and draws the dirty part of this view and its children.
    void _DrawTree(const BPrivate::DrawTarget& target, BPrivate::PixelRect parentVisible,
                   BPrivate::PixelRect dirty);
    void _AllAttached();
    void _Detach();
    // Window coordinates of this view's coordinate origin.
    BPoint _WindowOffset() const;
    BPoint _ConvertToWindow(BPoint point) const { return point + _WindowOffset(); }
    BPoint _ConvertFromWindow(BPoint point) const { return point - _WindowOffset(); }
    // The pixels of the window this view may draw on, after its ancestors.
    BPrivate::PixelRect _VisibleRect() const;
    void _InvalidateFrame();
    void _ParentResized(float dx, float dy);
    template <typename Drawing>
    void _Paint(Drawing&& drawing);
    void _DrawViewBitmap(BPrivate::Painter& painter);

    BWindow* fWindow = nullptr;
    BBitmap* fBitmap = nullptr;
    BView* fParent = nullptr;
    std::vector<BView*> fChildren;
    BRect fFrame;
    BPoint fScroll;
    uint32 fResizingMode;
    uint32 fFlags;
    int32 fHideLevel = 0;
    rgb_color fViewColor = {255, 255, 255, 255};
    BPrivate::DrawState fState;
    std::vector<BPrivate::DrawState> fStateStack;

    std::unique_ptr<BBitmap> fViewBitmap;
    std::shared_ptr<const BCursor> fCursor;
    BRect fViewBitmapSource;
    BRect fViewBitmapDestination;
    uint32 fViewBitmapOptions = 0;

    // Set by the window while this view draws its update.
    bool fDrawing = false;
    BPrivate::PixelRect fDrawClip;
    BPrivate::DrawTarget fDrawTarget;
};
