#include "data/STOrder.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "app/AppPost.h"
#include "app/Globals.h"
#include "app/MenuIconItem.h"
#include "app/Paths.h"
#include "app/Settings.h"
#include "calendar/CivilDays.h"
#include "data/ChangeMark.h"
#include "data/DayTable.h"
#include "data/ListInstance.h"
#include "data/Order.h"
#include "data/ProzBalken.h"
#include "data/RecordLineReader.h"
#include "data/STWorker.h"
#include "data/Worker.h"
#include "kit/app/Autolock.h"
#include "kit/app/Message.h"
#include "kit/app/OS.h"
#include "kit/interface/Menu.h"
#include "kit/storage/SafeSave.h"

namespace {

// Never destroyed: a list still open at exit is not torn down after the
// toolkit it uses.
ListInstance<STOrder>& Instances()
{
    static auto* instances = new ListInstance<STOrder>;
    return *instances;
}

constexpr const char* kOrderExtension = ".vto";
constexpr const char* kTemplateExtension = ".otp";
// Grid values far outside any editor still stay exact floats.
constexpr double kGridMax = 10'000;

// A field of one to nine plain digits, as the writers write them; read
// without strtol/strtod, which opening a large project calls a million times.
bool plain_digits(const std::string& text, int32* value)
{
    if (text.empty() || text.size() > 9)
        return false;
    int32 result = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        result = result * 10 + (c - '0');
    }
    *value = result;
    return true;
}

int32 number(const std::optional<std::string>& field)
{
    if (!field)
        return 0;
    int32 value = 0;
    if (plain_digits(*field, &value))
        return value;
    return civil::ClampToInt32(strtol(field->c_str(), nullptr, 10));
}

// Pixels from a grid field; fractions are allowed ("3.5" is 35).
float grid_pixels(const std::optional<std::string>& field)
{
    if (!field)
        return 0;
    int32 whole = 0;
    if (plain_digits(*field, &whole))
        return float(std::min<double>(whole, kGridMax) * 10);
    const double value = strtod(field->c_str(), nullptr);
    if (std::isnan(value))
        return 0;
    return float(std::clamp(value, -kGridMax, kGridMax) * 10);
}

int32 at_most(int32 value, int32 highest)
{
    return std::clamp(value, 0, highest);
}

bool have_workers()
{
    STWorker* workers = STWorker::getSTWorker();
    return workers != nullptr && workers->GetWMax() >= 0;
}

void read_order_line(Order* order, const RecordLine& line)
{
    const std::vector<std::string> fields = line.Fields();
    auto field = [&](size_t number) {
        return fields.size() >= number ? std::optional<std::string>(fields[number - 1])
                                       : std::nullopt;
    };
    // The dates first: the texts then take what the line leaves them.
    if (fields.size() >= 4)
        order->NewODli(fields[3]);
    if (fields.size() >= 5)
        order->NewOPdl(fields[4]);
    order->TakeFileTexts(field(1), field(2), field(3));
    if (fields.size() >= 6)
        order->oneed = at_most(number(fields[5]), 1);
    if (fields.size() >= 7)
        order->ostat = at_most(number(fields[6]), 4);
    if (fields.size() >= 8)
        order->otyp = at_most(number(fields[7]), 2);
}

void read_job_line(Order* order, const RecordLine& line)
{
    const BRect position(grid_pixels(line.Field(1)), grid_pixels(line.Field(3)),
                         grid_pixels(line.Field(2)), grid_pixels(line.Field(4)));
    const int32 workerId = number(line.Field(5));
    const uint8 status = uint8(at_most(number(line.Field(6)), 255));
    std::optional<std::string> hours = line.Field(7);
    const TInt time = hours ? str2Tint(*hours) : 0;
    const int32 priority = number(line.Field(8));
    std::optional<std::string> info = line.Field(9);
    if (!info) {
        std::optional<std::string> rest = line.Rest(8);
        printf(">> tlen: %d", rest ? int(rest->size()) : 0);
        info.emplace(1, '-'); // (= "-" trips a false -Wrestrict in g++ 12)
    }
    order->AddJob(
        std::make_unique<ProzBalken>(position, workerId, status, time, priority, info->c_str()));
}

