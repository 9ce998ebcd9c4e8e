// SDL's keys, modifiers and buttons in the platform's terms, and the
// translation of SDL's key/text event pairs. No display is needed: the
// events are built here as SDL would deliver them.
#include <gtest/gtest.h>

#include <cstring>

#include "kit/display/SdlInput.h"
#include "kit/interface/InterfaceDefs.h"

using namespace BPrivate;

namespace {

SDL_Event key_event(uint32 type, SDL_Scancode scancode, SDL_Keycode sym, uint16 mod = 0)
{
    SDL_Event event;
    std::memset(&event, 0, sizeof(event));
    event.type = type;
    event.key.keysym.scancode = scancode;
    event.key.keysym.sym = sym;
    event.key.keysym.mod = mod;
    return event;
}

SDL_Event text_event(const char* text)
{
    SDL_Event event;
    std::memset(&event, 0, sizeof(event));
    event.type = SDL_TEXTINPUT;
    std::strncpy(event.text.text, text, sizeof(event.text.text) - 1);
    return event;
}

} // namespace

TEST(SdlKeyMap, RawCodesAreThePlatformsKeyboardPositions)
{
    struct
    {
        SDL_Scancode scancode;
        int32 raw;
    } const table[] = {
        {SDL_SCANCODE_ESCAPE, 1},   {SDL_SCANCODE_F1, 2},        {SDL_SCANCODE_F5, 6},
        {SDL_SCANCODE_F12, 13},     {SDL_SCANCODE_DELETE, 52},   {SDL_SCANCODE_BACKSPACE, 0x1e},
        {SDL_SCANCODE_TAB, 0x26},   {SDL_SCANCODE_RETURN, 0x47}, {SDL_SCANCODE_HOME, 0x20},
        {SDL_SCANCODE_END, 0x35},   {SDL_SCANCODE_PAGEUP, 0x21}, {SDL_SCANCODE_PAGEDOWN, 0x36},
        {SDL_SCANCODE_UP, 0x57},    {SDL_SCANCODE_LEFT, 0x61},   {SDL_SCANCODE_DOWN, 0x62},
        {SDL_SCANCODE_RIGHT, 0x63}, {SDL_SCANCODE_A, 0x3c},      {SDL_SCANCODE_Q, 0x27},
        {SDL_SCANCODE_Z, 0x4c},     {SDL_SCANCODE_1, 0x12},      {SDL_SCANCODE_0, 0x1b},
        {SDL_SCANCODE_SPACE, 0x5e}, {SDL_SCANCODE_KP_0, 0x64},   {SDL_SCANCODE_KP_ENTER, 0x5b},
        {SDL_SCANCODE_UNKNOWN, 0},  {SDL_SCANCODE_F13, 0},
    };
    for (const auto& entry : table)
        EXPECT_EQ(raw_key_for_scancode(entry.scancode), entry.raw) << entry.scancode;

    // Each key has its own code.
    for (int a = 1; a < SDL_NUM_SCANCODES; a++) {
        int32 raw = raw_key_for_scancode(SDL_Scancode(a));
        for (int b = a + 1; raw != 0 && b < SDL_NUM_SCANCODES; b++)
            EXPECT_NE(raw, raw_key_for_scancode(SDL_Scancode(b))) << a << " and " << b;
    }
}

