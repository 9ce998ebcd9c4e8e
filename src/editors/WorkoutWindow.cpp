#include "editors/WorkoutWindow.h"

#include <cstdio>

#include "app/AppLock.h"
#include "app/AppPost.h"
#include "app/FunctionKeys.h"
#include "app/Globals.h"
#include "app/MenuIconItem.h"
#include "app/NameCheck.h"
#include "app/Notices.h"
#include "app/Paths.h"
#include "app/STLabel.h"
#include "app/Settings.h"
#include "app/TemplateMenus.h"
#include "app/WindowRoles.h"
#include "data/STOrder.h"
#include "data/STWorker.h"
#include "data/Worker.h"
#include "editors/LimitedTextControl.h"
#include "editors/PeopleEntries.h"
#include "editors/WeekView.h"
#include "exchange/XmlImport.h"
#include "kit/app/Application.h"
#include "kit/app/Autolock.h"
#include "kit/interface/CheckBox.h"
#include "kit/interface/Menu.h"
#include "kit/interface/MenuBar.h"
#include "kit/interface/MenuField.h"
#include "kit/interface/MenuItem.h"
#include "kit/interface/PopUpMenu.h"
#include "kit/interface/SeparatorItem.h"
#include "kit/interface/StringView.h"
#include "planner/PlanLock.h"
#include "widgets/TIOView.h"
#include "widgets/ViewPrint.h"
#include "widgets/XButton.h"

std::atomic<int32> WorkoutWindow::w_ptr{0};
std::atomic<int32> WorkoutWindow::kbo_wko{0};

struct WorkoutWindow::Shown
{
    int32 id;
    std::array<std::string, 3> texts;
    bool multiuse;
    wkoweek week;
    TInt hours;
    size_t offDays;
    size_t illnessDays;
};

namespace {

constexpr float kMenuHeight = 20;
constexpr float kMargin = 8;
constexpr float kFieldHeight = 19;
constexpr float kDivider = 74;
constexpr uint32 kDayCodes[3] = {'DAYs', 'DAYa', 'DAYp'};
constexpr uint32 kTextCodes[3] = {'WO_N', 'WO_A', 'WO_K'};
// The worker pop-up's items carry the worker's id, looked up when chosen.
constexpr uint32 kShowID = 'WUIi';
const char* const kNoDayText = " -";

BRect window_frame()
{
    return BRect(WWin_X, WWin_Y, WWin_X + WWin_W, WWin_Y + WWin_H);
}

std::string title_for(STWorker* workers)
{
    return std::string("Workout: ") + (workers != nullptr ? workers->Name() : "-");
}

std::string day_count(size_t count, int32 label)
{
    char number[32];
    snprintf(number, sizeof number, "%3ld ", long(count));
    return number + STLabel::getLabel(w_labs, label);
}

size_t utf8_characters(const std::string& text)
{
    size_t count = 0;
    for (unsigned char c : text)
        count += (c & 0xC0) != 0x80;
    return count;
}

TInt& day_field(daymark& day, int32 field)
{
    return field == 0 ? day.begin : field == 1 ? day.worktime : day.pause;
}

TInt day_value(const daymark& day, int32 field)
{
    return field == 0 ? day.begin : field == 1 ? day.worktime : day.pause;
}

} // namespace

WorkoutWindow::WorkoutWindow()
    : BWindow(window_frame(), "Workout", B_TITLED_WINDOW, B_NOT_RESIZABLE)
{
    STWorker* workers = STWorker::getSTWorker();
    SetTitle(title_for(workers).c_str());
    const BRect bounds = Bounds();
    _BuildMenus(bounds);
    fBack = new BView(BRect(0, kMenuHeight + 1, bounds.right, bounds.bottom), "back", B_FOLLOW_ALL,
                      B_WILL_DRAW);
    fBack->SetViewColor(216, 216, 216);
    AddChild(fBack);
    _BuildFields();
    _BuildButtons();
    fPopUp = std::make_unique<BPopUpMenu>("saw", false, false);
    Scan4People(fPeople);
    ZeigeWorker(w_ptr);
    Show();
}

WorkoutWindow::~WorkoutWindow()
{
    if ((prefsdata & VTa_SAVEONCLOSE) != 0) {
        if (STWorker* workers = STWorker::Existing())
            workers->SaveWorkerList();
    }
    kbo_wko = 0;
    PostToApp('VTWC');
    printf("DEL WorkoutWindow DONE\n");
}

