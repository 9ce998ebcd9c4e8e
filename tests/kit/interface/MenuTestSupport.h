// A window that records the messages it is sent, and helpers to find and
// click menu items where they are drawn.
#pragma once

#include <cmath>
#include <mutex>
#include <vector>

#include "kit/display/TestWindow.h"
#include "kit/interface/Menu.h"
#include "kit/interface/MenuItem.h"

class RecordingWindow : public BWindow
{
public:
    explicit RecordingWindow(const char* title, BRect frame = BRect(100, 100, 399, 299))
        : BWindow(frame, title, B_TITLED_WINDOW, 0)
    {
    }

    void MessageReceived(BMessage* message) override
    {
        std::lock_guard lock(fLock);
        fMessages.push_back(*message);
    }

    std::vector<BMessage> Messages(uint32 what)
    {
        std::lock_guard lock(fLock);
        std::vector<BMessage> found;
        for (const BMessage& message : fMessages) {
            if (message.what == what)
                found.push_back(message);
        }
        return found;
    }

private:
    std::mutex fLock;
    std::vector<BMessage> fMessages;
};

// Quits the window at the end of a test.
struct WindowQuitter
{
    BWindow* window;
    ~WindowQuitter()
    {
        if (window->Lock())
            window->Quit();
    }
};

inline BPoint center_of(BRect rect)
{
    return BPoint(std::floor((rect.left + rect.right) / 2),
                  std::floor((rect.top + rect.bottom) / 2));
}

inline bool is_visible(HeadlessDriver& driver, BWindow* window)
{
    for (const HeadlessWindowInfo& info : driver.Windows()) {
        if (info.window == window)
            return info.visible;
    }
    return false;
}
