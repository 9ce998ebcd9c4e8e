// Small notices any layer may give: a non-blocking alert, a flash to draw
// the eye, tool tips and the program's cursors.
#pragma once

#include "kit/app/SupportDefs.h"

class BView;

// Shows a warning with one button and returns at once; callers may hold
// list locks, so it must never wait for the button.
void AnyAlert(const char* text);

// Inverts the view's bounds and back `count` times; safe from any thread.
void FlashView(BView* view, int32 count);

// Tool tips are not shown; a missing view is reported.
void AddToolTip(BView* view, const char* text);

// The cursor numbers: 1 I-beam, 2 and 3 the program's own cursors (busy
// with the plan, moving an order), anything else the system's default.
inline constexpr int32 kCursorNormal = 0;
inline constexpr int32 kCursorIBeam = 1;
inline constexpr int32 kCursorBusy = 2;
inline constexpr int32 kCursorMove = 3;
void SetCursorTo(int32 number);
