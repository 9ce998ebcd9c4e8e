// Merging XML project files: an export read back into an empty project, a
// whole project dropped on itself, the records as a hand-written file has
// them, drops that are no XML file, and hostile files.
#include "exchange/XmlImport.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "app/AppPost.h"
#include "data/Holiday.h"
#include "data/ProzBalken.h"
#include "data/Worker.h"
#include "exchange/ExchangeProject.h"
#include "exchange/XmlExport.h"
#include "exchange/XmlFile.h"
#include "kit/app/Message.h"
#include "kit/storage/SafeFile.h"
#include "support/CorpusFiles.h"

namespace {

std::string Summary(int holidays, int workers, int orders)
{
    return " " + std::to_string(holidays) + " Holidays\n " + std::to_string(workers) +
           " Worker\n " + std::to_string(orders) + " Order\n ..added";
}

// Drops the file of the program folder on a window of the given mode.
std::string Drop(ExchangeProject& project, const std::string& relative, int32 mode)
{
    BMessage drop('DATA');
    entry_ref ref(project.folder.Path(relative));
    drop.AddRef("refs", &ref);
    return Printed([&] { XML_Splice(&drop, mode); });
}

// The document without what an import cannot keep: order ids and the
// project's name.
std::string WithoutIds(std::string xml)
{
    for (const std::string tag : {"onr", "VT_proj"}) {
        const std::string open = "<" + tag + ">", close = "</" + tag + ">";
        for (size_t at = xml.find(open); at != std::string::npos; at = xml.find(open, at + 1)) {
            const size_t end = xml.find(close, at);
            if (end == std::string::npos)
                break;
            xml.replace(at, end + close.size() - at, "<" + tag + "/>");
        }
    }
    return xml;
}

std::string Repeat(const std::string& text, int count)
{
    std::string out;
    for (int i = 0; i < count; i++)
        out += text;
    return out;
}

} // namespace

TEST(XmlImport, AnExportReadIntoAnEmptyProjectGivesTheSameProject)
{
    ExchangeProject project;
    Printed([] { XML_Save(); });
    const std::string exported = project.folder.Read("defs/plan.xml");
    project.folder.Write("defs/copy.xml", exported);
    std::filesystem::remove(project.folder.Path("defs/holiday.vth"));
    project.Open("noname");

    const std::string printed = Drop(project, "defs/copy.xml", kSpliceAll);
    EXPECT_NE(printed.find("found '2'\n \nXML KOMPLETTE: 'plan'\n"), std::string::npos);
    EXPECT_EQ(project.AnswerAlerts(), std::vector<std::string>{Summary(2, 2, 3)});
    EXPECT_EQ(project.workers->GetWorker(1)->w_id, 2);

    Printed([] { XML_Save(); });
    EXPECT_EQ(WithoutIds(project.folder.Read("defs/noname.xml")), WithoutIds(exported));
}

