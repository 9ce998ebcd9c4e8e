// The calendar layer's only calls into the C library's local-time
// conversion. glibc re-reads TZ inside every mktime under a lock of its own
// that ThreadSanitizer cannot see; one mutex of ours around both calls
// makes that ordering visible and keeps the first zone load single-threaded.
#pragma once

#include <ctime>

// mktime on a copy of the fields; -1 when the instant cannot be represented.
time_t LocalMktime(const std::tm& fields);
// localtime_r of the instant.
std::tm LocalBrokenDown(time_t instant);
