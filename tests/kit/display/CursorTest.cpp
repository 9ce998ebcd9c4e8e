// Cursors: the cursor data format, and which cursor shows where (view,
// parent, application).
#include <gtest/gtest.h>

#include "TestWindow.h"
#include "kit/app/Application.h"
#include "kit/interface/Cursor.h"

namespace {

// A 16 x 16 cursor: a black 2-pixel frame on a white square covering rows
// and columns 2..13, the rest transparent; hot spot at column 3, row 9.
std::array<uint8, BCursor::kDataSize> test_cursor_data()
{
    std::array<uint8, BCursor::kDataSize> data{};
    data[0] = 16;
    data[1] = 1;
    data[2] = 9; // row
    data[3] = 3; // column
    for (int y = 2; y <= 13; y++) {
        for (int x = 2; x <= 13; x++) {
            uint8 bit = uint8(0x80 >> (x % 8));
            data[36 + y * 2 + x / 8] |= bit;
            if (x < 4 || x > 11 || y < 4 || y > 11)
                data[4 + y * 2 + x / 8] |= bit;
        }
    }
    return data;
}

} // namespace

TEST(Cursor, ReadsTheCursorDataFormat)
{
    auto data = test_cursor_data();
    BCursor cursor(data.data());
    ASSERT_EQ(cursor.InitCheck(), B_OK);
    EXPECT_TRUE(cursor.IsCustom());
    // Byte 2 is the row, byte 3 the column.
    EXPECT_EQ(cursor.HotSpot(), BPoint(3, 9));

    EXPECT_FALSE(cursor.IsOpaque(0, 0));
    EXPECT_FALSE(cursor.IsOpaque(14, 2));
    EXPECT_TRUE(cursor.IsBlack(2, 2));
    EXPECT_TRUE(cursor.IsBlack(13, 13));
    EXPECT_TRUE(cursor.IsBlack(3, 8)); // across the byte boundary of a row
    EXPECT_TRUE(cursor.IsOpaque(8, 8));
    EXPECT_FALSE(cursor.IsBlack(8, 8));
    EXPECT_FALSE(cursor.IsOpaque(-1, 5));
    EXPECT_FALSE(cursor.IsOpaque(16, 5));

    BCursor copy = cursor;
    EXPECT_EQ(copy, cursor);
    EXPECT_NE(BCursor(B_CURSOR_ID_I_BEAM), cursor);
}

TEST(Cursor, DataOfAnotherKindGivesTheDefaultCursor)
{
    auto data = test_cursor_data();
    data[0] = 32;
    BCursor wrongSize(data.data());
    EXPECT_EQ(wrongSize.InitCheck(), B_BAD_VALUE);
    EXPECT_EQ(wrongSize.ID(), B_CURSOR_ID_SYSTEM_DEFAULT);

    data = test_cursor_data();
    data[3] = 16;
    EXPECT_EQ(BCursor(data.data()).InitCheck(), B_BAD_VALUE);
    EXPECT_EQ(BCursor(static_cast<const void*>(nullptr)).InitCheck(), B_BAD_VALUE);

    EXPECT_EQ(B_CURSOR_SYSTEM_DEFAULT->ID(), B_CURSOR_ID_SYSTEM_DEFAULT);
    EXPECT_EQ(B_CURSOR_I_BEAM->ID(), B_CURSOR_ID_I_BEAM);
}

TEST(Cursor, TheViewUnderThePointerChoosesItElseTheApplication)
{
    BApplication app("application/x-vnd.test-cursor");
    TestWindow test;
    auto* field = test.Add(new ProbeView(BRect(10, 10, 109, 59), "field"));
    auto* inner = new ProbeView(BRect(10, 10, 29, 29), "inner");
    field->AddChild(inner);
    auto* plain = test.Add(new ProbeView(BRect(150, 10, 199, 59), "plain"));
    field->SetViewCursor(B_CURSOR_I_BEAM);
    auto data = test_cursor_data();
    BCursor custom(data.data());
    plain->SetViewCursor(&custom);
    test.ShowAndWait();
    HeadlessBackend& backend = test.driver.Backend();
    BWindow* window = test.window;

    BCursor busy(B_CURSOR_ID_PROGRESS);
    app.SetCursor(&busy);
    EXPECT_EQ(backend.Cursor(window), busy);

    test.driver.MouseMove(window, BPoint(50, 50));
    test.driver.WaitForIdle();
    EXPECT_EQ(backend.Cursor(window).ID(), B_CURSOR_ID_I_BEAM);
    // A child without a cursor shows its parent's.
    test.driver.MouseMove(window, BPoint(25, 25));
    test.driver.WaitForIdle();
    EXPECT_EQ(backend.Cursor(window).ID(), B_CURSOR_ID_I_BEAM);
    test.driver.MouseMove(window, BPoint(160, 20));
    test.driver.WaitForIdle();
    EXPECT_EQ(backend.Cursor(window), custom);
    test.driver.MouseMove(window, BPoint(250, 150));
    test.driver.WaitForIdle();
    EXPECT_EQ(backend.Cursor(window), busy);

    // Changing the cursor of the view under the pointer shows at once;
    // removing the view gives the application's back.
    test.driver.MouseMove(window, BPoint(160, 20));
    test.driver.WaitForIdle();
    test.Locked([&] { plain->SetViewCursor(B_CURSOR_I_BEAM); });
    EXPECT_EQ(backend.Cursor(window).ID(), B_CURSOR_ID_I_BEAM);
    test.Locked([&] {
        plain->RemoveSelf();
        delete plain;
    });
    EXPECT_EQ(backend.Cursor(window), busy);

    app.SetCursor(static_cast<const BCursor*>(nullptr));
    EXPECT_EQ(backend.Cursor(window).ID(), B_CURSOR_ID_SYSTEM_DEFAULT);
    app.SetCursor(data.data());
    EXPECT_EQ(backend.Cursor(window), custom);
    app.SetCursor(B_CURSOR_SYSTEM_DEFAULT);
}