// MARK: Building

void WorkoutWindow::_BuildMenus(BRect bounds)
{
    fMenu = new BMenu(" Menu");
    fMenu->AddItem(new BMenuItem(STLabel::getLabel(calmnu, 10).c_str(), new BMessage('WADD')));
    fMenu->AddSeparatorItem();
    fTemplates = new BMenu(STLabel::getLabel(calmnu, 9).c_str());
    GScan4Templates(fTemplates, ".wtp", 'W+TF');
    fMenu->AddItem(fTemplates);
    fSaveTemplate = new BMenuItem(STLabel::getLabel(templn, 6).c_str(), new BMessage('NwWT'));
    fMenu->AddItem(fSaveTemplate);
    fMenu->AddSeparatorItem();
    fOffDays = new BMenuItem(STLabel::getLabel(calmnu, 11).c_str(), new BMessage('CURL'));
    fIllness = new BMenuItem(STLabel::getLabel(calmnu, 12).c_str(), new BMessage('CILL'));
    fMenu->AddItem(fOffDays);
    fMenu->AddItem(fIllness);
    fMenu->AddSeparatorItem();
    fDelete = new BMenuItem(STLabel::getLabel(pb_lab, 3).c_str(), new BMessage('WDel'));
    fMenu->AddItem(fDelete);
    fMenuField = new BMenuField(BRect(0, 0, 79, kMenuHeight), "xMenu", "", fMenu);
    fMenuField->SetDivider(0);
    AddChild(fMenuField);

    auto* peopleBar = new BMenuBar(BRect(80, 0, bounds.right, kMenuHeight), "pMenu");
    fPeople = new BMenu("/home/people...");
    peopleBar->AddItem(fPeople);
    AddChild(peopleBar);
}

void WorkoutWindow::_BuildFields()
{
    const float right = fBack->Bounds().right - kMargin;
    const size_t limits[3] = {Worker::kNameMax, Worker::kAliasMax, Worker::kCostCentreMax};
    const char* names[3] = {"wnam", "wali", "wkst"};
    float top = 6;
    for (int32 i = 0; i < 3; i++) {
        fTexts[i] = new LimitedTextControl(BRect(kMargin, top, right, top + kFieldHeight), names[i],
                                           STLabel::getLabel(w_labs, i).c_str(), i == 0 ? "-" : "",
                                           new BMessage(kTextCodes[i]), limits[i]);
        fTexts[i]->SetDivider(kDivider);
        fBack->AddChild(fTexts[i]);
        top += kFieldHeight + 4;
    }
    fMultiuse = new BCheckBox(BRect(kMargin, top, 150, top + 16), "onui",
                              STLabel::getLabel(w_labs, 12).c_str(), new BMessage('WO_L'));
    fBack->AddChild(fMultiuse);
    fHours = new BStringView(BRect(156, top, right, top + 16), "stds", "");
    fBack->AddChild(fHours);
    top += 22;

    const float graphBottom = fBack->Bounds().bottom - XButton::kHeight - 10;
    fWeekView = new WeekView(BRect(kMargin, top, kMargin + 188, graphBottom), "weekv");
    fBack->AddChild(fWeekView);

    const float left = kMargin + 196;
    const char* tioNames[3] = {"tioA", "tioB", "tioC"};
    float y = top;
    for (int32 i = 0; i < 3; i++) {
        fDayEditors[i] = new TIOView(BRect(left, y, right, y + TIOView::kHeight - 1), tioNames[i],
                                     STLabel::getLabel(w_labs, 4 + i).c_str(), kNoDayText,
                                     new BMessage(kDayCodes[i]));
        fBack->AddChild(fDayEditors[i]);
        fDayEditors[i]->Hide();
        y += TIOView::kEditHeight + 4;
    }
    fOffDayCount = new BStringView(BRect(left, graphBottom - 36, right, graphBottom - 20), "hyinf",
                                   day_count(0, 14).c_str());
    fIllnessCount = new BStringView(BRect(left, graphBottom - 16, right, graphBottom), "ilinf",
                                    day_count(0, 13).c_str());
    fBack->AddChild(fOffDayCount);
    fBack->AddChild(fIllnessCount);
}

