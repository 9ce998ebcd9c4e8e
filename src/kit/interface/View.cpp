#include "kit/interface/View.h"

#include <cairo.h>

#include <cmath>
#include <cstring>
#include <functional>

#include "kit/app/Debug.h"
#include "kit/app/Message.h"
#include "kit/display/DisplayBackend.h"
#include "kit/interface/Bitmap.h"
#include "kit/interface/ScrollBar.h"
#include "kit/interface/Window.h"

using BPrivate::DrawState;
using BPrivate::DrawTarget;
using BPrivate::Painter;
using BPrivate::PixelRect;
using BPrivate::rounded;

namespace {

bool is_transparent(rgb_color color)
{
    return color.red == B_TRANSPARENT_COLOR.red && color.green == B_TRANSPARENT_COLOR.green &&
           color.blue == B_TRANSPARENT_COLOR.blue && color.alpha == B_TRANSPARENT_COLOR.alpha;
}

// How far an edge moves when the parent grows by delta, by the rule of the
// resizing mode for that edge.
float follow(uint32 rule, float delta)
{
    switch (rule) {
    case _VIEW_RIGHT_:
    case _VIEW_BOTTOM_:
        return delta;
    case _VIEW_CENTER_:
        return delta / 2;
    default:
        return 0;
    }
}

// A key the focus view does not use goes on to its parents and then the
// window, whose MessageReceived() may handle it.
void pass_key_on(BView* view, uint32 what)
{
    BMessage* message = view->Window() != nullptr ? view->Window()->CurrentMessage() : nullptr;
    if (message == nullptr || message->what != what)
        return;
    if (BHandler* next = view->NextHandler())
        next->MessageReceived(message);
}

} // namespace

BView::BView(BRect frame, const char* name, uint32 resizingMode, uint32 flags)
    : BHandler(name), fFrame(rounded(frame)), fResizingMode(resizingMode), fFlags(flags)
{
}

BView::~BView()
{
    if (fParent != nullptr)
        fParent->RemoveChild(this);
    else if (_IsAttached())
        _Detach();
    std::vector<BView*> children;
    children.swap(fChildren);
    for (BView* child : children) {
        child->fParent = nullptr;
        delete child;
    }
}

// MARK: Hooks

void BView::AttachedToWindow() {}
void BView::AllAttached() {}
void BView::DetachedFromWindow() {}
void BView::AllDetached() {}
void BView::Draw(BRect) {}
void BView::DrawAfterChildren(BRect) {}
void BView::FrameMoved(BPoint) {}
void BView::FrameResized(float, float) {}
void BView::MouseDown(BPoint) {}
void BView::MouseUp(BPoint) {}
void BView::MouseMoved(BPoint, uint32, const BMessage*) {}
void BView::KeyDown(const char*, int32)
{
    pass_key_on(this, B_KEY_DOWN);
}

void BView::KeyUp(const char*, int32)
{
    pass_key_on(this, B_KEY_UP);
}

void BView::WindowActivated(bool) {}

void BView::MakeFocus(bool focus)
{
    if (fWindow == nullptr)
        return;
    BView* current = fWindow->CurrentFocus();
    if (focus) {
        if (current == this)
            return;
        if (current != nullptr)
            current->MakeFocus(false);
        fWindow->_SetFocus(this);
    } else if (current == this) {
        fWindow->_SetFocus(nullptr);
    }
}

void BView::MessageReceived(BMessage* message)
{
    BHandler::MessageReceived(message);
}

// MARK: The tree

BView* BView::Parent() const
{
    if (fParent != nullptr && fWindow != nullptr && fParent == fWindow->_TopView())
        return nullptr;
    if (fParent != nullptr && fBitmap != nullptr && fParent == fBitmap->_TopView())
        return nullptr;
    return fParent;
}

