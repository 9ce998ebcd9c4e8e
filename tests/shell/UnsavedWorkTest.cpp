// Closing, opening, making a new project and quitting with unsaved changes
// ask "Save / Discard / Cancel", and each answer does what it says: the
// application runs on its own thread, the editors are stand-ins holding
// typed text, and the question is answered as a user would.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "RunningApp.h"
#include "ShellWorkshop.h"
#include "app/Settings.h"
#include "data/Order.h"
#include "kit/app/Autolock.h"
#include "kit/display/HeadlessDriver.h"
#include "kit/interface/AlertLog.h"

namespace {

using BPrivate::AlertLog;

constexpr WindowRole kOrderEd = WindowRole::kOrderEditor;
constexpr WindowRole kWorkerEd = WindowRole::kWorkerEditor;
constexpr WindowRole kMain = WindowRole::kMainWindow;
constexpr const char* kTypedLink = "/typed/but/not/applied.pdf";

enum class Action
{
    kClose, // File > Close
    kOpen,  // File > Open, another project
    kNew,   // the name card's answer to File > New
    kQuit,  // Ctrl+Q: through the main window's close
};

enum Button : int32
{
    kSave = 0,
    kDiscard = 1,
    kCancel = 2,
};

const char* Name(Action action)
{
    switch (action) {
    case Action::kClose:
        return "Close";
    case Action::kOpen:
        return "Open";
    case Action::kNew:
        return "New";
    case Action::kQuit:
        return "Quit";
    }
    return "?";
}

BMessage Request(Action action)
{
    switch (action) {
    case Action::kClose:
        return Command('X_OW');
    case Action::kOpen:
        return Command('OPEN', "open", "other");
    case Action::kNew:
        return Command('OPEN', "open", "fresh");
    case Action::kQuit:
        break;
    }
    return Command(B_QUIT_REQUESTED);
}

class UnsavedWork : public testing::Test
{
protected:
    void SetUp() override { Start(); }

    void TearDown() override
    {
        Stop();
        AlertLog::Default().Clear();
    }

    // A fresh program folder holding "plan" and "other", and the program
    // running in it.
    void Start()
    {
        Stop();
        AlertLog::Default().Clear();
        shop.emplace();
        prefsdata = prefsdata.load() & ~VTa_SAVEONCLOSE;
        shop->folder.Write("defs/other.vto", GoldenFile("data", "plan.vto"));
        shop->folder.Write("defs/other.vtw", GoldenFile("data", "plan.vtw"));
        app.emplace(*shop);
    }

    // Unsaved changes left by a test are discarded on the way out.
    void Stop()
    {
        if (app && !app->Ended()) {
            app->Post(Command(B_QUIT_REQUESTED));
            HeadlessDriver driver;
            EXPECT_TRUE(WaitUntil([&] {
                if (driver.AnswerAlert(kDiscard) != B_OK)
                    driver.AnswerAlert(0);
                return app->Ended();
            }));
        }
        app.reset();
        shop.reset();
    }

    // "plan" open with both editors; the order editor holds typed text
    // (a link for the first order) that no list has seen yet.
    void OpenPlanWithTypedText()
    {
        app->Post(Command('OPEN', "open", "plan"));
        ASSERT_TRUE(Idle());
        ASSERT_TRUE(app->App().Windows().IsOpen(kOrderEd));
        ASSERT_TRUE(app->App().Windows().IsOpen(kWorkerEd));
        ASSERT_NE(STOrder::Existing(), nullptr);
        ASSERT_FALSE(STOrder::Existing()->Modified());
        std::lock_guard guard(shop->Log(kOrderEd)->lock);
        shop->Log(kOrderEd)->typed = [] {
            STOrder* orders = STOrder::Existing();
            BAutolock lock(orders->Lock());
            orders->GetOrder(0)->AddLink(kTypedLink);
            orders->SetModified();
        };
    }

    // Posts request and waits for the question it asks.
    void AskBy(BMessage request)
    {
        app->Post(request);
        ASSERT_TRUE(AlertLog::Default().WaitForOpen(5'000'000));
        ASSERT_TRUE(Idle());
    }