void WorkoutWindow::_BuildButtons()
{
    struct Button
    {
        const char* name;
        std::string label;
        uint32 what;
        int32 icon;
    };
    const Button buttons[] = {
        {"gho", STLabel::getLabel(butlab, 0), 'VTCO', 9},
        {"w2o", STLabel::getLabel(butlab, 2), 'VTOO', 1},
        {"prn", STLabel::getLabel(butlab, 3), 'WOPR', 2},
        {"bwd", "<<", 'WUI-', 5},
        {"fwd", ">>", 'WUI+', 4},
        {"satp", "Templ.", 'NwWT', 10},
        {"delb", "Delete", 'WDel', 6},
    };
    const float top = fBack->Bounds().bottom - XButton::kHeight - 3;
    const float step = (fBack->Bounds().Width() - 2 * kMargin + 4) / 7;
    float left = kMargin;
    for (const Button& spec : buttons) {
        auto* button = new XButton(BRect(left, top, left + step - 5, top + XButton::kHeight - 1),
                                   spec.name, spec.label.c_str(), new BMessage(spec.what));
        button->SetBitmap(spec.icon);
        fBack->AddChild(button);
        left += step;
        if (spec.what == 'WDel')
            fDeleteButton = button;
        else if (spec.what == 'NwWT')
            fTemplateButton = button;
        else if (spec.what == 'WOPR')
            fPrintButton = button;
    }
}

// MARK: Messages

void WorkoutWindow::MessageReceived(BMessage* message)
{
    switch (message->what) {
    case kWindowActivate: // the application brings the editor forward or back
        return Activate(message->GetBool("active", true));
    case 'WUI+':
        return ZeigeWorker(w_ptr + 1);
    case 'WUI-':
        return ZeigeWorker(w_ptr - 1);
    case 'WUIy':
        return ZeigeWorker(0);
    case 'WUIz':
        return ZeigeWorker(_LastIndex());
    case 'WUIx':
    case 'WUI!':
        return _ShowIndex(message, "worker");
    case kShowID:
        return _ShowByID(message);
    case 'WO_N':
        return _StoreText(0);
    case 'WO_A':
        return _StoreText(1);
    case 'WO_K':
        return _StoreText(2);
    case '_PBL':
        return InputWNames();
    case 'WO_L':
        return _SetMultiuse();
    case 'DAYT':
        if (fShownID != 0)
            ZeigeDaytime(message);
        return;
    case 'DAYs':
    case 'DAYa':
    case 'DAYp':
        return SetDaytime(message);
    case 'WDel':
        return DeleteThisWorker();
    case 'WNA_':
        return SaveTemplate(message, w_ptr);
    case 'SAWx':
        return SelectAnyWorker();
    case 'L4PE':
        return SetFromPeople(message);
    case kApplyTypedText:
        return _ApplyTyped(message);
    default:
        return _Dispatch(message);
    }
}

void WorkoutWindow::_Dispatch(BMessage* message)
{
    switch (message->what) {
    case 'WOPR':
        if (fShownID == 0)
            return;
        ApplyTypedText();
        ViewPrint(fBack);
        printf("print ready\n");
        return;
    case B_SIMPLE_DATA:
        return XML_Splice(message, kSpliceWorkers);
    case '3123':
        return ExtendMenu();
    case '3000':
        return Quit();
    case '_BLC':
    case 'sMLC':
        return _RedrawAll();
    case B_KEY_DOWN:
        return KeyByOpen(0, message, 1);
    case 'NwWT':
    case 'ODEF':
    case 'VTCO':
    case 'VTOO':
    case 'WADD':
    case 'W+TF':
    case 'CURL':
    case 'CILL':
        return _Pass(message);
    case B_MOUSE_DOWN:
    case B_MOUSE_WHEEL_CHANGED:
    case B_KEY_UP:
    case '_MCH':
    case '_UKD':
    case '_UKU':
        return;
    default:
        printf("WorkoutWindow ? '%s'\n", long2asc(message->what).c_str());
    }
}

void WorkoutWindow::_Pass(BMessage* message)
{
    // Before the application acts on the worker (day cards, templates),
    // it gets what was typed.
    ApplyTypedText();
    PostToApp(*message);
}

bool WorkoutWindow::QuitRequested()
{
    ApplyTypedText();
    return true;
}

void WorkoutWindow::Quit()
{
    if (!fQuitting) {
        fQuitting = true;
        ApplyTypedText();
    }
    BWindow::Quit();
}

