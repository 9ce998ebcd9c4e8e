#include "data/STWorker.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <mutex>
#include <set>

#include "app/AppPost.h"
#include "app/Globals.h"
#include "app/Paths.h"
#include "calendar/CivilDays.h"
#include "calendar/Clock.h"
#include "data/ChangeMark.h"
#include "data/ListInstance.h"
#include "data/RecordLineReader.h"
#include "data/Worker.h"
#include "kit/app/Autolock.h"
#include "kit/app/Message.h"
#include "kit/app/OS.h"
#include "kit/interface/Menu.h"
#include "kit/interface/MenuItem.h"
#include "kit/storage/SafeSave.h"

namespace {

constexpr const char* kWorkerExtension = ".vtw";

// Never destroyed: a list still open at exit is not torn down after the
// toolkit it uses.
ListInstance<STWorker>& Instances()
{
    static auto* instances = new ListInstance<STWorker>;
    return *instances;
}

int32 Number(const std::string& text)
{
    return civil::ClampToInt32(strtol(text.c_str(), nullptr, 10));
}

std::string Upper(const std::string& text)
{
    std::string upper = text;
    for (char& c : upper)
        c = char(toupper(static_cast<unsigned char>(c)));
    return upper;
}

void FinishWorker(Worker* worker)
{
    if (worker == nullptr)
        return;
    worker->SetWochenStd();
    worker->AllDaysTable();
}

void ReadWeekday(Worker* worker, int32 index, const RecordLine& line)
{
    daymark& day = worker->w_week->day[size_t(index)];
    const std::vector<std::string> fields = line.Fields();
    if (fields.size() > 0)
        day.dayname = Worker::DayNameText(fields[0]);
    if (fields.size() > 1)
        day.begin = str2Tint(fields[1]);
    if (fields.size() > 2)
        day.worktime = str2Tint(fields[2]);
    if (fields.size() > 3)
        day.pause = str2Tint(fields[3]);
    SetETime(&day);
}

void ReadDays(DayList& days, const RecordLine& line)
{
    for (const std::string& field : line.Fields())
        days.push_back(Worker::ReadDay(field));
}

} // namespace

STWorker* STWorker::getSTWorker()
{
    return Instances().Get([]() -> STWorker* {
        const std::string key = DEFS_WKO_IO;
        if (key.size() < 4) {
            printf("getSTWorker(): [%s]  fail\n", key.c_str());
            return nullptr;
        }
        const std::string name = DEFS_ORD_IO;
        const std::optional<std::string> path = ProjectFilePath(name, kWorkerExtension);
        if (!path) {
            printf("getSTWorker(): [%s]  fail\n", name.c_str());
            return nullptr;
        }
        return new STWorker(name, *path);
    });
}

STWorker* STWorker::Existing()
{
    return Instances().Current();
}

STWorker::STWorker(const std::string& name, const std::string& path)
    : fName(name), fPath(path), fLock("STWorker")
{
    printf("\n BUILD-STWorker\t");
    if (fName != "noname") {
        BAutolock lock(fLock);
        if (fName.size() < 3) {
            AddWorker();
        } else {
            LoadWorker(fPath, fList);
            CheckAllWorkers();
        }
    }
    _RefreshMax();
    ChangeMark::Workers().Reset();
    wko_exist = 1;
    PostToApp('Wyes');
    printf(" BUILD-STWorker-DONE [%ld] \n", long(fMaxIndex));
}

STWorker::~STWorker() = default;

void STWorker::DeleteMe()
{
    printf("DESTROY-STWorker::DeleteMe [%s]\n", Name().c_str());
    std::shared_ptr<STWorker> owner = Instances().Unlink(this, [] { DEFS_WKO_IO = "-"; });
    {
        // Whoever holds the list finishes first.
        BAutolock lock(fLock);
        fClosed = true;
        while (!fList.empty())
            fList.pop_back();
        _RefreshMax();
    }
    if (owner) {
        wko_exist = 0;
        PostToApp('W_no');
    }
    printf("DESTROY-STWorker done\n");
    Instances().Release(this, std::move(owner));
}

std::string STWorker::Name() const
{
    BAutolock lock(fLock);
    return fName;
}

void STWorker::_RefreshMax()
{
    fMaxIndex = int32(fList.size()) - 1;
}

int32 STWorker::GetNewMyID4Worker()
{
    int32 highest = 0;
    for (const std::unique_ptr<Worker>& worker : fList)
        highest = std::max(highest, worker->w_id);
    if (highest < INT32_MAX)
        return highest + 1;
    // A hand-edited file took the last id: hand out the lowest free one.
    std::set<int32> used;
    for (const std::unique_ptr<Worker>& worker : fList)
        used.insert(worker->w_id);
    int32 id = 1;
    while (used.count(id) != 0)
        id++;
    return id;
}

