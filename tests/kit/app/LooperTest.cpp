#include "kit/app/Looper.h"

#include <gtest/gtest.h>

#include <map>
#include <thread>
#include <vector>

#include "TestLatch.h"
#include "kit/app/AppDefs.h"
#include "kit/app/IdleLoopers.h"

namespace {

// What a looper saw. It lives in the test, so it survives the looper; the
// test reads it only after wait_for_idle_loopers(), which must order the
// looper's writes before the read.
struct Journal
{
    std::vector<BMessage> messages;
    bool currentMessageMatched = true;
    bool deleted = false;
    status_t postAfterQuit = B_OK;
};

class RecordingLooper : public BLooper
{
public:
    explicit RecordingLooper(Journal* journal) : BLooper("recording"), fJournal(journal) {}
    ~RecordingLooper() override { fJournal->deleted = true; }

    void MessageReceived(BMessage* message) override
    {
        fJournal->messages.push_back(*message);
        fJournal->currentMessageMatched &= CurrentMessage() == message;
        if (message->what == 'QUIT') {
            Quit();
            fJournal->postAfterQuit = PostMessage('MORE');
        }
        if (message->what == 'BLOK') {
            entered.Set();
            release.Wait();
        }
    }

    bool QuitRequested() override { return allowQuit; }

