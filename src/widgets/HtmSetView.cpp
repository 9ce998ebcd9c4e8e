#include "widgets/HtmSetView.h"

#include <cstdio>

#include "app/STLabel.h"
#include "app/Settings.h"
#include "calendar/TimeValue.h"
#include "kit/app/Beep.h"
#include "kit/app/Message.h"
#include "kit/interface/Button.h"
#include "kit/interface/CheckBox.h"
#include "kit/interface/StringView.h"
#include "widgets/HtmForm.h"
#include "widgets/clView.h"

namespace {

constexpr uint32 kColumnBase = 'H_00';
constexpr float kMargin = 10;
constexpr float kLabelWidth = 72;
constexpr float kLabelStep = 76;

// 'H_00' + n is column n; the codes count up in their last byte.
uint32 column_code(char column)
{
    return kColumnBase + uint32(column - '0');
}

bool is_column_code(uint32 what)
{
    return what >= kColumnBase && what <= kColumnBase + 7;
}

} // namespace

HtmSetView::HtmSetView(BRect frame, uint32 resizingMode) : BBox(frame, "htmset", resizingMode)
{
    SetLabel("HTML-Settings");
    const float width = Bounds().Width() + 1;

    for (size_t i = 0; i < kColumns.size(); i++) {
        char column = kColumns[i];
        float row = i < 4 ? 22 : 42;
        float left = kMargin + kLabelStep * float(i < 4 ? i : i - 4);
        fLabels[i] =
            new clView(BRect(left, row, left + kLabelWidth - 1, row + 16), _NameOf(column).c_str(),
                       new BMessage(column_code(column)), clView::kPost);
        AddChild(fLabels[i]);
    }
    fOpenJobs = new BCheckBox(BRect(kMargin, 64, 155, 82), "09",
                              STLabel::getLabel(htmtxt, 0).c_str(), new BMessage(kOpenJobs));
    fSnapshot = new BCheckBox(BRect(162, 64, width - kMargin, 82), "10",
                              STLabel::getLabel(htmtxt, 6).c_str(), new BMessage(kSnapshot));
    AddChild(fOpenJobs);
    AddChild(fSnapshot);
    fPreview = new BStringView(BRect(kMargin, 88, width - kMargin, 104), "xd", "");
    AddChild(fPreview);

    const uint32 codes[] = {kDefault, kNew, kCancel, kOpenHtml};
    const char* const names[] = {"hdefault", "hnew", "hcancel", "hopen"};
    const float step = (width - 2 * kMargin + 6) / 4;
    for (size_t i = 0; i < fButtons.size(); i++) {
        float left = kMargin + step * float(i);
        fButtons[i] =
            new BButton(BRect(left, 116, left + step - 7, 140), names[i],
                        STLabel::getLabel(htmtxt, int32(i) + 1).c_str(), new BMessage(codes[i]));
        AddChild(fButtons[i]);
    }

    fForm = HtmCardForm(htm_form.Get());
    SetButStat(false);
    SetPreText();
}

HtmSetView::~HtmSetView() = default;

void HtmSetView::AttachedToWindow()
{
    BBox::AttachedToWindow();
    // The card's own commands come here; "Cancel" and "Open HTML" go to the
    // card window.
    for (clView* label : fLabels)
        label->SetTarget(this);
    fOpenJobs->SetTarget(this);
    fSnapshot->SetTarget(this);
    fButtons[0]->SetTarget(this);
    fButtons[1]->SetTarget(this);
}

clView* HtmSetView::ColumnLabel(char column) const
{
    for (size_t i = 0; i < kColumns.size(); i++) {
        if (kColumns[i] == column)
            return fLabels[i];
    }
    return nullptr;
}

std::string HtmSetView::_NameOf(char c) const
{
    switch (c) {
    case '0':
    case '1':
    case '2':
    case '3':
    case '4':
    case '7':
        return STLabel::getLabel(o_labs, c - '0');
    case '5': {
        STLabel* labels = STLabel::Existing();
        return labels != nullptr ? labels->StatusHeading() : "Status ";
    }
    case 'o':
        return STLabel::getLabel(htmtxt, 0);
    case 'i':
        return "img";
    default:
        return "";
    }
}

// MARK: Commands

void HtmSetView::MessageReceived(BMessage* message)
{
    const uint32 what = message->what;
    if (is_column_code(what)) {
        if (!HtmClickColumn(fForm, fPlace, char('0' + (what - kColumnBase))))
            beep();
    } else if (what == kDefault) {
        _Reset(kHtmFormDefault, kHtmFormDefaultPlace);
    } else if (what == kNew) {
        _Reset(kHtmFormNew, 0);
    } else if (what != kOpenJobs && what != kSnapshot && what != 'TICK' && what != '_MWC' &&
               what != '_MCH' && what != '_UKD') {
        printf("HtmSetView ?? '%s'\n", long2asc(what).c_str());
        return BBox::MessageReceived(message);
    }
    SetPreview();
    SetHtmForm(fForm);
}

void HtmSetView::_Reset(const char* form, int32 place)
{
    fForm = form;
    fPlace = place;
    fOpenJobs->SetValue(B_CONTROL_OFF);
    fSnapshot->SetValue(B_CONTROL_OFF);
}

void HtmSetView::SetPreview()
{
    HtmSetFlags(fForm, fOpenJobs->Value() == B_CONTROL_ON, fSnapshot->Value() == B_CONTROL_ON);
    SetButStat(true);
    SetPreText();
}

void HtmSetView::SetButStat(bool redraw)
{
    for (size_t i = 0; i < kColumns.size(); i++)
        fLabels[i]->SetSpot(fForm.find(kColumns[i]) != std::string::npos, redraw);
    bool openJobs = fForm.find_first_of("op") != std::string::npos;
    bool snapshot = fForm.find('i') != std::string::npos;
    fOpenJobs->SetValue(openJobs ? B_CONTROL_ON : B_CONTROL_OFF);
    fSnapshot->SetValue(snapshot ? B_CONTROL_ON : B_CONTROL_OFF);
}

void HtmSetView::SetPreText()
{
    fPreview->SetText(HtmPreview(fForm, [this](char c) { return _NameOf(c); }).c_str());
}
