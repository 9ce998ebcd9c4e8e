#include "widgets/WorkerDaysView.h"

#include <cstdio>

#include "app/AppPost.h"
#include "app/STLabel.h"
#include "calendar/CalDay.h"
#include "data/STOrder.h"
#include "data/STWorker.h"
#include "data/Worker.h"
#include "kit/app/Autolock.h"
#include "kit/interface/Button.h"
#include "kit/interface/ListView.h"
#include "kit/interface/MenuField.h"
#include "kit/interface/MenuItem.h"
#include "kit/interface/PopUpMenu.h"
#include "kit/interface/ScrollBar.h"
#include "kit/interface/ScrollView.h"
#include "kit/interface/StringItem.h"
#include "kit/interface/StringView.h"
#include "widgets/DayCell.h"

namespace {

constexpr rgb_color kCardColor = {216, 216, 216, 255};

std::string today_text()
{
    return CDay2str(str2CDay(nullptr).get());
}

} // namespace

WorkerDaysView::WorkerDaysView(BRect frame, const char* name, bool illness)
    : BBox(frame, name, B_FOLLOW_ALL, B_WILL_DRAW, B_NO_BORDER), fIllness(illness)
{
    SetViewColor(kCardColor);
    AddChild(new BStringView(BRect(8, 2, 180, 18), "caption",
                             STLabel::getLabel(calmnu, illness ? 12 : 11).c_str()));

    auto* box = new BBox(BRect(6, 22, 186, 150), "wbox");
    box->SetLabel(STLabel::getLabel(w_labs, 0).c_str());
    AddChild(box);
    fMenuField = new BMenuField(BRect(8, 16, 172, 36), "wkomenu", "", new BPopUpMenu("--"));
    fMenuField->SetDivider(0);
    box->AddChild(fMenuField);
    const std::string today = today_text();
    fFrom = new DayCell(BRect(8, 44, 172, 60), "dayfrom", today.c_str(),
                        new BMessage(_Code('XMDA')), 3);
    fFrom->SetPrevText(STLabel::getLabel(w_labs, 7).c_str(), false);
    box->AddChild(fFrom);
    fTo =
        new DayCell(BRect(8, 66, 172, 82), "dayto", today.c_str(), new BMessage(_Code('XMDB')), 3);
    fTo->SetPrevText(STLabel::getLabel(w_labs, 8).c_str(), false);
    box->AddChild(fTo);
    box->AddChild(new BButton(BRect(8, 96, 172, 118), "adddays",
                              STLabel::getLabel(w_labs, 9).c_str(), new BMessage(_Code('XADU'))));

    fList = new BListView(BRect(196, 8, 296, 146), "inis", B_MULTIPLE_SELECTION_LIST);
    AddChild(new BScrollView("inisscroll", fList, B_FOLLOW_LEFT | B_FOLLOW_TOP, 0, false, true));
    AddChild(new BButton(BRect(194, 156, 312, 178), "delsel", STLabel::getLabel(w_labs, 10).c_str(),
                         new BMessage(_Code('XUDS'))));
    AddChild(new BButton(BRect(6, 156, 110, 178), "close", STLabel::getLabel(calmnu, 3).c_str(),
                         new BMessage('__OK')));

    // The worker the worker editor showed last, as the card opens.
    fWorkers = STWorker::Existing();
    if (fWorkers != nullptr) {
        BAutolock lock(fWorkers->Lock());
        int32 position = fWorkers->w_shown;
        if (position > fWorkers->GetWMax())
            position = 0;
        if (Worker* worker = fWorkers->GetWorker(position))
            fWorkerID = worker->w_id;
        _BuildMenu();
    }
    DaysFromWorker(fWorkerID);
}

uint32 WorkerDaysView::_Code(uint32 offDayCode) const
{
    return fIllness ? (offDayCode & 0x00FFFFFF) | (uint32('Z') << 24) : offDayCode;
}

void WorkerDaysView::_BuildMenu()
{
    BMenu* menu = fMenuField->Menu();
    // Ids, not positions: the list may change while the card is open.
    fWorkers->SortedMWorkerList(menu, _Code('XMVW'), "wkoitem", 1);
    for (int32 i = 0; i < menu->CountItems(); i++) {
        BMenuItem* item = menu->ItemAt(i);
        const BMessage* message = item->Message();
        if (message != nullptr && message->GetInt32("wkoitem", -1) == fWorkerID)
            item->SetMarked(true);
    }
}

