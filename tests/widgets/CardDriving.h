// What the card tests share: a window that keeps the messages it gets, the
// window point at the middle of a view, and captured diagnostics.
#pragma once

#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "kit/app/Message.h"
#include "kit/display/HeadlessDriver.h"
#include "kit/interface/View.h"
#include "kit/interface/Window.h"

class RecordingWindow : public BWindow
{
public:
    RecordingWindow() : BWindow(BRect(400, 300, 599, 399), "asker", B_TITLED_WINDOW, 0) {}

    void MessageReceived(BMessage* message) override
    {
        std::lock_guard lock(fMutex);
        fMessages.push_back(*message);
    }

    std::vector<BMessage> Messages(uint32 what)
    {
        std::lock_guard lock(fMutex);
        std::vector<BMessage> found;
        for (const BMessage& message : fMessages) {
            if (message.what == what)
                found.push_back(message);
        }
        return found;
    }

private:
    std::mutex fMutex;
    std::vector<BMessage> fMessages;
};

// The middle of view in its window's coordinates; locks the window.
inline BPoint middle_of(BView* view)
{
    BWindow* window = view->Window();
    window->Lock();
    const BRect bounds = view->Bounds();
    const BPoint point = window->ConvertFromScreen(view->ConvertToScreen(
        BPoint((bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2)));
    window->Unlock();
    return point;
}

// What the run printed, from every thread; the driver waits for the
// windows first.
inline std::string captured(HeadlessDriver& driver, const std::function<void()>& run)
{
    testing::internal::CaptureStdout();
    run();
    driver.WaitForIdle();
    fflush(stdout);
    return testing::internal::GetCapturedStdout();
}
