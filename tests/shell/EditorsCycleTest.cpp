// Projects opened, saved under new names, closed and opened again while
// the real editors are open: the application never waits for a window that
// may wait for it, and the commands of a burst run in their order. Run
// under -DVANTREL_SANITIZE=thread to see the threads meet.
#include <gtest/gtest.h>

#include "RunningProgram.h"
#include "support/FileContents.h"

namespace {

BMessage Named(uint32 what, const char* field, const std::string& name)
{
    BMessage message(what);
    message.AddString(field, name);
    return message;
}

TEST(EditorsCycle, OpenSaveAsCloseAndReopenWithTheEditorsOpen)
{
    RunningProgram program;
    program.folder.Write("defs/plan.vto", GoldenFile("data", "plan.vto"));
    program.folder.Write("defs/plan.vtw", GoldenFile("data", "plan.vtw"));
    program.Start();

    constexpr int kRounds = 6;
    for (int round = 0; round < kRounds; round++) {
        const std::string copy = "copy" + std::to_string(round);
        // One burst, as fast as a user never types: each command waits for
        // the windows closed before it.
        for (BMessage message : {Named('OPEN', "open", "plan"), BMessage('OADD'), BMessage('VTWO'),
                                 Named('SAS_', "save_as", copy), BMessage('X_OW'),
                                 Named('OPEN', "open", copy), BMessage('WADD'), BMessage('S_DA')})
            program.App().PostMessage(&message);
        // Meanwhile the user pages through the orders in the editor.
        for (int i = 0; i < 4; i++) {
            if (OrderWindow* editor = program.OrderEditor())
                program.driver.PressKey(editor, B_PAGE_DOWN);
        }
        ASSERT_TRUE(program.Idle());
    }

    EXPECT_EQ(program.Title(program.Main()), "Vantrel: copy" + std::to_string(kRounds - 1));
    ASSERT_NE(program.OrderEditor(), nullptr);
    ASSERT_NE(program.WorkerEditor(), nullptr);
    ASSERT_NE(STOrder::Existing(), nullptr);
    // plan's three orders and the one added before each "Save as".
    EXPECT_EQ(STOrder::Existing()->GetOMax(), 3);
    for (int round = 0; round < kRounds; round++) {
        const std::string copy = "defs/copy" + std::to_string(round);
        for (const char* ext : {".vto", ".vtw", ".xml"})
            EXPECT_TRUE(program.folder.Exists(copy + ext)) << copy << ext;
    }
    EXPECT_EQ(program.folder.Read("defs/plan.vto"), GoldenFile("data", "plan.vto"));
    EXPECT_TRUE(program.driver.Alerts().empty());

    program.Quit();
    EXPECT_EQ(STOrder::Existing(), nullptr);
    EXPECT_EQ(STWorker::Existing(), nullptr);
}

} // namespace
