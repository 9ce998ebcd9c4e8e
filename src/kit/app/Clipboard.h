// The process clipboard. Data() is a message of MIME-typed entries
// ("text/plain" as B_MIME_TYPE data); it is read and changed only between
// Lock() and Unlock(), and a change becomes visible to others at Commit().
//
// A display backend may mirror the clipboard to the desktop's: it installs
// hooks that are told of every commit and asked for newer contents on
// every lock. Without hooks the clipboard is local to the process.
#pragma once

#include <functional>
#include <string>

#include "kit/app/Locker.h"
#include "kit/app/Message.h"

class BClipboard
{
public:
    // Called with the clipboard locked.
    using PublishHook = std::function<void(const BMessage& data)>;
    // Fills data and returns true when the desktop has newer contents.
    using FetchHook = std::function<bool(BMessage* data)>;

    explicit BClipboard(const char* name);
    ~BClipboard();

    BClipboard(const BClipboard&) = delete;
    BClipboard& operator=(const BClipboard&) = delete;

    const char* Name() const { return fName.c_str(); }

    bool Lock();
    void Unlock();
    bool IsLocked() const { return fLock.IsLocked(); }

    // Each needs the lock; B_NOT_ALLOWED without it.
    status_t Clear();
    status_t Commit();
    // Throws away uncommitted changes.
    status_t Revert();
    // The working copy; null unless the caller holds the lock.
    BMessage* Data() const;

    // Installed by a backend; empty functions remove them.
    void SetHooks(PublishHook publish, FetchHook fetch);

private:
    std::string fName;
    BLocker fLock;
    BMessage fCommitted;
    mutable BMessage fData;
    PublishHook fPublish;
    FetchHook fFetch;
};

extern BClipboard* be_clipboard;
