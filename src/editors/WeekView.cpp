#include "editors/WeekView.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "app/AppPost.h"
#include "app/STLabel.h"
#include "app/Settings.h"
#include "kit/app/Message.h"
#include "kit/interface/StateGuard.h"
#include "kit/interface/Window.h"

namespace {

constexpr int32 kDays = 7;
constexpr int32 kHours = 24;
const rgb_color kInk = {10, 10, 10, 255};
const rgb_color kSelected = {250, 120, 120, 255};
const rgb_color kIdGrey = {100, 100, 100, 255};
constexpr float kMinFontSize = 8;

} // namespace

WeekView::WeekView(BRect frame, const char* name)
    : BView(frame, name, B_FOLLOW_LEFT | B_FOLLOW_TOP, B_WILL_DRAW)
{
    SetViewColor(AskColor(uc_OPE));
}

float WeekView::ColumnWidth() const
{
    return (Bounds().Width() + 1) / kDays;
}

float WeekView::RowHeight() const
{
    return (Bounds().Height() + 1) / kHours;
}

int32 WeekView::ColumnAt(float x) const
{
    const float width = ColumnWidth();
    if (width <= 0)
        return 0;
    return std::clamp(int32(std::floor(x / width)), int32(0), kDays - 1);
}

void WeekView::SetWeek(const std::optional<wkoweek>& week)
{
    fWeek = week;
    Invalidate();
}

void WeekView::SetDay(int32 day)
{
    fDay = day >= 0 && day < kDays ? day : kNoDay;
    Invalidate();
}

void WeekView::SetShownID(int32 id)
{
    fShownID = id;
    Invalidate();
}

void WeekView::Draw(BRect)
{
    BStateGuard state(this);
    const BRect bounds = Bounds();
    const rgb_color back = AskColor(uc_OPE);
    const rgb_color lines = tint_color(back, 1.3f);
    SetDrawingMode(B_OP_COPY);
    SetHighColor(back);
    FillRect(bounds);
    SetHighColor(lines);
    for (int32 hour = 1; hour < kHours; hour++) {
        const float y = std::floor(hour * RowHeight());
        StrokeLine(BPoint(bounds.left, y), BPoint(bounds.right, y));
    }
    if (fWeek) {
        for (int32 i = 0; i < kDays; i++)
            _DrawDay(i, fWeek->day[i], AskColor(uc_PBo));
    }
    _DrawLabels(lines);
    if (fDay != kNoDay) {
        SetDrawingMode(B_OP_BLEND);
        SetHighColor(kSelected);
        const float left = std::floor(fDay * ColumnWidth());
        const float right = std::floor((fDay + 1) * ColumnWidth()) - 1;
        FillRect(BRect(left, bounds.top, right, bounds.bottom));
        SetDrawingMode(B_OP_COPY);
    }
    if (fShownID != 0) {
        SetDrawingMode(B_OP_OVER);
        SetHighColor(kIdGrey);
        SetFontSize(20);
        DrawString(std::to_string(fShownID).c_str(), BPoint(30, 30));
    }
}

void WeekView::_DrawDay(int32 index, const daymark& day, rgb_color fill)
{
    const float top = std::floor(TInt2float(day.begin) * RowHeight());
    const float bottom = std::floor(TInt2float(day.end) * RowHeight()) - 1;
    if (bottom < top)
        return;
    const float left = std::floor(index * ColumnWidth()) + 1;
    const float right = std::floor((index + 1) * ColumnWidth()) - 1;
    const BRect rect(left, top, right, bottom);
    SetHighColor(fill);
    FillRect(rect);
    if (day.worktime <= 0)
        return;
    SetHighColor(tint_color(fill, B_LIGHTEN_1_TINT));
    StrokeLine(rect.LeftBottom(), rect.LeftTop());
    StrokeLine(rect.LeftTop(), rect.RightTop());
    SetHighColor(tint_color(fill, B_DARKEN_3_TINT));
    StrokeLine(rect.RightTop(), rect.RightBottom());
    StrokeLine(rect.RightBottom(), rect.LeftBottom());
}

void WeekView::_DrawLabels(rgb_color lines)
{
    const BRect bounds = Bounds();
    SetHighColor(lines);
    for (int32 i = 1; i < kDays; i++) {
        const float x = std::floor(i * ColumnWidth());
        StrokeLine(BPoint(x, bounds.top), BPoint(x, bounds.bottom));
    }
    // A graph as short as the editor's would give the names 4 points.
    SetFontSize(std::max(kMinFontSize, std::min(0.4f * ColumnWidth(), 0.7f * RowHeight())));
    SetDrawingMode(B_OP_OVER);
    SetHighColor(kInk);
    for (int32 i = 0; i < kDays; i++) {
        const std::string name = STLabel::getLabel(wdaysn, i);
        DrawString(name.c_str(), BPoint(std::floor(i * ColumnWidth()) + 3, bounds.bottom - 3));
    }
    SetDrawingMode(B_OP_COPY);
}

void WeekView::MouseDown(BPoint where)
{
    if (!fEnabled || Window() == nullptr)
        return;
    int32 buttons = B_PRIMARY_MOUSE_BUTTON;
    if (const BMessage* current = Window()->CurrentMessage())
        current->FindInt32("buttons", &buttons);
    if ((buttons & B_SECONDARY_MOUSE_BUTTON) != 0) {
        SetDay(kNoDay);
        _Post('DAYT', kNoDay);
        Window()->PostMessage('SAWx');
        return;
    }
    SetDay(ColumnAt(where.x));
    _Post('DAYT', fDay);
}

void WeekView::_Post(uint32 what, int32 day)
{
    // Through the application, so the choice comes after a day editor's
    // value that is on its way there.
    BMessage message(what);
    message.AddInt32("daytime", day);
    PostToApp(message);
}