void read_link_line(Order* order, const RecordLine& line)
{
    std::string link = line.Text();
    link.erase(link.find("[LN]"), 4);
    order->AddLink(link);
}

std::string upper(const std::string& text)
{
    std::string result = text;
    for (char& c : result)
        c = char(toupper(static_cast<unsigned char>(c)));
    return result;
}

} // namespace

// MARK: The one instance

STOrder* STOrder::getSTOrder()
{
    const std::string name = DEFS_ORD_IO;
    if (name.size() < 4) {
        printf("getSTOrder(): [%s] fail", name.c_str());
        return nullptr;
    }
    return Instances().Get([]() -> STOrder* {
        // Read again under the creation lock: a close in between made it "-".
        const std::string name = DEFS_ORD_IO;
        const std::optional<std::string> path = ProjectFilePath(name, kOrderExtension);
        if (name.size() < 4 || !path) {
            printf("getSTOrder(): [%s] fail", name.c_str());
            return nullptr;
        }
        return new STOrder(name, *path);
    });
}

STOrder* STOrder::Existing()
{
    return Instances().Current();
}

STOrder::STOrder(const std::string& name, const std::string& path) : o_name(name), fPath(path)
{
    fList.reserve(20);
    if (o_name != "noname") {
        BAutolock lock(fLock);
        if (o_name.size() < 3) {
            AddOrder(true);
            printf(">> '%s' add def", o_name.c_str());
        } else {
            LoadOrder(fPath, fList);
            o_index = GetOMax();
            if (have_workers())
                CheckAllOrders();
            else
                printf("THERE ARE NO WORKERS !");
        }
    }
    ChangeMark::Orders().Reset();
    ord_exist = 1;
    PostToApp('Oyes');
}

STOrder::~STOrder() = default;

void STOrder::DeleteMe()
{
    std::shared_ptr<STOrder> owner = Instances().Unlink(this, [] { DEFS_ORD_IO = "-"; });
    {
        // Whoever holds the list finishes first.
        BAutolock lock(fLock);
        fClosed = true;
        while (!fList.empty())
            fList.pop_back();
    }
    if (owner) {
        ord_exist = 0;
        PostToApp('O_no');
    }
    Instances().Release(this, std::move(owner));
}

std::string STOrder::Name() const
{
    BAutolock lock(fLock);
    return o_name;
}

// MARK: Files

void STOrder::LoadData()
{
    BAutolock lock(fLock);
    ChangeMark::Orders().Note();
    LoadOrder(fPath, fList);
    o_index = GetOMax();
    if (have_workers())
        CheckAllOrders();
}

bool STOrder::SaveOrderList()
{
    BAutolock lock(fLock);
    return SaveOrders(fPath);
}

bool STOrder::SetProjectName(const std::string& name)
{
    std::optional<std::string> path = ProjectFilePath(name, kOrderExtension);
    if (!path)
        return false;
    BAutolock lock(fLock);
    o_name = name;
    if (*path != fPath) {
        // The new file does not hold the list yet.
        fPath = std::move(*path);
        ChangeMark::Orders().Note();
    }
    return true;
}

bool STOrder::Modified() const
{
    BAutolock lock(fLock);
    return !fClosed && ChangeMark::Orders().Modified();
}

void STOrder::SetModified()
{
    ChangeMark::Orders().Note();
}

bool STOrder::SaveOrders(const std::string& path)
{
    BAutolock lock(fLock);
    if (fClosed) {
        // Closed by another thread: its orders are gone, the file is not.
        printf("'%s' OpenError!", path.c_str());
        return false;
    }
    const uint64_t changes = ChangeMark::Orders().Count();
    std::string text;
    for (size_t i = 0; i < fList.size(); i++) {
        if (fList[i] == nullptr) {
            printf("SAVE OR bad %ld", long(i));
            continue;
        }
        fList[i]->SaveAsASC(text);
    }
    text += "; ---";
    if (!SaveWholeFile(path, text)) {
        printf("'%s' OpenError!", path.c_str());
        return false;
    }
    // A copy elsewhere leaves the project's own file as it was.
    if (path == fPath)
        ChangeMark::Orders().Saved(changes);
    printf(" STOrder-SAVE-END  [%ld|%s%s]", long(fList.size()), o_name.c_str(), kOrderExtension);
    return true;
}

