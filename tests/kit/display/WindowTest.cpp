// Windows on the headless backend: the list of windows, frames and their
// hooks, activation, and reading frames back.
#include <gtest/gtest.h>

#include <cairo.h>

#include <cstdio>
#include <filesystem>

#include "TestWindow.h"
#include "kit/display/DisplayBackend.h"
#include "support/ScopedTempFolder.h"

namespace {

struct Hooks
{
    std::vector<BPoint> moves;
    std::vector<BPoint> sizes;
    std::vector<bool> activations;
};

class HookWindow : public BWindow
{
public:
    HookWindow(const char* title, BRect frame, Hooks* hooks, uint32 flags = 0)
        : BWindow(frame, title, B_TITLED_WINDOW, flags), fHooks(hooks)
    {
    }

    void FrameMoved(BPoint where) override { fHooks->moves.push_back(where); }
    void FrameResized(float width, float height) override
    {
        fHooks->sizes.push_back(BPoint(width, height));
    }
    void WindowActivated(bool active) override { fHooks->activations.push_back(active); }

private:
    Hooks* fHooks;
};

void quit(BWindow* window)
{
    window->Lock();
    window->Quit();
}

} // namespace

TEST(DisplayBackendFactory, KnowsHeadlessOnly)
{
    std::unique_ptr<DisplayBackend> headless = DisplayBackend::Create("headless");
    ASSERT_NE(headless, nullptr);
    EXPECT_STREQ(headless->Name(), "headless");
    EXPECT_EQ(DisplayBackend::Create("no such backend"), nullptr);
    EXPECT_STREQ(DisplayBackend::Default()->Name(), "headless");
}

TEST(Windows, ListedWithTitleFrameAndState)
{
    HeadlessDriver driver;
    auto* first = new BWindow(BRect(10, 20, 109, 69), "First", B_TITLED_WINDOW, B_NOT_RESIZABLE);
    auto* second = new BWindow(BRect(50, 60, 249, 159), "Card", B_BORDERED_WINDOW, 0);
    first->Show();
    second->Show();
    second->Lock();
    second->SetTitle("Card 2");
    second->Unlock();
    driver.WaitForIdle();

    std::vector<HeadlessWindowInfo> windows = driver.Windows();
    ASSERT_EQ(windows.size(), 2u);
    EXPECT_EQ(windows[0].title, "First");
    EXPECT_EQ(windows[0].frame, BRect(10, 20, 109, 69));
    EXPECT_EQ(windows[0].flags, uint32(B_NOT_RESIZABLE));
    EXPECT_EQ(windows[1].title, "Card 2");
    EXPECT_EQ(windows[1].look, B_BORDERED_WINDOW_LOOK);
    EXPECT_TRUE(windows[1].visible);
    EXPECT_TRUE(windows[1].active); // the last one shown
    EXPECT_FALSE(windows[0].active);
    EXPECT_GE(windows[0].frames, 1);
    EXPECT_EQ(driver.FindWindow("First"), first);
    quit(first);
    quit(second);
    EXPECT_TRUE(driver.Windows().empty());
}

TEST(Windows, ActivationFollowsShowAndClicks)
{
    HeadlessDriver driver;
    Hooks firstHooks, secondHooks;
    auto* first = new HookWindow("one", BRect(0, 0, 99, 99), &firstHooks);
    auto* second = new HookWindow("two", BRect(200, 0, 299, 99), &secondHooks);
    first->Show();
    second->Show();
    driver.WaitForIdle();
    driver.Click(first, BPoint(5, 5));
    driver.WaitForIdle();
    EXPECT_EQ(firstHooks.activations, (std::vector<bool>{true, false, true}));
    EXPECT_EQ(secondHooks.activations, (std::vector<bool>{true, false}));
    first->Lock();
    EXPECT_TRUE(first->IsActive());
    first->Unlock();
    quit(first);
    quit(second);
}

TEST(Windows, ProgrammaticMovesAndResizesCallTheHooks)
{
    HeadlessDriver driver;
    Hooks hooks;
    auto* window = new HookWindow("frames", BRect(100, 100, 299, 199), &hooks);
    window->SetSizeLimits(150, 400, 50, 300);
    window->Show();
    window->Lock();
    window->MoveTo(120, 130);
    window->ResizeTo(1000, 10); // clamped to 400 x 50
    EXPECT_EQ(window->Frame(), BRect(120, 130, 520, 180));
    EXPECT_EQ(window->Bounds(), BRect(0, 0, 400, 50));
    window->Unlock();
    driver.WaitForIdle();
    EXPECT_EQ(hooks.moves, (std::vector<BPoint>{BPoint(120, 130)}));
    EXPECT_EQ(hooks.sizes, (std::vector<BPoint>{BPoint(400, 50)}));
    EXPECT_EQ(driver.Windows()[0].frame, BRect(120, 130, 520, 180));
    quit(window);
}

TEST(Windows, UserResizeGrowsTheFrameAndTheViews)
{
    Hooks hooks;
    auto* window = new HookWindow("resize", BRect(0, 0, 99, 99), &hooks);
    auto* view =
        new ProbeView(BRect(0, 0, 99, 99), "all", B_FOLLOW_ALL_SIDES, B_WILL_DRAW | B_FRAME_EVENTS);
    view->SetViewColor(rgb_color{0, 0, 200, 255});
    window->AddChild(view);
    window->Show();
    HeadlessDriver driver;
    driver.WaitForIdle();
    driver.ResizeWindow(window, 199, 149);
    driver.WaitForIdle();

    EXPECT_EQ(hooks.sizes, (std::vector<BPoint>{BPoint(199, 149)}));
    window->Lock();
    EXPECT_EQ(view->Frame(), BRect(0, 0, 199, 149));
    EXPECT_EQ(window->Bounds(), BRect(0, 0, 199, 149));
    window->Unlock();
    ASSERT_EQ(view->Events("resized").size(), 1u);
    EXPECT_EQ(view->Events("resized")[0].where, BPoint(199, 149));
    EXPECT_RGB(driver.Pixel(window, BPoint(199, 149)), (rgb_color{0, 0, 200, 255}));
    quit(window);
}

TEST(Windows, SavesTheFrameOrAPartAsPNG)
{
    TestWindow test("png", BRect(0, 0, 59, 39));
    auto* view = test.Add(new ProbeView(BRect(10, 10, 19, 19), "red"));
    view->SetViewColor(rgb_color{250, 50, 50, 255});
    test.ShowAndWait();
    ScopedTempFolder temp;
    std::string path = temp / "window.png";
    ASSERT_EQ(test.driver.SavePNG(test.window, path.c_str(), BRect(10, 10, 29, 19)), B_OK);
    cairo_surface_t* image = cairo_image_surface_create_from_png(path.c_str());
    ASSERT_EQ(cairo_surface_status(image), CAIRO_STATUS_SUCCESS);
    EXPECT_EQ(cairo_image_surface_get_width(image), 20);
    EXPECT_EQ(cairo_image_surface_get_height(image), 10);
    auto* row = reinterpret_cast<const uint32*>(cairo_image_surface_get_data(image));
    EXPECT_EQ(row[0] & 0xffffff, 0xfa3232u);
    EXPECT_EQ(row[10] & 0xffffff, 0xffffffu);
    cairo_surface_destroy(image);
    EXPECT_EQ(test.driver.SavePNG(test.window, "/nonexistent-dir/x.png"), B_IO_ERROR);
}
