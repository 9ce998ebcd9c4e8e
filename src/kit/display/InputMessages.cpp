#include "kit/display/InputMessages.h"

#include "kit/app/OS.h"
#include "kit/app/TypeConstants.h"
#include "kit/interface/InterfaceDefs.h"

namespace BPrivate {

BMessage make_mouse_message(uint32 what, BPoint where, BPoint screenWhere, uint32 buttons,
                            int32 clicks, uint32 modifiers)
{
    BMessage message(what);
    message.AddInt64("when", system_time());
    message.AddPoint("where", where);
    message.AddPoint("screen_where", screenWhere);
    message.AddInt32("buttons", static_cast<int32>(buttons));
    message.AddInt32("modifiers", static_cast<int32>(modifiers));
    if (what == B_MOUSE_DOWN)
        message.AddInt32("clicks", clicks);
    return message;
}

BMessage make_wheel_message(float deltaX, float deltaY, BPoint where, BPoint screenWhere)
{
    BMessage message(B_MOUSE_WHEEL_CHANGED);
    message.AddInt64("when", system_time());
    message.AddFloat("be:wheel_delta_x", deltaX);
    message.AddFloat("be:wheel_delta_y", deltaY);
    message.AddPoint("where", where);
    message.AddPoint("screen_where", screenWhere);
    return message;
}

BMessage make_key_message(uint32 what, int32 key, const std::string& bytes, uint32 modifiers)
{
    BMessage message(what);
    message.AddInt64("when", system_time());
    message.AddInt32("key", key);
    message.AddInt32("modifiers", static_cast<int32>(modifiers));
    message.AddString("bytes", bytes);
    for (char byte : bytes)
        message.AddInt8("byte", static_cast<int8>(byte));
    int32 rawChar = bytes.empty() ? 0 : static_cast<uint8>(bytes[0]);
    if (rawChar >= 'A' && rawChar <= 'Z' && (modifiers & B_SHIFT_KEY) != 0)
        rawChar += 'a' - 'A';
    message.AddInt32("raw_char", rawChar);
    return message;
}

BMessage make_drop_message(const std::vector<std::string>& paths, BPoint where, BPoint screenWhere)
{
    BMessage message(B_SIMPLE_DATA);
    for (const std::string& path : paths) {
        entry_ref ref(path);
        message.AddRef("refs", &ref);
    }
    message.AddPoint("where", where);
    message._SetDropPoint(screenWhere);
    return message;
}

BMessage make_text_drop_message(const std::string& text, BPoint where, BPoint screenWhere)
{
    BMessage message(B_SIMPLE_DATA);
    message.AddData("text/plain", B_MIME_TYPE, text.data(), static_cast<ssize_t>(text.size()));
    message.AddPoint("where", where);
    message._SetDropPoint(screenWhere);
    return message;
}

BMessage make_window_moved_message(BPoint leftTop)
{
    BMessage message(B_WINDOW_MOVED);
    message.AddInt64("when", system_time());
    message.AddPoint("where", leftTop);
    return message;
}

BMessage make_window_resized_message(float width, float height)
{
    BMessage message(B_WINDOW_RESIZED);
    message.AddInt64("when", system_time());
    message.AddFloat("width", width);
    message.AddFloat("height", height);
    return message;
}

BMessage make_window_activated_message(bool active)
{
    BMessage message(B_WINDOW_ACTIVATED);
    message.AddInt64("when", system_time());
    message.AddBool("active", active);
    return message;
}

std::string bytes_for_key(int32 key)
{
    if (key >= B_F1_KEY && key <= B_F12_KEY)
        return std::string(1, static_cast<char>(B_FUNCTION_KEY));
    switch (key) {
    case B_ESCAPE_KEY:
        return std::string(1, static_cast<char>(B_ESCAPE));
    case B_PRINT_KEY:
    case B_SCROLL_KEY:
    case B_PAUSE_KEY:
        return std::string(1, static_cast<char>(B_FUNCTION_KEY));
    case B_BACKSPACE_KEY:
        return std::string(1, static_cast<char>(B_BACKSPACE));
    case B_INSERT_KEY:
        return std::string(1, static_cast<char>(B_INSERT));
    case B_HOME_KEY:
        return std::string(1, static_cast<char>(B_HOME));
    case B_PAGE_UP_KEY:
        return std::string(1, static_cast<char>(B_PAGE_UP));
    case B_TAB_KEY:
        return std::string(1, static_cast<char>(B_TAB));
    case B_DELETE_KEY:
        return std::string(1, static_cast<char>(B_DELETE));
    case B_END_KEY:
        return std::string(1, static_cast<char>(B_END));
    case B_PAGE_DOWN_KEY:
        return std::string(1, static_cast<char>(B_PAGE_DOWN));
    case B_ENTER_KEY:
        return std::string(1, static_cast<char>(B_ENTER));
    case B_UP_ARROW_KEY:
        return std::string(1, static_cast<char>(B_UP_ARROW));
    case B_LEFT_ARROW_KEY:
        return std::string(1, static_cast<char>(B_LEFT_ARROW));
    case B_DOWN_ARROW_KEY:
        return std::string(1, static_cast<char>(B_DOWN_ARROW));
    case B_RIGHT_ARROW_KEY:
        return std::string(1, static_cast<char>(B_RIGHT_ARROW));
    default:
        return {};
    }
}

} // namespace BPrivate
