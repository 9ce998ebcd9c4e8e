#include "kit/display/HeadlessBackend.h"

#include <cairo.h>

#include <algorithm>
#include <cstring>

#include "kit/app/Beep.h"
#include "kit/display/InputMessages.h"
#include "kit/interface/Window.h"

using namespace BPrivate;

HeadlessBackend::HeadlessBackend() = default;

HeadlessBackend::~HeadlessBackend() = default;

BRect HeadlessBackend::ScreenFrame() const
{
    return BRect(0, 0, 1919, 1079);
}

// MARK: Windows

void HeadlessBackend::CreateWindow(BWindow* window, const NativeWindowSpec& spec)
{
    std::lock_guard lock(fLock);
    Record& record = fWindows[window];
    record.spec = spec;
    record.order = fNextOrder++;
}

void HeadlessBackend::DestroyWindow(BWindow* window)
{
    std::lock_guard lock(fLock);
    fWindows.erase(window);
    if (fActive == window)
        fActive = nullptr;
}

void HeadlessBackend::SetTitle(BWindow* window, const char* title)
{
    std::lock_guard lock(fLock);
    auto found = fWindows.find(window);
    if (found != fWindows.end())
        found->second.spec.title = title != nullptr ? title : "";
}

void HeadlessBackend::SetFrame(BWindow* window, BRect frame)
{
    std::lock_guard lock(fLock);
    auto found = fWindows.find(window);
    if (found != fWindows.end())
        found->second.spec.frame = frame;
}

void HeadlessBackend::SetVisible(BWindow* window, bool visible)
{
    std::lock_guard lock(fLock);
    auto found = fWindows.find(window);
    if (found == fWindows.end() || found->second.visible == visible)
        return;
    found->second.visible = visible;
    if (visible && (found->second.spec.flags & B_AVOID_FOCUS) == 0)
        _ActivateLocked(window);
    else if (!visible && fActive == window) {
        fActive = nullptr;
        _Post(window, make_window_activated_message(false));
    }
}

void HeadlessBackend::Activate(BWindow* window)
{
    std::lock_guard lock(fLock);
    if (fWindows.count(window) != 0)
        _ActivateLocked(window);
}

void HeadlessBackend::_ActivateLocked(BWindow* window)
{
    if (fActive == window)
        return;
    if (fActive != nullptr)
        _Post(fActive, make_window_activated_message(false));
    fActive = window;
    _Post(window, make_window_activated_message(true));
}

void HeadlessBackend::_Post(BWindow* window, const BMessage& message)
{
    // Only called for registered windows with fLock held: DestroyWindow()
    // waits for the lock, so the window still exists.
    BMessage copy(message);
    window->PostMessage(&copy);
}

void HeadlessBackend::Present(BWindow* window, cairo_surface_t* frame, BRect dirty)
{
    int32 width = cairo_image_surface_get_width(frame);
    int32 height = cairo_image_surface_get_height(frame);
    int32 stride = cairo_image_surface_get_stride(frame);
    const uint8* data = cairo_image_surface_get_data(frame);
    if (data == nullptr)
        return;

    std::lock_guard lock(fLock);
    auto found = fWindows.find(window);
    if (found == fWindows.end())
        return;
    Record& record = found->second;
    int32 x0 = 0, y0 = 0, x1 = width, y1 = height;
    if (record.width != width || record.height != height) {
        record.width = width;
        record.height = height;
        record.pixels.assign(size_t(width) * height, 0);
    } else {
        x0 = std::max(0, int32(dirty.left));
        y0 = std::max(0, int32(dirty.top));
        x1 = std::min(width, int32(dirty.right) + 1);
        y1 = std::min(height, int32(dirty.bottom) + 1);
    }
    for (int32 y = y0; y < y1; y++) {
        const auto* row = reinterpret_cast<const uint32*>(data + y * stride);
        std::copy(row + x0, row + std::max(x0, x1), record.pixels.begin() + size_t(y) * width + x0);
    }
    record.frames++;
}

// MARK: Input

void HeadlessBackend::GetMouse(BPoint* screenWhere, uint32* buttons) const
{
    fPointerState.GetMouse(screenWhere, buttons);
}

