#include "kit/display/SdlBackend.h"

#include <SDL.h>
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "kit/app/AppDefs.h"
#include "kit/app/Beep.h"
#include "kit/app/Clipboard.h"
#include "kit/app/DisplayPump.h"
#include "kit/app/TypeConstants.h"
#include "kit/display/InputMessages.h"
#include "kit/display/SdlX11.h"
#include "kit/interface/Painter.h"
#include "kit/interface/Window.h"

using BPrivate::PixelRect;

namespace {

std::atomic<bool> sSdlOpen{false};

enum : uint32
{
    kTitleChanged = 0x01,
    kFrameChanged = 0x02,
    kVisibleChanged = 0x04,
    kActivate = 0x08,
    kLimitsChanged = 0x10,
};

int32 pixels(float extent)
{
    return std::max(1, int32(std::lround(extent)) + 1);
}

bool is_borderless(window_look look)
{
    return look == B_BORDERED_WINDOW_LOOK || look == B_NO_BORDER_WINDOW_LOOK;
}

// Menus and pop-ups are borderless windows that never take the focus.
bool is_popup(const NativeWindowSpec& spec)
{
    return is_borderless(spec.look) && (spec.flags & B_AVOID_FOCUS) != 0;
}

uint32 sdl_window_flags(const NativeWindowSpec& spec)
{
    uint32 flags = SDL_WINDOW_HIDDEN;
    bool resizable = (spec.flags & B_NOT_RESIZABLE) == 0 &&
                     (spec.flags & (B_NOT_H_RESIZABLE | B_NOT_V_RESIZABLE)) !=
                         (B_NOT_H_RESIZABLE | B_NOT_V_RESIZABLE);
    if (is_popup(spec))
        return flags | SDL_WINDOW_BORDERLESS | SDL_WINDOW_POPUP_MENU | SDL_WINDOW_ALWAYS_ON_TOP |
               SDL_WINDOW_SKIP_TASKBAR;
    if (is_borderless(spec.look))
        flags |= SDL_WINDOW_BORDERLESS | SDL_WINDOW_SKIP_TASKBAR;
    else if (resizable)
        flags |= SDL_WINDOW_RESIZABLE;
    switch (spec.feel) {
    case B_MODAL_APP_WINDOW_FEEL:
    case B_MODAL_SUBSET_WINDOW_FEEL:
    case B_MODAL_ALL_WINDOW_FEEL:
    case B_FLOATING_ALL_WINDOW_FEEL:
        flags |= SDL_WINDOW_ALWAYS_ON_TOP;
        break;
    case B_FLOATING_APP_WINDOW_FEEL:
    case B_FLOATING_SUBSET_WINDOW_FEEL:
        flags |= SDL_WINDOW_ALWAYS_ON_TOP | SDL_WINDOW_UTILITY | SDL_WINDOW_SKIP_TASKBAR;
        break;
    default:
        break;
    }
    return flags;
}

SDL_SystemCursor system_cursor(BCursorID id)
{
    switch (id) {
    case B_CURSOR_ID_I_BEAM:
        return SDL_SYSTEM_CURSOR_IBEAM;
    case B_CURSOR_ID_CROSS_HAIR:
        return SDL_SYSTEM_CURSOR_CROSSHAIR;
    case B_CURSOR_ID_FOLLOW_LINK:
    case B_CURSOR_ID_GRAB:
    case B_CURSOR_ID_GRABBING:
        return SDL_SYSTEM_CURSOR_HAND;
    case B_CURSOR_ID_MOVE:
        return SDL_SYSTEM_CURSOR_SIZEALL;
    case B_CURSOR_ID_NOT_ALLOWED:
        return SDL_SYSTEM_CURSOR_NO;
    case B_CURSOR_ID_PROGRESS:
        return SDL_SYSTEM_CURSOR_WAITARROW;
    case B_CURSOR_ID_RESIZE_EAST_WEST:
        return SDL_SYSTEM_CURSOR_SIZEWE;
    case B_CURSOR_ID_RESIZE_NORTH_SOUTH:
        return SDL_SYSTEM_CURSOR_SIZENS;
    default:
        return SDL_SYSTEM_CURSOR_ARROW;
    }
}

// The key of a cursor in the cache of SDL cursors.
std::string cursor_key(const BCursor& cursor)
{
    std::string key(1, static_cast<char>(cursor.ID()));
    if (cursor.IsCustom()) {
        key += static_cast<char>(cursor.HotSpotX());
        key += static_cast<char>(cursor.HotSpotY());
        key.append(cursor.ColorBits().begin(), cursor.ColorBits().end());
        key.append(cursor.MaskBits().begin(), cursor.MaskBits().end());
    }
    return key;
}

} // namespace