void WorkoutWindow::FrameMoved(BPoint where)
{
    WWin_X = where.x;
    WWin_Y = where.y;
}

void WorkoutWindow::WindowActivated(bool active)
{
    if (!active)
        ApplyTypedText();
}

void WorkoutWindow::_RedrawAll()
{
    fBack->Invalidate();
    for (int32 i = 0; i < fBack->CountChildren(); i++)
        fBack->ChildAt(i)->Invalidate();
}

void WorkoutWindow::ExtendMenu()
{
    kbo_wko = 1;
    fWeekView->SetShownID(fShownID);
}

// MARK: Showing a worker

int32 WorkoutWindow::_LastIndex()
{
    STWorker* workers = STWorker::Existing();
    if (workers == nullptr)
        return 0;
    BAutolock lock(workers->Lock());
    return workers->GetWMax();
}

void WorkoutWindow::_ShowIndex(BMessage* message, const char* field)
{
    ZeigeWorker(message->GetInt32(field, w_ptr));
}

void WorkoutWindow::_ShowByID(BMessage* message)
{
    int32 position = -1;
    if (STWorker* workers = STWorker::Existing()) {
        BAutolock lock(workers->Lock());
        const int32 found = workers->FindWorkerNrOverID(message->GetInt32("worker", 0));
        if (found != 999)
            position = found;
    }
    if (position < 0) {
        printf("WorkoutWindow: worker %ld gone\n", long(message->GetInt32("worker", 0)));
        return;
    }
    ZeigeWorker(position);
}

void WorkoutWindow::ZeigeWorker(int32 index)
{
    // What was typed belongs to the worker shown until now.
    ApplyTypedText();
    std::optional<Shown> shown;
    if (STWorker* workers = STWorker::Existing()) {
        BAutolock lock(workers->Lock());
        const int32 last = workers->GetWMax();
        if (last >= 0) {
            if (index > last)
                index = 0;
            if (index < 0)
                index = last;
            if (Worker* worker = workers->GetWorker(index)) {
                shown =
                    Shown{worker->w_id,         {worker->w_name, worker->w_alias, worker->w_kost},
                          worker->multiuse > 0, worker->w_week ? *worker->w_week : *NewWkoWeek(),
                          worker->w_std,        worker->u_days.size(),
                          worker->i_days.size()};
                workers->w_shown = index;
            }
        }
    }
    if (!shown) {
        _ShowEmpty();
        return;
    }
    w_ptr = index;
    fShown = index;
    _ShowCopy(*shown);
}

void WorkoutWindow::_ShowCopy(const Shown& shown)
{
    fShownID = shown.id;
    _SetEditing(true);
    fDay = kNone;
    fWeekView->SetDay(kNone);
    _ShowTexts(shown.texts);
    fMultiuse->SetValue(shown.multiuse ? B_CONTROL_ON : B_CONTROL_OFF);
    fOffDayCount->SetText(day_count(shown.offDays, 14).c_str());
    fIllnessCount->SetText(day_count(shown.illnessDays, 13).c_str());
    _ShowWeek(shown.week, shown.hours);
    ZeigeDaytime(nullptr);
    fWeekView->SetShownID(kbo_wko != 0 ? fShownID : 0);
}

void WorkoutWindow::_ShowTexts(const std::array<std::string, 3>& texts)
{
    for (int32 i = 0; i < 3; i++) {
        fTexts[i]->SetLimitedText(texts[i].c_str());
        // A longer text of an older file is shown cut but kept whole
        // unless the user edits it.
        fShownTexts[i] = fTexts[i]->Text();
    }
}

void WorkoutWindow::_ShowWeek(const wkoweek& week, TInt hours)
{
    fWeek = week;
    fWeekView->SetWeek(fWeek);
    const std::string text = STLabel::getLabel(w_labs, 3) + " " + TInt2str(hours);
    fHours->SetText(text.c_str());
}

void WorkoutWindow::_ShowEmpty()
{
    w_ptr = 0;
    fShown = kNone;
    fShownID = 0;
    fDay = kNone;
    fWeek.reset();
    fShownTexts = {};
    for (LimitedTextControl* field : fTexts)
        field->SetText("");
    fMultiuse->SetValue(B_CONTROL_OFF);
    fWeekView->SetWeek(std::nullopt);
    fWeekView->SetDay(kNone);
    fWeekView->SetShownID(0);
    fHours->SetText((STLabel::getLabel(w_labs, 3) + " -").c_str());
    fOffDayCount->SetText(day_count(0, 14).c_str());
    fIllnessCount->SetText(day_count(0, 13).c_str());
    ZeigeDaytime(nullptr);
    _SetEditing(false);
}