void BView::AddChild(BView* child, BView* before)
{
    ASSERT_WITH_MESSAGE(child != nullptr && child->fParent == nullptr && !child->_IsAttached(),
                        "BView::AddChild(): the view already has a parent");
    if (child == nullptr || child->fParent != nullptr || child->_IsAttached())
        return;
    auto at = std::find(fChildren.begin(), fChildren.end(), before);
    fChildren.insert(at, child);
    child->fParent = this;
    if (fWindow != nullptr) {
        child->_Attach(fWindow);
        child->_AllAttached();
        child->_InvalidateFrame();
    } else if (fBitmap != nullptr) {
        child->_AttachToBitmap(fBitmap);
        child->_AllAttached();
        child->_InvalidateFrame();
    }
}

bool BView::RemoveChild(BView* child)
{
    if (child == nullptr || child->fParent != this)
        return false;
    child->_InvalidateFrame();
    if (child->_IsAttached())
        child->_Detach();
    std::erase(fChildren, child);
    child->fParent = nullptr;
    child->SetNextHandler(nullptr);
    return true;
}

bool BView::RemoveSelf()
{
    return fParent != nullptr && fParent->RemoveChild(this);
}

BView* BView::ChildAt(int32 index) const
{
    if (index < 0 || index >= CountChildren())
        return nullptr;
    return fChildren[index];
}

BView* BView::NextSibling() const
{
    if (fParent == nullptr)
        return nullptr;
    auto& siblings = fParent->fChildren;
    auto at = std::find(siblings.begin(), siblings.end(), this);
    return at + 1 < siblings.end() ? *(at + 1) : nullptr;
}

BView* BView::PreviousSibling() const
{
    if (fParent == nullptr)
        return nullptr;
    auto& siblings = fParent->fChildren;
    auto at = std::find(siblings.begin(), siblings.end(), this);
    return at != siblings.begin() && at != siblings.end() ? *(at - 1) : nullptr;
}

BView* BView::FindView(const char* name) const
{
    if (name == nullptr)
        return nullptr;
    if (std::strcmp(Name(), name) == 0)
        return const_cast<BView*>(this);
    for (BView* child : fChildren) {
        if (BView* found = child->FindView(name))
            return found;
    }
    return nullptr;
}

void BView::_Attach(BWindow* window)
{
    fWindow = window;
    window->AddHandler(this);
    SetNextHandler(fParent != nullptr ? static_cast<BHandler*>(fParent) : window);
    AttachedToWindow();
    // A hook may have added children: they are attached already.
    for (size_t i = 0; i < fChildren.size(); i++) {
        if (fChildren[i]->fWindow == nullptr)
            fChildren[i]->_Attach(window);
    }
}

void BView::_AttachToBitmap(BBitmap* bitmap)
{
    fBitmap = bitmap;
    SetNextHandler(fParent);
    AttachedToWindow();
    for (size_t i = 0; i < fChildren.size(); i++) {
        if (!fChildren[i]->_IsAttached())
            fChildren[i]->_AttachToBitmap(bitmap);
    }
}

void BView::_AllAttached()
{
    for (size_t i = 0; i < fChildren.size(); i++)
        fChildren[i]->_AllAttached();
    AllAttached();
}

void BView::_Detach()
{
    DetachedFromWindow();
    for (size_t i = 0; i < fChildren.size(); i++) {
        if (fChildren[i]->_IsAttached())
            fChildren[i]->_Detach();
    }
    AllDetached();
    if (fWindow != nullptr) {
        fWindow->_ViewDetached(this);
        fWindow->RemoveHandler(this);
    }
    fWindow = nullptr;
    fBitmap = nullptr;
}

// MARK: Geometry

BRect BView::Bounds() const
{
    return BRect(fScroll.x, fScroll.y, fScroll.x + fFrame.Width(), fScroll.y + fFrame.Height());
}

void BView::MoveTo(BPoint where)
{
    where.Set(std::round(where.x), std::round(where.y));
    if (where == fFrame.LeftTop())
        return;
    _InvalidateFrame();
    fFrame.OffsetTo(where);
    _InvalidateFrame();
    if (fWindow != nullptr && (fFlags & B_FRAME_EVENTS) != 0) {
        BMessage moved(B_VIEW_MOVED);
        moved.AddPoint("where", where);
        fWindow->PostMessage(&moved, this);
    }
}

void BView::MoveBy(float dx, float dy)
{
    MoveTo(fFrame.LeftTop() + BPoint(dx, dy));
}