void STOrder::LoadOrder(const std::string& path, OrderList& list)
{
    std::optional<RecordLineReader> reader = RecordLineReader::Open(path);
    if (!reader) {
        printf(" File Missing! ");
        list.push_back(std::make_unique<Order>(true));
        return;
    }
    const bool canMakeJobs = have_workers();
    // Only orders of this file take jobs and links.
    Order* current = nullptr;
    RecordLine line;
    while (reader->Next(line)) {
        if (line.IsComment())
            continue;
        if (line.HasTag("[IT]")) {
            list.push_back(std::make_unique<Order>(false));
            current = list.back().get();
            read_order_line(current, line);
        }
        if (current == nullptr)
            continue;
        // A job needs an existing worker.
        if (line.HasTag("[PB]") && canMakeJobs)
            read_job_line(current, line);
        if (line.HasTag("[LN]"))
            read_link_line(current, line);
    }
    printf(" STOrder -LOAD-END %p", static_cast<void*>(&list));
}

// MARK: Finding orders

Order* STOrder::GetOrder(int32 index)
{
    if (fList.empty())
        return nullptr;
    const int32 last = GetOMax();
    if (index > last)
        index = 0;
    else if (index < 0)
        index = last;
    return fList[size_t(index)].get();
}

Order* STOrder::GetOrderWithID(int32 id)
{
    for (const auto& order : fList) {
        if (order != nullptr && order->onr == id)
            return order.get();
    }
    return nullptr;
}

int32 STOrder::FindOrderNrOverNr(int32 id)
{
    for (size_t i = 0; i < fList.size(); i++) {
        if (fList[i] != nullptr && fList[i]->onr == id)
            return int32(i);
    }
    printf("%ld FindOrderNrOverNr NOT FOUND: %ld", long(GetOMax()), long(id));
    return 999;
}

int32 STOrder::GetOMax()
{
    return int32(fList.size()) - 1;
}

int32 STOrder::ExistJob(const char* auft, const char* znr, const char* wkz)
{
    auft = auft != nullptr ? auft : "";
    znr = znr != nullptr ? znr : "";
    wkz = wkz != nullptr ? wkz : "";
    int32 found = 0;
    for (const auto& order : fList) {
        found = 0;
        // The given name and drawing number contain the order's; the
        // order's tool code contains the given one.
        if (strstr(auft, order->oauft.c_str()) != nullptr) {
            found = 1;
            if (strstr(znr, order->oznr.c_str()) != nullptr) {
                found = 2;
                if (strstr(order->owkz.c_str(), wkz) != nullptr)
                    found = 3;
            }
        }
        if (found == 3)
            break;
    }
    return found;
}

// MARK: Adding and deleting

void STOrder::AddOrder(bool flag)
{
    printf("AddOrder(%d)", flag ? 1 : 0);
    auto order = std::make_unique<Order>(true);
    order->PruefeOrder(true);
    const int32 id = order->onr;
    {
        BAutolock lock(fLock);
        fList.push_back(std::move(order));
        o_index = GetOMax();
        ChangeMark::Orders().Note();
    }
    BMessage show('OUIx');
    show.AddInt32("order", id);
    PostToApp(show);
    PostToApp('WB_A');
}

void STOrder::AddOrderTemplate(BMessage* message)
{
    std::string name;
    if (message == nullptr || message->FindString("fname", &name) != B_OK)
        return;
    // Template names come from the template folder's listing.
    if (name.empty() || name.find('/') != std::string::npos) {
        printf("'%s' OpenError!", name.c_str());
        return;
    }
    int32 id = -1;
    {
        BAutolock lock(fLock);
        ChangeMark::Orders().Note();
        const size_t before = fList.size();
        LoadOrder(BuildPath(path2app, kTemplatesFolder, name.c_str(), kTemplateExtension), fList);
        o_index = GetOMax();
        // An empty template adds nothing: then there is no new order to show.
        if (fList.size() > before) {
            Order* added = fList.back().get();
            added->PruefeOrder(false);
            id = added->onr;
        }
        CheckAllOrders();
    }
    if (id >= 0) {
        BMessage show('OUIx');
        show.AddInt32("order", id);
        PostToApp(show);
    }
    PostToApp('WB_A');
    PostToApp('OUPU');
}

