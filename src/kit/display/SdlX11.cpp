#include "kit/display/SdlX11.h"

#include <X11/Xlib.h>
#include <X11/Xproto.h>

namespace BPrivate {

namespace {

XErrorHandler sPrevious = nullptr;
bool sInstalled = false;

int ignore_lost_wakeups(Display* display, XErrorEvent* error)
{
    if (error->error_code == BadWindow && error->request_code == X_SendEvent)
        return 0;
    return sPrevious != nullptr ? sPrevious(display, error) : 0;
}

} // namespace

void install_x11_wakeup_guard()
{
    if (sInstalled)
        return;
    sPrevious = XSetErrorHandler(ignore_lost_wakeups);
    sInstalled = true;
}

void remove_x11_wakeup_guard()
{
    if (!sInstalled)
        return;
    XSetErrorHandler(sPrevious);
    sPrevious = nullptr;
    sInstalled = false;
}

} // namespace BPrivate
