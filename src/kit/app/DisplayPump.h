// What the main thread does while the application runs. BApplication::Run()
// starts the application looper on a thread of its own and hands the main
// thread to the installed pump; a display backend installs one that turns
// window-system events into messages. Without a pump the main thread just
// waits for the application to quit.
#pragma once

#include <functional>

class DisplayPump
{
public:
    virtual ~DisplayPump();

    // Runs on the thread that called BApplication::Run() and returns once
    // quitting() is true. quitting() may be called from any thread.
    virtual void RunUntil(const std::function<bool()>& quitting) = 0;

    // Called from the application thread when quitting() has become true,
    // possibly before RunUntil() was entered: check quitting() before
    // sleeping.
    virtual void Wake() = 0;
};
