// The date picker worked like a user: its grid, month and year stepping,
// blank cells, OK and Cancel, keys, a start date that is no day, and a
// window that asked and went away.
#include "widgets/CalCard.h"

#include <gtest/gtest.h>

#include <cmath>

#include "app/AppPost.h"
#include "app/Settings.h"
#include "kit/display/HeadlessDriver.h"
#include "kit/display/TestWindow.h"
#include "support/ProgramFolder.h"
#include "widgets/CardDriving.h"
#include "widgets/DayCell.h"
#include "widgets/MonView.h"

namespace {

class CalCardTest : public testing::Test
{
protected:
    void TearDown() override
    {
        CalCard::DeleteMe();
        driver.WaitForIdle();
    }

    CalCard* Open(const char* date, BWindow* target = nullptr, uint32 reply = 'Xone')
    {
        CalCard* card =
            CalCard::getCalCard(BRect(50, 60, 50, 60), "", date, new BMessage(reply), target);
        driver.WaitForIdle();
        return card;
    }

    DayCell* Cell(CalCard* card, int32 index) { return card->Grid()->Cell(index); }

    void Click(CalCard* card, int32 index)
    {
        driver.Click(card, middle_of(Cell(card, index)));
        driver.WaitForIdle();
    }

    std::string Text(CalCard* card, int32 index)
    {
        card->Lock();
        std::string text = Cell(card, index)->Text();
        card->Unlock();
        return text;
    }

    // The grid children that are lit among the day cells.
    std::vector<int32> LitDays(CalCard* card)
    {
        std::vector<int32> lit;
        card->Lock();
        for (int32 i = MonView::kFirstDayCell; i < MonView::kFirstDayCell + MonView::kDayCells;
             i++) {
            if (Cell(card, i)->SpotStat())
                lit.push_back(i);
        }
        card->Unlock();
        return lit;
    }

    std::string Day(CalCard* card)
    {
        card->Lock();
        std::string day = card->DayText();
        card->Unlock();
        return day;
    }

    ProgramFolder folder{2002, 12, 9};
    HeadlessDriver driver;
};

} // namespace

TEST_F(CalCardTest, GridHoldsItsCellsInOrderWithTheirCommands)
{
    CalCard* card = Open("2003/01/31");
    ASSERT_EQ(CalCard::cc_Zgr.load(), card);
    card->Lock();
    MonView* grid = card->Grid();
    ASSERT_EQ(grid->CountChildren(), MonView::kCells);
    EXPECT_EQ(card->Bounds().Width() + 1, 300);
    EXPECT_EQ(card->Bounds().Height() + 1, 148);

    const std::pair<int32, const char*> texts[] = {
        {0, "OK"},       {1, "Cancel"},    {2, " Su"}, {3, " Mo"},   {8, " Sa"},
        {51, "January"}, {62, "December"}, {63, "<"},  {64, "2003"}, {65, ">"},
    };
    for (auto [index, text] : texts)
        EXPECT_EQ(grid->Cell(index)->Text(), text) << index;
    const std::pair<int32, uint32> commands[] = {
        {0, '__OK'},      {1, '_NOK'},       {2, '----'},  {9, 'ccD_' + 1}, {50, 'ccD_' + 42},
        {51, 'ccM_' + 1}, {62, 'ccM_' + 12}, {63, 'MMIN'}, {65, 'MPLU'},
    };
    for (auto [index, command] : commands)
        EXPECT_EQ(grid->Cell(index)->Command(), command) << index;
    // The first day cell is grid cell 7: second row, Sunday column.
    EXPECT_EQ(grid->Cell(9)->Frame(), BRect(7, 26, 24, 40));
    const float half = std::floor(grid->Bounds().Width() / 2);
    EXPECT_EQ(grid->Cell(51)->Frame(), BRect(half, 26, half + 68, 40));
    EXPECT_EQ(grid->Cell(57)->Frame().left, half + 70);
    EXPECT_EQ(grid->Cell(0)->Frame().bottom, grid->Bounds().bottom - 6);
    EXPECT_EQ(grid->Cell(2)->Modus(), 2);
    EXPECT_TRUE(grid->Cell(51)->SpotStat());
    card->Unlock();

    // January 2003 begins on a Wednesday: the fourth column.
    EXPECT_EQ(Text(card, 11), "   ");
    EXPECT_EQ(Text(card, 12), "  1");
    EXPECT_EQ(Text(card, 42), " 31");
    EXPECT_EQ(Text(card, 43), "   ");
    EXPECT_EQ(LitDays(card), std::vector<int32>{42});
    EXPECT_EQ(CalCard::lastday.load(), 42);
}

