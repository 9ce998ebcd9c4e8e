// The program-wide function keys: every window hands its key-down messages
// here, so Escape, F1 to F6, F12 and Delete mean the same everywhere.
#pragma once

#include "kit/app/SupportDefs.h"

class BMessage;

// Posts the commands of the key in keyDown's "key" (raw key code) to the
// application object; other keys do nothing. windowFlag and kind are the
// calling window's and are not needed.
void KeyByOpen(int32 windowFlag, const BMessage* keyDown, int32 kind);
