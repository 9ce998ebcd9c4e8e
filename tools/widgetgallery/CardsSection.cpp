// The preferences card in place, and buttons that open every pop-up card:
// the day-list cards, the holiday and name cards, the report settings and
// the date picker.
#include <array>

#include "Gallery.h"
#include "data/STWorker.h"
#include "kit/app/Message.h"
#include "kit/interface/Button.h"
#include "kit/interface/Window.h"
#include "widgets/CalCard.h"
#include "widgets/ConfigCard.h"
#include "widgets/PrefsView.h"

namespace {

struct CardButton
{
    const char* label;
    int32 type; // a ConfigCard type, or 0 for the date picker
    uint32 request;
    BRect size;
};

constexpr std::array<CardButton, 6> kCards = {{
    {"Off-days", ConfigCard::kOffDays, 'U___', BRect(0, 0, 320, 188)},
    {"Illness", ConfigCard::kIllnessDays, 'I___', BRect(0, 0, 320, 188)},
    {"Holidays", ConfigCard::kHolidays, 'H___', BRect(0, 0, 340, 198)},
    {"Name", ConfigCard::kName, 'NNA_', BRect(0, 0, 260, 88)},
    {"Report", ConfigCard::kReportSettings, 'P___', BRect(0, 0, 320, 178)},
    {"Date", 0, 'Xone', BRect()},
}};

// Opens the card of the button pressed, beside the gallery.
class CardLauncher : public BView
{
public:
    explicit CardLauncher(BRect frame) : BView(frame, "cards", B_FOLLOW_NONE, B_WILL_DRAW)
    {
        for (size_t i = 0; i < kCards.size(); i++) {
            const BRect place(float(i % 3) * 92, float(i / 3) * 30, float(i % 3) * 92 + 86,
                              float(i / 3) * 30 + 23);
            auto* message = new BMessage('GCRD');
            message->AddInt32("card", int32(i));
            AddChild(new BButton(place, kCards[i].label, kCards[i].label, message));
        }
    }

    void AttachedToWindow() override
    {
        if (Parent() != nullptr)
            SetViewColor(Parent()->ViewColor());
        for (int32 i = 0; i < CountChildren(); i++) {
            if (auto* button = dynamic_cast<BButton*>(ChildAt(i)))
                button->SetTarget(this);
        }
    }

    void MessageReceived(BMessage* message) override
    {
        if (message->what != 'GCRD')
            return BView::MessageReceived(message);
        const CardButton& card = kCards[size_t(message->GetInt32("card", 0))];
        GallerySay(std::string("card: ") + card.label);
        const BRect where = Window()->Frame();
        const BRect corner(where.right + 10, where.top, where.right + 10, where.top);
        if (card.type == 0) {
            CalCard::getCalCard(corner, "", "2003/06/15", new BMessage(card.request), nullptr);
            return;
        }
        STWorker::getSTWorker(); // the day cards show the sample workers
        BMessage request(card.request);
        ConfigCard::getConfigCard(corner, "", &request, card.type, card.size);
    }
};

void fill_cards(BView* area)
{
    area->AddChild(new CardLauncher(BRect(0, 0, 280, 60)));
}

void fill_preferences(BView* area)
{
    area->AddChild(new PrefsView(BRect(0, 0, PrefsView::kWidth - 1, PrefsView::kHeight - 1)));
}

GallerySection sCards(50, "Cards", 290, 66, fill_cards);
GallerySection sPreferences(60, "Preferences", PrefsView::kWidth, PrefsView::kHeight,
                            fill_preferences);

} // namespace
