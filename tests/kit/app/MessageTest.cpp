#include "kit/app/Message.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TEST(MessageTest, FixedSizeValuesRoundTripAtEveryIndex)
{
    int anchor[4] = {};
    BMessage message('TEST');
    for (int i = 0; i < 3; i++) {
        ASSERT_EQ(message.AddInt8("i8", int8(-100 + i)), B_OK);
        ASSERT_EQ(message.AddInt16("i16", int16(-30000 + i)), B_OK);
        ASSERT_EQ(message.AddInt32("i32", int32(-2000000000 + i)), B_OK);
        ASSERT_EQ(message.AddInt64("i64", int64(1) << 40 | i), B_OK);
        ASSERT_EQ(message.AddBool("bool", i == 1), B_OK);
        ASSERT_EQ(message.AddFloat("float", 0.5f + i), B_OK);
        ASSERT_EQ(message.AddDouble("double", 1e300 * (i + 1)), B_OK);
        ASSERT_EQ(message.AddPointer("ptr", anchor + i), B_OK);
        ASSERT_EQ(message.AddRect("rect", BRect(i, 1, 9, 9)), B_OK);
        ASSERT_EQ(message.AddPoint("point", BPoint(i, -i)), B_OK);
        ASSERT_EQ(message.AddColor("color", rgb_color{uint8(i), 2, 3, 255}), B_OK);
    }

    for (int i = 0; i < 3; i++) {
        SCOPED_TRACE(i);
        EXPECT_EQ(message.GetInt8("i8", i, 0), -100 + i);
        EXPECT_EQ(message.GetInt16("i16", i, 0), -30000 + i);
        EXPECT_EQ(message.GetInt32("i32", i, 0), -2000000000 + i);
        EXPECT_EQ(message.GetInt64("i64", i, 0), int64(1) << 40 | i);
        EXPECT_EQ(message.GetBool("bool", i, false), i == 1);
        EXPECT_EQ(message.GetFloat("float", i, 0), 0.5f + i);
        EXPECT_EQ(message.GetDouble("double", i, 0), 1e300 * (i + 1));
        EXPECT_EQ(message.GetPointer("ptr", i, nullptr), anchor + i);
        EXPECT_EQ(message.GetRect("rect", i, BRect()), BRect(i, 1, 9, 9));
        EXPECT_EQ(message.GetPoint("point", i, BPoint()), BPoint(i, -i));
        EXPECT_EQ(message.GetColor("color", i, rgb_color{}), (rgb_color{uint8(i), 2, 3, 255}));
    }

    int32 value = 0;
    ASSERT_EQ(message.FindInt32("i32", &value), B_OK);
    EXPECT_EQ(value, -2000000000);
    void* pointer = nullptr;
    ASSERT_EQ(message.FindPointer("ptr", 2, &pointer), B_OK);
    EXPECT_EQ(pointer, anchor + 2);
}

TEST(MessageTest, LookupErrorsAreDistinguishedAndLeaveOutputAlone)
{
    BMessage message;
    message.AddInt32("count", 7);
    message.AddInt32("count", 8);

    int32 value = -1;
    EXPECT_EQ(message.FindInt32("missing", &value), B_NAME_NOT_FOUND);
    EXPECT_EQ(message.FindInt32("count", 2, &value), B_BAD_INDEX);
    EXPECT_EQ(message.FindInt32("count", -1, &value), B_BAD_INDEX);
    int16 small = -1;
    EXPECT_EQ(message.FindInt16("count", &small), B_BAD_TYPE);
    const char* text = nullptr;
    EXPECT_EQ(message.FindString("count", &text), B_BAD_TYPE);
    EXPECT_EQ(value, -1);
    EXPECT_EQ(small, -1);
    EXPECT_EQ(text, nullptr);

    EXPECT_EQ(message.GetInt32("missing", 42), 42);
    EXPECT_EQ(message.GetInt32("count", 5, 42), 42);
    EXPECT_EQ(message.GetInt64("count", 42), 42);
    EXPECT_STREQ(message.GetString("count", "fallback"), "fallback");

    EXPECT_TRUE(message.HasInt32("count", 1));
    EXPECT_FALSE(message.HasInt32("count", 2));
    EXPECT_FALSE(message.HasString("count"));
}

TEST(MessageTest, AddingAnotherTypeToAnExistingNameIsRefused)
{
    BMessage message;
    ASSERT_EQ(message.AddInt32("value", 1), B_OK);
    EXPECT_EQ(message.AddString("value", "one"), B_BAD_TYPE);
    EXPECT_EQ(message.AddInt64("value", 1), B_BAD_TYPE);
    BMessage nested;
    EXPECT_EQ(message.AddMessage("value", &nested), B_BAD_TYPE);

    int32 count = 0;
    type_code type = 0;
    ASSERT_EQ(message.GetInfo("value", &type, &count), B_OK);
    EXPECT_EQ(type, B_INT32_TYPE);
    EXPECT_EQ(count, 1);
}