TEST(SdlKeyMap, ControlKeysSendTheirControlCharacters)
{
    struct
    {
        SDL_Scancode scancode;
        const char* bytes;
    } const table[] = {
        {SDL_SCANCODE_RETURN, "\n"},   {SDL_SCANCODE_KP_ENTER, "\n"},
        {SDL_SCANCODE_TAB, "\t"},      {SDL_SCANCODE_BACKSPACE, "\b"},
        {SDL_SCANCODE_LEFT, "\x1c"},   {SDL_SCANCODE_RIGHT, "\x1d"},
        {SDL_SCANCODE_UP, "\x1e"},     {SDL_SCANCODE_DOWN, "\x1f"},
        {SDL_SCANCODE_HOME, "\x01"},   {SDL_SCANCODE_END, "\x04"},
        {SDL_SCANCODE_PAGEUP, "\x0b"}, {SDL_SCANCODE_PAGEDOWN, "\x0c"},
        {SDL_SCANCODE_DELETE, "\x7f"}, {SDL_SCANCODE_ESCAPE, "\x1b"},
        {SDL_SCANCODE_F1, "\x10"},     {SDL_SCANCODE_F12, "\x10"},
        {SDL_SCANCODE_A, ""},          {SDL_SCANCODE_SPACE, ""},
    };
    for (const auto& entry : table)
        EXPECT_EQ(control_bytes_for_key(entry.scancode), entry.bytes) << entry.scancode;
}

TEST(SdlKeyMap, ModifiersAndButtons)
{
    EXPECT_EQ(modifiers_for_sdl(0), 0u);
    EXPECT_EQ(modifiers_for_sdl(KMOD_LCTRL),
              B_COMMAND_KEY | B_CONTROL_KEY | B_LEFT_COMMAND_KEY | B_LEFT_CONTROL_KEY);
    EXPECT_EQ(modifiers_for_sdl(KMOD_RCTRL),
              B_COMMAND_KEY | B_CONTROL_KEY | B_RIGHT_COMMAND_KEY | B_RIGHT_CONTROL_KEY);
    EXPECT_EQ(modifiers_for_sdl(KMOD_LSHIFT), B_SHIFT_KEY | B_LEFT_SHIFT_KEY);
    EXPECT_EQ(modifiers_for_sdl(KMOD_RSHIFT), B_SHIFT_KEY | B_RIGHT_SHIFT_KEY);
    EXPECT_EQ(modifiers_for_sdl(KMOD_LALT), B_OPTION_KEY | B_LEFT_OPTION_KEY);
    EXPECT_EQ(modifiers_for_sdl(KMOD_CAPS | KMOD_NUM), B_CAPS_LOCK | B_NUM_LOCK);
    EXPECT_EQ(modifiers_for_sdl(KMOD_LGUI), 0u);

    EXPECT_EQ(button_for_sdl(SDL_BUTTON_LEFT), B_PRIMARY_MOUSE_BUTTON);
    EXPECT_EQ(button_for_sdl(SDL_BUTTON_RIGHT), B_SECONDARY_MOUSE_BUTTON);
    EXPECT_EQ(button_for_sdl(SDL_BUTTON_MIDDLE), B_TERTIARY_MOUSE_BUTTON);
    EXPECT_EQ(button_for_sdl(SDL_BUTTON_X1), 0u);
    EXPECT_EQ(buttons_for_sdl_mask(SDL_BUTTON_LMASK | SDL_BUTTON_RMASK),
              B_PRIMARY_MOUSE_BUTTON | B_SECONDARY_MOUSE_BUTTON);
    EXPECT_EQ(buttons_for_sdl_mask(SDL_BUTTON_MMASK), B_TERTIARY_MOUSE_BUTTON);
}

TEST(SdlKeyTranslator, CharacterKeysWaitForTheirText)
{
    SdlKeyTranslator keys;
    EXPECT_TRUE(keys.Translate(key_event(SDL_KEYDOWN, SDL_SCANCODE_A, 'a')).empty());
    auto down = keys.Translate(text_event("a"));
    ASSERT_EQ(down.size(), 1u);
    EXPECT_EQ(down[0].what, B_KEY_DOWN);
    EXPECT_EQ(down[0].key, 0x3c);
    EXPECT_EQ(down[0].bytes, "a");

    // Shift and a layout's own characters come from the text.
    EXPECT_TRUE(keys.Translate(key_event(SDL_KEYDOWN, SDL_SCANCODE_A, 'a', KMOD_LSHIFT)).empty());
    down = keys.Translate(text_event("A"));
    ASSERT_EQ(down.size(), 1u);
    EXPECT_EQ(down[0].bytes, "A");
    EXPECT_EQ(down[0].modifiers, B_SHIFT_KEY | B_LEFT_SHIFT_KEY);

    auto up = keys.Translate(key_event(SDL_KEYUP, SDL_SCANCODE_A, 'a'));
    ASSERT_EQ(up.size(), 1u);
    EXPECT_EQ(up[0].what, B_KEY_UP);
    EXPECT_EQ(up[0].key, 0x3c);
}