    bool allowQuit = true;
    TestLatch entered;
    TestLatch release;

private:
    Journal* fJournal;
};

class CountingHandler : public BHandler
{
public:
    explicit CountingHandler(int* count) : fCount(count) {}
    void MessageReceived(BMessage*) override { (*fCount)++; }

private:
    int* fCount;
};

void QuitLooper(BLooper* looper)
{
    looper->Lock();
    looper->Quit();
}

TEST(LooperTest, KeepsEachSendersOrderWhenSeveralThreadsPost)
{
    constexpr int kSenders = 4;
    constexpr int kPerSender = 300;
    Journal journal;
    auto* looper = new RecordingLooper(&journal);
    looper->Run();

    std::vector<std::thread> senders;
    for (int sender = 0; sender < kSenders; sender++) {
        senders.emplace_back([looper, sender] {
            for (int seq = 0; seq < kPerSender; seq++) {
                BMessage message('SEQ_');
                message.AddInt32("sender", sender);
                message.AddInt32("seq", seq);
                looper->PostMessage(&message);
            }
        });
    }
    for (std::thread& sender : senders)
        sender.join();
    ASSERT_EQ(wait_for_idle_loopers(), B_OK);

    std::map<int32, int32> next;
    for (const BMessage& message : journal.messages) {
        int32 sender = message.GetInt32("sender", -1);
        ASSERT_EQ(message.GetInt32("seq", -1), next[sender]++) << "sender " << sender;
    }
    EXPECT_EQ(journal.messages.size(), size_t(kSenders * kPerSender));
    EXPECT_TRUE(journal.currentMessageMatched);
    QuitLooper(looper);
}

TEST(LooperTest, MessagesPostedBeforeRunWaitForIt)
{
    Journal journal;
    auto* looper = new RecordingLooper(&journal);
    looper->PostMessage('ONE_');
    looper->PostMessage('TWO_');
    // Not running yet: its queue does not keep the idle helper waiting.
    ASSERT_EQ(wait_for_idle_loopers(0), B_OK);
    EXPECT_TRUE(journal.messages.empty());

    looper->Run();
    ASSERT_EQ(wait_for_idle_loopers(), B_OK);
    ASSERT_EQ(journal.messages.size(), 2u);
    EXPECT_EQ(journal.messages[0].what, uint32('ONE_'));
    EXPECT_EQ(journal.messages[1].what, uint32('TWO_'));
    QuitLooper(looper);
}

TEST(LooperTest, TheLockIsHeldWhileAMessageIsHandled)
{
    Journal journal;
    auto* looper = new RecordingLooper(&journal);
    looper->Run();

    looper->PostMessage('BLOK');
    ASSERT_TRUE(looper->entered.Wait());
    EXPECT_EQ(looper->LockWithTimeout(20'000), B_TIMED_OUT);
    EXPECT_EQ(looper->LockingThread(), looper->Thread());
    EXPECT_EQ(wait_for_idle_loopers(20'000), B_TIMED_OUT);
    looper->release.Set();
    ASSERT_TRUE(looper->Lock());

    // And the other way round: while we hold it, nothing is handled.
    looper->PostMessage('PING');
    EXPECT_EQ(wait_for_idle_loopers(20'000), B_TIMED_OUT);
    EXPECT_EQ(journal.messages.size(), 1u);
    looper->Unlock();
    ASSERT_EQ(wait_for_idle_loopers(), B_OK);
    ASSERT_EQ(journal.messages.size(), 2u);
    EXPECT_EQ(journal.messages[1].what, uint32('PING'));
    QuitLooper(looper);
}

TEST(LooperTest, QuitFromAHandlerEndsAfterThatMessageAndDeletesTheLooper)
{
    Journal journal;
    auto* looper = new RecordingLooper(&journal);
    looper->Run();
    looper->Lock();
    looper->PostMessage('QUIT');
    looper->PostMessage('LATE');
    looper->Unlock();

    ASSERT_EQ(wait_for_idle_loopers(), B_OK);
    EXPECT_TRUE(journal.deleted);
    EXPECT_EQ(journal.postAfterQuit, B_BAD_PORT_ID);
    ASSERT_EQ(journal.messages.size(), 1u);
    EXPECT_EQ(journal.messages[0].what, uint32('QUIT'));
}

TEST(LooperTest, QuitRequestedDecidesWhetherAQuitRequestEndsTheLooper)
{
    Journal journal;
    auto* looper = new RecordingLooper(&journal);
    looper->allowQuit = false;
    looper->Run();

    looper->PostMessage(B_QUIT_REQUESTED);
    looper->PostMessage('PING');
    ASSERT_EQ(wait_for_idle_loopers(), B_OK);
    EXPECT_FALSE(journal.deleted);
    ASSERT_EQ(journal.messages.size(), 1u);

    looper->Lock();
    looper->allowQuit = true;
    looper->Unlock();
    looper->PostMessage(B_QUIT_REQUESTED);
    ASSERT_EQ(wait_for_idle_loopers(), B_OK);
    EXPECT_TRUE(journal.deleted);
}

TEST(LooperTest, QuitFromAnotherThreadStopsAndDeletesBeforeReturning)
{
    Journal journal;
    auto* looper = new RecordingLooper(&journal);
    looper->Run();

    looper->Lock();
    looper->Lock();
    // The looper thread will be waiting for the lock to handle this.
    looper->PostMessage('PING');
    looper->Quit();
    EXPECT_TRUE(journal.deleted);
    EXPECT_TRUE(journal.messages.empty());
    EXPECT_EQ(wait_for_idle_loopers(), B_OK);

    Journal neverRun;
    auto* idle = new RecordingLooper(&neverRun);
    idle->PostMessage('PING');
    idle->Quit();
    EXPECT_TRUE(neverRun.deleted);
}

TEST(LooperTest, MessagesForRemovedOrDeletedHandlersAreDropped)
{
    Journal journal;
    auto* looper = new RecordingLooper(&journal);
    looper->Run();
    int removedCount = 0;
    int deletedCount = 0;
    int newcomerCount = 0;
    auto* removed = new CountingHandler(&removedCount);
    auto* deleted = new CountingHandler(&deletedCount);

    looper->Lock();
    looper->AddHandler(removed);
    looper->AddHandler(deleted);
    ASSERT_EQ(looper->PostMessage('PING', removed), B_OK);
    ASSERT_EQ(looper->PostMessage('PING', deleted), B_OK);
    looper->RemoveHandler(removed);
    delete deleted;
    // May reuse the freed address; it must still not get the old message.
    auto* newcomer = new CountingHandler(&newcomerCount);
    looper->AddHandler(newcomer);
    EXPECT_EQ(looper->CountHandlers(), 2);
    looper->Unlock();

    ASSERT_EQ(wait_for_idle_loopers(), B_OK);
    EXPECT_EQ(removedCount, 0);
    EXPECT_EQ(deletedCount, 0);
    EXPECT_EQ(newcomerCount, 0);
    EXPECT_EQ(looper->PostMessage('PING', removed), B_MISMATCHED_VALUES);
    EXPECT_FALSE(removed->LockLooper());

    ASSERT_TRUE(newcomer->LockLooper());
    EXPECT_EQ(newcomer->Looper(), looper);
    looper->PostMessage('PING', newcomer);
    newcomer->UnlockLooper();
    ASSERT_EQ(wait_for_idle_loopers(), B_OK);
    EXPECT_EQ(newcomerCount, 1);

    QuitLooper(looper);
    EXPECT_EQ(newcomer->Looper(), nullptr);
    delete newcomer;
    delete removed;
}

TEST(LooperTest, TargetsPreferredHandlerAndCopiesMessages)
{
    Journal journal;
    Journal otherJournal;
    auto* looper = new RecordingLooper(&journal);
    auto* other = new RecordingLooper(&otherJournal);
    int preferredCount = 0;
    int foreignCount = 0;
    auto* preferred = new CountingHandler(&preferredCount);
    auto* foreign = new CountingHandler(&foreignCount);
    looper->AddHandler(preferred);
    looper->SetPreferredHandler(preferred);
    other->AddHandler(foreign);
    looper->Run();
    other->Run();

    BMessage message('MINE');
    message.AddInt32("value", 1);
    EXPECT_EQ(looper->PostMessage(&message, foreign), B_MISMATCHED_VALUES);
    ASSERT_EQ(looper->PostMessage(&message, nullptr), B_OK);
    ASSERT_EQ(looper->PostMessage(&message), B_OK);
    message.ReplaceInt32("value", 2);
    ASSERT_EQ(wait_for_idle_loopers(), B_OK);

    EXPECT_EQ(preferredCount, 1);
    EXPECT_EQ(foreignCount, 0);
    ASSERT_EQ(journal.messages.size(), 1u);
    EXPECT_EQ(journal.messages[0].GetInt32("value", 0), 1);

    QuitLooper(looper);
    QuitLooper(other);
    delete preferred;
    delete foreign;
}

// Each PING posts the next one to the other looper: the helper must not
// report idle in the gap between two loopers.
class PingLooper : public BLooper
{
public:
    explicit PingLooper(int* handled) : fHandled(handled) {}

    void MessageReceived(BMessage* message) override
    {
        (*fHandled)++;
        int32 left = message->GetInt32("left", 0);
        if (left == 0)
            return;
        BMessage next('PING');
        next.AddInt32("left", left - 1);
        partner->PostMessage(&next);
    }

    PingLooper* partner = nullptr;

private:
    int* fHandled;
};

TEST(LooperTest, IdleHelperWaitsForChainsAcrossLoopers)
{
    int handledLeft = 0;
    int handledRight = 0;
    auto* left = new PingLooper(&handledLeft);
    auto* right = new PingLooper(&handledRight);
    left->partner = right;
    right->partner = left;
    left->Run();
    right->Run();

    BMessage ping('PING');
    ping.AddInt32("left", 400);
    left->PostMessage(&ping);
    ASSERT_EQ(wait_for_idle_loopers(), B_OK);
    EXPECT_EQ(handledLeft, 201);
    EXPECT_EQ(handledRight, 200);

    QuitLooper(left);
    QuitLooper(right);
}

} // namespace