// What a window thread asked for, and its last frame. Guarded by fLock.
struct SdlBackend::Wanted
{
    int64 id = 0;
    NativeWindowSpec spec;
    bool visible = false;
    float minWidth = 0, maxWidth = 32768, minHeight = 0, maxHeight = 32768;
    uint32 changes = 0;
    std::vector<uint32> pixels;
    int32 width = 0;
    int32 height = 0;
    PixelRect dirty;
    std::optional<BCursor> cursor;
};

// An SDL window. Main thread only.
struct SdlBackend::Native
{
    SDL_Window* window = nullptr;
    uint32 sdlID = 0;
    BRect frame; // as last set or reported
    bool popup = false;
    bool avoidFocus = false;
    bool stale = true; // the window surface needs the whole frame again
    bool shown = false;
};

class SdlBackend::EventPump : public DisplayPump
{
public:
    explicit EventPump(SdlBackend* backend) : fBackend(backend) {}

    void RunUntil(const std::function<bool()>& quitting) override { fBackend->_RunUntil(quitting); }

    void Wake() override
    {
        std::lock_guard lock(fBackend->fLock);
        fBackend->_WakeLocked();
    }

private:
    SdlBackend* fBackend;
};

// MARK: Opening

std::unique_ptr<SdlBackend> SdlBackend::Open(std::string* whyNot)
{
    auto fail = [&](std::string reason) {
        if (whyNot != nullptr)
            *whyNot = std::move(reason);
        return nullptr;
    };
    const char* display = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    bool haveX = display != nullptr && *display != '\0';
    bool haveWayland = wayland != nullptr && *wayland != '\0';
    bool noDisplay = !haveX && !haveWayland;
    bool driverChosen = std::getenv("SDL_VIDEODRIVER") != nullptr;
    if (noDisplay && !driverChosen)
        return fail("DISPLAY is not set");
    if (sSdlOpen.exchange(true))
        return fail("the SDL display is open already");

    // Left to itself SDL falls back to drivers that show nothing.
    if (!driverChosen)
        SDL_SetHint(SDL_HINT_VIDEODRIVER, haveX ? "x11,wayland" : "wayland,x11");
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint("SDL_QUIT_ON_LAST_WINDOW_CLOSE", "0");
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    // Frames go straight to the window system; an OpenGL stand-in would
    // make SDL recreate each window on its first frame.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");

    // Before SDL's own: SDL puts its handler in front at start-up and puts
    // back the one it found when it quits, while errors of its last
    // requests still arrive. Found first, ours stays in force throughout.
    BPrivate::install_x11_wakeup_guard();
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        BPrivate::remove_x11_wakeup_guard();
        std::string reason = noDisplay ? std::string("DISPLAY is not set")
                                       : std::string("cannot open display \"") +
                                             (haveX ? display : wayland) + "\": " + SDL_GetError();
        sSdlOpen = false;
        return fail(reason);
    }
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver == nullptr || std::strcmp(driver, "offscreen") == 0 ||
        std::strcmp(driver, "dummy") == 0) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        BPrivate::remove_x11_wakeup_guard();
        sSdlOpen = false;
        return fail(noDisplay ? "DISPLAY is not set"
                              : std::string("SDL offers only its invisible \"") +
                                    (driver != nullptr ? driver : "?") + "\" driver");
    }

    if (std::strcmp(driver, "x11") != 0)
        BPrivate::remove_x11_wakeup_guard();

    std::unique_ptr<SdlBackend> backend(new SdlBackend);
    SDL_Rect bounds;
    if (SDL_GetDisplayBounds(0, &bounds) == 0)
        backend->fScreen =
            BRect(bounds.x, bounds.y, bounds.x + bounds.w - 1, bounds.y + bounds.h - 1);
    else
        backend->fScreen = BRect(0, 0, 1023, 767);
    backend->fWakeEvent = SDL_RegisterEvents(1);
    SDL_EventState(SDL_DROPFILE, SDL_ENABLE);
    SDL_EventState(SDL_DROPTEXT, SDL_ENABLE);
    backend->_InstallClipboardHooks();
    return backend;
}

SdlBackend::SdlBackend() : fPump(std::make_unique<EventPump>(this)) {}

SdlBackend::~SdlBackend()
{
    be_clipboard->SetHooks({}, {});
    {
        std::lock_guard lock(fLock);
        for (auto& [id, native] : fNatives)
            SDL_DestroyWindow(native->window);
        fNatives.clear();
    }
    for (auto& [key, cursor] : fCursors)
        SDL_FreeCursor(cursor);
    fCursors.clear();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    SDL_Quit();
    BPrivate::remove_x11_wakeup_guard();
    sSdlOpen = false;
}

DisplayPump* SdlBackend::Pump()
{
    return fPump.get();
}

// MARK: Requests from window threads