void WorkoutWindow::_SetEditing(bool enabled)
{
    for (LimitedTextControl* field : fTexts)
        field->SetEnabled(enabled);
    fMultiuse->SetEnabled(enabled);
    fWeekView->SetEnabled(enabled);
    for (BMenuItem* item : {fSaveTemplate, fOffDays, fIllness, fDelete})
        item->SetEnabled(enabled);
    fPeople->SetEnabled(enabled);
    for (XButton* button : {fDeleteButton, fTemplateButton, fPrintButton})
        button->SetEnabled(enabled);
}

// MARK: Texts

void WorkoutWindow::InputWNames()
{
    for (int32 i = 0; i < 3; i++)
        _StoreText(i);
}

void WorkoutWindow::_StoreText(int32 which)
{
    const std::string typed = fTexts[which]->Text();
    if (fShownID == 0 || typed == fShownTexts[which])
        return;
    std::string stored;
    {
        STWorker* workers = STWorker::Existing();
        if (workers == nullptr)
            return;
        BAutolock lock(workers->Lock());
        Worker* worker = workers->GetWorkerWithID(fShownID);
        if (worker == nullptr) {
            printf("WorkoutWindow: worker %ld gone\n", long(fShownID));
            return;
        }
        if (which == 0)
            worker->NewWName(typed);
        else if (which == 1)
            worker->NewWAlia(typed);
        else
            worker->NewWKstl(typed);
        stored = which == 0 ? worker->w_name : which == 1 ? worker->w_alias : worker->w_kost;
        _MarkWorkersChanged(*workers);
    }
    fShownTexts[which] = stored;
    // The record may keep less than was typed (a ']' becomes ')').
    if (stored != typed)
        fTexts[which]->SetLimitedText(stored.c_str());
    BMessage redraw('WBRO');
    redraw.AddInt32("xworker", w_ptr);
    PostToApp(redraw);
}

void WorkoutWindow::_SetMultiuse()
{
    if (fShownID == 0)
        return;
    {
        STWorker* workers = STWorker::Existing();
        if (workers == nullptr)
            return;
        BAutolock lock(workers->Lock());
        Worker* worker = workers->GetWorkerWithID(fShownID);
        if (worker == nullptr)
            return;
        worker->multiuse = fMultiuse->Value() == B_CONTROL_ON ? 1 : 0;
        _MarkWorkersChanged(*workers);
    }
    BMessage redraw('WBRO');
    redraw.AddInt32("xworker", w_ptr);
    PostToApp(redraw);
}

void WorkoutWindow::ApplyTypedText()
{
    if (fShownID == 0)
        return;
    InputWNames();
    for (int32 i = 0; i < 3; i++) {
        TIOView* editor = fDayEditors[i];
        if (!editor->IsEditing())
            continue;
        const std::string text = editor->Field()->Text();
        editor->DecBTC();
        editor->SetText(text.c_str());
        _ChangeDay(i, text);
    }
}

void WorkoutWindow::_ApplyTyped(BMessage* message)
{
    ApplyTypedText();
    BMessage then;
    if (message->FindMessage("then", &then) == B_OK)
        PostToApp(then);
}

void WorkoutWindow::_MarkWorkersChanged(STWorker& workers)
{
    workers.SetModified();
}

// MARK: The working week

void WorkoutWindow::ZeigeDaytime(BMessage* message)
{
    // An editor left open belongs to the day selected until now.
    for (int32 i = 0; i < 3; i++) {
        if (fDayEditors[i]->IsEditing()) {
            const std::string text = fDayEditors[i]->Field()->Text();
            fDayEditors[i]->DecBTC();
            _ChangeDay(i, text);
        }
    }
    const int32 day = message != nullptr ? message->GetInt32("daytime", kNone) : kNone;
    if (day < 0 || day > 6 || !fWeek) {
        fDay = kNone;
        fWeekView->SetDay(kNone);
        _SetDayEditorTexts(kNoDayText, kNoDayText, kNoDayText);
        _ShowDayEditors(false);
        return;
    }
    fDay = day;
    fWeekView->SetDay(day);
    const daymark& shown = fWeek->day[day];
    _SetDayEditorTexts(TInt2str(shown.begin).c_str(), TInt2str(shown.worktime).c_str(),
                       TInt2str(shown.pause).c_str());
    _ShowDayEditors(true);
}

