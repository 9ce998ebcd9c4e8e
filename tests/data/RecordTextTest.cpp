// The one rule for texts in the bracket-record files, and the room a field
// has in its line.
#include "data/RecordText.h"

#include <gtest/gtest.h>

#include <string>

using namespace std::string_literals;

TEST(RecordText, FormatCharactersCannotSplitOrAddRecords)
{
    const struct
    {
        std::string given;
        std::string kept;
    } cases[] = {
        {"Anna Berg", "Anna Berg"},
        {"A]B", "A)B"},
        {"x[IT", "x(IT"},
        {"/plan/[PB][1]", "/plan/(PB)(1)"},
        {"two\nlines\r", "two lines "},
        {"nul\0tab\t"s, "nul tab "},
        {"IT", "IT "},
        {"PB", "PB "},
        {"LN", "LN "},
        {"ITX", "ITX"},
        {"it", "it"},
        {"HD", "HD"}, // only tags a reader finds beside its line's own
        {"; --", "; --"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RecordText(c.given, 100), c.kept) << c.given;
}

TEST(RecordText, CutsToBytesAndKeepsATagNameBroken)
{
    EXPECT_EQ(RecordText("ab\xc3\xa4", 3), "ab");
    EXPECT_EQ(RecordText("[\xe2\x82\xac]", 4), "(\xe2\x82\xac");
    EXPECT_EQ(RecordText("ITALY", 2), "I") << "a cut that leaves a tag's name";
    EXPECT_EQ(RecordText("IT", 3), "IT ");
    EXPECT_EQ(RecordText("LN\n", 3), "LN ");
}

TEST(RecordText, DayTextsAreHeldAsTheFileWritesThem)
{
    EXPECT_EQ(RecordDayText("2003/02/14", kDayTextMax), "2003/02/14");
    EXPECT_EQ(RecordDayText("2003/2/4", kDayTextMax), "  2003/2/4");
    EXPECT_EQ(RecordDayText("", kDayTextMax), std::string(10, ' '));
    EXPECT_EQ(RecordDayText("2003/02/145", kDayTextMax), "2003/02/145");
    EXPECT_EQ(RecordDayText("2003/02/1456", kDayTextMax), "2003/02/145");
    EXPECT_EQ(RecordDayText("2003]02\n14", kDayTextMax), "2003)02 14");
}

TEST(RecordText, RoomIsWhatTheLineLeavesUpToTheFieldsOwnMaximum)
{
    EXPECT_EQ(RecordRoom(80, 100, 10), 80u);
    EXPECT_EQ(RecordRoom(80, 253, 10), 10u);
    EXPECT_EQ(RecordRoom(80, 240, 0), 13u);
    EXPECT_EQ(RecordRoom(80, 300, 10), 0u) << "a line already too long leaves nothing";
    EXPECT_EQ(RecordRoom(kRecordLineMax, 50, 20), 223u);
}
