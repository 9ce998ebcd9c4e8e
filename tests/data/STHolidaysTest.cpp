// The holiday list: the holiday file read and written byte for byte, adding
// and removing days, the day table, drawing, and readers on other threads.
#include "data/STHolidays.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "app/Settings.h"
#include "data/Holiday.h"
#include "kit/display/TestWindow.h"
#include "kit/storage/SafeFile.h"
#include "support/CorpusFiles.h"
#include "support/FileContents.h"
#include "support/ProgramFolder.h"

namespace {

std::string Golden()
{
    return GoldenFile("data", "holiday.vth");
}

std::string Captured(const std::function<void()>& run)
{
    testing::internal::CaptureStdout();
    run();
    return testing::internal::GetCapturedStdout();
}

struct Calendar
{
    explicit Calendar(const std::string& file = "", bool useHolidays = true)
    {
        if (useHolidays)
            prefsdata |= VTa_USE_HOLIDAY;
        if (!file.empty())
            folder.Write("defs/holiday.vth", file);
    }
    ~Calendar()
    {
        if (STHolidays* list = STHolidays::Existing())
            Captured([&] { list->DeleteMe(); });
    }
    STHolidays* Open()
    {
        STHolidays* list = nullptr;
        said = Captured([&] { list = STHolidays::getSTHolidays(); });
        return list;
    }
    std::string File() const { return folder.Read("defs/holiday.vth"); }

    ProgramFolder folder; // today 2002/12/09: the table starts 2002/12/01
    std::string said;
};

std::vector<std::string> Entries(STHolidays* list)
{
    std::vector<std::string> entries;
    for (int32 i = 0; i < list->CountHolidays(); i++)
        entries.push_back(list->HolidayAt(i)->date + "|" + list->HolidayAt(i)->name);
    return entries;
}

} // namespace

TEST(HolidayFile, AddingKeepsDateOrderAndWritesTheGoldenFile)
{
    Calendar calendar;
    STHolidays* list = calendar.Open();
    EXPECT_EQ(list->CountHolidays(), 0);
    Captured([&] {
        list->AddOneDay("2002/12/26", "2. Weihnachtstag");
        list->AddOneDay("2003/01/01", "Neujahr");     // after all
        list->AddOneDay("2002/12/25", "Weihnachten"); // before all
    });
    EXPECT_EQ(calendar.File(), Golden());
    EXPECT_EQ(list->IsHoliday("2002/12/25"), 1);
    EXPECT_EQ(list->IsHoliday("2002/12/25 "), 0);
    EXPECT_EQ(list->HDaysTable()[24], 'F');

    // Already a holiday: the file is not written again.
    calendar.folder.Write("defs/holiday.vth", "untouched");
    list->AddOneDay("2003/01/01", "Neujahr again");
    EXPECT_EQ(calendar.File(), "untouched");
    EXPECT_EQ(list->HolidayAt(2)->name, "Neujahr");
}

TEST(HolidayFile, GoldenFileLoadsAndSavesUnchangedOnlyWithTheOption)
{
    for (bool use : {true, false}) {
        Calendar calendar(Golden(), use);
        STHolidays* list = calendar.Open();
        EXPECT_NE(calendar.said.find(" BUILD-STHolidays-DONE \n"), std::string::npos);
        ASSERT_EQ(list->CountHolidays(), use ? 3 : 0);
        EXPECT_EQ(list->HDaysTable()[25], use ? 'F' : '-');
        if (use) {
            EXPECT_TRUE(list->SaveHolidaysList());
            EXPECT_EQ(calendar.File(), Golden());
        }
    }
}

TEST(HolidayFile, DeletingTakesTheFirstDateFoundInTheText)
{
    Calendar calendar(Golden());
    STHolidays* list = calendar.Open();
    Captured([&] { list->DelOneDay("  2002/12/26  2. Weihnachtstag"); });
    EXPECT_EQ(list->HDaysTable()[25], '-');
    EXPECT_EQ(calendar.File(),
              "; -- Holidaylist / Feiertagsliste \n; -- [item][yyyy/mm/dd][name][regi]\n"
              "; --\n[HD][2002/12/25][Weihnachten]\n; --\n[HD][2003/01/01][Neujahr]\n; --");

    // Nothing matches: the list stays, the file is written all the same.
    calendar.folder.Write("defs/holiday.vth", "x");
    Captured([&] { list->DelOneDay("2002/12/24"); });
    EXPECT_EQ(list->CountHolidays(), 2);
    EXPECT_NE(calendar.File(), "x");
}

