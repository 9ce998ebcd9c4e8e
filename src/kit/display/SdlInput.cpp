#include "kit/display/SdlInput.h"

#include "kit/display/InputMessages.h"
#include "kit/interface/InterfaceDefs.h"

namespace BPrivate {

namespace {

struct RawKey
{
    SDL_Scancode scancode;
    int32 raw;
};

// The platform's keyboard map counts keys row by row from the top left.
constexpr RawKey kRawKeys[] = {
    {SDL_SCANCODE_ESCAPE, 0x01},
    {SDL_SCANCODE_F1, 0x02},
    {SDL_SCANCODE_F2, 0x03},
    {SDL_SCANCODE_F3, 0x04},
    {SDL_SCANCODE_F4, 0x05},
    {SDL_SCANCODE_F5, 0x06},
    {SDL_SCANCODE_F6, 0x07},
    {SDL_SCANCODE_F7, 0x08},
    {SDL_SCANCODE_F8, 0x09},
    {SDL_SCANCODE_F9, 0x0a},
    {SDL_SCANCODE_F10, 0x0b},
    {SDL_SCANCODE_F11, 0x0c},
    {SDL_SCANCODE_F12, 0x0d},
    {SDL_SCANCODE_PRINTSCREEN, 0x0e},
    {SDL_SCANCODE_SCROLLLOCK, 0x0f},
    {SDL_SCANCODE_PAUSE, 0x10},
    {SDL_SCANCODE_GRAVE, 0x11},
    {SDL_SCANCODE_1, 0x12},
    {SDL_SCANCODE_2, 0x13},
    {SDL_SCANCODE_3, 0x14},
    {SDL_SCANCODE_4, 0x15},
    {SDL_SCANCODE_5, 0x16},
    {SDL_SCANCODE_6, 0x17},
    {SDL_SCANCODE_7, 0x18},
    {SDL_SCANCODE_8, 0x19},
    {SDL_SCANCODE_9, 0x1a},
    {SDL_SCANCODE_0, 0x1b},
    {SDL_SCANCODE_MINUS, 0x1c},
    {SDL_SCANCODE_EQUALS, 0x1d},
    {SDL_SCANCODE_BACKSPACE, 0x1e},
    {SDL_SCANCODE_INSERT, 0x1f},
    {SDL_SCANCODE_HOME, 0x20},
    {SDL_SCANCODE_PAGEUP, 0x21},
    {SDL_SCANCODE_NUMLOCKCLEAR, 0x22},
    {SDL_SCANCODE_KP_DIVIDE, 0x23},
    {SDL_SCANCODE_KP_MULTIPLY, 0x24},
    {SDL_SCANCODE_KP_MINUS, 0x25},
    {SDL_SCANCODE_TAB, 0x26},
    {SDL_SCANCODE_Q, 0x27},
    {SDL_SCANCODE_W, 0x28},
    {SDL_SCANCODE_E, 0x29},
    {SDL_SCANCODE_R, 0x2a},
    {SDL_SCANCODE_T, 0x2b},
    {SDL_SCANCODE_Y, 0x2c},
    {SDL_SCANCODE_U, 0x2d},
    {SDL_SCANCODE_I, 0x2e},
    {SDL_SCANCODE_O, 0x2f},
    {SDL_SCANCODE_P, 0x30},
    {SDL_SCANCODE_LEFTBRACKET, 0x31},
    {SDL_SCANCODE_RIGHTBRACKET, 0x32},
    {SDL_SCANCODE_BACKSLASH, 0x33},
    {SDL_SCANCODE_DELETE, 0x34},
    {SDL_SCANCODE_END, 0x35},
    {SDL_SCANCODE_PAGEDOWN, 0x36},
    {SDL_SCANCODE_KP_7, 0x37},
    {SDL_SCANCODE_KP_8, 0x38},
    {SDL_SCANCODE_KP_9, 0x39},
    {SDL_SCANCODE_KP_PLUS, 0x3a},
    {SDL_SCANCODE_CAPSLOCK, 0x3b},
    {SDL_SCANCODE_A, 0x3c},
    {SDL_SCANCODE_S, 0x3d},
    {SDL_SCANCODE_D, 0x3e},
    {SDL_SCANCODE_F, 0x3f},
    {SDL_SCANCODE_G, 0x40},
    {SDL_SCANCODE_H, 0x41},
    {SDL_SCANCODE_J, 0x42},
    {SDL_SCANCODE_K, 0x43},
    {SDL_SCANCODE_L, 0x44},
    {SDL_SCANCODE_SEMICOLON, 0x45},
    {SDL_SCANCODE_APOSTROPHE, 0x46},
    {SDL_SCANCODE_RETURN, 0x47},
    {SDL_SCANCODE_KP_4, 0x48},
    {SDL_SCANCODE_KP_5, 0x49},
    {SDL_SCANCODE_KP_6, 0x4a},
    {SDL_SCANCODE_LSHIFT, 0x4b},
    {SDL_SCANCODE_Z, 0x4c},
    {SDL_SCANCODE_X, 0x4d},
    {SDL_SCANCODE_C, 0x4e},
    {SDL_SCANCODE_V, 0x4f},
    {SDL_SCANCODE_B, 0x50},
    {SDL_SCANCODE_N, 0x51},
    {SDL_SCANCODE_M, 0x52},
    {SDL_SCANCODE_COMMA, 0x53},
    {SDL_SCANCODE_PERIOD, 0x54},
    {SDL_SCANCODE_SLASH, 0x55},
    {SDL_SCANCODE_RSHIFT, 0x56},
    {SDL_SCANCODE_UP, 0x57},
    {SDL_SCANCODE_KP_1, 0x58},
    {SDL_SCANCODE_KP_2, 0x59},
    {SDL_SCANCODE_KP_3, 0x5a},
    {SDL_SCANCODE_KP_ENTER, 0x5b},
    {SDL_SCANCODE_LCTRL, 0x5c},
    {SDL_SCANCODE_LALT, 0x5d},
    {SDL_SCANCODE_SPACE, 0x5e},
    {SDL_SCANCODE_RALT, 0x5f},
    {SDL_SCANCODE_RCTRL, 0x60},
    {SDL_SCANCODE_LEFT, 0x61},
    {SDL_SCANCODE_DOWN, 0x62},
    {SDL_SCANCODE_RIGHT, 0x63},
    {SDL_SCANCODE_KP_0, 0x64},
    {SDL_SCANCODE_KP_PERIOD, 0x65},
    {SDL_SCANCODE_LGUI, 0x66},
    {SDL_SCANCODE_RGUI, 0x67},
    {SDL_SCANCODE_APPLICATION, 0x68},
    {SDL_SCANCODE_NONUSBACKSLASH, 0x69},
};

bool is_modifier_key(SDL_Scancode scancode)
{
    switch (scancode) {
    case SDL_SCANCODE_LSHIFT:
    case SDL_SCANCODE_RSHIFT:
    case SDL_SCANCODE_LCTRL:
    case SDL_SCANCODE_RCTRL:
    case SDL_SCANCODE_LALT:
    case SDL_SCANCODE_RALT:
    case SDL_SCANCODE_LGUI:
    case SDL_SCANCODE_RGUI:
    case SDL_SCANCODE_CAPSLOCK:
    case SDL_SCANCODE_NUMLOCKCLEAR:
    case SDL_SCANCODE_SCROLLLOCK:
    case SDL_SCANCODE_MODE:
        return true;
    default:
        return false;
    }
}

// The character of a key pressed with Ctrl or Alt, where SDL sends no text.
std::string shortcut_bytes(const SDL_Keysym& keysym)
{
    SDL_Keycode code = keysym.sym;
    if (code < ' ' || code >= 0x7f)
        return {};
    char character = static_cast<char>(code);
    if ((keysym.mod & KMOD_SHIFT) != 0 && character >= 'a' && character <= 'z')
        character = static_cast<char>(character - 'a' + 'A');
    return std::string(1, character);
}

} // namespace

int32 raw_key_for_scancode(SDL_Scancode scancode)
{
    for (const RawKey& entry : kRawKeys) {
        if (entry.scancode == scancode)
            return entry.raw;
    }
    return 0;
}

uint32 modifiers_for_sdl(uint16 sdlModifiers)
{
    uint32 modifiers = 0;
    auto map = [&](uint16 sdl, uint32 be) {
        if ((sdlModifiers & sdl) != 0)
            modifiers |= be;
    };
    map(KMOD_LSHIFT, B_SHIFT_KEY | B_LEFT_SHIFT_KEY);
    map(KMOD_RSHIFT, B_SHIFT_KEY | B_RIGHT_SHIFT_KEY);
    map(KMOD_LCTRL, B_COMMAND_KEY | B_CONTROL_KEY | B_LEFT_COMMAND_KEY | B_LEFT_CONTROL_KEY);
    map(KMOD_RCTRL, B_COMMAND_KEY | B_CONTROL_KEY | B_RIGHT_COMMAND_KEY | B_RIGHT_CONTROL_KEY);
    map(KMOD_LALT, B_OPTION_KEY | B_LEFT_OPTION_KEY);
    map(KMOD_RALT, B_OPTION_KEY | B_RIGHT_OPTION_KEY);
    map(KMOD_CAPS, B_CAPS_LOCK);
    map(KMOD_NUM, B_NUM_LOCK);
    map(KMOD_SCROLL, B_SCROLL_LOCK);
    return modifiers;
}

uint32 button_for_sdl(uint8 sdlButton)
{
    switch (sdlButton) {
    case SDL_BUTTON_LEFT:
        return B_PRIMARY_MOUSE_BUTTON;
    case SDL_BUTTON_RIGHT:
        return B_SECONDARY_MOUSE_BUTTON;
    case SDL_BUTTON_MIDDLE:
        return B_TERTIARY_MOUSE_BUTTON;
    default:
        return 0;
    }
}

uint32 buttons_for_sdl_mask(uint32 sdlMask)
{
    uint32 buttons = 0;
    for (uint8 button : {SDL_BUTTON_LEFT, SDL_BUTTON_RIGHT, SDL_BUTTON_MIDDLE}) {
        if ((sdlMask & SDL_BUTTON(button)) != 0)
            buttons |= button_for_sdl(button);
    }
    return buttons;
}

std::string control_bytes_for_key(SDL_Scancode scancode)
{
    if (scancode == SDL_SCANCODE_KP_ENTER)
        return std::string(1, static_cast<char>(B_ENTER));
    return bytes_for_key(raw_key_for_scancode(scancode));
}

// MARK: Key translation

std::vector<TranslatedKey> SdlKeyTranslator::Translate(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        return _Key(event.key);
    case SDL_TEXTINPUT:
        return _Text(event.text);
    default:
        return {};
    }
}

