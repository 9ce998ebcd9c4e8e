#include "widgets/XButton.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "app/AppPost.h"
#include "app/Bevels.h"
#include "app/FunctionKeys.h"
#include "app/Icons.h"
#include "app/Notices.h"
#include "app/STLabel.h"
#include "app/Settings.h"
#include "calendar/TimeValue.h"
#include "kit/app/Message.h"
#include "kit/app/OS.h"
#include "kit/interface/Bitmap.h"
#include "kit/interface/StateGuard.h"
#include "kit/interface/Window.h"

namespace {

constexpr float kFontSize = 10;
constexpr bigtime_t kFlashStep = 100'000;
constexpr int32 kPrintIcon = 2;
const rgb_color kInk = {10, 10, 10, 255};
const rgb_color kHoverFrame = {100, 100, 100, 255};

BRect normal_height(BRect frame)
{
    frame.bottom = frame.top + XButton::kHeight - 1;
    return frame;
}

std::unique_ptr<BBitmap> half_alpha(const BBitmap& icon)
{
    auto grey = std::make_unique<BBitmap>(icon.Bounds(), B_RGBA32);
    if (!grey->IsValid())
        return nullptr;
    std::memcpy(grey->Bits(), icon.Bits(), size_t(icon.BitsLength()));
    auto* bytes = static_cast<uint8*>(grey->Bits());
    for (int32 i = 3; i < grey->BitsLength(); i += 4)
        bytes[i] = uint8(bytes[i] / 2);
    return grey;
}

} // namespace

XButton::XButton(BRect frame, const char* name, const char* label, BMessage* message,
                 uint32 resizingMode)
    : BView(normal_height(frame), name, resizingMode, B_WILL_DRAW), fMessage(message),
      fText(label != nullptr ? label : "")
{
    // Over the calendar's background picture the buttons let it show.
    STLabel* labels = STLabel::Existing();
    fTransparent = labels != nullptr && labels->BackgroundImageLoaded();
    SetViewColor(fTransparent ? B_TRANSPARENT_COLOR : fBackground);
    SetLowColor(fBackground);
    BFont font(be_plain_font);
    font.SetSize(kFontSize);
    SetFont(&font);
}

XButton::~XButton() = default;

// MARK: Settings

void XButton::SetBitmap(int32 index)
{
    const char* name = IconName(index);
    // The row of buttons is 21 pixels high: the small picture fits it.
    int32 size = Bounds().Height() + 1 >= 36 ? 32 : 16;
    fIcon = name != nullptr ? LoadIcon(name, size) : nullptr;
    fGreyIcon = fIcon != nullptr ? half_alpha(*fIcon) : nullptr;
    if (index == kPrintIcon)
        AddToolTip(this, "Print the View");
    Invalidate();
}

void XButton::SetEnabled(bool enabled)
{
    if (enabled == fEnabled)
        return;
    fEnabled = enabled;
    if (!enabled)
        SetImgPos(false);
    Invalidate();
}

void XButton::SetImgPos(bool hovered)
{
    if (hovered == fHovered)
        return;
    fHovered = hovered;
    fImageOffset = hovered ? 0 : 2;
    Invalidate();
}

void XButton::SetText(const char* text)
{
    fText = text != nullptr ? text : "";
    Invalidate();
}

// MARK: Drawing

void XButton::Draw(BRect)
{
    BStateGuard state(this);
    if (fIcon != nullptr)
        _DrawIcon();
    else
        _DrawText();
}

void XButton::_DrawText()
{
    BRect bounds = Bounds();
    if (!fTransparent) {
        SetDrawingMode(B_OP_COPY);
        SetHighColor(fBackground);
        FillRect(bounds);
    }
    BorderMe(this, nullptr, nullptr, B_OP_COPY);
    SetDrawingMode(fEnabled ? B_OP_OVER : B_OP_BLEND);
    SetHighColor(kInk);
    float width = StringWidth(fText.c_str());
    float x = std::floor((bounds.Width() + 1 - width) / 2);
    float baseline = std::ceil(0.76f * (bounds.Height() + 1));
    DrawString(fText.c_str(), BPoint(x, baseline));
    if (fHovered) {
        SetDrawingMode(B_OP_COPY);
        SetHighColor(kHoverFrame);
        StrokeRoundRect(bounds.InsetByCopy(1, 1), 1.5, 1.5);
    }
}

void XButton::_DrawIcon()
{
    BRect bounds = Bounds();
    if (!fTransparent) {
        SetDrawingMode(B_OP_COPY);
        SetHighColor(fBackground);
        FillRect(bounds);
    }
    BRect picture = fIcon->Bounds();
    float side = std::min(picture.Width() + 1, bounds.Height() + 1 - 4);
    float left = std::floor((bounds.Width() + 1 - side) / 2) + fImageOffset - 1;
    float top = std::floor((bounds.Height() + 1 - side) / 2) + fImageOffset - 1;
    BRect where(left, top, left + side - 1, top + side - 1);
    SetDrawingMode(B_OP_ALPHA);
    DrawBitmap(fEnabled ? fIcon.get() : fGreyIcon.get(), picture, where);
    if ((prefsdata.load() & VTa_BORD_BUTT) != 0)
        BorderMe(this, nullptr, nullptr, fHovered ? B_OP_SUBTRACT : B_OP_ALPHA);
}

// MARK: Input

void XButton::MouseDown(BPoint)
{
    MakeFocus(true);
    MouseClick();
}

void XButton::MouseClick()
{
    int32 buttons = 0;
    if (Window() != nullptr && Window()->CurrentMessage() != nullptr)
        Window()->CurrentMessage()->FindInt32("buttons", &buttons);
    if (buttons == 0 || !fEnabled)
        return;
    _Flash();
    if (fMessage != nullptr)
        PostToApp(*fMessage);
}

// On the window's thread, which holds the lock: the steps are flushed
// to the screen one by one.
void XButton::_Flash()
{
    for (int i = 0; i < 2; i++) {
        if (fIcon != nullptr) {
            fEnabled = false;
            Invalidate();
        } else {
            InvertRect(Bounds());
        }
        Flush();
        snooze(kFlashStep);
        if (fIcon != nullptr) {
            fEnabled = true;
            Invalidate();
        } else {
            InvertRect(Bounds());
        }
        Flush();
        snooze(kFlashStep);
    }
}

void XButton::MouseMoved(BPoint, uint32 transit, const BMessage*)
{
    if (transit == B_ENTERED_VIEW && fEnabled) {
        SetImgPos(true);
        MakeFocus(true);
    } else if (transit == B_EXITED_VIEW) {
        SetImgPos(false);
    }
}

void XButton::KeyDown(const char*, int32)
{
    KeyByOpen(0, Window() != nullptr ? Window()->CurrentMessage() : nullptr, 0);
}

void XButton::MessageReceived(BMessage* message)
{
    printf("XButton?? '%s'\n", long2asc(message->what).c_str());
    BView::MessageReceived(message);
}