void BView::ResizeTo(float width, float height)
{
    ResizeBy(width - fFrame.Width(), height - fFrame.Height());
}

void BView::ResizeBy(float dx, float dy)
{
    dx = std::round(dx);
    dy = std::round(dy);
    if (dx == 0 && dy == 0)
        return;
    _InvalidateFrame();
    fFrame.right += dx;
    fFrame.bottom += dy;
    for (size_t i = 0; i < fChildren.size(); i++)
        fChildren[i]->_ParentResized(dx, dy);
    _InvalidateFrame();
    if (fWindow != nullptr && (fFlags & B_FRAME_EVENTS) != 0) {
        BMessage resized(B_VIEW_RESIZED);
        resized.AddFloat("width", fFrame.Width());
        resized.AddFloat("height", fFrame.Height());
        fWindow->PostMessage(&resized, this);
    }
}

void BView::_ParentResized(float dx, float dy)
{
    uint32 mode = fResizingMode;
    BRect frame = fFrame;
    frame.left += follow((mode >> 12) & 0xf, dx);
    frame.top += follow((mode >> 8) & 0xf, dy);
    frame.right += follow((mode >> 4) & 0xf, dx);
    frame.bottom += follow(mode & 0xf, dy);
    frame = rounded(frame);
    MoveTo(frame.LeftTop());
    ResizeTo(frame.Width(), frame.Height());
}

void BView::ScrollTo(BPoint where)
{
    where.Set(std::round(where.x), std::round(where.y));
    if (where == fScroll)
        return;
    fScroll = where;
    Invalidate();
    if (BScrollBar* bar = ScrollBar(B_HORIZONTAL))
        bar->_TargetScrolled(where.x);
    if (BScrollBar* bar = ScrollBar(B_VERTICAL))
        bar->_TargetScrolled(where.y);
}

BScrollBar* BView::ScrollBar(orientation direction) const
{
    if (fWindow == nullptr)
        return nullptr;
    std::function<BScrollBar*(BView*)> find = [&](BView* view) -> BScrollBar* {
        auto* bar = dynamic_cast<BScrollBar*>(view);
        if (bar != nullptr && bar->Target() == this && bar->Orientation() == direction)
            return bar;
        for (BView* child : view->fChildren) {
            if (BScrollBar* found = find(child))
                return found;
        }
        return nullptr;
    };
    return find(fWindow->_TopView());
}

void BView::ScrollBy(float dx, float dy)
{
    ScrollTo(fScroll + BPoint(dx, dy));
}

BPoint BView::ConvertToParent(BPoint point) const
{
    return point - fScroll + fFrame.LeftTop();
}

void BView::ConvertToParent(BPoint* point) const
{
    *point = ConvertToParent(*point);
}

BRect BView::ConvertToParent(BRect rect) const
{
    BPoint offset = fFrame.LeftTop() - fScroll;
    return rect.OffsetByCopy(offset.x, offset.y);
}

void BView::ConvertToParent(BRect* rect) const
{
    *rect = ConvertToParent(*rect);
}

BPoint BView::ConvertFromParent(BPoint point) const
{
    return point + fScroll - fFrame.LeftTop();
}

void BView::ConvertFromParent(BPoint* point) const
{
    *point = ConvertFromParent(*point);
}

BRect BView::ConvertFromParent(BRect rect) const
{
    BPoint offset = fScroll - fFrame.LeftTop();
    return rect.OffsetByCopy(offset.x, offset.y);
}

void BView::ConvertFromParent(BRect* rect) const
{
    *rect = ConvertFromParent(*rect);
}

BPoint BView::ConvertToScreen(BPoint point) const
{
    BPoint windowPoint = _ConvertToWindow(point);
    return fWindow != nullptr ? fWindow->ConvertToScreen(windowPoint) : windowPoint;
}

void BView::ConvertToScreen(BPoint* point) const
{
    *point = ConvertToScreen(*point);
}

BRect BView::ConvertToScreen(BRect rect) const
{
    BPoint offset = ConvertToScreen(B_ORIGIN);
    return rect.OffsetByCopy(offset.x, offset.y);
}

