// A thread with a message queue. Messages are handled one at a time, in the
// order they were posted, each with the looper locked: a thread that locks
// the looper waits for the current message, and the looper waits for it.
//
// Life cycle, as on the platform: the constructor leaves the looper locked
// by the creating thread (so it can be set up), Run() starts the thread and
// releases that lock. Quit() ends it and deletes the object; see there.
#pragma once

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "kit/app/Handler.h"
#include "kit/app/Locker.h"
#include "kit/app/Message.h"

namespace BPrivate {
class LooperRoster;
}

class BLooper : public BHandler
{
public:
    explicit BLooper(const char* name = nullptr);
    // Use Quit(); deleting a running looper is a programmer error.
    ~BLooper() override;

    // Starts the thread; the caller must hold the lock the constructor took.
    virtual thread_id Run();
    // The caller must hold the lock. From the looper's own thread (a
    // handler), the loop ends after the current message and the thread then
    // deletes the looper; Quit() returns to the handler. From another thread
    // it stops the loop, waits for the thread and deletes the looper before
    // it returns; the caller does not unlock. A looper that never ran is
    // deleted at once. Either way no one may use the pointer afterwards.
    virtual void Quit();
    virtual bool QuitRequested();
    // B_QUIT_REQUESTED for the looper itself asks QuitRequested() and quits;
    // everything else goes to the handler's MessageReceived().
    virtual void DispatchMessage(BMessage* message, BHandler* handler);

    // Messages are copied. A null handler means the preferred handler, the
    // forms without one target the looper itself. B_MISMATCHED_VALUES when
    // the handler belongs to another looper, B_BAD_PORT_ID once the looper
    // has quit.
    status_t PostMessage(uint32 command);
    status_t PostMessage(uint32 command, BHandler* handler);
    status_t PostMessage(BMessage* message);
    status_t PostMessage(BMessage* message, BHandler* handler);

    bool Lock() { return fLock.Lock(); }
    status_t LockWithTimeout(bigtime_t timeout) { return fLock.LockWithTimeout(timeout); }
    void Unlock() { fLock.Unlock(); }
    bool IsLocked() const { return fLock.IsLocked(); }
    thread_id LockingThread() const { return fLock.LockingThread(); }
    int32 CountLocks() const { return fLock.CountLocks(); }

    // Handler membership changes with the looper locked. The looper is its
    // own first handler.
    void AddHandler(BHandler* handler);
    bool RemoveHandler(BHandler* handler);
    int32 CountHandlers() const;
    BHandler* HandlerAt(int32 index) const;
    int32 IndexOf(BHandler* handler) const;
    BHandler* PreferredHandler() const { return fPreferred; }
    void SetPreferredHandler(BHandler* handler);

    // The message being handled, on the looper's thread only. A detached
    // message belongs to the caller.
    BMessage* CurrentMessage() const;
    BMessage* DetachCurrentMessage();

    thread_id Thread() const { return fThreadId.load(std::memory_order_acquire); }
    static BLooper* LooperForThread(thread_id thread);

private:
    friend class BApplication;
    friend class BPrivate::LooperRoster;

    struct QueuedMessage
    {
        std::unique_ptr<BMessage> message;
        int32 targetToken;
        bool usePreferred;
    };

    status_t _Post(const BMessage& message, BHandler* handler, bool usePreferred);
    status_t _PostToToken(const BMessage& message, int32 token, bool usePreferred);
    void _TaskLoop();
    bool _WaitForBatch(std::vector<QueuedMessage>& batch);
    void _Dispatch(QueuedMessage& queued);
    BHandler* _Target(const QueuedMessage& queued) const;
    bool _HasRun();
    // False when the looper was already stopping.
    bool _RequestStop();
    void _DiscardQueue();
    // Runs on the looper's thread after the loop has ended.
    virtual void _LoopEnded() {}

    BLocker fLock;

    std::mutex fQueueLock;
    std::condition_variable fQueueChanged;
    std::vector<QueuedMessage> fQueue;
    bool fRunCalled = false;
    std::atomic<bool> fTerminating{false};

    std::thread fThread;
    std::atomic<thread_id> fThreadId{B_ERROR};
    bool fDeleteWhenDone = false;

    // Guarded by fLock.
    std::vector<BHandler*> fHandlers;
    BHandler* fPreferred = nullptr;
    std::unique_ptr<BMessage>* fCurrentMessage = nullptr;
};
