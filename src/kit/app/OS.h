// Time, sleeping and thread identity.
#pragma once

#include "kit/app/SupportDefs.h"

inline constexpr bigtime_t B_INFINITE_TIMEOUT = INT64_MAX;

// Microseconds on a monotonic clock; only differences are meaningful.
bigtime_t system_time();

status_t snooze(bigtime_t microseconds);

// With a null name: the calling thread's id. Ids are small positive numbers,
// never reused within the process. Threads cannot be looked up by name.
thread_id find_thread(const char* name);

// Stops the program with a message: for programmer errors.
[[noreturn]] void debugger(const char* message);
