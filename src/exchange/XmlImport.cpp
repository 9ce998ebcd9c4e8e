#include "exchange/XmlImport.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <set>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "app/AppPost.h"
#include "app/Globals.h"
#include "app/Notices.h"
#include "calendar/CivilDays.h"
#include "data/Holiday.h"
#include "data/Order.h"
#include "data/ProzBalken.h"
#include "data/STHolidays.h"
#include "data/STOrder.h"
#include "data/STWorker.h"
#include "data/Worker.h"
#include "exchange/MarkupText.h"
#include "exchange/XmlFile.h"
#include "kit/app/Autolock.h"
#include "kit/app/Message.h"

std::atomic<int32> added_h{0};
std::atomic<int32> added_w{0};
std::atomic<int32> added_o{0};

namespace {

constexpr size_t kAll = std::string::npos;
// Enough of a field for what reads it: numbers, time values, day texts and
// the texts that the order and job setters cut to fewer bytes anyway.
constexpr size_t kFieldMax = 256;
// A hostile file could ask for an alert on every line; one import shows
// this many and prints the rest.
constexpr int32 kAlertsPerImport = 20;
// Grid values far outside any editor still stay exact floats.
constexpr double kGridMax = 10'000;

thread_local int32 tImportDepth = 0;
thread_local int32 tAlertsLeft = kAlertsPerImport;

// One import's share of alerts; nested scopes share the outermost one's.
class AlertBudget
{
public:
    AlertBudget()
    {
        if (tImportDepth++ == 0)
            tAlertsLeft = kAlertsPerImport;
    }
    ~AlertBudget() { tImportDepth--; }
    AlertBudget(const AlertBudget&) = delete;
    AlertBudget& operator=(const AlertBudget&) = delete;
};

void ImportAlert(const std::string& text)
{
    if (tAlertsLeft > 0) {
        tAlertsLeft--;
        AnyAlert(text.c_str());
    } else {
        printf("%s\n", text.c_str());
    }
}

template <typename... Args>
std::string Format(const char* format, Args... args)
{
    const int length = snprintf(nullptr, 0, format, args...);
    if (length <= 0)
        return std::string();
    std::string text(size_t(length) + 1, '\0');
    snprintf(text.data(), text.size(), format, args...);
    text.resize(size_t(length));
    return text;
}

std::string Closing(std::string_view tag)
{
    std::string close = "</";
    if (!tag.empty())
        close.append(tag.substr(1));
    return close;
}

void AppendUpTo(std::string& kept, std::string_view piece, size_t limit)
{
    if (kept.size() < limit)
        kept.append(piece.substr(0, limit - kept.size()));
}

// The element goes on beyond text: take further lines of the file until
// one closes it (a closing tag split over two pieces counts too). At most
// limit bytes of the result are kept.
std::string ReadOn(XmlFile& file, std::string_view tail, std::string_view tag, size_t limit)
{
    const std::string close = Closing(tag);
    const size_t keep = close.size() - 1;
    std::string kept;
    AppendUpTo(kept, tail, limit);
    size_t total = tail.size();
    std::string overlap(tail.substr(tail.size() - std::min(tail.size(), keep)));
    std::string line;
    while (file.ReadLine(line)) {
        if (line.find(tag) != std::string::npos)
            ImportAlert(Format(" OOPS... \n missing %s TAG :(", close.c_str()));
        const std::string joined = overlap + line;
        const size_t at = joined.find(close);
        if (at != std::string::npos) {
            if (at > overlap.size())
                AppendUpTo(kept, std::string_view(line).substr(0, at - overlap.size()), limit);
            kept.resize(std::min(kept.size(), total + at - overlap.size()));
            return kept;
        }
        AppendUpTo(kept, line, limit);
        total += line.size();
        overlap = joined.substr(joined.size() - std::min(joined.size(), keep));
    }
    return kept;
}

std::string Enclosed(XmlFile& file, std::string_view text, std::string_view tag, size_t limit)
{
    const size_t at = text.find(tag);
    if (at == std::string_view::npos)
        return "-";
    const std::string_view tail = text.substr(at + tag.size());
    const size_t end = tail.find(Closing(tag));
    if (end != std::string_view::npos)
        return std::string(tail.substr(0, std::min(end, limit)));
    return ReadOn(file, tail, tag, limit);
}

// The text of one record. Lookups move forward through it, so each tag's
// last hit is kept: a record with thousands of jobs or days is searched
// once per tag, not once per job.
class Element
{
public:
    Element(XmlFile& file, std::string text) : fFile(file), fText(std::move(text)) {}