void SdlBackend::_WakeLocked()
{
    if (fWakeQueued.exchange(true) || fWakeEvent == uint32(-1))
        return;
    SDL_Event event;
    SDL_zero(event);
    event.type = fWakeEvent;
    // SDL_PushEvent() is one of the few SDL calls safe on any thread.
    SDL_PushEvent(&event);
}

SdlBackend::Wanted* SdlBackend::_FindLocked(BWindow* window)
{
    auto found = fWindows.find(window);
    return found != fWindows.end() ? found->second.get() : nullptr;
}

void SdlBackend::CreateWindow(BWindow* window, const NativeWindowSpec& spec)
{
    std::lock_guard lock(fLock);
    auto wanted = std::make_unique<Wanted>();
    wanted->id = fNextId++;
    wanted->spec = spec;
    fWindowsById[wanted->id] = window;
    fWindows[window] = std::move(wanted);
    _WakeLocked();
}

void SdlBackend::DestroyWindow(BWindow* window)
{
    std::lock_guard lock(fLock);
    auto found = fWindows.find(window);
    if (found == fWindows.end())
        return;
    fWindowsById.erase(found->second->id);
    fWindows.erase(found);
    _WakeLocked();
}

void SdlBackend::SetTitle(BWindow* window, const char* title)
{
    std::lock_guard lock(fLock);
    if (Wanted* wanted = _FindLocked(window)) {
        wanted->spec.title = title != nullptr ? title : "";
        wanted->changes |= kTitleChanged;
        _WakeLocked();
    }
}

void SdlBackend::SetFrame(BWindow* window, BRect frame)
{
    std::lock_guard lock(fLock);
    if (Wanted* wanted = _FindLocked(window)) {
        wanted->spec.frame = frame;
        wanted->changes |= kFrameChanged;
        _WakeLocked();
    }
}

void SdlBackend::SetVisible(BWindow* window, bool visible)
{
    std::lock_guard lock(fLock);
    Wanted* wanted = _FindLocked(window);
    if (wanted == nullptr || wanted->visible == visible)
        return;
    wanted->visible = visible;
    wanted->changes |= kVisibleChanged;
    _WakeLocked();
}

void SdlBackend::Activate(BWindow* window)
{
    std::lock_guard lock(fLock);
    if (Wanted* wanted = _FindLocked(window)) {
        wanted->changes |= kActivate;
        _WakeLocked();
    }
}

void SdlBackend::SetSizeLimits(BWindow* window, float minWidth, float maxWidth, float minHeight,
                               float maxHeight)
{
    std::lock_guard lock(fLock);
    if (Wanted* wanted = _FindLocked(window)) {
        wanted->minWidth = minWidth;
        wanted->maxWidth = maxWidth;
        wanted->minHeight = minHeight;
        wanted->maxHeight = maxHeight;
        wanted->changes |= kLimitsChanged;
        _WakeLocked();
    }
}

void SdlBackend::Present(BWindow* window, cairo_surface_t* frame, BRect dirty)
{
    int32 width = cairo_image_surface_get_width(frame);
    int32 height = cairo_image_surface_get_height(frame);
    int32 stride = cairo_image_surface_get_stride(frame);
    const uint8* data = cairo_image_surface_get_data(frame);
    if (data == nullptr)
        return;

    std::lock_guard lock(fLock);
    Wanted* wanted = _FindLocked(window);
    if (wanted == nullptr)
        return;
    PixelRect area = PixelRect::FromRect(dirty) & PixelRect{0, 0, width, height};
    if (wanted->width != width || wanted->height != height) {
        wanted->width = width;
        wanted->height = height;
        wanted->pixels.assign(size_t(width) * height, 0);
        area = PixelRect{0, 0, width, height};
    }
    if (area.IsEmpty())
        return;
    for (int32 y = area.y0; y < area.y1; y++) {
        const auto* row = reinterpret_cast<const uint32*>(data + size_t(y) * stride);
        std::copy(row + area.x0, row + area.x1,
                  wanted->pixels.begin() + size_t(y) * width + area.x0);
    }
    wanted->dirty = wanted->dirty | area;
    _WakeLocked();
}

void SdlBackend::GetMouse(BPoint* screenWhere, uint32* buttons) const
{
    fPointerState.GetMouse(screenWhere, buttons);
}

uint32 SdlBackend::Modifiers() const
{
    return fPointerState.Modifiers();
}

void SdlBackend::SetAppCursor(const BCursor& cursor)
{
    std::lock_guard lock(fLock);
    fAppCursor = cursor;
    _WakeLocked();
}

void SdlBackend::SetWindowCursor(BWindow* window, const BCursor* cursor)
{
    std::lock_guard lock(fLock);
    if (Wanted* wanted = _FindLocked(window)) {
        wanted->cursor.reset();
        if (cursor != nullptr)
            wanted->cursor = *cursor;
        _WakeLocked();
    }
}

