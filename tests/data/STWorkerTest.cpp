// The worker list: the worker file read and written byte for byte, how the
// list starts, ids and lookups, menus, deleting, templates, failed saves.
#include "data/STWorker.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "app/AppPost.h"
#include "app/Globals.h"
#include "data/STHolidays.h"
#include "data/Worker.h"
#include "kit/app/Message.h"
#include "kit/interface/Menu.h"
#include "kit/interface/MenuItem.h"
#include "kit/storage/SafeFile.h"
#include "support/CorpusFiles.h"
#include "support/FileContents.h"
#include "support/ProgramFolder.h"

namespace {

std::string Golden(const std::string& name)
{
    return GoldenFile("data", name);
}

std::string Captured(const std::function<void()>& run)
{
    testing::internal::CaptureStdout();
    run();
    return testing::internal::GetCapturedStdout();
}

// A program folder with a project name; the lists a test made are destroyed
// before the folder goes.
struct Project
{
    explicit Project(const char* name = "plan") : oldWko(DEFS_WKO_IO), oldOrd(DEFS_ORD_IO)
    {
        DEFS_WKO_IO = DEFS_ORD_IO = name;
    }
    ~Project()
    {
        Close();
        if (STHolidays* holidays = STHolidays::Existing())
            holidays->DeleteMe();
        DEFS_WKO_IO = oldWko;
        DEFS_ORD_IO = oldOrd;
    }
    STWorker* Open()
    {
        STWorker* list = nullptr;
        Captured([&] { list = STWorker::getSTWorker(); });
        return list;
    }
    void Close()
    {
        if (STWorker* workers = STWorker::Existing())
            Captured([&] { workers->DeleteMe(); });
        DEFS_WKO_IO = DEFS_ORD_IO;
    }
    // Saves the list, reads the file into a fresh list and saves that.
    std::pair<std::string, std::string> SaveTwice()
    {
        Captured([&] { STWorker::Existing()->SaveWorkerList(); });
        const std::string first = folder.Read("defs/plan.vtw");
        Close();
        STWorker* again = Open();
        Captured([&] { again->SaveWorkerList(); });
        return {first, folder.Read("defs/plan.vtw")};
    }

    ProgramFolder folder;
    std::string oldWko;
    std::string oldOrd;
};

void AddNamed(STWorker* list, const char* name, const char* alias = "", int32 id = 0)
{
    auto worker = std::make_unique<Worker>();
    worker->NewWName(name);
    worker->NewWAlia(alias);
    worker->w_id = id;
    Captured([&] { list->AddWorkerZgr(std::move(worker)); });
}

} // namespace

TEST(WorkerList, GoldenFileLoadsAndSavesUnchanged)
{
    Project project;
    project.folder.Write("defs/plan.vtw", Golden("plan.vtw"));
    STWorker* list = project.Open();
    ASSERT_EQ(list->GetWMax(), 1);
    Worker* anna = list->GetWorker(0);
    EXPECT_EQ(anna->w_name + "|" + anna->w_alias + "|" + anna->w_kost, "Anna Berg|AB|4711");
    EXPECT_EQ(anna->w_id, 1);
    EXPECT_EQ(anna->multiuse, 1);
    EXPECT_EQ(anna->w_week->day[4].end, 1300);
    EXPECT_EQ(anna->w_std, 3800);
    EXPECT_EQ(anna->u_days.size(), 13u);
    EXPECT_EQ(std::string(anna->DaysTable().data(), 14), "fUUUUUffU1II4f");
    EXPECT_TRUE(list->GetWorker(1)->u_days.empty());

    EXPECT_EQ(Captured([&] { list->SaveWorkerList(); }), " STWorker-SAVE-END [1|plan.vtw]\n");
    EXPECT_EQ(project.folder.Read("defs/plan.vtw"), Golden("plan.vtw"));
}

TEST(WorkerList, BuiltWorkersWriteTheGoldenFile)
{
    Project project("noname");
    STWorker* list = project.Open();
    EXPECT_EQ(list->GetWMax(), -1);
    AddNamed(list, "Anna Berg", "AB", 1);
    AddNamed(list, "Bert Cramer", "BC", 2);
    Worker* anna = list->GetWorker(0);
    anna->NewWKstl("4711");
    anna->multiuse = 1;
    auto week = NewWkoWeek();
    week->day[4] = daymark{630, 600, 30, 0, "Fr"};
    anna->NewWWeek(std::move(week));
    // Off-days in any order: the writer sorts them. Illness days keep theirs.
    for (const char* day : {"2003/01/14", "2002/12/02", "2002/12/03", "2002/12/04", "2003/01/06",
                            "2002/12/05", "2002/12/06", "2002/12/09", "2003/01/07", "2003/01/08",
                            "2003/01/09", "2003/01/10", "2003/01/13"})
        anna->u_days.push_back(str2CDay(day));
    anna->i_days.push_back(str2CDay("2002/12/12"));
    anna->i_days.push_back(str2CDay("2002/12/11"));

    const std::string path = project.folder.Path("defs/built.vtw");
    Captured([&] { EXPECT_TRUE(list->SaveWorker(path)); });
    EXPECT_EQ(project.folder.Read("defs/built.vtw"), Golden("plan.vtw"));
}

