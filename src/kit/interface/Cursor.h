// Mouse cursors: the window system's own shapes by id, and 16 x 16 one-bit
// pictures with a hot spot in the platform's cursor data format:
//
//   byte 0      16 (the size)
//   byte 1      1 (bits per pixel)
//   byte 2, 3   hot spot row, hot spot column
//   4 .. 35     colour bits: 16 rows of two bytes, leftmost pixel in the
//               high bit; a set bit is black, a clear one white
//   36 .. 67    mask bits, laid out the same; a clear bit is transparent
//
// A BCursor is a small value: copies are independent and may be handed to
// other threads. Show one with BApplication::SetCursor() (everywhere) or
// BView::SetViewCursor() (while the pointer is over that view).
#pragma once

#include <array>

#include "kit/app/GraphicsDefs.h"
#include "kit/app/SupportDefs.h"

enum BCursorID : int32
{
    B_CURSOR_ID_CUSTOM = 0,
    B_CURSOR_ID_SYSTEM_DEFAULT = 1,
    B_CURSOR_ID_I_BEAM = 2,
    B_CURSOR_ID_CROSS_HAIR = 3,
    B_CURSOR_ID_FOLLOW_LINK = 4,
    B_CURSOR_ID_GRAB = 5,
    B_CURSOR_ID_GRABBING = 6,
    B_CURSOR_ID_MOVE = 7,
    B_CURSOR_ID_NOT_ALLOWED = 8,
    B_CURSOR_ID_PROGRESS = 9,
    B_CURSOR_ID_RESIZE_EAST_WEST = 10,
    B_CURSOR_ID_RESIZE_NORTH_SOUTH = 11,
    B_CURSOR_ID_NO_CURSOR = 12,
};

class BCursor
{
public:
    static constexpr int32 kDataSize = 68;
    static constexpr int32 kSize = 16;

    // Data that is not a 16 x 16 one-bit cursor gives the system default
    // cursor, and InitCheck() says B_BAD_VALUE.
    explicit BCursor(const void* cursorData);
    constexpr explicit BCursor(BCursorID id)
        : fID(id == B_CURSOR_ID_CUSTOM ? B_CURSOR_ID_SYSTEM_DEFAULT : id),
          fStatus(id == B_CURSOR_ID_CUSTOM ? B_BAD_VALUE : B_OK)
    {
    }

    status_t InitCheck() const { return fStatus; }
    BCursorID ID() const { return fID; }
    bool IsCustom() const { return fID == B_CURSOR_ID_CUSTOM; }

    // For custom cursors; (0, 0) and empty bits otherwise.
    BPoint HotSpot() const { return BPoint(fHotX, fHotY); }
    int32 HotSpotX() const { return fHotX; }
    int32 HotSpotY() const { return fHotY; }
    const std::array<uint8, 32>& ColorBits() const { return fColor; }
    const std::array<uint8, 32>& MaskBits() const { return fMask; }
    // One pixel of a custom cursor: black, white or transparent.
    bool IsOpaque(int32 x, int32 y) const;
    bool IsBlack(int32 x, int32 y) const;

    bool operator==(const BCursor& other) const = default;

private:
    BCursorID fID = B_CURSOR_ID_SYSTEM_DEFAULT;
    status_t fStatus = B_OK;
    int32 fHotX = 0;
    int32 fHotY = 0;
    std::array<uint8, 32> fColor{};
    std::array<uint8, 32> fMask{};
};

extern const BCursor* B_CURSOR_SYSTEM_DEFAULT;
extern const BCursor* B_CURSOR_I_BEAM;
