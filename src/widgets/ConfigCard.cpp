#include "widgets/ConfigCard.h"

#include <cstdio>
#include <string>

#include "app/AppPost.h"
#include "app/NameCheck.h"
#include "app/Notices.h"
#include "calendar/TimeValue.h"
#include "kit/app/Messenger.h"
#include "kit/interface/Box.h"
#include "widgets/CalCard.h"
#include "widgets/DayCell.h"
#include "widgets/FeiertagView.h"
#include "widgets/HtmSetView.h"
#include "widgets/IdaysView.h"
#include "widgets/NameInView.h"
#include "widgets/PrefsView.h"
#include "widgets/SingleCard.h"
#include "widgets/UdaysView.h"

std::atomic<ConfigCard*> ConfigCard::cc_Zgr{nullptr};
std::atomic<bool> ConfigCard::lbo_xxx{false};
std::mutex ConfigCard::sLock;

namespace {

// The date fields and the command each one's picked day comes back as.
struct DayField
{
    uint32 command;
    const char* field;
    uint32 reply;
};

constexpr DayField kDayFields[] = {
    {'XMDA', "dayfrom", 'Xone'}, {'XMDB', "dayto", 'Xtwo'}, {'ZMDA', "dayfrom", 'Zone'},
    {'ZMDB', "dayto", 'Ztwo'},   {'YMDA', "hdate", 'Yone'},
};

bool is_view_command(uint32 what)
{
    const char first = char(what >> 24);
    return first == 'X' || first == 'Y' || first == 'Z';
}

} // namespace

ConfigCard* ConfigCard::getConfigCard(BRect frame, const char*, const BMessage* message, int32 type,
                                      BRect size)
{
    std::lock_guard lock(sLock);
    if (ConfigCard* open = cc_Zgr.load())
        return open;
    auto* card = new ConfigCard(frame, message, type, size);
    cc_Zgr.store(card);
    card->Show();
    return card;
}

void ConfigCard::DeleteMe()
{
    CloseSingleCard(sLock, cc_Zgr);
}

ConfigCard::ConfigCard(BRect frame, const BMessage* message, int32 type, BRect size)
    : BWindow(BRect(frame.left, frame.top, frame.left + size.Width(), frame.top + size.Height()),
              "cfgc_Zgr", B_MODAL_WINDOW, B_NOT_RESIZABLE),
      fMessage(new BMessage(message != nullptr ? *message : BMessage())), fType(type)
{
    SetSizeLimits(size.Width(), size.Width(), size.Height(), size.Height());
    auto* background = new BView(Bounds(), "cview", B_FOLLOW_ALL, B_WILL_DRAW);
    background->SetViewColor(216, 216, 216);
    AddChild(background);
    fView = _MakeView(background->Bounds());
    background->AddChild(fView);
}

ConfigCard::~ConfigCard()
{
    std::lock_guard lock(sLock);
    ConfigCard* self = this;
    // A card closed by DeleteMe may go after the next one opened.
    if (cc_Zgr.compare_exchange_strong(self, nullptr) || self == nullptr)
        lbo_xxx = false;
}

BView* ConfigCard::_MakeView(BRect bounds)
{
    switch (fType) {
    case kOffDays:
        return new UdaysView(bounds);
    case kIllnessDays:
        return new IdaysView(bounds);
    case kHolidays:
        return new FeiertagView(bounds);
    case kName:
        return new NameInView(bounds, fMessage->what);
    case kPreferences:
        return new PrefsView(bounds);
    case kReportSettings:
        return new HtmSetView(bounds);
    default:
        printf("ConfigCard: no view for card type %ld\n", long(fType));
        return new BBox(bounds, "empty");
    }
}

bool ConfigCard::QuitRequested()
{
    return true;
}

void ConfigCard::MessageReceived(BMessage* message)
{
    const uint32 what = message->what;
    if (_PickDay(what))
        return;
    switch (what) {
    case '__OK':
        return _Ok();
    case 'N_OK':
        return _NameOk();
    case 'N_CA':
        return _NameCancel();
    case 'H_22': // the report settings' "Cancel": the form is kept either way
        return Quit();
    case 'H_23':
        PostToApp('OPRH');
        return Quit();
    case B_KEY_DOWN:
        return LookByOpen(message);
    case B_MOUSE_WHEEL_CHANGED:
    case '_MCH':
    case '_PBL':
    case '_UKD':
    case B_KEY_UP:
    case 'TICK':
        return;
    }
    if (is_view_command(what) && fView != nullptr)
        return fView->MessageReceived(message);
    printf("ConfigCard ?? '%s'\n", long2asc(what).c_str());
}

bool ConfigCard::_PickDay(uint32 what)
{
    for (const DayField& field : kDayFields) {
        if (field.command != what)
            continue;
        if (auto* cell = dynamic_cast<DayCell*>(FindView(field.field)))
            GetAnyDay(cell, field.reply);
        return true;
    }
    return false;
}

void ConfigCard::GetAnyDay(DayCell* field, uint32 command)
{
    if (field == nullptr)
        return;
    const BRect onScreen = field->ConvertToScreen(field->Bounds());
    const BRect where(onScreen.left - 60, onScreen.bottom + 1, onScreen.left - 60,
                      onScreen.bottom + 1);
    CalCard::getCalCard(where, "", field->Text().c_str(), new BMessage(command), this);
}

void ConfigCard::_Ok()
{
    if (fType == kOffDays || fType == kIllnessDays)
        PostToApp('WUI!');
    Quit();
}

void ConfigCard::_NameOk()
{
    auto* view = dynamic_cast<NameInView*>(fView);
    if (view == nullptr)
        return;
    const std::string name = view->Text();
    // Refused before any file is touched; the card stays for another try.
    if (std::optional<std::string> refusal = TypedNameRefusal(name)) {
        AnyAlert(refusal->c_str());
        return;
    }
    fMessage->AddString("fname:", name);
    if (fMessage->what == 'NNA_') {
        BMessage open('OPEN');
        open.AddString("open", name);
        PostToApp(open);
    } else if (fMessage->what == 'SAS_') {
        BMessage saveAs('SAS_');
        saveAs.AddString("save_as", name);
        PostToApp(saveAs);
    } else {
        PostToApp(*fMessage);
    }
    Quit();
}

void ConfigCard::_NameCancel()
{
    PostToApp('WB_A');
    Quit();
}

void ConfigCard::LookByOpen(BMessage* message)
{
    if (lbo_xxx.exchange(true))
        return;
    const int32 key = message->GetInt32("key", 0);
    if (key == B_F1_KEY)
        printf(" B_F1_KEY by open pressed !!\n");
    else if (key == B_F2_KEY)
        printf(" B_F2_KEY by open pressed !!\n");
    else
        printf(" any Key pressed (%ld)(%ld)\n", long(key), long(message->GetInt32("modifiers", 0)));
}
