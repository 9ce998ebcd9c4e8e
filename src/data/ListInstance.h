// The one instance of a list object (the order list, the worker list).
//
// The instance is handed out and unlinked under one lock, and it is owned
// together by this registry and by every thread that fetched it: each
// thread keeps the last list it was given. So a list that is closed while
// another thread has it fetched is freed only when that thread lets go (it
// fetches another list, or ends), never under its feet, and no sleep
// decides when that is. Closing takes the list's own lock after unlinking
// it, so whoever holds that lock finishes first.
//
// For callers: a pointer from getSTOrder()/getSTWorker()/Existing() stays
// valid while you hold the list's lock, and otherwise until your thread is
// handed a different list or you call DeleteMe yourself. A list closed by
// another thread is empty and refuses to save.
#pragma once

#include <atomic>
#include <memory>
#include <mutex>

template <typename List>
class ListInstance
{
public:
    // The current list, or null; never makes one.
    List* Current()
    {
        List* current = fRaw.load(std::memory_order_acquire);
        if (current != nullptr && current == tPinned.get())
            return current;
        std::shared_ptr<List> held;
        {
            std::lock_guard lock(fLock);
            held = fCurrent;
        }
        return _Pin(std::move(held));
    }

    // The current list, else the one make() returns (null for none), made
    // under the creation lock. Null when asked again from inside make():
    // there is no list to hand out yet.
    template <typename Make>
    List* Get(const Make& make)
    {
        if (List* current = Current())
            return current;
        std::lock_guard create(fCreateLock);
        if (List* current = Current())
            return current;
        if (fCreating)
            return nullptr;
        fCreating = true;
        std::shared_ptr<List> made(make());
        fCreating = false;
        if (made) {
            std::lock_guard lock(fLock);
            fCurrent = made;
            fRaw.store(made.get(), std::memory_order_release);
        }
        return _Pin(std::move(made));
    }

    // Makes list unreachable when it is the current one and runs then()
    // under the same locks, so nothing new is made in between; then() must
    // take no lock but its own. The
    // owner returned (null for a list that was not current) keeps the list
    // alive until it goes.
    template <typename Then>
    std::shared_ptr<List> Unlink(List* list, const Then& then)
    {
        std::lock_guard create(fCreateLock);
        std::shared_ptr<List> owner;
        {
            std::lock_guard lock(fLock);
            if (fCurrent.get() != list)
                return owner;
            owner = std::move(fCurrent);
            fCurrent.reset();
            fRaw.store(nullptr, std::memory_order_release);
            // Whoever finds no list finds then()'s change made too.
            then();
        }
        return owner;
    }

    // The calling thread is done with list; it is freed here unless another
    // thread still has it. Nothing of list may be touched afterwards.
    void Release(List* list, std::shared_ptr<List> owner)
    {
        std::shared_ptr<List> pinned;
        if (tPinned.get() == list)
            pinned.swap(tPinned);
        owner.reset();
    }

private:
    List* _Pin(std::shared_ptr<List> held)
    {
        List* list = held.get();
        // The list given up before goes here, outside every lock.
        if (list != nullptr && list != tPinned.get())
            tPinned.swap(held);
        return list;
    }

    std::mutex fLock; // fCurrent
    std::shared_ptr<List> fCurrent;
    std::atomic<List*> fRaw{nullptr};
    std::recursive_mutex fCreateLock;
    bool fCreating = false; // guarded by fCreateLock
    static inline thread_local std::shared_ptr<List> tPinned;
};