TEST(WorkerList, ReaderToleratesHandEditedFiles)
{
    Project project;
    project.folder.Write(
        "defs/plan.vtw",
        "[WD][Orphan][1:00][1:00][0:00]\n[UD][2002/12/10]\n" // before any worker
        "; [IT][comment][c][c][9][1]\n"
        "[IT][Eva][E][k][5][7]\n"
        "[WD][Montag1234][7:00][8:00][0:45]\n"  // ten characters
        "[WD][Dienstag123][7:00][8:00][0:45]\n" // eleven
        "[WD][Mi][20:00][5:00][0:45]\n"         // ends after midnight
        "[WD][Do]\n[WD][Fr][6:00]\n[WD][Sa][7:00][0:00][0:45]\n[WD][So][7:00][0:00][0:45]\n"
        "[WD][Extra][1:00][9:00][0:00]\n" // an eighth weekday
        "[UD][2002/1/5][2002/12/20][2002/12/23\n"
        "[UD]\n"
        "[IT][Fritz][F][k][6]\n" // no multiuse field
        "[IT][Gerd][G][k][7][ 3]\n"
        "[IT][" +
            std::string(300, 'x') +
            "][H][k][8][0]\r\n"       // name cut off with the line
            "[IT][Ida][I][k][9][0]"); // no line end
    STWorker* list = project.Open();
    ASSERT_EQ(list->GetWMax(), 4);
    const struct
    {
        const char* name;
        int32 id;
        int8 multiuse;
    } workers[] = {{"Eva", 5, 7}, {"Fritz", 6, 0}, {"Gerd", 7, 3}, {"new_", -1, 0}, {"Ida", 9, 0}};
    for (int32 i = 0; i < 5; i++) {
        Worker* worker = list->GetWorker(i);
        EXPECT_EQ(worker->w_name.substr(0, strlen(workers[i].name)), workers[i].name);
        if (workers[i].id >= 0) {
            EXPECT_EQ(worker->w_id, workers[i].id);
        }
        EXPECT_EQ(worker->multiuse, workers[i].multiuse) << i;
        EXPECT_NE(worker->DaysTable()[kDayTableDays - 1], '\0') << i; // finished
    }

    const wkoweek& week = *list->GetWorker(0)->w_week;
    EXPECT_EQ(week.day[0].dayname, "Montag1234");
    EXPECT_EQ(week.day[1].dayname, "Dienstag12");
    const daymark& wednesday = week.day[2];
    EXPECT_EQ(
        (std::vector<TInt>{wednesday.begin, wednesday.worktime, wednesday.pause, wednesday.end}),
        (std::vector<TInt>{700, 825, 45, 1600}));
    EXPECT_EQ(week.day[3].worktime, 800); // fields not there keep their values
    EXPECT_EQ(week.day[4].begin, 600);
    EXPECT_EQ(week.day[6].dayname, "So"); // not "Extra"
    const DayList& off = list->GetWorker(0)->u_days;
    ASSERT_EQ(off.size(), 2u);                       // the field without ']' is not read
    EXPECT_EQ(CDay2str(off[0].get()), "2002/12/09"); // "2002/1/5": today
}

TEST(WorkerList, DaysAreReadAsTheCalendarDaysTheyStandFor)
{
    const std::pair<const char*, const char*> cases[] = {
        {"2002/12/24", "2002/12/24"},
        {"2002/13/01", "2003/01/01"},
        {"2002/02/30", "2002/03/02"},
        {"2002/00/00", "2001/11/30"},
        {"   2/01/01", "   2/01/01"},
        {"9999/99/99", "2002/12/09"}, // past year 9999: no ten-character day, so today
    };
    std::string file = "[IT][Eva][E][k][5][0]\n";
    for (auto [field, day] : cases)
        file += std::string("[IL][") + field + "]\n";
    Project project;
    project.folder.Write("defs/plan.vtw", file);
    const DayList& days = project.Open()->GetWorker(0)->i_days;
    ASSERT_EQ(days.size(), std::size(cases));
    for (size_t i = 0; i < std::size(cases); i++)
        EXPECT_EQ(CDay2str(days[i].get()), cases[i].second) << cases[i].first;
    auto [first, second] = project.SaveTwice();
    EXPECT_EQ(first, second);
}

