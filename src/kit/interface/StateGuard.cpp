#include "kit/interface/StateGuard.h"

#include "kit/interface/View.h"

BStateGuard::BStateGuard(BView* view) : fView(view)
{
    fView->PushState();
}

BStateGuard::~BStateGuard()
{
    fView->PopState();
}