// Texts at their limits, with wide characters and the line files' own
// characters, come back from the export as the records held them: the
// imported project writes the same line files.
TEST(XmlImport, TextsAtTheirLimitsComeBackFromAnExport)
{
    ExchangeProject project;
    const std::string ae = "\xc3\xa4", euro = "\xe2\x82\xac", clef = "\xf0\x9d\x84\x9e";
    auto wide = [](const std::string& character, size_t bytes) {
        return Repeat(character, int(bytes / character.size() + 1));
    };
    const std::string hostile[] = {"IT", "[PB][1]", "a]b\nc\r", "LN", "x[IT", "\t;[HD]" + clef};
    Worker* anna = project.workers->GetWorker(0);
    anna->NewWName(wide(euro, Worker::kNameMax));
    anna->NewWAlia(wide(clef, Worker::kAliasMax));
    anna->NewWKstl(wide(ae, Worker::kCostCentreMax));
    Worker* bert = project.workers->GetWorker(1);
    bert->NewWName(hostile[0]);
    bert->NewWAlia(hostile[1]);
    bert->NewWKstl(hostile[2]);
    for (int32 i = 0; i <= project.orders->GetOMax(); i++) {
        Order* order = project.orders->GetOrder(i);
        order->NewOAuft(wide(i == 0 ? ae : hostile[3 + i], Order::kNameMax));
        order->NewOZnr(wide(euro, Order::kDrawingMax));
        order->NewOWkz(wide(clef, Order::kToolMax));
        for (const auto& job : order->jobs)
            job->SetTextInf(wide(i == 1 ? clef : hostile[i + 1], ProzBalken::kInfoMax));
    }
    Printed([&] {
        project.holidays->AddOneDay("2003/05/01", wide(euro, Holiday::kNameMax).c_str());
        project.holidays->AddOneDay("2003/05/02", hostile[5].c_str());
        project.workers->SaveWorkerList();
        project.orders->SaveOrderList();
        XML_Save();
    });
    const std::string files[] = {project.folder.Read("defs/plan.vtw"),
                                 project.folder.Read("defs/plan.vto"),
                                 project.folder.Read("defs/holiday.vth")};
    project.folder.Write("defs/copy.xml", project.folder.Read("defs/plan.xml"));
    std::filesystem::remove(project.folder.Path("defs/holiday.vth"));
    project.Open("noname");

    Drop(project, "defs/copy.xml", kSpliceAll);
    EXPECT_EQ(project.AnswerAlerts(), std::vector<std::string>{Summary(4, 2, 3)});
    Printed([&] {
        project.workers->SaveWorkerList();
        project.orders->SaveOrderList();
    });
    EXPECT_EQ(project.folder.Read("defs/noname.vtw"), files[0]);
    EXPECT_EQ(project.folder.Read("defs/noname.vto"), files[1]);
    EXPECT_EQ(project.folder.Read("defs/holiday.vth"), files[2]);
}

TEST(XmlImport, AWholeProjectDroppedOnItselfAddsNothingAndBecomesNoname)
{
    ExchangeProject project;
    Printed([] { XML_Save(); });
    project.folder.Write("defs/drop.xml", project.folder.Read("defs/plan.xml"));
    AppPostRecorder posts;

    // The worker editor takes only workers and leaves the names alone.
    Drop(project, "defs/drop.xml", kSpliceWorkers);
    EXPECT_EQ(DEFS_ORD_IO, "plan");
    EXPECT_EQ(project.workers->Name(), "plan");
    EXPECT_EQ(project.orders->Name(), "plan");
    EXPECT_EQ(project.AnswerAlerts(),
              (std::vector<std::string>{" OOPS... \n ID [1] is not free.. :(",
                                        " OOPS... \n ID [2] is not free.. :(", Summary(0, 0, 0)}));

    const std::string printed = Drop(project, "defs/drop.xml", kSpliceAll);
    EXPECT_EQ(DEFS_WKO_IO, "noname");
    EXPECT_EQ(DEFS_ORD_IO, "noname");
    EXPECT_NE(printed.find("\n JOB 'B-200'\n ZNR: Z-2' \n  Error!\n"), std::string::npos);
    EXPECT_EQ(
        project.AnswerAlerts(),
        (std::vector<std::string>{
            " OOPS... \n ID [1] is not free.. :(", " OOPS... \n ID [2] is not free.. :(",
            "\n JOB 'A-100'\n ZNR: Z-1' \n  Error!\n", "\n JOB 'B-200'\n ZNR: Z-2' \n  Error!\n",
            "\n JOB 'C-300'\n ZNR: Z-3' \n  Error!\n", Summary(0, 0, 0)}));
    EXPECT_EQ(project.workers->GetWMax(), 1);
    EXPECT_EQ(project.orders->GetOMax(), 2);
    EXPECT_EQ(project.holidays->CountHolidays(), 2);
    for (uint32 code : posts.Codes())
        EXPECT_NE(code, uint32('HUPD'));

    // Both lists are saved under the new name; the project's files stay.
    EXPECT_EQ(project.workers->Name(), "noname");
    EXPECT_EQ(project.orders->Name(), "noname");
    Printed([&] {
        EXPECT_TRUE(project.workers->SaveWorkerList());
        EXPECT_TRUE(project.orders->SaveOrderList());
    });
    EXPECT_TRUE(project.folder.Exists("defs/noname.vtw"));
    EXPECT_TRUE(project.folder.Exists("defs/noname.vto"));
    EXPECT_EQ(project.folder.Read("defs/plan.vtw"), ExchangeGolden("plan.vtw"));
    EXPECT_EQ(project.folder.Read("defs/plan.vto"), ExchangeGolden("plan.vto"));
}

