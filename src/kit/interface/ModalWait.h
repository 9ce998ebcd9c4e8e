// How Go() of pop-up menus and alerts waits for the user (kit-private).
//
// The menu or alert runs in a window of its own, on its own thread, so the
// caller only has to wait; nothing it answers needs the caller's thread or
// locks. A window thread that calls Go() keeps its window locked, as on the
// platform, so its views cannot change under the code that called Go(); its
// pending updates are drawn before it waits, and since every change to the
// window needs that lock, nothing else can become stale meanwhile (input
// for it waits in its queue). Other windows keep working.
//
// A looper waiting here counts as idle for wait_for_idle_loopers(), so a
// test can wait for the menu or alert to appear and then answer it; the
// answer gives the waiter its work back before it wakes, so a test that
// waits for idle after answering also sees Go() return.
#pragma once

#include <condition_variable>
#include <mutex>

namespace BPrivate {

class UserWait
{
public:
    // Blocks until Finish(); returns at once when that was called already.
    void Wait();
    // From the thread that has the user's answer.
    void Finish();
    bool IsFinished();

private:
    std::mutex fLock;
    std::condition_variable fDone;
    bool fFinished = false;
    bool fLooperWaiting = false;
};

} // namespace BPrivate
