#include "kit/interface/Window.h"

#include <cairo.h>

#include <cctype>
#include <cmath>
#include <cstring>
#include <functional>

#include "kit/app/Debug.h"
#include "kit/display/DisplayBackend.h"
#include "kit/display/InputMessages.h"
#include "kit/interface/Bitmap.h"
#include "kit/interface/Button.h"
#include "kit/interface/MenuBar.h"
#include "kit/interface/View.h"

using BPrivate::Painter;
using BPrivate::PixelRect;
using BPrivate::rounded;

namespace {

cairo_surface_t* create_framebuffer(float width, float height, cairo_surface_t* old)
{
    cairo_surface_t* surface = cairo_image_surface_create(
        CAIRO_FORMAT_ARGB32, std::max(1, int(width) + 1), std::max(1, int(height) + 1));
    cairo_t* context = cairo_create(surface);
    cairo_set_source_rgb(context, 1, 1, 1);
    cairo_paint(context);
    if (old != nullptr) {
        cairo_set_source_surface(context, old, 0, 0);
        cairo_paint(context);
    }
    cairo_destroy(context);
    return surface;
}

void set_where(BMessage* message, BPoint where)
{
    message->RemoveName("where");
    message->AddPoint("where", where);
    message->RemoveName("be:view_where");
    message->AddPoint("be:view_where", where);
}

constexpr uint32 kShortcutModifiers = B_SHIFT_KEY | B_OPTION_KEY;

} // namespace

BWindow::BWindow(BRect frame, const char* title, window_type type, uint32 flags, uint32)
    : BLooper(title)
{
    window_look look = B_TITLED_WINDOW_LOOK;
    window_feel feel = B_NORMAL_WINDOW_FEEL;
    switch (type) {
    case B_MODAL_WINDOW:
        look = B_MODAL_WINDOW_LOOK;
        feel = B_MODAL_APP_WINDOW_FEEL;
        break;
    case B_DOCUMENT_WINDOW:
        look = B_DOCUMENT_WINDOW_LOOK;
        break;
    case B_BORDERED_WINDOW:
        look = B_BORDERED_WINDOW_LOOK;
        break;
    case B_FLOATING_WINDOW:
        look = B_FLOATING_WINDOW_LOOK;
        feel = B_FLOATING_APP_WINDOW_FEEL;
        break;
    default:
        break;
    }
    _Init(frame, title, look, feel, flags);
}

BWindow::BWindow(BRect frame, const char* title, window_look look, window_feel feel, uint32 flags,
                 uint32)
    : BLooper(title)
{
    _Init(frame, title, look, feel, flags);
}

void BWindow::_Init(BRect frame, const char* title, window_look look, window_feel feel,
                    uint32 flags)
{
    fBackend = DisplayBackend::Default();
    fTitle = title != nullptr ? title : "";
    fLook = look;
    fFeel = feel;
    fFlags = flags;
    fFrame = rounded(frame);
    fFramebuffer = create_framebuffer(fFrame.Width(), fFrame.Height(), nullptr);
    fTopView = new BView(Bounds(), "top view", B_FOLLOW_ALL_SIDES, B_WILL_DRAW);
    fTopView->_Attach(this);
    fBackend->CreateWindow(this, NativeWindowSpec{fFrame, fTitle, fLook, fFeel, fFlags});
}

BWindow::~BWindow()
{
    // From here on the backend cannot post to this window any more.
    fBackend->DestroyWindow(this);
    fTopView->_Detach();
    delete fTopView;
    cairo_surface_destroy(fFramebuffer);
}

void BWindow::Quit()
{
    if (fHideLevel == 0) {
        fHideLevel = 1;
        fBackend->SetVisible(this, false);
    }
    BLooper::Quit();
}

// MARK: Dispatching

void BWindow::DispatchMessage(BMessage* message, BHandler* handler)
{
    if (handler == this) {
        switch (message->what) {
        case B_MOUSE_DOWN:
            return _MouseDown(message);
        case B_MOUSE_MOVED:
            return _MouseMoved(message);
        case B_MOUSE_UP:
            return _MouseUp(message);
        case B_MOUSE_WHEEL_CHANGED:
            return _MouseWheel(message);
        case B_KEY_DOWN:
            return _KeyDown(message);
        case B_KEY_UP:
            return _KeyUp(message);
        case B_WINDOW_ACTIVATED:
            return _Activated(message);
        case B_WINDOW_MOVED:
            return _Moved(message);
        case B_WINDOW_RESIZED:
            return _Resized(message);
        case _UPDATE_:
            return _Update();
        case B_SIMPLE_DATA:
            if (message->WasDropped())
                return _Drop(message);
            break;
        }
        return BLooper::DispatchMessage(message, handler);
    }
    if (auto* view = dynamic_cast<BView*>(handler)) {
        switch (message->what) {
        case B_VIEW_RESIZED:
            return view->FrameResized(message->GetFloat("width", 0),
                                      message->GetFloat("height", 0));
        case B_VIEW_MOVED:
            return view->FrameMoved(message->GetPoint("where", B_ORIGIN));
        }
    }
    BLooper::DispatchMessage(message, handler);
}

