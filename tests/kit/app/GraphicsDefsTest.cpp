#include "kit/app/GraphicsDefs.h"

#include <gtest/gtest.h>

namespace {

// Edges are inclusive: a rectangle of width 9 covers 10 pixels.
static_assert(BRect(0, 0, 9, 9).Width() == 9);
static_assert(BRect(0, 0, 9, 9).Contains(BPoint(9, 9)));
static_assert(!BRect(0, 0, 9, 9).Contains(BPoint(9.5f, 9)));
static_assert(!BRect().IsValid());
static_assert(BRect(5, 5, 5, 5).IsValid());
static_assert(BPoint(1, 2) + BPoint(3, 4) - BPoint(1, 1) == BPoint(3, 5));

TEST(GraphicsDefsTest, RectanglesSharingOnlyAnEdgePixelIntersect)
{
    const BRect a(0, 0, 9, 9);
    EXPECT_TRUE(a.Intersects(BRect(9, 9, 20, 20)));
    EXPECT_FALSE(a.Intersects(BRect(10, 0, 20, 9)));
    EXPECT_FALSE(a.Intersects(BRect()));
    EXPECT_EQ(a & BRect(5, -5, 20, 5), BRect(5, 0, 9, 5));
    EXPECT_FALSE((a & BRect(10, 0, 20, 9)).IsValid());
    EXPECT_EQ(a | BRect(20, 20, 30, 30), BRect(0, 0, 30, 30));
}

TEST(GraphicsDefsTest, ContainmentNeedsBothRectanglesValid)
{
    const BRect outer(0, 0, 99, 99);
    EXPECT_TRUE(outer.Contains(outer));
    EXPECT_TRUE(outer.Contains(BRect(10, 10, 20, 20)));
    EXPECT_FALSE(outer.Contains(BRect(90, 90, 100, 99)));
    EXPECT_FALSE(outer.Contains(BRect()));
}

TEST(GraphicsDefsTest, MovingAndInsettingKeepOrChangeTheSize)
{
    BRect rect(10, 20, 19, 29);
    rect.OffsetTo(0, 0);
    EXPECT_EQ(rect, BRect(0, 0, 9, 9));
    rect.OffsetBy(BPoint(5, -5));
    EXPECT_EQ(rect.LeftTop(), BPoint(5, -5));
    EXPECT_EQ(rect.RightBottom(), BPoint(14, 4));
    rect.InsetBy(2, 3);
    EXPECT_EQ(rect, BRect(7, -2, 12, 1));
    rect.InsetBy(-2, -3);
    EXPECT_EQ(rect.Width(), 9);
    EXPECT_EQ(rect.InsetByCopy(5, 5).IsValid(), false);
}

} // namespace
