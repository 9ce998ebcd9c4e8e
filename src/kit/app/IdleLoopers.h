// Waiting until every looper has nothing left to do: for tests and test
// drivers that post messages and then look at the result.
#pragma once

#include "kit/app/SupportDefs.h"

// Returns B_OK once no running looper has a queued message, none is handling
// one and none is still winding down after quitting itself. Messages posted
// by handlers while others are handled are waited for too, so the state is
// stable unless a thread outside the loopers posts more. Messages waiting in
// a looper that has not been Run() yet do not count. B_TIMED_OUT after
// timeout microseconds.
status_t wait_for_idle_loopers(bigtime_t timeout = 5'000'000);