void BWindow::_MouseDown(BMessage* message)
{
    BPoint where = message->GetPoint("where", B_ORIGIN);
    BView* view = FindView(where);
    if (view == nullptr)
        return;
    if (message->GetInt32("buttons", 0) != 0)
        fMouseCapture = view;
    BPoint local = view->_ConvertFromWindow(where);
    set_where(message, local);
    view->MouseDown(local);
}

void BWindow::_MouseMoved(BMessage* message)
{
    BPoint where = message->GetPoint("where", B_ORIGIN);
    if (BView* captured = fMouseCapture) {
        BPoint local = captured->_ConvertFromWindow(where);
        BRect bounds = captured->Bounds();
        bool inside = local.x >= bounds.left && local.x < bounds.right + 1 &&
                      local.y >= bounds.top && local.y < bounds.bottom + 1;
        bool wasInside = fMouseOver == captured;
        fMouseOver = inside ? captured : nullptr;
        uint32 transit = inside ? (wasInside ? B_INSIDE_VIEW : B_ENTERED_VIEW)
                                : (wasInside ? B_EXITED_VIEW : B_OUTSIDE_VIEW);
        return _SendMouseMoved(captured, message, where, transit);
    }

    BView* under = FindView(where);
    BView* previous = fMouseOver;
    fMouseOver = under;
    if (under == previous) {
        if (under != nullptr)
            _SendMouseMoved(under, message, where, B_INSIDE_VIEW);
        return;
    }
    if (previous != nullptr)
        _SendMouseMoved(previous, message, where, B_EXITED_VIEW);
    // The exit hook may have removed the view just entered.
    if (under != nullptr && fMouseOver == under)
        _SendMouseMoved(under, message, where, B_ENTERED_VIEW);
}

void BWindow::_SendMouseMoved(BView* view, BMessage* message, BPoint where, uint32 transit)
{
    BPoint local = view->_ConvertFromWindow(where);
    set_where(message, local);
    message->RemoveName("be:transit");
    message->AddInt32("be:transit", static_cast<int32>(transit));
    _UpdateCursor();
    view->MouseMoved(local, transit, nullptr);
}

void BWindow::_MouseUp(BMessage* message)
{
    BPoint where = message->GetPoint("where", B_ORIGIN);
    BView* view = fMouseCapture != nullptr ? fMouseCapture : FindView(where);
    if (message->GetInt32("buttons", 0) == 0)
        fMouseCapture = nullptr;
    if (view == nullptr)
        return;
    BPoint local = view->_ConvertFromWindow(where);
    set_where(message, local);
    view->MouseUp(local);
}

void BWindow::_MouseWheel(BMessage* message)
{
    BPoint local;
    BView* view = _Target(message, &local);
    BLooper::DispatchMessage(message, view != nullptr ? static_cast<BHandler*>(view) : this);
}

void BWindow::_Drop(BMessage* message)
{
    message->RemoveName("where");
    message->AddPoint("where", ConvertFromScreen(message->DropPoint()));
    BPoint local;
    BView* view = _Target(message, &local);
    BLooper::DispatchMessage(message, view != nullptr ? static_cast<BHandler*>(view) : this);
}

// The view under "where", else the focus view; "where" is rewritten into its
// coordinates.
BView* BWindow::_Target(BMessage* message, BPoint* local) const
{
    BPoint where = message->GetPoint("where", BPoint(-1, -1));
    BView* view = FindView(where);
    if (view == nullptr)
        view = fFocus;
    if (view != nullptr) {
        *local = view->_ConvertFromWindow(where);
        set_where(message, *local);
    }
    return view;
}

void BWindow::_KeyDown(BMessage* message)
{
    if (_HandleShortcut(message) || _HandleTab(message) || _HandleDefaultButton(message))
        return;
    if (fFocus == nullptr)
        return BLooper::DispatchMessage(message, this);
    const char* bytes = message->GetString("bytes", "");
    fFocus->KeyDown(bytes, static_cast<int32>(std::strlen(bytes)));
}

