// The orders of the open project: read from and written to
// "defs/<project>.vto", added empty or from ".otp" templates, checked,
// sorted and marked for the calendar.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "kit/app/Locker.h"
#include "kit/app/SupportDefs.h"

class BMenu;
class BMessage;
class Order;

using OrderList = std::vector<std::unique_ptr<Order>>;

class STOrder
{
public:
    // Null (after "getSTOrder(): [%s] fail") while DEFS_ORD_IO is shorter
    // than 4 characters or no name for a file (ProjectFilePath); otherwise
    // the one instance, created and loaded on first call. How long the
    // pointer stays valid: data/ListInstance.h.
    static STOrder* getSTOrder();
    // The instance if it exists; never creates it.
    static STOrder* Existing();

    virtual ~STOrder();

    // Unreachable at once (DEFS_ORD_IO becomes "-"); then, once whoever
    // holds the list's lock lets go, the orders are destroyed and 'O_no'
    // posted. Freed when no other thread has it fetched any more; so not to
    // be called while this thread holds the list's lock.
    virtual void DeleteMe();
    virtual void LoadData();
    virtual bool SaveOrderList();
    virtual int32 FindOrderNrOverNr(int32 id);
    virtual int32 GetOMax();
    virtual void AddOrderTemplate(BMessage* message);
    virtual void AddOrder(bool flag);
    // The list takes the order.
    virtual void AddOrderZgr(std::unique_ptr<Order> order);
    virtual void DeleteSingleOrder(int32 index);
    virtual void CheckAllOrders();
    virtual void CheckOrdersWithWorker(int32 workerNr);
    virtual void MarkOrderX(BMessage* message);
    virtual void MarkOrderY(int32 index);
    // false (after "'%s' OpenError!") when the file could not be written;
    // the previous file is then untouched.
    virtual bool SaveOrders(const std::string& path);
    virtual int32 ExistJob(const char* auft, const char* znr, const char* wkz);
    virtual void LoadOrder(const std::string& path, OrderList& list);
    virtual void SortedMOrderList(BMenu* menu);
    virtual void Sort2DeadDatum();
    virtual void Sort2PlanDatum();

    // Optimisation (F1..F6) and its undo. Each run holds the list lock,
    // shows the busy cursor and ends with 'WBRA'; a run that moves nothing
    // sets opt_done and beeps, and then the moving commands do nothing
    // until RestorePDL or F2.
    virtual void SavePDL();
    virtual void RestorePDL();
    virtual void ScanOrderTimes();
    // One run of one-day moves (F1); mode 1 is a run of a repeated F2,
    // which leaves cursor and redraw to F2. The number of orders moved.
    virtual int32 OptimiertOneDay(int32 mode);
    virtual void OptimiertDiffTimesA();
    virtual void OptimiertDiffTimesB();
    virtual void OptimiertDiffTimesC();
    virtual void OptimiertDiffTimesD();
    virtual void OptimiertDiffTimesE();

    // Appends every order's element to the XML document of path.
    virtual bool SaveAsXML(const std::string& path);
    // The text list ("defs/PrintList.txt" without a path), handed to the
    // desktop: 1, or 0 after an alert when no file could be written.
    virtual int32 PrintListAsc(const char* path = nullptr);
    // The HTML page "userdefout.html" after the report form, handed to the
    // desktop; false when the form is too short or nothing was written.
    virtual bool UserDefOut(const std::string& form);
    // The project the list is saved as from now on; false, and nothing
    // changed, for a name ProjectFilePath refuses.
    virtual bool SetProjectName(const std::string& name);

    // Index above the last gives the first, below 0 the last; null when
    // empty.
    Order* GetOrder(int32 index);
    Order* GetOrderWithID(int32 id);

    std::string Name() const;
    BLocker& Lock() { return fLock; }

    // Unsaved changes, from any thread: set by every change to the orders
    // or their jobs that the order file would keep (setters, adding and
    // deleting, loading into the open list, templates, imports, moves of
    // plan dates, a new project name), cleared by a successful save to the
    // list's own file. A sort alone does not set it. False once closed.
    bool Modified() const;
    void SetModified();

    int32 o_index = -1;  // current order, count - 1 after add or load
    int32 pdl_saved = 0; // plan dates saved for undo
    int32 opt_done = 0;  // optimisation exhausted
    int32 sortmode = 0;  // 1 by deadline, 2 by plan date

private:
    STOrder(const std::string& name, const std::string& path);
    // The shell sort by deadline or plan date; equal dates keep their
    // places within one gap pass.
    void _SortByDate(bool planDate);
    // The frame of the moving commands around move, called for every order
    // of status 1 or 2 in plan-date order; the number of orders moved, -1
    // when the run did not start.
    int32 _MoveRun(bool repeated, const std::function<int32(Order&)>& move);

    std::string o_name;
    std::string fPath; // "defs/<project>.vto"
    OrderList fList;
    mutable BLocker fLock;
    bool fClosed = false; // by DeleteMe; nothing is saved any more
    // Ids of the orders whose plan dates SavePDL kept: orders added since
    // have nothing to go back to.
    std::vector<int32> fSavedOrders;
};
