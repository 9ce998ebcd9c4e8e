// The input messages a backend posts to a window, built in one place so
// every backend sends the same fields. Points are in window coordinates
// ("where") and screen coordinates ("screen_where"); the window rewrites
// "where" into the receiving view's coordinates.
#pragma once

#include <string>
#include <vector>

#include "kit/app/Message.h"

namespace BPrivate {

// B_MOUSE_DOWN, B_MOUSE_UP or B_MOUSE_MOVED: "when", "where",
// "screen_where", "buttons", "modifiers", and "clicks" for a mouse down.
BMessage make_mouse_message(uint32 what, BPoint where, BPoint screenWhere, uint32 buttons,
                            int32 clicks, uint32 modifiers);

// B_MOUSE_WHEEL_CHANGED: "be:wheel_delta_x", "be:wheel_delta_y" (positive
// scrolls down), "where" and "screen_where" of the pointer.
BMessage make_wheel_message(float deltaX, float deltaY, BPoint where, BPoint screenWhere);

// B_KEY_DOWN or B_KEY_UP: "key" (raw code), "bytes" (UTF-8), "byte" (each
// byte), "raw_char" (the first byte without modifiers), "modifiers".
BMessage make_key_message(uint32 what, int32 key, const std::string& bytes, uint32 modifiers);

// B_SIMPLE_DATA with one "refs" per path, dropped at the point.
BMessage make_drop_message(const std::vector<std::string>& paths, BPoint where, BPoint screenWhere);
// B_SIMPLE_DATA with the text as "text/plain" (B_MIME_TYPE data), as a
// text dragged from another program arrives.
BMessage make_text_drop_message(const std::string& text, BPoint where, BPoint screenWhere);

// B_WINDOW_MOVED ("where": new left top) and B_WINDOW_RESIZED ("width",
// "height"), for moves and resizes done by the user.
BMessage make_window_moved_message(BPoint leftTop);
BMessage make_window_resized_message(float width, float height);
BMessage make_window_activated_message(bool active);

// The bytes a key without a character of its own sends: B_FUNCTION_KEY for
// F1-F12, B_ESCAPE, B_DELETE, arrows and so on; empty for other keys.
std::string bytes_for_key(int32 key);

} // namespace BPrivate