TEST(XmlImport, NewHolidaysAreAddedInDateOrderAndSavedInOneGo)
{
    auto holiday = [](const char* day, const char* name) {
        return std::string("<holiday><hd_d>") + day + "</hd_d><hd_c>" + name +
               "</hd_c></holiday>\n";
    };
    const std::string one = holiday("2003/05/01", "Mai");
    // Out of date order, a day twice, a day the list has.
    const std::string three = holiday("2003/10/03", "Einheit") + one +
                              holiday("2003/05/01", "twice") + holiday("2002/12/25", "again") +
                              holiday("2003/04/18", "Karfreitag");
    {
        ExchangeProject project;
        project.folder.Write("defs/three.xml", three);
        Drop(project, "defs/three.xml", kSpliceAll);
        EXPECT_EQ(project.AnswerAlerts(), std::vector<std::string>{Summary(3, 0, 0)});
        EXPECT_EQ(project.folder.Read("defs/holiday.vth"),
                  "; -- Holidaylist / Feiertagsliste \n; -- [item][yyyy/mm/dd][name][regi]\n"
                  "; --\n[HD][2002/12/25][Weihnachten]\n"
                  "; --\n[HD][2003/01/01][Neujahr]\n[HD][2003/04/18][Karfreitag]\n"
                  "[HD][2003/05/01][Mai]\n[HD][2003/10/03][Einheit]\n; --");
        const ks_calday& base = project.holidays->TableBase();
        EXPECT_EQ(
            project.holidays->HDaysTable()[size_t(DiffDays(str2CDay("2003/10/03").get(), &base))],
            'F');
    }

    // A save is the same few steps however many days it holds: as many of
    // them can fail for three new days as for one.
    ExchangeProject project;
    auto failingSteps = [&](const std::string& xml) {
        project.folder.Write("defs/days.xml", xml);
        int failing = 0;
        for (int n = 1; n <= 16; n++) {
            Printed([&] { project.holidays->DeleteMe(); });
            project.folder.Write("defs/holiday.vth", ExchangeGolden("holiday.vth"));
            Printed([&] { project.holidays = STHolidays::getSTHolidays(); });
            BSafeFile::FailNthStep(n);
            const std::string printed = Drop(project, "defs/days.xml", kSpliceAll);
            BSafeFile::FailNthStep(0);
            project.AnswerAlerts();
            failing += printed.find("holiday.vth' OpenError!") != std::string::npos ? 1 : 0;
        }
        return failing;
    };
    const int steps = failingSteps(one);
    EXPECT_GT(steps, 0);
    EXPECT_EQ(failingSteps(three), steps);
}