std::vector<TranslatedKey> SdlKeyTranslator::_Key(const SDL_KeyboardEvent& event)
{
    const SDL_Keysym& keysym = event.keysym;
    fModifiers = modifiers_for_sdl(keysym.mod);
    if (is_modifier_key(keysym.scancode))
        return {};
    int32 raw = raw_key_for_scancode(keysym.scancode);
    uint32 what = event.type == SDL_KEYDOWN ? B_KEY_DOWN : B_KEY_UP;
    std::string bytes = control_bytes_for_key(keysym.scancode);
    // Right Alt is AltGr on many layouts: its characters come as text.
    bool chorded = (keysym.mod & (KMOD_CTRL | KMOD_LALT)) != 0;
    if (bytes.empty() && (chorded || what == B_KEY_UP))
        bytes = shortcut_bytes(keysym);

    if (what == B_KEY_DOWN) {
        // A new key ends the wait for the previous key's text.
        fHavePending = false;
        fSkipText = false;
        if (bytes.empty()) {
            fPendingKey = raw;
            fHavePending = true;
            return {};
        }
        fSkipText = true;
    }
    return {{what, raw, bytes, fModifiers}};
}

std::vector<TranslatedKey> SdlKeyTranslator::_Text(const SDL_TextInputEvent& event)
{
    if (fSkipText) {
        fSkipText = false;
        return {};
    }
    // One key down per character; the key code belongs to the first.
    std::vector<TranslatedKey> keys;
    int32 raw = fHavePending ? fPendingKey : 0;
    fHavePending = false;
    const char* text = event.text;
    for (size_t i = 0; text[i] != '\0';) {
        size_t length = 1;
        while (text[i + length] != '\0' && (uint8(text[i + length]) & 0xc0) == 0x80)
            length++;
        keys.push_back({B_KEY_DOWN, raw, std::string(text + i, length), fModifiers});
        raw = 0;
        i += length;
    }
    return keys;
}

} // namespace BPrivate
