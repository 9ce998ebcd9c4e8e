#include "kit/app/Locker.h"

#include <gtest/gtest.h>

#include <future>
#include <thread>
#include <vector>

#include "TestLatch.h"
#include "kit/app/Autolock.h"
#include "kit/app/Beep.h"
#include "kit/app/OS.h"

namespace {

// Runs body on another thread and returns its result.
template <typename Body>
auto OnOtherThread(Body body)
{
    return std::async(std::launch::async, body).get();
}

TEST(LockerTest, IsRecursiveForTheOwnerAndExclusiveForOthers)
{
    BLocker locker("test");
    ASSERT_TRUE(locker.Lock());
    ASSERT_TRUE(locker.Lock());
    ASSERT_EQ(locker.LockWithTimeout(0), B_OK);
    EXPECT_EQ(locker.CountLocks(), 3);
    EXPECT_TRUE(locker.IsLocked());
    EXPECT_EQ(locker.LockingThread(), find_thread(nullptr));

    EXPECT_FALSE(OnOtherThread([&] { return locker.IsLocked(); }));
    EXPECT_EQ(OnOtherThread([&] { return locker.LockWithTimeout(10'000); }), B_TIMED_OUT);

    locker.Unlock();
    locker.Unlock();
    EXPECT_EQ(OnOtherThread([&] { return locker.LockWithTimeout(0); }), B_TIMED_OUT);
    locker.Unlock();
    EXPECT_FALSE(locker.IsLocked());
    EXPECT_EQ(locker.LockingThread(), B_ERROR);

    // Free again: another thread takes and returns it.
    EXPECT_EQ(OnOtherThread([&] {
                  status_t status = locker.LockWithTimeout(0);
                  locker.Unlock();
                  return status;
              }),
              B_OK);
}

TEST(LockerTest, AWaitingThreadGetsTheLockWhenItIsReleased)
{
    BLocker locker;
    locker.Lock();
    TestLatch waiting;
    auto result = std::async(std::launch::async, [&] {
        waiting.Set();
        status_t status = locker.LockWithTimeout(5'000'000);
        bool mine = locker.IsLocked();
        locker.Unlock();
        return status == B_OK && mine;
    });
    ASSERT_TRUE(waiting.Wait());
    locker.Unlock();
    EXPECT_TRUE(result.get());
}

TEST(LockerTest, SerialisesThreadsThatUpdateSharedData)
{
    BLocker locker;
    int64 total = 0;
    std::vector<std::thread> threads;
    for (int i = 0; i < 4; i++) {
        threads.emplace_back([&] {
            for (int n = 0; n < 2000; n++) {
                BAutolock lock(locker);
                BAutolock nested(&locker);
                total++;
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(total, 8000);
    EXPECT_EQ(locker.CountLocks(), 0);
}

TEST(OSTest, ThreadIdsDifferPerThreadAndStayStable)
{
    thread_id self = find_thread(nullptr);
    EXPECT_GT(self, 0);
    EXPECT_EQ(find_thread(nullptr), self);
    EXPECT_NE(OnOtherThread([] { return find_thread(nullptr); }), self);
    EXPECT_EQ(find_thread("anything"), B_NAME_NOT_FOUND);
}

TEST(OSTest, BeepsAreCounted)
{
    int32 before = beep_count();
    beep();
    beep();
    EXPECT_EQ(beep_count(), before + 2);
}

} // namespace