TEST(SdlKeyTranslator, TextOfSeveralCharactersIsOneKeyEach)
{
    SdlKeyTranslator keys;
    // An input method commits "é€" after one key; other text has no key.
    keys.Translate(key_event(SDL_KEYDOWN, SDL_SCANCODE_E, 'e'));
    auto down = keys.Translate(text_event("\xc3\xa9\xe2\x82\xac"));
    ASSERT_EQ(down.size(), 2u);
    EXPECT_EQ(down[0].bytes, "\xc3\xa9");
    EXPECT_EQ(down[0].key, 0x29);
    EXPECT_EQ(down[1].bytes, "\xe2\x82\xac");
    EXPECT_EQ(down[1].key, 0);

    down = keys.Translate(text_event("x"));
    ASSERT_EQ(down.size(), 1u);
    EXPECT_EQ(down[0].key, 0);
}

TEST(SdlKeyTranslator, ControlKeysAndShortcutsGoAtOnceAndDropTheirText)
{
    SdlKeyTranslator keys;
    auto f1 = keys.Translate(key_event(SDL_KEYDOWN, SDL_SCANCODE_F1, SDLK_F1));
    ASSERT_EQ(f1.size(), 1u);
    EXPECT_EQ(f1[0].key, B_F1_KEY);
    EXPECT_EQ(f1[0].bytes, std::string(1, char(B_FUNCTION_KEY)));

    auto enter = keys.Translate(key_event(SDL_KEYDOWN, SDL_SCANCODE_RETURN, SDLK_RETURN));
    ASSERT_EQ(enter.size(), 1u);
    EXPECT_EQ(enter[0].bytes, "\n");
    // Some input methods send text for Enter too: it must not type twice.
    EXPECT_TRUE(keys.Translate(text_event("\r")).empty());

    auto save = keys.Translate(key_event(SDL_KEYDOWN, SDL_SCANCODE_S, 's', KMOD_LCTRL));
    ASSERT_EQ(save.size(), 1u);
    EXPECT_EQ(save[0].bytes, "s");
    EXPECT_NE(save[0].modifiers & B_COMMAND_KEY, 0u);
    EXPECT_TRUE(keys.Translate(text_event("s")).empty());

    auto shifted =
        keys.Translate(key_event(SDL_KEYDOWN, SDL_SCANCODE_S, 's', KMOD_LCTRL | KMOD_LSHIFT));
    ASSERT_EQ(shifted.size(), 1u);
    EXPECT_EQ(shifted[0].bytes, "S");

    // AltGr (right Alt) composes characters: they come as text.
    EXPECT_TRUE(keys.Translate(key_event(SDL_KEYDOWN, SDL_SCANCODE_Q, 'q', KMOD_RALT)).empty());
    auto at = keys.Translate(text_event("@"));
    ASSERT_EQ(at.size(), 1u);
    EXPECT_EQ(at[0].bytes, "@");
    EXPECT_EQ(at[0].key, 0x27);
}

TEST(SdlKeyTranslator, ModifierKeysAloneSendNothing)
{
    SdlKeyTranslator keys;
    EXPECT_TRUE(
        keys.Translate(key_event(SDL_KEYDOWN, SDL_SCANCODE_LCTRL, SDLK_LCTRL, KMOD_LCTRL)).empty());
    EXPECT_EQ(keys.Modifiers() & B_COMMAND_KEY, B_COMMAND_KEY);
    EXPECT_TRUE(keys.Translate(key_event(SDL_KEYUP, SDL_SCANCODE_LCTRL, SDLK_LCTRL)).empty());
    EXPECT_EQ(keys.Modifiers(), 0u);
}