void BView::ConvertToScreen(BRect* rect) const
{
    *rect = ConvertToScreen(*rect);
}

BPoint BView::ConvertFromScreen(BPoint point) const
{
    return point - ConvertToScreen(B_ORIGIN);
}

void BView::ConvertFromScreen(BPoint* point) const
{
    *point = ConvertFromScreen(*point);
}

BRect BView::ConvertFromScreen(BRect rect) const
{
    BPoint offset = ConvertToScreen(B_ORIGIN);
    return rect.OffsetByCopy(-offset.x, -offset.y);
}

void BView::ConvertFromScreen(BRect* rect) const
{
    *rect = ConvertFromScreen(*rect);
}

BPoint BView::_WindowOffset() const
{
    BPoint offset;
    for (const BView* view = this; view != nullptr; view = view->fParent)
        offset += view->fFrame.LeftTop() - view->fScroll;
    return offset;
}

PixelRect BView::_VisibleRect() const
{
    if (!_IsAttached() || fHideLevel > 0)
        return {};
    BPoint offset = fParent != nullptr ? fParent->_WindowOffset() : B_ORIGIN;
    PixelRect own = PixelRect::FromRect(fFrame.OffsetByCopy(offset.x, offset.y));
    return fParent != nullptr ? own & fParent->_VisibleRect() : own;
}

// MARK: Showing and hiding

void BView::Show()
{
    if (fHideLevel == 0)
        return;
    if (--fHideLevel == 0)
        _InvalidateFrame();
}

void BView::Hide()
{
    if (fHideLevel++ == 0 && fParent != nullptr && _IsAttached()) {
        BPoint offset = fParent->_WindowOffset();
        _InvalidatePixels(PixelRect::FromRect(fFrame.OffsetByCopy(offset.x, offset.y)) &
                          fParent->_VisibleRect());
    }
}

bool BView::IsHidden() const
{
    for (const BView* view = this; view != nullptr; view = view->fParent) {
        if (view->fHideLevel > 0)
            return true;
    }
    return false;
}

bool BView::IsFocus() const
{
    return fWindow != nullptr && fWindow->CurrentFocus() == this;
}

// MARK: Updates

void BView::Invalidate()
{
    _InvalidatePixels(_VisibleRect());
}

void BView::Invalidate(BRect rect)
{
    if (!_IsAttached())
        return;
    BPoint offset = _WindowOffset();
    _InvalidatePixels(PixelRect::FromRect(rect.OffsetByCopy(offset.x, offset.y)) & _VisibleRect());
}

void BView::_InvalidateFrame()
{
    if (!_IsAttached() || fHideLevel > 0)
        return;
    if (fParent == nullptr)
        return Invalidate();
    BPoint offset = fParent->_WindowOffset();
    _InvalidatePixels(PixelRect::FromRect(fFrame.OffsetByCopy(offset.x, offset.y)) &
                      fParent->_VisibleRect());
}

void BView::_InvalidatePixels(PixelRect area)
{
    if (fWindow != nullptr)
        fWindow->_Invalidate(area);
    else if (fBitmap != nullptr)
        fBitmap->_Invalidate(area);
}

// In a bitmap there is no loop pass to draw invalidated views: the program
// draws with the bitmap locked and then syncs, which draws them now.
void BView::Flush() const
{
    if (fWindow != nullptr)
        fWindow->Flush();
    else if (fBitmap != nullptr)
        Sync();
}

void BView::Sync() const
{
    if (fWindow != nullptr) {
        fWindow->Sync();
    } else if (fBitmap != nullptr) {
        ASSERT_WITH_MESSAGE(fBitmap->IsLocked(), "BView::Sync(): the bitmap is not locked");
        fBitmap->_UpdateNow();
    }
}

void BView::GetMouse(BPoint* location, uint32* buttons, bool)
{
    BPoint screen;
    uint32 held = 0;
    DisplayBackend* backend = fWindow != nullptr ? fWindow->_Backend() : DisplayBackend::Default();
    backend->GetMouse(&screen, &held);
    if (location != nullptr)
        *location = ConvertFromScreen(screen);
    if (buttons != nullptr)
        *buttons = held;
}

