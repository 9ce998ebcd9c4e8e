// The pop-up cards exist once at a time: the open one is kept in a static
// pointer, set and cleared under the card's own lock.
#pragma once

#include <atomic>
#include <mutex>

#include "kit/app/AppDefs.h"
#include "kit/app/Messenger.h"

// Forgets the open card and asks it to quit. By message: the caller may be
// the application thread, which never waits for a window.
template <typename Card>
void CloseSingleCard(std::mutex& lock, std::atomic<Card*>& open)
{
    BMessenger card;
    {
        std::lock_guard guard(lock);
        Card* current = open.exchange(nullptr);
        if (current == nullptr)
            return;
        card = BMessenger(current);
    }
    card.SendMessage(B_QUIT_REQUESTED);
}