TEST_F(CalCardTest, JanuaryThirtyFirstSwitchedToFebruaryAnswersTheTwentyEighth)
{
    auto* asker = new RecordingWindow();
    asker->Show();
    CalCard* card = Open("2003/01/31", asker);

    const std::string said = captured(driver, [&] { Click(card, 52); });
    EXPECT_NE(said.find("selected monat: (2) \n"), std::string::npos) << said;
    // February 2003 begins on a Saturday: the 28th is the last cell but one.
    EXPECT_EQ(Text(card, 42), " 28");
    EXPECT_EQ(Text(card, 43), "   ");
    EXPECT_EQ(LitDays(card), std::vector<int32>{42});
    card->Lock();
    EXPECT_TRUE(card->Grid()->Cell(52)->SpotStat());
    EXPECT_FALSE(card->Grid()->Cell(51)->SpotStat());
    card->Unlock();

    Click(card, MonView::kOkCell);
    std::vector<BMessage> replies = asker->Messages('Xone');
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_STREQ(replies[0].GetString("cday", ""), "2003/02/28");
    EXPECT_EQ(CalCard::cc_Zgr.load(), nullptr) << "OK closes the card";
    asker->Lock();
    asker->Quit();
}

TEST_F(CalCardTest, JuneTwoThousandThreeBeginsOnTheSecondDayRow)
{
    CalCard* card = Open("2003/06/15");
    for (int32 i = 9; i <= 15; i++)
        EXPECT_EQ(Text(card, i), "   ") << i;
    EXPECT_EQ(Text(card, 16), "  1");
    EXPECT_EQ(Text(card, 45), " 30");
    EXPECT_EQ(Text(card, 46), "   ");
    EXPECT_EQ(LitDays(card), std::vector<int32>{30});
}

TEST_F(CalCardTest, BlankCellsChangeNothingDayCellsMoveTheLight)
{
    CalCard* card = Open("2003/06/15");
    const std::string quiet = captured(driver, [&] { Click(card, 9); });
    EXPECT_EQ(Day(card), "2003/06/15");
    EXPECT_EQ(LitDays(card), std::vector<int32>{30});
    EXPECT_EQ(quiet, "");

    const std::string said = captured(driver, [&] { Click(card, 20); });
    EXPECT_EQ(said, "lastclick[15] click[5]\n");
    EXPECT_EQ(Day(card), "2003/06/05");
    EXPECT_EQ(LitDays(card), std::vector<int32>{20});
}

TEST_F(CalCardTest, YearsStepAndStopAtTheFourDigitEnds)
{
    struct YearCase
    {
        const char* start;
        int32 cell;
        const char* day;
        bool refused;
    };
    const YearCase cases[] = {
        {"2004/02/29", MonView::kYearUpCell, "2005/02/28", false},
        {"2003/05/10", MonView::kYearDownCell, "2002/05/10", false},
        {"9999/12/31", MonView::kYearUpCell, "9999/12/31", true},
        {"1000/01/01", MonView::kYearDownCell, "1000/01/01", true},
    };
    for (const YearCase& test : cases) {
        CalCard* card = Open(test.start);
        const std::string said = captured(driver, [&] { Click(card, test.cell); });
        EXPECT_EQ(Day(card), test.day) << test.start;
        EXPECT_EQ(said.find("out of reach") != std::string::npos, test.refused) << said;
        EXPECT_EQ(Text(card, MonView::kYearCell), std::string(test.day, 4));
        CalCard::DeleteMe();
        driver.WaitForIdle();
    }
}