// MARK: Drawing state

void BView::SetViewColor(rgb_color color)
{
    if (color == fViewColor)
        return;
    fViewColor = color;
    Invalidate();
}

void BView::AdoptParentColors()
{
    BView* parent = Parent();
    if (parent == nullptr && Window() != nullptr)
        parent = Window()->_TopView();
    if (parent != nullptr) {
        SetViewColor(parent->ViewColor());
        SetLowColor(parent->ViewColor());
    }
}

void BView::SetViewColor(uint8 red, uint8 green, uint8 blue, uint8 alpha)
{
    SetViewColor(rgb_color{red, green, blue, alpha});
}

void BView::SetHighColor(uint8 red, uint8 green, uint8 blue, uint8 alpha)
{
    fState.high = {red, green, blue, alpha};
}

void BView::SetLowColor(uint8 red, uint8 green, uint8 blue, uint8 alpha)
{
    fState.low = {red, green, blue, alpha};
}

void BView::SetBlendingMode(source_alpha source, alpha_function function)
{
    fState.alphaSource = source;
    fState.alphaFunction = function;
}

void BView::SetFont(const BFont* font, uint32 mask)
{
    if (font == nullptr)
        return;
    BFont& own = fState.font;
    if ((mask & B_FONT_FAMILY_AND_STYLE) != 0)
        own.SetFamilyAndFace(font->Family(), font->Face());
    else if ((mask & B_FONT_FACE) != 0)
        own.SetFace(font->Face());
    if ((mask & B_FONT_SIZE) != 0)
        own.SetSize(font->Size());
    if ((mask & B_FONT_ROTATION) != 0)
        own.SetRotation(font->Rotation());
    if ((mask & B_FONT_SPACING) != 0)
        own.SetSpacing(font->Spacing());
}

void BView::GetFont(BFont* font) const
{
    if (font != nullptr)
        *font = fState.font;
}

float BView::StringWidth(const char* text, int32 length) const
{
    return fState.font.StringWidth(text, length);
}

void BView::PushState()
{
    fStateStack.push_back(fState);
}

void BView::PopState()
{
    ASSERT_WITH_MESSAGE(!fStateStack.empty(), "BView::PopState() without PushState()");
    if (fStateStack.empty())
        return;
    fState = fStateStack.back();
    fStateStack.pop_back();
}

void BView::SetViewBitmap(const BBitmap* bitmap, BRect source, BRect destination, uint32,
                          uint32 options)
{
    fViewBitmap.reset();
    if (bitmap != nullptr && bitmap->IsValid()) {
        fViewBitmap = std::make_unique<BBitmap>(bitmap->Bounds(), bitmap->ColorSpace());
        std::memcpy(fViewBitmap->Bits(), bitmap->Bits(), bitmap->BitsLength());
    }
    fViewBitmapSource = source;
    fViewBitmapDestination = rounded(destination);
    fViewBitmapOptions = options;
    Invalidate();
}

void BView::SetViewBitmap(const BBitmap* bitmap, uint32 followFlags, uint32 options)
{
    BRect bounds = bitmap != nullptr ? bitmap->Bounds() : BRect();
    SetViewBitmap(bitmap, bounds, bounds, followFlags, options);
}

void BView::ClearViewBitmap()
{
    if (fViewBitmap == nullptr)
        return;
    fViewBitmap.reset();
    Invalidate();
}

void BView::_DrawViewBitmap(Painter& painter)
{
    BRect tile = fViewBitmapDestination;
    if (fViewBitmap == nullptr || !tile.IsValid())
        return;
    BRect area = Bounds();
    float width = tile.Width() + 1, height = tile.Height() + 1;
    bool tileX = (fViewBitmapOptions & B_TILE_BITMAP_X) != 0;
    bool tileY = (fViewBitmapOptions & B_TILE_BITMAP_Y) != 0;
    float firstX =
        tileX ? tile.left - std::ceil((tile.left - area.left) / width) * width : tile.left;
    float firstY = tileY ? tile.top - std::ceil((tile.top - area.top) / height) * height : tile.top;
    for (float y = firstY; y <= (tileY ? area.bottom : firstY); y += height) {
        for (float x = firstX; x <= (tileX ? area.right : firstX); x += width)
            painter.DrawBitmap(fViewBitmap.get(), fViewBitmapSource, tile.OffsetToCopy(x, y));
    }
}

