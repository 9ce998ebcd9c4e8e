// The XML project file: the document byte for byte, the day-list lines, the
// job grid with its repairs, and a failed export that leaves the previous
// file whole.
#include "exchange/XmlExport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "data/ProzBalken.h"
#include "data/RecordLineReader.h"
#include "data/Worker.h"
#include "exchange/ExchangeProject.h"
#include "kit/storage/SafeFile.h"

namespace {

constexpr const char* kHeader = "<?xml version=\"1.0\" standalone=\"yes\" ?>\n"
                                "<!DOCTYPE this_dok SYSTEM \"_vantrel.dtd\">\n"
                                "<?xml:Stylesheet href=\"_vantrel.css\" type=\"text/css\"?>\n\n"
                                "<data_list>\n";

std::string Between(const std::string& text, const std::string& from, const std::string& to)
{
    const size_t start = text.find(from);
    if (start == std::string::npos)
        return "(missing)";
    const size_t end = text.find(to, start + from.size());
    return text.substr(start + from.size(), end - start - from.size());
}

struct FailNoMoreSteps
{
    ~FailNoMoreSteps() { BSafeFile::FailNthStep(0); }
};

} // namespace

TEST(XmlExport, WritesTheWholeProjectByteForByte)
{
    ExchangeProject project;
    bool saved = false;
    const std::string printed = Printed([&] { saved = XML_Save(); });
    EXPECT_TRUE(saved);
    EXPECT_EQ(project.folder.Read("defs/plan.xml"), ExchangeGolden("plan.xml"));
    EXPECT_EQ(printed, "HH UD HH ") << "only the repaired bars are reported";
    EXPECT_EQ(project.folder.CountFiles("defs"), 4) << "no temporary file stays";
}

TEST(XmlExport, OneWorkerWithoutOrdersOrHolidays)
{
    ExchangeProject project(nullptr);
    const std::string workers = ExchangeGolden("plan.vtw");
    project.folder.Write("defs/solo.vtw", workers.substr(0, workers.find("; --; --")));
    project.folder.Write("defs/solo.vto", "; ---");
    std::filesystem::remove(project.folder.Path("defs/holiday.vth"));
    project.Open("solo");

    const std::string printed = Printed([] { XML_Save(); });
    const std::string golden = ExchangeGolden("plan.xml");
    const std::string anna =
        "\n<worker>" + Between(golden, "\n<worker>", "</worker>\n") + "</worker>\n";
    EXPECT_EQ(project.folder.Read("defs/solo.xml"),
              std::string(kHeader) + "<VT_proj>solo</VT_proj>\n<sd>2002/12/09 12:00</sd>\n\n" +
                  "<next>.</next>\n<absatz> Erst die Workouter: </absatz>\n\n" + anna +
                  "<next>.</next>\n<absatz> Nun die Jobs: </absatz>\n\n" +
                  "<next>.</next>\n<absatz> Feiertagsliste: </absatz>\n\n" + "</data_list>\n");
    EXPECT_EQ(printed, " NO Holidays! \n");
}

TEST(XmlExport, DayListsBreakAtEachNewYearAndAfterEveryFourthDay)
{
    ProgramFolder folder;
    struct Case
    {
        std::vector<const char*> days;
        const char* lines;
    };
    const Case cases[] = {
        {{"2003/12/31", "2003/12/30", "2004/01/02"}, "AB\nC"},
        {{"2003/03/03", "2003/03/04", "2003/03/05", "2003/03/06", "2003/03/07", "2003/03/10"},
         "ABCD\nEF"},
        {{"2003/03/03", "2003/03/04", "2003/03/05", "2003/03/06"}, "ABCD"},
        // A year's line end does not restart the count of four.
        {{"2003/12/29", "2003/12/30", "2004/01/05", "2004/01/06", "2004/01/07"}, "AB\nCD\nE"},
        {{"2003/12/22", "2003/12/23", "2003/12/29", "2003/12/30", "2004/01/05"}, "ABCD\n\nE"},
    };
    for (const Case& c : cases) {
        Worker worker;
        for (const char* day : c.days) {
            worker.u_days.push_back(str2CDay(day));
            worker.i_days.push_back(str2CDay(day));
        }
        std::string xml;
        WorkerToXML(worker, xml);
        // The layout with every day written as its letter in sorted order.
        std::string expected = c.lines;
        for (size_t i = 0; i < c.days.size(); i++) {
            const std::string sorted = CDay2str(worker.u_days[i].get());
            expected.replace(expected.find(char('A' + i)), 1, "<hday>" + sorted + "</hday>");
        }
        EXPECT_EQ(Between(xml, "<wko_hdyday>\n", "\n</wko_hdyday>\n"), expected) << c.lines;
        // Illness days keep the order they were added in.
        EXPECT_EQ(Between(xml, "<wko_illday>\n<iday>", "</iday>"), c.days[0]);
    }
}

