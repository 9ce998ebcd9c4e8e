// Something that sends a message to a target when the user acts on it:
// controls, menu items, alerts.
#pragma once

#include <memory>

#include "kit/app/Messenger.h"
#include "kit/app/SupportDefs.h"

class BHandler;
class BLooper;
class BMessage;

class BInvoker
{
public:
    // Takes ownership of message.
    explicit BInvoker(BMessage* message = nullptr, const BHandler* handler = nullptr,
                      const BLooper* looper = nullptr);
    BInvoker(BMessage* message, BMessenger target);
    virtual ~BInvoker();

    BInvoker(const BInvoker&) = delete;
    BInvoker& operator=(const BInvoker&) = delete;

    // Takes ownership; the old message is deleted.
    virtual status_t SetMessage(BMessage* message);
    BMessage* Message() const { return fMessage.get(); }
    uint32 Command() const;

    // A target not yet attached to a looper is refused (B_BAD_VALUE), as
    // is one that belongs to another looper than the one given.
    virtual status_t SetTarget(const BHandler* handler, const BLooper* looper = nullptr);
    virtual status_t SetTarget(BMessenger messenger);
    bool IsTargetLocal() const { return true; }
    BHandler* Target(BLooper** looper = nullptr) const;
    BMessenger Messenger() const { return fMessenger; }

    // Sends a copy of message, or of the invoker's own message, with "when"
    // (system_time) and "source" (the invoker's owner) added. B_BAD_VALUE
    // when there is nothing to send; B_BAD_PORT_ID when the target is gone.
    virtual status_t Invoke(BMessage* message = nullptr);

protected:
    // What "source" points to: controls and menu items pass themselves.
    void SetInvokerSource(const void* source) { fSource = source; }

private:
    std::unique_ptr<BMessage> fMessage;
    BMessenger fMessenger;
    const void* fSource;
};