    bool Contains(std::string_view tag) { return Find(tag, 0) != std::string::npos; }

    // The first tag at or after from.
    size_t Find(std::string_view tag, size_t from)
    {
        for (Hit& hit : fHits) {
            if (hit.tag != tag)
                continue;
            if (hit.from <= from && (hit.at == std::string::npos || hit.at >= from))
                return hit.at;
            hit.from = from;
            hit.at = fText.find(tag, from);
            return hit.at;
        }
        fHits.push_back({std::string(tag), from, fText.find(tag, from)});
        return fHits.back().at;
    }

    // What the first tag at or after from encloses, as FindTagInLine has it,
    // with its references read back; at most limit bytes of that.
    std::string Enclosed(std::string_view tag, size_t from = 0, size_t limit = kAll)
    {
        const size_t written = limit == kAll ? kAll : limit * kEscapedByteMax;
        std::string text = UnescapeMarkup(_Written(tag, from, written));
        if (text.size() > limit)
            text.resize(limit);
        return text;
    }

private:
    std::string _Written(std::string_view tag, size_t from, size_t limit)
    {
        const size_t at = Find(tag, from);
        if (at == std::string::npos)
            return "-";
        const size_t start = at + tag.size();
        const size_t end = Find(Closing(tag), start);
        if (end != std::string::npos)
            return fText.substr(start, std::min(end - start, limit));
        return ReadOn(fFile, std::string_view(fText).substr(start), tag, limit);
    }

    struct Hit
    {
        std::string tag;
        size_t from;
        size_t at;
    };

    XmlFile& fFile;
    std::string fText;
    std::vector<Hit> fHits;
};

long Long(const std::string& text)
{
    return strtol(text.c_str(), nullptr, 10);
}

int32 Int(const std::string& text)
{
    return civil::ClampToInt32(Long(text));
}

uint8 LowByte(const std::string& text)
{
    return uint8(static_cast<unsigned long>(Long(text)) & 0xFF);
}

// Need, status and type as the order file reads them back.
int32 AtMost(const std::string& text, int32 highest)
{
    return std::clamp(Int(text), 0, highest);
}

float GridPixels(const std::string& text)
{
    const double value = strtod(text.c_str(), nullptr);
    if (std::isnan(value))
        return 0;
    return float(std::clamp(value, -kGridMax, kGridMax) * 10);
}

// "[a][b][c][d]": left, right, top, bottom in units of 10 pixels.
BRect GridFrame(const std::string& text)
{
    float values[4] = {0, 0, 0, 0};
    size_t at = 1;
    for (float& value : values) {
        if (at > text.size())
            break;
        const size_t end = text.find(']', at);
        value = GridPixels(text.substr(at, end == std::string::npos ? end : end - at));
        if (end == std::string::npos)
            break;
        at = end + 2;
    }
    return BRect(values[0], values[2], values[1], values[3]);
}

// What text holds up to its first NUL, as the C string functions see it.
std::string_view CText(std::string_view text)
{
    return text.substr(0, text.find('\0'));
}

struct TextHash
{
    using is_transparent = void;
    size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
};

// Values by key, found through the keys that occur somewhere in a text.
template <typename Value>
class KeysInText
{
public:
    Value& operator[](std::string_view key)
    {
        fLengths.insert(key.size());
        auto found = fEntries.find(key);
        if (found == fEntries.end())
            found = fEntries.emplace(std::string(key), Entry()).first;
        return found->second.value;
    }

    // Whether test holds for the value of a key that text contains. Each
    // value is tested once, however often its key occurs in text.
    template <typename Test>
    bool Any(std::string_view text, const Test& test) const
    {
        const uint64_t search = ++fSearches;
        for (size_t length : fLengths) {
            if (length > text.size())
                break;
            const size_t last = length == 0 ? 0 : text.size() - length;
            for (size_t at = 0; at <= last; at++) {
                auto found = fEntries.find(text.substr(at, length));
                if (found == fEntries.end() || found->second.search == search)
                    continue;
                found->second.search = search;
                if (test(found->second.value))
                    return true;
            }
        }
        return false;
    }

private:
    struct Entry
    {
        Value value;
        mutable uint64_t search = 0; // the last search that tested it
    };

