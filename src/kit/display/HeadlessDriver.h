// What tests use to work windows like a user: click, drag, turn the wheel,
// type, press keys, drop files, then wait until every looper is idle and
// look at the pixels or the list of windows. Works on the default backend,
// which must be the headless one (it is, unless a program installed
// another). Points are in window coordinates.
//
// Events are only posted; call WaitForIdle() before looking at the result.
#pragma once

#include <string>
#include <vector>

#include "kit/display/HeadlessBackend.h"
#include "kit/interface/AlertLog.h"

class HeadlessDriver
{
public:
    HeadlessDriver();

    HeadlessBackend& Backend() const { return *fBackend; }

    void MouseDown(BWindow* window, BPoint where, uint32 buttons = B_PRIMARY_MOUSE_BUTTON,
                   int32 clicks = 1, uint32 modifiers = 0);
    // Moves with the buttons of the last MouseDown() still held.
    void MouseMove(BWindow* window, BPoint where);
    void MouseUp(BWindow* window, BPoint where);
    void Click(BWindow* window, BPoint where, uint32 buttons = B_PRIMARY_MOUSE_BUTTON,
               int32 clicks = 1, uint32 modifiers = 0);
    // Down at from, moves in steps of at most 4 pixels, up at to.
    void Drag(BWindow* window, BPoint from, BPoint to, uint32 buttons = B_PRIMARY_MOUSE_BUTTON);
    // Positive deltaY scrolls down; sent where the pointer last was.
    void Wheel(BWindow* window, float deltaY, float deltaX = 0);

    void KeyDown(BWindow* window, int32 key, const std::string& bytes, uint32 modifiers = 0);
    // A key without a character of its own (B_F1_KEY, B_ESCAPE_KEY,
    // B_DELETE_KEY, B_TAB_KEY, B_ENTER_KEY, arrows...), down and up.
    void PressKey(BWindow* window, int32 key, uint32 modifiers = 0);
    // Ctrl (B_COMMAND_KEY) with a character, as for a shortcut.
    void PressShortcut(BWindow* window, char character, uint32 modifiers = B_COMMAND_KEY);
    // One key down per UTF-8 character.
    void TypeText(BWindow* window, const std::string& text);
    void DropFiles(BWindow* window, BPoint where, const std::vector<std::string>& paths);
    void DropFile(BWindow* window, BPoint where, const std::string& path);
    // Text dragged in from another program.
    void DropText(BWindow* window, BPoint where, const std::string& text);

    // The user moving or resizing the window frame.
    void MoveWindow(BWindow* window, BPoint leftTop);
    void ResizeWindow(BWindow* window, float width, float height);

    // wait_for_idle_loopers(); false when that timed out.
    bool WaitForIdle(bigtime_t timeout = 5'000'000);
    // From the last presented frame; transparent black outside it.
    rgb_color Pixel(BWindow* window, BPoint where) const;
    status_t SavePNG(BWindow* window, const char* path, BRect rect = BRect()) const;
    std::vector<HeadlessWindowInfo> Windows() const;
    // The first open window with that title, or null.
    BWindow* FindWindow(const std::string& title) const;

    // Alerts: every one shown so far, oldest first (ClearAlerts() forgets
    // those answered). WaitForAlert() returns once one is open, so a test
    // can answer an alert that a blocked Go() is waiting for; AnswerAlert()
    // clicks a button of the newest open one (B_BAD_INDEX: no such button
    // or no open alert).
    std::vector<AlertRecord> Alerts() const;
    void ClearAlerts();
    bool WaitForAlert(bigtime_t timeout = 5'000'000);
    status_t AnswerAlert(int32 button);

private:
    HeadlessBackend* fBackend;
    uint32 fButtons = 0;
    uint32 fModifiers = 0;
    BPoint fLast;
};
