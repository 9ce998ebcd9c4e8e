#include "kit/interface/InterfaceDefs.h"

#include <algorithm>
#include <cmath>

#include "kit/display/DisplayBackend.h"

namespace {

uint8 tint_channel(uint8 value, float tint)
{
    float result = tint <= 1.0f ? 255.0f + (value - 255.0f) * tint : value * (2.0f - tint);
    return static_cast<uint8>(std::clamp(std::lround(result), 0L, 255L));
}

} // namespace

rgb_color tint_color(rgb_color color, float tint)
{
    tint = std::clamp(tint, 0.0f, 2.0f);
    return {tint_channel(color.red, tint), tint_channel(color.green, tint),
            tint_channel(color.blue, tint), color.alpha};
}

rgb_color ui_color(color_which which)
{
    switch (which) {
    case B_PANEL_BACKGROUND_COLOR:
    case B_MENU_BACKGROUND_COLOR:
    case B_CONTROL_BACKGROUND_COLOR:
        return {216, 216, 216, 255};
    case B_WINDOW_TAB_COLOR:
        return {255, 203, 0, 255};
    case B_KEYBOARD_NAVIGATION_COLOR:
    case B_NAVIGATION_PULSE_COLOR:
    case B_CONTROL_HIGHLIGHT_COLOR:
        return {0, 0, 229, 255};
    case B_DESKTOP_COLOR:
        return {51, 102, 152, 255};
    case B_MENU_SELECTION_BACKGROUND_COLOR:
        return {115, 120, 184, 255};
    case B_MENU_SELECTED_ITEM_TEXT_COLOR:
        return {255, 255, 255, 255};
    case B_MENU_SELECTED_BORDER_COLOR:
        return {0, 0, 0, 255};
    case B_DOCUMENT_BACKGROUND_COLOR:
    case B_SHINE_COLOR:
        return {255, 255, 255, 255};
    case B_CONTROL_BORDER_COLOR:
        return {96, 96, 96, 255};
    case B_SHADOW_COLOR:
        return {0, 0, 0, 255};
    case B_TOOL_TIP_BACKGROUND_COLOR:
        return {255, 255, 221, 255};
    case B_WINDOW_INACTIVE_TAB_COLOR:
        return {232, 232, 232, 255};
    case B_WINDOW_INACTIVE_TEXT_COLOR:
        return {80, 80, 80, 255};
    case B_SUCCESS_COLOR:
        return {0, 255, 0, 255};
    case B_FAILURE_COLOR:
        return {255, 0, 0, 255};
    case B_MENU_ITEM_TEXT_COLOR:
    case B_PANEL_TEXT_COLOR:
    case B_DOCUMENT_TEXT_COLOR:
    case B_CONTROL_TEXT_COLOR:
    case B_TOOL_TIP_TEXT_COLOR:
    case B_WINDOW_TEXT_COLOR:
    case B_NO_COLOR:
        break;
    }
    return {0, 0, 0, 255};
}

uint32 modifiers()
{
    return DisplayBackend::Default()->Modifiers();
}