void STWorker::CheckWorkerID()
{
    for (const std::unique_ptr<Worker>& worker : fList) {
        if (worker->w_id == 0) {
            worker->w_id = GetNewMyID4Worker();
            ChangeMark::Workers().Note();
        }
    }
}

void STWorker::CheckAllWorkers()
{
    BAutolock lock(fLock);
    for (const std::unique_ptr<Worker>& worker : fList) {
        worker->AllDaysTable();
        worker->SetWochenStd();
    }
    CheckWorkerID();
    ClearAllFSPoint();
}

void STWorker::ClearAllFSPoint()
{
    for (const std::unique_ptr<Worker>& worker : fList)
        worker->fs_point = str2CDay(nullptr);
}

void STWorker::ShowAllFSPoint()
{
    for (const std::unique_ptr<Worker>& worker : fList) {
        printf("[%s %s][%s]\n", CDay2str(worker->fs_point.get()).c_str(),
               TInt2str(worker->fs_point ? worker->fs_point->hours : 0).c_str(),
               worker->w_name.c_str());
    }
}

Worker* STWorker::GetWorker(int32 n)
{
    if (fList.empty())
        return nullptr;
    if (n > fMaxIndex)
        n = 0;
    else if (n < 0)
        n = fMaxIndex;
    return fList[size_t(n)].get();
}

int32 STWorker::_PositionOfID(int32 id)
{
    std::lock_guard guard(fIdMutex);
    const int32 count = int32(fList.size());
    auto found = fIdIndex.find(id);
    if (found != fIdIndex.end() && found->second < count && fList[found->second]->w_id == id)
        return found->second;
    // Unknown or stale (ids and positions change in place): look once and
    // remember every position again, the first worker of an id winning.
    fIdIndex.clear();
    int32 position = -1;
    for (int32 i = count - 1; i >= 0; i--) {
        fIdIndex[fList[i]->w_id] = i;
        if (fList[i]->w_id == id)
            position = i;
    }
    return position;
}

Worker* STWorker::GetWorkerWithID(int32 id)
{
    // Not through FindWorkerNrOverID: its 999 is also a position.
    const int32 position = _PositionOfID(id);
    return position < 0 ? nullptr : fList[position].get();
}

int32 STWorker::FindWorkerNrOverID(int32 id)
{
    const int32 position = _PositionOfID(id);
    return position < 0 ? 999 : position;
}

int32 STWorker::GetWMax()
{
    return fMaxIndex;
}

int32 STWorker::ExistWorker(const char* name, const char* alias)
{
    const std::string wantedName = name != nullptr ? name : "";
    const std::string wantedAlias = alias != nullptr ? alias : "";
    for (const std::unique_ptr<Worker>& worker : fList) {
        const bool sameName = worker->w_name == wantedName;
        const bool sameAlias = worker->w_alias == wantedAlias;
        if (sameName)
            printf("[N]%s|%s\n", worker->w_name.c_str(), worker->w_alias.c_str());
        if (sameAlias)
            printf("[A]%s|%s\n", worker->w_name.c_str(), worker->w_alias.c_str());
        if (sameName && sameAlias)
            return 2;
    }
    return 0;
}

void STWorker::AddWorker()
{
    printf("\n\n STWorker::AddWorker \n");
    auto worker = std::make_unique<Worker>();
    BAutolock lock(fLock);
    worker->w_id = GetNewMyID4Worker();
    worker->AllDaysTable();
    fList.push_back(std::move(worker));
    _RefreshMax();
    ChangeMark::Workers().Note();
    PostToApp('WUIz');
}

void STWorker::AddWorkerZgr(std::unique_ptr<Worker> worker)
{
    printf("\n\n STWorker::AddWorkerZGR \n");
    if (!worker)
        return;
    worker->AllDaysTable();
    BAutolock lock(fLock);
    fList.push_back(std::move(worker));
    _RefreshMax();
    ChangeMark::Workers().Note();
    PostToApp('WUIz');
}

void STWorker::AddWorkerTemplate(BMessage* message)
{
    std::string name;
    if (message == nullptr || message->FindString("fname", &name) != B_OK)
        return;
    printf(">>>found: %s%s\n ", name.c_str(), ".wtp");
    // Template names come from the folder's listing; one that points
    // elsewhere is not a template.
    if (name.find('/') != std::string::npos)
        return;
    const std::string path = BuildPath(path2app, kTemplatesFolder, name.c_str(), ".wtp");
    {
        BAutolock lock(fLock);
        ChangeMark::Workers().Note();
        LoadWorker(path, fList);
        CheckAllWorkers();
        _RefreshMax();
    }
    PostToApp('WUIz');
}

