#include "kit/app/Messenger.h"
#include "kit/app/Invoker.h"

#include <gtest/gtest.h>

#include <mutex>
#include <vector>

#include "kit/app/IdleLoopers.h"
#include "kit/app/Looper.h"
#include "kit/app/Message.h"

namespace {

// Counts what reaches it; shared through a plain struct so the count
// survives the handler.
struct Inbox
{
    std::mutex lock;
    std::vector<BMessage> messages;

    size_t Count()
    {
        std::lock_guard guard(lock);
        return messages.size();
    }
};

class InboxHandler : public BHandler
{
public:
    explicit InboxHandler(Inbox* inbox) : BHandler("inbox"), fInbox(inbox) {}

    void MessageReceived(BMessage* message) override
    {
        std::lock_guard guard(fInbox->lock);
        fInbox->messages.push_back(*message);
    }

private:
    Inbox* fInbox;
};

// A running looper with one inbox handler, quit by the fixture.
class MessengerTest : public testing::Test
{
protected:
    void SetUp() override
    {
        fLooper = new BLooper("target");
        fHandler = new InboxHandler(&fInbox);
        fLooper->AddHandler(fHandler);
        fLooper->Run();
    }

    void TearDown() override
    {
        if (fLooper != nullptr) {
            fLooper->Lock();
            fLooper->Quit();
        }
        delete fHandler;
    }

    void QuitLooper()
    {
        fLooper->Lock();
        fLooper->RemoveHandler(fHandler);
        fLooper->Quit();
        fLooper = nullptr;
    }

    Inbox fInbox;
    BLooper* fLooper = nullptr;
    InboxHandler* fHandler = nullptr;
};

} // namespace

TEST_F(MessengerTest, ReachesItsHandlerUntilTheLooperIsGone)
{
    BMessenger messenger(fHandler);
    ASSERT_TRUE(messenger.IsValid());
    EXPECT_EQ(messenger.SendMessage('PING'), B_OK);
    ASSERT_EQ(wait_for_idle_loopers(), B_OK);
    EXPECT_EQ(fInbox.Count(), 1u);

    BMessenger copy = messenger;
    QuitLooper();
    EXPECT_FALSE(copy.IsValid());
    EXPECT_EQ(copy.SendMessage('PING'), B_BAD_PORT_ID);
    EXPECT_FALSE(copy.LockTarget());
    EXPECT_EQ(fInbox.Count(), 1u);
}

TEST_F(MessengerTest, AHandlerThatLeftItsLooperIsNoLongerReached)
{
    BMessenger messenger(fHandler);
    ASSERT_TRUE(fLooper->Lock());
    fLooper->RemoveHandler(fHandler);
    fLooper->Unlock();

    EXPECT_FALSE(messenger.IsValid());
    messenger.SendMessage('PING');
    ASSERT_EQ(wait_for_idle_loopers(), B_OK);
    EXPECT_EQ(fInbox.Count(), 0u);
}

TEST_F(MessengerTest, RefusesHandlersWithoutOrInAnotherLooper)
{
    Inbox other;
    InboxHandler loose(&other);
    status_t status = B_OK;
    BMessenger none(&loose, nullptr, &status);
    EXPECT_EQ(status, B_MISMATCHED_VALUES);
    EXPECT_FALSE(none.IsValid());

    BLooper* second = new BLooper("second");
    BMessenger wrong(fHandler, second, &status);
    EXPECT_EQ(status, B_MISMATCHED_VALUES);
    second->Quit();

    BMessenger empty;
    EXPECT_FALSE(empty.IsValid());
    EXPECT_EQ(empty.SendMessage('PING'), B_BAD_PORT_ID);
}

TEST_F(MessengerTest, LockTargetLocksTheLooper)
{
    BMessenger messenger(fHandler);
    ASSERT_TRUE(messenger.LockTarget());
    EXPECT_TRUE(fLooper->IsLocked());
    fLooper->Unlock();
}

TEST_F(MessengerTest, InvokerSendsACopyWithWhenAndSource)
{
    BInvoker invoker(new BMessage('OADD'), fHandler);
    EXPECT_EQ(invoker.Command(), uint32('OADD'));
    EXPECT_EQ(invoker.Target(), fHandler);
    ASSERT_EQ(invoker.Invoke(), B_OK);

    BMessage other('OCHA');
    other.AddString("fname", "plan");
    ASSERT_EQ(invoker.Invoke(&other), B_OK);
    ASSERT_EQ(wait_for_idle_loopers(), B_OK);

    std::lock_guard guard(fInbox.lock);
    ASSERT_EQ(fInbox.messages.size(), 2u);
    EXPECT_EQ(fInbox.messages[0].what, uint32('OADD'));
    EXPECT_TRUE(fInbox.messages[0].HasInt64("when"));
    EXPECT_EQ(fInbox.messages[0].GetPointer("source", nullptr), &invoker);
    EXPECT_EQ(fInbox.messages[1].what, uint32('OCHA'));
    EXPECT_STREQ(fInbox.messages[1].GetString("fname", ""), "plan");
    EXPECT_FALSE(other.HasInt64("when"));
}

TEST_F(MessengerTest, InvokerWithoutMessageOrTargetReportsIt)
{
    BInvoker nothing;
    EXPECT_EQ(nothing.Invoke(), B_BAD_VALUE);
    BInvoker untargeted(new BMessage('OADD'));
    EXPECT_EQ(untargeted.Invoke(), B_BAD_PORT_ID);

    Inbox other;
    InboxHandler loose(&other);
    EXPECT_NE(untargeted.SetTarget(&loose), B_OK);
}
