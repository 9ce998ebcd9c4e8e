#include "kit/app/IdleLoopers.h"

#include "kit/app/LooperRoster.h"

status_t wait_for_idle_loopers(bigtime_t timeout)
{
    return BPrivate::LooperRoster::Default().WaitForIdle(timeout);
}