    void Answer(int32 button)
    {
        HeadlessDriver driver;
        ASSERT_EQ(driver.AnswerAlert(button), B_OK);
        ASSERT_TRUE(Idle());
    }

    static bool Idle() { return wait_for_idle_loopers() == B_OK; }

    static std::vector<AlertRecord> Questions()
    {
        std::vector<AlertRecord> questions;
        for (const AlertRecord& record : AlertLog::Default().Records()) {
            if (record.title == "Unsaved changes")
                questions.push_back(record);
        }
        return questions;
    }

    std::optional<ShellWorkshop> shop;
    std::optional<RunningApp> app;
};

TEST_F(UnsavedWork, EachAnswerToEachAction)
{
    const std::string plan = GoldenFile("data", "plan.vto");
    for (Action action : {Action::kClose, Action::kOpen, Action::kNew, Action::kQuit}) {
        for (Button answer : {kSave, kDiscard, kCancel}) {
            SCOPED_TRACE(std::string(Name(action)) + " answered " + std::to_string(answer));
            Start();
            OpenPlanWithTypedText();
            shop->Log(kMain)->Clear();

            AskBy(Request(action));
            // Asked once, with the typed text already in the list, and
            // nothing closed, written or opened meanwhile.
            ASSERT_EQ(Questions().size(), 1u);
            EXPECT_EQ(Questions()[0].buttons,
                      (std::vector<std::string>{"Save", "Discard", "Cancel"}));
            EXPECT_NE(Questions()[0].text.find("'plan'"), std::string::npos);
            ASSERT_NE(STOrder::Existing(), nullptr);
            EXPECT_TRUE(STOrder::Existing()->Modified());
            EXPECT_EQ(DEFS_ORD_IO, "plan");
            EXPECT_FALSE(InOrder(shop->Log(kOrderEd)->Codes(), {B_QUIT_REQUESTED}));
            EXPECT_EQ(shop->folder.Read("defs/plan.vto"), plan);

            Answer(answer);
            if (action == Action::kQuit && answer != kCancel)
                ASSERT_TRUE(WaitUntil([&] { return app->Ended(); }));
            else
                EXPECT_FALSE(app->Ended());

            const bool wrote = answer == kSave;
            const std::string written = shop->folder.Read("defs/plan.vto");
            EXPECT_EQ(written.find(kTypedLink) != std::string::npos, wrote);
            if (!wrote) {
                EXPECT_EQ(written, plan);
            }
            EXPECT_EQ(shop->folder.Exists("defs/plan.xml"), wrote);
            EXPECT_FALSE(shop->folder.Exists("defs/fresh.vto"));

            if (answer == kCancel) {
                // Everything as it was, the main window included.
                ASSERT_NE(STOrder::Existing(), nullptr);
                EXPECT_TRUE(STOrder::Existing()->Modified());
                EXPECT_NE(STWorker::Existing(), nullptr);
                EXPECT_EQ(DEFS_ORD_IO, "plan");
                for (WindowRole role : {kOrderEd, kWorkerEd, kMain})
                    EXPECT_TRUE(app->App().Windows().IsOpen(role));
                EXPECT_EQ(shop->Log(kMain)->LastTitle(), "");
                // Asked again next time: the changes are still unsaved.
                AskBy(Request(action));
                EXPECT_EQ(Questions().size(), 2u);
                Answer(kDiscard);
            } else if (action == Action::kClose) {
                EXPECT_EQ(STOrder::Existing(), nullptr);
                EXPECT_EQ(STWorker::Existing(), nullptr);
                EXPECT_TRUE(app->App().Windows().IsOpen(kMain));
            } else if (action == Action::kOpen || action == Action::kNew) {
                const std::string now = action == Action::kOpen ? "other" : "fresh";
                EXPECT_EQ(DEFS_ORD_IO, now);
                EXPECT_EQ(shop->Log(kMain)->LastTitle(), "Vantrel: " + now);
                ASSERT_NE(STOrder::Existing(), nullptr);
                EXPECT_EQ(STOrder::Existing()->Name(), now);
            } else {
                EXPECT_EQ(STOrder::Existing(), nullptr);
            }
        }
    }
}

TEST_F(UnsavedWork, ReloadAsksForItsOwnListOnly)
{
    OpenPlanWithTypedText();
    const int32 before = STOrder::Existing()->GetOMax();
    // The worker list is unchanged: its reload loses nothing.
    app->Post(Command('WsRE'));
    ASSERT_TRUE(Idle());
    EXPECT_TRUE(Questions().empty());
    app->Post(Command('OADD'));
    AskBy(Command('OsRE'));
    Answer(kCancel);
    EXPECT_EQ(STOrder::Existing()->GetOMax(), before + 1);
    AskBy(Command('OsRE'));
    Answer(kDiscard);
    ASSERT_TRUE(WaitUntil([&] {
        STOrder* orders = STOrder::Existing();
        return orders != nullptr && orders->GetOMax() == before && !orders->Modified();
    }));
    EXPECT_EQ(shop->folder.Read("defs/plan.vto"), GoldenFile("data", "plan.vto"));
}

TEST_F(UnsavedWork, NothingChangedNothingAsked)
{
    app->Post(Command('OPEN', "open", "plan"));
    ASSERT_TRUE(Idle());
    for (const char* name : {"other", "plan"})
        app->Post(Command('OPEN', "open", name));
    app->Post(Command('X_OW'));
    ASSERT_TRUE(Idle());
    EXPECT_EQ(STOrder::Existing(), nullptr);
    EXPECT_TRUE(Questions().empty());
    // The editors were asked for their typed text before each, and had none.
    EXPECT_TRUE(InOrder(shop->Log(kOrderEd)->Codes(), {'OAPL', B_QUIT_REQUESTED}));
    EXPECT_TRUE(InOrder(shop->Log(kWorkerEd)->Codes(), {'WAPP', B_QUIT_REQUESTED}));
    app->Quit();
    EXPECT_TRUE(Questions().empty());
}

TEST_F(UnsavedWork, CommandsWaitForTheAnswer)
{
    OpenPlanWithTypedText();
    const int32 before = STOrder::Existing()->GetOMax();
    app->Post(Command('X_OW'));
    AskBy(Command('OADD'));
    Answer(kCancel);
    // The held command ran after the answer, on the kept project.
    ASSERT_NE(STOrder::Existing(), nullptr);
    EXPECT_EQ(STOrder::Existing()->GetOMax(), before + 1);
}

TEST_F(UnsavedWork, SaveOnCloseSavesWithoutAsking)
{
    OpenPlanWithTypedText();
    prefsdata = prefsdata.load() | VTa_SAVEONCLOSE;
    app->Post(Command('OPEN', "open", "other"));
    ASSERT_TRUE(Idle());
    prefsdata = prefsdata.load() & ~VTa_SAVEONCLOSE;
    EXPECT_TRUE(Questions().empty());
    EXPECT_NE(shop->folder.Read("defs/plan.vto").find(kTypedLink), std::string::npos);
    EXPECT_EQ(DEFS_ORD_IO, "other");
}

TEST_F(UnsavedWork, AFailedSaveKeepsTheProject)
{
    OpenPlanWithTypedText();
    AskBy(Command('X_OW'));
    // The file cannot be written: a folder stands where it goes.
    std::filesystem::remove(shop->folder.Path("defs/plan.vto"));
    std::filesystem::create_directory(shop->folder.Path("defs/plan.vto"));
    Answer(kSave);
    ASSERT_NE(STOrder::Existing(), nullptr);
    EXPECT_TRUE(STOrder::Existing()->Modified());
    EXPECT_TRUE(app->App().Windows().IsOpen(kMain));
    bool told = false;
    for (const AlertRecord& record : AlertLog::Default().Records())
        told = told || record.text.find("could not be saved") != std::string::npos;
    EXPECT_TRUE(told);
}

} // namespace