TEST(HolidayFile, ReaderTakesOnlyHolidayLines)
{
    Calendar calendar("; [HD][2002/12/24][Heiligabend]\n"
                      "[HD]2002/12/27\n" // no "]["
                      "[HD][2003/05/01][Maifeiertag][BY]\r\n"
                      "[HD][2003/04/18][Karfreitag\n"    // name not closed
                      "[HD][2003/10/03extra][Einheit]\n" // the date is cut, the line kept
                      "[HD][2003/12/31][" +
                      std::string(400, 'n') +
                      "]\n"
                      "[HD][2004/01/01][Neujahr]");
    STHolidays* list = calendar.Open();
    EXPECT_NE(calendar.said.find("no support regi: BY\n"), std::string::npos);
    EXPECT_EQ(Entries(list),
              (std::vector<std::string>{"2003/04/18|--no-name--", "2003/05/01|Maifeiertag",
                                        "2003/10/03e|Einheit", "2003/12/31|--no-name--",
                                        "2004/01/01|Neujahr"}));
}

// With the fuzz target's seeds, which must also give holidays.
TEST(HolidayFile, HostileBytesNeverCrashTheReader)
{
    std::vector<std::string> inputs = {
        std::string(5000, '['),
        "[HD][" + std::string(10000, 'x'),
        std::string("[HD][2002/12/25\0][A\0B]\n", 23),
        "[HD][][]\n[HD][]\n]]]][HD][[[[",
        "[HD][2002/99/99][x]\n[HD][-999999999999/01/01][y]\n[HD][+2002/1/1][z]",
    };
    const auto seeds = CorpusFiles({"fuzz/corpus/holiday_file"});
    EXPECT_GE(seeds.size(), 3u);
    for (const CorpusFile& seed : seeds) {
        inputs.push_back(seed.bytes);
        Calendar calendar(seed.bytes);
        EXPECT_GT(calendar.Open()->CountHolidays(), 0) << seed.name;
    }
    for (const std::string& input : inputs) {
        Calendar calendar(input);
        STHolidays* list = calendar.Open();
        Captured([&] { list->SaveHolidaysList(); });
        for (int32 i = 0; i < list->CountHolidays(); i++)
            EXPECT_LE(list->HolidayAt(i)->date.size(), Holiday::kDateMax);
        EXPECT_EQ(list->HDaysTable()[kDayTableDays], '\0');
    }
}

// Holiday files that once lost or added holidays on reload: once read,
// they save to what reads back the same.
TEST(HolidayFile, RegressionFilesSaveStably)
{
    int files = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(VANTREL_SOURCE_DIR "/tests/data/regressions")) {
        if (entry.path().extension() != ".vth")
            continue;
        files++;
        std::ifstream in(entry.path(), std::ios::binary);
        Calendar calendar({std::istreambuf_iterator<char>(in), {}});
        STHolidays* list = calendar.Open();
        Captured([&] { list->SaveHolidaysList(); });
        const std::string first = calendar.File();
        Captured([&] { list->DeleteMe(); });
        list = calendar.Open();
        Captured([&] { list->SaveHolidaysList(); });
        EXPECT_EQ(calendar.File(), first) << entry.path();
    }
    EXPECT_GT(files, 0);
}

TEST(HolidayTable, MarksOnlyHolidaysInsideTheTable)
{
    Calendar calendar("[HD][2002/11/30][before]\n[HD][2002/12/01][first]\n"
                      "[HD][2004/12/01][last]\n[HD][2004/12/02][after]\n"
                      "[HD][2002/12/3][short]\n[HD][2002/13/01][month 13]\n");
    STHolidays* list = calendar.Open();
    EXPECT_EQ(list->CountHolidays(), 6);
    const std::string table(list->HDaysTable().data());
    EXPECT_EQ(table[0], 'F');
    EXPECT_EQ(table[731], 'F');
    EXPECT_EQ(table[31], 'F'); // "2002/13/01" stands for 2003/01/01
    // "2002/12/3" is no day text: it marks neither that day nor today.
    EXPECT_EQ(std::count(table.begin(), table.end(), 'F'), 3);
}

