// A worker's day table and hours, the off-day and illness rules, day ranges,
// the day lines of its file block, templates, and its marks in a bar.
#include "data/Worker.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/AppPost.h"
#include "app/Settings.h"
#include "data/STHolidays.h"
#include "kit/app/Message.h"
#include "kit/display/TestWindow.h"
#include "support/ProgramFolder.h"

namespace {

// A program folder whose holiday list goes with it; with holiday 2002/12/25.
struct Workshop
{
    explicit Workshop(int year = 2002, int month = 12, bool christmas = false)
        : folder(year, month, 9)
    {
        if (christmas) {
            prefsdata |= VTa_USE_HOLIDAY;
            STHolidays::getSTHolidays()->AddOneDay("2002/12/25", "Weihnachten");
        }
    }
    ~Workshop()
    {
        if (STHolidays* holidays = STHolidays::Existing())
            holidays->DeleteMe();
    }
    ProgramFolder folder;
};

std::string Table(const Worker& worker, size_t from, size_t count)
{
    return std::string(worker.DaysTable().data() + from, count);
}

std::vector<std::string> Days(const DayList& list)
{
    std::vector<std::string> texts;
    for (const auto& day : list)
        texts.push_back(CDay2str(day.get()));
    return texts;
}

std::string Captured(const std::function<void()>& run)
{
    testing::internal::CaptureStdout();
    run();
    return testing::internal::GetCapturedStdout();
}

BMessage Range(const char* first, const char* last)
{
    BMessage message('UDAY');
    message.AddString("udayA", first);
    message.AddString("udayB", last);
    message.AddString("udayC", "Urlaub");
    return message;
}

} // namespace

TEST(WorkerTable, PatternFollowsTheWeekdayOfTheFirstOfTheMonth)
{
    const struct
    {
        int year, month;
        const char* pattern;
    } cases[] = {
        {2003, 9, "01234ff"}, {2003, 4, "1234ff0"}, {2003, 1, "234ff01"},  {2003, 5, "34ff012"},
        {2003, 8, "4ff0123"}, {2003, 2, "ff01234"}, {2002, 12, "f01234f"},
    };
    for (const auto& c : cases) {
        Workshop shop(c.year, c.month);
        Worker worker;
        worker.AllDaysTable();
        EXPECT_EQ(Table(worker, 0, 7), c.pattern) << c.year << "/" << c.month;
        EXPECT_EQ(worker.DaysTable()[731], c.pattern[731 % 7]);
        EXPECT_EQ(worker.DaysTable()[kDayTableDays], '\0');
    }
}

TEST(WorkerTable, HolidaysOffDaysAndIllnessOverrideTheWeek)
{
    Workshop shop(2002, 12, true); // table from Sunday 2002/12/01
    Worker worker;
    worker.w_week->day[4].worktime = 600; // Friday
    worker.u_days.push_back(str2CDay("2002/12/23"));
    worker.u_days.push_back(str2CDay("2002/12/25")); // holiday, off-day
    worker.i_days.push_back(str2CDay("2002/12/25")); // ... and illness day
    worker.i_days.push_back(str2CDay("2002/12/24"));
    worker.u_days.push_back(str2CDay("2002/11/30")); // outside the table
    worker.i_days.push_back(str2CDay("2004/12/02"));
    worker.AllDaysTable();

    EXPECT_EQ(Table(worker, 21, 7), "fUII34f"); // Sunday 22 .. Saturday 28
    EXPECT_EQ(std::string(worker.DaysTable().data()).find_first_of("UIF", 29), std::string::npos);
    const std::pair<int32, TInt> hours[] = {{1, 800},  {5, 600}, {6, 0},      {24, 0},
                                            {-1, 800}, {732, 0}, {1 << 30, 0}};
    for (auto [index, expected] : hours)
        EXPECT_EQ(worker.GetTagesStdYD(index, 0), expected) << index;
    EXPECT_EQ(Captured([&] {
                  for (int32 i : {24, 22, 1, 0, -1})
                      worker.GetTagesStdYD(i, 1);
                  worker.GetTagesStdYD(24, 2);
              }),
              "ILL ULB Mon FDY n.a. ad-table ergo 8:00 std I");
    EXPECT_EQ(Captured([&] { EXPECT_EQ(worker.GetTagesStdWD(55), 0); }), "ALERT: wtag='7' \n");

    // Taking the days away uncovers what lies under them.
    Captured([&] { worker.DelIday("2002/12/25"); });
    EXPECT_EQ(worker.DaysTable()[24], 'U');
    Captured([&] { worker.DelUday("2002/12/25"); });
    EXPECT_EQ(worker.DaysTable()[24], 'F');
}