TEST(MessageTest, ReplaceChangesOneValueAndChecksIndexAndType)
{
    BMessage message;
    message.AddInt32("n", 1);
    message.AddInt32("n", 2);
    message.AddString("s", "short");

    EXPECT_EQ(message.ReplaceInt32("n", 1, 20), B_OK);
    EXPECT_EQ(message.GetInt32("n", 0, 0), 1);
    EXPECT_EQ(message.GetInt32("n", 1, 0), 20);
    EXPECT_EQ(message.ReplaceInt32("n", 2, 30), B_BAD_INDEX);
    EXPECT_EQ(message.ReplaceInt64("n", 0, 30), B_BAD_TYPE);
    EXPECT_EQ(message.ReplaceInt32("absent", 30), B_NAME_NOT_FOUND);

    EXPECT_EQ(message.ReplaceString("s", std::string(300, 'x')), B_OK);
    std::string text;
    ASSERT_EQ(message.FindString("s", &text), B_OK);
    EXPECT_EQ(text, std::string(300, 'x'));

    int32 count = 0;
    message.GetInfo("n", nullptr, &count);
    EXPECT_EQ(count, 2);
}

TEST(MessageTest, RemovingValuesShiftsIndexesAndDropsEmptyNames)
{
    BMessage message;
    for (const char* word : {"a", "b", "c"})
        message.AddString("words", word);
    message.AddBool("flag", true);

    ASSERT_EQ(message.RemoveData("words", 1), B_OK);
    EXPECT_STREQ(message.GetString("words", 1, nullptr), "c");
    EXPECT_EQ(message.RemoveData("words", 2), B_BAD_INDEX);
    EXPECT_EQ(message.RemoveData("words", 0), B_OK);
    EXPECT_EQ(message.RemoveData("words", 0), B_OK);
    EXPECT_FALSE(message.HasString("words"));
    type_code type;
    EXPECT_EQ(message.GetInfo("words", &type), B_NAME_NOT_FOUND);

    EXPECT_EQ(message.RemoveName("nothing"), B_NAME_NOT_FOUND);
    EXPECT_EQ(message.RemoveName("flag"), B_OK);
    EXPECT_TRUE(message.IsEmpty());

    message.AddInt8("x", 1);
    message.MakeEmpty();
    EXPECT_TRUE(message.IsEmpty());
    EXPECT_EQ(message.CountNames(B_ANY_TYPE), 0);
}

TEST(MessageTest, StringsKeepTheirTextInBothForms)
{
    BMessage message;
    std::string withBlanks = "a name; with \"quotes\"";
    message.AddString("s", withBlanks);
    message.AddString("s", "");
    message.AddString("s", std::string(1000, 'z').c_str());
    EXPECT_EQ(message.AddString("s", static_cast<const char*>(nullptr)), B_BAD_VALUE);

    const char* text = nullptr;
    ASSERT_EQ(message.FindString("s", &text), B_OK);
    EXPECT_EQ(withBlanks, text);
    std::string copy = "stale";
    ASSERT_EQ(message.FindString("s", 1, &copy), B_OK);
    EXPECT_EQ(copy, "");
    EXPECT_EQ(std::strlen(message.GetString("s", 2, "")), 1000u);

    // The byte form carries the terminating NUL, as on the platform.
    const void* data;
    ssize_t size;
    ASSERT_EQ(message.FindData("s", B_STRING_TYPE, &data, &size), B_OK);
    EXPECT_EQ(size, ssize_t(withBlanks.size() + 1));
}

TEST(MessageTest, NestedMessagesAndCopiesAreIndependent)
{
    BMessage inner('INNR');
    inner.AddString("name", "first");
    BMessage outer('OUTR');
    ASSERT_EQ(outer.AddMessage("child", &inner), B_OK);

    inner.ReplaceString("name", "changed after adding");
    BMessage found;
    ASSERT_EQ(outer.FindMessage("child", &found), B_OK);
    EXPECT_EQ(found.what, uint32('INNR'));
    EXPECT_STREQ(found.GetString("name"), "first");

    found.AddInt32("extra", 1);
    BMessage again;
    outer.FindMessage("child", &again);
    EXPECT_FALSE(again.HasInt32("extra"));

    BMessage copy(outer);
    BMessage assigned;
    assigned = outer;
    BMessage replacement('REPL');
    ASSERT_EQ(copy.ReplaceMessage("child", &replacement), B_OK);
    copy.AddInt32("only in copy", 1);
    outer.FindMessage("child", &again);
    EXPECT_EQ(again.what, uint32('INNR'));
    EXPECT_FALSE(outer.HasInt32("only in copy"));
    assigned.FindMessage("child", &again);
    EXPECT_EQ(again.what, uint32('INNR'));

    // A message may hold a snapshot of itself.
    ASSERT_EQ(outer.AddMessage("child", &outer), B_OK);
    ASSERT_EQ(outer.FindMessage("child", 1, &again), B_OK);
    int32 count = 0;
    again.GetInfo("child", nullptr, &count);
    EXPECT_EQ(count, 1);
    // And be overwritten by one of its own children.
    ASSERT_EQ(outer.FindMessage("child", 0, &outer), B_OK);
    EXPECT_EQ(outer.what, uint32('INNR'));
}