    std::unordered_map<std::string, Entry, TextHash, std::equal_to<>> fEntries;
    std::set<size_t> fLengths; // ascending
    mutable uint64_t fSearches = 0;
};

// The orders of the list by name, drawing number and tool code. Asking
// whether an imported order exists then costs a few lookups instead of a
// walk through every order (with thousands of orders on each side that
// walk was most of the import).
class OrderIndex
{
public:
    explicit OrderIndex(STOrder& orders)
    {
        BAutolock lock(orders.Lock());
        for (int32 i = 0; i <= orders.GetOMax(); i++) {
            if (Order* order = orders.GetOrder(i))
                Add(*order);
        }
    }

    void Add(const Order& order)
    {
        fOrders[CText(order.oauft)][CText(order.oznr)].emplace_back(CText(order.owkz));
    }

    // As STOrder::ExistJob answers 3: an order whose name is part of name,
    // whose drawing number is part of drawing and whose tool code holds tool.
    bool Exists(std::string_view name, std::string_view drawing, std::string_view tool) const
    {
        tool = CText(tool);
        auto holdsTool = [tool](const std::string& code) {
            return code.find(tool) != std::string::npos;
        };
        return fOrders.Any(CText(name), [&](const Drawings& drawings) {
            return drawings.Any(CText(drawing), [&](const std::vector<std::string>& codes) {
                return std::any_of(codes.begin(), codes.end(), holdsTool);
            });
        });
    }

private:
    using Drawings = KeysInText<std::vector<std::string>>;
    KeysInText<Drawings> fOrders;
};

std::unordered_set<int32> WorkerIds(STWorker& workers)
{
    std::unordered_set<int32> ids;
    for (int32 i = 0; i <= workers.GetWMax(); i++) {
        if (Worker* worker = workers.GetWorker(i))
            ids.insert(worker->w_id);
    }
    return ids;
}

// MARK: Workers

void ReadWeek(Element& element, Worker& worker)
{
    static constexpr std::string_view kRowEnd = "</ex_brk>";
    size_t place = element.Find("<ex_day>", 0);
    if (place == std::string::npos || !worker.w_week)
        return;
    for (daymark& day : worker.w_week->day) {
        const size_t end = element.Find(kRowEnd, place);
        if (end == std::string::npos) {
            printf("ww_ptr loose....\n");
            break;
        }
        day.begin = str2Tint(element.Enclosed("<ex_beg>", place, kFieldMax));
        day.worktime = str2Tint(element.Enclosed("<ex_end>", place, kFieldMax));
        day.pause = str2Tint(element.Enclosed("<ex_brk>", place, kFieldMax));
        SetETime(&day);
        worker.SetWochenStd();
        place = end + kRowEnd.size();
    }
    worker.SetWochenStd();
}

void ReadDays(Element& element, std::string_view list, std::string_view tag, DayList& days)
{
    size_t place = element.Find(list, 0);
    if (place == std::string::npos)
        return;
    for (;;) {
        const size_t at = element.Find(tag, place);
        if (at == std::string::npos)
            return;
        days.push_back(Worker::ReadDay(element.Enclosed(tag, at, kFieldMax)));
        place = at + tag.size();
    }
}

std::unique_ptr<Worker> ReadWorker(Element& element)
{
    auto worker = std::make_unique<Worker>();
    worker->NewWName(element.Enclosed("<name>"));
    worker->NewWAlia(element.Enclosed("<n_alias>"));
    worker->NewWKstl(element.Enclosed("<kost_nr>"));
    worker->w_id = Int(element.Enclosed("<card_id>", 0, kFieldMax));
    worker->multiuse = int8(LowByte(element.Enclosed("<multiuse>", 0, kFieldMax)));
    ReadWeek(element, *worker);
    ReadDays(element, "<wko_hdyday>", "<hday>", worker->u_days);
    ReadDays(element, "<wko_illday>", "<iday>", worker->i_days);
    return worker;
}

// MARK: Orders

void ReadJob(Element& element, size_t at, Order& order, const std::unordered_set<int32>& ids)
{
    const std::string person = element.Enclosed("<j_pers>", at, kFieldMax);
    const int32 id = Int(element.Enclosed("<j_id>", at, kFieldMax));
    const BRect frame = GridFrame(element.Enclosed("<j_pos>", at, kFieldMax));
    std::string info = element.Enclosed("<j_info>", at, kFieldMax);
    const uint8 status = LowByte(element.Enclosed("<j_stat>", at, kFieldMax));
    const TInt hours = str2Tint(element.Enclosed("<j_time>", at, kFieldMax));
    const int32 priority = Int(element.Enclosed("<j_prio>", at, kFieldMax));
    if (ids.count(id) == 0) {
        info += " - " + person;
        ImportAlert(Format("\n In  JOB '%s'\nWorker: '%ld | %s' \n  not found\n\n",
                           order.oauft.c_str(), long(id), person.c_str()));
        // A job must belong to a worker; with none at all there is no one
        // to give it to.
        if (ids.empty())
            return;
    }
    order.AddJob(std::make_unique<ProzBalken>(frame, id, status, hours, priority, info.c_str()));
}

std::unique_ptr<Order> ReadOrder(Element& element, const std::unordered_set<int32>& ids)
{
    static constexpr std::string_view kJob = "<jb_class>";
    auto order = std::make_unique<Order>(false);
    order->NewOAuft(element.Enclosed("<oauft>", 0, kFieldMax));
    order->NewOZnr(element.Enclosed("<oznr>", 0, kFieldMax));
    order->NewOWkz(element.Enclosed("<owkz>", 0, kFieldMax));
    order->NewODli(element.Enclosed("<odli>", 0, kFieldMax));
    order->NewOPdl(element.Enclosed("<opdl>", 0, kFieldMax));
    order->oneed = AtMost(element.Enclosed("<oneed>", 0, kFieldMax), 1);
    order->ostat = AtMost(element.Enclosed("<ostat>", 0, kFieldMax), 4);
    order->otyp = AtMost(element.Enclosed("<otyp>", 0, kFieldMax), 2);
    for (size_t place = 0;;) {
        const size_t at = element.Find(kJob, place);
        if (at == std::string::npos)
            break;
        ReadJob(element, at, *order, ids);
        place = at + kJob.size();
    }
    return order;
}

// A whole project was dropped: what is merged is saved as "noname", so the
// open project's own files are not overwritten.
void TakeAsNoname(XmlFile& file)
{
    std::string line;
    while (file.ReadLine(line)) {
        const std::string name = Enclosed(file, line, "<VT_proj>", kAll);
        if (name.size() < 3)
            continue;
        printf("\nXML KOMPLETTE: '%s'\n", name.c_str());
        DEFS_WKO_IO = "noname";
        DEFS_ORD_IO = "noname";
        return;
    }
}

} // namespace