void WorkoutWindow::_SetDayEditorTexts(const char* begin, const char* active, const char* pause)
{
    fDayEditors[0]->SetText(begin);
    fDayEditors[1]->SetText(active);
    fDayEditors[2]->SetText(pause);
}

void WorkoutWindow::_ShowDayEditors(bool visible)
{
    for (TIOView* editor : fDayEditors) {
        if (visible && editor->IsHidden())
            editor->Show();
        else if (!visible && !editor->IsHidden())
            editor->Hide();
    }
}

void WorkoutWindow::SetDaytime(BMessage* message)
{
    if (fDay == kNone || fShownID == 0) {
        _SetDayEditorTexts(kNoDayText, kNoDayText, kNoDayText);
        return;
    }
    int32 field = 0;
    while (field < 2 && kDayCodes[field] != message->what)
        field++;
    std::string text;
    if (message->FindString("text", &text) != B_OK)
        text = fDayEditors[field]->Value();
    _ChangeDay(field, text);
}

void WorkoutWindow::_ChangeDay(int32 field, const std::string& text)
{
    if (fDay == kNone || fShownID == 0 || !fWeek)
        return;
    const TInt typed = str2Tint(text);
    const daymark before = fWeek->day[fDay];
    if (typed < 0) {
        fDayEditors[field]->SetText(TInt2str(day_value(before, field)).c_str());
        AnyAlert("A time cannot be negative.\nThe old value stays.");
        return;
    }
    daymark day = before;
    // "7:75" is 8:15.
    day_field(day, field) = Add2TInt(typed, 0);
    const TInt end = Add2TInt(Add2TInt(day.begin, day.worktime), day.pause);
    if (end > 2400) {
        fDayEditors[field]->SetText(TInt2str(day_value(before, field)).c_str());
        const std::string alert =
            "The working day would end after 24:00 (" + TInt2str(end) + ").\nThe old value stays.";
        AnyAlert(alert.c_str());
        return;
    }

    bool hoursChanged = false;
    TInt hours = 0;
    wkoweek week;
    {
        PlanLock lock;
        Worker* worker = lock.WorkerWithID(fShownID);
        if (worker == nullptr || !worker->w_week) {
            printf("WorkoutWindow: worker %ld gone\n", long(fShownID));
            return;
        }
        daymark& stored = worker->w_week->day[fDay];
        stored.begin = day.begin;
        stored.worktime = day.worktime;
        stored.pause = day.pause;
        SetETime(&stored);
        const TInt oldHours = worker->w_std;
        worker->SetWochenStd();
        hoursChanged = worker->w_std != oldHours;
        if (hoursChanged) {
            worker->AllDaysTable();
            const int32 position = lock.Workers()->FindWorkerNrOverID(fShownID);
            if (lock.Orders() != nullptr && position != 999)
                lock.Orders()->CheckOrdersWithWorker(position);
        }
        hours = worker->w_std;
        week = *worker->w_week;
        _MarkWorkersChanged(*lock.Workers());
    }
    fDayEditors[field]->SetText(TInt2str(day_value(week.day[fDay], field)).c_str());
    _ShowWeek(week, hours);
    if (hoursChanged)
        PostToApp('WBRA');
}

// MARK: Deleting, templates, the worker pop-up

void WorkoutWindow::DeleteThisWorker()
{
    if (fShownID == 0)
        return;
    ApplyTypedText();
    {
        // Both lists stay locked from the checks to the deletion, so no job
        // can be given to the worker in between.
        PlanLock lock;
        STWorker* workers = lock.Workers();
        Worker* worker = lock.WorkerWithID(fShownID);
        if (workers == nullptr || worker == nullptr)
            return;
        printf("Delete Worker (%s) \n", worker->w_name.c_str());
        if (workers->GetWMax() <= 0) {
            AnyAlert("Don't delete LAST Worker! ");
            return;
        }
        if (worker->HasOpenJobs()) {
            AnyAlert("Don't delete Worker with open Jobs!");
            return;
        }
        workers->DeleteSingleWorker(workers->FindWorkerNrOverID(fShownID));
        _MarkWorkersChanged(*workers);
    }
    fShownID = 0;
    ZeigeWorker(_LastIndex());
}