// MARK: The pump (main thread)

void SdlBackend::_RunUntil(const std::function<bool()>& quitting)
{
    SDL_StartTextInput();
    _ReadDesktopClipboard();
    while (!quitting()) {
        _Sync();
        SDL_Event event;
        // The timeout only bounds how late a lost wake-up is noticed.
        if (SDL_WaitEventTimeout(&event, 200) != 0) {
            _Handle(event);
            while (SDL_PollEvent(&event) != 0)
                _Handle(event);
            _SettleFocus();
        }
    }
    _Sync();
}

void SdlBackend::_Sync()
{
    struct Work
    {
        int64 id;
        Wanted wanted;
        uint32 changes;
    };
    std::vector<Work> work;
    std::vector<int64> gone;
    {
        std::lock_guard lock(fLock);
        for (auto& [window, wanted] : fWindows) {
            bool isNew = fNatives.count(wanted->id) == 0;
            if (!isNew && wanted->changes == 0)
                continue;
            Work each{wanted->id, Wanted(), wanted->changes};
            each.wanted.spec = wanted->spec;
            each.wanted.visible = wanted->visible;
            each.wanted.minWidth = wanted->minWidth;
            each.wanted.maxWidth = wanted->maxWidth;
            each.wanted.minHeight = wanted->minHeight;
            each.wanted.maxHeight = wanted->maxHeight;
            if (isNew)
                each.changes |= kVisibleChanged | kLimitsChanged;
            wanted->changes = 0;
            work.push_back(std::move(each));
        }
        // Destroyed with fLock held: SDL_PushEvent() (in _WakeLocked()) may
        // be sending its wake-up to this very window.
        for (auto native = fNatives.begin(); native != fNatives.end();) {
            if (fWindowsById.count(native->first) != 0) {
                ++native;
                continue;
            }
            SDL_DestroyWindow(native->second->window);
            gone.push_back(native->first);
            native = fNatives.erase(native);
        }
    }

    // SDL calls that may talk to the window system at length run unlocked.
    bool refocus = false;
    for (int64 id : gone) {
        std::erase(fFocusOrder, id);
        if (fActive == id) {
            fActive = 0;
            refocus = true;
        }
    }
    for (const Work& each : work)
        refocus = _ApplyWanted(each.id, each.wanted, each.changes) || refocus;
    if (refocus)
        _FocusPrevious();
    _Upload();
    _UpdateCursor();
    _PublishClipboard();
}

void SdlBackend::_CreateNative(int64 id, const Wanted& wanted)
{
    const NativeWindowSpec& spec = wanted.spec;
    BRect frame = spec.frame;
    SDL_Window* window =
        SDL_CreateWindow(spec.title.c_str(), int(frame.left), int(frame.top), pixels(frame.Width()),
                         pixels(frame.Height()), sdl_window_flags(spec));
    if (window == nullptr) {
        std::fprintf(stderr, "vantrel: cannot create a window: %s\n", SDL_GetError());
        return;
    }
    auto native = std::make_unique<Native>();
    native->window = window;
    native->sdlID = SDL_GetWindowID(window);
    native->frame = frame;
    native->popup = is_popup(spec);
    native->avoidFocus = (spec.flags & B_AVOID_FOCUS) != 0;
    fNatives[id] = std::move(native);
}

bool SdlBackend::_ApplyWanted(int64 id, const Wanted& wanted, uint32 changes)
{
    if (fNatives.count(id) == 0) {
        _CreateNative(id, wanted);
        if (fNatives.count(id) == 0)
            return false;
        changes &= ~(kTitleChanged | kFrameChanged);
    }
    Native& native = *fNatives[id];
    SDL_Window* window = native.window;
    if ((changes & kTitleChanged) != 0)
        SDL_SetWindowTitle(window, wanted.spec.title.c_str());
    if ((changes & kLimitsChanged) != 0) {
        SDL_SetWindowMinimumSize(window, pixels(wanted.minWidth), pixels(wanted.minHeight));
        SDL_SetWindowMaximumSize(window, pixels(std::min(wanted.maxWidth, 16383.0f)),
                                 pixels(std::min(wanted.maxHeight, 16383.0f)));
    }
    if ((changes & kFrameChanged) != 0) {
        BRect frame = wanted.spec.frame;
        if (frame.LeftTop() != native.frame.LeftTop())
            SDL_SetWindowPosition(window, int(frame.left), int(frame.top));
        if (frame.Width() != native.frame.Width() || frame.Height() != native.frame.Height()) {
            SDL_SetWindowSize(window, pixels(frame.Width()), pixels(frame.Height()));
            native.stale = true;
        }
        native.frame = frame;
    }
    bool lostFocus = false;
    if ((changes & kVisibleChanged) != 0) {
        native.shown = wanted.visible;
        if (wanted.visible) {
            SDL_ShowWindow(window);
            native.stale = true;
            if (!native.avoidFocus)
                changes |= kActivate;
        } else {
            SDL_HideWindow(window);
            lostFocus = fActive == id;
        }
    }
    if ((changes & kActivate) != 0 && wanted.visible && !native.avoidFocus)
        _Focus(native);
    return lostFocus;
}