TEST(XmlImport, AnOrderIsTakenExactlyWhenTheListHasNoneLikeIt)
{
    struct Fields
    {
        std::string name, drawing, tool;
        bool operator==(const Fields&) const = default;
    };
    // Texts that are parts of each other; a NUL is kept as a blank.
    const std::string kTexts[] = {"", "A", "B", "AB", "BA", "ABA", std::string("B\0A", 3)};
    std::mt19937 random(3);
    auto pick = [&] { return kTexts[random() % std::size(kTexts)]; };
    std::vector<Fields> listed, dropped;
    for (int i = 0; i < 10; i++)
        listed.push_back({pick(), pick(), pick()});
    for (int i = 0; i < 40; i++)
        dropped.push_back({pick(), pick(), pick()});
    auto element = [](const Fields& f) {
        return "<order><oauft>" + f.name + "</oauft><oznr>" + f.drawing + "</oznr><owkz>" + f.tool +
               "</owkz><otyp>2</otyp></order>\n";
    };
    auto open = [&](ExchangeProject& project) {
        for (const Fields& f : listed) {
            auto order = std::make_unique<Order>(false);
            order->NewOAuft(f.name);
            order->NewOZnr(f.drawing);
            order->NewOWkz(f.tool);
            project.orders->AddOrderZgr(std::move(order));
        }
    };
    auto fields = [](STOrder& orders) {
        std::vector<Fields> all;
        for (int32 i = 0; i <= orders.GetOMax(); i++) {
            const Order* order = orders.GetOrder(i);
            all.push_back({order->oauft, order->oznr, order->owkz});
        }
        return all;
    };

    // One drop per order, each checked against the list's own answer.
    std::vector<Fields> oneByOne;
    {
        ExchangeProject project;
        open(project);
        for (const Fields& f : dropped) {
            Order kept(false);
            kept.NewOAuft(f.name);
            kept.NewOZnr(f.drawing);
            kept.NewOWkz(f.tool);
            const bool fresh = project.orders->ExistJob(kept.oauft.c_str(), kept.oznr.c_str(),
                                                        kept.owkz.c_str()) < 3;
            project.folder.Write("defs/one.xml", element(f));
            Drop(project, "defs/one.xml", kSpliceOrders);
            EXPECT_EQ(added_o.load(), fresh ? 1 : 0) << f.name << "|" << f.drawing << "|" << f.tool;
            project.AnswerAlerts();
        }
        oneByOne = fields(*project.orders);
    }
    // All in one file: orders taken earlier count for the later ones.
    ExchangeProject project;
    open(project);
    std::string all;
    for (const Fields& f : dropped)
        all += element(f);
    project.folder.Write("defs/all.xml", all);
    Drop(project, "defs/all.xml", kSpliceOrders);
    EXPECT_TRUE(fields(*project.orders) == oneByOne);
    EXPECT_LT(oneByOne.size(), listed.size() + dropped.size() + 3) << "some were refused";
}

TEST(XmlImport, RecordsAreTakenAsTheFileHasThem)
{
    ExchangeProject project;
    project.folder.Write("defs/hand.xml", ExchangeGolden("hand.xml"));
    AppPostRecorder posts;
    const std::string printed = Drop(project, "defs/hand.xml", kSpliceAll);

    EXPECT_EQ(DEFS_ORD_IO, "plan") << "a project name shorter than 3 keeps the names";
    EXPECT_NE(printed.find("ww_ptr loose....\n"), std::string::npos);
    EXPECT_NE(printed.find("WKO ADD:     7 | Cora\n"), std::string::npos);
    EXPECT_EQ(project.AnswerAlerts(),
              (std::vector<std::string>{"\n In  JOB 'J-1'\nWorker: '77 | Ghost' \n  not found\n\n",
                                        Summary(2, 1, 1)}));
    int hupd = 0;
    for (uint32 code : posts.Codes())
        hupd += code == uint32('HUPD') ? 1 : 0;
    EXPECT_EQ(hupd, 1);

    ASSERT_EQ(project.workers->GetWMax(), 2);
    Worker* cora = project.workers->GetWorker(2);
    EXPECT_EQ(cora->w_alias, "CO");
    EXPECT_EQ(cora->w_kost, "K");
    EXPECT_EQ(cora->multiuse, 2);
    for (int day = 0; day < 7; day++) {
        const daymark& mark = cora->w_week->day[size_t(day)];
        const bool read = day < 3;
        EXPECT_EQ(mark.begin, read ? 600 : 700) << day;
        EXPECT_EQ(mark.worktime, read ? 500 : day < 5 ? 800 : 0) << day;
        EXPECT_EQ(mark.pause, read ? 15 : 45) << day;
    }
    ASSERT_EQ(cora->u_days.size(), 2u);
    EXPECT_EQ(CDay2str(cora->u_days[0].get()), "2003/12/30");
    EXPECT_EQ(CDay2str(cora->u_days[1].get()), "2004/01/02");

    ASSERT_EQ(project.orders->GetOMax(), 3);
    Order* order = project.orders->GetOrder(3);
    EXPECT_EQ(order->oauft, "J-1");
    // As the order file would read them back.
    EXPECT_EQ(order->oneed, 1);
    EXPECT_EQ(order->otyp, 2);
    ASSERT_EQ(order->jobs.size(), 2u);
    const ProzBalken& fractions = *order->jobs[0];
    EXPECT_EQ(fractions.j_pos, BRect(35, 0, 120, 20));
    EXPECT_EQ(fractions.j_info, "");
    EXPECT_EQ(fractions.j_stat, 0);
    EXPECT_EQ(fractions.j_time, 230);
    EXPECT_EQ(fractions.j_id, 7);
    const ProzBalken& ghost = *order->jobs[1];
    EXPECT_EQ(ghost.j_info, "- - Ghost");
    EXPECT_EQ(ghost.j_id, 1) << "the first worker takes the job";

    ASSERT_EQ(project.holidays->CountHolidays(), 4);
    EXPECT_EQ(project.holidays->HolidayAt(0)->name, "Weihnachten") << "not replaced";
    EXPECT_EQ(project.holidays->HolidayAt(3)->name, "");
}

