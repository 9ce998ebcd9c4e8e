#include "widgets/CalCard.h"

#include <cstdio>
#include <cstdlib>

#include "app/AppPost.h"
#include "app/STLabel.h"
#include "app/Settings.h"
#include "calendar/TimeValue.h"
#include "kit/interface/Bitmap.h"
#include "widgets/DayCell.h"
#include "widgets/MonView.h"
#include "widgets/SingleCard.h"

std::atomic<CalCard*> CalCard::cc_Zgr{nullptr};
std::atomic<int32> CalCard::lastday{-1};
std::atomic<bool> CalCard::lbo_xxx{false};
std::mutex CalCard::sLock;

namespace {

constexpr float kCardWidth = 300;
constexpr float kCardHeight = 148;
constexpr uint32 kDayCommand = 'ccD_';
constexpr uint32 kMonthCommand = 'ccM_';

bool is_shown_day(const ks_calday& day, std::string_view text)
{
    return text.size() == 10 && day.year >= CalCard::kFirstYear && day.year <= CalCard::kLastYear &&
           day.month >= 1 && day.month <= 12 && day.day >= 1 &&
           day.day <= TagePerMonat(day.month - 1, day.year);
}

// The day the picker starts on: today for anything it could not show.
ks_calday start_day(const char* date)
{
    const std::string_view text = date != nullptr ? date : "";
    const ks_calday day = CDayOfText(text);
    if (is_shown_day(day, text))
        return day;
    printf("CalCard: '%.*s' is no day, today instead\n", int(std::min<size_t>(text.size(), 40)),
           text.data());
    return CDayOfText("");
}

} // namespace

CalCard* CalCard::getCalCard(BRect frame, const char*, const char* date, BMessage* reply,
                             BWindow* target)
{
    std::unique_ptr<BMessage> owned(reply);
    std::lock_guard lock(sLock);
    if (CalCard* open = cc_Zgr.load())
        return open;
    auto* card = new CalCard(frame, start_day(date), owned.release());
    if (target != nullptr)
        card->SetTarget(target);
    cc_Zgr.store(card);
    card->_Show();
    return card;
}

void CalCard::DeleteMe()
{
    CloseSingleCard(sLock, cc_Zgr);
}

CalCard::CalCard(BRect frame, const ks_calday& day, BMessage* reply)
    : BWindow(
          BRect(frame.left, frame.top, frame.left + kCardWidth - 1, frame.top + kCardHeight - 1),
          "cc_Zgr", B_MODAL_WINDOW, B_NOT_RESIZABLE),
      fReply(reply != nullptr ? reply : new BMessage('cday')), fDay(day), fStart(day)
{
    fReply->RemoveName("cday");
    fReply->AddString("cday", CDay2str(&fDay));
    auto* background = new BView(Bounds(), "bview", B_FOLLOW_ALL, B_WILL_DRAW);
    background->SetViewColor(AskColor(uc_OPE));
    AddChild(background);
    fMonth = new MonView(Bounds().InsetByCopy(2, 2), "mv");
    if (STLabel* labels = STLabel::Existing()) {
        if (BBitmap* image = labels->BackgroundImage())
            fMonth->SetViewBitmap(image);
    }
    background->AddChild(fMonth);
}

CalCard::~CalCard()
{
    std::lock_guard lock(sLock);
    CalCard* self = this;
    // A card closed by DeleteMe may go after the next one opened.
    if (cc_Zgr.compare_exchange_strong(self, nullptr) || self == nullptr) {
        lastday = -1;
        lbo_xxx = false;
    }
}

void CalCard::_Show()
{
    fDay.day = uint8_t(fMonth->Day4Mon(fDay.day, fDay.month, fDay.year));
    fMonth->HighlightMon(fDay.month);
    Show();
}

void CalCard::SetTarget(BWindow* window)
{
    if (!Lock())
        return;
    fTarget = window != nullptr ? BMessenger(window) : BMessenger();
    fHasTarget = window != nullptr;
    Unlock();
}

bool CalCard::QuitRequested()
{
    return true;
}

void CalCard::MessageReceived(BMessage* message)
{
    const uint32 what = message->what;
    if (what > kDayCommand && what <= kDayCommand + MonView::kDayCells)
        return _DayClicked(int32(what - kDayCommand));
    if (what > kMonthCommand && what <= kMonthCommand + 12)
        return _MonthClicked(int32(what - kMonthCommand));
    switch (what) {
    case 'MMIN':
        return _StepYear(-1);
    case 'MPLU':
        return _StepYear(1);
    case '__OK':
        return _Ok();
    case '_NOK':
        return _Cancel();
    case B_KEY_DOWN:
        return _FirstKey(message);
    default:
        return BWindow::MessageReceived(message);
    }
}

void CalCard::_DayClicked(int32 number)
{
    const int32 index = MonView::kFirstDayCell + number - 1;
    DayCell* cell = fMonth->Cell(index);
    const int32 day = atoi(cell->Text().c_str());
    if (day < 1)
        return;
    if (day != fDay.day)
        printf("lastclick[%d] click[%d]\n", int(fDay.day), int(day));
    if (DayCell* lit = fMonth->Cell(lastday))
        lit->SetSpot(false);
    cell->SetSpot(true);
    lastday = index;
    fDay.day = uint8_t(day);
}

void CalCard::_MonthClicked(int32 month)
{
    printf("selected monat: (%ld) \n", long(month));
    fDay.month = uint8_t(month);
    fDay.day = uint8_t(fMonth->Day4Mon(fDay.day, fDay.month, fDay.year));
    fMonth->HighlightMon(month);
}

void CalCard::_StepYear(int32 step)
{
    const int32 year = fDay.year + step;
    if (year < kFirstYear || year > kLastYear) {
        printf("CalCard: year %d is out of reach\n", int(year));
        return;
    }
    fDay.year = year;
    fDay.day = uint8_t(fMonth->Day4Mon(fDay.day, fDay.month, fDay.year));
}

void CalCard::_Ok()
{
    fReply->RemoveName("cday");
    fReply->AddString("cday", CDay2str(&fDay));
    if (!fHasTarget)
        PostToApp(*fReply);
    else if (fTarget.SendMessage(fReply.get()) != B_OK)
        printf("CalCard: the window that asked is gone\n");
    Quit();
}

void CalCard::_Cancel()
{
    printf("alles abbruch \n");
    Quit();
}

void CalCard::_FirstKey(const BMessage* message)
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
