// Cutting texts to bytes at UTF-8 character boundaries.
#include "app/Utf8Text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string kAe = "\xc3\xa4";           // 2 bytes
const std::string kEuro = "\xe2\x82\xac";     // 3 bytes
const std::string kClef = "\xf0\x9d\x84\x9e"; // 4 bytes

} // namespace

TEST(Utf8Cut, KeepsWholeCharactersOnly)
{
    const std::string mixed = "a" + kAe + kEuro + kClef + "z"; // 1+2+3+4+1 bytes
    const struct
    {
        size_t max;
        std::string kept;
    } cases[] = {
        {0, ""},
        {1, "a"},
        {2, "a"},
        {3, "a" + kAe},
        {5, "a" + kAe},
        {6, "a" + kAe + kEuro},
        {9, "a" + kAe + kEuro},
        {10, "a" + kAe + kEuro + kClef},
        {11, mixed},
        {100, mixed},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Utf8Cut(mixed, c.max), c.kept) << c.max;
}

// Bytes that are no UTF-8 (Latin-1 files, damaged ones) are cut like any
// byte: never more than three are given up, never everything.
TEST(Utf8Cut, BytesThatAreNoCharacterAreSingleUnits)
{
    const std::string stray(20, '\x80');
    EXPECT_EQ(Utf8Cut(stray, 10), std::string(10, '\x80'));
    const std::string latin1 = "Stra\xdf"
                               "e M\xfcller";
    EXPECT_EQ(Utf8Cut(latin1, 5), "Stra\xdf");
    EXPECT_EQ(Utf8Cut(latin1, 9), "Stra\xdf"
                                  "e M\xfc");
    // A complete character followed by a stray continuation byte stays.
    EXPECT_EQ(Utf8Cut(kAe + "\x80\x80", 3), kAe + "\x80");
    // A lead byte whose character the cut would split goes.
    EXPECT_EQ(Utf8Cut("ab" + kClef, 5), "ab");
}
