// The link area of an order: drops append full paths, the pop-up opens a
// link with the desktop's opener (one argument, whatever the path holds)
// or removes every equal link, and an order that is gone is left alone.
#include "widgets/LinkTank.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/MenuIconItem.h"
#include "data/Order.h"
#include "data/OrderWorkshop.h"
#include "kit/app/Autolock.h"
#include "kit/app/ProgramLauncher.h"
#include "kit/interface/PopUpMenu.h"
#include "widgets/WidgetTestSupport.h"

namespace {

// At (20, 20) - (79, 51) in the window.
const BRect kFrame(20, 20, 79, 51);
const BPoint kInside(50, 35);

struct LaunchRecorder
{
    LaunchRecorder()
    {
        ProgramLauncher::SetRecorder([this](const std::vector<std::string>& argv) {
            std::lock_guard lock(mutex);
            launched.push_back(argv);
        });
    }
    ~LaunchRecorder() { ProgramLauncher::SetRecorder(nullptr); }

    std::vector<std::vector<std::string>> Launched()
    {
        std::lock_guard lock(mutex);
        return launched;
    }

    std::mutex mutex;
    std::vector<std::vector<std::string>> launched;
};

struct TankTest
{
    TankTest()
    {
        orders = STOrder::getSTOrder();
        auto order = std::make_unique<Order>(false);
        id = order->onr;
        orders->AddOrderZgr(std::move(order));
        tank = test.Add(new LinkTank(kFrame, "links"));
        tank->SetListPointer(id);
        test.ShowAndWait();
    }

    std::vector<std::string> Links()
    {
        BAutolock lock(orders->Lock());
        return orders->GetOrderWithID(id)->links;
    }

    // Opens the pop-up with the given button and chooses the item whose
    // label ends with path.
    void Choose(uint32 buttons, const std::string& path)
    {
        test.driver.Click(test.window, kInside, buttons);
        test.driver.WaitForIdle();
        BWindow* popup = test.driver.FindWindow("sao");
        ASSERT_NE(popup, nullptr);
        auto* menu = dynamic_cast<BMenu*>(popup->ChildAt(0));
        ASSERT_NE(menu, nullptr);
        BMenuItem* item = menu->FindItem(("       " + path).c_str());
        ASSERT_NE(item, nullptr) << path;
        test.driver.Click(popup, center_of(item->Frame()));
        test.driver.WaitForIdle();
    }

    OrderWorkshop workshop;
    RecordingTest test;
    STOrder* orders = nullptr;
    int32 id = -1;
    LinkTank* tank = nullptr;
};

} // namespace

TEST(LinkTank, DropsAppendFullPathsAndDraw)
{
    TankTest t;
    const rgb_color menu = ui_color(B_MENU_BACKGROUND_COLOR);
    EXPECT_FALSE(t.tank->HasLinks());
    EXPECT_RGB(t.test.Pixel(50, 51), tint_color(menu, B_DARKEN_3_TINT)) << "the empty frame";

    const std::string plan = t.workshop.folder.Path("defs/plan a.pdf");
    t.test.driver.DropFile(t.test.window, kInside, plan);
    t.test.driver.DropFile(t.test.window, kInside, plan);
    t.test.driver.WaitForIdle();
    EXPECT_EQ(t.Links(), (std::vector<std::string>{plan, plan}));
    EXPECT_EQ(t.tank->LinkCount(), 2);
    EXPECT_RGB(t.test.Pixel(50, 51), tint_color(menu, B_DARKEN_4_TINT)) << "the frame with links";
    EXPECT_LT(DarkestGreen(t.test.driver, t.test.window, BRect(40, 25, 50, 45)), 80);

    // A relative path is made full; one the order file would change is not
    // kept.
    const std::string relative = "notes [draft].txt";
    t.test.driver.DropFile(t.test.window, kInside, "sub/../drawing.svg");
    t.test.driver.DropFile(t.test.window, kInside, "/tmp/" + relative);
    t.test.driver.WaitForIdle();
    ASSERT_EQ(t.Links().size(), 3u);
    EXPECT_EQ(t.Links()[2], (std::filesystem::current_path() / "drawing.svg").string());

    // Without an order, or with one that is gone, a drop changes nothing.
    t.test.Locked([&] { t.tank->SetListPointer(-1); });
    t.test.driver.DropFile(t.test.window, kInside, plan);
    t.test.Locked([&] { t.tank->SetListPointer(t.id + 1000); });
    t.test.driver.DropFile(t.test.window, kInside, plan);
    t.test.driver.WaitForIdle();
    EXPECT_EQ(t.tank->LinkCount(), 0);
    EXPECT_EQ(t.Links().size(), 3u);
}

TEST(LinkTank, OpensTheExactFileWithoutAShell)
{
    TankTest t;
    LaunchRecorder launches;
    const std::vector<std::string> paths = {"/tmp/my plans/it's \"final\".pdf",
                                            "/tmp/$(touch x); rm -rf y.txt", "-rf x", "/tmp/-x"};
    t.test.Locked([&] {
        BAutolock lock(t.orders->Lock());
        for (const std::string& path : paths)
            t.orders->GetOrderWithID(t.id)->AddLink(path);
        t.tank->SetListPointer(t.id);
    });
    for (const std::string& path : paths)
        t.Choose(B_PRIMARY_MOUSE_BUTTON, path);

    std::vector<std::vector<std::string>> launched = launches.Launched();
    ASSERT_EQ(launched.size(), paths.size());
    for (size_t i = 0; i < paths.size(); i++) {
        std::string expected = paths[i][0] == '-' ? "./" + paths[i] : paths[i];
        EXPECT_EQ(launched[i], (std::vector<std::string>{"xdg-open", expected}));
    }
    EXPECT_EQ(t.Links().size(), paths.size()) << "opening keeps the links";
}

TEST(LinkTank, SecondaryMenuRemovesEveryEqualLink)
{
    TankTest t;
    LaunchRecorder launches;
    t.test.Locked([&] {
        BAutolock lock(t.orders->Lock());
        for (const char* path : {"/a", "/b", "/a"})
            t.orders->GetOrderWithID(t.id)->AddLink(path);
        t.tank->SetListPointer(t.id);
    });
    EXPECT_EQ(t.tank->LinkCount(), 3);
    t.Choose(B_SECONDARY_MOUSE_BUTTON, "/a");
    EXPECT_EQ(t.Links(), std::vector<std::string>{"/b"});
    EXPECT_EQ(t.tank->LinkCount(), 1);
    t.Choose(B_SECONDARY_MOUSE_BUTTON, "/b");
    EXPECT_FALSE(t.tank->HasLinks());
    EXPECT_TRUE(launches.Launched().empty());

    // No links: a click shows no pop-up.
    t.test.driver.Click(t.test.window, kInside);
    t.test.driver.WaitForIdle();
    EXPECT_EQ(t.test.driver.FindWindow("sao"), nullptr);
}