TEST(WorkerHours, DiffDaysOverHoursCountsWorkingDaysOfTheTable)
{
    Workshop shop;
    Worker worker;
    worker.AllDaysTable();
    const struct
    {
        const char* a;
        const char* b;
        int32 count;
    } cases[] = {
        {"2002/12/13", "2002/12/17", 2}, // Friday to Tuesday: Friday and Monday
        {"2002/12/30", "2003/01/02", 3}, // across the year end
        {"2002/12/17", "2002/12/13", 0}, // b before a
        {"2002/11/28", "2002/12/03", 4}, // days before the table count
        {"2004/12/02", "9999/01/01", 0}, // days after it do not
        {"0001/01/01", "0001/01/11", 10},
    };
    for (const auto& c : cases) {
        auto a = str2CDay(c.a);
        auto b = str2CDay(c.b);
        EXPECT_EQ(worker.DiffDaysOverHours(a.get(), b.get()), c.count) << c.a << " " << c.b;
    }

    // The counts are remembered per table: a week or a table that changes
    // afterwards is counted anew.
    auto friday = str2CDay("2002/12/13");
    auto tuesday = str2CDay("2002/12/17");
    auto week = NewWkoWeek();
    week->day[4].worktime = 0;
    worker.NewWWeek(std::move(week));
    EXPECT_EQ(worker.DiffDaysOverHours(friday.get(), tuesday.get()), 1) << "Monday only";
    worker.u_days.push_back(str2CDay("2002/12/16"));
    worker.AllDaysTable();
    EXPECT_EQ(worker.DiffDaysOverHours(friday.get(), tuesday.get()), 0);
    EXPECT_EQ(worker.WorkingDaysBetween(CDaySerial(friday.get()), CDaySerial(tuesday.get()) + 1),
              1);
}

TEST(WorkerDays, OffDayAndIllnessRulesInOrder)
{
    Workshop shop(2002, 12, true);
    Worker worker;
    worker.u_days.push_back(str2CDay("2002/12/18"));
    worker.i_days.push_back(str2CDay("2002/12/19"));
    const struct
    {
        bool illness;
        const char* day;
        int32 added;
        const char* said;
    } cases[] = {
        {false, "2002/12/22", 0, "2002/12/22 :Ist FreiZeit\n"}, // Sunday
        {false, "2002/12/18", 0, "2002/12/18 :Ist Urlaub\n"},
        {false, "2002/12/19", 0, "2002/12/19 :Ist Krank..\n"},
        {false, "2002/12/25", 0, "2002/12/25 :Ist Feiertag\n"},
        {false, "2002/12/20", 1, ""},
        {false, "2002/12/9", 1, ""}, // no day text: today, 2002/12/09
        {false, "2002/12/09", 0, "2002/12/09 :Ist Urlaub\n"},
        {true, "2002/12/21", 0, "2002/12/21 :Ist FreiZeit\n"},
        {true, "2002/12/18", 1, "2002/12/18 :Ist Urlaub(muss weg)\nDelUday 2002/12/18\n"},
        {true, "2002/12/19", 0, "2002/12/19 :Ist Krank..\n"},
        {true, "2002/12/25", 0, "2002/12/25 :Ist Feiertag\n"},
    };
    for (const auto& c : cases) {
        int32 added = -1;
        const std::string said = Captured(
            [&] { added = c.illness ? worker.AddIDaysCheck(c.day) : worker.AddUDaysCheck(c.day); });
        EXPECT_EQ(said, c.said) << c.day;
        EXPECT_EQ(added, c.added) << c.day;
    }
    EXPECT_EQ(Days(worker.u_days), (std::vector<std::string>{"2002/12/09", "2002/12/20"}));
    EXPECT_EQ(Days(worker.i_days), (std::vector<std::string>{"2002/12/19", "2002/12/18"}));
}