// MARK: Reading tags

std::string FindTagInLine(XmlFile& file, const char* tag, std::string_view text)
{
    if (tag == nullptr || *tag == '\0')
        return "-";
    AlertBudget budget;
    return Enclosed(file, text, tag, kAll);
}

int32 ExistTag(XmlFile& file, const char* tag)
{
    if (tag == nullptr || *tag == '\0')
        return 0;
    const std::string_view open = tag;
    const std::string close = Closing(open);
    file.Rewind();
    int64_t count = 0;
    std::string line;
    while (file.ReadLine(line)) {
        const size_t at = line.find(open);
        if (at == std::string::npos)
            continue;
        bool closed = line.find(close, at + open.size()) != std::string::npos;
        while (!closed && file.ReadLine(line))
            closed = line.find(close) != std::string::npos;
        count = std::min<int64_t>(count + (closed ? 2 : 1), INT32_MAX);
    }
    return int32(count);
}

// MARK: Scans

void ScanForHolidays(XmlFile& file)
{
    AlertBudget budget;
    added_h = 0;
    STHolidays* holidays = STHolidays::getSTHolidays();
    if (holidays == nullptr)
        return;
    file.Rewind();
    // Added together: one sort, one save and one table for the whole file.
    std::vector<std::pair<std::string, std::string>> days;
    std::string line;
    while (file.ReadLine(line)) {
        Element element(file, Enclosed(file, line, "<holiday>", kAll));
        if (!element.Contains("</hd_c>"))
            continue;
        days.emplace_back(element.Enclosed("<hd_d>", 0, kFieldMax), element.Enclosed("<hd_c>"));
    }
    added_h = holidays->AddDays(days);
}

