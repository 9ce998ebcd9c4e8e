#include "widgets/clView.h"

#include <cmath>
#include <cstdio>

#include "app/Bevels.h"
#include "app/Notices.h"
#include "app/Settings.h"
#include "calendar/TimeValue.h"
#include "kit/app/Message.h"
#include "kit/app/OS.h"
#include "kit/interface/StateGuard.h"
#include "kit/interface/Window.h"

namespace {

constexpr float kFontSize = 10;
constexpr bigtime_t kFlashPause = 150'000;
const rgb_color kInk = {10, 10, 10, 255};

} // namespace

clView::clView(BRect frame, const char* text, BMessage* message, int32 mode, const char* name,
               uint32 resizingMode)
    : BControl(frame, name, "", message, resizingMode, B_WILL_DRAW),
      fText(text != nullptr ? text : ""), fModus(mode)
{
    PokeColor(uc_MOC, MenuShadeColor());
    fViewCol = ui_color(B_MENU_BACKGROUND_COLOR);
    fLightCol = tint_color(fViewCol, B_LIGHTEN_1_TINT);
    fDarkCol = tint_color(fViewCol, B_DARKEN_3_TINT);
    SetViewColor(fViewCol);
    SetLowColor(fViewCol);
    BFont font(be_plain_font);
    font.SetSize(kFontSize);
    SetFont(&font);
}

clView::~clView() = default;

// MARK: Drawing

// Under the pointer a hover button takes the mouse-over colour; trouble
// overrides both.
rgb_color clView::_FaceColor() const
{
    if (fTrouble)
        return AskColor(uc_KNA);
    if (fModus == kFlash)
        return ui_color(B_MENU_BACKGROUND_COLOR);
    if (fModus == kHover && fHovered)
        return AskColor(uc_MOC);
    return fViewCol;
}

void clView::Draw(BRect)
{
    BStateGuard state(this);
    // The mouse-over slot follows the menu colour, whatever the colour
    // file holds.
    PokeColor(uc_MOC, MenuShadeColor());
    rgb_color face = _FaceColor();
    // The bevels derive their shades from the view colour.
    SetViewColor(face);
    rgb_color fill = fSpot ? AskColor(uc_MOC) : face;
    SetDrawingMode(B_OP_COPY);
    SetHighColor(fill);
    SetLowColor(fill);
    FillRect(Bounds());
    if (fModus != kLabel)
        BorderAsBut(this, nullptr, nullptr, B_OP_COPY);
    // The dots mark the lit one of a row of toggles.
    if (fDotted && fSpot)
        Dotter(this, &fDarkCol, &fDarkCol, B_OP_COPY);

    BRect bounds = Bounds();
    float width = bounds.Width() + 1;
    float height = bounds.Height() + 1;
    float textWidth = StringWidth(fPrevText.c_str()) + StringWidth(fText.c_str());
    float x = std::floor(width / 2 - textWidth / 2 + 1);
    float baseline = std::ceil(0.74f * height);
    SetDrawingMode(B_OP_OVER);
    SetHighColor(kInk);
    DrawString(fPrevText.c_str(), BPoint(x, baseline));
    DrawString(fText.c_str());
}

// MARK: Input

void clView::MouseDown(BPoint)
{
    switch (fModus) {
    case kFlash:
        FlashView(this, 1);
        snooze(kFlashPause);
        Invoke();
        break;
    case kHover:
    case kPost:
        Invoke();
        break;
    default:
        break;
    }
}

void clView::MouseMoved(BPoint, uint32 transit, const BMessage*)
{
    if (fModus != kHover)
        return;
    bool inside = transit == B_ENTERED_VIEW || transit == B_INSIDE_VIEW;
    if (inside == fHovered)
        return;
    fHovered = inside;
    Invalidate();
}

// The press already acted; the release has nothing to finish.
void clView::MouseUp(BPoint) {}

void clView::MessageReceived(BMessage* message)
{
    printf("clView? '%s'\n", long2asc(message->what).c_str());
    BControl::MessageReceived(message);
}

// MARK: Setters

void clView::_Redraw(bool redraw)
{
    if (redraw)
        Invalidate();
}

void clView::SetPrevText(const char* text, bool redraw)
{
    fPrevText = text != nullptr ? text : "";
    _Redraw(redraw);
}

void clView::SetText(const char* text, bool redraw)
{
    fText = text != nullptr ? text : "";
    _Redraw(redraw);
}

void clView::SetSpot(bool lit, bool redraw)
{
    fSpot = lit;
    _Redraw(redraw);
}

void clView::SetModus(int32 mode, bool redraw)
{
    fModus = mode;
    fHovered = false;
    _Redraw(redraw);
}

void clView::SetTrouble(bool trouble)
{
    if (trouble == fTrouble)
        return;
    fTrouble = trouble;
    Invalidate();
}

void clView::SetDotted(bool dotted, bool redraw)
{
    fDotted = dotted;
    _Redraw(redraw);
}