// A window manager raises and focuses a window when it is shown or clicked,
// and focuses the one before when the active one goes. Without one (Xvfb)
// nothing does: so do it here, which is harmless with one.
void SdlBackend::_Focus(Native& native)
{
    SDL_RaiseWindow(native.window);
    SDL_SetWindowInputFocus(native.window);
}

void SdlBackend::_FocusPrevious()
{
    for (auto id = fFocusOrder.rbegin(); id != fFocusOrder.rend(); ++id) {
        auto found = fNatives.find(*id);
        if (found != fNatives.end() && found->second->shown) {
            _Focus(*found->second);
            return;
        }
    }
}

void SdlBackend::_Upload()
{
    struct Update
    {
        SDL_Window* window;
        SDL_Rect rect;
    };
    std::vector<Update> updates;
    {
        std::lock_guard lock(fLock);
        for (auto& [window, wanted] : fWindows) {
            auto found = fNatives.find(wanted->id);
            if (found == fNatives.end() || !wanted->visible || wanted->width == 0)
                continue;
            Native& native = *found->second;
            if (native.stale)
                wanted->dirty = PixelRect{0, 0, wanted->width, wanted->height};
            if (wanted->dirty.IsEmpty())
                continue;
            SDL_Surface* surface = SDL_GetWindowSurface(native.window);
            if (surface == nullptr)
                continue;
            PixelRect area = wanted->dirty & PixelRect{0, 0, surface->w, surface->h};
            wanted->dirty = {};
            native.stale = false;
            if (area.IsEmpty())
                continue;
            if (SDL_MUSTLOCK(surface))
                SDL_LockSurface(surface);
            const uint32* from = wanted->pixels.data() + size_t(area.y0) * wanted->width + area.x0;
            auto* to = static_cast<uint8*>(surface->pixels) + size_t(area.y0) * surface->pitch +
                       size_t(area.x0) * surface->format->BytesPerPixel;
            SDL_ConvertPixels(area.x1 - area.x0, area.y1 - area.y0, SDL_PIXELFORMAT_ARGB8888, from,
                              wanted->width * 4, surface->format->format, to, surface->pitch);
            if (SDL_MUSTLOCK(surface))
                SDL_UnlockSurface(surface);
            updates.push_back(
                {native.window, {area.x0, area.y0, area.x1 - area.x0, area.y1 - area.y0}});
        }
    }
    for (const Update& update : updates)
        SDL_UpdateWindowSurfaceRects(update.window, &update.rect, 1);
}

void SdlBackend::_UpdateCursor()
{
    BCursor wanted(B_CURSOR_ID_SYSTEM_DEFAULT);
    {
        int64 id = 0;
        if (SDL_Window* focus = SDL_GetMouseFocus())
            id = _IdForSdlWindow(SDL_GetWindowID(focus));
        std::lock_guard lock(fLock);
        wanted = fAppCursor;
        auto window = fWindowsById.find(id);
        if (window != fWindowsById.end()) {
            const Wanted& state = *fWindows[window->second];
            if (state.cursor.has_value())
                wanted = *state.cursor;
        }
    }

    if (wanted.ID() == B_CURSOR_ID_NO_CURSOR) {
        SDL_ShowCursor(SDL_DISABLE);
        fShownCursor = nullptr;
        return;
    }
    std::string key = cursor_key(wanted);
    SDL_Cursor*& cursor = fCursors[key];
    if (cursor == nullptr) {
        if (wanted.IsCustom())
            cursor = SDL_CreateCursor(wanted.ColorBits().data(), wanted.MaskBits().data(),
                                      BCursor::kSize, BCursor::kSize, wanted.HotSpotX(),
                                      wanted.HotSpotY());
        else
            cursor = SDL_CreateSystemCursor(system_cursor(wanted.ID()));
        if (cursor == nullptr) {
            fCursors.erase(key);
            return;
        }
    }
    if (cursor != fShownCursor) {
        SDL_SetCursor(cursor);
        SDL_ShowCursor(SDL_ENABLE);
        fShownCursor = cursor;
    }
}

// MARK: Events (main thread)

int64 SdlBackend::_IdForSdlWindow(uint32 sdlWindowID) const
{
    for (const auto& [id, native] : fNatives) {
        if (native->sdlID == sdlWindowID)
            return id;
    }
    return 0;
}

