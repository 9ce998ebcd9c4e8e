#include "widgets/NameInView.h"

#include <cstdio>

#include "app/STLabel.h"
#include "calendar/Clock.h"
#include "data/STOrder.h"
#include "kit/interface/Button.h"
#include "kit/interface/StringView.h"
#include "kit/interface/TextControl.h"
#include "kit/interface/Window.h"

namespace {

constexpr rgb_color kCardColor = {216, 216, 216, 255};

int32 caption_entry(uint32 request)
{
    switch (request) {
    case 'WNA_':
        return 3;
    case 'ONA_':
        return 4;
    default:
        return 2;
    }
}

} // namespace

NameInView::NameInView(BRect frame, uint32 request)
    : BBox(frame, "namein", B_FOLLOW_ALL, B_WILL_DRAW | B_NAVIGABLE_JUMP, B_NO_BORDER)
{
    SetViewColor(kCardColor);
    const float right = Bounds().right - 8;
    AddChild(new BStringView(BRect(8, 4, right, 20), "caption",
                             STLabel::getLabel(templn, caption_entry(request)).c_str()));
    // No message of its own: leaving the field must not send OK. Enter
    // reaches OK as the window's default button.
    fField = new BTextControl(BRect(8, 24, right, 44), "name", nullptr, PresetName(request).c_str(),
                              nullptr);
    fField->SetDivider(0);
    AddChild(fField);
    const float middle = Bounds().Width() / 2;
    AddChild(new BButton(BRect(8, 54, middle - 4, 78), "cancel",
                         STLabel::getLabel(templn, 0).c_str(), new BMessage('N_CA')));
    AddChild(new BButton(BRect(middle + 4, 54, right, 78), "ok",
                         STLabel::getLabel(templn, 1).c_str(), new BMessage('N_OK')));
}

// The field can take the focus once its own parts are in the window.
void NameInView::AllAttached()
{
    BBox::AllAttached();
    if (auto* ok = dynamic_cast<BButton*>(FindView("ok")))
        Window()->SetDefaultButton(ok);
    fField->MakeFocus(true);
}

const char* NameInView::Text() const
{
    return fField->Text();
}

std::string NameInView::PresetName(uint32 request)
{
    const std::tm now = Clock::LocalNow();
    char text[64];
    switch (request) {
    case 'NNA_':
        snprintf(text, sizeof(text), "%s%02d", "Proj", now.tm_mday);
        return text;
    case 'SAS_':
        snprintf(text, sizeof(text), "%s%02d%02d", "Proj", now.tm_mon + 1, now.tm_mday);
        return text;
    case 'WNA_':
    case 'ONA_': {
        STOrder* orders = STOrder::Existing();
        if (orders == nullptr)
            return std::string();
        snprintf(text, sizeof(text), "_%d%02d%02d", now.tm_year + 1900, now.tm_mon + 1,
                 now.tm_mday);
        return orders->Name() + text;
    }
    default:
        return std::string();
    }
}
