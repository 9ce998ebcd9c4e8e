#include "kit/interface/MenuField.h"

#include <cmath>

#include "kit/interface/Menu.h"
#include "kit/interface/MenuItem.h"
#include "kit/interface/MenuTracking.h"
#include "kit/interface/Window.h"

using BPrivate::MenuTracking;

BMenuField::BMenuField(BRect frame, const char* name, const char* label, BMenu* menu,
                       uint32 resizingMode, uint32 flags)
    : BView(frame, name, resizingMode, flags), fMenu(menu), fLabel(label != nullptr ? label : "")
{
    SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));
    SetFontSize(12);
    fDivider = fLabel.empty() ? 0 : std::ceil(StringWidth(fLabel.c_str())) + 8;
}

BMenuField::~BMenuField()
{
    delete fMenu;
}

void BMenuField::SetLabel(const char* label)
{
    fLabel = label != nullptr ? label : "";
    Invalidate();
}

void BMenuField::SetDivider(float divider)
{
    fDivider = std::round(divider);
    Invalidate();
}

void BMenuField::SetEnabled(bool enabled)
{
    if (fEnabled == enabled)
        return;
    fEnabled = enabled;
    if (fMenu != nullptr)
        fMenu->SetEnabled(enabled);
    Invalidate();
}

std::string BMenuField::FieldText() const
{
    if (fMenu == nullptr)
        return "";
    BMenuItem* marked = fMenu->IsLabelFromMarked() ? fMenu->FindMarked() : nullptr;
    return marked != nullptr ? marked->LabelText() : std::string(fMenu->Name());
}

void BMenuField::AttachedToWindow()
{
    BView::AttachedToWindow();
    if (fMenu != nullptr)
        fMenu->_SetDefaultTarget(BMessenger(Window()));
}

BRect BMenuField::_FieldFrame() const
{
    BRect bounds = Bounds();
    return BRect(bounds.left + fDivider, bounds.top, bounds.right, bounds.bottom);
}

void BMenuField::Draw(BRect)
{
    rgb_color background = ViewColor();
    rgb_color text =
        fEnabled ? ui_color(B_PANEL_TEXT_COLOR) : tint_color(background, B_DISABLED_LABEL_TINT);
    font_height metrics;
    GetFontHeight(&metrics);
    float baseline = std::floor((Bounds().Height() + metrics.ascent - metrics.descent) / 2) + 1;

    SetLowColor(background);
    SetHighColor(text);
    if (!fLabel.empty())
        DrawString(fLabel.c_str(), BPoint(0, baseline));

    BRect field = _FieldFrame();
    SetHighColor(ui_color(B_MENU_BACKGROUND_COLOR));
    FillRect(field.InsetByCopy(1, 1));
    SetHighColor(tint_color(background, B_DARKEN_3_TINT));
    StrokeRect(field);
    SetHighColor(text);
    DrawString(FieldText().c_str(), BPoint(field.left + 6, baseline));
    float middle = std::floor((field.top + field.bottom) / 2);
    float x = field.right - 12;
    FillTriangle(BPoint(x, middle - 2), BPoint(x + 6, middle - 2), BPoint(x + 3, middle + 2));
}

void BMenuField::MouseDown(BPoint where)
{
    if (_FieldFrame().Contains(where))
        _Open(false);
}

void BMenuField::KeyDown(const char* bytes, int32 numBytes)
{
    if (bytes[0] == B_SPACE || bytes[0] == B_DOWN_ARROW || bytes[0] == B_ENTER)
        return _Open(true);
    BView::KeyDown(bytes, numBytes);
}

void BMenuField::_Open(bool selectFirst)
{
    if (!fEnabled || fMenu == nullptr)
        return;
    if (MenuTracking::Default().IsOpen(fMenu)) {
        MenuTracking::Default().Cancel();
        return;
    }
    BRect field = _FieldFrame();
    BPrivate::MenuOpening opening;
    opening.root = fMenu;
    opening.where = ConvertToScreen(BPoint(field.left, field.bottom + 1));
    opening.selectFirst = selectFirst;
    opening.ownerWindow = Window();
    opening.ownerArea = ConvertToScreen(field);
    opening.ownerArea.OffsetBy(-Window()->Frame().left, -Window()->Frame().top);
    opening.owner = BMessenger(this, Window());
    MenuTracking::Default().Open(opening);
}

void BMenuField::MessageReceived(BMessage* message)
{
    if (message->what == BPrivate::_MENU_ENDED_)
        return Invalidate();
    BView::MessageReceived(message);
}
