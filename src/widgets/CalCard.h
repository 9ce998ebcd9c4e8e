// The date picker: a small modal window with a month grid. OK sends the
// reply message with "cday" = the chosen day ("yyyy/mm/dd") to the target
// window, or to the application object when there is none. At most one is
// open at a time.
#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <string>

#include "calendar/CalDay.h"
#include "kit/app/Messenger.h"
#include "kit/interface/Window.h"

class MonView;

class CalCard : public BWindow
{
public:
    // The day texts the picker can show and answer: four-digit years.
    static constexpr int32 kFirstYear = 1000;
    static constexpr int32 kLastYear = 9999;

    // The open card, or a new one at frame's left top showing date (today,
    // after a diagnostic, when date is no day of kFirstYear..kLastYear).
    // Takes ownership of reply; title is not shown. A card that is already
    // open is returned unchanged and reply is dropped.
    static CalCard* getCalCard(BRect frame, const char* title, const char* date, BMessage* reply,
                               BWindow* target = nullptr);
    // Asks the open card to close, without waiting for it.
    static void DeleteMe();

    ~CalCard() override;

    void MessageReceived(BMessage* message) override;
    bool QuitRequested() override;

    // The reply goes to that window (through a messenger: a window closed
    // meanwhile gets nothing); null means the application object.
    void SetTarget(BWindow* window);

    // The chosen day as the reply would carry it.
    std::string DayText() const { return CDay2str(&fDay); }
    MonView* Grid() const { return fMonth; }

    // The open card; written only under the class's lock.
    static std::atomic<CalCard*> cc_Zgr;
    // The grid child that is lit as the chosen day.
    static std::atomic<int32> lastday;
    // Set by the first key press while a card is open.
    static std::atomic<bool> lbo_xxx;

private:
    CalCard(BRect frame, const ks_calday& day, BMessage* reply);

    void _Show();
    void _DayClicked(int32 number);
    void _MonthClicked(int32 month);
    void _StepYear(int32 step);
    void _Ok();
    void _Cancel();
    void _FirstKey(const BMessage* message);

    static std::mutex sLock;

    MonView* fMonth;
    std::unique_ptr<BMessage> fReply;
    ks_calday fDay;
    ks_calday fStart;
    BMessenger fTarget;
    bool fHasTarget = false;
};
