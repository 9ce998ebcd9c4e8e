// Project names becoming file names: names that would leave "defs" or that
// no save could write are refused by the lists; the longest allowed name
// saves and loads, with room for the save's temporary file.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "app/Paths.h"
#include "data/Order.h"
#include "data/OrderWorkshop.h"
#include "data/Worker.h"
#include "kit/storage/SafeFile.h"

namespace {

// 228 bytes of two-byte characters: bytes count, not characters.
std::string LongestName()
{
    std::string name;
    while (name.size() < kProjectNameMax)
        name += "\xC3\xA4"; // ä
    return name;
}

const std::string kRefused[] = {
    "",
    "../../x",
    "a/b",
    "/tmp/plan",
    "..",
    "plan..old",
    std::string("plan\0/../x", 10),
    LongestName() + "x",
};

} // namespace

TEST(ProjectName, NamesThatLeaveDefsOrCannotBeSavedAreRefused)
{
    OrderWorkshop shop;
    for (const std::string& name : kRefused) {
        const std::string shown = name.c_str();
        EXPECT_FALSE(ProjectFilePath(name, ".vto")) << shown;
        EXPECT_FALSE(shop.workers->SetProjectName(name)) << shown;
        EXPECT_EQ(shop.workers->Name(), "plan");

        Printed([&] { shop.workers->DeleteMe(); });
        DEFS_WKO_IO = "plan";
        DEFS_ORD_IO = name;
        EXPECT_EQ(Printed([] { EXPECT_EQ(STWorker::getSTWorker(), nullptr); }),
                  "getSTWorker(): [" + shown + "]  fail\n");
        EXPECT_EQ(Printed([] { EXPECT_EQ(STOrder::getSTOrder(), nullptr); }),
                  "getSTOrder(): [" + shown + "] fail");

        DEFS_ORD_IO = "plan";
        Printed([&] { shop.workers = STWorker::getSTWorker(); });
        ASSERT_NE(shop.workers, nullptr);
    }
    STOrder* orders = nullptr;
    Printed([&] { orders = STOrder::getSTOrder(); });
    ASSERT_NE(orders, nullptr);
    for (const std::string& name : kRefused)
        EXPECT_FALSE(orders->SetProjectName(name)) << name.c_str();
    EXPECT_EQ(orders->Name(), "plan");
    EXPECT_EQ(shop.folder.CountFiles("defs"), 1) << "nothing written anywhere";
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(shop.folder.Root()), {}), 4);
    EXPECT_FALSE(std::filesystem::exists(shop.folder.Root().parent_path() / "x.vto"));
    EXPECT_FALSE(std::filesystem::exists(shop.folder.Root().parent_path() / "x.vtw"));
}

TEST(ProjectName, TheSavesTemporaryFileFitsBesideTheLongestName)
{
    OrderWorkshop shop;
    // The temporary name as BSafeFile makes it, measured while it exists.
    const std::string leaf = LongestName() + ".xml";
    BSafeFile file(shop.folder.Path("defs/" + leaf).c_str());
    ASSERT_EQ(file.InitCheck(), B_OK);
    std::string temporary;
    for (const auto& entry : std::filesystem::directory_iterator(shop.folder.Path("defs"))) {
        if (entry.path().filename().string()[0] == '.')
            temporary = entry.path().filename().string();
    }
    std::smatch parts;
    ASSERT_TRUE(std::regex_match(temporary, parts, std::regex("\\.(.*)\\.tmp([0-9]+)-([0-9]+)")));
    EXPECT_EQ(parts[1].str(), leaf);
    // At its longest: a pid of 7 digits (4194304 is the kernel's limit) and
    // a 32-bit counter of 10.
    const size_t longest = temporary.size() - parts[2].length() - parts[3].length() + 7 + 10;
    EXPECT_EQ(longest, 255u);
}

TEST(ProjectName, TheLongestNameSavesAndLoads)
{
    OrderWorkshop shop;
    const std::string name = LongestName();
    Printed([&] { shop.workers->DeleteMe(); });
    shop.folder.Write("defs/" + name + ".vtw", shop.folder.Read("defs/plan.vtw"));
    shop.folder.Write("defs/" + name + ".vto", GoldenFile("plan.vto"));
    auto open = [&] {
        DEFS_WKO_IO = name;
        DEFS_ORD_IO = name;
        Printed([&] {
            shop.workers = STWorker::getSTWorker();
            STOrder::getSTOrder();
        });
    };
    open();
    ASSERT_NE(shop.workers, nullptr);
    ASSERT_NE(STOrder::Existing(), nullptr);
    shop.workers->GetWorker(0)->NewWName("Anna Saved");
    STOrder::Existing()->GetOrder(0)->NewOAuft("A-saved");
    Printed([&] {
        EXPECT_TRUE(shop.workers->SaveWorkerList());
        EXPECT_TRUE(STOrder::Existing()->SaveOrderList());
        STOrder::Existing()->DeleteMe();
        shop.workers->DeleteMe();
    });
    open();
    EXPECT_EQ(shop.workers->GetWorker(0)->w_name, "Anna Saved");
    EXPECT_EQ(STOrder::Existing()->GetOrder(0)->oauft, "A-saved");
    EXPECT_EQ(shop.folder.CountFiles("defs"), 3) << "no temporary file stays";
    Order::sNr = 0;
}