uint32 HeadlessBackend::Modifiers() const
{
    return fPointerState.Modifiers();
}

void HeadlessBackend::SetAppCursor(const BCursor& cursor)
{
    std::lock_guard lock(fLock);
    fAppCursor = cursor;
}

void HeadlessBackend::SetWindowCursor(BWindow* window, const BCursor* cursor)
{
    std::lock_guard lock(fLock);
    auto found = fWindows.find(window);
    if (found == fWindows.end())
        return;
    found->second.cursor.reset();
    if (cursor != nullptr)
        found->second.cursor = *cursor;
}

BCursor HeadlessBackend::Cursor(BWindow* window) const
{
    std::lock_guard lock(fLock);
    auto found = fWindows.find(window);
    if (found != fWindows.end() && found->second.cursor.has_value())
        return *found->second.cursor;
    return fAppCursor;
}

status_t HeadlessBackend::InjectMouse(BWindow* window, uint32 what, BPoint where, uint32 buttons,
                                      int32 clicks, uint32 modifiers)
{
    if (what == B_MOUSE_DOWN)
        FilterMouseDown(window, where);
    std::lock_guard lock(fLock);
    auto found = fWindows.find(window);
    if (found == fWindows.end())
        return B_BAD_VALUE;
    BPoint screen = where + found->second.spec.frame.LeftTop();
    fPointerState.Set(screen, buttons);
    fPointerState.SetModifiers(modifiers);
    // As with a window manager, a click brings the window to the front;
    // menus and other windows that avoid the focus stay behind it.
    if (what == B_MOUSE_DOWN && _BlockedLocked(window)) {
        beep();
        return B_NOT_ALLOWED;
    }
    if (what == B_MOUSE_DOWN && found->second.visible &&
        (found->second.spec.flags & B_AVOID_FOCUS) == 0)
        _ActivateLocked(window);
    _Post(window, make_mouse_message(what, where, screen, buttons, clicks, modifiers));
    return B_OK;
}

bool HeadlessBackend::_BlockedLocked(BWindow* window) const
{
    auto target = fWindows.find(window);
    if (target == fWindows.end())
        return false;
    for (const auto& [other, record] : fWindows) {
        if (other != window && BlocksInput(record.spec, record.visible, record.order,
                                           target->second.spec, target->second.order))
            return true;
    }
    return false;
}

status_t HeadlessBackend::_InputTargetLocked(BWindow* window, Record** record)
{
    auto found = fWindows.find(window);
    if (found == fWindows.end())
        return B_BAD_VALUE;
    if (_BlockedLocked(window))
        return B_NOT_ALLOWED;
    *record = &found->second;
    return B_OK;
}

status_t HeadlessBackend::InjectWheel(BWindow* window, float deltaX, float deltaY)
{
    std::lock_guard lock(fLock);
    Record* record = nullptr;
    if (status_t status = _InputTargetLocked(window, &record); status != B_OK)
        return status;
    BPoint screen;
    fPointerState.GetMouse(&screen, nullptr);
    BPoint where = screen - record->spec.frame.LeftTop();
    _Post(window, make_wheel_message(deltaX, deltaY, where, screen));
    return B_OK;
}

status_t HeadlessBackend::InjectKey(BWindow* window, uint32 what, int32 key,
                                    const std::string& bytes, uint32 modifiers)
{
    BMessage message = make_key_message(what, key, bytes, modifiers);
    bool taken = what == B_KEY_DOWN && FilterKeyDown(window, message);
    std::lock_guard lock(fLock);
    if (fWindows.count(window) == 0)
        return B_BAD_VALUE;
    fPointerState.SetModifiers(modifiers);
    if (!taken && _BlockedLocked(window))
        return B_NOT_ALLOWED;
    if (!taken)
        _Post(window, message);
    return B_OK;
}

status_t HeadlessBackend::InjectDrop(BWindow* window, BPoint where,
                                     const std::vector<std::string>& paths)
{
    std::lock_guard lock(fLock);
    Record* record = nullptr;
    if (status_t status = _InputTargetLocked(window, &record); status != B_OK)
        return status;
    BPoint screen = where + record->spec.frame.LeftTop();
    fPointerState.MoveTo(screen);
    _Post(window, make_drop_message(paths, where, screen));
    return B_OK;
}