TEST(XmlExport, JobGridIsRepairedAndClampedToOneByte)
{
    ExchangeProject project;
    ProzBalken* job = project.orders->GetOrder(0)->jobs[0].get();
    struct Case
    {
        BRect frame; // left, top, right, bottom in pixels
        const char* grid;
        const char* printed;
    };
    const Case cases[] = {
        {BRect(100, 10, 100, 30), "[10][12][1][3]", "HH "},
        {BRect(100, 10, 50, 30), "[10][12][1][3]", "RL "},
        {BRect(10, 60, 110, 40), "[1][11][4][6]", "UD "},
        {BRect(10, 50, 110, 50), "[1][11][5][7]", "VV "},
        {BRect(35, 1, 119, 21), "[4][12][1][3]", ""},
        // Beyond the byte the near edge gives way: the bar keeps a width.
        {BRect(2600, 10, 2700, 30), "[254][255][1][3]", "HH "},
        {BRect(2550, 10, 2550, 30), "[254][255][1][3]", "HH "},
        {BRect(2540, 2550, 2550, 2600), "[254][255][254][255]", "VV "},
        {BRect(-15, 10, 0, 30), "[0][2][1][3]", "HH "},
        {BRect(10, -30, 110, -20), "[1][11][0][2]", "VV "},
    };
    for (const Case& c : cases) {
        job->j_pos = c.frame;
        std::string xml;
        const std::string printed = Printed([&] { EXPECT_TRUE(job->PrintToXML(xml)); });
        EXPECT_EQ(Between(xml, "<j_pos>", "</j_pos>"), c.grid) << c.grid;
        EXPECT_EQ(printed, c.printed) << c.grid;
    }

    job->j_id = 99;
    std::string xml;
    const std::string printed = Printed([&] { EXPECT_FALSE(job->PrintToXML(xml)); });
    EXPECT_EQ(xml, "");
    EXPECT_EQ(printed, "ProzBalken::PrintToFile Bad worker 99\n");
}

// The order file and the export of one project hold the same grid values,
// and both give back a bar that has a width and a height.
TEST(XmlExport, TheOrderFileAndTheExportHoldTheSameGrid)
{
    ExchangeProject project;
    const BRect frames[] = {
        BRect(2550, 10, 2550, 30), BRect(2600, 2600, 2700, 2700), BRect(-15, -30, 0, -20),
        BRect(2540, 10, 2560, 30), BRect(35, 1, 119, 21),         BRect(100, 60, 50, 40),
        BRect(3000, 10, 2000, 30), BRect(0, 2550, 10, 2550),
    };
    Order* order = project.orders->GetOrder(0);
    order->jobs.resize(1);
    for (size_t i = 1; i < std::size(frames); i++)
        order->jobs.push_back(std::make_unique<ProzBalken>(frames[i], 1, 0, 100, 0, "-"));
    order->jobs[0]->j_pos = frames[0];
    std::vector<std::string> fromXml, fromFile;
    Printed([&] {
        std::string xml, lines;
        for (const auto& job : order->jobs) {
            xml.clear();
            lines.clear();
            job->PrintToXML(xml);
            job->PrintToFile(lines);
            fromXml.push_back(Between(xml, "<j_pos>", "</j_pos>"));
            const std::vector<std::string> fields = RecordLine(lines).Fields();
            fromFile.push_back("[" + fields.at(0) + "][" + fields.at(1) + "][" + fields.at(2) +
                               "][" + fields.at(3) + "]");
        }
    });
    EXPECT_EQ(fromXml, fromFile);
    for (const std::string& grid : fromXml) {
        int left, right, top, bottom;
        ASSERT_EQ(sscanf(grid.c_str(), "[%d][%d][%d][%d]", &left, &right, &top, &bottom), 4);
        EXPECT_TRUE(left >= 0 && left < right && right <= 255) << grid;
        EXPECT_TRUE(top >= 0 && top < bottom && bottom <= 255) << grid;
    }
}

