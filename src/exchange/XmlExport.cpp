#include "exchange/XmlExport.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <unordered_map>

#include "app/Globals.h"
#include "app/Paths.h"
#include "calendar/Clock.h"
#include "data/Holiday.h"
#include "data/Order.h"
#include "data/ProzBalken.h"
#include "data/STHolidays.h"
#include "data/STOrder.h"
#include "data/STWorker.h"
#include "data/Worker.h"
#include "exchange/MarkupText.h"
#include "kit/app/Autolock.h"
#include "kit/storage/SafeFile.h"
#include "kit/storage/SafeSave.h"

namespace {

constexpr const char* kHeader = "<?xml version=\"1.0\" standalone=\"yes\" ?>\n"
                                "<!DOCTYPE this_dok SYSTEM \"_vantrel.dtd\">\n"
                                "<?xml:Stylesheet href=\"_vantrel.css\" type=\"text/css\"?>\n\n"
                                "<data_list>\n";
constexpr const char* kEnd = "</data_list>\n";
constexpr int32 kDaysPerLine = 4;

// An export under way: its bytes so far and the temporary file beside the
// target that they will go to. A failed one only collects diagnostics.
struct Document
{
    std::unique_ptr<BSafeFile> file;
    std::string text;
    bool failed = false;
};

std::mutex sDocumentsLock;
std::map<std::string, Document> sDocuments;

using WorkerIndex = std::unordered_map<int32, Worker*>;

// "%10s", escaped: the width is the text's own.
void AppendRight(std::string& out, const std::string& text)
{
    if (text.size() < 10)
        out.append(10 - text.size(), ' ');
    out += EscapeMarkup(text);
}

void AppendNumber(std::string& out, long value)
{
    out += std::to_string(value);
}

bool ReadWholeFile(const std::string& path, std::string& bytes)
{
    std::error_code error;
    if (!std::filesystem::exists(path, error))
        return !error;
    if (!std::filesystem::is_regular_file(path, error))
        return false;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

// Outside an export the pieces still append to the file, written whole.
bool AppendToFile(const std::string& path, std::string_view piece)
{
    std::string bytes;
    if (!ReadWholeFile(path, bytes))
        return false;
    bytes += piece;
    return SaveWholeFile(path, bytes);
}

bool WriteDocument(Document& document)
{
    const std::string& text = document.text;
    for (size_t done = 0; done < text.size();) {
        const size_t piece = std::min(kSafeSavePiece, text.size() - done);
        if (document.file->Write(text.data() + done, piece) != ssize_t(piece))
            return false;
        done += piece;
    }
    return document.file->Commit() == B_OK;
}

void AppendDayList(std::string& out, const char* list, const char* tag, const DayList& days)
{
    const std::string open = std::string("<") + tag + ">";
    const std::string close = std::string("</") + tag + ">";
    out += std::string("<") + list + ">\n";
    int32 count = 0;
    int32 year = 0;
    bool first = true;
    for (size_t i = 0; i < days.size(); i++) {
        if (!days[i])
            continue;
        const ks_calday& day = *days[i];
        if (!first && day.year != year)
            out += '\n';
        first = false;
        year = day.year;
        out += open + CDay2str(&day) + close;
        // The count runs on across a year's line end.
        if (++count == kDaysPerLine && i + 1 < days.size()) {
            out += '\n';
            count = 0;
        }
    }
    out += "\n</" + std::string(list) + ">\n";
}

void AppendJob(ProzBalken& job, const Worker& worker, std::string& out)
{
    // The same values as the order file's, so the two files agree.
    const auto [left, right, top, bottom] = job.GridValues();
    out += "<jb_class>\t\n<j_pos>[";
    AppendNumber(out, left);
    out += "][";
    AppendNumber(out, right);
    out += "][";
    AppendNumber(out, top);
    out += "][";
    AppendNumber(out, bottom);
    out += "]</j_pos><j_id>";
    AppendNumber(out, worker.w_id);
    out += "</j_id><j_pers>" + EscapeMarkup(worker.w_name) + "</j_pers>\n<j_stat>";
    AppendNumber(out, job.j_stat);
    out += "</j_stat><j_time>" + TInt2str(job.j_time) + "</j_time><j_prio>";
    AppendNumber(out, job.j_prio);
    out += "</j_prio>\n<j_info>" + EscapeMarkup(job.j_info) + "</j_info>\n</jb_class>\n";
}

void AppendOrder(Order& order, const WorkerIndex& workers, std::string& out)
{
    out += "\n<next>.</next>\n<order>\n\t<onr>";
    AppendNumber(out, order.onr);
    out += "</onr><oauft>" + EscapeMarkup(order.oauft) + "</oauft>\n\t<oznr>" +
           EscapeMarkup(order.oznr) + "</oznr><owkz>" + EscapeMarkup(order.owkz) +
           "</owkz>\n\t<odli>";
    AppendRight(out, order.odli);
    out += "</odli><opdl>";
    AppendRight(out, order.opdl);
    out += "</opdl>\n\t<oneed>";
    AppendNumber(out, order.oneed);
    out += "</oneed><ostat>";
    AppendNumber(out, order.ostat);
    out += "</ostat><otyp>";
    AppendNumber(out, order.otyp);
    out += "</otyp>\n";
    for (const std::unique_ptr<ProzBalken>& job : order.jobs) {
        if (!job)
            continue;
        auto found = workers.find(job->j_id);
        if (found == workers.end()) {
            printf("ProzBalken::PrintToFile Bad worker %ld\n", long(job->j_id));
            continue;
        }
        AppendJob(*job, *found->second, out);
    }
    out += "</order>\n";
}

// The first worker of each id, as GetWorkerWithID finds it.
WorkerIndex IndexWorkers()
{
    WorkerIndex index;
    STWorker* workers = STWorker::Existing();
    if (workers == nullptr)
        return index;
    BAutolock lock(workers->Lock());
    for (int32 i = 0; i <= workers->GetWMax(); i++) {
        if (Worker* worker = workers->GetWorker(i))
            index.emplace(worker->w_id, worker);
    }
    return index;
}

std::string SavingTime()
{
    std::tm now = Clock::LocalNow();
    char text[64];
    const size_t length = strftime(text, sizeof(text), "%Y/%m/%d %H:%M", &now);
    return std::string(text, length);
}

} // namespace

// MARK: The document

bool XmlAppend(const std::string& path, std::string_view bytes)
{
    {
        std::lock_guard lock(sDocumentsLock);
        auto found = sDocuments.find(path);
        if (found != sDocuments.end()) {
            if (found->second.failed)
                return false;
            found->second.text += bytes;
            return true;
        }
    }
    return AppendToFile(path, bytes);
}

bool XML_Header(const char* path)
{
    if (path == nullptr)
        return false;
    Document document;
    document.file = std::make_unique<BSafeFile>(path);
    if (document.file->InitCheck() != B_OK) {
        printf("'%s' OpenError! HeaderXML\n", path);
        document.file.reset();
        document.failed = true;
    } else {
        document.text = kHeader;
    }
    const bool ok = !document.failed;
    std::lock_guard lock(sDocumentsLock);
    // An export that never ended is dropped with its temporary file.
    sDocuments.insert_or_assign(path, std::move(document));
    return ok;
}

bool XML_Insert(const char* path, const char* text)
{
    if (path == nullptr)
        return false;
    std::string piece = text != nullptr ? text : "";
    piece += '\n';
    if (XmlAppend(path, piece))
        return true;
    printf("'%s' OpenError! HeaderXML_Insert\n", path);
    return false;
}

bool XML_End(const char* path)
{
    if (path == nullptr)
        return false;
    std::optional<Document> document;
    {
        std::lock_guard lock(sDocumentsLock);
        auto found = sDocuments.find(path);
        if (found != sDocuments.end()) {
            document = std::move(found->second);
            sDocuments.erase(found);
        }
    }
    bool ok;
    if (!document) {
        ok = AppendToFile(path, kEnd);
    } else if (document->failed) {
        ok = false;
    } else {
        document->text += kEnd;
        ok = WriteDocument(*document);
    }
    if (!ok)
        printf("'%s' OpenError! HeaderXML_End\n", path);
    return ok;
}

bool XML_Save()
{
    const std::string project = DEFS_ORD_IO;
    const std::optional<std::string> checked = ProjectFilePath(project, ".xml");
    if (!checked) {
        // The document stays in "defs", and a save must be able to write it.
        printf("'%s' OpenError! HeaderXML\n",
               BuildPath(path2app, kDefsFolder, project.c_str(), ".xml").c_str());
        return false;
    }
    const std::string& path = *checked;
    const std::string when = SavingTime();
    XML_Header(path.c_str());

    STWorker* workers = STWorker::getSTWorker();
    const std::string name = workers != nullptr ? workers->Name() : std::string();
    XML_Insert(path.c_str(),
               ("<VT_proj>" + EscapeMarkup(name) + "</VT_proj>\n<sd>" + when + "</sd>\n").c_str());

    XML_Insert(path.c_str(), "<next>.</next>\n<absatz> Erst die Workouter: </absatz>\n");
    if (workers != nullptr)
        workers->SaveAsXML(path);
    else
        printf(" no-wZgr \n");

    XML_Insert(path.c_str(), "<next>.</next>\n<absatz> Nun die Jobs: </absatz>\n");
    if (STOrder* orders = STOrder::getSTOrder())
        orders->SaveAsXML(path);
    else
        printf("' no-oZgr \n");

    XML_Insert(path.c_str(), "<next>.</next>\n<absatz> Feiertagsliste: </absatz>\n");
    if (STHolidays* holidays = STHolidays::getSTHolidays())
        holidays->SaveAsXML(path);
    else
        printf(" no-hZgr \n");

    return XML_End(path.c_str());
}

// MARK: Records

void HolidayToXML(const Holiday& holiday, std::string& out)
{
    out += "<holiday><hd_d>";
    AppendRight(out, holiday.date);
    out += "</hd_d><hd_c>" + EscapeMarkup(holiday.name) + "</hd_c></holiday>\n";
}

bool JobToXML(ProzBalken& job, std::string& out)
{
    STWorker* workers = STWorker::Existing();
    Worker* worker = workers != nullptr ? workers->GetWorkerWithID(job.j_id) : nullptr;
    if (worker == nullptr) {
        printf("ProzBalken::PrintToFile Bad worker %ld\n", long(job.j_id));
        return false;
    }
    AppendJob(job, *worker, out);
    return true;
}

void WorkerToXML(Worker& worker, std::string& out)
{
    worker.SortUdays();
    out += "\n<worker>\n\t\t<name>" + EscapeMarkup(worker.w_name) + "</name>\n\t\t<n_alias>" +
           EscapeMarkup(worker.w_alias) + "</n_alias>\n\t\t<kost_nr>" +
           EscapeMarkup(worker.w_kost) + "</kost_nr>\n\t\t<card_id>";
    AppendNumber(out, worker.w_id);
    out += "</card_id>\n\t\t<multiuse>";
    AppendNumber(out, worker.multiuse);
    out += "</multiuse>\n<wko_exec><ex_class>\n";
    if (worker.w_week) {
        // ex_end holds the working hours; the end time is worked out again
        // when the file is read.
        for (const daymark& day : worker.w_week->day) {
            out += "<ex_day>" + EscapeMarkup(day.dayname) + "</ex_day><ex_beg>" +
                   TInt2str(day.begin) + "</ex_beg><ex_end>" + TInt2str(day.worktime) +
                   "</ex_end><ex_brk>" + TInt2str(day.pause) + "</ex_brk>\n";
        }
    }
    out += "</ex_class></wko_exec>\n";
    if (!worker.u_days.empty())
        AppendDayList(out, "wko_hdyday", "hday", worker.u_days);
    if (!worker.i_days.empty())
        AppendDayList(out, "wko_illday", "iday", worker.i_days);
    out += "</worker>\n";
}

void OrderToXML(Order& order, std::string& out)
{
    AppendOrder(order, IndexWorkers(), out);
}

int32 WorkerSaveAsXML(Worker& worker, const std::string& path)
{
    std::string element;
    WorkerToXML(worker, element);
    if (XmlAppend(path, element))
        return 0;
    printf("'%s' OpenError!\n", path.c_str());
    return 1;
}

int32 OrderSaveAsXML(Order& order, const std::string& path)
{
    std::string element;
    OrderToXML(order, element);
    if (XmlAppend(path, element))
        return 0;
    printf("'%s' OpenError!\n", path.c_str());
    return 1;
}

// MARK: Lists

bool WorkersToXML(STWorker& workers, const std::string& path)
{
    std::string text;
    {
        BAutolock lock(workers.Lock());
        for (int32 i = 0; i <= workers.GetWMax(); i++) {
            if (Worker* worker = workers.GetWorker(i))
                WorkerToXML(*worker, text);
        }
    }
    if (XmlAppend(path, text))
        return true;
    printf("'%s' OpenError!\n", path.c_str());
    return false;
}

bool OrdersToXML(STOrder& orders, const std::string& path)
{
    const WorkerIndex workers = IndexWorkers();
    std::string text;
    {
        BAutolock lock(orders.Lock());
        for (int32 i = 0; i <= orders.GetOMax(); i++) {
            if (Order* order = orders.GetOrder(i))
                AppendOrder(*order, workers, text);
        }
    }
    if (XmlAppend(path, text))
        return true;
    printf("'%s' OpenError!\n", path.c_str());
    return false;
}

bool HolidaysToXML(STHolidays& holidays, const std::string& path)
{
    std::string text;
    {
        BAutolock lock(holidays.Lock());
        const int32 count = holidays.CountHolidays();
        if (count == 0) {
            printf(" NO Holidays! \n");
            return true;
        }
        text = "\n<next>.</next><calender>\n";
        for (int32 i = 0; i < count; i++) {
            if (Holiday* holiday = holidays.HolidayAt(i))
                HolidayToXML(*holiday, text);
        }
        text += "</calender>\n";
    }
    if (XmlAppend(path, text))
        return true;
    printf("'%s' OpenError!\n", path.c_str());
    return false;
}

// MARK: The records' own writers

void Holiday::PrintToXML(std::string& out) const
{
    HolidayToXML(*this, out);
}

bool ProzBalken::PrintToXML(std::string& out)
{
    return JobToXML(*this, out);
}

int32 Worker::SaveAsXML(const char* path)
{
    return WorkerSaveAsXML(*this, path != nullptr ? path : "");
}

int32 Order::SaveAsXML(const char* path)
{
    return OrderSaveAsXML(*this, path != nullptr ? path : "");
}

bool STWorker::SaveAsXML(const std::string& path)
{
    return WorkersToXML(*this, path);
}

bool STOrder::SaveAsXML(const std::string& path)
{
    return OrdersToXML(*this, path);
}

bool STHolidays::SaveAsXML(const std::string& path)
{
    return HolidaysToXML(*this, path);
}
