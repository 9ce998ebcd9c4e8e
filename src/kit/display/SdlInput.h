// SDL's keyboard and mouse terms in the platform's: raw key codes by the
// key's place on the keyboard, modifier bits, mouse buttons, and the
// translation of SDL's key and text events into B_KEY_DOWN/B_KEY_UP.
// Pure functions of the events: nothing here needs SDL to be initialised.
#pragma once

#include <SDL.h>

#include <string>
#include <vector>

#include "kit/app/SupportDefs.h"

namespace BPrivate {

// The "key" raw code of a physical key; 0 for keys without one.
int32 raw_key_for_scancode(SDL_Scancode scancode);

// Ctrl is both B_COMMAND_KEY (shortcuts) and B_CONTROL_KEY; Alt is
// B_OPTION_KEY; each with its left or right bit. The Windows key maps to
// nothing.
uint32 modifiers_for_sdl(uint16 sdlModifiers);

// SDL_BUTTON_LEFT/RIGHT/MIDDLE as B_PRIMARY/SECONDARY/TERTIARY_MOUSE_BUTTON.
uint32 button_for_sdl(uint8 sdlButton);
uint32 buttons_for_sdl_mask(uint32 sdlMask);

struct TranslatedKey
{
    uint32 what; // B_KEY_DOWN or B_KEY_UP
    int32 key;
    std::string bytes;
    uint32 modifiers;
};

// SDL reports a key with a character twice: SDL_KEYDOWN, then the
// character (composed by the keyboard layout and input method) as
// SDL_TEXTINPUT. A B_KEY_DOWN carries both, so such a key is held back
// until its text arrives. Keys that send a control character (Enter, Tab,
// arrows, F1-F12...) and keys pressed with Ctrl or left Alt go out at once with
// their bytes from the key itself; the text SDL may send after them is
// dropped.
class SdlKeyTranslator
{
public:
    // Handles SDL_KEYDOWN, SDL_KEYUP and SDL_TEXTINPUT; other events give
    // nothing.
    std::vector<TranslatedKey> Translate(const SDL_Event& event);
    // The modifiers of the last key event.
    uint32 Modifiers() const { return fModifiers; }

private:
    std::vector<TranslatedKey> _Key(const SDL_KeyboardEvent& event);
    std::vector<TranslatedKey> _Text(const SDL_TextInputEvent& event);

    int32 fPendingKey = 0;
    bool fHavePending = false;
    bool fSkipText = false;
    uint32 fModifiers = 0;
};

// The bytes of a key that sends a control character, whatever the text
// input does; empty for keys whose text comes from SDL_TEXTINPUT.
std::string control_bytes_for_key(SDL_Scancode scancode);

} // namespace BPrivate