BPoint SdlBackend::_ScreenPoint(int64 id, BPoint where) const
{
    auto found = fNatives.find(id);
    return found != fNatives.end() ? where + found->second->frame.LeftTop() : where;
}

void SdlBackend::_PostLocked(int64 id, const BMessage& message)
{
    // Only windows still registered: DestroyWindow() needs fLock, so the
    // window cannot be deleted while this posts.
    auto found = fWindowsById.find(id);
    if (found == fWindowsById.end())
        return;
    BMessage copy(message);
    found->second->PostMessage(&copy);
}

void SdlBackend::_Handle(const SDL_Event& event)
{
    if (event.type == fWakeEvent) {
        fWakeQueued = false;
        return;
    }
    switch (event.type) {
    case SDL_WINDOWEVENT:
        return _HandleWindowEvent(event);
    case SDL_MOUSEMOTION:
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
    case SDL_MOUSEWHEEL:
        return _HandleMouse(event);
    case SDL_KEYDOWN:
    case SDL_KEYUP:
    case SDL_TEXTINPUT:
        return _HandleKey(event);
    case SDL_CLIPBOARDUPDATE:
        return _ReadDesktopClipboard();
    case SDL_DROPBEGIN:
    case SDL_DROPFILE:
    case SDL_DROPTEXT:
    case SDL_DROPCOMPLETE:
        return _HandleDrop(event);
    default:
        return;
    }
}

void SdlBackend::_HandleWindowEvent(const SDL_Event& event)
{
    int64 id = _IdForSdlWindow(event.window.windowID);
    auto found = fNatives.find(id);
    if (found == fNatives.end())
        return;
    Native& native = *found->second;
    switch (event.window.event) {
    case SDL_WINDOWEVENT_MOVED:
        return _WindowMoved(id, native, BPoint(event.window.data1, event.window.data2));
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        return _WindowResized(id, native, event.window.data1 - 1, event.window.data2 - 1);
    case SDL_WINDOWEVENT_EXPOSED:
        return _WindowExposed(native);
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        return _FocusChanged(id, true);
    case SDL_WINDOWEVENT_FOCUS_LOST:
        return _FocusChanged(id, false);
    case SDL_WINDOWEVENT_ENTER:
        return _UpdateCursor();
    case SDL_WINDOWEVENT_LEAVE:
        return _PointerLeft(id, native);
    case SDL_WINDOWEVENT_CLOSE:
        return _CloseRequested(id);
    default:
        return;
    }
}

SdlBackend::Wanted* SdlBackend::_UserFrameTargetLocked(int64 id)
{
    auto window = fWindowsById.find(id);
    if (window == fWindowsById.end())
        return nullptr;
    Wanted* wanted = fWindows[window->second].get();
    return (wanted->changes & kFrameChanged) == 0 ? wanted : nullptr;
}

void SdlBackend::_WindowMoved(int64 id, Native& native, BPoint where)
{
    std::lock_guard lock(fLock);
    Wanted* wanted = _UserFrameTargetLocked(id);
    // A move of our own, or one a pending request will undo.
    if (where == native.frame.LeftTop() || wanted == nullptr)
        return;
    native.frame.OffsetTo(where);
    wanted->spec.frame.OffsetTo(where);
    _PostLocked(id, BPrivate::make_window_moved_message(where));
}

void SdlBackend::_WindowResized(int64 id, Native& native, float width, float height)
{
    native.stale = true;
    std::lock_guard lock(fLock);
    Wanted* wanted = _UserFrameTargetLocked(id);
    if ((width == native.frame.Width() && height == native.frame.Height()) || wanted == nullptr)
        return;
    native.frame.right = native.frame.left + width;
    native.frame.bottom = native.frame.top + height;
    wanted->spec.frame = native.frame;
    _PostLocked(id, BPrivate::make_window_resized_message(width, height));
}

void SdlBackend::_WindowExposed(Native& native)
{
    native.stale = true;
    _Upload();
}

// Lets the view under the pointer see it go.
void SdlBackend::_PointerLeft(int64 id, const Native& native)
{
    int x = 0, y = 0;
    SDL_GetGlobalMouseState(&x, &y);
    BPoint screen(x, y);
    BPoint where = screen - native.frame.LeftTop();
    if (native.frame.Contains(screen))
        where = BPoint(-1, -1);
    std::lock_guard lock(fLock);
    if (fPointerState.Buttons() == 0)
        _PostLocked(id, BPrivate::make_mouse_message(B_MOUSE_MOVED, where, screen, 0, 0,
                                                     fPointerState.Modifiers()));
}

void SdlBackend::_CloseRequested(int64 id)
{
    std::lock_guard lock(fLock);
    _PostLocked(id, BMessage(B_QUIT_REQUESTED));
}

