// Windows on the desktop through SDL2 (X11, or Wayland).
//
// SDL wants one thread, so only the main thread calls it: the pump that
// BApplication::Run() lends that thread to creates, changes and destroys
// the SDL windows, uploads frames and turns SDL events into the Be input
// messages. The DisplayBackend members, called by window threads with their
// window locked, only record what they want under fLock and wake the pump.
//
// Deadlock-free by this rule: the main thread never locks a window, never
// waits for a window thread, and holds fLock only for bounded work (copying
// pixels, SDL calls that do not call back into us, posting messages, which
// takes a looper's queue lock but never its window lock). So a window
// thread that waits for fLock while holding its window lock always gets
// it. Wake-ups (SDL_PushEvent) are sent with fLock held and SDL windows are
// destroyed with it held: SDL addresses its wake-up to one of our windows.
#pragma once

#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "kit/app/Message.h"
#include "kit/display/DisplayBackend.h"
#include "kit/display/PointerState.h"
#include "kit/display/SdlInput.h"
#include "kit/interface/Cursor.h"

class SdlBackend : public DisplayBackend
{
public:
    // Starts SDL's video on the calling thread, which must be the one that
    // will call BApplication::Run(). Null when there is no real display
    // (SDL would only offer its invisible "offscreen" or "dummy" drivers)
    // or SDL is open already; whyNot, when given, says why.
    static std::unique_ptr<SdlBackend> Open(std::string* whyNot);
    ~SdlBackend() override;

    const char* Name() const override { return "sdl"; }
    DisplayPump* Pump() override;
    BRect ScreenFrame() const override { return fScreen; }

    void CreateWindow(BWindow* window, const NativeWindowSpec& spec) override;
    void DestroyWindow(BWindow* window) override;
    void SetTitle(BWindow* window, const char* title) override;
    void SetFrame(BWindow* window, BRect frame) override;
    void SetVisible(BWindow* window, bool visible) override;
    void Activate(BWindow* window) override;
    void Present(BWindow* window, cairo_surface_t* frame, BRect dirty) override;
    void SetSizeLimits(BWindow* window, float minWidth, float maxWidth, float minHeight,
                       float maxHeight) override;

    void GetMouse(BPoint* screenWhere, uint32* buttons) const override;
    uint32 Modifiers() const override;
    void SetAppCursor(const BCursor& cursor) override;
    void SetWindowCursor(BWindow* window, const BCursor* cursor) override;

private:
    class EventPump;
    struct Wanted;
    struct Native;

    SdlBackend();

    // Main thread only.
    void _RunUntil(const std::function<bool()>& quitting);
    void _Sync();
    // True when the active window was hidden.
    bool _ApplyWanted(int64 id, const Wanted& wanted, uint32 changes);
    void _Focus(Native& native);
    void _FocusPrevious();
    void _CreateNative(int64 id, const Wanted& wanted);
    void _Upload();
    void _UpdateCursor();
    void _Handle(const union SDL_Event& event);
    void _HandleWindowEvent(const union SDL_Event& event);
    void _HandleMouse(const union SDL_Event& event);
    void _MouseMoved(int64 id, const SDL_MouseMotionEvent& motion);
    void _MouseButtonDown(int64 id, const SDL_MouseButtonEvent& button);
    void _MouseButton(int64 id, const SDL_MouseButtonEvent& event, bool down);
    void _MouseWheel(int64 id, const SDL_MouseWheelEvent& wheel);
    void _WindowMoved(int64 id, Native& native, BPoint where);
    void _WindowResized(int64 id, Native& native, float width, float height);
    void _WindowExposed(Native& native);
    void _PointerLeft(int64 id, const Native& native);
    void _CloseRequested(int64 id);
    void _HandleKey(const union SDL_Event& event);
    void _HandleDrop(const union SDL_Event& event);
    void _FocusChanged(int64 id, bool gained);
    // be_clipboard's text and the desktop's: hooks on BClipboard record
    // what to publish and hand over what the pump read.
    void _InstallClipboardHooks();
    void _PublishClipboard();
    void _ReadDesktopClipboard();
    void _SettleFocus();
    int64 _IdForSdlWindow(uint32 sdlWindowID) const;
    BPoint _ScreenPoint(int64 id, BPoint where) const;

    // The window of an id while it is registered; for the input filter,
    // which only compares it.
    BWindow* _WindowFor(int64 id) const;

    // With fLock held.
    void _PostLocked(int64 id, const BMessage& message);
    // A visible modal window shuts this one off from input.
    bool _BlockedLocked(int64 id) const;
    Wanted* _FindLocked(BWindow* window);
    // The window's wishes, unless a frame change of its own is still on the
    // way (it will undo what the user did).
    Wanted* _UserFrameTargetLocked(int64 id);
    void _WakeLocked();

    std::unique_ptr<EventPump> fPump;
    BRect fScreen;
    uint32 fWakeEvent = 0;
    std::atomic<bool> fWakeQueued{false};

    // Written on the main thread, read by drag loops on any thread.
    BPrivate::PointerState fPointerState;

    // Guarded by fLock: what the windows want.
    mutable std::mutex fLock;
    std::map<BWindow*, std::unique_ptr<Wanted>> fWindows;
    std::map<int64, BWindow*> fWindowsById;
    int64 fNextId = 1;
    BCursor fAppCursor{B_CURSOR_ID_SYSTEM_DEFAULT};
    std::optional<std::string> fClipboardToPublish;
    std::string fDesktopText;
    int64 fDesktopSerial = 0;
    int64 fFetchedSerial = 0;

    // Main thread only.
    std::string fPublishedText;
    std::map<int64, std::unique_ptr<Native>> fNatives;
    int64 fActive = 0;
    int64 fFocusLost = 0;
    std::vector<int64> fFocusOrder; // least recently active first
    bool fRefocus = false;
    BPrivate::SdlKeyTranslator fKeys;
    std::vector<std::string> fDropPaths;
    std::optional<std::string> fDropText;
    bool fDropping = false;
    std::map<std::string, struct SDL_Cursor*> fCursors;
    struct SDL_Cursor* fShownCursor = nullptr;
};
