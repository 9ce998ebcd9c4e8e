#include "shell/WindowRegistry.h"

#include "kit/app/Looper.h"
#include "kit/app/Message.h"

size_t WindowRegistry::_Index(WindowRole role)
{
    return static_cast<size_t>(role) - 1;
}

void WindowRegistry::SetMaker(WindowRole role, Maker maker)
{
    std::lock_guard lock(fLock);
    fMakers[_Index(role)] = std::move(maker);
}

bool WindowRegistry::Make(WindowRole role)
{
    Maker maker;
    {
        std::lock_guard lock(fLock);
        maker = fMakers[_Index(role)];
    }
    // Made outside the lock: a window's constructor may register itself.
    BLooper* window = maker ? maker() : nullptr;
    if (window == nullptr)
        return false;
    Register(role, window);
    return true;
}

void WindowRegistry::Register(WindowRole role, BLooper* window)
{
    Entry entry;
    if (window != nullptr)
        entry = Entry{BMessenger(window), BMessenger(nullptr, window)};
    std::lock_guard lock(fLock);
    fWindows[_Index(role)] = entry;
}

void WindowRegistry::Forget(WindowRole role)
{
    std::lock_guard lock(fLock);
    fWindows[_Index(role)] = Entry();
}

bool WindowRegistry::IsOpen(WindowRole role) const
{
    std::lock_guard lock(fLock);
    return fWindows[_Index(role)].alive.IsValid();
}

status_t WindowRegistry::Post(WindowRole role, const BMessage& message) const
{
    BMessenger window;
    {
        std::lock_guard lock(fLock);
        window = fWindows[_Index(role)].target;
    }
    return window.SendMessage(&message);
}