void STWorker::DeleteSingleWorker(int32 n)
{
    {
        BAutolock lock(fLock);
        if (fList.size() <= 1) {
            printf("last Worker delete? \n");
            return;
        }
        if (n < 0 || size_t(n) >= fList.size())
            printf(" not removed \n");
        else {
            fList.erase(fList.begin() + n);
            ChangeMark::Workers().Note();
        }
        _RefreshMax();
    }
    PostToApp('WB_A');
    snooze(100000);
    PostToApp('WUIz');
    snooze(100000);
    PostToApp('OCHA');
}

void STWorker::LoadWorker(const std::string& path, WorkerList& list)
{
    std::optional<RecordLineReader> reader = RecordLineReader::Open(path);
    if (!reader) {
        printf(" File Missing! ");
        auto worker = std::make_unique<Worker>();
        const std::tm today = Clock::LocalNow();
        worker->w_id = today.tm_mday * 100 + (today.tm_mon + 1); // "%d%02d"
        list.push_back(std::move(worker));
        return;
    }
    Worker* current = nullptr;
    int32 weekdays = 0;
    RecordLine line;
    while (reader->Next(line)) {
        if (line.IsComment())
            continue;
        if (line.HasTag("[IT]")) {
            FinishWorker(current);
            list.push_back(std::make_unique<Worker>());
            current = list.back().get();
            weekdays = 0;
            current->TakeFileTexts(line.Field(1), line.Field(2), line.Field(3));
            if (auto id = line.Field(4))
                current->w_id = Number(*id);
            // "Longer than two characters" counted the line end, which the
            // reader has already dropped.
            const std::optional<std::string> rest = line.Rest(4);
            if (rest && rest->size() + 1 > 2) {
                if (auto multiuse = line.Field(5))
                    current->multiuse = int8(Number(*multiuse));
            }
        } else if (current == nullptr) {
            continue;
        } else if (line.HasTag("[WD]")) {
            if (weekdays < 7)
                ReadWeekday(current, weekdays++, line);
        } else if (line.HasTag("[UD]")) {
            ReadDays(current->u_days, line);
        } else if (line.HasTag("[IL]")) {
            ReadDays(current->i_days, line);
        }
    }
    FinishWorker(current);
    printf(" STWorker-LOAD-END\n");
}

bool STWorker::SaveWorker(const std::string& path)
{
    BAutolock lock(fLock);
    if (fClosed) {
        // Closed by another thread: its workers are gone, the file is not.
        printf("'%s' OpenError!\n", path.c_str());
        return false;
    }
    const uint64_t changes = ChangeMark::Workers().Count();
    std::string out;
    for (const std::unique_ptr<Worker>& worker : fList) {
        worker->SaveAsASC(out);
        out += "; --";
    }
    if (!SaveWholeFile(path, out)) {
        printf("'%s' OpenError!\n", path.c_str());
        return false;
    }
    // A copy elsewhere leaves the project's own file as it was.
    if (path == fPath)
        ChangeMark::Workers().Saved(changes);
    printf(" STWorker-SAVE-END [%ld|%s%s]\n", long(fMaxIndex), fName.c_str(), ".vtw");
    return true;
}

bool STWorker::SaveWorkerList()
{
    BAutolock lock(fLock);
    return SaveWorker(fPath);
}

bool STWorker::SetProjectName(const std::string& name)
{
    std::optional<std::string> path = ProjectFilePath(name, kWorkerExtension);
    if (!path)
        return false;
    BAutolock lock(fLock);
    fName = name;
    if (*path != fPath) {
        // The new file does not hold the list yet.
        fPath = std::move(*path);
        ChangeMark::Workers().Note();
    }
    return true;
}

void STWorker::SortedMWorkerList(BMenu* menu, uint32 what, const char* field, int32 useid)
{
    if (menu == nullptr)
        return;
    const char* entry = field != nullptr ? field : "";
    struct Item
    {
        std::string key;
        std::string name;
        BMessage* message;
    };
    std::vector<Item> items;
    for (size_t i = 0; i < fList.size(); i++) {
        const Worker& worker = *fList[i];
        auto* message = new BMessage(what);
        message->AddInt32(entry, useid != 0 ? worker.w_id : int32(i));
        message->AddString("labelt", worker.w_name);
        items.push_back({Upper(worker.w_name), worker.w_name, message});
    }
    std::stable_sort(items.begin(), items.end(),
                     [](const Item& a, const Item& b) { return a.key < b.key; });
    for (size_t i = 0; i < items.size(); i++)
        menu->AddItem(new BMenuItem(items[i].name.c_str(), items[i].message), int32(i));
}

bool STWorker::Modified() const
{
    BAutolock lock(fLock);
    return !fClosed && ChangeMark::Workers().Modified();
}

void STWorker::SetModified()
{
    ChangeMark::Workers().Note();
}
