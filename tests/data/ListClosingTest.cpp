// Closing the order and worker lists while another thread has them fetched:
// a list is freed only once nobody holds it, and a closed list writes
// nothing. Run under -DVANTREL_SANITIZE=address or thread to see the races.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

#include "app/Globals.h"
#include "data/Order.h"
#include "data/OrderWorkshop.h"
#include "data/STOrder.h"
#include "data/STWorker.h"
#include "data/Worker.h"
#include "kit/app/Autolock.h"

namespace {

constexpr int kRounds = 60;

// Spins until done() holds; false after ten seconds.
bool Eventually(const std::function<bool()>& done)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::yield();
    }
    return true;
}

// One thread opens and closes a list kRounds times; the other fetches it,
// locks it and reads a record as fast as it can. Each round waits until the
// reader has had the open list once, so the close meets a busy reader.
void Hammer(const std::function<void()>& open, const std::function<void()>& close,
            const std::function<bool()>& read)
{
    std::atomic<bool> stop{false};
    std::atomic<int> reads{0};
    Printed([&] {
        std::thread reader([&] {
            while (!stop) {
                if (read())
                    reads++;
            }
        });
        for (int round = 0; round < kRounds; round++) {
            open();
            const int before = reads;
            Eventually([&] { return reads > before; });
            close();
        }
        stop = true;
        reader.join();
    });
    EXPECT_GE(reads.load(), kRounds);
}

} // namespace

TEST(ListClosing, OrdersClosedWhileAnotherThreadReadsThem)
{
    OrderWorkshop shop;
    shop.folder.Write("defs/plan.vto", GoldenFile("plan.vto"));
    Hammer(
        [] {
            DEFS_ORD_IO = "plan";
            ASSERT_NE(STOrder::getSTOrder(), nullptr);
        },
        [] { STOrder::getSTOrder()->DeleteMe(); },
        [] {
            // As a window fetches it: made again if the project is open.
            STOrder* orders = STOrder::getSTOrder();
            if (orders == nullptr)
                return false;
            BAutolock lock(orders->Lock());
            Order* last = orders->GetOrder(orders->GetOMax());
            return last != nullptr && !last->oauft.empty();
        });
    Order::sNr = 0; // later tests count their orders from 1
}

TEST(ListClosing, WorkersClosedWhileAnotherThreadReadsThem)
{
    OrderWorkshop shop;
    Printed([&] { shop.workers->DeleteMe(); });
    Hammer(
        [] {
            DEFS_WKO_IO = "plan";
            ASSERT_NE(STWorker::getSTWorker(), nullptr);
        },
        [] { STWorker::getSTWorker()->DeleteMe(); },
        [] {
            STWorker* workers = STWorker::getSTWorker();
            if (workers == nullptr)
                return false;
            BAutolock lock(workers->Lock());
            Worker* last = workers->GetWorker(-1);
            return last != nullptr && !last->w_name.empty();
        });
}

TEST(ListClosing, HolidaysClosedWhileAnotherThreadReadsThem)
{
    OrderWorkshop shop("[HD][2002/12/25][Weihnachten]\n");
    Hammer([] { ASSERT_NE(STHolidays::getSTHolidays(), nullptr); },
           [] { STHolidays::Existing()->DeleteMe(); },
           [] {
               STHolidays* holidays = STHolidays::Existing();
               if (holidays == nullptr)
                   return false;
               BAutolock lock(holidays->Lock());
               return holidays->IsHoliday("2002/12/25") != 0;
           });
}

TEST(ListClosing, ACloseWaitsForTheHolderAndTheClosedListSavesNothing)
{
    OrderWorkshop shop;
    shop.folder.Write("defs/plan.vto", GoldenFile("plan.vto"));
    STOrder* orders = nullptr;
    Printed([&] { orders = STOrder::getSTOrder(); });
    ASSERT_NE(orders, nullptr);
    std::thread closer;
    {
        BAutolock lock(orders->Lock());
        closer = std::thread([] { STOrder::Existing()->DeleteMe(); });
        // Unreachable at once, and no list is made from the old name ...
        ASSERT_TRUE(Eventually([] { return STOrder::Existing() == nullptr; }));
        EXPECT_EQ(DEFS_ORD_IO, "-");
        EXPECT_EQ(Printed([] { EXPECT_EQ(STOrder::getSTOrder(), nullptr); }),
                  "getSTOrder(): [-] fail");
        // ... but the orders stay while this thread holds the list.
        EXPECT_EQ(orders->GetOMax(), 2);
        EXPECT_EQ(ord_exist.load(), 1);
    }
    closer.join();
    EXPECT_EQ(ord_exist.load(), 0);
    // Still this thread's list, closed: empty, and it keeps the file.
    EXPECT_EQ(orders->GetOMax(), -1);
    const std::string path = shop.folder.Path("defs/plan.vto");
    EXPECT_EQ(Printed([&] { EXPECT_FALSE(orders->SaveOrderList()); }), "'" + path + "' OpenError!");
    EXPECT_EQ(shop.folder.Read("defs/plan.vto"), GoldenFile("plan.vto"));
    Order::sNr = 0;
}