TEST(MessageTest, RawDataAndRefs)
{
    BMessage message;
    const char bytes[] = {1, 0, 2, 0, 3};
    ASSERT_EQ(message.AddData("blob", 'BLOB', bytes, sizeof(bytes)), B_OK);
    ASSERT_EQ(message.AddData("empty", B_RAW_TYPE, nullptr, 0), B_OK);
    int32 four = 4;
    EXPECT_EQ(message.AddData("bad", B_INT32_TYPE, &four, 3), B_BAD_VALUE);
    EXPECT_EQ(message.AddData("bad", B_INT32_TYPE, nullptr, 4), B_BAD_VALUE);
    ASSERT_EQ(message.AddData("raw int", B_INT32_TYPE, &four, sizeof(four)), B_OK);
    EXPECT_EQ(message.GetInt32("raw int", 0), 4);

    const void* data = nullptr;
    ssize_t size = 0;
    EXPECT_EQ(message.FindData("blob", B_RAW_TYPE, &data, &size), B_BAD_TYPE);
    ASSERT_EQ(message.FindData("blob", B_ANY_TYPE, &data, &size), B_OK);
    ASSERT_EQ(size, ssize_t(sizeof(bytes)));
    EXPECT_EQ(std::memcmp(data, bytes, sizeof(bytes)), 0);

    entry_ref ref("/tmp/a folder/plan;1.xml");
    ASSERT_EQ(message.AddRef("refs", &ref), B_OK);
    entry_ref found;
    ASSERT_EQ(message.FindRef("refs", &found), B_OK);
    EXPECT_EQ(found, ref);
    EXPECT_TRUE(message.HasRef("refs"));
    EXPECT_FALSE(message.HasString("refs"));
    EXPECT_EQ(message.FindRef("blob", &found), B_BAD_TYPE);

    BMessage nested;
    message.AddMessage("nested", &nested);
    EXPECT_EQ(message.FindData("nested", B_MESSAGE_TYPE, &data, &size), B_BAD_TYPE);
}

TEST(MessageTest, InventoryByTypeAndPosition)
{
    BMessage message;
    message.AddInt32("a", 1);
    message.AddString("b", "x");
    message.AddInt32("c", 1);
    message.AddInt32("c", 2);

    EXPECT_EQ(message.CountNames(B_ANY_TYPE), 3);
    EXPECT_EQ(message.CountNames(B_INT32_TYPE), 2);
    EXPECT_EQ(message.CountNames(B_DOUBLE_TYPE), 0);

    const char* name = nullptr;
    type_code type = 0;
    int32 count = 0;
    ASSERT_EQ(message.GetInfo(B_INT32_TYPE, 1, &name, &type, &count), B_OK);
    EXPECT_STREQ(name, "c");
    EXPECT_EQ(type, B_INT32_TYPE);
    EXPECT_EQ(count, 2);
    ASSERT_EQ(message.GetInfo(B_ANY_TYPE, 1, &name, &type), B_OK);
    EXPECT_STREQ(name, "b");
    EXPECT_EQ(message.GetInfo(B_INT32_TYPE, 2, &name, &type), B_BAD_INDEX);
    EXPECT_EQ(message.GetInfo(B_DOUBLE_TYPE, 0, &name, &type), B_BAD_TYPE);
}

TEST(MessageTest, PrintToStreamShowsCodeFieldsAndNesting)
{
    BMessage inner('INNR');
    inner.AddInt32("depth", 2);
    BMessage message('OPEN');
    message.AddString("open", "plan");
    message.AddInt32("n", 3);
    message.AddInt32("n", 4);
    message.AddMessage("sub", &inner);
    BMessage unprintable(0x01020304);

    testing::internal::CaptureStdout();
    message.PrintToStream();
    unprintable.PrintToStream();
    std::string out = testing::internal::GetCapturedStdout();

    EXPECT_NE(out.find("'OPEN'"), std::string::npos) << out;
    EXPECT_NE(out.find("open (string): \"plan\""), std::string::npos) << out;
    EXPECT_NE(out.find("n (int32): 3, 4"), std::string::npos) << out;
    EXPECT_NE(out.find("'INNR'"), std::string::npos) << out;
    EXPECT_NE(out.find("        depth (int32): 2"), std::string::npos) << out;
    EXPECT_NE(out.find("0x01020304"), std::string::npos) << out;
}

} // namespace
