// Checks for programmer errors: they stop the program in debug builds and
// cost nothing in release builds.
#pragma once

#include "kit/app/OS.h"

#ifdef NDEBUG
#define ASSERT_WITH_MESSAGE(expression, message) ((void)0)
#else
#define ASSERT_WITH_MESSAGE(expression, message) ((expression) ? (void)0 : debugger(message))
#endif
