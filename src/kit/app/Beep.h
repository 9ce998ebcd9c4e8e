// The diagnostic bell.
#pragma once

#include "kit/app/SupportDefs.h"

// Rings the bell: counts the beep and, only when standard error is a
// terminal, writes the BEL character there. Redirected output stays clean.
status_t beep();

// Beeps so far in this process, so tests can check that a command beeped.
int32 beep_count();
