// Where windows appear: one interface, one implementation per window system.
// A BWindow draws into its own framebuffer on its own thread and hands each
// finished frame to the backend; the backend turns the window system's input
// into the Be input messages and posts them to the window (see
// InputMessages.h for their fields).
//
// Threads: every member may be called from any thread. Window threads call
// the window members with their window locked; a backend must never lock a
// window, and posts to a window only while it is registered (between
// CreateWindow() and DestroyWindow()), so a closed window is never reached.
// A backend whose window system wants one thread (SDL) does that work in
// its Pump() on the main thread and only queues requests elsewhere.
#pragma once

#include <memory>
#include <string>

#include "kit/app/GraphicsDefs.h"
#include "kit/interface/InterfaceDefs.h"

class BCursor;
class BMessage;
class BWindow;
class DisplayPump;
typedef struct _cairo_surface cairo_surface_t;

struct NativeWindowSpec
{
    BRect frame; // content area in screen coordinates
    std::string title;
    window_look look = B_TITLED_WINDOW_LOOK;
    window_feel feel = B_NORMAL_WINDOW_FEEL;
    uint32 flags = 0;
};

class DisplayBackend
{
public:
    virtual ~DisplayBackend();

    // "headless" or "sdl"; null for a name that is not known or a backend
    // that cannot start here (no display).
    static std::unique_ptr<DisplayBackend> Create(const char* name);

    // The backend new windows use. Until one is installed, a headless
    // backend made on first use (kept for the life of the process).
    static DisplayBackend* Default();
    // Not owned; it must outlive every window. Install before the first
    // window is made.
    static void SetDefault(DisplayBackend* backend);

    // Open menus grab the pointer and the keyboard, as a window system's
    // menus do. Every backend hands each mouse down (window coordinates) and
    // key down to the installed filter before posting it, on its own thread
    // and without holding its own lock; a key the filter takes is not
    // posted. The interface kit's menus install the one filter.
    class InputFilter
    {
    public:
        virtual ~InputFilter() = default;
        virtual void MouseDown(BWindow* window, BPoint where) = 0;
        virtual bool KeyDown(BWindow* window, const BMessage& key) = 0;
    };
    static void SetInputFilter(InputFilter* filter);
    static void FilterMouseDown(BWindow* window, BPoint where);
    // True when the filter took the key.
    static bool FilterKeyDown(BWindow* window, const BMessage& key);

    // A visible modal window shuts the program's other windows off from the
    // user's clicks, keys, wheel and drops until it closes; of two modal
    // windows the newer one wins. Menus (which avoid the focus) stay usable,
    // so a pop-up inside a modal dialog works.
    static bool BlocksInput(const NativeWindowSpec& blocker, bool blockerVisible,
                            int64 blockerOrder, const NativeWindowSpec& target, int64 targetOrder);

    virtual const char* Name() const = 0;
    // The main-thread event loop for BApplication::Run(), or null.
    virtual DisplayPump* Pump() { return nullptr; }
    virtual BRect ScreenFrame() const = 0;

    // Native windows. A window is created hidden.
    virtual void CreateWindow(BWindow* window, const NativeWindowSpec& spec) = 0;
    virtual void DestroyWindow(BWindow* window) = 0;
    virtual void SetTitle(BWindow* window, const char* title) = 0;
    virtual void SetFrame(BWindow* window, BRect frame) = 0;
    virtual void SetVisible(BWindow* window, bool visible) = 0;
    virtual void Activate(BWindow* window) = 0;
    // frame is the window's whole framebuffer (ARGB32, opaque); the pixels
    // in dirty (window coordinates) changed since the last call. The
    // backend copies what it needs before returning.
    virtual void Present(BWindow* window, cairo_surface_t* frame, BRect dirty) = 0;
    // Content size limits for the user's resizing, in BWindow's terms.
    virtual void SetSizeLimits(BWindow*, float /*minWidth*/, float /*maxWidth*/,
                               float /*minHeight*/, float /*maxHeight*/)
    {
    }

    // The cursor shown everywhere (BApplication::SetCursor()), and the one
    // of the view under the pointer in a window (null: none, the
    // application's shows). Both are copied.
    virtual void SetAppCursor(const BCursor&) {}
    virtual void SetWindowCursor(BWindow*, const BCursor*) {}

    // The live pointer (screen coordinates) and buttons, and the modifier
    // keys held now, for GetMouse() and modifiers().
    virtual void GetMouse(BPoint* screenWhere, uint32* buttons) const = 0;
    virtual uint32 Modifiers() const = 0;
};

// For a program's start-up: makes the backend named by preferred, else by
// the environment variable VANTREL_BACKEND, else "sdl", and installs it as
// the default and its pump on BApplication. It lives until the process
// ends. Null, after saying why on stderr, when it cannot start (no
// display): the program should then exit.
DisplayBackend* InstallDisplayBackend(const char* preferred = nullptr);