status_t HeadlessBackend::InjectTextDrop(BWindow* window, BPoint where, const std::string& text)
{
    std::lock_guard lock(fLock);
    Record* record = nullptr;
    if (status_t status = _InputTargetLocked(window, &record); status != B_OK)
        return status;
    BPoint screen = where + record->spec.frame.LeftTop();
    fPointerState.MoveTo(screen);
    _Post(window, make_text_drop_message(text, where, screen));
    return B_OK;
}

status_t HeadlessBackend::InjectMove(BWindow* window, BPoint leftTop)
{
    std::lock_guard lock(fLock);
    auto found = fWindows.find(window);
    if (found == fWindows.end())
        return B_BAD_VALUE;
    found->second.spec.frame.OffsetTo(leftTop);
    _Post(window, make_window_moved_message(leftTop));
    return B_OK;
}

status_t HeadlessBackend::InjectResize(BWindow* window, float width, float height)
{
    std::lock_guard lock(fLock);
    auto found = fWindows.find(window);
    if (found == fWindows.end())
        return B_BAD_VALUE;
    BRect& frame = found->second.spec.frame;
    frame.right = frame.left + width;
    frame.bottom = frame.top + height;
    _Post(window, make_window_resized_message(width, height));
    return B_OK;
}

// MARK: Reading back

std::vector<HeadlessWindowInfo> HeadlessBackend::Windows() const
{
    std::lock_guard lock(fLock);
    std::vector<std::pair<int64, HeadlessWindowInfo>> ordered;
    for (const auto& [window, record] : fWindows) {
        const NativeWindowSpec& spec = record.spec;
        ordered.push_back({record.order,
                           {window, spec.title, spec.frame, spec.look, spec.feel, spec.flags,
                            record.visible, fActive == window, record.frames}});
    }
    std::sort(ordered.begin(), ordered.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<HeadlessWindowInfo> result;
    for (auto& entry : ordered)
        result.push_back(entry.second);
    return result;
}

bool HeadlessBackend::GetPixel(BWindow* window, BPoint where, rgb_color* color) const
{
    std::lock_guard lock(fLock);
    auto found = fWindows.find(window);
    if (found == fWindows.end())
        return false;
    const Record& record = found->second;
    int32 x = int32(where.x), y = int32(where.y);
    if (x < 0 || y < 0 || x >= record.width || y >= record.height)
        return false;
    uint32 pixel = record.pixels[size_t(y) * record.width + x];
    *color = {uint8(pixel >> 16), uint8(pixel >> 8), uint8(pixel), uint8(pixel >> 24)};
    return true;
}

status_t HeadlessBackend::SavePNG(BWindow* window, const char* path, BRect rect) const
{
    if (path == nullptr)
        return B_BAD_VALUE;
    cairo_surface_t* surface;
    {
        std::lock_guard lock(fLock);
        auto found = fWindows.find(window);
        if (found == fWindows.end() || found->second.width == 0)
            return B_BAD_VALUE;
        const Record& record = found->second;
        if (!rect.IsValid())
            rect = BRect(0, 0, record.width - 1, record.height - 1);
        int32 x0 = std::max(0, int32(rect.left)), y0 = std::max(0, int32(rect.top));
        int32 x1 = std::min(record.width, int32(rect.right) + 1);
        int32 y1 = std::min(record.height, int32(rect.bottom) + 1);
        if (x1 <= x0 || y1 <= y0)
            return B_BAD_VALUE;
        surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, x1 - x0, y1 - y0);
        uint8* data = cairo_image_surface_get_data(surface);
        int32 stride = cairo_image_surface_get_stride(surface);
        for (int32 y = y0; y < y1; y++) {
            const uint32* from = record.pixels.data() + size_t(y) * record.width;
            std::copy(from + x0, from + x1, reinterpret_cast<uint32*>(data + (y - y0) * stride));
        }
        cairo_surface_mark_dirty(surface);
    }
    cairo_status_t status = cairo_surface_write_to_png(surface, path);
    cairo_surface_destroy(surface);
    return status == CAIRO_STATUS_SUCCESS ? B_OK : B_IO_ERROR;
}
