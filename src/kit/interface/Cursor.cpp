#include "kit/interface/Cursor.h"

#include <cstring>

#include "kit/app/Application.h"
#include "kit/display/DisplayBackend.h"
#include "kit/interface/View.h"
#include "kit/interface/Window.h"

namespace {
constinit const BCursor sSystemDefault(B_CURSOR_ID_SYSTEM_DEFAULT);
constinit const BCursor sIBeam(B_CURSOR_ID_I_BEAM);
} // namespace

const BCursor* B_CURSOR_SYSTEM_DEFAULT = &sSystemDefault;
const BCursor* B_CURSOR_I_BEAM = &sIBeam;

BCursor::BCursor(const void* cursorData)
{
    const auto* data = static_cast<const uint8*>(cursorData);
    if (data == nullptr || data[0] != kSize || data[1] != 1 || data[2] >= kSize ||
        data[3] >= kSize) {
        fStatus = B_BAD_VALUE;
        return;
    }
    fID = B_CURSOR_ID_CUSTOM;
    fHotY = data[2];
    fHotX = data[3];
    std::memcpy(fColor.data(), data + 4, fColor.size());
    std::memcpy(fMask.data(), data + 4 + fColor.size(), fMask.size());
}

namespace {
bool bit_at(const std::array<uint8, 32>& bits, int32 x, int32 y)
{
    if (x < 0 || y < 0 || x >= BCursor::kSize || y >= BCursor::kSize)
        return false;
    return (bits[size_t(y) * 2 + size_t(x) / 8] & (0x80 >> (x % 8))) != 0;
}
} // namespace

bool BCursor::IsOpaque(int32 x, int32 y) const
{
    return IsCustom() && bit_at(fMask, x, y);
}

bool BCursor::IsBlack(int32 x, int32 y) const
{
    return IsOpaque(x, y) && bit_at(fColor, x, y);
}

// MARK: Cursors of the application, views and windows

// These live here rather than with their classes so that the app kit and
// the view code need not know about cursors or display backends.

void BApplication::SetCursor(const void* cursorData)
{
    BCursor cursor(cursorData);
    SetCursor(&cursor);
}

void BApplication::SetCursor(const BCursor* cursor, bool)
{
    DisplayBackend::Default()->SetAppCursor(cursor != nullptr ? *cursor : *B_CURSOR_SYSTEM_DEFAULT);
}

void BView::SetViewCursor(const BCursor* cursor, bool)
{
    fCursor = cursor != nullptr ? std::make_shared<const BCursor>(*cursor) : nullptr;
    if (fWindow != nullptr)
        fWindow->_UpdateCursor(true);
}

void BWindow::_UpdateCursor(bool force)
{
    // A view without a cursor of its own shows its parent's.
    const BCursor* cursor = nullptr;
    for (BView* view = fMouseOver; view != nullptr && cursor == nullptr; view = view->fParent)
        cursor = view->fCursor.get();
    if (cursor == fShownCursor && !force)
        return;
    fShownCursor = cursor;
    fBackend->SetWindowCursor(this, cursor);
}
