#include "data/Order.h"

#include <algorithm>
#include <cstdio>

#include "app/AppPost.h"
#include "app/Notices.h"
#include "app/STLabel.h"
#include "app/Settings.h"
#include "data/ChangeMark.h"
#include "data/ProzBalken.h"
#include "data/RecordText.h"
#include "data/STWorker.h"
#include "kit/app/Beep.h"
#include "kit/storage/SafeSave.h"

std::atomic<int32> Order::sNr{0};

namespace {

constexpr TInt kFirstJobHours = 3200;
constexpr rgb_color kUnknownStatusColor = {216, 216, 216, 255};

std::string today_text()
{
    const ks_calday today = CDayOfText({});
    return CDay2str(&today);
}

// " [x] %s \n ....SWITCH REMOVED !!" with the option's label.
std::string ready_hole_alert()
{
    return " [x] " + STLabel::getLabel(pretxt, 6) + " \n ....SWITCH REMOVED !!";
}

// "%10s"
std::string right_aligned(const std::string& text)
{
    return std::string(text.size() < 10 ? 10 - text.size() : 0, ' ') + text;
}

} // namespace

// "[IT][" three texts, two dates and three digits "]"
static constexpr size_t kOrderLineFrame = 5 + 2 + 2 + 2 + 2 + 2 + 2 + 2 + 3 + 1;
static_assert(kOrderLineFrame + Order::kNameMax + Order::kDrawingMax + Order::kToolMax +
                  2 * kDayTextMax ==
              kRecordLineMax);
static_assert(4 + Order::kLinkMax == kRecordLineMax);

Order::Order(bool addFirstJob)
    : valid(1), o_over(0), onr(++sNr), oneed(0), ostat(1), otyp(2), o_sum(0),
      o_savedpdl(str2CDay(nullptr)), movedays(0), marked(0)
{
    char name[32];
    snprintf(name, sizeof(name), "new_%2ld", long(onr));
    oauft = name;
    oznr = "-----";
    owkz = "-----";
    odli = today_text();
    opdl = odli;
    jobs.reserve(20);
    if (addFirstJob)
        AddFirstPB();
}

Order::~Order()
{
    while (!jobs.empty())
        jobs.pop_back();
}

void Order::AddFirstPB()
{
    STWorker* workers = STWorker::getSTWorker();
    if (workers == nullptr || workers->GetWMax() < 0) {
        // A job must belong to an existing worker.
        printf("AddFirstPB() error");
        return;
    }
    AddJob(std::make_unique<ProzBalken>(BRect(10, 10, 110, 40), onr, 0, kFirstJobHours, 1, "-"));
    printf("AddFirstPB() done");
    PruefeOrder(true);
    SentToCal(false);
}

namespace {

void change_to(std::string& field, std::string value)
{
    if (value == field)
        return;
    field = std::move(value);
    ChangeMark::Orders().Note();
}

} // namespace

void Order::_SetText(std::string& field, const std::string& text, size_t max)
{
    change_to(field, RecordText(text, RecordRoom(max, _OrderLineLength(), field.size())));
}

void Order::_SetDay(std::string& field, const std::string& date)
{
    change_to(field, RecordDayText(
                         date, RecordRoom(kDayTextMax, _OrderLineLength(), DayTextWidth(field))));
}

void Order::_SetNumber(int32& field, int32 value, int32 max)
{
    value = std::clamp(value, int32(0), max);
    if (value == field)
        return;
    field = value;
    ChangeMark::Orders().Note();
}

void Order::NewOStat(int32 status)
{
    _SetNumber(ostat, status, kOStatBreak);
}

void Order::NewOTyp(int32 type)
{
    _SetNumber(otyp, type, kOTypSingle);
}

void Order::NewONeed(int32 need)
{
    _SetNumber(oneed, need, 1);
}

// MARK: Jobs

int32 Order::AddJob(std::unique_ptr<ProzBalken> job)
{
    if (job == nullptr)
        return -1;
    jobs.push_back(std::move(job));
    _StampJobs(jobs.size() - 1);
    ChangeMark::Orders().Note();
    return static_cast<int32>(jobs.size()) - 1;
}