TEST(XmlExport, RecordsAppendThemselvesToTheFileOutsideAnExport)
{
    ExchangeProject project;
    const std::string golden = ExchangeGolden("plan.xml");
    const std::string path = project.folder.Path("defs/pieces.xml");
    project.folder.Write("defs/pieces.xml", "<data_list>\n");
    EXPECT_EQ(project.workers->GetWorker(0)->SaveAsXML(path.c_str()), 0);
    EXPECT_EQ(project.orders->GetOrder(0)->SaveAsXML(path.c_str()), 0);
    EXPECT_TRUE(project.holidays->SaveAsXML(path));
    EXPECT_EQ(project.folder.Read("defs/pieces.xml"),
              "<data_list>\n\n<worker>" + Between(golden, "\n<worker>", "</worker>\n") +
                  "</worker>\n\n<next>.</next>\n<order>" +
                  Between(golden, "\n<next>.</next>\n<order>", "</order>\n") +
                  "</order>\n\n<next>.</next><calender>\n" +
                  Between(golden, "<calender>\n", "</calender>\n") + "</calender>\n");

    const std::string nowhere = project.folder.Path("missing/pieces.xml");
    const std::string failed = "'" + nowhere + "' OpenError!\n";
    EXPECT_EQ(Printed([&] {
                  EXPECT_EQ(project.workers->GetWorker(0)->SaveAsXML(nowhere.c_str()), 1);
                  EXPECT_EQ(project.orders->GetOrder(0)->SaveAsXML(nowhere.c_str()), 1);
                  EXPECT_FALSE(project.holidays->SaveAsXML(nowhere));
              }),
              failed + failed + failed);
}

TEST(XmlExport, AFailedExportLeavesThePreviousFileWhole)
{
    ExchangeProject project;
    FailNoMoreSteps restore;
    project.folder.Write("defs/plan.xml", "previous");
    const std::string path = project.folder.Path("defs/plan.xml");
    int n = 1;
    for (; n < 10; n++) {
        BSafeFile::FailNthStep(n);
        bool saved = true;
        const std::string printed = Printed([&] { saved = XML_Save(); });
        if (saved)
            break;
        EXPECT_EQ(printed, "HH UD HH '" + path + "' OpenError! HeaderXML_End\n") << "step " << n;
        EXPECT_EQ(project.folder.Read("defs/plan.xml"), "previous") << "step " << n;
        EXPECT_EQ(project.folder.CountFiles("defs"), 4) << "step " << n;
    }
    EXPECT_GE(n, 3) << "a write, the sync and the rename can each fail";
    EXPECT_EQ(project.folder.Read("defs/plan.xml"), ExchangeGolden("plan.xml"));
}

TEST(XmlExport, AFolderThatCannotBeWrittenIsReportedByEveryPiece)
{
    ExchangeProject project;
    std::filesystem::rename(project.folder.Path("defs"), project.folder.Path("away"));
    project.folder.Write("defs", "a file where the folder was");
    const std::string path = "'" + project.folder.Path("defs/plan.xml") + "' OpenError!";
    const std::string insert = path + " HeaderXML_Insert\n";
    bool saved = true;
    const std::string printed = Printed([&] { saved = XML_Save(); });
    EXPECT_FALSE(saved);
    EXPECT_EQ(printed, path + " HeaderXML\n" + insert + insert + path + "\n" + insert +
                           "HH UD HH " + path + "\n" + insert + path + "\n" + path +
                           " HeaderXML_End\n");
}
