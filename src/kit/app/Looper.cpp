#include "kit/app/Looper.h"

#include <algorithm>

#include "kit/app/AppDefs.h"
#include "kit/app/Debug.h"
#include "kit/app/LooperRoster.h"
#include "kit/app/OS.h"

using BPrivate::LooperRoster;

BLooper::BLooper(const char* name) : BHandler(name)
{
    LooperRoster::Default().AddLooper(this);
    fLock.Lock();
    AddHandler(this);
}

BLooper::~BLooper()
{
    LooperRoster::Default().RemoveLooper(this);

    if (fThread.joinable()) {
        if (find_thread(nullptr) == Thread()) {
            fThread.detach();
        } else {
            ASSERT_WITH_MESSAGE(false, "BLooper: deleting a running looper; use Quit()");
            _RequestStop();
            fLock._UnlockAll();
            fThread.join();
        }
    }
    _DiscardQueue();

    for (BHandler* handler : fHandlers) {
        handler->fLooper.store(nullptr, std::memory_order_release);
        if (handler->fNextHandler == this)
            handler->fNextHandler = nullptr;
    }
    fHandlers.clear();
}

// MARK: Running and quitting

thread_id BLooper::Run()
{
    bool lockedByCaller = IsLocked();
    ASSERT_WITH_MESSAGE(lockedByCaller, "BLooper::Run(): the looper must be locked by the caller");
    if (!lockedByCaller)
        Lock();

    {
        std::lock_guard lock(fQueueLock);
        ASSERT_WITH_MESSAGE(!fRunCalled, "BLooper::Run(): the looper is already running");
        if (fRunCalled) {
            Unlock();
            return B_BAD_THREAD_ID;
        }
        fRunCalled = true;
        LooperRoster::Default().AddWork(static_cast<int64>(fQueue.size()));
    }

    fThread = std::thread([this] {
        {
            std::lock_guard lock(fQueueLock);
            fThreadId.store(find_thread(nullptr), std::memory_order_release);
            fQueueChanged.notify_all();
        }
        _TaskLoop();
    });
    {
        // Run() returns the thread's id, which only the thread itself knows.
        std::unique_lock lock(fQueueLock);
        fQueueChanged.wait(lock, [this] { return Thread() != B_ERROR; });
    }

    Unlock();
    return Thread();
}

void BLooper::Quit()
{
    ASSERT_WITH_MESSAGE(IsLocked(), "BLooper::Quit(): the looper must be locked by the caller");
    if (!IsLocked())
        Lock();

    if (!_HasRun()) {
        delete this;
        return;
    }
    if (find_thread(nullptr) == Thread()) {
        if (_RequestStop()) {
            // Keeps wait_for_idle_loopers() waiting until the thread has
            // deleted the looper.
            LooperRoster::Default().AddWork(1);
            fDeleteWhenDone = true;
        }
        return;
    }

    bool first = _RequestStop();
    // The thread may be waiting for the lock to dispatch; it must get it to
    // see that it is to stop.
    fLock._UnlockAll();
    if (!first)
        return;
    fThread.join();
    // Let anyone who locked meanwhile finish before the lock goes away.
    Lock();
    delete this;
}

bool BLooper::QuitRequested()
{
    return true;
}

bool BLooper::_HasRun()
{
    std::lock_guard lock(fQueueLock);
    return fRunCalled;
}

bool BLooper::_RequestStop()
{
    std::lock_guard lock(fQueueLock);
    if (fTerminating.exchange(true))
        return false;
    fQueueChanged.notify_all();
    return true;
}

void BLooper::_DiscardQueue()
{
    std::vector<QueuedMessage> discarded;
    std::lock_guard lock(fQueueLock);
    fTerminating = true;
    discarded.swap(fQueue);
    if (fRunCalled)
        LooperRoster::Default().WorkDone(static_cast<int64>(discarded.size()));
}

// MARK: The loop

void BLooper::_TaskLoop()
{
    std::vector<QueuedMessage> batch;
    while (_WaitForBatch(batch)) {
        for (QueuedMessage& queued : batch) {
            if (!fTerminating)
                _Dispatch(queued);
            queued.message.reset();
            LooperRoster::Default().WorkDone(1);
        }
        batch.clear();
    }
    _DiscardQueue();
    _LoopEnded();

    if (fDeleteWhenDone) {
        // Whoever holds the lock now is still using the looper.
        Lock();
        delete this;
        LooperRoster::Default().WorkDone(1);
    }
}

bool BLooper::_WaitForBatch(std::vector<QueuedMessage>& batch)
{
    std::unique_lock lock(fQueueLock);
    fQueueChanged.wait(lock, [this] { return fTerminating || !fQueue.empty(); });
    if (fTerminating)
        return false;
    batch.swap(fQueue);
    return true;
}