std::unique_ptr<ProzBalken> Order::RemoveJob(int32 index)
{
    if (index < 0 || size_t(index) >= jobs.size())
        return nullptr;
    std::unique_ptr<ProzBalken> job = std::move(jobs[size_t(index)]);
    jobs.erase(jobs.begin() + index);
    _StampJobs(size_t(index));
    if (job != nullptr)
        job->SetPlace(0, -1);
    ChangeMark::Orders().Note();
    return job;
}

int32 Order::IndexOfJob(const ProzBalken* job) const
{
    if (job == nullptr)
        return -1;
    for (size_t i = 0; i < jobs.size(); i++) {
        if (jobs[i].get() == job)
            return static_cast<int32>(i);
    }
    return -1;
}

ProzBalken* Order::JobAt(int32 index) const
{
    if (index < 0 || size_t(index) >= jobs.size())
        return nullptr;
    return jobs[size_t(index)].get();
}

void Order::_StampJobs(size_t from)
{
    for (size_t i = from; i < jobs.size(); i++) {
        if (jobs[i] != nullptr)
            jobs[i]->SetPlace(onr, static_cast<int32>(i));
    }
}

void Order::NewOAuft(const std::string& text)
{
    _SetText(oauft, text, kNameMax);
    SentToCal(false);
}

void Order::NewOZnr(const std::string& text)
{
    _SetText(oznr, text, kDrawingMax);
}

void Order::NewOWkz(const std::string& text)
{
    _SetText(owkz, text, kToolMax);
}

void Order::NewODli(const std::string& date)
{
    _SetDay(odli, date);
    PruefeOrder(false);
    SentToCal(false);
}

void Order::NewOPdl(const std::string& date)
{
    _SetDay(opdl, date);
    PruefeOrder(false);
    SentToCal(false);
}

void Order::TakeFileTexts(const std::optional<std::string>& name,
                          const std::optional<std::string>& drawing,
                          const std::optional<std::string>& tool)
{
    if (name) {
        _SetText(oauft, *name, kRecordLineMax);
        SentToCal(false);
    }
    if (drawing)
        _SetText(oznr, *drawing, kRecordLineMax);
    if (tool)
        _SetText(owkz, *tool, kRecordLineMax);
}

void Order::AddLink(const std::string& link)
{
    links.push_back(RecordText(link, kLinkMax));
    ChangeMark::Orders().Note();
}

rgb_color Order::StatusColor()
{
    switch (ostat) {
    case 0:
        return AskColor(uc_PRE);
    case 1:
    case 2:
        return AskColor(uc_OPE);
    case 3:
        return AskColor(uc_CLO);
    case 4:
        return AskColor(uc_BRE);
    default:
        return kUnknownStatusColor;
    }
}

void Order::SentToCal(bool notify)
{
    if (!notify)
        return;
    BMessage message('WBRO');
    message.AddString("informer", "Order set2cal");
    message.AddInt32("u_order", onr);
    message.AddInt32("xworker", 0);
    PostToApp(message);

    STWorker* workers = STWorker::Existing();
    if (workers == nullptr)
        return;
    for (size_t i = jobs.size(); i-- > 0;) {
        message.ReplaceInt32("xworker", workers->FindWorkerNrOverID(jobs[i]->j_id));
        PostToApp(message);
    }
}

void Order::PrintToStream()
{
    printf("[%ld][%s][%s][%s][%s][%s] n:%ld s:%ld t:%ld sum:%s over:%ld\n", long(onr),
           oauft.c_str(), oznr.c_str(), owkz.c_str(), odli.c_str(), opdl.c_str(), long(oneed),
           long(ostat), long(otyp), TInt2str(o_sum).c_str(), long(o_over));
    for (size_t i = 0; i < jobs.size(); i++) {
        if (jobs[i] == nullptr) {
            printf("Order::PrintToStream: bad pb %ld", long(i));
            continue;
        }
        jobs[i]->PrintToStream();
    }
}

int32 Order::CountSubProz()
{
    return static_cast<int32>(jobs.size()) - 1;
}

int32 Order::SaveAsTempl(const char* path)
{
    std::string text = "; ---\n[IT][TEMPLATE][xxx][xxx][" + odli + "][" + opdl + "][" +
                       std::to_string(long(oneed)) + "][1][" + std::to_string(long(otyp)) + "]\n";
    for (size_t i = 0; i < jobs.size(); i++) {
        if (jobs[i] == nullptr) {
            printf("SAVE-TEMPL PB bad %ld", long(i));
            continue;
        }
        jobs[i]->PrintToFile(text);
    }
    text += "; ---";
    if (path == nullptr || !SaveWholeFile(path, text)) {
        printf("'%s' OpenError!", path != nullptr ? path : "");
        return 1;
    }
    PostToApp('O+TE');
    return 0;
}