// Worker files that once upset the reader, and the fuzz target's seeds: the
// list they give is written and read back to the same bytes.
TEST(WorkerList, RegressionFilesSaveStably)
{
    const auto files = CorpusFiles(
        {"tests/data/regressions", "fuzz/corpus/worker_file"},
        [](const std::string& name) { return name.ends_with(".vtw") || name.ends_with(".wtp"); });
    EXPECT_GT(files.size(), 2u);
    for (const CorpusFile& file : files) {
        Project project;
        project.folder.Write("defs/plan.vtw", file.bytes);
        project.Open();
        auto [first, second] = project.SaveTwice();
        EXPECT_EQ(first, second) << file.name;
    }
}

TEST(WorkerList, HowTheListStartsAndEnds)
{
    Project project;
    AppPostRecorder posts;
    STWorker* list = nullptr;
    const std::string said = Captured([&] { list = STWorker::getSTWorker(); });
    EXPECT_NE(said.find(" File Missing! "), std::string::npos);
    EXPECT_NE(said.find(" BUILD-STWorker-DONE [0] \n"), std::string::npos);
    EXPECT_EQ(list->GetWorker(0)->w_id, 912); // "%d%02d" of 9 December
    EXPECT_EQ(wko_exist.load(), 1);
    EXPECT_EQ(STWorker::getSTWorker(), list);

    Captured([&] { list->DeleteMe(); });
    EXPECT_EQ(STWorker::Existing(), nullptr);
    EXPECT_EQ(wko_exist.load(), 0);
    EXPECT_EQ(posts.Codes(), (std::vector<uint32>{'Wyes', 'W_no'}));
    EXPECT_EQ(Captured([&] { EXPECT_EQ(STWorker::getSTWorker(), nullptr); }),
              "getSTWorker(): [-]  fail\n");

    // A project name too short for a file gives one new worker.
    DEFS_WKO_IO = "abcd";
    DEFS_ORD_IO = "ab";
    posts.Clear();
    list = project.Open();
    EXPECT_EQ(list->GetWMax(), 0);
    EXPECT_EQ(posts.Codes(), (std::vector<uint32>{'WUIz', 'Wyes'}));
}

TEST(WorkerList, IdsLookupsAndWrapAround)
{
    Project project("noname");
    STWorker* list = project.Open();
    EXPECT_EQ(list->GetWorker(0), nullptr);
    EXPECT_EQ(list->GetNewMyID4Worker(), 1);
    AddNamed(list, "a", "", 7);
    AddNamed(list, "b", "", 0);
    AddNamed(list, "c", "", 3);
    list->CheckWorkerID();
    EXPECT_EQ(list->GetWorker(1)->w_id, 8);

    const std::pair<int32, int32> positions[] = {{0, 7}, {2, 3}, {3, 7}, {-1, 3}, {INT_MIN, 3}};
    for (auto [n, id] : positions)
        EXPECT_EQ(list->GetWorker(n)->w_id, id) << n;
    EXPECT_EQ(list->FindWorkerNrOverID(3), 2);
    EXPECT_EQ(list->FindWorkerNrOverID(4), 999);
    EXPECT_EQ(list->GetWorkerWithID(4), nullptr);

    // A hand-edited id at the very top: a free id, not an overflow.
    list->GetWorker(0)->w_id = INT32_MAX;
    list->GetWorker(2)->w_id = 1;
    EXPECT_EQ(list->GetNewMyID4Worker(), 2);
}

TEST(WorkerList, ExistWorkerNeedsNameAndAlias)
{
    Project project("noname");
    STWorker* list = project.Open();
    AddNamed(list, "Anna", "A1");
    AddNamed(list, "Anna", "A2");
    AddNamed(list, "Bert", "A2");
    int32 found = -1;
    EXPECT_EQ(Captured([&] { found = list->ExistWorker("Anna", "A2"); }),
              "[N]Anna|A1\n[N]Anna|A2\n[A]Anna|A2\n");
    EXPECT_EQ(found, 2);
    EXPECT_EQ(Captured([&] { found = list->ExistWorker("Bert", "A1"); }),
              "[A]Anna|A1\n[N]Bert|A2\n");
    EXPECT_EQ(found, 0);
}