void BWindow::_KeyUp(BMessage* message)
{
    if (fFocus == nullptr)
        return BLooper::DispatchMessage(message, this);
    const char* bytes = message->GetString("bytes", "");
    fFocus->KeyUp(bytes, static_cast<int32>(std::strlen(bytes)));
}

bool BWindow::_HandleShortcut(BMessage* message)
{
    uint32 modifiers = static_cast<uint32>(message->GetInt32("modifiers", 0));
    if ((modifiers & B_COMMAND_KEY) == 0)
        return false;
    int32 key = std::tolower(message->GetInt32("raw_char", 0));
    for (Shortcut& shortcut : fShortcuts) {
        if (int32(shortcut.key) != key ||
            (modifiers & kShortcutModifiers) != (shortcut.modifiers & kShortcutModifiers))
            continue;
        BHandler* target = shortcut.target != nullptr ? shortcut.target : this;
        // The target may have gone since: only a handler still in this
        // window is posted to.
        if (IndexOf(target) >= 0)
            PostMessage(shortcut.message.get(), target);
        return true;
    }
    return fKeyMenuBar != nullptr && fKeyMenuBar->_InvokeShortcut(uint32(key), modifiers);
}

bool BWindow::_HandleTab(BMessage* message)
{
    const char* bytes = message->GetString("bytes", "");
    uint32 modifiers = static_cast<uint32>(message->GetInt32("modifiers", 0));
    if (std::strcmp(bytes, "\t") != 0 ||
        (modifiers & (B_COMMAND_KEY | B_CONTROL_KEY | B_OPTION_KEY)) != 0)
        return false;

    std::vector<BView*> navigable;
    std::function<void(BView*)> collect = [&](BView* view) {
        if (view->fHideLevel > 0)
            return;
        if ((view->Flags() & (B_NAVIGABLE | B_NAVIGABLE_JUMP)) != 0)
            navigable.push_back(view);
        for (BView* child : view->fChildren)
            collect(child);
    };
    collect(fTopView);
    if (navigable.empty())
        return false;

    bool forward = (modifiers & B_SHIFT_KEY) == 0;
    auto count = static_cast<int32>(navigable.size());
    auto found = std::find(navigable.begin(), navigable.end(), fFocus);
    int32 index;
    if (found == navigable.end())
        index = forward ? 0 : count - 1;
    else
        index = (static_cast<int32>(found - navigable.begin()) + (forward ? 1 : count - 1)) % count;
    navigable[index]->MakeFocus(true);
    return true;
}

bool BWindow::_HandleDefaultButton(BMessage* message)
{
    BButton* button = fDefaultButton;
    if (button == nullptr || std::strcmp(message->GetString("bytes", ""), "\n") != 0 ||
        dynamic_cast<BButton*>(fFocus) != nullptr || button->IsHidden() || !button->IsEnabled())
        return false;
    button->KeyDown("\n", 1);
    return true;
}

void BWindow::SetDefaultButton(BButton* button)
{
    if (button == fDefaultButton)
        return;
    BButton* old = fDefaultButton;
    fDefaultButton = button;
    if (old != nullptr)
        old->MakeDefault(false);
    if (button != nullptr)
        button->MakeDefault(true);
}

void BWindow::_Activated(BMessage* message)
{
    bool active = message->GetBool("active", false);
    if (active == fActive)
        return;
    fActive = active;
    WindowActivated(active);
    std::function<void(BView*)> tell = [&](BView* view) {
        view->WindowActivated(active);
        for (size_t i = 0; i < view->fChildren.size(); i++)
            tell(view->fChildren[i]);
    };
    tell(fTopView);
}

void BWindow::_Moved(BMessage* message)
{
    BPoint where = message->GetPoint("where", fFrame.LeftTop());
    if (!message->GetBool("_applied", false))
        fFrame.OffsetTo(where);
    FrameMoved(where);
}

void BWindow::_Resized(BMessage* message)
{
    float width = message->GetFloat("width", fFrame.Width());
    float height = message->GetFloat("height", fFrame.Height());
    if (!message->GetBool("_applied", false))
        _ApplySize(std::round(width), std::round(height));
    FrameResized(width, height);
}

// MARK: Hooks and state

void BWindow::FrameMoved(BPoint) {}
void BWindow::FrameResized(float, float) {}
void BWindow::WindowActivated(bool) {}