TEST(WorkerDays, RangesAreExchangedBoundedAndAnnounced)
{
    Workshop shop;
    AppPostRecorder posts;
    Worker worker;
    BMessage reversed = Range("2002/12/23", "2002/12/20");
    const std::string said = Captured([&] { worker.AddUdays(&reversed); });
    EXPECT_EQ(said.rfind("'Urlaub' von: '2002/12/23' bis: '2002/12/20' \n", 0), 0u);
    EXPECT_EQ(Days(worker.u_days), (std::vector<std::string>{"2002/12/20", "2002/12/23"}));
    EXPECT_EQ(Table(worker, 19, 4), "UffU");
    EXPECT_EQ(posts.Codes(), std::vector<uint32>{'WBRA'});

    // Nothing added: no post; "nyl" is no range at all.
    posts.Clear();
    BMessage weekend = Range("2002/12/21", "2002/12/22");
    BMessage none = Range("nyl", "2002/12/22");
    EXPECT_EQ(Captured([&] { worker.AddUdays(&none); }), "");
    Captured([&] { worker.AddUdays(&weekend); });
    EXPECT_TRUE(posts.Codes().empty());

    // Three months of working days: 45 and no more.
    BMessage quarter = Range("2003/01/01", "2003/03/31");
    EXPECT_NE(Captured([&] { worker.AddIdays(&quarter); }).find("NOTBREMSE geschafft\n"),
              std::string::npos);
    ASSERT_EQ(worker.i_days.size(), 45u);
    EXPECT_EQ(CDay2str(worker.i_days.back().get()), "2003/03/04");

    // A week without hours refuses every day of 10000 years, and the walk
    // ends; a last day out of range ends it at the day it stands for.
    Worker idle;
    for (daymark& day : idle.w_week->day)
        day.worktime = 0;
    BMessage ages = Range("0001/01/01", "9999/12/31");
    Captured([&] { idle.AddUdays(&ages); });
    EXPECT_TRUE(idle.u_days.empty());
    Worker odd;
    BMessage month13 = Range("2002/12/31", "2002/13/02");
    Captured([&] { odd.AddUdays(&month13); });
    EXPECT_EQ(Days(odd.u_days),
              (std::vector<std::string>{"2002/12/31", "2003/01/01", "2003/01/02"}));
}

TEST(WorkerFile, DayLinesBreakByYearAndBySix)
{
    Workshop shop;
    const struct
    {
        std::vector<const char*> days;
        const char* lines;
    } cases[] = {
        {{"2002/12/30", "2003/01/02", "2002/12/27"},
         "[UD][2002/12/27][2002/12/30]\n[UD][2003/01/02]\n"},
        {{"2002/03/01", "2002/03/02", "2002/03/03", "2002/03/04", "2002/03/05", "2002/03/06",
          "2002/03/07", "2002/03/08"},
         "[UD][2002/03/01][2002/03/02][2002/03/03][2002/03/04][2002/03/05][2002/03/06]\n"
         "[UD][2002/03/07][2002/03/08]\n"},
        {{"2002/12/30", "2002/12/31", "2003/01/01", "2003/01/02", "2003/01/03", "2003/01/06",
          "2003/01/07"},
         "[UD][2002/12/30][2002/12/31]\n[UD][2003/01/01][2003/01/02][2003/01/03][2003/01/06]\n"
         "[UD][2003/01/07]\n"},
    };
    for (const auto& c : cases) {
        Worker worker;
        for (const char* day : c.days)
            worker.u_days.push_back(str2CDay(day));
        std::string block;
        worker.SaveAsASC(block);
        EXPECT_EQ(block.substr(block.find("[UD]")), std::string(c.lines) + "; --");
    }
}

