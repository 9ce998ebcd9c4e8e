// Windows without a display: each window's last presented frame is kept in
// memory, and input is injected by tests (through HeadlessDriver) on the
// same path a window system's events take. Used when there is no display
// and by every test. Outside-program launches and alerts will be recorded
// here too.
#pragma once

#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "kit/app/Message.h"
#include "kit/display/DisplayBackend.h"
#include "kit/display/PointerState.h"
#include "kit/interface/Cursor.h"

struct HeadlessWindowInfo
{
    BWindow* window; // for comparison only: it may be gone
    std::string title;
    BRect frame;
    window_look look;
    window_feel feel;
    uint32 flags;
    bool visible;
    bool active;
    int64 frames; // how many frames were presented
};

class HeadlessBackend : public DisplayBackend
{
public:
    HeadlessBackend();
    ~HeadlessBackend() override;

    const char* Name() const override { return "headless"; }
    BRect ScreenFrame() const override;

    void CreateWindow(BWindow* window, const NativeWindowSpec& spec) override;
    void DestroyWindow(BWindow* window) override;
    void SetTitle(BWindow* window, const char* title) override;
    void SetFrame(BWindow* window, BRect frame) override;
    void SetVisible(BWindow* window, bool visible) override;
    void Activate(BWindow* window) override;
    void Present(BWindow* window, cairo_surface_t* frame, BRect dirty) override;

    void GetMouse(BPoint* screenWhere, uint32* buttons) const override;
    uint32 Modifiers() const override;
    void SetAppCursor(const BCursor& cursor) override;
    void SetWindowCursor(BWindow* window, const BCursor* cursor) override;
    // What would show while the pointer is over the window: its view's
    // cursor, else the application's.
    BCursor Cursor(BWindow* window) const;

    // Input, as a window system would deliver it. Points are in window
    // coordinates; the live pointer follows them. B_BAD_VALUE when the
    // window is not (or no longer) open.
    status_t InjectMouse(BWindow* window, uint32 what, BPoint where, uint32 buttons, int32 clicks,
                         uint32 modifiers);
    status_t InjectWheel(BWindow* window, float deltaX, float deltaY);
    status_t InjectKey(BWindow* window, uint32 what, int32 key, const std::string& bytes,
                       uint32 modifiers);
    status_t InjectDrop(BWindow* window, BPoint where, const std::vector<std::string>& paths);
    status_t InjectTextDrop(BWindow* window, BPoint where, const std::string& text);
    // The user moving or resizing the window.
    status_t InjectMove(BWindow* window, BPoint leftTop);
    status_t InjectResize(BWindow* window, float width, float height);

    // The last presented frame. Open windows in the order they were made.
    std::vector<HeadlessWindowInfo> Windows() const;
    // False outside the frame or for a window that is not open.
    bool GetPixel(BWindow* window, BPoint where, rgb_color* color) const;
    // The part of the frame in rect (window coordinates; all of it when
    // invalid) as a PNG file.
    status_t SavePNG(BWindow* window, const char* path, BRect rect = BRect()) const;

private:
    struct Record
    {
        NativeWindowSpec spec;
        bool visible = false;
        int32 width = 0;
        int32 height = 0;
        std::vector<uint32> pixels;
        int64 frames = 0;
        int64 order = 0;
        std::optional<BCursor> cursor;
    };

    void _ActivateLocked(BWindow* window);
    bool _BlockedLocked(BWindow* window) const;
    // B_BAD_VALUE for a window that is not open, B_NOT_ALLOWED while a
    // modal window shuts it off from input.
    status_t _InputTargetLocked(BWindow* window, Record** record);
    static void _Post(BWindow* window, const BMessage& message);

    mutable std::mutex fLock;
    std::map<BWindow*, Record> fWindows;
    int64 fNextOrder = 0;
    BWindow* fActive = nullptr;
    BPrivate::PointerState fPointerState;
    BCursor fAppCursor{B_CURSOR_ID_SYSTEM_DEFAULT};
};