void Order::SaveAsASC(std::string& out)
{
    out += "; ---\n" + _OrderLine() + "\n";
    for (size_t i = 0; i < jobs.size(); i++) {
        if (jobs[i] == nullptr) {
            printf("SAVE PB bad %ld", long(i));
            continue;
        }
        jobs[i]->PrintToFile(out);
    }
    for (const std::string& link : links)
        out += "[LN]" + link + "\n";
}

std::string Order::_OrderLine() const
{
    return "[IT][" + oauft + "][" + oznr + "][" + owkz + "][" + right_aligned(odli) + "][" +
           right_aligned(opdl) + "][" + std::to_string(long(oneed)) + "][" +
           std::to_string(long(ostat)) + "][" + std::to_string(long(otyp)) + "]";
}

// The length _OrderLine() would have, without building it: the setters ask
// for it on every text, thousands of times while a project opens.
size_t Order::_OrderLineLength() const
{
    const auto digits = [](int32 value) { return std::to_string(long(value)).size(); };
    return 4 + 5 * 2 + oauft.size() + oznr.size() + owkz.size() + DayTextWidth(odli) +
           DayTextWidth(opdl) + 3 * 2 + digits(oneed) + digits(ostat) + digits(otyp);
}

// MARK: The order check

void Order::PruefeOrder(bool notify)
{
    const ks_calday deadline = CDayOfText(odli);
    const ks_calday planned = CDayOfText(opdl);
    o_over = DiffDays(&deadline, &planned) < 0 ? 1 : 0;
    if (jobs.empty())
        return;

    _SortJobs();
    _CheckJobWorkers();
    _CheckReadyHoles();
    _DeriveStatus();
    _SumHours(notify);
    OrgTimeBase();
    if (notify)
        PostToApp('OSAM');
}

void Order::_SortJobs()
{
    // Adjacent swaps of strictly smaller left edges, restarted after each
    // swap, end in exactly the stable order; this gets there without the
    // cubic walk.
    std::stable_sort(
        jobs.begin(), jobs.end(),
        [](const std::unique_ptr<ProzBalken>& a, const std::unique_ptr<ProzBalken>& b) {
            return a->j_pos.left < b->j_pos.left;
        });
}

void Order::_CheckJobWorkers()
{
    STWorker* workers = STWorker::Existing();
    for (size_t i = 0; i < jobs.size(); i++) {
        ProzBalken* job = jobs[i].get();
        job->j_prio = static_cast<int32>(i);
        job->SetPlace(onr, static_cast<int32>(i));
        if (workers == nullptr || workers->GetWorkerWithID(job->j_id) == nullptr)
            printf(" PB-CHECK Worker not found [%ld]", long(job->j_id));
    }
}

void Order::_CheckReadyHoles()
{
    for (size_t i = 1; i < jobs.size(); i++) {
        if ((prefsdata.load() & VTa_PB_READY_HIR) == 0)
            return;
        ProzBalken* before = jobs[i - 1].get();
        ProzBalken* job = jobs[i].get();
        if (before->j_stat != kJStatOpen || job->j_stat != kJStatReady)
            continue;
        if (job->Window() != nullptr) {
            job->j_stat = kJStatOpen;
            FlashView(job, 4);
            continue;
        }
        beep();
        // Other threads may change other option bits meanwhile.
        prefsdata.fetch_and(~VTa_PB_READY_HIR);
        AnyAlert(ready_hole_alert().c_str());
    }
}

void Order::_DeriveStatus()
{
    if (!Schedulable())
        return;
    ostat = kOStatActive;
    bool allReady = true;
    for (const auto& job : jobs) {
        if (job->j_stat == kJStatReady)
            ostat = kOStatProgress;
        else
            allReady = false;
    }
    if (allReady)
        ostat = kOStatClosed;
}

void Order::_SumHours(bool notify)
{
    TInt sum = 0;
    for (const auto& job : jobs)
        sum = Add2TInt(sum, job->j_time);
    if (sum == o_sum)
        return;
    o_sum = sum;
    if (notify)
        SentToCal(true);
}
