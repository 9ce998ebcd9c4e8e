// A window: a looper with a tree of views, a framebuffer and a native window
// of the display backend.
//
// Input arrives as messages from the backend and is routed here: mouse
// downs to the deepest visible view under the pointer (which then keeps the
// mouse until the buttons are released), moves with their transit, keys to
// the focus view after shortcuts and Tab navigation, the wheel and file
// drops to the view under the pointer.
//
// Updates: Invalidate() only grows the dirty rectangle and queues one
// _UPDATE_ message; when it comes round, after everything queued before it,
// the dirty part is erased and drawn, parents before children, and the frame
// goes to the backend. So any number of invalidations in one loop pass cost
// one redraw.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "kit/app/Looper.h"
#include "kit/interface/InterfaceDefs.h"
#include "kit/interface/Painter.h"

class BButton;
class BMenuBar;
class BCursor;
class BView;
class DisplayBackend;
typedef struct _cairo_surface cairo_surface_t;

class BWindow : public BLooper
{
public:
    // frame: the content area in screen coordinates. The window starts
    // hidden and locked by the calling thread; the first Show() runs it.
    BWindow(BRect frame, const char* title, window_type type, uint32 flags,
            uint32 workspace = B_CURRENT_WORKSPACE);
    BWindow(BRect frame, const char* title, window_look look, window_feel feel, uint32 flags,
            uint32 workspace = B_CURRENT_WORKSPACE);
    ~BWindow() override;

    // Takes the window off the screen; then as BLooper::Quit(): the views
    // are deleted with the window and later messages to it are refused.
    void Quit() override;
    void DispatchMessage(BMessage* message, BHandler* handler) override;

    virtual void FrameMoved(BPoint newPosition);
    virtual void FrameResized(float newWidth, float newHeight);
    virtual void WindowActivated(bool active);

    // Show and Hide nest, as for views.
    virtual void Show();
    virtual void Hide();
    bool IsHidden() const { return fHideLevel > 0; }
    void Activate(bool active = true);
    bool IsActive() const { return fActive; }

    void SetTitle(const char* title);
    const char* Title() const { return fTitle.c_str(); }
    window_look Look() const { return fLook; }
    window_feel Feel() const { return fFeel; }
    uint32 Flags() const { return fFlags; }

    BRect Bounds() const;
    BRect Frame() const { return fFrame; }
    void MoveTo(BPoint where);
    void MoveTo(float x, float y) { MoveTo(BPoint(x, y)); }
    void MoveBy(float dx, float dy);
    // Clamped to the size limits.
    void ResizeTo(float width, float height);
    void ResizeBy(float dx, float dy);
    void SetSizeLimits(float minWidth, float maxWidth, float minHeight, float maxHeight);
    void GetSizeLimits(float* minWidth, float* maxWidth, float* minHeight, float* maxHeight) const;

    BPoint ConvertToScreen(BPoint point) const { return point + fFrame.LeftTop(); }
    BPoint ConvertFromScreen(BPoint point) const { return point - fFrame.LeftTop(); }

    void AddChild(BView* child, BView* before = nullptr);
    bool RemoveChild(BView* child);
    int32 CountChildren() const;
    BView* ChildAt(int32 index) const;
    BView* FindView(const char* name) const;
    // The deepest visible view under a point in window coordinates.
    BView* FindView(BPoint where) const;
    BView* CurrentFocus() const { return fFocus; }
    // Enter anywhere in the window invokes the default button, unless the
    // focus is another button. BButton::MakeDefault() sets it.
    void SetDefaultButton(BButton* button);
    BButton* DefaultButton() const { return fDefaultButton; }
    BView* LastMouseMovedView() const { return fMouseOver; }

    // Command (Ctrl) + key, plus any of B_SHIFT_KEY and B_OPTION_KEY in
    // modifiers, posts a copy of the message to the target (the window
    // when null). Keys are compared without case.
    void AddShortcut(uint32 key, uint32 modifiers, BMessage* message);
    void AddShortcut(uint32 key, uint32 modifiers, BMessage* message, BHandler* target);
    void RemoveShortcut(uint32 key, uint32 modifiers);
    bool HasShortcut(uint32 key, uint32 modifiers) const;
    // The menu bar whose items' shortcuts the window honours (after its
    // own); a menu bar makes itself that when it is attached.
    void SetKeyMenuBar(BMenuBar* bar) { fKeyMenuBar = bar; }
    BMenuBar* KeyMenuBar() const { return fKeyMenuBar; }

    // Draw what is pending now rather than at the end of the loop pass.
    void UpdateIfNeeded();
    void Flush() const;
    void Sync() const;
    // Updates are held back until the matching EnableUpdates().
    void DisableUpdates();
    void EnableUpdates();

    // For views and the display backends.
    cairo_surface_t* _Framebuffer() const { return fFramebuffer; }
    DisplayBackend* _Backend() const { return fBackend; }
    BView* _TopView() const { return fTopView; }
    void _Invalidate(BPrivate::PixelRect area);
    void _Drew(BPrivate::PixelRect area);
    void _SetFocus(BView* view);
    void _ViewDetached(BView* view);
    // Tells the backend the cursor of the view under the pointer.
    void _UpdateCursor(bool force = false);

private:
    struct Shortcut
    {
        uint32 key;
        uint32 modifiers;
        std::unique_ptr<BMessage> message;
        BHandler* target;
    };

    void _Init(BRect frame, const char* title, window_look look, window_feel feel, uint32 flags);
    void _MouseDown(BMessage* message);
    void _MouseMoved(BMessage* message);
    void _MouseUp(BMessage* message);
    void _MouseWheel(BMessage* message);
    void _KeyDown(BMessage* message);
    void _KeyUp(BMessage* message);
    void _Drop(BMessage* message);
    void _Activated(BMessage* message);
    void _Moved(BMessage* message);
    void _Resized(BMessage* message);
    void _Update();
    void _UpdateNow();
    void _DrawView(BView* view, BPrivate::PixelRect parentVisible, BPrivate::PixelRect dirty);
    void _SendMouseMoved(BView* view, BMessage* message, BPoint where, uint32 transit);
    BView* _Target(BMessage* message, BPoint* local) const;
    bool _HandleShortcut(BMessage* message);
    bool _HandleTab(BMessage* message);
    bool _HandleDefaultButton(BMessage* message);
    void _ApplySize(float width, float height);
    void _ScheduleUpdate();

    DisplayBackend* fBackend;
    BView* fTopView = nullptr;
    std::string fTitle;
    window_look fLook = B_TITLED_WINDOW_LOOK;
    window_feel fFeel = B_NORMAL_WINDOW_FEEL;
    uint32 fFlags = 0;
    BRect fFrame;
    float fMinWidth = 0;
    float fMaxWidth = 32768;
    float fMinHeight = 0;
    float fMaxHeight = 32768;
    int32 fHideLevel = 1;
    bool fRunning = false;
    bool fActive = false;

    BView* fFocus = nullptr;
    BButton* fDefaultButton = nullptr;
    BView* fMouseCapture = nullptr;
    BView* fMouseOver = nullptr;
    const BCursor* fShownCursor = nullptr;
    std::vector<Shortcut> fShortcuts;
    BMenuBar* fKeyMenuBar = nullptr;

    cairo_surface_t* fFramebuffer = nullptr;
    BPrivate::PixelRect fDirty;
    BPrivate::PixelRect fUnpresented;
    bool fUpdatePending = false;
    bool fInUpdate = false;
    int32 fUpdatesDisabled = 0;
};
