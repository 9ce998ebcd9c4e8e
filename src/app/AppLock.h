// Holds the application's lock for one scope while there is an
// application: the template menus and folder listings are read under it.
#pragma once

#include "kit/app/Application.h"

class AppLock
{
public:
    AppLock() : fLocked(be_app != nullptr && be_app->Lock()) {}
    ~AppLock()
    {
        if (fLocked)
            be_app->Unlock();
    }
    AppLock(const AppLock&) = delete;
    AppLock& operator=(const AppLock&) = delete;

private:
    bool fLocked;
};
