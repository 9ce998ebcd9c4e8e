#include "kit/interface/InterfaceDefs.h"

#include <gtest/gtest.h>

#include "kit/display/TestWindow.h"

TEST(TintColor, FollowsTheLinearFormulaWithTheConstants)
{
    rgb_color menu = ui_color(B_MENU_BACKGROUND_COLOR);
    EXPECT_RGB(menu, (rgb_color{216, 216, 216, 255}));
    struct Case
    {
        float tint;
        uint8 expected; // of 216
    } cases[] = {
        {B_LIGHTEN_MAX_TINT, 255}, {B_LIGHTEN_2_TINT, 240}, {B_LIGHTEN_1_TINT, 232},
        {B_NO_TINT, 216},          {B_DARKEN_1_TINT, 184},  {B_DARKEN_2_TINT, 152},
        {B_DARKEN_3_TINT, 128},    {B_DARKEN_4_TINT, 96},   {B_DARKEN_MAX_TINT, 0},
    };
    for (const Case& test : cases) {
        rgb_color tinted = tint_color(menu, test.tint);
        EXPECT_EQ(tinted.red, test.expected) << test.tint;
        EXPECT_EQ(tinted.green, test.expected) << test.tint;
        EXPECT_EQ(tinted.alpha, 255) << test.tint;
    }
}

TEST(TintColor, KeepsChannelsApartAndClampsTheTint)
{
    rgb_color color = {250, 50, 0, 7};
    EXPECT_EQ(tint_color(color, B_DARKEN_2_TINT), (rgb_color{176, 35, 0, 7}));
    EXPECT_EQ(tint_color(color, B_LIGHTEN_2_TINT), (rgb_color{253, 176, 157, 7}));
    EXPECT_EQ(tint_color(color, 5.0f), (rgb_color{0, 0, 0, 7}));
    EXPECT_EQ(tint_color(color, -1.0f), (rgb_color{255, 255, 255, 7}));
}

TEST(InterfaceConstants, ValuesThePlatformsFilesAndKeysUse)
{
    static_assert(B_TRANSPARENT_COLOR == rgb_color{0x77, 0x74, 0x77, 0x00});
    static_assert(B_ESCAPE_KEY == 1 && B_F1_KEY == 2 && B_F12_KEY == 13 && B_DELETE_KEY == 52);
    static_assert(B_FOLLOW_NONE == 0 && B_FOLLOW_ALL_SIDES == 0x2143);
    static_assert((B_FOLLOW_LEFT_RIGHT | B_FOLLOW_TOP_BOTTOM) == B_FOLLOW_ALL_SIDES);
    static_assert(B_MOUSE_WHEEL_CHANGED == '_MWC' && B_SIMPLE_DATA == 'DATA' && _UPDATE_ == '_UPD');
    EXPECT_RGB(ui_color(B_MENU_SELECTION_BACKGROUND_COLOR), (rgb_color{115, 120, 184, 255}));
    EXPECT_RGB(ui_color(B_DOCUMENT_BACKGROUND_COLOR), (rgb_color{255, 255, 255, 255}));
    EXPECT_RGB(ui_color(B_DOCUMENT_TEXT_COLOR), (rgb_color{0, 0, 0, 255}));
}