void WorkoutWindow::SaveTemplate(BMessage* message, int32)
{
    std::string name;
    if (fShownID == 0 || message->FindString("fname:", &name) != B_OK)
        return;
    if (std::optional<std::string> refusal = TypedNameRefusal(name)) {
        AnyAlert(refusal->c_str());
        return;
    }
    ApplyTypedText();
    const std::string path = BuildPath(path2app, kTemplatesFolder, name.c_str(), ".wtp");
    {
        STWorker* workers = STWorker::Existing();
        if (workers == nullptr)
            return;
        BAutolock lock(workers->Lock());
        Worker* worker = workers->GetWorkerWithID(fShownID);
        if (worker == nullptr)
            return;
        worker->SaveAsTempl(path.c_str());
    }
    GScan4Templates(fTemplates, ".wtp", 'W+TF');
}

void WorkoutWindow::SelectAnyWorker()
{
    STWorker* workers = STWorker::Existing();
    if (workers == nullptr)
        return;
    for (int32 i = fPopUp->CountItems() - 1; i >= 0; i--)
        delete fPopUp->RemoveItem(i);
    {
        BAutolock lock(workers->Lock());
        workers->SortedMWorkerList(fPopUp.get(), kShowID, "worker", 1);
    }
    for (int32 i = 0; i < fPopUp->CountItems(); i++) {
        BMenuItem* item = fPopUp->ItemAt(i);
        item->SetMarked(item->Label() == fShownTexts[0]);
    }
    BPoint where;
    uint32 buttons = 0;
    fBack->GetMouse(&where, &buttons, false);
    fPopUp->Go(fBack->ConvertToScreen(where), true, true, true);
}

// MARK: The address book

void WorkoutWindow::Scan4People(BMenu* menu)
{
    if (menu == nullptr)
        return;
    {
        AppLock lock;
        for (int32 i = menu->CountItems() - 1; i >= 0; i--)
            delete menu->RemoveItem(i);
    }
    for (const PeopleEntry& entry : AddressBookEntries()) {
        if (entry.name.empty())
            continue;
        auto* message = new BMessage('L4PE');
        message->AddString("people", entry.name);
        message->AddString("mail", entry.mail.empty() ? "-no mail-" : entry.mail);
        message->AddString("group", entry.group.empty() ? "-" : entry.group);
        auto* item = new MenuIconItem(("     " + entry.name).c_str(), message, -1);
        if (entry.icon.size() == MenuIconItem::kIconDataSize)
            item->SetIconData(entry.icon.data(), entry.icon.size());
        menu->AddItem(item);
    }
}

void WorkoutWindow::SetFromPeople(BMessage* message)
{
    std::string people;
    std::string mail;
    std::string group;
    if (message->FindString("people", &people) != B_OK) {
        printf("people not found \n");
        return;
    }
    if (message->FindString("mail", &mail) != B_OK) {
        printf("mail   not found \n");
        return;
    }
    if (message->FindString("group", &group) != B_OK)
        printf("group  not found \n");
    if (fShownID == 0)
        return;
    ApplyTypedText();
    {
        STWorker* workers = STWorker::Existing();
        if (workers == nullptr)
            return;
        BAutolock lock(workers->Lock());
        if (int32 exists = workers->ExistWorker(people.c_str(), mail.c_str()); exists != 0) {
            printf(" ExistWorker(): %ld\n", long(exists));
            const std::string alert =
                people + " \n" + mail + " \n" + "\n\t..is always in Workouter-List !";
            AnyAlert(alert.c_str());
            return;
        }
        Worker* worker = workers->GetWorkerWithID(fShownID);
        if (worker == nullptr)
            return;
        worker->NewWName(people);
        worker->NewWAlia(mail);
        if (utf8_characters(group) > 4)
            worker->NewWKstl(group);
        fShownTexts = {worker->w_name, worker->w_alias, worker->w_kost};
        _MarkWorkersChanged(*workers);
    }
    _ShowTexts(fShownTexts);
    BMessage redraw('WBRO');
    redraw.AddInt32("xworker", w_ptr);
    redraw.AddString("informer", "SetFromPeople");
    PostToApp(redraw);
}
