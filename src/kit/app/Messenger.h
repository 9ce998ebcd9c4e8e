// A safe address for a handler in a looper. Unlike a pointer, a messenger
// outlives its target: once the looper is gone, or the handler has left it,
// the messenger is invalid and sending through it is refused, so controls
// and menu items may name targets in windows that close first.
#pragma once

#include "kit/app/SupportDefs.h"

class BHandler;
class BLooper;
class BMessage;

class BMessenger
{
public:
    BMessenger();
    // The handler must belong to a looper (given or its own); a null handler
    // with a looper means that looper's preferred handler. result gets
    // B_BAD_VALUE for neither, B_MISMATCHED_VALUES when the handler belongs
    // to another looper or none.
    explicit BMessenger(const BHandler* handler, const BLooper* looper = nullptr,
                        status_t* result = nullptr);

    // True while the looper lives (and, for a handler, it has not left).
    bool IsValid() const;
    // The pointers as they were given; only meaningful while IsValid().
    BHandler* Target(BLooper** looper) const;
    bool IsTargetLocal() const { return true; }

    // Copies and posts; B_BAD_PORT_ID when the target is gone.
    status_t SendMessage(uint32 command) const;
    status_t SendMessage(const BMessage* message) const;

    // Locks the target's looper; false when it is gone. The lock is given
    // back with the looper's Unlock().
    bool LockTarget() const;

    bool operator==(const BMessenger& other) const;
    bool operator!=(const BMessenger& other) const { return !(*this == other); }

private:
    BHandler* fHandler = nullptr;
    BLooper* fLooper = nullptr;
    int32 fLooperToken = 0;
    int32 fHandlerToken = 0;
    bool fPreferred = false;
};
