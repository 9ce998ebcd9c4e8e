// The windows the router forwards to, by role: the seam where the real
// windows (main window, order editor, worker editor) come in. A window is
// registered as a messenger, so a post to a window that has gone is refused
// instead of reaching freed memory, and nothing here ever locks a window.
#pragma once

#include <array>
#include <functional>
#include <mutex>

#include "kit/app/Messenger.h"
#include "app/WindowRoles.h"

class BLooper;
class BMessage;

class WindowRegistry
{
public:
    // Makes, shows and returns the window of a role (a running looper), or
    // null. Called on the application thread.
    using Maker = std::function<BLooper*()>;

    void SetMaker(WindowRole role, Maker maker);
    // Makes the window through its maker and registers it; false when there
    // is no maker or it made nothing.
    bool Make(WindowRole role);

    // window must be alive; from then on it is reached by messenger only.
    void Register(WindowRole role, BLooper* window);
    void Forget(WindowRole role);
    // Registered and still running.
    bool IsOpen(WindowRole role) const;
    // A copy of message to the window; B_BAD_PORT_ID when it is not open.
    status_t Post(WindowRole role, const BMessage& message) const;

private:
    static size_t _Index(WindowRole role);

    struct Entry
    {
        BMessenger target; // the window itself, not its focus view
        // Asks only whether the looper lives: a handler messenger's
        // IsValid() locks the window, which the application must not wait for.
        BMessenger alive;
    };

    mutable std::mutex fLock;
    std::array<Entry, 3> fWindows;
    std::array<Maker, 3> fMakers;
};