void BLooper::_Dispatch(QueuedMessage& queued)
{
    Lock();
    BHandler* handler = _Target(queued);
    if (handler != nullptr && !fTerminating) {
        fCurrentMessage = &queued.message;
        DispatchMessage(queued.message.get(), handler);
        fCurrentMessage = nullptr;
    }
    Unlock();
}

BHandler* BLooper::_Target(const QueuedMessage& queued) const
{
    if (queued.usePreferred)
        return fPreferred != nullptr ? fPreferred : const_cast<BLooper*>(this);
    for (BHandler* handler : fHandlers) {
        if (handler->fToken == queued.targetToken)
            return handler;
    }
    return nullptr;
}

void BLooper::DispatchMessage(BMessage* message, BHandler* handler)
{
    if (message->what == B_QUIT_REQUESTED && handler == this) {
        if (QuitRequested())
            Quit();
        return;
    }
    handler->MessageReceived(message);
}

// MARK: Posting

status_t BLooper::PostMessage(uint32 command)
{
    return PostMessage(command, this);
}

status_t BLooper::PostMessage(uint32 command, BHandler* handler)
{
    BMessage message(command);
    return PostMessage(&message, handler);
}

status_t BLooper::PostMessage(BMessage* message)
{
    return PostMessage(message, this);
}

status_t BLooper::PostMessage(BMessage* message, BHandler* handler)
{
    if (message == nullptr)
        return B_BAD_VALUE;
    if (handler != nullptr && handler->Looper() != this)
        return B_MISMATCHED_VALUES;
    return _Post(*message, handler, handler == nullptr);
}

status_t BLooper::_Post(const BMessage& message, BHandler* handler, bool usePreferred)
{
    return _PostToToken(message, handler != nullptr ? handler->fToken : 0, usePreferred);
}

status_t BLooper::_PostToToken(const BMessage& message, int32 token, bool usePreferred)
{
    QueuedMessage queued{std::make_unique<BMessage>(message), token, usePreferred};
    std::lock_guard lock(fQueueLock);
    if (fTerminating)
        return B_BAD_PORT_ID;
    fQueue.push_back(std::move(queued));
    if (fRunCalled)
        LooperRoster::Default().AddWork(1);
    // Under the lock: once it is released the looper may handle this very
    // message, quit and be deleted, taking the condition variable with it.
    fQueueChanged.notify_one();
    return B_OK;
}

// MARK: Handlers

void BLooper::AddHandler(BHandler* handler)
{
    ASSERT_WITH_MESSAGE(IsLocked(), "BLooper::AddHandler(): the looper must be locked");
    if (handler == nullptr || handler->Looper() == this)
        return;
    ASSERT_WITH_MESSAGE(handler->Looper() == nullptr,
                        "BLooper::AddHandler(): the handler belongs to another looper");
    if (handler->Looper() != nullptr)
        return;
    fHandlers.push_back(handler);
    handler->fLooper.store(this, std::memory_order_release);
    if (handler != this && handler->fNextHandler == nullptr)
        handler->fNextHandler = this;
}

bool BLooper::RemoveHandler(BHandler* handler)
{
    ASSERT_WITH_MESSAGE(IsLocked(), "BLooper::RemoveHandler(): the looper must be locked");
    if (handler == nullptr || handler == this || handler->Looper() != this)
        return false;
    std::erase(fHandlers, handler);
    handler->fLooper.store(nullptr, std::memory_order_release);
    if (handler->fNextHandler == this)
        handler->fNextHandler = nullptr;
    if (fPreferred == handler)
        fPreferred = nullptr;
    return true;
}

int32 BLooper::CountHandlers() const
{
    return static_cast<int32>(fHandlers.size());
}

BHandler* BLooper::HandlerAt(int32 index) const
{
    if (index < 0 || index >= CountHandlers())
        return nullptr;
    return fHandlers[index];
}

int32 BLooper::IndexOf(BHandler* handler) const
{
    auto it = std::find(fHandlers.begin(), fHandlers.end(), handler);
    return it != fHandlers.end() ? static_cast<int32>(it - fHandlers.begin()) : -1;
}

void BLooper::SetPreferredHandler(BHandler* handler)
{
    fPreferred = handler != nullptr && handler->Looper() == this ? handler : nullptr;
}

BMessage* BLooper::CurrentMessage() const
{
    return fCurrentMessage != nullptr ? fCurrentMessage->get() : nullptr;
}

BMessage* BLooper::DetachCurrentMessage()
{
    return fCurrentMessage != nullptr ? fCurrentMessage->release() : nullptr;
}

BLooper* BLooper::LooperForThread(thread_id thread)
{
    return LooperRoster::Default().LooperForThread(thread);
}