void BWindow::Show()
{
    Lock();
    if (fHideLevel > 0 && --fHideLevel == 0) {
        fBackend->SetVisible(this, true);
        _Invalidate(PixelRect::FromRect(Bounds()));
    }
    if (!fRunning) {
        fRunning = true;
        // Also gives up the lock the constructor took.
        Run();
    }
    Unlock();
}

void BWindow::Hide()
{
    Lock();
    if (fHideLevel++ == 0)
        fBackend->SetVisible(this, false);
    Unlock();
}

void BWindow::Activate(bool active)
{
    if (active)
        fBackend->Activate(this);
}

void BWindow::SetTitle(const char* title)
{
    fTitle = title != nullptr ? title : "";
    SetName(fTitle.c_str());
    fBackend->SetTitle(this, fTitle.c_str());
}

BRect BWindow::Bounds() const
{
    return BRect(0, 0, fFrame.Width(), fFrame.Height());
}

void BWindow::MoveTo(BPoint where)
{
    where.Set(std::round(where.x), std::round(where.y));
    if (where == fFrame.LeftTop())
        return;
    fFrame.OffsetTo(where);
    fBackend->SetFrame(this, fFrame);
    BMessage moved = BPrivate::make_window_moved_message(where);
    moved.AddBool("_applied", true);
    PostMessage(&moved);
}

void BWindow::MoveBy(float dx, float dy)
{
    MoveTo(fFrame.LeftTop() + BPoint(dx, dy));
}

void BWindow::ResizeTo(float width, float height)
{
    width = std::round(std::clamp(width, fMinWidth, fMaxWidth));
    height = std::round(std::clamp(height, fMinHeight, fMaxHeight));
    if (width == fFrame.Width() && height == fFrame.Height())
        return;
    _ApplySize(width, height);
    fBackend->SetFrame(this, fFrame);
    BMessage resized = BPrivate::make_window_resized_message(width, height);
    resized.AddBool("_applied", true);
    PostMessage(&resized);
}

void BWindow::ResizeBy(float dx, float dy)
{
    ResizeTo(fFrame.Width() + dx, fFrame.Height() + dy);
}

void BWindow::_ApplySize(float width, float height)
{
    if (width == fFrame.Width() && height == fFrame.Height())
        return;
    fFrame.right = fFrame.left + width;
    fFrame.bottom = fFrame.top + height;
    cairo_surface_t* old = fFramebuffer;
    fFramebuffer = create_framebuffer(width, height, old);
    cairo_surface_destroy(old);
    fTopView->ResizeTo(width, height);
    _Invalidate(PixelRect::FromRect(Bounds()));
}

void BWindow::SetSizeLimits(float minWidth, float maxWidth, float minHeight, float maxHeight)
{
    fMinWidth = std::max(0.0f, minWidth);
    fMaxWidth = std::max(fMinWidth, maxWidth);
    fMinHeight = std::max(0.0f, minHeight);
    fMaxHeight = std::max(fMinHeight, maxHeight);
    fBackend->SetSizeLimits(this, fMinWidth, fMaxWidth, fMinHeight, fMaxHeight);
    ResizeTo(fFrame.Width(), fFrame.Height());
}

void BWindow::GetSizeLimits(float* minWidth, float* maxWidth, float* minHeight,
                            float* maxHeight) const
{
    if (minWidth != nullptr)
        *minWidth = fMinWidth;
    if (maxWidth != nullptr)
        *maxWidth = fMaxWidth;
    if (minHeight != nullptr)
        *minHeight = fMinHeight;
    if (maxHeight != nullptr)
        *maxHeight = fMaxHeight;
}

// MARK: Views

void BWindow::AddChild(BView* child, BView* before)
{
    fTopView->AddChild(child, before);
}

bool BWindow::RemoveChild(BView* child)
{
    return fTopView->RemoveChild(child);
}

int32 BWindow::CountChildren() const
{
    return fTopView->CountChildren();
}

BView* BWindow::ChildAt(int32 index) const
{
    return fTopView->ChildAt(index);
}

BView* BWindow::FindView(const char* name) const
{
    return fTopView->FindView(name);
}

BView* BWindow::FindView(BPoint where) const
{
    auto contains = [](BRect frame, BPoint point) {
        return point.x >= frame.left && point.x < frame.right + 1 && point.y >= frame.top &&
               point.y < frame.bottom + 1;
    };
    if (!contains(fTopView->Frame(), where))
        return nullptr;
    BView* view = fTopView;
    BPoint local = view->ConvertFromParent(where);
    for (;;) {
        BView* hit = nullptr;
        // Later children lie on top of earlier ones.
        for (auto child = view->fChildren.rbegin(); child != view->fChildren.rend(); ++child) {
            if ((*child)->fHideLevel == 0 && contains((*child)->Frame(), local)) {
                hit = *child;
                break;
            }
        }
        if (hit == nullptr)
            return view;
        local = hit->ConvertFromParent(local);
        view = hit;
    }
}