TEST_F(CalCardTest, AStartThatIsNoDayShowsToday)
{
    const char* starts[] = {"2003/13/45", "2003/02/29",  "abc",  "",
                            "0000/01/01", "2003-01-01x", nullptr};
    for (const char* start : starts) {
        CalCard* card = nullptr;
        const std::string said = captured(driver, [&] { card = Open(start); });
        EXPECT_EQ(Day(card), "2002/12/09") << (start ? start : "null");
        EXPECT_NE(said.find("is no day, today instead"), std::string::npos) << said;
        CalCard::DeleteMe();
        driver.WaitForIdle();
    }
    CalCard* card = nullptr;
    EXPECT_EQ(captured(driver, [&] { card = Open("2004/02/29"); }), "");
    EXPECT_EQ(Day(card), "2004/02/29");
}

TEST_F(CalCardTest, OkWithoutTargetPostsToTheAppCancelPostsNothing)
{
    AppPostRecorder posts;
    CalCard* card = Open("2003/03/03", nullptr, 'Yone');
    Click(card, 15); // a Saturday, the first
    Click(card, MonView::kOkCell);
    ASSERT_EQ(posts.Codes(), std::vector<uint32>{'Yone'});
    EXPECT_STREQ(posts.Messages()[0].GetString("cday", ""), "2003/03/01");

    posts.Clear();
    card = Open("2003/03/03");
    const std::string said = captured(driver, [&] { Click(card, MonView::kCancelCell); });
    EXPECT_EQ(said, "alles abbruch \n");
    EXPECT_TRUE(posts.Codes().empty());
    EXPECT_EQ(CalCard::cc_Zgr.load(), nullptr);
}

TEST_F(CalCardTest, OneCardAtATimeAndAWindowThatWentGetsNothing)
{
    auto* asker = new RecordingWindow();
    asker->Show();
    CalCard* card = Open("2003/03/03", asker);
    EXPECT_EQ(Open("1999/01/01"), card) << "the open card, unchanged";
    EXPECT_EQ(Day(card), "2003/03/03");

    asker->Lock();
    asker->Quit();
    driver.WaitForIdle();
    const std::string said = captured(driver, [&] { Click(card, MonView::kOkCell); });
    EXPECT_NE(said.find("the window that asked is gone"), std::string::npos) << said;
    EXPECT_EQ(CalCard::cc_Zgr.load(), nullptr);
}

TEST_F(CalCardTest, OnlyTheFirstKeyIsReported)
{
    CalCard* card = Open("2003/03/03");
    EXPECT_EQ(captured(driver, [&] { driver.PressKey(card, B_F1_KEY); }),
              " B_F1_KEY by open pressed !!\n");
    EXPECT_EQ(captured(driver, [&] { driver.PressKey(card, B_F2_KEY); }), "");
    EXPECT_EQ(Day(card), "2003/03/03");
    CalCard::DeleteMe();
    driver.WaitForIdle();
    EXPECT_FALSE(CalCard::lbo_xxx.load()) << "cleared with the card";
}

TEST_F(CalCardTest, TheChosenDayIsDrawnLit)
{
    CalCard* card = Open("2003/06/15");
    auto below_text = [&](int32 index) {
        card->Lock();
        const BRect frame = Cell(card, index)->Frame();
        card->Unlock();
        // The grid sits 2 pixels into the card; row 12 is under the digits.
        return driver.Pixel(card, BPoint(frame.left + 2 + 8, frame.top + 2 + 12));
    };
    EXPECT_RGB(below_text(30), MenuShadeColor());
    EXPECT_RGB(below_text(31), ui_color(B_MENU_BACKGROUND_COLOR));
    Click(card, 31);
    EXPECT_RGB(below_text(31), MenuShadeColor());
    EXPECT_RGB(below_text(30), ui_color(B_MENU_BACKGROUND_COLOR));
}
