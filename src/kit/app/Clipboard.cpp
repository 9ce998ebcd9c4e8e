#include "kit/app/Clipboard.h"

#include <utility>

#include "kit/app/AppDefs.h"

namespace {

BClipboard sSystemClipboard("system");

} // namespace

BClipboard* be_clipboard = &sSystemClipboard;

BClipboard::BClipboard(const char* name)
    : fName(name != nullptr ? name : ""), fLock("clipboard"), fCommitted(B_SIMPLE_DATA),
      fData(B_SIMPLE_DATA)
{
}

BClipboard::~BClipboard() = default;

bool BClipboard::Lock()
{
    if (!fLock.Lock())
        return false;
    // Only the outermost lock refreshes, so a nested Lock() keeps the
    // caller's uncommitted changes.
    if (fLock.CountLocks() == 1) {
        BMessage fetched(B_SIMPLE_DATA);
        if (fFetch && fFetch(&fetched))
            fCommitted = fetched;
        fData = fCommitted;
    }
    return true;
}

void BClipboard::Unlock()
{
    fLock.Unlock();
}

status_t BClipboard::Clear()
{
    if (!fLock.IsLocked())
        return B_NOT_ALLOWED;
    fData.MakeEmpty();
    fData.what = B_SIMPLE_DATA;
    return B_OK;
}

status_t BClipboard::Commit()
{
    if (!fLock.IsLocked())
        return B_NOT_ALLOWED;
    fCommitted = fData;
    if (fPublish)
        fPublish(fCommitted);
    return B_OK;
}

status_t BClipboard::Revert()
{
    if (!fLock.IsLocked())
        return B_NOT_ALLOWED;
    fData = fCommitted;
    return B_OK;
}

BMessage* BClipboard::Data() const
{
    return fLock.IsLocked() ? &fData : nullptr;
}

void BClipboard::SetHooks(PublishHook publish, FetchHook fetch)
{
    Lock();
    fPublish = std::move(publish);
    fFetch = std::move(fetch);
    Unlock();
}
