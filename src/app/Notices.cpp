#include "app/Notices.h"

#include <array>
#include <cstdio>

#include "kit/app/Application.h"
#include "kit/app/Looper.h"
#include "kit/app/Messenger.h"
#include "kit/app/OS.h"
#include "kit/interface/Alert.h"
#include "kit/interface/Cursor.h"
#include "kit/interface/View.h"

// MARK: Alerts, flashing, tool tips

void AnyAlert(const char* text)
{
    auto* alert = new BAlert("-----aA-----", text != nullptr ? text : "", "   OK   ", nullptr,
                             nullptr, B_WIDTH_AS_USUAL, B_WARNING_ALERT);
    // Callers may hold list locks: a blocking Go() could deadlock with a
    // window that waits for the same lock to draw.
    alert->Go(nullptr);
}

namespace {

constexpr bigtime_t kFlashStep = 32'000;

// The view's window, locked; null when the view has left it meanwhile.
BLooper* lock_view(const BMessenger& target)
{
    if (!target.LockTarget())
        return nullptr;
    BLooper* looper = nullptr;
    target.Target(&looper);
    if (!target.IsValid()) {
        looper->Unlock();
        return nullptr;
    }
    return looper;
}

} // namespace

void FlashView(BView* view, int32 count)
{
    if (view == nullptr || view->Window() == nullptr)
        return;
    // The messenger notices a view that leaves its window between steps.
    BMessenger target(view);
    for (int64 i = 0; i < int64(count) * 2; i++) {
        BLooper* looper = lock_view(target);
        if (looper == nullptr)
            return;
        view->InvertRect(view->Bounds());
        view->Flush();
        looper->Unlock();
        snooze(kFlashStep);
    }
    if (BLooper* looper = lock_view(target)) {
        view->Invalidate();
        looper->Unlock();
    }
}

void AddToolTip(BView* view, const char*)
{
    if (view == nullptr)
        printf("AddTT: bad view\n");
}

// MARK: Cursors

namespace {

// '#' is black; the mask adds a white rim around the black so the cursor
// shows on dark backgrounds too.
using CursorPicture = std::array<const char*, 16>;

// An arrow with a small bar, for picking an order.
constexpr CursorPicture kPickCursor = {
    "                ", //
    " #              ", //
    " ##             ", //
    " ###            ", //
    " ####           ", //
    " #####          ", //
    " ######         ", //
    " #######        ", //
    " ####           ", //
    " #  ##          ", //
    "     ##         ", //
    "      ##        ", //
    "          ##### ", //
    "          ##### ", //
    "                ", //
    "                ", //
};

// A double arrow along the time axis, for moving an order.
constexpr CursorPicture kMoveCursor = {
    "                ", //
    "                ", //
    "                ", //
    "                ", //
    "                ", //
    "                ", //
    "     #    #     ", //
    "    ##    ##    ", //
    "   ##########   ", //
    "  ############  ", //
    "   ##########   ", //
    "    ##    ##    ", //
    "     #    #     ", //
    "                ", //
    "                ", //
    "                ", //
};

bool is_black(const CursorPicture& picture, int row, int column)
{
    return row >= 0 && column >= 0 && row < BCursor::kSize && column < BCursor::kSize &&
           picture[row][column] == '#';
}

bool near_black(const CursorPicture& picture, int row, int column)
{
    for (int dy = -1; dy <= 1; dy++) {
        for (int dx = -1; dx <= 1; dx++) {
            if (is_black(picture, row + dy, column + dx))
                return true;
        }
    }
    return false;
}

std::array<uint8, BCursor::kDataSize> cursor_data(const CursorPicture& picture, uint8 hotRow,
                                                  uint8 hotColumn)
{
    constexpr int kColorBits = 4;
    constexpr int kMaskBits = kColorBits + 32;
    std::array<uint8, BCursor::kDataSize> data{};
    data[0] = BCursor::kSize;
    data[1] = 1;
    data[2] = hotRow;
    data[3] = hotColumn;
    for (int row = 0; row < BCursor::kSize; row++) {
        for (int column = 0; column < BCursor::kSize; column++) {
            uint8 bit = static_cast<uint8>(0x80 >> (column % 8));
            int byte = row * 2 + column / 8;
            if (is_black(picture, row, column))
                data[kColorBits + byte] |= bit;
            if (near_black(picture, row, column))
                data[kMaskBits + byte] |= bit;
        }
    }
    return data;
}

} // namespace

void SetCursorTo(int32 number)
{
    if (be_app == nullptr)
        return;
    switch (number) {
    case kCursorIBeam:
        be_app->SetCursor(B_CURSOR_I_BEAM);
        break;
    case kCursorBusy:
        be_app->SetCursor(cursor_data(kPickCursor, 1, 1).data());
        break;
    case kCursorMove:
        be_app->SetCursor(cursor_data(kMoveCursor, 9, 2).data());
        break;
    default:
        // The platform's hand is its default cursor.
        be_app->SetCursor(B_CURSOR_SYSTEM_DEFAULT);
        break;
    }
}