TEST(XmlImport, DropsThatAreNoReadableXmlFile)
{
    ExchangeProject project;
    project.folder.Write("defs/plan.txt", ExchangeGolden("hand.xml"));
    std::filesystem::create_directory(project.folder.Path("defs/folder.xml"));
    ASSERT_EQ(mkfifo(project.folder.Path("defs/pipe.xml").c_str(), 0600), 0);
    struct Case
    {
        const char* file;
        const char* printed;
    };
    const Case cases[] = {
        {"defs/plan.txt", "Bad XML: '%s'..\n"},
        {"defs/missing.xml", "No File for XML_Splice\n"},
        {"defs/folder.xml", "No File for XML_Splice\n"},
        {"defs/pipe.xml", "No File for XML_Splice\n"},
    };
    for (const Case& c : cases) {
        const std::string printed = Drop(project, c.file, kSpliceAll);
        std::string expected = c.printed;
        const size_t at = expected.find("%s");
        if (at != std::string::npos)
            expected.replace(at, 2, project.folder.Path(c.file));
        EXPECT_EQ(printed, "XML_Splice: '" + project.folder.Path(c.file) + "'\n" + expected);
        EXPECT_TRUE(project.AnswerAlerts().empty()) << c.file;
    }

    BMessage empty('DATA');
    EXPECT_EQ(Printed([&] { XML_Splice(&empty, kSpliceAll); }), "\nend XML_Splice\n");
    EXPECT_EQ(project.AnswerAlerts(), std::vector<std::string>{Summary(0, 0, 0)});

    CloseLists();
    DEFS_WKO_IO = "-";
    EXPECT_EQ(Printed([&] { XML_Splice(&empty, kSpliceAll); }),
              "getSTWorker(): [-]  fail\nXML no ST_WORKER (break)\n");
    EXPECT_EQ(project.AnswerAlerts(),
              std::vector<std::string>{"\nplease take  NEW, \nbefor you drag XML-Files !"});
}

