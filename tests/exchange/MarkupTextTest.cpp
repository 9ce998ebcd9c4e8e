// Texts in HTML and XML: what is escaped, which references read back, and
// what stays as it is so that unescaped texts of older files read as before.
#include "exchange/MarkupText.h"

#include <gtest/gtest.h>

#include <random>

TEST(MarkupText, EscapesTheFiveMarkupCharactersAndNothingElse)
{
    const struct
    {
        std::string text, escaped;
    } cases[] = {
        {"", ""},
        {"plain text 12:30", "plain text 12:30"},
        {"<script>alert(1)</script>", "&lt;script&gt;alert(1)&lt;/script&gt;"},
        {"x\" onerror=\"y", "x&quot; onerror=&quot;y"},
        {"it's", "it&#39;s"},
        {"R&D &amp;", "R&amp;D &amp;amp;"},
        {"Fräsen ✓ 🛠", "Fräsen ✓ 🛠"},
        {std::string("a\0b]\n", 5), std::string("a\0b]\n", 5)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EscapeMarkup(c.text), c.escaped) << c.text;
        EXPECT_EQ(UnescapeMarkup(c.escaped), c.text) << c.escaped;
    }
}

TEST(MarkupText, ReadsEntitiesAndCharacterReferencesLeavesTheRest)
{
    const struct
    {
        const char* text;
        const char* read;
    } cases[] = {
        {"&amp;&lt;&gt;&quot;&apos;", "&<>\"'"},
        {"&#39;&#x27;&#X27;&#0065;", "'''A"},
        {"&#228;&#x1F6E0;", "ä🛠"},
        {"&amp;lt;", "&lt;"},
        // Old unescaped texts: nothing here is a reference.
        {"R&D", "R&D"},
        {"a & b < c > d", "a & b < c > d"},
        {"&", "&"},
        {"&&amp;", "&&"},
        {"&amp", "&amp"},
        {"&nbsp;&AMP;&", "&nbsp;&AMP;&"},
        {"&#;&#x;&#12a;&#-1;", "&#;&#x;&#12a;&#-1;"},
        // No character of XML, or beyond every character.
        {"&#0;&#x1;&#xD800;&#xFFFE;&#x110000;&#4294967361;",
         "&#0;&#x1;&#xD800;&#xFFFE;&#x110000;&#4294967361;"},
        {"&#000000065;", "&#000000065;"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(UnescapeMarkup(c.text), c.read) << c.text;
}

TEST(MarkupText, AnyBytesComeBackAsThemselves)
{
    std::mt19937 random(11);
    const char pool[] = "&<>\"';#x0123456789amplgtquos \xC3\xA4\xFF";
    for (int round = 0; round < 2000; round++) {
        std::string text(random() % 24, ' ');
        for (char& c : text)
            c = round % 2 ? char(random()) : pool[random() % (sizeof(pool) - 1)];
        const std::string escaped = EscapeMarkup(text);
        EXPECT_EQ(escaped.find_first_of("<>\"'"), std::string::npos);
        EXPECT_LE(escaped.size(), text.size() * kEscapedByteMax);
        EXPECT_EQ(UnescapeMarkup(escaped), text);
    }
}
