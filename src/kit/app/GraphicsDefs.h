// Colours, points and rectangles shared by messages and drawing. BRect edges
// are inclusive: (0, 0, 9, 9) covers 10 x 10 pixels, and Width() is 9.
#pragma once

#include <algorithm>

#include "kit/app/SupportDefs.h"

struct rgb_color
{
    uint8 red;
    uint8 green;
    uint8 blue;
    uint8 alpha;

    constexpr bool operator==(const rgb_color& other) const = default;
};

class BPoint
{
public:
    float x;
    float y;

    constexpr BPoint() : x(0), y(0) {}
    constexpr BPoint(float x, float y) : x(x), y(y) {}

    constexpr void Set(float newX, float newY)
    {
        x = newX;
        y = newY;
    }

    constexpr BPoint operator+(const BPoint& other) const { return {x + other.x, y + other.y}; }
    constexpr BPoint operator-(const BPoint& other) const { return {x - other.x, y - other.y}; }
    constexpr BPoint operator-() const { return {-x, -y}; }

    constexpr BPoint& operator+=(const BPoint& other)
    {
        x += other.x;
        y += other.y;
        return *this;
    }

    constexpr BPoint& operator-=(const BPoint& other)
    {
        x -= other.x;
        y -= other.y;
        return *this;
    }

    constexpr bool operator==(const BPoint& other) const = default;
};

inline constexpr BPoint B_ORIGIN(0, 0);

class BRect
{
public:
    float left;
    float top;
    float right;
    float bottom;

    // An empty rectangle is invalid (right < left), as on the platform.
    constexpr BRect() : left(0), top(0), right(-1), bottom(-1) {}
    constexpr BRect(float left, float top, float right, float bottom)
        : left(left), top(top), right(right), bottom(bottom)
    {
    }
    constexpr BRect(BPoint leftTop, BPoint rightBottom)
        : left(leftTop.x), top(leftTop.y), right(rightBottom.x), bottom(rightBottom.y)
    {
    }

    constexpr void Set(float newLeft, float newTop, float newRight, float newBottom)
    {
        left = newLeft;
        top = newTop;
        right = newRight;
        bottom = newBottom;
    }

    constexpr float Width() const { return right - left; }
    constexpr float Height() const { return bottom - top; }
    constexpr int32 IntegerWidth() const { return static_cast<int32>(right - left); }
    constexpr int32 IntegerHeight() const { return static_cast<int32>(bottom - top); }
    constexpr bool IsValid() const { return left <= right && top <= bottom; }

    constexpr BPoint LeftTop() const { return {left, top}; }
    constexpr BPoint RightBottom() const { return {right, bottom}; }
    constexpr BPoint LeftBottom() const { return {left, bottom}; }
    constexpr BPoint RightTop() const { return {right, top}; }

    constexpr void InsetBy(float dx, float dy)
    {
        left += dx;
        top += dy;
        right -= dx;
        bottom -= dy;
    }

    constexpr void InsetBy(BPoint delta) { InsetBy(delta.x, delta.y); }

    constexpr void OffsetBy(float dx, float dy)
    {
        left += dx;
        top += dy;
        right += dx;
        bottom += dy;
    }

    constexpr void OffsetBy(BPoint delta) { OffsetBy(delta.x, delta.y); }

    constexpr void OffsetTo(float x, float y) { OffsetBy(x - left, y - top); }
    constexpr void OffsetTo(BPoint where) { OffsetTo(where.x, where.y); }

    constexpr BRect InsetByCopy(float dx, float dy) const
    {
        BRect copy = *this;
        copy.InsetBy(dx, dy);
        return copy;
    }

    constexpr BRect OffsetByCopy(float dx, float dy) const
    {
        BRect copy = *this;
        copy.OffsetBy(dx, dy);
        return copy;
    }

    constexpr BRect OffsetToCopy(float x, float y) const
    {
        BRect copy = *this;
        copy.OffsetTo(x, y);
        return copy;
    }

    constexpr bool Intersects(const BRect& other) const
    {
        return IsValid() && other.IsValid() && left <= other.right && other.left <= right &&
               top <= other.bottom && other.top <= bottom;
    }

    constexpr bool Contains(BPoint point) const
    {
        return point.x >= left && point.x <= right && point.y >= top && point.y <= bottom;
    }

    constexpr bool Contains(const BRect& other) const
    {
        return IsValid() && other.IsValid() && other.left >= left && other.right <= right &&
               other.top >= top && other.bottom <= bottom;
    }

    // Intersection; invalid when the rectangles do not meet.
    constexpr BRect operator&(const BRect& other) const
    {
        return {std::max(left, other.left), std::max(top, other.top), std::min(right, other.right),
                std::min(bottom, other.bottom)};
    }

    // Smallest rectangle holding both.
    constexpr BRect operator|(const BRect& other) const
    {
        return {std::min(left, other.left), std::min(top, other.top), std::max(right, other.right),
                std::max(bottom, other.bottom)};
    }

    constexpr bool operator==(const BRect& other) const = default;
};