TEST(XmlImport, HostileFilesGiveWhatIsWholeAndNeverHang)
{
    const std::string golden = ExchangeGolden("plan.xml");
    const size_t secondOrder = golden.find("<order>", golden.find("<order>") + 1);
    std::mt19937 random(7);
    std::string binary(64 * 1024, '\0');
    for (char& c : binary)
        c = char(random());
    struct Case
    {
        const char* name;
        std::string bytes;
        int holidays, workers, orders;
        size_t maxAlerts;
    };
    const Case cases[] = {
        {"not xml", "just some text\nwith lines\n", 0, 0, 0, 1},
        {"truncated export", golden.substr(0, secondOrder + 30), 0, 2, 1, 1},
        {"binary", binary, 0, 0, 0, 1},
        {"unclosed elements", "<worker>\n<name>X\n</wko_exec>\n", 0, 1, 0, 1},
        {"a thousand opening tags", Repeat("<order>\n", 1000), 0, 0, 0, 21},
        {"one long line", Repeat("<holiday><hd_d>2004/01/01</hd_d><hd_c>N</hd_c></holiday>", 20000),
         1, 0, 0, 1},
        {"a worker with many days",
         "<worker><card_id>9</card_id></wko_exec><wko_hdyday>" + Repeat("<hday>x", 200000) + "\n",
         0, 1, 0, 1},
        {"an order with many jobs",
         "<order><oauft>H</oauft><otyp>1</otyp>" + Repeat("<jb_class><j_info>i", 3000) +
             "\n</order>\n",
         0, 0, 1, 21},
    };
    for (const Case& c : cases) {
        ExchangeProject project("noname");
        project.folder.Write("defs/hostile.xml", c.bytes);
        Drop(project, "defs/hostile.xml", kSpliceAll);
        EXPECT_EQ(added_h.load(), c.holidays) << c.name;
        EXPECT_EQ(added_w.load(), c.workers) << c.name;
        EXPECT_EQ(added_o.load(), c.orders) << c.name;
        const std::vector<std::string> alerts = project.AnswerAlerts();
        EXPECT_LE(alerts.size(), c.maxAlerts) << c.name;
        ASSERT_FALSE(alerts.empty()) << c.name;
        EXPECT_EQ(alerts.back(), Summary(c.holidays, c.workers, c.orders)) << c.name;
    }
}

// The fuzz target's seeds (the first byte picks the window the file is
// dropped on) each add records and say so in the summary.
TEST(XmlImport, FuzzSeedsAddWhatTheSummarySays)
{
    static constexpr int32 kModes[] = {kSpliceAll, kSpliceWorkers, kSpliceOrders};
    const auto seeds = CorpusFiles({"fuzz/corpus/xml_import"});
    EXPECT_GE(seeds.size(), 3u);
    for (const CorpusFile& seed : seeds) {
        ASSERT_FALSE(seed.bytes.empty()) << seed.name;
        ExchangeProject project("noname");
        project.folder.Write("defs/seed.xml", seed.bytes.substr(1));
        Drop(project, "defs/seed.xml", kModes[(uint8)seed.bytes[0] % 3]);
        EXPECT_GT(added_h + added_w + added_o, 0) << seed.name;
        const std::vector<std::string> alerts = project.AnswerAlerts();
        ASSERT_FALSE(alerts.empty()) << seed.name;
        EXPECT_EQ(alerts.back(), Summary(added_h, added_w, added_o)) << seed.name;
    }
}

TEST(XmlImport, FindTagInLineTakesFurtherLinesUntilTheElementCloses)
{
    ExchangeProject project(nullptr);
    struct Case
    {
        const char* text;
        std::string file;
        const char* result;
        const char* next; // the file's next line afterwards
        bool alert;
    };
    const Case cases[] = {
        {"<name>Anna</name>", "next\n", "Anna", "next\n", false},
        {"no tag here", "next\n", "-", "next\n", false},
        {"<name></name><name>B</name>", "next\n", "", "next\n", false},
        {"x<name>An", "na</name> rest\nnext\n", "Anna", "next\n", false},
        {"<name>A", "<name>B</name>\nnext\n", "A<name>B", "next\n", true},
        {"<name>", "", "", "", false},
        // The closing tag split over two pieces of a long line.
        {"<name>", std::string(250, 'a') + "</name>\nnext\n", "", "next\n", false},
    };
    for (const Case& c : cases) {
        project.folder.Write("defs/tags.xml", c.file);
        std::optional<XmlFile> file = XmlFile::Open(project.folder.Path("defs/tags.xml"));
        ASSERT_TRUE(file);
        const std::string result = FindTagInLine(*file, "<name>", c.text);
        EXPECT_EQ(result, c.file.size() > 250 ? std::string(250, 'a') : c.result) << c.text;
        std::string next;
        file->ReadLine(next);
        EXPECT_EQ(next, c.next) << c.text;
        const std::vector<std::string> alerts = project.AnswerAlerts();
        EXPECT_EQ(alerts.size(), c.alert ? 1u : 0u) << c.text;
        if (c.alert) {
            EXPECT_EQ(alerts[0], " OOPS... \n missing </name> TAG :(");
        }
    }
}

