// Colour text for reports, half-way colours, and colours carried by drops.
#include "app/ColorHelpers.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "kit/app/Message.h"
#include "kit/app/TypeConstants.h"
#include "kit/storage/Node.h"
#include "support/ProgramFolder.h"

TEST(ColorHelpers, TextAndHalfWayColours)
{
    EXPECT_EQ(rgb2str({0, 0, 0, 0}), "000000");
    EXPECT_EQ(rgb2str({250, 163, 10, 80}), "FAA30A");

    // {a, b, expected}: the smaller plus half the difference, either order.
    const rgb_color cases[][3] = {
        {{0, 0, 0, 1}, {255, 255, 255, 2}, {127, 127, 127, 7}},
        {{255, 10, 3, 1}, {0, 11, 3, 2}, {127, 10, 3, 7}},
    };
    for (const auto& c : cases) {
        rgb_color result = {1, 2, 3, 7};
        ColorBetween(&c[0], &c[1], &result);
        EXPECT_EQ(result, c[2]);
        ColorBetween(&c[1], &c[0], &result);
        EXPECT_EQ(result, c[2]);
    }
}

TEST(ColorHelpers, HexTextReadsBackWhatRgb2strWrites)
{
    // {text, parses, red, green, blue}; alpha is never touched.
    const struct
    {
        const char* text;
        bool ok;
        uint8 red, green, blue;
    } cases[] = {
        {"#1BE3E3", true, 27, 227, 227},
        {"1be3e3", true, 27, 227, 227},
        {"  #FfA30a\n", true, 255, 163, 10},
        {"\t000000\r\n", true, 0, 0, 0},
        {"#1BE3E", false, 0, 0, 0},
        {"#1BE3E3E", false, 0, 0, 0},
        {"##1BE3E3", false, 0, 0, 0},
        {"#1BE3G3", false, 0, 0, 0},
        {"1B E3E3", false, 0, 0, 0},
        {"#", false, 0, 0, 0},
        {"", false, 0, 0, 0},
        {"   ", false, 0, 0, 0},
        {"0x1BE3E3", false, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        rgb_color color = {9, 9, 9, 80};
        EXPECT_EQ(str2rgb(c.text, &color), c.ok);
        rgb_color expected = c.ok ? rgb_color{c.red, c.green, c.blue, 80} : rgb_color{9, 9, 9, 80};
        EXPECT_EQ(color, expected);
    }
    for (rgb_color color : {rgb_color{0, 0, 0, 0}, {250, 163, 10, 80}, {255, 255, 255, 255}}) {
        rgb_color back = {0, 0, 0, color.alpha};
        ASSERT_TRUE(str2rgb("#" + rgb2str(color), &back));
        EXPECT_EQ(back, color);
    }
    EXPECT_FALSE(str2rgb("#FFFFFF", nullptr));
}

TEST(ColorHelpers, HasMsgColorTakesDataThenTheFileAttributeElseFallback)
{
    ProgramFolder program;
    const rgb_color fallback = {1, 2, 3, 4};
    const rgb_color dropped = {200, 100, 50, 255};
    const rgb_color stored = {9, 8, 7, 6};
    auto with_data = [&](type_code type, ssize_t size) {
        BMessage message('DATA');
        message.AddData("RGBColor", type, &dropped, size);
        return HasMsgColor(&message, fallback);
    };
    auto with_file = [&](const char* name) {
        BMessage message('DATA');
        entry_ref ref(program.Path(name));
        message.AddRef("refs", &ref);
        return HasMsgColor(&message, fallback);
    };

    EXPECT_EQ(with_data(B_RGB_COLOR_TYPE, 4), dropped);
    EXPECT_EQ(with_data(B_RAW_TYPE, 4), fallback);
    EXPECT_EQ(with_data(B_RGB_COLOR_TYPE, 2), fallback) << "never read past the data";
    EXPECT_EQ(HasMsgColor(nullptr, fallback), fallback);
    EXPECT_EQ(with_file("defs/missing"), fallback);
    ASSERT_EQ(mkfifo(program.Path("defs/pipe").c_str(), 0600), 0);
    EXPECT_EQ(with_file("defs/pipe"), fallback) << "must not block on a pipe";

    program.Write("defs/swatch", "");
    program.Write("defs/short", "");
    BNode swatch(program.Path("defs/swatch").c_str());
    if (swatch.WriteAttr("RGBCOLOR", B_RGB_COLOR_TYPE, 0, &stored, 4) != 4)
        GTEST_SKIP() << "no user extended attributes here";
    BNode(program.Path("defs/short").c_str())
        .WriteAttr("RGBCOLOR", B_RGB_COLOR_TYPE, 0, &stored, 3);
    EXPECT_EQ(with_file("defs/swatch"), stored);
    EXPECT_EQ(with_file("defs/short"), fallback);
}