// Menus and pop-ups must not take the focus from their window, but some
// window systems hand it to them when they appear: a loss of focus is only
// settled after the batch of events it came in (_SettleFocus()).
void SdlBackend::_FocusChanged(int64 id, bool gained)
{
    auto found = fNatives.find(id);
    if (found == fNatives.end())
        return;
    if (found->second->avoidFocus) {
        fRefocus = fRefocus || gained;
        return;
    }
    if (!gained) {
        if (fActive == id)
            fFocusLost = id;
        return;
    }
    fFocusLost = 0;
    std::erase(fFocusOrder, id);
    fFocusOrder.push_back(id);
    if (fActive == id)
        return;
    std::lock_guard lock(fLock);
    if (fActive != 0)
        _PostLocked(fActive, BPrivate::make_window_activated_message(false));
    fActive = id;
    _PostLocked(id, BPrivate::make_window_activated_message(true));
}

void SdlBackend::_SettleFocus()
{
    int64 focus = 0;
    if (SDL_Window* window = SDL_GetKeyboardFocus())
        focus = _IdForSdlWindow(SDL_GetWindowID(window));
    auto native = fNatives.find(focus);
    bool toPopup = native != fNatives.end() && native->second->avoidFocus;
    auto active = fNatives.find(fActive);

    if (fFocusLost != 0 && fFocusLost == fActive && !toPopup) {
        std::lock_guard lock(fLock);
        _PostLocked(fActive, BPrivate::make_window_activated_message(false));
        fActive = 0;
    } else if ((fRefocus || fFocusLost != 0) && toPopup && active != fNatives.end()) {
        SDL_SetWindowInputFocus(active->second->window);
    }
    fFocusLost = 0;
    fRefocus = false;
}

void SdlBackend::_HandleMouse(const SDL_Event& event)
{
    uint32 sdlWindowID =
        event.type == SDL_MOUSEWHEEL ? event.wheel.windowID : event.motion.windowID;
    int64 id = _IdForSdlWindow(sdlWindowID);
    if (id == 0)
        return;
    switch (event.type) {
    case SDL_MOUSEMOTION:
        return _MouseMoved(id, event.motion);
    case SDL_MOUSEBUTTONDOWN:
        return _MouseButtonDown(id, event.button);
    case SDL_MOUSEBUTTONUP:
        return _MouseButton(id, event.button, false);
    case SDL_MOUSEWHEEL:
        return _MouseWheel(id, event.wheel);
    default:
        return;
    }
}

void SdlBackend::_MouseMoved(int64 id, const SDL_MouseMotionEvent& motion)
{
    BPoint where(motion.x, motion.y);
    BPoint screen = _ScreenPoint(id, where);
    uint32 buttons = BPrivate::buttons_for_sdl_mask(motion.state);
    std::lock_guard lock(fLock);
    fPointerState.Set(screen, buttons);
    _PostLocked(id, BPrivate::make_mouse_message(B_MOUSE_MOVED, where, screen, buttons, 0,
                                                 fPointerState.Modifiers()));
}

void SdlBackend::_MouseButtonDown(int64 id, const SDL_MouseButtonEvent& button)
{
    // Open menus see every press first, outside our lock.
    if (BWindow* window = _WindowFor(id))
        FilterMouseDown(window, BPoint(button.x, button.y));
    {
        std::lock_guard lock(fLock);
        if (_BlockedLocked(id)) {
            beep();
            return;
        }
    }
    if (id != fActive && !fNatives[id]->avoidFocus)
        _Focus(*fNatives[id]);
    _MouseButton(id, button, true);
}

void SdlBackend::_MouseButton(int64 id, const SDL_MouseButtonEvent& event, bool down)
{
    BPoint where(event.x, event.y);
    BPoint screen = _ScreenPoint(id, where);
    uint32 button = BPrivate::button_for_sdl(event.button);
    std::lock_guard lock(fLock);
    uint32 buttons = fPointerState.Click(screen, button, down);
    if (button == 0)
        return;
    _PostLocked(id, BPrivate::make_mouse_message(down ? B_MOUSE_DOWN : B_MOUSE_UP, where, screen,
                                                 buttons, event.clicks, fPointerState.Modifiers()));
}

void SdlBackend::_MouseWheel(int64 id, const SDL_MouseWheelEvent& wheel)
{
    // The platform's positive delta scrolls down; SDL's scrolls up.
    float sign = wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? 1.0f : -1.0f;
    BPoint where(wheel.mouseX, wheel.mouseY);
    BPoint screen = _ScreenPoint(id, where);
    std::lock_guard lock(fLock);
    if (_BlockedLocked(id))
        return;
    fPointerState.MoveTo(screen);
    _PostLocked(id, BPrivate::make_wheel_message(-sign * wheel.preciseX, sign * wheel.preciseY,
                                                 where, screen));
}

