// Saves a view's drawing state for one scope: PushState() when made,
// PopState() when it goes, on every way out of the scope, so a drawing
// function that returns early cannot leave its colours to the next view.
#pragma once

class BView;

class BStateGuard
{
public:
    explicit BStateGuard(BView* view);
    ~BStateGuard();

    BStateGuard(const BStateGuard&) = delete;
    BStateGuard& operator=(const BStateGuard&) = delete;

private:
    BView* fView;
};