// MARK: Drawing

cairo_surface_t* BView::_Surface() const
{
    if (fWindow != nullptr)
        return fWindow->_Framebuffer();
    return fBitmap != nullptr ? fBitmap->_ViewSurface() : nullptr;
}

template <typename Drawing>
void BView::_Paint(Drawing&& drawing)
{
    DrawTarget target = fDrawing ? fDrawTarget : DrawTarget{_Surface(), B_ORIGIN};
    if (target.surface == nullptr)
        return;
    PixelRect clip = fDrawing ? fDrawClip : _VisibleRect();
    if (clip.IsEmpty())
        return;
    Painter painter(target.surface, _WindowOffset() + target.shift, clip, fState);
    drawing(painter);
    if (fWindow != nullptr && target.surface == fWindow->_Framebuffer())
        fWindow->_Drew(painter.Touched());
}

void BView::_DrawTree(const DrawTarget& target, PixelRect parentVisible, PixelRect dirty)
{
    if (fHideLevel > 0)
        return;
    BPoint parentOffset = (fParent != nullptr ? fParent->_WindowOffset() : B_ORIGIN) + target.shift;
    PixelRect visible =
        PixelRect::FromRect(fFrame.OffsetByCopy(parentOffset.x, parentOffset.y)) & parentVisible;
    PixelRect clip = visible & dirty;
    if (clip.IsEmpty())
        return;

    BPoint origin = _WindowOffset() + target.shift;
    BRect update = clip.ToRect().OffsetByCopy(-origin.x, -origin.y);
    if (!is_transparent(fViewColor)) {
        DrawState erase;
        erase.high = fViewColor;
        Painter painter(target.surface, origin, clip, erase);
        painter.FillRect(update, B_SOLID_HIGH);
    }
    if (fViewBitmap != nullptr) {
        DrawState picture;
        picture.mode = fViewBitmap->ColorSpace() == B_RGBA32 ? B_OP_ALPHA : B_OP_COPY;
        Painter painter(target.surface, origin, clip, picture);
        _DrawViewBitmap(painter);
    }

    // A print may draw a view that is also in the middle of its own update.
    bool wasDrawing = fDrawing;
    PixelRect oldClip = fDrawClip;
    DrawTarget oldTarget = fDrawTarget;
    fDrawing = true;
    fDrawClip = clip;
    fDrawTarget = target;
    if ((fFlags & B_WILL_DRAW) != 0)
        Draw(update);
    fDrawing = false;
    for (size_t i = 0; i < fChildren.size(); i++)
        fChildren[i]->_DrawTree(target, visible, dirty);
    if ((fFlags & B_DRAW_ON_CHILDREN) != 0) {
        fDrawing = true;
        DrawAfterChildren(update);
    }
    fDrawing = wasDrawing;
    fDrawClip = oldClip;
    fDrawTarget = oldTarget;
}

void BView::_DrawInto(cairo_surface_t* surface, BRect rect)
{
    PixelRect whole{0, 0, cairo_image_surface_get_width(surface),
                    cairo_image_surface_get_height(surface)};
    BPoint origin = _WindowOffset();
    DrawTarget target{surface, BPoint(-origin.x - rect.left, -origin.y - rect.top)};
    // In full, whatever the parents and the window would clip away.
    _DrawTree(target, whole, whole);
}

void BView::FillRect(BRect rect, pattern fill)
{
    _Paint([&](Painter& painter) { painter.FillRect(rect, fill); });
}

void BView::StrokeRect(BRect rect, pattern fill)
{
    _Paint([&](Painter& painter) { painter.StrokeRect(rect, fill); });
}

void BView::InvertRect(BRect rect)
{
    _Paint([&](Painter& painter) { painter.InvertRect(rect); });
}

