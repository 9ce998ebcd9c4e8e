// Windows and views for tests of the interface kit: a view that records its
// hooks and draws what the test tells it to, and a window that is quit when
// the test ends. The records are written on the window thread and read by
// the test after wait_for_idle_loopers(), which orders the two.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "kit/app/Message.h"
#include "kit/display/HeadlessDriver.h"
#include "kit/interface/View.h"
#include "kit/interface/Window.h"

struct ViewEvent
{
    std::string kind; // "down", "up", "moved", "key", "message", "resized", "moved-frame"
    BPoint where;
    uint32 transit = 0;
    std::string bytes;
    BMessage message;
};

class ProbeView : public BView
{
public:
    ProbeView(BRect frame, const char* name, uint32 resizingMode = B_FOLLOW_NONE,
              uint32 flags = B_WILL_DRAW)
        : BView(frame, name, resizingMode, flags)
    {
    }

    void Draw(BRect updateRect) override
    {
        draws++;
        updates.push_back(updateRect);
        if (onDraw)
            onDraw(this, updateRect);
    }

    void MouseDown(BPoint where) override
    {
        _Record("down", where);
        if (onMouseDown)
            onMouseDown(this, where);
    }

    void MouseUp(BPoint where) override { _Record("up", where); }

    void MouseMoved(BPoint where, uint32 transit, const BMessage*) override
    {
        _Record("moved", where).transit = transit;
    }

    void KeyDown(const char* bytes, int32 numBytes) override
    {
        _Record("key", B_ORIGIN).bytes.assign(bytes, numBytes);
    }

    void MessageReceived(BMessage* message) override
    {
        events.push_back({"message", B_ORIGIN, 0, "", *message});
    }

    void FrameResized(float width, float height) override
    {
        _Record("resized", BPoint(width, height));
    }

    void FrameMoved(BPoint where) override { _Record("moved-frame", where); }

    std::vector<ViewEvent> Events(const std::string& kind) const
    {
        std::vector<ViewEvent> found;
        for (const ViewEvent& event : events) {
            if (event.kind == kind)
                found.push_back(event);
        }
        return found;
    }

    int draws = 0;
    std::vector<BRect> updates;
    std::vector<ViewEvent> events;
    std::function<void(BView*, BRect)> onDraw;
    std::function<void(BView*, BPoint)> onMouseDown;

private:
    ViewEvent& _Record(const char* kind, BPoint where)
    {
        BMessage current;
        if (Window() != nullptr && Window()->CurrentMessage() != nullptr)
            current = *Window()->CurrentMessage();
        events.push_back({kind, where, 0, "", current});
        return events.back();
    }
};

// A window at (100, 100) of 300 x 200 pixels, white. Views may be added
// until Show(); after that the test locks the window to touch them.
class TestWindow
{
public:
    explicit TestWindow(const char* title = "test", BRect frame = BRect(100, 100, 399, 299),
                        uint32 flags = 0)
        : window(new BWindow(frame, title, B_TITLED_WINDOW, flags))
    {
    }

    ~TestWindow()
    {
        if (window != nullptr && window->Lock())
            window->Quit();
    }

    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    template <typename View>
    View* Add(View* view)
    {
        window->AddChild(view);
        return view;
    }

    // Shows the window and waits until its first frame is presented.
    void ShowAndWait()
    {
        window->Show();
        driver.WaitForIdle();
    }

    // Runs f with the window locked, then waits for the resulting update.
    template <typename Function>
    void Locked(Function&& f)
    {
        window->Lock();
        f();
        window->Unlock();
        driver.WaitForIdle();
    }

    rgb_color Pixel(float x, float y) const { return driver.Pixel(window, BPoint(x, y)); }

    BWindow* window;
    HeadlessDriver driver;
};

// The messages with that code the probe received, in order.
inline std::vector<BMessage> messages(const ProbeView* probe, uint32 what)
{
    std::vector<BMessage> found;
    for (const ViewEvent& event : probe->Events("message")) {
        if (event.message.what == what)
            found.push_back(event.message);
    }
    return found;
}

inline bool same_rgb(rgb_color a, rgb_color b)
{
    return a.red == b.red && a.green == b.green && a.blue == b.blue;
}

inline std::string describe(rgb_color color)
{
    return "(" + std::to_string(color.red) + ", " + std::to_string(color.green) + ", " +
           std::to_string(color.blue) + ")";
}

#define EXPECT_RGB(actual, expected)                                                               \
    EXPECT_PRED2(same_rgb, actual, expected) << describe(actual) << " != " << describe(expected)
