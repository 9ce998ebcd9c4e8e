// The workers of the open project: read from and written to
// "defs/<project>.vtw", with their persistent ids, menus of their names and
// the template files ".wtp".
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "kit/app/Locker.h"
#include "kit/app/SupportDefs.h"

class BMenu;
class BMessage;
class Worker;

using WorkerList = std::vector<std::unique_ptr<Worker>>;

class STWorker
{
public:
    // Null (after "getSTWorker(): [%s]  fail\n") while DEFS_WKO_IO is
    // shorter than 4 characters or DEFS_ORD_IO no name for a file
    // (ProjectFilePath); otherwise the one instance, created and loaded on
    // first call. How long the pointer stays valid: data/ListInstance.h.
    static STWorker* getSTWorker();
    // The instance if it exists; never creates it.
    static STWorker* Existing();

    virtual ~STWorker();

    // Unreachable at once (DEFS_WKO_IO becomes "-"); then, once whoever
    // holds the list's lock lets go, the workers are destroyed and 'W_no'
    // posted. Freed when no other thread has it fetched any more; so not to
    // be called while this thread holds the list's lock.
    virtual void DeleteMe();
    virtual int32 GetNewMyID4Worker();
    virtual void CheckWorkerID();
    virtual void CheckAllWorkers();
    virtual void ClearAllFSPoint();
    virtual void ShowAllFSPoint();
    virtual void AddWorkerTemplate(BMessage* message);
    virtual void AddWorker();
    // The list takes the worker.
    virtual void AddWorkerZgr(std::unique_ptr<Worker> worker);
    virtual void DeleteSingleWorker(int32 n);
    virtual bool SaveWorkerList();
    virtual void LoadWorker(const std::string& path, WorkerList& list);
    virtual void SortedMWorkerList(BMenu* menu, uint32 what, const char* field, int32 useid);
    virtual int32 ExistWorker(const char* name, const char* alias);
    virtual int32 FindWorkerNrOverID(int32 id);
    virtual int32 GetWMax();
    // false (after "'%s' OpenError!\n") when the file could not be written;
    // the previous file is then untouched.
    virtual bool SaveWorker(const std::string& path);
    // Appends every worker's element to the XML document of path.
    virtual bool SaveAsXML(const std::string& path);
    // The project the list is saved as from now on (name and file path);
    // false, and nothing changed, for a name ProjectFilePath refuses.
    virtual bool SetProjectName(const std::string& name);

    // n above the last position gives the first, below 0 the last; null
    // when the list is empty.
    Worker* GetWorker(int32 n);
    Worker* GetWorkerWithID(int32 id);

    std::string Name() const;
    BLocker& Lock() { return fLock; }

    // Unsaved changes, from any thread: set by every change to the workers
    // that the worker file would keep (setters, days, adding and deleting,
    // templates, imports, a new project name), cleared by a successful save
    // to the list's own file. False once closed.
    bool Modified() const;
    void SetModified();

    int32 w_shown = 0; // position last shown in the worker editor

private:
    STWorker(const std::string& name, const std::string& path);
    void _RefreshMax();
    // Position of the worker with this id, or -1. Every job asks this on
    // every order check, so positions are remembered by id; an entry is
    // trusted only while the worker there still has that id.
    int32 _PositionOfID(int32 id);

    int32 fMaxIndex = -1;
    std::string fName;
    std::string fPath;
    WorkerList fList;
    mutable BLocker fLock;
    bool fClosed = false; // by DeleteMe; nothing is saved any more
    std::mutex fIdMutex;
    std::unordered_map<int32, int32> fIdIndex; // guarded by fIdMutex
};
