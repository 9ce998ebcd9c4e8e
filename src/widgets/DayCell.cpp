#include "widgets/DayCell.h"

#include <cmath>

#include "app/Bevels.h"
#include "app/Notices.h"
#include "app/Settings.h"
#include "kit/app/OS.h"
#include "kit/interface/Font.h"
#include "kit/interface/StateGuard.h"
#include "kit/interface/Window.h"

namespace {

constexpr rgb_color kTextColor = {10, 10, 10, 255};
// The flash of OK and Cancel stays visible before the card goes.
constexpr bigtime_t kFlashPause = 150'000;

} // namespace

DayCell::DayCell(BRect frame, const char* name, const char* text, BMessage* message, int32 mode)
    : BControl(frame, name, "", message, B_FOLLOW_LEFT | B_FOLLOW_TOP, B_WILL_DRAW),
      fText(text != nullptr ? text : ""), fMode(mode)
{
    SetViewColor(ui_color(B_MENU_BACKGROUND_COLOR));
    BFont font(be_plain_font);
    font.SetSize(10);
    SetFont(&font);
}

DayCell::~DayCell() = default;

void DayCell::Draw(BRect)
{
    BStateGuard guard(this);
    const rgb_color menu = ui_color(B_MENU_BACKGROUND_COLOR);
    rgb_color fill = fMode == 0 ? menu : ViewColor();
    // "CL Mouseover" as the label buttons set it before they draw, whatever
    // the colour file held.
    if (fLit)
        fill = MenuShadeColor();
    SetHighColor(fill);
    FillRect(Bounds());
    if (fMode != 2)
        BorderAsBut(this, nullptr, nullptr, B_OP_COPY);

    const BRect bounds = Bounds();
    const float width = StringWidth(fPrefix.c_str()) + StringWidth(fText.c_str());
    const float x = std::floor(bounds.Width() / 2 - width / 2 + 1);
    const float baseline = std::ceil(0.74f * bounds.Height());
    SetHighColor(kTextColor);
    SetDrawingMode(B_OP_OVER);
    DrawString(fPrefix.c_str(), BPoint(x, baseline));
    DrawString(fText.c_str());
}

void DayCell::MouseDown(BPoint)
{
    if (!IsEnabled() || fMode == 2 || Window() == nullptr)
        return;
    if (fMode == 0) {
        FlashView(this, 1);
        snooze(kFlashPause);
    }
    Invoke();
}

// The press acts at once; there is nothing to track.
void DayCell::MouseUp(BPoint) {}

void DayCell::MouseMoved(BPoint, uint32, const BMessage*) {}

// Keys go on to the window: the cards report them.
void DayCell::KeyDown(const char* bytes, int32 numBytes)
{
    BView::KeyDown(bytes, numBytes);
}

void DayCell::SetText(const char* text, bool redraw)
{
    fText = text != nullptr ? text : "";
    if (redraw)
        Invalidate();
}

void DayCell::SetPrevText(const char* text, bool redraw)
{
    fPrefix = text != nullptr ? text : "";
    if (redraw)
        Invalidate();
}

void DayCell::SetSpot(bool lit, bool redraw)
{
    fLit = lit;
    if (redraw)
        Invalidate();
}

void DayCell::SetModus(int32 mode, bool redraw)
{
    fMode = mode;
    if (redraw)
        Invalidate();
}
