// Constants and small functions of the interface kit: colours and tints,
// drawing modes and patterns, view and window flags, keys and modifiers.
// The numeric values are the platform's; the program and its files rely on
// several of them (raw key codes, message codes).
#pragma once

#include "kit/app/AppDefs.h"
#include "kit/app/GraphicsDefs.h"
#include "kit/app/SupportDefs.h"

// MARK: Colours

inline constexpr rgb_color B_TRANSPARENT_COLOR = {0x77, 0x74, 0x77, 0x00};
inline constexpr rgb_color B_TRANSPARENT_32_BIT = B_TRANSPARENT_COLOR;
inline constexpr uint32 B_TRANSPARENT_MAGIC_RGBA32 = 0x00777477;

inline constexpr float B_LIGHTEN_MAX_TINT = 0.0f;
inline constexpr float B_LIGHTEN_2_TINT = 0.385f;
inline constexpr float B_LIGHTEN_1_TINT = 0.590f;
inline constexpr float B_NO_TINT = 1.0f;
inline constexpr float B_DARKEN_1_TINT = 1.147f;
inline constexpr float B_DARKEN_2_TINT = 1.295f;
inline constexpr float B_DARKEN_3_TINT = 1.407f;
inline constexpr float B_DARKEN_4_TINT = 1.555f;
inline constexpr float B_DARKEN_MAX_TINT = 2.0f;
inline constexpr float B_DISABLED_LABEL_TINT = B_DARKEN_3_TINT;
inline constexpr float B_HIGHLIGHT_BACKGROUND_TINT = B_DARKEN_2_TINT;
inline constexpr float B_DISABLED_MARK_TINT = B_LIGHTEN_2_TINT;

// Linear in each channel c, rounded to the nearest value:
//   tint in [0, 1]: 255 + (c - 255) * tint   (0 is white, 1 is c)
//   tint in [1, 2]: c * (2 - tint)           (2 is black)
// Tints outside [0, 2] are clamped; alpha is kept.
rgb_color tint_color(rgb_color color, float tint);

enum color_which : int32
{
    B_NO_COLOR = 0,
    B_PANEL_BACKGROUND_COLOR = 1,
    B_MENU_BACKGROUND_COLOR = 2,
    B_WINDOW_TAB_COLOR = 3,
    B_KEYBOARD_NAVIGATION_COLOR = 4,
    B_DESKTOP_COLOR = 5,
    B_MENU_SELECTION_BACKGROUND_COLOR = 6,
    B_MENU_ITEM_TEXT_COLOR = 7,
    B_MENU_SELECTED_ITEM_TEXT_COLOR = 8,
    B_MENU_SELECTED_BORDER_COLOR = 9,
    B_PANEL_TEXT_COLOR = 10,
    B_DOCUMENT_BACKGROUND_COLOR = 11,
    B_DOCUMENT_TEXT_COLOR = 12,
    B_CONTROL_BACKGROUND_COLOR = 13,
    B_CONTROL_TEXT_COLOR = 14,
    B_CONTROL_BORDER_COLOR = 15,
    B_CONTROL_HIGHLIGHT_COLOR = 16,
    B_NAVIGATION_PULSE_COLOR = 17,
    B_SHINE_COLOR = 18,
    B_SHADOW_COLOR = 19,
    B_TOOL_TIP_BACKGROUND_COLOR = 20,
    B_TOOL_TIP_TEXT_COLOR = 21,
    B_WINDOW_TEXT_COLOR = 22,
    B_WINDOW_INACTIVE_TAB_COLOR = 23,
    B_WINDOW_INACTIVE_TEXT_COLOR = 24,
    B_SUCCESS_COLOR = 100,
    B_FAILURE_COLOR = 101,
};

// The fixed system palette of this program; unknown values give black.
rgb_color ui_color(color_which which);

// MARK: Drawing modes and patterns

enum drawing_mode : uint32
{
    B_OP_COPY,
    B_OP_OVER,
    B_OP_ERASE,
    B_OP_INVERT,
    B_OP_ADD,
    B_OP_SUBTRACT,
    B_OP_BLEND,
    B_OP_MIN,
    B_OP_MAX,
    B_OP_SELECT,
    B_OP_ALPHA,
};

enum source_alpha : uint32
{
    B_PIXEL_ALPHA = 0,
    B_CONSTANT_ALPHA = 1,
};

enum alpha_function : uint32
{
    B_ALPHA_OVERLAY = 0,
    B_ALPHA_COMPOSITE = 1,
};

// Eight rows of eight bits; a set bit takes the high colour. Rows and
// columns count from the window's origin, so patterns line up across views.
struct pattern
{
    uint8 data[8];

    constexpr bool operator==(const pattern& other) const = default;
};