// Texts set by the editors must not break their record when read back.
TEST(WorkerFile, TextsKeepTheirRecordWhole)
{
    Workshop shop;
    Worker worker;
    worker.NewWName("Anna ]Berg\n");
    worker.NewWAlia("A]B");
    worker.NewWKstl("K\r17");
    auto week = NewWkoWeek();
    week->day[2].dayname = "IT";
    week->day[3].dayname = "2003[IT";
    worker.NewWWeek(std::move(week));
    std::string block;
    worker.SaveAsASC(block);
    EXPECT_NE(block.find("[IT][Anna )Berg ][A)B][K 17]"), std::string::npos) << block;
    EXPECT_NE(block.find("[WD][IT ][7:00]"), std::string::npos) << block;
    EXPECT_NE(block.find("[WD][2003(IT][7:00]"), std::string::npos) << block;
    EXPECT_EQ(block.find("IT]["), block.find("[IT]") + 1) << "one record tag only";
}

TEST(WorkerFile, TemplatesAreAppendedAndFailuresKeepTheFile)
{
    Workshop shop;
    AppPostRecorder posts;
    Worker worker;
    const std::string path = shop.folder.Path("templates/schicht.wtp");
    EXPECT_EQ(worker.SaveAsTempl(path.c_str()), 0);
    EXPECT_EQ(worker.SaveAsTempl(path.c_str()), 0);
    std::ifstream golden(VANTREL_SOURCE_DIR "/tests/data/golden/schicht.wtp", std::ios::binary);
    EXPECT_EQ(shop.folder.Read("templates/schicht.wtp"),
              std::string(std::istreambuf_iterator<char>(golden), {}));
    EXPECT_EQ(posts.Codes(), (std::vector<uint32>{'W+TE', 'W+TE'}));

    posts.Clear();
    const std::string nowhere = shop.folder.Path("missing/x.wtp");
    const std::string folder = shop.folder.Path("templates");
    const std::string said = Captured([&] {
        EXPECT_EQ(worker.SaveAsTempl(nowhere.c_str()), 1);
        EXPECT_EQ(worker.SaveAsTempl(folder.c_str()), 1);
    });
    EXPECT_EQ(said, "'" + nowhere + "' OpenError!\n'" + folder + "' OpenError!\n");
    EXPECT_TRUE(posts.Codes().empty());
    EXPECT_EQ(shop.folder.CountFiles("templates"), 1);
}

TEST(WorkerDrawing, OffAndIllnessDaysBlendIntoTheBar)
{
    Workshop shop;
    Worker worker;
    worker.u_days.push_back(str2CDay("2002/12/03"));
    worker.i_days.push_back(str2CDay("2002/12/05"));
    worker.AllDaysTable();

    TestWindow test("bar", BRect(0, 0, 799, 99));
    // 31 days of 20 pixels from x0 = 100.
    auto* bar = test.Add(new ProbeView(BRect(0, 0, 100 + 20 * 31, 18), "bar"));
    bar->SetViewColor(255, 255, 255);
    bar->onDraw = [&](BView* view, BRect) { worker.DrawUdaysInView(view, 100, 31, 0); };
    test.ShowAndWait();

    const auto blend = [](rgb_color c) {
        return rgb_color{uint8((c.red + 255) / 2), uint8((c.green + 255) / 2),
                         uint8((c.blue + 255) / 2), 255};
    };
    const rgb_color white{255, 255, 255, 255};
    EXPECT_RGB(test.Pixel(140, 0), blend(AskColor(uc_HOL)));
    EXPECT_RGB(test.Pixel(159, 18), blend(AskColor(uc_HOL)));
    EXPECT_RGB(test.Pixel(190, 9), blend(AskColor(uc_ILL)));
    EXPECT_RGB(test.Pixel(170, 9), white);
    EXPECT_RGB(test.Pixel(200, 9), white);
}