void ScanForWorkers(XmlFile& file)
{
    AlertBudget budget;
    added_w = 0;
    STWorker* workers = STWorker::getSTWorker();
    if (workers == nullptr)
        return;
    workers->SetProjectName(DEFS_ORD_IO);
    file.Rewind();
    // The ids in the list, kept up to date as workers are added.
    std::unordered_set<int32> ids = WorkerIds(*workers);
    std::string line;
    while (file.ReadLine(line)) {
        Element element(file, Enclosed(file, line, "<worker>", kAll));
        if (!element.Contains("</wko_exec>"))
            continue;
        std::unique_ptr<Worker> worker = ReadWorker(element);
        const long id = worker->w_id;
        if (!ids.insert(worker->w_id).second) {
            // Never renumbered or merged: jobs elsewhere may mean the
            // worker who has this id here.
            ImportAlert(Format(" OOPS... \n ID [%ld] is not free.. :(", id));
            continue;
        }
        const std::string name = worker->w_name;
        workers->AddWorkerZgr(std::move(worker));
        printf("WKO ADD: %5ld | %s\n", id, name.c_str());
        added_w++;
    }
    workers->CheckAllWorkers();
}

void ScanForJobs(XmlFile& file)
{
    AlertBudget budget;
    added_o = 0;
    STOrder* orders = STOrder::getSTOrder();
    STWorker* workers = STWorker::getSTWorker();
    if (orders == nullptr || workers == nullptr)
        return;
    orders->SetProjectName(DEFS_ORD_IO);
    file.Rewind();
    const std::unordered_set<int32> ids = WorkerIds(*workers);
    OrderIndex existing(*orders);
    std::string line;
    while (file.ReadLine(line)) {
        Element element(file, Enclosed(file, line, "<order>", kAll));
        if (!element.Contains("</otyp>"))
            continue;
        std::unique_ptr<Order> order = ReadOrder(element, ids);
        const std::string name = order->oauft;
        const std::string drawing = order->oznr;
        const std::string tool = order->owkz;
        if (!existing.Exists(name, drawing, tool)) {
            existing.Add(*order);
            orders->AddOrderZgr(std::move(order));
            added_o++;
            printf("JOB ADD: %15s|%15s|%15s \n", name.c_str(), drawing.c_str(), tool.c_str());
        } else {
            const std::string text =
                Format("\n JOB '%s'\n ZNR: %s' \n  Error!\n", name.c_str(), drawing.c_str());
            printf("%s", text.c_str());
            ImportAlert(text);
        }
    }
    orders->CheckAllOrders();
}

// MARK: The drop

void XML_Splice(BMessage* message, int32 mode)
{
    AlertBudget budget;
    added_h = 0;
    added_w = 0;
    added_o = 0;
    STWorker* workers = STWorker::getSTWorker();
    if (workers == nullptr) {
        AnyAlert("\nplease take  NEW, \nbefor you drag XML-Files !");
        printf("XML no ST_WORKER (break)\n");
        return;
    }
    STHolidays* holidays = STHolidays::getSTHolidays();
    if (holidays == nullptr)
        printf("XML no HOLIDAYS \n");
    if (STOrder::getSTOrder() == nullptr) {
        printf("XML no ST_ORDER  (break)\n");
        return;
    }

    entry_ref ref;
    if (message != nullptr && message->FindRef("refs", &ref) == B_OK) {
        printf("XML_Splice: '%s'\n", ref.path.c_str());
        if (ref.path.find(".xml") == std::string::npos) {
            printf("Bad XML: '%s'..\n", ref.path.c_str());
            return;
        }
        std::optional<XmlFile> file = XmlFile::Open(ref.path);
        if (!file) {
            printf("No File for XML_Splice\n");
            return;
        }
        const int32 projects = ExistTag(*file, "<VT_proj>");
        printf("found '%d'\n ", int(projects));
        file->Rewind();
        if (projects == 2 && mode == kSpliceAll)
            TakeAsNoname(*file);
        if (mode == kSpliceAll) {
            if (holidays != nullptr)
                ScanForHolidays(*file);
            ScanForWorkers(*file);
            ScanForJobs(*file);
        } else if (mode == kSpliceWorkers) {
            ScanForWorkers(*file);
        } else if (mode == kSpliceOrders) {
            ScanForJobs(*file);
        }
    }

    printf("\nend XML_Splice\n");
    AnyAlert(Format(" %ld Holidays\n %ld Worker\n %ld Order\n ..added", long(added_h.load()),
                    long(added_w.load()), long(added_o.load()))
                 .c_str());
    if (added_h > 0)
        PostToApp('HUPD');
}