TEST(WorkerList, MenusListNamesCaseInsensitivelyBeforeOldItems)
{
    const std::pair<std::vector<const char*>, std::vector<const char*>> cases[] = {
        {{"anna", "Bert"}, {"anna", "Bert"}},
        {{"bert", "Anna"}, {"Anna", "bert"}},
    };
    for (const auto& [names, shown] : cases) {
        Project project("noname");
        STWorker* list = project.Open();
        int32 id = 40;
        for (const char* name : names)
            AddNamed(list, name, "", id++);
        BMenu menu("workers");
        menu.AddItem(new BMenuItem("old", new BMessage('OLD_')));
        list->SortedMWorkerList(&menu, 'PB02', "myID", 1);
        list->SortedMWorkerList(&menu, 'WUIx', "worker", 0);
        ASSERT_EQ(menu.CountItems(), 5);
        for (int32 i = 0; i < 4; i++) {
            const BMessage* message = menu.ItemAt(i)->Message();
            EXPECT_STREQ(menu.ItemAt(i)->Label(), shown[size_t(i % 2)]);
            EXPECT_EQ(message->what, i < 2 ? uint32('WUIx') : uint32('PB02'));
            std::string label;
            int32 value = -1;
            message->FindString("labelt", &label);
            message->FindInt32(i < 2 ? "worker" : "myID", &value);
            EXPECT_EQ(label, shown[size_t(i % 2)]);
            Worker* named = i < 2 ? list->GetWorker(value) : list->GetWorkerWithID(value);
            EXPECT_EQ(named->w_name, shown[size_t(i % 2)]);
        }
        EXPECT_STREQ(menu.ItemAt(4)->Label(), "old");
    }
}

TEST(WorkerList, DeletingRefusesTheLastWorkerAndAnnouncesTheRest)
{
    Project project("noname");
    STWorker* list = project.Open();
    AppPostRecorder posts;
    Captured([&] { list->AddWorker(); });
    EXPECT_EQ(Captured([&] { list->DeleteSingleWorker(0); }), "last Worker delete? \n");
    EXPECT_EQ(posts.Codes(), std::vector<uint32>{'WUIz'});

    Captured([&] { list->AddWorker(); });
    Worker* second = list->GetWorker(1);
    posts.Clear();
    Captured([&] { list->DeleteSingleWorker(0); });
    EXPECT_EQ(list->GetWMax(), 0);
    EXPECT_EQ(list->GetWorker(0), second);
    EXPECT_EQ(posts.Codes(), (std::vector<uint32>{'WB_A', 'WUIz', 'OCHA'}));
}

TEST(WorkerList, TemplatesAddTheirWorkersWithFreshIds)
{
    Project project("noname");
    project.folder.Write("templates/schicht.wtp", Golden("schicht.wtp"));
    STWorker* list = project.Open();
    AppPostRecorder posts;
    list->AddWorkerTemplate(nullptr); // 'W+TE' comes without a message
    BMessage away('W+TF');
    away.AddString("fname", "../templates/schicht");
    Captured([&] { list->AddWorkerTemplate(&away); });
    EXPECT_EQ(list->GetWMax(), -1);

    BMessage use('W+TF');
    use.AddString("fname", "schicht");
    EXPECT_EQ(Captured([&] { list->AddWorkerTemplate(&use); }).rfind(">>>found: schicht.wtp\n ", 0),
              0u);
    ASSERT_EQ(list->GetWMax(), 1);
    for (int32 i = 0; i < 2; i++) {
        EXPECT_EQ(list->GetWorker(i)->w_name, "Template");
        EXPECT_EQ(list->GetWorker(i)->w_id, i + 1);
        EXPECT_EQ(list->GetWorker(i)->w_std, 4000);
    }
    EXPECT_EQ(posts.Codes(), std::vector<uint32>{'WUIz'});
}

TEST(WorkerList, FailedSavesKeepTheOldFile)
{
    Project project;
    project.folder.Write("defs/plan.vtw", Golden("plan.vtw"));
    STWorker* list = project.Open();
    Captured([&] { list->AddWorker(); });
    const std::string nowhere = project.folder.Path("no/x.vtw");
    EXPECT_EQ(Captured([&] { EXPECT_FALSE(list->SaveWorker(nowhere)); }),
              "'" + nowhere + "' OpenError!\n");
    Captured([&] { EXPECT_FALSE(list->SaveWorker(project.folder.Path("defs"))); });

    struct Reset
    {
        ~Reset() { BSafeFile::FailNthStep(0); }
    } reset;
    int n = 1;
    for (; n < 20; n++) {
        BSafeFile::FailNthStep(n);
        bool saved = false;
        const std::string said = Captured([&] { saved = list->SaveWorkerList(); });
        if (saved)
            break;
        EXPECT_NE(said.find("OpenError!"), std::string::npos) << n;
        EXPECT_EQ(project.folder.Read("defs/plan.vtw"), Golden("plan.vtw")) << n;
        EXPECT_EQ(project.folder.CountFiles("defs"), 1) << n;
    }
    EXPECT_GT(n, 1);
    EXPECT_LT(n, 20);
    EXPECT_NE(project.folder.Read("defs/plan.vtw"), Golden("plan.vtw"));
    EXPECT_EQ(project.folder.CountFiles("defs"), 1);
}