TEST(HolidayFile, FailedSavesKeepTheOldFile)
{
    Calendar calendar(Golden());
    STHolidays* list = calendar.Open();
    struct Reset
    {
        ~Reset() { BSafeFile::FailNthStep(0); }
    } reset;
    int n = 1;
    for (; n < 20; n++) {
        BSafeFile::FailNthStep(n);
        const std::string said = Captured([&] { list->AddOneDay("2003/04/21", "Ostermontag"); });
        if (said.empty())
            break;
        EXPECT_EQ(said, "'" + list->Path() + "' OpenError!\n") << n;
        EXPECT_EQ(calendar.File(), Golden()) << n;
        EXPECT_EQ(calendar.folder.CountFiles("defs"), 1) << n;
        list->DelOneDay("2003/04/21"); // the list kept it; try the whole change again
    }
    EXPECT_GT(n, 1);
    EXPECT_LT(n, 20);
    EXPECT_NE(calendar.File().find("[HD][2003/04/21][Ostermontag]\n"), std::string::npos);

    // The file's name taken by a folder.
    Captured([&] { list->DeleteMe(); });
    std::filesystem::remove(calendar.folder.Path("defs/holiday.vth"));
    std::filesystem::create_directory(calendar.folder.Path("defs/holiday.vth"));
    list = calendar.Open();
    EXPECT_EQ(Captured([&] { EXPECT_FALSE(list->SaveHolidaysList()); }),
              "'" + list->Path() + "' OpenError!\n");
}

TEST(HolidayList, OneInstanceAndSafeReadersOnOtherThreads)
{
    Calendar calendar;
    STHolidays* seen[4] = {};
    Captured([&] {
        std::vector<std::thread> threads;
        for (STHolidays*& slot : seen)
            threads.emplace_back([&slot] { slot = STHolidays::getSTHolidays(); });
        for (std::thread& thread : threads)
            thread.join();
    });
    EXPECT_TRUE(std::all_of(seen, seen + 4, [&](STHolidays* list) { return list == seen[0]; }));

    STHolidays* list = seen[0];
    std::atomic<bool> done{false};
    std::thread reader([&] {
        while (!done) {
            list->IsHoliday("2003/02/01");
            ASSERT_EQ(list->CopyHDaysTable()[kDayTableDays], '\0');
        }
    });
    Captured([&] {
        char day[16];
        for (int i = 1; i <= 28; i++) {
            snprintf(day, sizeof(day), "2003/02/%02d", i);
            list->AddOneDay(day, "x");
        }
        for (int i = 1; i <= 28; i += 2) {
            snprintf(day, sizeof(day), "2003/02/%02d", i);
            list->DelOneDay(day);
        }
    });
    done = true;
    reader.join();
    EXPECT_EQ(list->CountHolidays(), 14);
}

TEST(HolidayDrawing, HolidaysBlendOnlyInTheDetailedModes)
{
    const rgb_color white{255, 255, 255, 255};
    const rgb_color c = AskColor(uc_HDY);
    const rgb_color blended{uint8((c.red + 255) / 2), uint8((c.green + 255) / 2),
                            uint8((c.blue + 255) / 2), 255};
    for (int32 mode : {1, 0}) {
        Calendar calendar("[HD][2002/12/03][a]\n");
        STHolidays* list = calendar.Open();
        DaStMode = mode;
        TestWindow test("holidays", BRect(0, 0, 799, 99));
        auto* grid = test.Add(new ProbeView(BRect(0, 0, 100 + 20 * 31, 40), "grid"));
        grid->SetViewColor(255, 255, 255);
        grid->onDraw = [&](BView* view, BRect) { list->DrawHolidaysInView(view, 100, 31, 10); };
        test.ShowAndWait();

        EXPECT_RGB(test.Pixel(140, 10), mode != 0 ? blended : white);
        EXPECT_RGB(test.Pixel(159, 39), mode != 0 ? blended : white);
        EXPECT_RGB(test.Pixel(150, 9), white);  // above top
        EXPECT_RGB(test.Pixel(150, 40), white); // the bottom row stays
        EXPECT_RGB(test.Pixel(160, 20), white);
    }
}
