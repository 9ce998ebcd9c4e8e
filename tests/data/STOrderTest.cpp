// The order list: its one instance, the order file and templates byte for
// byte, tolerant and hostile input, safe saving, lookups, sorts, deleting.
#include "data/STOrder.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/AppPost.h"
#include "app/MenuIconItem.h"
#include "data/Order.h"
#include "data/OrderWorkshop.h"
#include "data/ProzBalken.h"
#include "kit/interface/Menu.h"
#include "kit/storage/SafeFile.h"
#include "support/CorpusFiles.h"

using namespace std::string_literals;

namespace {

STOrder* OpenPlan(OrderWorkshop& shop, const std::string& text, std::string* printed = nullptr)
{
    if (STOrder* open = STOrder::Existing())
        open->DeleteMe();
    DEFS_ORD_IO = "plan";
    shop.folder.Write("defs/plan.vto", text);
    STOrder* orders = nullptr;
    const std::string out = Printed([&] { orders = STOrder::getSTOrder(); });
    if (printed != nullptr)
        *printed = out;
    return orders;
}

std::string SavedPlan(OrderWorkshop& shop, STOrder* orders)
{
    Printed([&] { EXPECT_TRUE(orders->SaveOrderList()); });
    return shop.folder.Read("defs/plan.vto");
}

std::string Names(STOrder* orders)
{
    std::string names;
    for (int32 i = 0; i <= orders->GetOMax(); i++)
        names += orders->GetOrder(i)->oauft;
    return names;
}

std::string OrderLine(const char* name, const char* deadline, const char* plan)
{
    return "[IT]["s + name + "][-][-][" + deadline + "][" + plan + "][0][1][2]\n";
}

} // namespace

TEST(STOrder, OneInstanceFromTheProjectsFile)
{
    OrderWorkshop shop;
    DEFS_ORD_IO = "abc";
    EXPECT_EQ(Printed([] { EXPECT_EQ(STOrder::getSTOrder(), nullptr); }),
              "getSTOrder(): [abc] fail");

    AppPostRecorder posts;
    STOrder* orders = OpenPlan(shop, GoldenFile("plan.vto"));
    ASSERT_NE(orders, nullptr);
    EXPECT_EQ(STOrder::getSTOrder(), orders);
    EXPECT_EQ(orders->o_index, 2);
    EXPECT_EQ(posts.Codes().back(), uint32('Oyes'));
    posts.Clear();
    orders->DeleteMe();
    EXPECT_EQ(posts.Codes().size(), 6u) << "each job tells its bar, then 'O_no'";
    EXPECT_EQ(posts.Codes().back(), uint32('O_no'));
    EXPECT_EQ(STOrder::Existing(), nullptr);
    EXPECT_EQ(ord_exist.load(), 0);
    EXPECT_EQ(DEFS_ORD_IO, "-");

    std::filesystem::remove(shop.folder.Path("defs/plan.vto"));
    DEFS_ORD_IO = "plan";
    const std::string printed = Printed([] { STOrder::getSTOrder(); });
    EXPECT_NE(printed.find(" File Missing! "), std::string::npos);
    EXPECT_EQ(STOrder::Existing()->GetOrder(0)->jobs.size(), 1u);
}

