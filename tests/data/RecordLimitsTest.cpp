// Every text a record line writes comes back from its file as the record
// held it: at and beyond each limit, with characters of two, three and four
// bytes, with the files' own characters, and for lines of older files that
// hold longer texts than the setters take. A second save gives the same
// bytes.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "app/Globals.h"
#include "data/Holiday.h"
#include "data/Order.h"
#include "data/OrderWorkshop.h"
#include "data/ProzBalken.h"
#include "data/RecordText.h"
#include "data/STHolidays.h"
#include "data/STOrder.h"
#include "data/STWorker.h"
#include "data/Worker.h"
#include "kit/app/Message.h"

namespace {

const char* const kWide[] = {"\xc3\xa4", "\xe2\x82\xac", "\xf0\x9d\x84\x9e"}; // ä € 𝄞

// The longest run of whole characters of text within max bytes, counted
// here from the lead bytes (the texts of these tests are valid UTF-8).
std::string WholeChars(const std::string& text, size_t max)
{
    size_t at = 0;
    while (at < text.size()) {
        const auto lead = static_cast<unsigned char>(text[at]);
        const size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        if (at + length > max)
            break;
        at += length;
    }
    return text.substr(0, at);
}

// Each wide character ending exactly at the limit, straddling it, and
// starting at it; a text of exactly the limit; one of wide characters only.
std::vector<std::string> AroundLimit(size_t limit)
{
    std::vector<std::string> texts;
    for (const std::string wide : kWide) {
        texts.push_back(std::string(limit - wide.size(), 'x') + wide);
        for (size_t over = 0; over <= wide.size(); over++)
            texts.push_back(std::string(limit + over - wide.size(), 'x') + wide + "tail");
        std::string only;
        while (only.size() <= limit + 4)
            only += wide;
        texts.push_back(only);
    }
    return texts;
}

std::vector<std::string> Lines(const std::string& file)
{
    std::vector<std::string> lines;
    std::istringstream in(file);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

void ExpectLinesFit(const std::string& file)
{
    for (const std::string& line : Lines(file))
        EXPECT_LE(line.size(), kRecordLineMax) << line;
}

// Texts made of the files' own characters, tag names, blanks and wide
// characters, of any length up to beyond a line.
std::vector<std::string> HostileTexts(int count, unsigned seed)
{
    const std::string pieces[] = {"[",
                                  "]",
                                  "[IT]",
                                  "[PB]",
                                  "[LN]",
                                  "IT",
                                  "PB",
                                  "LN",
                                  "\n",
                                  "\r",
                                  ";",
                                  " ",
                                  "x",
                                  "][",
                                  "\t",
                                  kWide[0],
                                  kWide[1],
                                  kWide[2],
                                  std::string(1, '\0'),
                                  "[HD]"};
    std::mt19937 random(seed);
    std::vector<std::string> texts = {"IT", "PB", "LN", "", "]", "[", "\n"};
    while (int(texts.size()) < count) {
        std::string text;
        const int parts = int(random() % 90);
        for (int i = 0; i < parts; i++)
            text += pieces[random() % std::size(pieces)];
        texts.push_back(text);
    }
    return texts;
}

// MARK: Lists opened, saved and opened again

STHolidays* ReopenHolidays()
{
    if (STHolidays* list = STHolidays::Existing())
        Printed([&] { list->DeleteMe(); });
    STHolidays* list = nullptr;
    Printed([&] { list = STHolidays::getSTHolidays(); });
    return list;
}

STWorker* ReopenWorkers()
{
    if (STWorker* list = STWorker::Existing())
        Printed([&] { list->DeleteMe(); });
    DEFS_WKO_IO = DEFS_ORD_IO = "plan";
    STWorker* list = nullptr;
    Printed([&] { list = STWorker::getSTWorker(); });
    return list;
}

STOrder* ReopenOrders()
{
    if (STOrder* list = STOrder::Existing())
        Printed([&] { list->DeleteMe(); });
    DEFS_ORD_IO = "plan";
    STOrder* list = nullptr;
    Printed([&] { list = STOrder::getSTOrder(); });
    return list;
}

std::string SaveWorkers(OrderWorkshop& shop)
{
    Printed([] { EXPECT_TRUE(STWorker::Existing()->SaveWorkerList()); });
    return shop.folder.Read("defs/plan.vtw");
}

std::string SaveOrders(OrderWorkshop& shop)
{
    Printed([] { EXPECT_TRUE(STOrder::Existing()->SaveOrderList()); });
    return shop.folder.Read("defs/plan.vto");
}

struct WorkerTexts
{
    std::string name, alias, costCentre, days;
    int32 id;
    bool operator==(const WorkerTexts&) const = default;
};

std::vector<WorkerTexts> WorkerRecords(STWorker* list)
{
    std::vector<WorkerTexts> records;
    for (int32 i = 0; i <= list->GetWMax(); i++) {
        const Worker* worker = list->GetWorker(i);
        std::string days;
        for (const daymark& day : worker->w_week->day)
            days += day.dayname + "|";
        records.push_back({worker->w_name, worker->w_alias, worker->w_kost, days, worker->w_id});
    }
    return records;
}

std::vector<std::string> OrderRecords(STOrder* list)
{
    std::vector<std::string> records;
    for (int32 i = 0; i <= list->GetOMax(); i++) {
        const Order* order = list->GetOrder(i);
        std::string record = order->oauft + "|" + order->oznr + "|" + order->owkz + "|" +
                             order->odli + "|" + order->opdl;
        for (const auto& job : order->jobs)
            record += "|job " + std::to_string(job->j_id) + ":" + job->j_info;
        for (const std::string& link : order->links)
            record += "|link " + link;
        records.push_back(record);
    }
    return records;
}

} // namespace

// MARK: Setters

TEST(RecordLimits, SettersKeepWholeCharactersUpToTheirMaximum)
{
    OrderWorkshop shop;
    Holiday holiday;
    Worker worker;
    Order order(false);
    ProzBalken job(BRect(10, 10, 110, 40), 1, 0, 800, 0, "-");
    using Set = std::function<std::string(const std::string&)>;
    const struct
    {
        const char* field;
        size_t max;
        Set set;
    } fields[] = {
        {"holiday name", Holiday::kNameMax,
         [&](const std::string& t) { return holiday.NewName(t), holiday.name; }},
        {"worker name", Worker::kNameMax,
         [&](const std::string& t) { return worker.NewWName(t), worker.w_name; }},
        {"alias", Worker::kAliasMax,
         [&](const std::string& t) { return worker.NewWAlia(t), worker.w_alias; }},
        {"cost centre", Worker::kCostCentreMax,
         [&](const std::string& t) { return worker.NewWKstl(t), worker.w_kost; }},
        {"weekday name", Worker::kDayNameMax,
         [&](const std::string& t) {
             auto week = NewWkoWeek();
             week->day[4].dayname = t;
             worker.NewWWeek(std::move(week));
             return worker.w_week->day[4].dayname;
         }},
        {"order name", Order::kNameMax,
         [&](const std::string& t) { return order.NewOAuft(t), order.oauft; }},
        {"drawing number", Order::kDrawingMax,
         [&](const std::string& t) { return order.NewOZnr(t), order.oznr; }},
        {"tool", Order::kToolMax,
         [&](const std::string& t) { return order.NewOWkz(t), order.owkz; }},
        {"link", Order::kLinkMax,
         [&](const std::string& t) {
             order.AddLink(t);
             return order.links.back();
         }},
        {"job info", ProzBalken::kInfoMax,
         [&](const std::string& t) { return job.SetTextInf(t), job.j_info; }},
    };
    for (const auto& f : fields) {
        for (const std::string& text : AroundLimit(f.max))
            EXPECT_EQ(f.set(text), WholeChars(text, f.max)) << f.field << ": " << text;
    }
}

// MARK: Files

TEST(RecordLimits, HolidaysAtTheirLimitComeBackFromTheFile)
{
    OrderWorkshop shop("; --");
    STHolidays* holidays = STHolidays::getSTHolidays();
    std::vector<std::pair<std::string, std::string>> days;
    int day = 1;
    for (const std::string& name : AroundLimit(Holiday::kNameMax)) {
        char date[32];
        snprintf(date, sizeof(date), "2003/01/%02d", day++);
        days.emplace_back(date, name);
    }
    for (const std::string& name : HostileTexts(20, 1)) {
        char date[32];
        snprintf(date, sizeof(date), "2004/02/%02d", day++);
        days.emplace_back(date, name);
    }
    days.emplace_back("2005/1/5", "short date");
    days.emplace_back("2005/01/051", "long date");
    Printed([&] {
        holidays->AddDays(days);
        holidays->AddOneDay("2005/1/5", "the same short day again");
    });
    std::vector<std::string> held;
    for (int32 i = 0; i < holidays->CountHolidays(); i++)
        held.push_back(holidays->HolidayAt(i)->date + "|" + holidays->HolidayAt(i)->name);
    const std::string first = shop.folder.Read("defs/holiday.vth");
    ExpectLinesFit(first);

    holidays = ReopenHolidays();
    ASSERT_EQ(held.size(), days.size());
    ASSERT_EQ(holidays->CountHolidays(), int32(held.size())) << "no holiday lost or added";
    for (int32 i = 0; i < holidays->CountHolidays(); i++)
        EXPECT_EQ(holidays->HolidayAt(i)->date + "|" + holidays->HolidayAt(i)->name, held[i]);
    Printed([&] { holidays->SaveHolidaysList(); });
    EXPECT_EQ(shop.folder.Read("defs/holiday.vth"), first);
}

// The worker whose long name once took its alias, cost centre and id with
// it, so that its jobs went to another worker.
TEST(RecordLimits, WorkersAndTheirJobsComeBackFromTheFiles)
{
    OrderWorkshop shop;
    STWorker* workers = shop.workers;
    const std::vector<std::string> hostile = HostileTexts(40, 2);
    int32 id = 10;
    auto add = [&](const std::string& name, const std::string& alias, const std::string& cost,
                   const std::string& day) {
        auto worker = std::make_unique<Worker>();
        worker->NewWName(name);
        worker->NewWAlia(alias);
        worker->NewWKstl(cost);
        auto week = NewWkoWeek();
        week->day[0].dayname = day;
        worker->NewWWeek(std::move(week));
        worker->w_id = id++;
        Printed([&] { workers->AddWorkerZgr(std::move(worker)); });
    };
    add(std::string(300, 'N'), std::string(100, 'A'), std::string(100, 'K'), "Montag-lang");
    for (size_t i = 0; i < 6; i++) {
        add(AroundLimit(Worker::kNameMax)[i], AroundLimit(Worker::kAliasMax)[i],
            AroundLimit(Worker::kCostCentreMax)[i], AroundLimit(Worker::kDayNameMax)[i]);
    }
    for (size_t i = 0; i + 3 < hostile.size(); i += 4)
        add(hostile[i], hostile[i + 1], hostile[i + 2], hostile[i + 3]);
    const std::vector<WorkerTexts> held = WorkerRecords(workers);

    // Every worker has a job of its own.
    STOrder* orders = ReopenOrders();
    auto order = std::make_unique<Order>(false);
    for (const WorkerTexts& worker : held)
        order->jobs.push_back(std::make_unique<ProzBalken>(BRect(10, 10, 110, 40), worker.id, 0,
                                                           800, 0, worker.name.c_str()));
    orders->AddOrderZgr(std::move(order));
    Printed([&] { orders->CheckAllOrders(); });
    const std::vector<std::string> jobs = OrderRecords(orders);

    const std::string workerFile = SaveWorkers(shop);
    const std::string orderFile = SaveOrders(shop);
    ExpectLinesFit(workerFile);
    ExpectLinesFit(orderFile);
    Printed([] { STOrder::Existing()->DeleteMe(); });
    workers = ReopenWorkers();
    EXPECT_EQ(WorkerRecords(workers), held);
    orders = ReopenOrders();
    EXPECT_EQ(OrderRecords(orders), jobs) << "every job stays with its worker";
    EXPECT_EQ(SaveWorkers(shop), workerFile);
    EXPECT_EQ(SaveOrders(shop), orderFile);
}

TEST(RecordLimits, OrdersJobsAndLinksComeBackFromTheFile)
{
    OrderWorkshop shop;
    STOrder* orders = ReopenOrders();
    const std::vector<std::string> hostile = HostileTexts(60, 3);
    auto add = [&](const std::string& name, const std::string& drawing, const std::string& tool,
                   const std::string& info, const std::string& link, const std::string& date) {
        auto order = std::make_unique<Order>(false);
        order->NewOAuft(name);
        order->NewOZnr(drawing);
        order->NewOWkz(tool);
        order->NewODli(date);
        order->NewOPdl("2003/01/10");
        order->jobs.push_back(
            std::make_unique<ProzBalken>(BRect(10, 10, 110, 40), 1, 0, 800, 0, info.c_str()));
        order->AddLink(link);
        orders->AddOrderZgr(std::move(order));
    };
    for (size_t i = 0; i < AroundLimit(Order::kNameMax).size(); i++)
        add(AroundLimit(Order::kNameMax)[i], AroundLimit(Order::kDrawingMax)[i],
            AroundLimit(Order::kToolMax)[i], AroundLimit(ProzBalken::kInfoMax)[i],
            AroundLimit(Order::kLinkMax)[i], i % 2 ? "2003/02/14" : "2003/2/145");
    for (size_t i = 0; i + 5 < hostile.size(); i += 6)
        add(hostile[i], hostile[i + 1], hostile[i + 2], hostile[i + 3], hostile[i + 4],
            hostile[i + 5]);
    Printed([&] { orders->CheckAllOrders(); });
    const std::vector<std::string> held = OrderRecords(orders);

    const std::string first = SaveOrders(shop);
    ExpectLinesFit(first);
    orders = ReopenOrders();
    EXPECT_EQ(OrderRecords(orders), held) << "no order, job or link lost or added";
    EXPECT_EQ(SaveOrders(shop), first);

    // An order template holds the dates and the jobs' texts.
    Order* widest = orders->GetOrder(2);
    const std::string path = shop.folder.Path("templates/wide.otp");
    Printed([&] { EXPECT_EQ(widest->SaveAsTempl(path.c_str()), 0); });
    BMessage use('O+TF');
    use.AddString("fname", "wide");
    Printed([&] { orders->AddOrderTemplate(&use); });
    const Order* added = orders->GetOrder(orders->GetOMax());
    EXPECT_EQ(added->odli, widest->odli);
    EXPECT_EQ(added->jobs.at(0)->j_info, widest->jobs.at(0)->j_info);
}

// Older builds took texts of any length (orders: 80 bytes each, and the
// writer shortened the longest); what such a line holds is kept as read.
TEST(RecordLimits, OlderFilesKeepWhatTheirLinesHold)
{
    OrderWorkshop shop;
    const std::string name(100, 'n'), drawing(62, 'd'), tool(48, 't');
    const std::string orderLine =
        "[IT][" + name + "][" + drawing + "][" + tool + "][2003/02/14][2003/02/10][0][1][2]";
    ASSERT_EQ(orderLine.size(), kRecordLineMax);
    shop.folder.Write("defs/plan.vto", "; ---\n" + orderLine + "\n; ---");
    STOrder* orders = ReopenOrders();
    Order* order = orders->GetOrder(0);
    EXPECT_EQ(order->oauft, name);
    EXPECT_EQ(order->oznr, drawing);
    EXPECT_EQ(order->owkz, tool);
    EXPECT_EQ(SaveOrders(shop), "; ---\n" + orderLine + "\n; ---");
    // An edit then takes what the line has room for.
    order->NewOWkz(std::string(60, 'T'));
    EXPECT_EQ(order->owkz, std::string(Order::kToolMax, 'T'));
    order->NewOZnr(std::string(90, 'D'));
    EXPECT_EQ(order->oznr, std::string(62, 'D'));
    order->NewODli("2003/02/141");
    EXPECT_EQ(order->odli, "2003/02/14") << "the date too keeps the line whole";

    const std::string workerName(180, 'w');
    shop.folder.Write("defs/plan.vtw", "; --\n[IT][" + workerName + "][AB][K-17][7][0]\n; --; --");
    STWorker* workers = ReopenWorkers();
    EXPECT_EQ(workers->GetWorker(0)->w_name, workerName);
    EXPECT_EQ(workers->GetWorker(0)->w_id, 7);

    const std::string holidayName(235, 'h');
    const std::string holidayLine = "[HD][2003/01/01][" + holidayName + "]";
    ASSERT_EQ(holidayLine.size(), kRecordLineMax);
    shop.folder.Write("defs/holiday.vth", holidayLine);
    prefsdata.fetch_or(VTa_USE_HOLIDAY);
    STHolidays* holidays = ReopenHolidays();
    ASSERT_EQ(holidays->CountHolidays(), 1);
    EXPECT_EQ(holidays->HolidayAt(0)->name, holidayName);
    // A hand-made line that the written form would not hold gives way.
    shop.folder.Write("defs/holiday.vth", "[HD][1][" + std::string(244, 'h') + "]");
    holidays = ReopenHolidays();
    ASSERT_EQ(holidays->CountHolidays(), 1);
    EXPECT_EQ(holidays->HolidayAt(0)->date, "         1");
    EXPECT_EQ(holidays->HolidayAt(0)->name, std::string(235, 'h'));
    prefsdata.fetch_and(~VTa_USE_HOLIDAY);
}
