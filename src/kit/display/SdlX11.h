// X11 details the SDL backend needs, kept apart so Xlib's macros stay out of
// the rest of the kit.
#pragma once

namespace BPrivate {

// SDL wakes its event wait by sending an X event to one of our windows over
// a second connection; a window destroyed meanwhile turns that into a
// BadWindow error, which Xlib's default handler answers by ending the
// program. The guard ignores exactly that error and hands others on.
void install_x11_wakeup_guard();
void remove_x11_wakeup_guard();

} // namespace BPrivate
