#include "kit/interface/ModalWait.h"

#include "kit/app/LooperRoster.h"
#include "kit/app/OS.h"
#include "kit/interface/Window.h"

namespace BPrivate {

void UserWait::Wait()
{
    // On a looper's thread we are inside the handling of one message.
    BLooper* looper = BLooper::LooperForThread(find_thread(nullptr));
    if (auto* window = dynamic_cast<BWindow*>(looper); window != nullptr && window->IsLocked())
        window->UpdateIfNeeded();
    std::unique_lock lock(fLock);
    if (fFinished)
        return;
    if (looper != nullptr) {
        fLooperWaiting = true;
        LooperRoster::Default().WorkDone(1);
    }
    fDone.wait(lock, [this] { return fFinished; });
}

void UserWait::Finish()
{
    std::lock_guard lock(fLock);
    if (fFinished)
        return;
    fFinished = true;
    if (fLooperWaiting)
        LooperRoster::Default().AddWork(1);
    fDone.notify_all();
}

bool UserWait::IsFinished()
{
    std::lock_guard lock(fLock);
    return fFinished;
}

} // namespace BPrivate