void BView::FillRoundRect(BRect rect, float xRadius, float yRadius, pattern fill)
{
    _Paint([&](Painter& painter) { painter.FillRoundRect(rect, xRadius, yRadius, fill); });
}

void BView::StrokeRoundRect(BRect rect, float xRadius, float yRadius, pattern fill)
{
    _Paint([&](Painter& painter) { painter.StrokeRoundRect(rect, xRadius, yRadius, fill); });
}

void BView::FillEllipse(BRect rect, pattern fill)
{
    _Paint([&](Painter& painter) { painter.FillEllipse(rect, fill); });
}

void BView::FillEllipse(BPoint center, float xRadius, float yRadius, pattern fill)
{
    FillEllipse(
        BRect(center.x - xRadius, center.y - yRadius, center.x + xRadius, center.y + yRadius),
        fill);
}

void BView::StrokeEllipse(BRect rect, pattern fill)
{
    _Paint([&](Painter& painter) { painter.StrokeEllipse(rect, fill); });
}

void BView::StrokeEllipse(BPoint center, float xRadius, float yRadius, pattern fill)
{
    StrokeEllipse(
        BRect(center.x - xRadius, center.y - yRadius, center.x + xRadius, center.y + yRadius),
        fill);
}

void BView::FillTriangle(BPoint first, BPoint second, BPoint third, pattern fill)
{
    BPoint points[3] = {first, second, third};
    FillPolygon(points, 3, fill);
}

void BView::StrokeTriangle(BPoint first, BPoint second, BPoint third, pattern fill)
{
    BPoint points[3] = {first, second, third};
    StrokePolygon(points, 3, true, fill);
}

void BView::FillPolygon(const BPoint* points, int32 count, pattern fill)
{
    _Paint([&](Painter& painter) { painter.FillPolygon(points, count, fill); });
}

void BView::StrokePolygon(const BPoint* points, int32 count, bool closed, pattern fill)
{
    _Paint([&](Painter& painter) { painter.StrokePolygon(points, count, closed, fill); });
}

void BView::StrokeLine(BPoint to, pattern fill)
{
    StrokeLine(fState.penLocation, to, fill);
}

void BView::StrokeLine(BPoint from, BPoint to, pattern fill)
{
    _Paint([&](Painter& painter) { painter.StrokeLine(from, to, fill); });
    fState.penLocation = to;
}

void BView::DrawString(const char* text)
{
    DrawString(text, -1, fState.penLocation);
}

void BView::DrawString(const char* text, BPoint baseline)
{
    DrawString(text, -1, baseline);
}

void BView::DrawString(const char* text, int32 length)
{
    DrawString(text, length, fState.penLocation);
}

void BView::DrawString(const char* text, int32 length, BPoint baseline)
{
    BPoint advance;
    fState.penLocation = baseline;
    _Paint([&](Painter& painter) { advance = painter.DrawString(text, length, baseline); });
    if (advance == B_ORIGIN) {
        // Nothing was drawn (no window, or clipped away): the pen still moves.
        std::string valid = BFont::_ValidText(text, length);
        float width = fState.font.StringWidth(valid);
        double angle = fState.font.Rotation() * 3.14159265358979323846 / 180.0;
        advance.Set(static_cast<float>(width * std::cos(angle)),
                    static_cast<float>(-width * std::sin(angle)));
    }
    fState.penLocation += advance;
}

void BView::DrawBitmap(const BBitmap* bitmap)
{
    DrawBitmap(bitmap, fState.penLocation);
}

void BView::DrawBitmap(const BBitmap* bitmap, BPoint where)
{
    if (bitmap == nullptr)
        return;
    BRect bounds = bitmap->Bounds();
    DrawBitmap(bitmap, bounds, bounds.OffsetToCopy(where.x, where.y));
}

void BView::DrawBitmap(const BBitmap* bitmap, BRect destination)
{
    if (bitmap == nullptr)
        return;
    DrawBitmap(bitmap, bitmap->Bounds(), destination);
}

void BView::DrawBitmap(const BBitmap* bitmap, BRect source, BRect destination)
{
    _Paint([&](Painter& painter) { painter.DrawBitmap(bitmap, source, destination); });
}
