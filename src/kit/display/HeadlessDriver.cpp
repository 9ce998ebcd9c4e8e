#include "kit/display/HeadlessDriver.h"

#include <algorithm>
#include <cmath>

#include "kit/app/Debug.h"
#include "kit/app/IdleLoopers.h"
#include "kit/display/InputMessages.h"

HeadlessDriver::HeadlessDriver()
    : fBackend(dynamic_cast<HeadlessBackend*>(DisplayBackend::Default()))
{
    if (fBackend == nullptr)
        debugger("HeadlessDriver: the default display backend is not the headless one");
}

void HeadlessDriver::MouseDown(BWindow* window, BPoint where, uint32 buttons, int32 clicks,
                               uint32 modifiers)
{
    fButtons = buttons;
    fModifiers = modifiers;
    fLast = where;
    fBackend->InjectMouse(window, B_MOUSE_DOWN, where, buttons, clicks, modifiers);
}

void HeadlessDriver::MouseMove(BWindow* window, BPoint where)
{
    fLast = where;
    fBackend->InjectMouse(window, B_MOUSE_MOVED, where, fButtons, 0, fModifiers);
}

void HeadlessDriver::MouseUp(BWindow* window, BPoint where)
{
    fButtons = 0;
    fLast = where;
    fBackend->InjectMouse(window, B_MOUSE_UP, where, 0, 0, fModifiers);
}

void HeadlessDriver::Click(BWindow* window, BPoint where, uint32 buttons, int32 clicks,
                           uint32 modifiers)
{
    MouseDown(window, where, buttons, clicks, modifiers);
    MouseUp(window, where);
}

void HeadlessDriver::Drag(BWindow* window, BPoint from, BPoint to, uint32 buttons)
{
    MouseDown(window, from, buttons);
    float distance = std::max(std::abs(to.x - from.x), std::abs(to.y - from.y));
    int32 steps = std::max(1, static_cast<int32>(std::ceil(distance / 4)));
    for (int32 i = 1; i <= steps; i++) {
        float t = static_cast<float>(i) / steps;
        MouseMove(window, BPoint(std::round(from.x + (to.x - from.x) * t),
                                 std::round(from.y + (to.y - from.y) * t)));
    }
    MouseUp(window, to);
}

void HeadlessDriver::Wheel(BWindow* window, float deltaY, float deltaX)
{
    fBackend->InjectWheel(window, deltaX, deltaY);
}

void HeadlessDriver::KeyDown(BWindow* window, int32 key, const std::string& bytes, uint32 modifiers)
{
    fBackend->InjectKey(window, B_KEY_DOWN, key, bytes, modifiers);
}

void HeadlessDriver::PressKey(BWindow* window, int32 key, uint32 modifiers)
{
    std::string bytes = BPrivate::bytes_for_key(key);
    fBackend->InjectKey(window, B_KEY_DOWN, key, bytes, modifiers);
    fBackend->InjectKey(window, B_KEY_UP, key, bytes, modifiers);
}

void HeadlessDriver::PressShortcut(BWindow* window, char character, uint32 modifiers)
{
    fBackend->InjectKey(window, B_KEY_DOWN, 0, std::string(1, character), modifiers);
}

void HeadlessDriver::TypeText(BWindow* window, const std::string& text)
{
    for (size_t i = 0; i < text.size();) {
        size_t length = 1;
        while (i + length < text.size() && (static_cast<uint8>(text[i + length]) & 0xc0) == 0x80)
            length++;
        uint32 modifiers = text[i] >= 'A' && text[i] <= 'Z' ? uint32(B_SHIFT_KEY) : 0u;
        fBackend->InjectKey(window, B_KEY_DOWN, 0, text.substr(i, length), modifiers);
        i += length;
    }
}

void HeadlessDriver::DropFiles(BWindow* window, BPoint where, const std::vector<std::string>& paths)
{
    fBackend->InjectDrop(window, where, paths);
}

void HeadlessDriver::DropFile(BWindow* window, BPoint where, const std::string& path)
{
    DropFiles(window, where, {path});
}

void HeadlessDriver::DropText(BWindow* window, BPoint where, const std::string& text)
{
    fBackend->InjectTextDrop(window, where, text);
}

void HeadlessDriver::MoveWindow(BWindow* window, BPoint leftTop)
{
    fBackend->InjectMove(window, leftTop);
}

void HeadlessDriver::ResizeWindow(BWindow* window, float width, float height)
{
    fBackend->InjectResize(window, width, height);
}

bool HeadlessDriver::WaitForIdle(bigtime_t timeout)
{
    return wait_for_idle_loopers(timeout) == B_OK;
}

rgb_color HeadlessDriver::Pixel(BWindow* window, BPoint where) const
{
    rgb_color color = {0, 0, 0, 0};
    fBackend->GetPixel(window, where, &color);
    return color;
}

status_t HeadlessDriver::SavePNG(BWindow* window, const char* path, BRect rect) const
{
    return fBackend->SavePNG(window, path, rect);
}

std::vector<HeadlessWindowInfo> HeadlessDriver::Windows() const
{
    return fBackend->Windows();
}

BWindow* HeadlessDriver::FindWindow(const std::string& title) const
{
    for (const HeadlessWindowInfo& info : fBackend->Windows()) {
        if (info.title == title)
            return info.window;
    }
    return nullptr;
}

// MARK: Alerts

std::vector<AlertRecord> HeadlessDriver::Alerts() const
{
    return BPrivate::AlertLog::Default().Records();
}

void HeadlessDriver::ClearAlerts()
{
    BPrivate::AlertLog::Default().Clear();
}

bool HeadlessDriver::WaitForAlert(bigtime_t timeout)
{
    return BPrivate::AlertLog::Default().WaitForOpen(timeout);
}

status_t HeadlessDriver::AnswerAlert(int32 button)
{
    std::vector<AlertRecord> records = Alerts();
    for (auto record = records.rbegin(); record != records.rend(); ++record) {
        if (!record->open)
            continue;
        if (button < 0 || button >= static_cast<int32>(record->buttonFrames.size()))
            return B_BAD_INDEX;
        BRect frame = record->buttonFrames[button];
        Click(record->window, BPoint(std::floor((frame.left + frame.right) / 2),
                                     std::floor((frame.top + frame.bottom) / 2)));
        return B_OK;
    }
    return B_BAD_INDEX;
}
