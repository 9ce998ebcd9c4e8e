#include "kit/interface/Font.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

// fontconfig keeps a few blocks of its configuration parser unreachable for
// the life of the process; that is the system library's, not a leak of ours.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

TEST(Font, PlainBoldAndFixedFonts)
{
    EXPECT_STREQ(be_plain_font->Family(), "DejaVu Sans");
    EXPECT_EQ(be_plain_font->Face(), B_REGULAR_FACE);
    EXPECT_EQ(be_bold_font->Face(), B_BOLD_FACE);
    EXPECT_STREQ(be_bold_font->Style(), "Bold");
    // Bold glyphs are wider; fixed glyphs all have one width.
    EXPECT_GT(be_bold_font->StringWidth("Mmmm"), be_plain_font->StringWidth("Mmmm"));
    EXPECT_FLOAT_EQ(be_fixed_font->StringWidth("iiii"), be_fixed_font->StringWidth("MMMM"));
}

TEST(Font, StringWidthGrowsWithTextAndSize)
{
    BFont font;
    const char* texts[] = {"", "a", "ab", "abc", "abc def", "abc def ghij"};
    float previous = -1;
    for (const char* text : texts) {
        float width = font.StringWidth(text);
        EXPECT_GT(width, previous) << text;
        previous = width;
    }
    EXPECT_EQ(font.StringWidth(""), 0);
    EXPECT_FLOAT_EQ(font.StringWidth("abcdef", 3), font.StringWidth("abc"));

    BFont larger(font);
    larger.SetSize(24);
    EXPECT_NEAR(larger.StringWidth("Vantrel"), 2 * font.StringWidth("Vantrel"), 0.5);
}

TEST(Font, InvalidUtf8IsMeasuredNotRefused)
{
    BFont font;
    EXPECT_GT(font.StringWidth("ab\xff\xfe"), font.StringWidth("ab"));
    // The font stays usable afterwards.
    EXPECT_GT(font.StringWidth("abc"), 0);
}

TEST(Font, HeightHasAscentAndDescent)
{
    BFont font;
    font.SetSize(12);
    font_height height;
    font.GetHeight(&height);
    EXPECT_GT(height.ascent, 8);
    EXPECT_LT(height.ascent, 14);
    EXPECT_GT(height.descent, 1);
    EXPECT_GE(height.leading, 0);
}

TEST(Font, TruncateStringFitsAndMarksTheCut)
{
    BFont font;
    const std::string ellipsis = "\xE2\x80\xA6";
    struct Case
    {
        uint32 mode;
        bool keepsHead;
        bool keepsTail;
    } cases[] = {
        {B_TRUNCATE_END, true, false},
        {B_TRUNCATE_BEGINNING, false, true},
        {B_TRUNCATE_MIDDLE, true, true},
    };
    const std::string name = "Schreinerei Müller & Söhne, Werkstatt Nord";
    for (const Case& test : cases) {
        for (float width : {10.0f, 30.0f, 74.0f, 150.0f}) {
            std::string text = name;
            font.TruncateString(&text, test.mode, width);
            EXPECT_LE(font.StringWidth(text), width) << text;
            if (text.empty())
                continue;
            EXPECT_NE(text.find(ellipsis), std::string::npos) << text;
            EXPECT_EQ(font.StringWidth(BFont::_ValidText(text.c_str())), font.StringWidth(text))
                << "the cut must fall between code points: " << text;
            if (test.keepsHead && text.size() > ellipsis.size() + 1) {
                EXPECT_EQ(text[0], 'S') << text;
            }
            if (test.keepsTail && text.size() > ellipsis.size() + 1) {
                EXPECT_EQ(text.back(), 'd') << text;
            }
        }
    }
    std::string fits = "Nord";
    font.TruncateString(&fits, B_TRUNCATE_END, 200);
    EXPECT_EQ(fits, "Nord");
    std::string nothing = "Nord";
    font.TruncateString(&nothing, B_TRUNCATE_END, 1);
    EXPECT_EQ(nothing, "");
}

TEST(Font, MeasuringFromManyThreads)
{
    float expected = BFont().StringWidth("Auftrag 4711");
    std::vector<std::thread> threads;
    std::vector<int> mismatches(4, 0);
    for (int t = 0; t < 4; t++) {
        threads.emplace_back([&, t] {
            BFont font;
            font.SetFace(t % 2 == 0 ? B_REGULAR_FACE : B_BOLD_FACE);
            for (int i = 0; i < 50; i++) {
                if (t % 2 == 0 && font.StringWidth("Auftrag 4711") != expected)
                    mismatches[t]++;
                std::string text = "Werkstatt " + std::to_string(i);
                font.TruncateString(&text, B_TRUNCATE_END, 40);
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(mismatches, std::vector<int>(4, 0));
}
