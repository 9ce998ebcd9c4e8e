// The one pop-up card window. It hosts one editing view, chosen by the card
// type when it is opened, and routes that view's commands:
//   1 off-days (UdaysView), 2 holidays (FeiertagView), 4 preferences,
//   5 report settings, 6 a name (NameInView), 7 illness days (IdaysView).
// At most one card is open; asking for another returns the open one.
#pragma once

#include <atomic>
#include <memory>
#include <mutex>

#include "kit/interface/Window.h"

class DayCell;

class ConfigCard : public BWindow
{
public:
    enum : int32
    {
        kOffDays = 1,
        kHolidays = 2,
        kPreferences = 4,
        kReportSettings = 5,
        kName = 6,
        kIllnessDays = 7,
    };

    // The open card, or a new modal card at frame's left top with the
    // width and height of size, hosting the view of type. message is
    // copied (the name card answers with it); title is not shown.
    static ConfigCard* getConfigCard(BRect frame, const char* title, const BMessage* message,
                                     int32 type, BRect size);
    // Asks the open card to close, without waiting for it.
    static void DeleteMe();

    ~ConfigCard() override;

    void MessageReceived(BMessage* message) override;
    bool QuitRequested() override;

    // The first key press while a card is open is reported; later ones
    // are not.
    virtual void LookByOpen(BMessage* message);
    // Opens the date picker under field, starting on its day; the picked
    // day comes back as command with "cday".
    virtual void GetAnyDay(DayCell* field, uint32 command);

    int32 CardType() const { return fType; }
    // The hosted view (inside the background view "cview").
    BView* HostedView() const { return fView; }

    // The open card; written only under the class's lock.
    static std::atomic<ConfigCard*> cc_Zgr;
    static std::atomic<bool> lbo_xxx;

private:
    ConfigCard(BRect frame, const BMessage* message, int32 type, BRect size);

    BView* _MakeView(BRect bounds);
    bool _PickDay(uint32 what);
    void _Ok();
    void _NameOk();
    void _NameCancel();

    static std::mutex sLock;

    std::unique_ptr<BMessage> fMessage;
    int32 fType;
    BView* fView;
};