TEST(STOrder, GoldenFilesAreWrittenByteForByte)
{
    OrderWorkshop shop;
    STOrder* orders = OpenPlan(shop, GoldenFile("plan.vto"));
    ASSERT_EQ(orders->GetOMax(), 2);
    const Order* first = orders->GetOrder(0);
    EXPECT_EQ(first->jobs[0]->j_pos, BRect(10, 10, 70, 30));
    EXPECT_EQ(first->links.at(0), "/home/planner/drawings/Z-004711.pdf");
    EXPECT_EQ(orders->GetOrder(1)->ostat, 2);
    EXPECT_EQ(orders->GetOrder(1)->onr, first->onr + 1);
    EXPECT_EQ(Printed([&] { orders->SaveOrderList(); }), " STOrder-SAVE-END  [3|plan.vto]");
    EXPECT_EQ(shop.folder.Read("defs/plan.vto"), GoldenFile("plan.vto"));

    const std::string path = shop.folder.Path("templates/fraesen.otp");
    EXPECT_EQ(orders->GetOrder(0)->SaveAsTempl(path.c_str()), 0);
    EXPECT_EQ(shop.folder.Read("templates/fraesen.otp"), GoldenFile("fraesen.otp"));
    AppPostRecorder posts;
    for (const char* name : {"fraesen", "../defs/plan"}) {
        BMessage use('O+TF');
        use.AddString("fname", name);
        Printed([&] { orders->AddOrderTemplate(&use); });
    }
    ASSERT_EQ(orders->GetOMax(), 3) << "a template name stays in its folder";
    EXPECT_EQ(orders->GetOrder(3)->oauft, "TEMPLATE");
    EXPECT_EQ(orders->GetOrder(3)->jobs.size(), 2u);
    EXPECT_EQ(posts.Codes(), (std::vector<uint32>{'OUIx', 'WB_A', 'OUPU'}));
    EXPECT_EQ(posts.Messages()[0].GetInt32("order", -1), orders->GetOrder(3)->onr);
}

