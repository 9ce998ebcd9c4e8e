#include "widgets/FeiertagView.h"

#include <cstdio>

#include "app/AppPost.h"
#include "app/STLabel.h"
#include "calendar/CalDay.h"
#include "calendar/TimeValue.h"
#include "data/Holiday.h"
#include "data/STHolidays.h"
#include "kit/app/Autolock.h"
#include "kit/interface/Button.h"
#include "kit/interface/Font.h"
#include "kit/interface/ListView.h"
#include "kit/interface/ScrollView.h"
#include "kit/interface/StringItem.h"
#include "kit/interface/TextControl.h"
#include "widgets/DayCell.h"

namespace {

constexpr rgb_color kCardColor = {216, 216, 216, 255};
constexpr rgb_color kListColor = {180, 250, 250, 255};
constexpr const char* kDefaultName = "context";
constexpr size_t kShortestName = 4;

size_t count_characters(const std::string& text)
{
    size_t count = 0;
    for (char c : text) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            count++;
    }
    return count;
}

} // namespace

FeiertagView::FeiertagView(BRect frame) : BBox(frame, "fdays", B_FOLLOW_ALL, B_WILL_DRAW)
{
    SetViewColor(kCardColor);
    SetLabel(STLabel::getLabel(calmnu, 18).c_str());

    // The list spans the card: its lines hold the name right-aligned in 35
    // columns after the day.
    const std::string today = CDay2str(str2CDay(nullptr).get());
    fDate = new DayCell(BRect(10, 24, 100, 42), "hdate", today.c_str(), new BMessage('YMDA'), 3);
    AddChild(fDate);
    fName = new BTextControl(BRect(108, 23, 220, 43), "dname", nullptr, kDefaultName,
                             new BMessage('YNAM'));
    fName->SetDivider(0);
    AddChild(fName);
    AddChild(new BButton(BRect(228, 22, 330, 44), "addday", STLabel::getLabel(w_labs, 9).c_str(),
                         new BMessage('YADU')));

    fList = new BListView(BRect(12, 54, 314, 156), "inis", B_MULTIPLE_SELECTION_LIST);
    fList->SetViewColor(kListColor);
    BFont font(be_plain_font);
    font.SetSize(10);
    fList->SetFont(&font);
    AddChild(new BScrollView("inisscroll", fList, B_FOLLOW_LEFT | B_FOLLOW_TOP, 0, false, true));
    AddChild(new BButton(BRect(10, 166, 120, 188), "close", STLabel::getLabel(calmnu, 3).c_str(),
                         new BMessage('__OK')));
    AddChild(new BButton(BRect(160, 166, 330, 188), "delsel", STLabel::getLabel(w_labs, 10).c_str(),
                         new BMessage('YUDS')));
    FdaysFromHolidayList();
}

void FeiertagView::MessageReceived(BMessage* message)
{
    switch (message->what) {
    case 'Yone':
        if (const char* day = message->GetString("cday", nullptr))
            fDate->SetText(day);
        return;
    case 'YADU':
        return AddSelFDays();
    case 'YUDS':
        return DelSelFDays();
    case 'YNAM':
    case 'TICK':
    case B_MOUSE_WHEEL_CHANGED:
    case '_MCH':
    case '_UKD':
        return;
    default:
        printf("FeiertagView ?? '%s'\n", long2asc(message->what).c_str());
    }
}

void FeiertagView::FdaysFromHolidayList()
{
    fList->MakeEmpty();
    STHolidays* holidays = STHolidays::getSTHolidays();
    BAutolock lock(holidays->Lock());
    const int32 count = holidays->CountHolidays();
    char line[64];
    snprintf(line, sizeof(line), "_Hdays:_%ld_", long(count));
    fList->AddItem(new BStringItem(line));
    for (int32 i = 0; i < count; i++) {
        Holiday* holiday = holidays->HolidayAt(i);
        if (holiday == nullptr) {
            printf("Bad Holiday (%ld)\n", long(i));
            continue;
        }
        std::string text = holiday->date + " ";
        if (holiday->name.size() < 35)
            text.append(35 - holiday->name.size(), ' ');
        text += holiday->name;
        fList->AddItem(new BStringItem(text.c_str()));
    }
}

void FeiertagView::AddSelFDays()
{
    if (count_characters(fName->Text()) < kShortestName)
        fName->SetText(kDefaultName);
    const std::string day = fDate->Text();
    const std::string name = fName->Text();
    {
        STHolidays* holidays = STHolidays::getSTHolidays();
        BAutolock lock(holidays->Lock());
        if (holidays->IsHoliday(day.c_str())) {
            printf("is scho: %s\n", day.c_str());
            return;
        }
        holidays->AddOneDay(day.c_str(), name.c_str());
    }
    FdaysFromHolidayList();
    PostToApp('Hrel');
}

void FeiertagView::DelSelFDays()
{
    printf("wont delete selected FDays ..  \n");
    std::vector<int32> selected;
    for (int32 n = 0, index; (index = fList->CurrentSelection(n)) >= 0; n++)
        selected.insert(selected.begin(), index);
    {
        STHolidays* holidays = STHolidays::getSTHolidays();
        BAutolock lock(holidays->Lock());
        for (int32 index : selected) {
            auto* item = dynamic_cast<BStringItem*>(fList->ItemAt(index));
            if (item == nullptr)
                continue;
            const std::string line = item->Text();
            const std::string day = line.substr(0, 10);
            printf("'%s' %ld %s\n", day.c_str(), long(index), line.c_str());
            holidays->DelOneDay(day.c_str());
        }
    }
    FdaysFromHolidayList();
    PostToApp('Hrel');
}

std::vector<std::string> FeiertagView::Lines() const
{
    std::vector<std::string> lines;
    for (int32 i = 0; i < fList->CountItems(); i++) {
        if (auto* item = dynamic_cast<BStringItem*>(fList->ItemAt(i)))
            lines.push_back(item->Text());
    }
    return lines;
}
