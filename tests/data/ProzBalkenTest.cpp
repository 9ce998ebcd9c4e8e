// A job: its worker, its "[PB]" line, and its bar in a window: colours and
// bevel, dragging on the 10-pixel grid, the context menu.
#include "data/ProzBalken.h"

#include <gtest/gtest.h>

#include "app/AppPost.h"
#include "data/OrderWorkshop.h"
#include "kit/app/OS.h"
#include "kit/display/TestWindow.h"
#include "kit/interface/MenuItem.h"
#include "kit/interface/PopUpMenu.h"

namespace {

std::unique_ptr<ProzBalken> MakeJob(BRect frame, int32 worker = 1)
{
    return std::make_unique<ProzBalken>(frame, worker, 0, 1630, 2, "Saw");
}

bool Posted(const AppPostRecorder& posts, uint32 what)
{
    const std::vector<uint32> codes = posts.Codes();
    return std::find(codes.begin(), codes.end(), what) != codes.end();
}

// A bar at (20, 20)-(120, 50) on a white panel filling the window.
struct BarWindow
{
    BarWindow()
    {
        panel = new BView(BRect(0, 0, 299, 199), "panel", B_FOLLOW_NONE, B_WILL_DRAW);
        test.Add(panel);
        job = MakeJob(BRect(20, 20, 120, 50));
        panel->AddChild(job.get());
        test.ShowAndWait();
    }