void BWindow::_SetFocus(BView* view)
{
    fFocus = view;
    SetPreferredHandler(view);
}

void BWindow::_ViewDetached(BView* view)
{
    if (fFocus == view)
        _SetFocus(nullptr);
    if (fDefaultButton == view)
        fDefaultButton = nullptr;
    if (fKeyMenuBar == view)
        fKeyMenuBar = nullptr;
    if (fMouseCapture == view)
        fMouseCapture = nullptr;
    if (fMouseOver == view) {
        fMouseOver = nullptr;
        _UpdateCursor();
    }
}

// MARK: Shortcuts

void BWindow::AddShortcut(uint32 key, uint32 modifiers, BMessage* message)
{
    AddShortcut(key, modifiers, message, nullptr);
}

void BWindow::AddShortcut(uint32 key, uint32 modifiers, BMessage* message, BHandler* target)
{
    if (message == nullptr)
        return;
    key = static_cast<uint32>(std::tolower(static_cast<int>(key)));
    RemoveShortcut(key, modifiers);
    // The message belongs to the window from now on, as on the platform.
    fShortcuts.push_back({key, modifiers, std::unique_ptr<BMessage>(message), target});
}

void BWindow::RemoveShortcut(uint32 key, uint32 modifiers)
{
    key = static_cast<uint32>(std::tolower(static_cast<int>(key)));
    std::erase_if(fShortcuts, [&](const Shortcut& shortcut) {
        return shortcut.key == key &&
               (shortcut.modifiers & kShortcutModifiers) == (modifiers & kShortcutModifiers);
    });
}

bool BWindow::HasShortcut(uint32 key, uint32 modifiers) const
{
    key = static_cast<uint32>(std::tolower(static_cast<int>(key)));
    return std::any_of(fShortcuts.begin(), fShortcuts.end(), [&](const Shortcut& shortcut) {
        return shortcut.key == key &&
               (shortcut.modifiers & kShortcutModifiers) == (modifiers & kShortcutModifiers);
    });
}

// MARK: Updates

void BWindow::_Invalidate(PixelRect area)
{
    area = area & PixelRect::FromRect(Bounds());
    if (area.IsEmpty())
        return;
    fDirty = fDirty | area;
    _ScheduleUpdate();
}

void BWindow::_Drew(PixelRect area)
{
    if (area.IsEmpty())
        return;
    fUnpresented = fUnpresented | area;
    if (!fInUpdate)
        _ScheduleUpdate();
}

void BWindow::_ScheduleUpdate()
{
    if (fUpdatePending || fUpdatesDisabled > 0)
        return;
    fUpdatePending = true;
    PostMessage(_UPDATE_);
}

void BWindow::_Update()
{
    fUpdatePending = false;
    _UpdateNow();
}

void BWindow::UpdateIfNeeded()
{
    if (IsLocked())
        _UpdateNow();
}

void BWindow::Flush() const
{
    const_cast<BWindow*>(this)->UpdateIfNeeded();
}

void BWindow::Sync() const
{
    const_cast<BWindow*>(this)->UpdateIfNeeded();
}

void BWindow::DisableUpdates()
{
    fUpdatesDisabled++;
}

void BWindow::EnableUpdates()
{
    if (fUpdatesDisabled > 0 && --fUpdatesDisabled == 0 &&
        (!fDirty.IsEmpty() || !fUnpresented.IsEmpty()))
        _ScheduleUpdate();
}

void BWindow::_UpdateNow()
{
    if (fInUpdate || fUpdatesDisabled > 0)
        return;
    if (!fDirty.IsEmpty()) {
        PixelRect dirty = fDirty;
        fDirty = {};
        fInUpdate = true;
        _DrawView(fTopView, PixelRect::FromRect(Bounds()), dirty);
        fInUpdate = false;
        fUnpresented = fUnpresented | dirty;
    }
    if (fUnpresented.IsEmpty())
        return;
    cairo_surface_flush(fFramebuffer);
    fBackend->Present(this, fFramebuffer, fUnpresented.ToRect());
    fUnpresented = {};
}

void BWindow::_DrawView(BView* view, PixelRect parentVisible, PixelRect dirty)
{
    view->_DrawTree(BPrivate::DrawTarget{fFramebuffer, B_ORIGIN}, parentVisible, dirty);
}
