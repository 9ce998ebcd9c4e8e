// The worker editor: one worker at a time — name, alias, cost centre, the
// multi-use mark and the working week, day by day through the week graph —
// paged through the worker list, with workers added (empty, from templates
// or from the address book), deleted, saved as templates and printed.
//
// The window keeps the shown worker's id, never a pointer: every action
// looks the worker up again under the worker list's lock (and the order
// list's first, where orders are read or re-checked). Text typed but not
// yet entered is applied before the window leaves the worker: on paging,
// on closing, when it is deactivated and when 'WAPP' asks for it.
#pragma once

#include <array>
#include <atomic>
#include <memory>
#include <optional>
#include <string>

#include "calendar/TimeValue.h"
#include "kit/interface/Window.h"

class BCheckBox;
class BMenu;
class BMenuField;
class BMenuItem;
class BPopUpMenu;
class BStringView;
class LimitedTextControl;
class STWorker;
class TIOView;
class WeekView;
class Worker;
class XButton;

// Applies the typed text now; a message "then" in it is posted to the
// application afterwards, so a save can follow the window's last edits.
inline constexpr uint32 kApplyTypedText = 'WAPP';

class WorkoutWindow : public BWindow
{
public:
    static constexpr int32 kNone = 99;

    // At WWin_X/WWin_Y, WWin_W x WWin_H; fetches (and so makes) the worker
    // list, shows the worker at w_ptr and shows the window.
    WorkoutWindow();
    ~WorkoutWindow() override;

    void MessageReceived(BMessage* message) override;
    bool QuitRequested() override;
    // Also when another thread closes the window: the typed text is kept.
    void Quit() override;
    void FrameMoved(BPoint where) override;
    void WindowActivated(bool active) override;

    // The extra button row: the shown worker's id in the week graph.
    virtual void ExtendMenu();
    // Name, alias and cost centre as the fields hold them.
    virtual void InputWNames();
    // Positions past the end show the first, below 0 the last.
    virtual void ZeigeWorker(int32 index);
    // "daytime" 0..6 opens the day editors on that day; else (or without a
    // message) they close.
    virtual void ZeigeDaytime(BMessage* message);
    // 'DAYs', 'DAYa', 'DAYp' with the editor's "text".
    virtual void SetDaytime(BMessage* message);
    virtual void DeleteThisWorker();
    // "fname:" names the template in "templates".
    virtual void SaveTemplate(BMessage* message, int32 index);
    virtual void SelectAnyWorker();
    virtual void Scan4People(BMenu* menu);
    // "people", "mail" and "group" of an address-book entry.
    virtual void SetFromPeople(BMessage* message);
    // The text fields' and day editors' typed text goes into the worker.
    void ApplyTypedText();

    // The position shown, shared with the application object.
    static std::atomic<int32> w_ptr;
    // The extra button row is shown.
    static std::atomic<int32> kbo_wko;

    int32 ShownWorkerID() const { return fShownID; }
    int32 ShownIndex() const { return fShown; }
    int32 SelectedDay() const { return fDay; }
    BView* BackView() const { return fBack; }

private:
    struct Shown;

    void _BuildMenus(BRect bounds);
    void _BuildFields();
    void _BuildButtons();
    void _Dispatch(BMessage* message);
    void _ShowEmpty();
    void _ShowCopy(const Shown& shown);
    void _ShowTexts(const std::array<std::string, 3>& texts);
    void _ShowWeek(const wkoweek& week, TInt hours);
    void _SetEditing(bool enabled);
    void _ShowDayEditors(bool visible);
    void _SetDayEditorTexts(const char* begin, const char* active, const char* pause);
    int32 _LastIndex();
    void _ShowIndex(BMessage* message, const char* field);
    void _ShowByID(BMessage* message);
    // Stores one of the three texts (0 name, 1 alias, 2 cost centre) when
    // the field holds something else than the worker.
    void _StoreText(int32 which);
    void _SetMultiuse();
    // One field of the selected day: 0 begin, 1 active hours, 2 break.
    void _ChangeDay(int32 field, const std::string& text);
    void _ApplyTyped(BMessage* message);
    void _Pass(BMessage* message);
    void _RedrawAll();
    // Stands for the worker list's unsaved-changes mark
    // (STWorker::SetModified once the list carries it).
    void _MarkWorkersChanged(STWorker& workers);

    BView* fBack = nullptr;
    BMenuField* fMenuField = nullptr;
    BMenu* fMenu = nullptr;
    BMenu* fTemplates = nullptr;
    BMenu* fPeople = nullptr;
    BMenuItem* fSaveTemplate = nullptr;
    BMenuItem* fOffDays = nullptr;
    BMenuItem* fIllness = nullptr;
    BMenuItem* fDelete = nullptr;
    std::array<LimitedTextControl*, 3> fTexts{};
    BCheckBox* fMultiuse = nullptr;
    std::array<TIOView*, 3> fDayEditors{};
    BStringView* fHours = nullptr;
    BStringView* fOffDayCount = nullptr;
    BStringView* fIllnessCount = nullptr;
    WeekView* fWeekView = nullptr;
    XButton* fDeleteButton = nullptr;
    XButton* fTemplateButton = nullptr;
    XButton* fPrintButton = nullptr;
    std::unique_ptr<BPopUpMenu> fPopUp;

    // What the views show of the worker, as copied under the list's lock.
    std::array<std::string, 3> fShownTexts;
    std::optional<wkoweek> fWeek;
    int32 fShown = kNone;
    int32 fShownID = 0;
    int32 fDay = kNone;
    bool fQuitting = false;
};
