#include "widgets/TIOView.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "app/AppPost.h"
#include "app/Bevels.h"
#include "app/Settings.h"
#include "calendar/TimeValue.h"
#include "kit/app/Message.h"
#include "kit/interface/StateGuard.h"
#include "kit/interface/TextControl.h"
#include "kit/interface/Window.h"

namespace {

constexpr float kFontSize = 10;
constexpr uint32 kTake = 'IOVM';
constexpr uint32 kTyped = 'IOVP';
constexpr size_t kKeyBytesMax = 5;
const rgb_color kInk = {10, 10, 10, 255};

BRect closed_height(BRect frame)
{
    frame.bottom = frame.top + TIOView::kHeight - 1;
    return frame;
}

} // namespace

TIOView::TIOView(BRect frame, const char* name, const char* prefix, const char* value,
                 BMessage* message, uint32 resizingMode)
    : BView(closed_height(frame), name, resizingMode, B_WILL_DRAW),
      fPrefix(prefix != nullptr ? prefix : ""), fMessage(message)
{
    PokeColor(uc_MOC, MenuShadeColor());
    SetViewColor(AskColor(uc_MOC));
    BFont font(be_plain_font);
    font.SetSize(kFontSize);
    SetFont(&font);
    fValue = value != nullptr ? value : "";
    fShown = fPrefix + " " + fValue;
}

TIOView::~TIOView() = default;

void TIOView::Draw(BRect)
{
    BStateGuard state(this);
    BRect bounds = Bounds();
    rgb_color face = fHovered || IsEditing() ? ViewColor() : ui_color(B_MENU_BACKGROUND_COLOR);
    SetDrawingMode(B_OP_COPY);
    SetHighColor(face);
    SetLowColor(face);
    FillRect(bounds);
    SetHighColor(kInk);
    if (IsEditing()) {
        float middle = std::floor(bounds.Height() / 2);
        FillTriangle(BPoint(1, middle - 3), BPoint(4, middle), BPoint(1, middle + 3));
    }
    SetDrawingMode(B_OP_OVER);
    DrawString(fShown.c_str(), BPoint(6, std::ceil(0.8f * (bounds.Height() + 1))));
    BorderMe(this, nullptr, nullptr, B_OP_COPY);
}

// MARK: The inline field

void TIOView::AddBTC()
{
    if (fField != nullptr) {
        printf("AddBTC BTextControl schon vorhanden\n");
        return;
    }
    ResizeTo(Bounds().Width(), kEditHeight - 1);
    BRect bounds = Bounds();
    fField = new BTextControl(BRect(6, 0, bounds.right, bounds.bottom), "TIOnam", "",
                              fValue.c_str(), new BMessage(kTake));
    fField->SetDivider(0);
    fField->SetModificationMessage(new BMessage(kTyped));
    AddChild(fField);
    fField->SetTarget(this);
    fField->MakeFocus(true);
    fField->SelectAll();
    Invalidate();
}

void TIOView::DecBTC()
{
    if (fField == nullptr)
        return;
    BTextControl* field = fField;
    // Cleared first: leaving the field may send its message, which then
    // finds nothing open.
    fField = nullptr;
    field->RemoveSelf();
    delete field;
    ResizeTo(Bounds().Width(), kHeight - 1);
    Invalidate();
}

void TIOView::GetTextCont(BMessage* message)
{
    if (fField == nullptr)
        return;
    SetText(fField->Text());
    if (message != nullptr && message->what == kTake)
        DecBTC();
}

void TIOView::SetText(const char* value)
{
    fValue = value != nullptr ? value : "";
    fShown = fPrefix + " " + fValue;
    Invalidate();
}

void TIOView::_Commit()
{
    DecBTC();
    MakeFocus(false);
    Invalidate();
    if (fMessage == nullptr)
        return;
    BMessage message(*fMessage);
    message.AddString("text", fValue);
    PostToApp(message);
}

// MARK: Input

void TIOView::MouseDown(BPoint)
{
    MouseClick();
}

void TIOView::MouseClick()
{
    int32 buttons = B_PRIMARY_MOUSE_BUTTON;
    if (Window() != nullptr && Window()->CurrentMessage() != nullptr)
        Window()->CurrentMessage()->FindInt32("buttons", &buttons);
    if ((buttons & B_SECONDARY_MOUSE_BUTTON) != 0) {
        if (fField != nullptr)
            SetText(fField->Text());
        _Commit();
    } else if (fField == nullptr) {
        AddBTC();
    } else {
        DecBTC();
        MakeFocus(false);
    }
}

void TIOView::MouseMoved(BPoint, uint32 transit, const BMessage*)
{
    bool inside = transit == B_ENTERED_VIEW || transit == B_INSIDE_VIEW;
    if (inside == fHovered)
        return;
    fHovered = inside;
    Invalidate();
}

void TIOView::KeyDown(const char* bytes, int32 numBytes)
{
    size_t length = std::min(size_t(numBytes), kKeyBytesMax);
    if (IsEditing() && length == 1 && (bytes[0] == '\n' || bytes[0] == '\r')) {
        SetText(fField->Text());
        _Commit();
        return;
    }
    BView::KeyDown(bytes, numBytes);
}

void TIOView::MessageReceived(BMessage* message)
{
    switch (message->what) {
    case kTake:
        // Return in the field, or leaving it after a change.
        if (fField == nullptr)
            return;
        SetText(fField->Text());
        return _Commit();
    case kTyped:
        return GetTextCont(message);
    case B_KEY_DOWN:
    case B_KEY_UP:
        // Keys the open field did not use, on their way to the window.
        return BView::MessageReceived(message);
    default:
        printf("TIOView?? '%s'\n", long2asc(message->what).c_str());
        BView::MessageReceived(message);
    }
}