    // Presses at from, moves to to and, once the drag loop has drawn the pixel
    // at until as wanted, releases; the frame afterwards.
    BRect Drag(BPoint from, BPoint to, BPoint until, bool barThere)
    {
        test.driver.MouseDown(test.window, from);
        test.driver.MouseMove(test.window, to);
        bool done = false;
        for (int polls = 0; polls < 2500 && !done; polls++) {
            done = same_rgb(test.Pixel(until.x, until.y), {255, 255, 255, 255}) != barThere;
            snooze(2'000);
        }
        test.driver.MouseUp(test.window, to);
        test.driver.WaitForIdle();
        EXPECT_TRUE(done);
        test.window->Lock();
        const BRect frame = job->Frame();
        test.window->Unlock();
        return frame;
    }

    TestWindow test;
    BView* panel;
    std::unique_ptr<ProzBalken> job; // leaves before the window goes
};

} // namespace

TEST(ProzBalken, UnknownWorkerIdTakesTheFirstWorker)
{
    OrderWorkshop shop;
    std::unique_ptr<ProzBalken> job;
    EXPECT_EQ(Printed([&] { job = MakeJob(BRect(0, 0, 60, 30), 77); }),
              "[Saw] WKO n.Found ![ID:  77]");
    EXPECT_EQ(job->j_id, 1);
    EXPECT_EQ(job->wko_nr, 0);
    auto known = MakeJob(BRect(0, 0, 60, 30), 2);
    EXPECT_EQ(known->wko_nr, 1);
    EXPECT_EQ(known->timebase, '-');

    AppPostRecorder posts;
    const int32 count = ProzBalken::pbCount;
    known.reset();
    EXPECT_EQ(ProzBalken::pbCount, count - 1);
    ASSERT_EQ(posts.Messages().size(), 1u);
    EXPECT_STREQ(posts.Messages()[0].GetString("informer", ""), "del ProzBalken");
    EXPECT_EQ(posts.Messages()[0].GetInt32("xworker", -1), 1);
}

TEST(ProzBalken, FileLineRoundsTheGridUpAndRepairsFlatBars)
{
    OrderWorkshop shop;
    const struct
    {
        BRect frame;
        const char* grid;
        const char* printed;
    } cases[] = {
        {BRect(10, 10, 70, 30), "[1][7][1][3]", ""},
        {BRect(11, 5, 69.5f, 31), "[2][7][1][4]", ""},
        {BRect(100, 20, 100, 40), "[10][12][2][4]", "HH "},
        {BRect(100, 50, 90, 40), "[10][12][4][6]", "RL UD "},
        {BRect(100, 40, 200, 40), "[10][20][4][6]", "VV "},
        {BRect(-30, 0, 2600, 20), "[0][255][0][2]", ""}, // clamped, not wrapped
    };
    for (const auto& c : cases) {
        auto job = MakeJob(c.frame);
        std::string line;
        EXPECT_EQ(Printed([&] { EXPECT_TRUE(job->PrintToFile(line)); }), c.printed);
        EXPECT_EQ(line, std::string("[PB]") + c.grid + "[1][0][16:30][2][Saw]\n");
    }
    auto orphan = MakeJob(BRect(10, 10, 70, 30));
    orphan->j_id = 55;
    std::string line;
    EXPECT_EQ(Printed([&] { EXPECT_FALSE(orphan->PrintToFile(line)); }),
              "ProzBalken::PrintToFile Bad worker 55");
    EXPECT_TRUE(line.empty());
}

TEST(ProzBalken, BarIsFilledByStatusWithBevelAndDots)
{
    OrderWorkshop shop;
    BarWindow bar;
    for (const auto& [status, slot] : {std::pair{0, uc_PBo}, {1, uc_PBc}, {3, uc_ERR}}) {
        bar.test.Locked([&] {
            bar.job->j_stat = uint8(status);
            bar.job->Invalidate();
        });
        const rgb_color fill = AskColor(slot);
        const rgb_color light = tint_color(fill, B_LIGHTEN_2_TINT);
        const rgb_color dark = tint_color(fill, B_DARKEN_2_TINT);
        EXPECT_RGB(bar.test.Pixel(117, 47), fill);
        // Top and left light with dark dots, bottom and right the reverse.
        EXPECT_RGB(bar.test.Pixel(21, 20), light);
        EXPECT_RGB(bar.test.Pixel(22, 20), dark);
        EXPECT_RGB(bar.test.Pixel(20, 29), light);
        EXPECT_RGB(bar.test.Pixel(21, 50), dark);
        EXPECT_RGB(bar.test.Pixel(22, 50), light);
        EXPECT_RGB(bar.test.Pixel(120, 29), dark);
    }
}

TEST(ProzBalken, DragsMoveAndResizeOnTheGrid)
{
    OrderWorkshop shop;
    BarWindow bar;
    AppPostRecorder posts;
    // The top-left corner moves the bar; it settles where the mouse rests.
    EXPECT_EQ(bar.Drag({25, 25}, {75, 65}, {169, 89}, true), BRect(70, 60, 170, 90));
    EXPECT_EQ(bar.job->j_pos, BRect(70, 60, 170, 90));
    EXPECT_TRUE(Posted(posts, 'OCHK'));

    // The bottom-right corner resizes, down to 40 x 20.
    posts.Clear();
    EXPECT_EQ(bar.Drag({167, 87}, {30, 30}, {111, 80}, false), BRect(70, 60, 110, 80));
    EXPECT_EQ(bar.job->j_pos, BRect(70, 60, 110, 80));
    EXPECT_TRUE(Posted(posts, 'OCHK'));
}

TEST(ProzBalken, RightClickMenuSetsStatusAndWorker)
{
    OrderWorkshop shop;
    BarWindow bar;
    AppPostRecorder posts;
    bar.job->SetPlace(7, 2);
    // Only the press: a release queued behind the open menu would keep the
    // window busy until the menu closes.
    bar.test.driver.MouseDown(bar.test.window, {70, 35}, B_SECONDARY_MOUSE_BUTTON);
    ASSERT_TRUE(bar.test.driver.WaitForIdle());
    BPopUpMenu* menu = bar.job->contextMenu;
    ASSERT_NE(menu->Window(), nullptr);
    EXPECT_STREQ(menu->Name(), "pbcontext");
    std::string labels;
    for (int32 i = 0; i < menu->CountItems(); i++)
        labels += menu->ItemAt(i)->LabelText() + (menu->ItemAt(i)->IsMarked() ? "* " : " ");
    EXPECT_EQ(labels, "open* ready _Worker  Delete ");
    BMenu* workers = menu->SubmenuAt(2);
    ASSERT_EQ(workers->CountItems(), 3);
    EXPECT_EQ(workers->ItemAt(1)->LabelText(), "bert Cramer");
    EXPECT_TRUE(workers->ItemAt(0)->IsMarked());
    const BMessage sum = posts.Messages().at(1);
    EXPECT_EQ(sum.what, uint32('OSUM'));
    // The job by its order's id and its index, never by its address.
    EXPECT_EQ(sum.GetInt32("u_order", 0), 7);
    EXPECT_EQ(sum.GetInt32("pb_index", -1), 2);
    EXPECT_EQ(sum.GetString("pb_inf", ""), bar.job->j_info);
    EXPECT_EQ(sum.GetPointer("ProzBalk"), nullptr);

    const BRect ready = menu->ItemAt(1)->Frame();
    bar.test.driver.Click(menu->Window(),
                          {(ready.left + ready.right) / 2, (ready.top + ready.bottom) / 2});
    bar.test.driver.WaitForIdle();
    EXPECT_TRUE(Posted(posts, 'OCHK'));

    posts.Clear();
    BMessage worker('PB02');
    worker.AddInt32("myID", 2);
    bar.test.window->PostMessage(&worker, bar.job.get());
    bar.test.driver.WaitForIdle();
    bar.test.window->Lock();
    EXPECT_EQ(bar.job->j_stat, 1);
    EXPECT_EQ(bar.job->j_id, 2);
    EXPECT_EQ(bar.job->wko_nr, 1);
    bar.test.window->Unlock();
    EXPECT_EQ(posts.Codes(), (std::vector<uint32>{'WBRO', 'WBRO', 'PB00'}));

    bar.job.reset();
    bar.test.window->Lock();
    EXPECT_EQ(bar.panel->CountChildren(), 0) << "a destroyed job leaves its window";
    bar.test.window->Unlock();
}
