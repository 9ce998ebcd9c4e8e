// The application running on its own thread with stand-in windows that
// report their closing as the real ones do: commands posted in a burst are
// handled in their order while editors close, and quitting ends the loop.
// Run under -DVANTREL_SANITIZE=thread to see the threads meet.
#include <gtest/gtest.h>

#include "RunningApp.h"
#include "ShellWorkshop.h"

namespace {

TEST(ProjectCycle, OpenSaveAsCloseAndReopenWhileTheEditorsAreOpen)
{
    ShellWorkshop shop;
    RunningApp app(shop);
    constexpr int kRounds = 8;
    for (int round = 0; round < kRounds; round++) {
        const std::string copy = "copy" + std::to_string(round);
        // One burst: every command waits for the editors closed before it.
        app.Post(Command('OPEN', "open", "plan"));
        app.Post(Command('OADD'));
        app.Post(Command('SAS_', "save_as", copy));
        app.Post(Command('X_OW'));
        app.Post(Command('OPEN', "open", copy));
    }
    ASSERT_EQ(wait_for_idle_loopers(), B_OK);

    const std::string last = "copy" + std::to_string(kRounds - 1);
    EXPECT_EQ(DEFS_ORD_IO, last);
    ASSERT_NE(STOrder::Existing(), nullptr);
    // The copy holds plan's three orders and the one added before saving.
    EXPECT_EQ(STOrder::Existing()->GetOMax(), 3);
    for (int round = 0; round < kRounds; round++) {
        const std::string copy = "defs/copy" + std::to_string(round);
        for (const char* ext : {".vto", ".vtw", ".xml"})
            EXPECT_TRUE(shop.folder.Exists(copy + ext)) << copy << ext;
    }
    // plan itself was never written.
    EXPECT_EQ(shop.folder.Read("defs/plan.vto"), GoldenFile("data", "plan.vto"));
    // Opened by each OPEN and again after each "Save as".
    EXPECT_EQ(shop.Log(WindowRole::kOrderEditor)->made, 3 * kRounds);

    app.Quit();
    EXPECT_EQ(ord_exist.load(), 0);
    EXPECT_EQ(wko_exist.load(), 0);
    EXPECT_EQ(STOrder::Existing(), nullptr);
}

TEST(ProjectCycle, QuitClosesTheEditorsThenTheLists)
{
    ShellWorkshop shop;
    RunningApp app(shop);
    app.Post(Command('OPEN', "open", "plan"));
    ASSERT_EQ(wait_for_idle_loopers(), B_OK);
    ASSERT_NE(STWorker::Existing(), nullptr);
    app.Quit();
    for (WindowRole role :
         {WindowRole::kWorkerEditor, WindowRole::kOrderEditor, WindowRole::kMainWindow})
        EXPECT_TRUE(InOrder(shop.Log(role)->Codes(), {B_QUIT_REQUESTED}));
    EXPECT_EQ(STWorker::Existing(), nullptr);
}

} // namespace