void SdlBackend::_HandleKey(const SDL_Event& event)
{
    uint32 sdlWindowID = event.type == SDL_TEXTINPUT ? event.text.windowID : event.key.windowID;
    int64 id = _IdForSdlWindow(sdlWindowID);
    // Keys typed before SDL has settled the focus go to the active window.
    if (id == 0)
        id = fActive;
    std::vector<BPrivate::TranslatedKey> keys = fKeys.Translate(event);
    fPointerState.SetModifiers(fKeys.Modifiers());
    BWindow* window = _WindowFor(id);
    for (const BPrivate::TranslatedKey& key : keys) {
        BMessage message = BPrivate::make_key_message(key.what, key.key, key.bytes, key.modifiers);
        // A key an open menu takes goes no further.
        if (key.what == B_KEY_DOWN && window != nullptr && FilterKeyDown(window, message))
            continue;
        std::lock_guard lock(fLock);
        if (!_BlockedLocked(id))
            _PostLocked(id, message);
    }
}

BWindow* SdlBackend::_WindowFor(int64 id) const
{
    std::lock_guard lock(fLock);
    auto found = fWindowsById.find(id);
    return found != fWindowsById.end() ? found->second : nullptr;
}

bool SdlBackend::_BlockedLocked(int64 id) const
{
    auto target = fWindowsById.find(id);
    if (target == fWindowsById.end())
        return false;
    const Wanted& wanted = *fWindows.at(target->second);
    for (const auto& [window, other] : fWindows) {
        // Ids grow with each window, so they order windows as the
        // headless backend's creation order does.
        if (other->id != id &&
            BlocksInput(other->spec, other->visible, other->id, wanted.spec, wanted.id))
            return true;
    }
    return false;
}

void SdlBackend::_HandleDrop(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_DROPBEGIN:
        fDropping = true;
        fDropPaths.clear();
        fDropText.reset();
        return;
    case SDL_DROPFILE:
    case SDL_DROPTEXT:
        if (event.drop.file != nullptr) {
            if (event.type == SDL_DROPFILE)
                fDropPaths.emplace_back(event.drop.file);
            else
                fDropText = std::string(event.drop.file);
            SDL_free(event.drop.file);
        }
        if (fDropping)
            return;
        break;
    default:
        fDropping = false;
        break;
    }
    if (fDropPaths.empty() && !fDropText)
        return;

    int64 id = _IdForSdlWindow(event.drop.windowID);
    int x = 0, y = 0;
    SDL_GetGlobalMouseState(&x, &y);
    BPoint screen(x, y);
    BPoint where = screen;
    if (auto found = fNatives.find(id); found != fNatives.end())
        where = screen - found->second->frame.LeftTop();
    fPointerState.MoveTo(screen);
    std::lock_guard lock(fLock);
    if (!_BlockedLocked(id)) {
        if (!fDropPaths.empty())
            _PostLocked(id, BPrivate::make_drop_message(fDropPaths, where, screen));
        else
            _PostLocked(id, BPrivate::make_text_drop_message(*fDropText, where, screen));
    }
    fDropPaths.clear();
    fDropText.reset();
}

// MARK: Clipboard

void SdlBackend::_InstallClipboardHooks()
{
    // The hooks run on the thread that uses the clipboard, with it locked;
    // they only touch what fLock guards.
    auto publish = [this](const BMessage& data) {
        const void* text = nullptr;
        ssize_t size = 0;
        if (data.FindData("text/plain", B_MIME_TYPE, &text, &size) != B_OK)
            return;
        std::lock_guard lock(fLock);
        fClipboardToPublish = std::string(static_cast<const char*>(text), size_t(size));
        fFetchedSerial = fDesktopSerial;
        _WakeLocked();
    };
    auto fetch = [this](BMessage* data) {
        std::lock_guard lock(fLock);
        if (fFetchedSerial == fDesktopSerial)
            return false;
        fFetchedSerial = fDesktopSerial;
        data->AddData("text/plain", B_MIME_TYPE, fDesktopText.data(), ssize_t(fDesktopText.size()));
        return true;
    };
    be_clipboard->SetHooks(publish, fetch);
}

void SdlBackend::_PublishClipboard()
{
    std::optional<std::string> text;
    {
        std::lock_guard lock(fLock);
        text.swap(fClipboardToPublish);
    }
    if (!text.has_value())
        return;
    fPublishedText = *text;
    SDL_SetClipboardText(text->c_str());
}

void SdlBackend::_ReadDesktopClipboard()
{
    if (!SDL_HasClipboardText())
        return;
    char* text = SDL_GetClipboardText();
    if (text == nullptr)
        return;
    std::string contents(text);
    SDL_free(text);
    // Our own text coming back must not replace richer data of ours.
    if (contents == fPublishedText)
        return;
    std::lock_guard lock(fLock);
    fDesktopText = std::move(contents);
    fDesktopSerial++;
}