STWorker* WorkerDaysView::_Workers()
{
    if (fWorkers != nullptr && STWorker::Existing() != fWorkers) {
        printf("%s: the worker list was closed\n", Name());
        fWorkers = nullptr;
    }
    return fWorkers;
}

Worker* WorkerDaysView::_ShownWorker(STWorker& workers)
{
    Worker* worker = workers.GetWorkerWithID(fWorkerID);
    if (worker == nullptr)
        printf("%s: worker %ld is gone\n", Name(), long(fWorkerID));
    return worker;
}

void WorkerDaysView::MessageReceived(BMessage* message)
{
    const uint32 what = message->what;
    if (what == _Code('XMVW'))
        return DaysFromWorker(message->GetInt32("wkoitem", 0));
    if (what == _Code('Xone'))
        return _PickedDay(message, true);
    if (what == _Code('Xtwo'))
        return _PickedDay(message, false);
    if (what == _Code('XADU'))
        return AddSelDays();
    if (what == _Code('XUDS'))
        return DelSelDays();
    BBox::MessageReceived(message);
}

void WorkerDaysView::_PickedDay(const BMessage* message, bool both)
{
    const char* day = message->GetString("cday", nullptr);
    if (day == nullptr)
        return;
    if (both)
        fFrom->SetText(day);
    fTo->SetText(day);
}

void WorkerDaysView::DaysFromWorker(int32 id)
{
    fList->MakeEmpty();
    fWorkerID = id;
    STWorker* workers = _Workers();
    if (workers == nullptr) {
        printf("bad bwork*\n");
        return;
    }
    BAutolock lock(workers->Lock());
    Worker* worker = workers->GetWorkerWithID(id);
    if (worker == nullptr) {
        printf("bad bwork*\n");
        return;
    }
    const DayList& days = fIllness ? worker->i_days : worker->u_days;
    char sum[32];
    snprintf(sum, sizeof(sum), " SUM: %ld ", long(days.size()));
    fList->AddItem(new BStringItem(sum));
    for (const std::unique_ptr<ks_calday>& day : days)
        fList->AddItem(new BStringItem(CDay2str(day.get()).c_str()));
}

void WorkerDaysView::AddSelDays()
{
    STWorker* workers = _Workers();
    if (workers == nullptr)
        return;
    {
        BAutolock lock(workers->Lock());
        Worker* worker = _ShownWorker(*workers);
        if (worker == nullptr)
            return;
        BMessage range('Wulb');
        range.AddString("udayA", fFrom->Text());
        range.AddString("udayB", fTo->Text());
        range.AddString("udayC", "XMV_HDY");
        // Checks every day, re-checks the orders and asks for the redraw.
        if (fIllness)
            worker->AddIdays(&range);
        else
            worker->AddUdays(&range);
    }
    DaysFromWorker(fWorkerID);
}

void WorkerDaysView::DelSelDays()
{
    std::vector<std::string> selected;
    for (int32 n = 0, index; (index = fList->CurrentSelection(n)) >= 0; n++) {
        if (auto* item = dynamic_cast<BStringItem*>(fList->ItemAt(index)))
            selected.insert(selected.begin(), item->Text());
    }
    STWorker* workers = _Workers();
    if (workers == nullptr)
        return;
    {
        BAutolock lock(workers->Lock());
        Worker* worker = _ShownWorker(*workers);
        if (worker == nullptr)
            return;
        // The " SUM" line matches no day and removes nothing.
        for (const std::string& day : selected) {
            if (fIllness)
                worker->DelIday(day.c_str());
            else
                worker->DelUday(day.c_str());
        }
    }
    if (STOrder* orders = STOrder::Existing())
        orders->CheckAllOrders();
    PostToApp('WBRA');
    DaysFromWorker(fWorkerID);
}

std::vector<std::string> WorkerDaysView::Lines() const
{
    std::vector<std::string> lines;
    for (int32 i = 0; i < fList->CountItems(); i++) {
        if (auto* item = dynamic_cast<BStringItem*>(fList->ItemAt(i)))
            lines.push_back(item->Text());
    }
    return lines;
}
