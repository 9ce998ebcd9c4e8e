// The order editor: one order at a time with its texts, dates, status, type,
// links and its jobs as bars on the job canvas; below it the selected job's
// hours and info and the sum of the order's hours. Every edit goes into the
// Order and ProzBalken records under the order list's lock and ends in the
// order check; the calendar is told by messages to the application.
//
// The window keeps the shown order's id and the selected job's index, never
// pointers: each use finds them again under the list's lock, and an order
// that is gone is skipped. The job bars are views the orders own; the
// window only borrows them and takes them out before it goes.
#pragma once

#include <atomic>
#include <memory>
#include <string>

#include "calendar/TimeValue.h"
#include "kit/interface/Window.h"

class BButton;
class BCheckBox;
class BMenu;
class BMenuBar;
class BMenuField;
class BPopUpMenu;
class BStringView;
class BTextControl;
class LinkTank;
class Order;
class OrderWindowField;
class PlanLock;
class ProzBalken;
class ProzView;
class STOrder;

class OrderWindow : public BWindow
{
public:
    // Builds the controls, shows the order at o_ptr and the window.
    explicit OrderWindow(BRect frame);
    ~OrderWindow() override;

    void MessageReceived(BMessage* message) override;
    bool QuitRequested() override;
    void WindowActivated(bool active) override;
    void FrameMoved(BPoint where) override;
    void FrameResized(float width, float height) override;

    // Shows the order at index (below 0 the last, past the last the first);
    // nothing when it is shown already. mode is the caller's, kept for the
    // record of who asked.
    virtual void ZeigeOrder(int32 index, int32 mode);
    virtual void UpdateDataView(int32 index, int32 mode);
    // Applies every field whose text differs from the shown order.
    virtual void InputNames();
    virtual void InputRules(BMessage* message);
    virtual void RescanOrder(int32 index, bool notify);
    virtual void AddProzBalken(BRect rect);
    virtual void StdInOut(int32 mode, BMessage* message);
    virtual void SetProzBalkStd();
    virtual void InfoInOut();
    virtual void DeleteOneOrder(int32 index);
    virtual void SaveTemplate(BMessage* message, int32 index);
    virtual void GetCDay(BTextControl* field, uint32 code);
    virtual void UpdateOrderPopUp();
    virtual void SelectAnyOrder();
    virtual void ExtendMenu();
    // What is typed but not yet applied (fields, job hours and info) goes
    // into the records: before closing, on deactivation, before a save.
    void ApplyPendingText();

    // The shown order's id; -1 while the list is empty or closed.
    int32 ShownOrderId() const { return fOrderId; }
    // The selected job's index in the shown order; -1 when none.
    int32 SelectedJob() const { return fJob; }
    ProzView* Canvas() const { return fCanvas; }

    static constexpr int32 kNotShown = 999;

    // The current order's index in the order list.
    static std::atomic<int32> o_ptr;
    // The selected job's index in the current order, -1 for none.
    static std::atomic<int32> pb_ptr;
    // 1 once the "Delete" button is in the window.
    static std::atomic<int32> kbo_ord;

private:
    void _BuildControls();
    void _BuildMenu(BRect bounds);
    // Everything but the menu bar disabled and emptied: no order to edit.
    void _ShowNothing();
    void _EnableControls(bool enabled);
    void _Page(int32 step);
    void _ShowOrderWithID(BMessage* message);
    void _DateChosen(BMessage* message);
    void _DateFieldInvoked(BMessage* message);
    void _JobClicked(BMessage* message);
    void _Print();
    void _Forward(BMessage* message);
    void _Relabel();
    void _FillCanvas(Order& order);
    void _SetSum(TInt sum);
    void _HideJobInputs();
    bool _ApplyDate(Order& order, BTextControl* field, bool deadline);
    void _MarkOverrun(const Order& order);
    // The shown order under lock, re-found by id; null when gone.
    Order* _Shown(PlanLock& lock);
    // The selected job of order; null when none or gone.
    ProzBalken* _Job(Order& order);

    // Through the order's own job list and the list's unsaved mark; callers
    // hold the list's lock.
    static void _AddJob(Order& order, std::unique_ptr<ProzBalken> job);
    static std::unique_ptr<ProzBalken> _RemoveJob(Order& order, int32 index);
    static void _MarkModified(STOrder* list);

    int32 fShown = kNotShown;
    int32 fOrderId = -1;
    int32 fJob = -1;
    bool fOrderShown = false;
    TInt fSum = 0;
    BRect fPreviousFrame;

    BMenuBar* fMenuBar = nullptr;
    BMenu* fTemplateMenu = nullptr;
    BView* fBack = nullptr;
    OrderWindowField* fName = nullptr;
    OrderWindowField* fDrawing = nullptr;
    OrderWindowField* fUnit = nullptr;
    BCheckBox* fNeed = nullptr;
    BMenuField* fStatus = nullptr;
    BMenuField* fType = nullptr;
    OrderWindowField* fDeadline = nullptr;
    OrderWindowField* fPlanDate = nullptr;
    LinkTank* fLinks = nullptr;
    ProzView* fCanvas = nullptr;
    OrderWindowField* fHours = nullptr;
    OrderWindowField* fInfo = nullptr;
    BStringView* fSumView = nullptr;
    BButton* fDelete = nullptr;
    std::unique_ptr<BPopUpMenu> fOrderMenu;
};