inline constexpr pattern B_SOLID_HIGH = {{0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff}};
inline constexpr pattern B_SOLID_LOW = {{0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}};
inline constexpr pattern B_MIXED_COLORS = {{0xaa, 0x55, 0xaa, 0x55, 0xaa, 0x55, 0xaa, 0x55}};

// MARK: Views

// Each nibble of a resizing mode says which edge of the parent an edge of the
// view keeps its distance to: left, top, right, bottom from the high nibble.
enum : uint32
{
    _VIEW_TOP_ = 1,
    _VIEW_LEFT_ = 2,
    _VIEW_BOTTOM_ = 3,
    _VIEW_RIGHT_ = 4,
    _VIEW_CENTER_ = 5,
};

constexpr uint32 _rule_(uint32 left, uint32 top, uint32 right, uint32 bottom)
{
    return (left << 12) | (top << 8) | (right << 4) | bottom;
}

enum : uint32
{
    B_FOLLOW_NONE = 0,
    B_FOLLOW_ALL_SIDES = _rule_(_VIEW_LEFT_, _VIEW_TOP_, _VIEW_RIGHT_, _VIEW_BOTTOM_),
    B_FOLLOW_ALL = B_FOLLOW_ALL_SIDES,
    B_FOLLOW_LEFT = _rule_(_VIEW_LEFT_, 0, _VIEW_LEFT_, 0),
    B_FOLLOW_RIGHT = _rule_(_VIEW_RIGHT_, 0, _VIEW_RIGHT_, 0),
    B_FOLLOW_LEFT_RIGHT = _rule_(_VIEW_LEFT_, 0, _VIEW_RIGHT_, 0),
    B_FOLLOW_H_CENTER = _rule_(_VIEW_CENTER_, 0, _VIEW_CENTER_, 0),
    B_FOLLOW_TOP = _rule_(0, _VIEW_TOP_, 0, _VIEW_TOP_),
    B_FOLLOW_BOTTOM = _rule_(0, _VIEW_BOTTOM_, 0, _VIEW_BOTTOM_),
    B_FOLLOW_TOP_BOTTOM = _rule_(0, _VIEW_TOP_, 0, _VIEW_BOTTOM_),
    B_FOLLOW_V_CENTER = _rule_(0, _VIEW_CENTER_, 0, _VIEW_CENTER_),
};

enum : uint32
{
    B_FULL_UPDATE_ON_RESIZE = 0x80000000,
    B_WILL_DRAW = 0x20000000,
    B_PULSE_NEEDED = 0x10000000,
    B_NAVIGABLE_JUMP = 0x08000000,
    B_FRAME_EVENTS = 0x04000000,
    B_NAVIGABLE = 0x02000000,
    B_SUBPIXEL_PRECISE = 0x01000000,
    B_DRAW_ON_CHILDREN = 0x00800000,
    B_INPUT_METHOD_AWARE = 0x00400000,
};

// Transit of MouseMoved().
enum : uint32
{
    B_ENTERED_VIEW = 0,
    B_INSIDE_VIEW = 1,
    B_EXITED_VIEW = 2,
    B_OUTSIDE_VIEW = 3,
};

enum : uint32
{
    B_PRIMARY_MOUSE_BUTTON = 0x01,
    B_SECONDARY_MOUSE_BUTTON = 0x02,
    B_TERTIARY_MOUSE_BUTTON = 0x04,
};

// MARK: Controls

enum orientation : uint32
{
    B_HORIZONTAL = 0,
    B_VERTICAL = 1,
};

enum alignment : uint32
{
    B_ALIGN_LEFT = 0,
    B_ALIGN_RIGHT = 1,
    B_ALIGN_CENTER = 2,
};

enum border_style : uint32
{
    B_PLAIN_BORDER = 0,
    B_FANCY_BORDER = 1,
    B_NO_BORDER = 2,
};

// MARK: Keyboard

// On Linux the Ctrl key is the command key of shortcuts.
enum : uint32
{
    B_SHIFT_KEY = 0x00000001,
    B_COMMAND_KEY = 0x00000002,
    B_CONTROL_KEY = 0x00000004,
    B_CAPS_LOCK = 0x00000008,
    B_SCROLL_LOCK = 0x00000010,
    B_NUM_LOCK = 0x00000020,
    B_OPTION_KEY = 0x00000040,
    B_MENU_KEY = 0x00000080,
    B_LEFT_SHIFT_KEY = 0x00000100,
    B_RIGHT_SHIFT_KEY = 0x00000200,
    B_LEFT_COMMAND_KEY = 0x00000400,
    B_RIGHT_COMMAND_KEY = 0x00000800,
    B_LEFT_CONTROL_KEY = 0x00001000,
    B_RIGHT_CONTROL_KEY = 0x00002000,
    B_LEFT_OPTION_KEY = 0x00004000,
    B_RIGHT_OPTION_KEY = 0x00008000,
};