void STOrder::AddOrderZgr(std::unique_ptr<Order> order)
{
    if (order == nullptr)
        return;
    BAutolock lock(fLock);
    fList.push_back(std::move(order));
    o_index = GetOMax();
    ChangeMark::Orders().Note();
}

void STOrder::DeleteSingleOrder(int32 index)
{
    {
        BAutolock lock(fLock);
        if (fList.size() <= 1) {
            printf("last? ");
            return;
        }
        if (index < 0 || index > GetOMax())
            return;
        fList.erase(fList.begin() + index);
        o_index = std::min(o_index, GetOMax());
        ChangeMark::Orders().Note();
    }
    PostToApp('OBWD');
    Sort2PlanDatum();
    if (DaStMode.load() == 3)
        PostToApp('LMOD');
    PostToApp('WBRA');
    PostToApp('OUPU');
}

// MARK: Checking and marking

void STOrder::CheckAllOrders()
{
    BAutolock lock(fLock);
    for (size_t i = 0; i < fList.size(); i++) {
        if (fList[i] == nullptr) {
            printf("Bad Order to check %ld", long(i));
            continue;
        }
        fList[i]->PruefeOrder(false);
    }
}

void STOrder::CheckOrdersWithWorker(int32 workerNr)
{
    STWorker* workers = STWorker::Existing();
    if (workers == nullptr || workerNr < 0 || workerNr > workers->GetWMax())
        return;
    Worker* worker = workers->GetWorker(workerNr);
    if (worker == nullptr)
        return;
    const int32 id = worker->w_id;
    BAutolock lock(fLock);
    for (const auto& order : fList) {
        const bool uses = std::any_of(order->jobs.begin(), order->jobs.end(),
                                      [id](const auto& job) { return job->j_id == id; });
        if (uses)
            order->PruefeOrder(false);
    }
}

void STOrder::MarkOrderX(BMessage* message)
{
    if (message == nullptr)
        return;
    MarkOrderY(message->GetInt32("order", -1));
}

void STOrder::MarkOrderY(int32 index)
{
    if (index < 0 || index > GetOMax())
        return;
    for (size_t i = 0; i < fList.size(); i++)
        fList[i]->marked = int32(i) == index ? 1 : 0;
    PostToApp('WBKN');
}

// MARK: Menus and sorting

void STOrder::SortedMOrderList(BMenu* menu)
{
    if (menu == nullptr)
        return;
    BAutolock lock(fLock);
    struct Entry
    {
        std::string key;
        std::string name;
        int32 id;
        int32 status;
    };
    std::vector<Entry> entries;
    for (const auto& order : fList)
        entries.push_back({upper(order->oauft), order->oauft, order->onr, order->ostat});
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Entry& a, const Entry& b) { return a.key < b.key; });
    // The item's kind is the status, so the swatch tells it.
    for (const Entry& entry : entries) {
        auto* message = new BMessage('OUIx');
        message->AddString("labelt", entry.name);
        message->AddInt32("order", entry.id);
        menu->AddItem(new MenuIconItem(("  " + entry.name).c_str(), message, entry.status));
    }
}

void STOrder::_SortByDate(bool planDate)
{
    BAutolock lock(fLock);
    auto key = [&](size_t i) { return DateSortKey(planDate ? fList[i]->opdl : fList[i]->odli); };
    const size_t count = fList.size();
    for (size_t gap = count / 2; gap > 0; gap /= 2) {
        for (size_t i = gap; i < count; i++) {
            for (size_t j = i - gap; key(j) > key(j + gap); j -= gap) {
                std::swap(fList[j], fList[j + gap]);
                if (j < gap)
                    break;
            }
        }
    }
}

void STOrder::Sort2DeadDatum()
{
    _SortByDate(false);
    sortmode = 1;
}

void STOrder::Sort2PlanDatum()
{
    _SortByDate(true);
    sortmode = 2;
}