TEST(XmlImport, HostileTextsComeBackAsTheyWereWritten)
{
    ExchangeProject project;
    // Within the byte of the grid, so the jobs keep their order.
    project.orders->GetOrder(1)->jobs[1]->j_pos = BRect(1500, 10, 1600, 30);
    Worker* anna = project.workers->GetWorker(0);
    Order* order = project.orders->GetOrder(0);
    // Texts that name the tags the reader looks for, or only become them
    // when read back carelessly.
    anna->NewWName("<name>Eve</name>&amp; \"q\" 'a'");
    anna->NewWAlia("</wko_exec>");
    anna->NewWKstl("a<b>c & Fräsen");
    order->NewOAuft(std::string(80, '"')); // six bytes each when written
    order->NewOZnr("</otyp>&lt;");
    order->NewOWkz("<jb_class>");
    order->jobs[0]->j_info = "</j_info><j_info>x";
    project.holidays->HolidayAt(0)->name = "Weih<n>acht & \"s\"";
    Printed([] { XML_Save(); });
    const std::string exported = project.folder.Read("defs/plan.xml");
    EXPECT_EQ(exported.find("<name>Eve"), std::string::npos) << "texts are escaped";
    project.folder.Write("defs/copy.xml", exported);
    std::filesystem::remove(project.folder.Path("defs/holiday.vth"));
    project.Open("noname");

    Drop(project, "defs/copy.xml", kSpliceAll);
    EXPECT_EQ(project.AnswerAlerts(), std::vector<std::string>{Summary(2, 2, 3)});
    anna = project.workers->GetWorker(0);
    order = project.orders->GetOrder(0);
    EXPECT_EQ(anna->w_name, "<name>Eve</name>&amp; \"q\" 'a'");
    EXPECT_EQ(anna->w_alias, "</wko_exec>");
    EXPECT_EQ(anna->w_kost, "a<b>c & Fräsen");
    EXPECT_EQ(order->oauft, std::string(80, '"'));
    EXPECT_EQ(order->oznr, "</otyp>&lt;");
    EXPECT_EQ(order->owkz, "<jb_class>");
    EXPECT_EQ(order->jobs[0]->j_info, "</j_info><j_info>x");
    EXPECT_EQ(project.holidays->HolidayAt(0)->name, "Weih<n>acht & \"s\"");
    Printed([] { XML_Save(); });
    EXPECT_EQ(WithoutIds(project.folder.Read("defs/noname.xml")), WithoutIds(exported));
}

TEST(XmlImport, UnescapedFilesOfOlderBuildsReadAsBefore)
{
    ExchangeProject project;
    project.folder.Write("defs/old.xml", ExchangeGolden("old-plan.xml"));
    std::filesystem::remove(project.folder.Path("defs/holiday.vth"));
    project.Open("noname");
    Drop(project, "defs/old.xml", kSpliceAll);
    EXPECT_EQ(project.AnswerAlerts(), std::vector<std::string>{Summary(2, 2, 3)});
    EXPECT_EQ(project.workers->GetWorker(0)->w_kost, "K&17 <a>");
    EXPECT_EQ(project.workers->GetWorker(1)->w_name, "Bert a<b");
    const auto& jobs = project.orders->GetOrder(1)->jobs;
    EXPECT_TRUE(std::any_of(jobs.begin(), jobs.end(),
                            [](const auto& job) { return job->j_info == "R&D <far> &copy &amp"; }));
    EXPECT_EQ(project.holidays->HolidayAt(1)->name, "Neujahr & Co <1>");
}