// The "bytes" of B_KEY_DOWN for keys without a character.
enum : uint8
{
    B_BACKSPACE = 0x08,
    B_RETURN = 0x0a,
    B_ENTER = 0x0a,
    B_SPACE = 0x20,
    B_TAB = 0x09,
    B_ESCAPE = 0x1b,
    B_SUBSTITUTE = 0x1a,
    B_LEFT_ARROW = 0x1c,
    B_RIGHT_ARROW = 0x1d,
    B_UP_ARROW = 0x1e,
    B_DOWN_ARROW = 0x1f,
    B_INSERT = 0x05,
    B_DELETE = 0x7f,
    B_HOME = 0x01,
    B_END = 0x04,
    B_PAGE_UP = 0x0b,
    B_PAGE_DOWN = 0x0c,
    B_FUNCTION_KEY = 0x10,
};

// The "key" raw codes of the platform's keyboard map.
enum : int32
{
    B_ESCAPE_KEY = 0x01,
    B_F1_KEY = 0x02,
    B_F2_KEY = 0x03,
    B_F3_KEY = 0x04,
    B_F4_KEY = 0x05,
    B_F5_KEY = 0x06,
    B_F6_KEY = 0x07,
    B_F7_KEY = 0x08,
    B_F8_KEY = 0x09,
    B_F9_KEY = 0x0a,
    B_F10_KEY = 0x0b,
    B_F11_KEY = 0x0c,
    B_F12_KEY = 0x0d,
    B_PRINT_KEY = 0x0e,
    B_SCROLL_KEY = 0x0f,
    B_PAUSE_KEY = 0x10,
    B_BACKSPACE_KEY = 0x1e,
    B_INSERT_KEY = 0x1f,
    B_HOME_KEY = 0x20,
    B_PAGE_UP_KEY = 0x21,
    B_TAB_KEY = 0x26,
    B_DELETE_KEY = 0x34,
    B_END_KEY = 0x35,
    B_PAGE_DOWN_KEY = 0x36,
    B_ENTER_KEY = 0x47,
    B_UP_ARROW_KEY = 0x57,
    B_LEFT_ARROW_KEY = 0x61,
    B_DOWN_ARROW_KEY = 0x62,
    B_RIGHT_ARROW_KEY = 0x63,
};

// The modifier keys held now, from the display backend.
uint32 modifiers();

// MARK: Windows

enum window_type : uint32
{
    B_UNTYPED_WINDOW = 0,
    B_TITLED_WINDOW = 1,
    B_MODAL_WINDOW = 3,
    B_DOCUMENT_WINDOW = 11,
    B_BORDERED_WINDOW = 20,
    B_FLOATING_WINDOW = 21,
};

enum window_look : uint32
{
    B_BORDERED_WINDOW_LOOK = 20,
    B_NO_BORDER_WINDOW_LOOK = 19,
    B_TITLED_WINDOW_LOOK = 1,
    B_DOCUMENT_WINDOW_LOOK = 11,
    B_MODAL_WINDOW_LOOK = 3,
    B_FLOATING_WINDOW_LOOK = 7,
};

enum window_feel : uint32
{
    B_NORMAL_WINDOW_FEEL = 0,
    B_MODAL_SUBSET_WINDOW_FEEL = 2,
    B_MODAL_APP_WINDOW_FEEL = 1,
    B_MODAL_ALL_WINDOW_FEEL = 3,
    B_FLOATING_SUBSET_WINDOW_FEEL = 5,
    B_FLOATING_APP_WINDOW_FEEL = 4,
    B_FLOATING_ALL_WINDOW_FEEL = 6,
};

enum : uint32
{
    B_NOT_MOVABLE = 0x00000001,
    B_NOT_CLOSABLE = 0x00000020,
    B_NOT_ZOOMABLE = 0x00000040,
    B_NOT_MINIMIZABLE = 0x00004000,
    B_NOT_RESIZABLE = 0x00000002,
    B_NOT_H_RESIZABLE = 0x00000004,
    B_NOT_V_RESIZABLE = 0x00000008,
    B_AVOID_FRONT = 0x00000080,
    B_AVOID_FOCUS = 0x00002000,
    B_WILL_ACCEPT_FIRST_CLICK = 0x00000010,
    B_OUTLINE_RESIZE = 0x00001000,
    B_NO_WORKSPACE_ACTIVATION = 0x00000100,
    B_NOT_ANCHORED_ON_ACTIVATE = 0x00020000,
    B_ASYNCHRONOUS_CONTROLS = 0x00080000,
    B_QUIT_ON_WINDOW_CLOSE = 0x00100000,
};

enum : uint32
{
    B_CURRENT_WORKSPACE = 0,
    B_ALL_WORKSPACES = 0xffffffff,
};

// Kit-internal message codes.
enum : uint32
{
    _UPDATE_ = '_UPD',
};