TEST(STOrder, ReadingToleratesHandEditedLines)
{
    OrderWorkshop shop;
    std::string printed;
    STOrder* orders = OpenPlan(shop,
                               "[PB][1][2][1][2][1][0][8:00][0][before any order]\n"
                               "[IT][a][b][c][2002/12/20][2002/12/20][7][9][5]\n"
                               "[PB][3.5][10][0.25][3][77][0][7.30][5][x]\n"
                               "[PB][1e300][-1e300][nan][inf][2][1][1:05][1]\n"
                               "[LN]/one/[LN]two\n"
                               "[IT][d][e][f][2002/12/20][2002/12/20][-3][-1][-9][LN]both\n"
                               "[IT][short][line\n",
                               &printed);
    ASSERT_EQ(orders->GetOMax(), 2);
    const Order* order = orders->GetOrder(0);
    EXPECT_EQ(std::tie(order->oneed, order->ostat, order->otyp), std::make_tuple(1, 4, 2));
    ASSERT_EQ(order->jobs.size(), 2u);
    EXPECT_EQ(order->jobs[0]->j_pos, BRect(35, 2.5f, 100, 30));
    EXPECT_EQ(order->jobs[0]->j_id, 1) << "unknown worker 77 gets the first";
    EXPECT_EQ(order->jobs[0]->j_time, 730);
    EXPECT_EQ(order->jobs[1]->j_pos, BRect(100'000, 0, -100'000, 100'000));
    EXPECT_EQ(order->jobs[1]->j_info, "-");
    EXPECT_NE(printed.find(">> tlen: 0"), std::string::npos);
    // Read back, a link holds no record tag any more.
    EXPECT_EQ(order->links, std::vector<std::string>{"/one/(LN)two"});
    const Order* second = orders->GetOrder(1);
    EXPECT_EQ(std::tie(second->oneed, second->ostat, second->otyp), std::make_tuple(0, 0, 0));
    EXPECT_EQ(second->links.at(0), "(IT)(d)(e)(f)(2002/12/20)(2002/12/20)(-3)(-1)(-9)both");
    EXPECT_EQ(orders->GetOrder(2)->oauft, "short");
    EXPECT_EQ(orders->GetOrder(2)->oznr, "-----");
}

TEST(STOrder, HostileAndLongLinesSaveToWhatReadsBackTheSame)
{
    OrderWorkshop shop;
    const std::string lines[] = {
        "[IT]",
        "[IT][",
        "[PB]",
        "[PB][][][][][][][][][]",
        "[IT][][][][9999/99/99][-999/-9/-9][99999999999999999999][x][]",
        "[PB][-9999999][9999999][1e-300][-0][-2147483648][300][99999999:99][-2147483648][i]",
        "[PB][1][2][1][2][1][0][-99999999:99][2147483647][IT]",
        std::string(600, '[') + "[PB]" + std::string(600, ']'),
        "[IT][\0\x01\xff][\r\r][2002/12/20][2002/12/20]"s,
        "[LN]" + std::string(1000, 'x'),
        "[PB][1][2][1][2][3][0][2147483647:00][0][idle worker]"};
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    STOrder* orders = OpenPlan(shop, text);
    // Three texts at their longest still leave the dates on the line.
    Order* longest = orders->GetOrder(0);
    std::string ae;
    for (int i = 0; i < 40; i++)
        ae += "\xc3\xa4";
    longest->NewOAuft(ae);
    longest->NewOZnr(std::string(80, 'z'));
    longest->NewOWkz(std::string(80, 'w'));
    longest->NewOPdl("2003/01/02");
    longest->ostat = 4;

    const std::string saved = SavedPlan(shop, orders);
    orders = OpenPlan(shop, saved);
    EXPECT_EQ(SavedPlan(shop, orders), saved);
    longest = orders->GetOrder(0);
    EXPECT_EQ(longest->opdl, "2003/01/02");
    EXPECT_EQ(longest->ostat, 4);
    EXPECT_EQ(longest->oauft, ae);
    EXPECT_EQ(longest->oznr, std::string(Order::kDrawingMax, 'z'));
    EXPECT_EQ(longest->owkz, std::string(Order::kToolMax, 'w'));
}

TEST(STOrder, FailedSavesKeepTheOldFile)
{
    OrderWorkshop shop;
    struct Reset
    {
        ~Reset() { BSafeFile::FailNthStep(0); }
    } reset;
    STOrder* orders = OpenPlan(shop, GoldenFile("plan.vto"));
    orders->GetOrder(0)->NewOAuft("changed");
    const std::string path = shop.folder.Path("defs/plan.vto");
    int n = 1;
    for (bool saved = false; !saved && n < 20; n++) {
        BSafeFile::FailNthStep(n);
        const std::string printed = Printed([&] { saved = orders->SaveOrderList(); });
        if (!saved) {
            EXPECT_EQ(printed, "'" + path + "' OpenError!");
            EXPECT_EQ(shop.folder.Read("defs/plan.vto"), GoldenFile("plan.vto"));
            EXPECT_EQ(shop.folder.CountFiles("defs"), 2);
        }
    }
    EXPECT_GT(n, 2);
    EXPECT_NE(shop.folder.Read("defs/plan.vto").find("[IT][changed]"), std::string::npos);
    BSafeFile::FailNthStep(0);
    for (const std::string& target : {shop.folder.Path("defs"), shop.folder.Path("no/plan.vto")})
        EXPECT_EQ(Printed([&] { EXPECT_FALSE(orders->SaveOrders(target)); }),
                  "'" + target + "' OpenError!");
}

// Inputs that once broke the reader and the seeds of the order and schedule
// fuzz targets, as an order file and as a template added to an empty list.
TEST(STOrder, RegressionInputs)
{
    const auto files = CorpusFiles(
        {"tests/data/regressions", "fuzz/corpus/order_file", "fuzz/corpus/schedule"},
        [](const std::string& name) {
            return name.starts_with("order-") || name.ends_with(".vto") || name.ends_with(".otp");
        });
    EXPECT_GT(files.size(), 6u);
    for (const CorpusFile& file : files) {
        SCOPED_TRACE(file.name);
        OrderWorkshop shop;
        const std::string& bytes = file.bytes;
        shop.folder.Write("templates/input.otp", bytes);
        STOrder* orders = OpenPlan(shop, bytes);
        const std::string saved = SavedPlan(shop, orders);
        EXPECT_EQ(SavedPlan(shop, OpenPlan(shop, saved)), saved);
        STOrder::Existing()->DeleteMe();
        DEFS_ORD_IO = "noname";
        BMessage use('O+TF');
        use.AddString("fname", "input");
        Printed([&] { STOrder::getSTOrder()->AddOrderTemplate(&use); });
    }
}

TEST(STOrder, LookupsAndExistJob)
{
    OrderWorkshop shop;
    STOrder* orders = OpenPlan(shop, GoldenFile("plan.vto"));
    EXPECT_EQ(orders->GetOrder(-1), orders->GetOrder(2));
    EXPECT_EQ(orders->GetOrder(3), orders->GetOrder(0));
    EXPECT_EQ(orders->FindOrderNrOverNr(orders->GetOrder(1)->onr), 1);
    EXPECT_EQ(Printed([&] { EXPECT_EQ(orders->FindOrderNrOverNr(-5), 999); }),
              "2 FindOrderNrOverNr NOT FOUND: -5");

    orders = OpenPlan(shop, "[IT][A-17][Z-4][WKZ-12-long][2002/12/20][2002/12/20][0][1][2]\n");
    // The given name and drawing number contain the order's; the order's
    // tool code contains the given one.
    const struct
    {
        const char *auft, *znr, *wkz;
        int32 found;
    } cases[] = {{"xA-17x", "Z-4/2", "12-long", 3},
                 {"A-17", "Z-4", "WKZ-13", 2},
                 {"A-17", "Z", "WKZ-12", 1},
                 {"A-1", "Z-4", "WKZ-12", 0},
                 {nullptr, nullptr, nullptr, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(orders->ExistJob(c.auft, c.znr, c.wkz), c.found) << c.found;
}

TEST(STOrder, SortsKeepEqualDatesAndTheLastOrderIsNeverDeleted)
{
    OrderWorkshop shop;
    STOrder* orders = OpenPlan(shop, OrderLine("x", "2003/01/10", "2003/01/02") +
                                         OrderLine("a", "2003/01/05", "2003/01/03") +
                                         OrderLine("b", "2003/01/05", "2003/01/01"));
    orders->Sort2DeadDatum();
    EXPECT_EQ(Names(orders) + std::to_string(orders->sortmode), "abx1");
    orders->Sort2PlanDatum();
    EXPECT_EQ(Names(orders) + std::to_string(orders->sortmode), "bxa2");

    AppPostRecorder posts;
    DaStMode = 3;
    orders->Sort2DeadDatum();
    EXPECT_EQ(Names(orders), "bax");
    orders->DeleteSingleOrder(0);
    EXPECT_EQ(Names(orders), "xa") << "sorted by plan date afterwards";
    EXPECT_EQ(posts.Codes(), (std::vector<uint32>{'OBWD', 'LMOD', 'WBRA', 'OUPU'}));
    orders->DeleteSingleOrder(0);
    posts.Clear();
    EXPECT_EQ(Printed([&] { orders->DeleteSingleOrder(0); }), "last? ");
    EXPECT_EQ(Names(orders), "a");
    EXPECT_TRUE(posts.Codes().empty());
}

TEST(STOrder, SortedMenuShowsEachOrdersStatus)
{
    OrderWorkshop shop;
    STOrder* orders = OpenPlan(shop, OrderLine("beta", "2003/01/10", "2003/01/02") +
                                         OrderLine("Alpha", "2003/01/05", "2003/01/03") +
                                         OrderLine("gamma", "2003/01/05", "2003/01/01"));
    const int32 statuses[] = {4, 0, 3};
    for (int32 i = 0; i < 3; i++)
        orders->GetOrder(i)->ostat = statuses[i];
    BMenu menu("sao");
    orders->SortedMOrderList(&menu);
    ASSERT_EQ(menu.CountItems(), 3);
    const char* labels[] = {"  Alpha", "  beta", "  gamma"};
    const int32 kinds[] = {0, 4, 3};
    for (int32 i = 0; i < 3; i++) {
        auto* item = dynamic_cast<MenuIconItem*>(menu.ItemAt(i));
        ASSERT_NE(item, nullptr);
        EXPECT_STREQ(item->Label(), labels[i]);
        EXPECT_EQ(item->Kind(), kinds[i]);
        EXPECT_EQ(item->Message()->what, uint32('OUIx'));
        EXPECT_STREQ(item->Message()->GetString("labelt", ""), labels[i] + 2);
    }
}
