// Views drawing into bitmaps (snapshots): the same pixels as in a window,
// moving a view between a window and a bitmap, the bitmap's lock, alpha.
#include "kit/interface/Bitmap.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "kit/display/TestWindow.h"

namespace {

constexpr rgb_color kPanel = {216, 216, 216, 255};
constexpr rgb_color kLight = {255, 255, 255, 255};
constexpr rgb_color kDark = {120, 120, 120, 255};
constexpr rgb_color kBar = {90, 140, 220, 255};

// A row like the calendar's: a filled bar with a bevel and a label, a blended
// stripe, and a child knob with a transparent view colour drawing over it.
ProbeView* calendar_like_view(BRect frame)
{
    auto* row = new ProbeView(frame, "row");
    row->SetViewColor(kPanel);
    row->onDraw = [](BView* self, BRect) {
        BRect bounds = self->Bounds();
        self->SetHighColor(kBar);
        self->FillRect(BRect(4, 4, 90, 30));
        self->SetHighColor(kLight);
        self->StrokeLine(BPoint(4, 4), BPoint(90, 4));
        self->StrokeLine(BPoint(4, 4), BPoint(4, 30));
        self->SetHighColor(kDark);
        self->StrokeLine(BPoint(4, 30), BPoint(90, 30));
        self->StrokeLine(BPoint(90, 4), BPoint(90, 30));
        self->SetHighColor(0, 0, 0);
        self->DrawString("Order 4711", BPoint(8, 22));
        self->SetDrawingMode(B_OP_BLEND);
        self->SetHighColor(250, 40, 40);
        self->FillRect(BRect(60, 0, 70, bounds.bottom));
        self->SetDrawingMode(B_OP_COPY);
        self->FillEllipse(BRect(100, 10, 120, 24));
    };
    auto* knob = new ProbeView(BRect(40, 34, 79, 49), "knob");
    knob->SetViewColor(B_TRANSPARENT_COLOR);
    knob->onDraw = [](BView* self, BRect) {
        self->SetHighColor(0, 90, 0);
        self->StrokeRect(self->Bounds());
        self->DrawString("K", BPoint(3, 12));
    };
    row->AddChild(knob);
    return row;
}

rgb_color bitmap_pixel(const BBitmap& bitmap, int32 x, int32 y)
{
    const uint8* pixel =
        static_cast<const uint8*>(bitmap.Bits()) + y * bitmap.BytesPerRow() + x * 4;
    return rgb_color{pixel[2], pixel[1], pixel[0], pixel[3]};
}

std::vector<rgb_color> window_pixels(TestWindow& test, BRect frame)
{
    std::vector<rgb_color> pixels;
    for (int32 y = 0; y <= frame.Height(); y++) {
        for (int32 x = 0; x <= frame.Width(); x++)
            pixels.push_back(test.Pixel(frame.left + x, frame.top + y));
    }
    return pixels;
}

// Every pixel of the bitmap against the same-sized grab of a window.
int count_differences(const BBitmap& bitmap, const std::vector<rgb_color>& expected)
{
    int differences = 0;
    int32 width = int32(bitmap.Bounds().Width()) + 1;
    for (size_t i = 0; i < expected.size(); i++) {
        int32 x = int32(i) % width, y = int32(i) / width;
        rgb_color drawn = bitmap_pixel(bitmap, x, y);
        if (!same_rgb(drawn, expected[i]) && differences++ < 5)
            ADD_FAILURE() << "pixel " << x << ", " << y << ": " << describe(drawn) << " != window "
                          << describe(expected[i]);
    }
    return differences;
}

class LifeView : public BView
{
public:
    LifeView(bool* deleted)
        : BView(BRect(0, 0, 9, 9), "life", B_FOLLOW_NONE, B_WILL_DRAW), fDeleted(deleted)
    {
    }
    ~LifeView() override { *fDeleted = true; }
    void AttachedToWindow() override { attached++; }
    void DetachedFromWindow() override { detached++; }

    int attached = 0;
    int detached = 0;

private:
    bool* fDeleted;
};

} // namespace

TEST(BitmapViews, SnapshotEqualsTheWindowAndTheViewGoesBack)
{
    const BRect frame(12, 20, 211, 69);
    TestWindow test;
    ProbeView* row = test.Add(calendar_like_view(frame));
    test.ShowAndWait();
    std::vector<rgb_color> shown = window_pixels(test, frame);

    // As the snapshot does it: out of the window, into the bitmap, drawn
    // by the program, synced.
    BBitmap bitmap(frame.OffsetToCopy(0, 0), B_RGB32, true);
    test.Locked([&] { test.window->RemoveChild(row); });
    ASSERT_TRUE(bitmap.Lock());
    bitmap.AddChild(row);
    row->MoveTo(0, 0);
    EXPECT_EQ(row->Window(), nullptr);
    EXPECT_EQ(row->Parent(), nullptr);
    row->Draw(row->Bounds());
    row->Sync();
    bitmap.Unlock();
    EXPECT_EQ(count_differences(bitmap, shown), 0);

    // Scrolled, the bitmap shows what the window would.
    bitmap.Lock();
    row->ScrollTo(20, 5);
    row->Sync();
    bitmap.Unlock();
    test.Locked([&] {
        bitmap.RemoveChild(row);
        test.window->AddChild(row);
        row->MoveTo(frame.LeftTop());
    });
    EXPECT_EQ(bitmap.CountChildren(), 0);
    EXPECT_EQ(row->Window(), test.window);
    EXPECT_EQ(count_differences(bitmap, window_pixels(test, frame)), 0);

    // Back in the window it still draws and gets input.
    test.Locked([&] { row->SetViewColor(kLight); });
    EXPECT_RGB(test.Pixel(frame.right, frame.bottom), kLight);
    test.driver.Click(test.window, frame.LeftTop() + BPoint(150, 40));
    test.driver.WaitForIdle();
    EXPECT_EQ(row->Events("down").size(), 1u);
}

TEST(BitmapViews, InvalidatedViewsAreDrawnBySync)
{
    BBitmap bitmap(BRect(0, 0, 49, 29), B_RGB32, true);
    auto* view = new ProbeView(BRect(10, 5, 29, 14), "view");
    view->SetViewColor(kBar);
    bitmap.Lock();
    bitmap.AddChild(view);
    EXPECT_EQ(view->draws, 0); // nothing happens before the program syncs
    view->Sync();
    EXPECT_EQ(view->draws, 1);
    view->Sync();
    EXPECT_EQ(view->draws, 1); // nothing was invalidated since
    view->Invalidate(BRect(0, 0, 1, 1));
    view->Flush();
    EXPECT_EQ(view->draws, 2);
    EXPECT_EQ(view->updates.back(), BRect(0, 0, 1, 1));
    bitmap.Unlock();

    EXPECT_RGB(bitmap_pixel(bitmap, 10, 5), kBar);
    EXPECT_RGB(bitmap_pixel(bitmap, 29, 14), kBar);
    // Outside the view the pixels are the program's, untouched.
    EXPECT_EQ(bitmap_pixel(bitmap, 9, 5).red, 0);
    EXPECT_EQ(bitmap_pixel(bitmap, 30, 14).alpha, 0);
}

TEST(BitmapViews, TreeHooksAndOwnership)
{
    bool deleted = false;
    {
        BBitmap bitmap(BRect(0, 0, 99, 99), B_RGBA32, true);
        auto* outer = new ProbeView(BRect(0, 0, 49, 49), "outer");
        auto* life = new LifeView(&deleted);
        outer->AddChild(life);
        bitmap.AddChild(outer);
        EXPECT_EQ(life->attached, 1);
        EXPECT_EQ(bitmap.CountChildren(), 1);
        EXPECT_EQ(bitmap.ChildAt(0), outer);
        EXPECT_EQ(bitmap.ChildAt(1), nullptr);
        EXPECT_EQ(bitmap.FindView("life"), life);
        EXPECT_EQ(bitmap.FindView("top view"), nullptr);
        EXPECT_EQ(life->Parent(), outer);

        EXPECT_TRUE(bitmap.RemoveChild(outer));
        EXPECT_FALSE(bitmap.RemoveChild(outer));
        EXPECT_EQ(life->detached, 1);
        bitmap.AddChild(outer);
        EXPECT_EQ(life->attached, 2);
    }
    // The bitmap deletes the views still in it.
    EXPECT_TRUE(deleted);

    BBitmap plain(BRect(0, 0, 9, 9), B_RGB32);
    EXPECT_EQ(plain.CountChildren(), 0);
    EXPECT_EQ(plain.FindView("life"), nullptr);
}

TEST(BitmapViews, LockNestsPerThread)
{
    BBitmap bitmap(BRect(0, 0, 9, 9), B_RGB32, true);
    EXPECT_FALSE(bitmap.IsLocked());
    ASSERT_TRUE(bitmap.Lock());
    ASSERT_TRUE(bitmap.Lock());
    bitmap.Unlock();
    EXPECT_TRUE(bitmap.IsLocked());
    bool lockedElsewhere = true;
    std::thread([&] { lockedElsewhere = bitmap.IsLocked(); }).join();
    EXPECT_FALSE(lockedElsewhere);
    bitmap.Unlock();
    EXPECT_FALSE(bitmap.IsLocked());

    // Free again: another thread takes and gives it back.
    bool tookIt = false;
    std::thread([&] {
        tookIt = bitmap.Lock();
        bitmap.Unlock();
    }).join();
    EXPECT_TRUE(tookIt);
}

TEST(BitmapViews, DrawnPixelsAreOpaqueOthersKeepTheirAlpha)
{
    for (color_space space : {B_RGB32, B_RGBA32}) {
        BBitmap bitmap(BRect(0, 0, 19, 9), space, true);
        auto* view = new BView(BRect(0, 0, 9, 9), "half", B_FOLLOW_NONE, B_WILL_DRAW);
        view->SetViewColor(kBar);
        bitmap.Lock();
        bitmap.AddChild(view);
        view->SetHighColor(250, 40, 40);
        view->SetDrawingMode(B_OP_BLEND);
        view->Sync();
        view->FillRect(BRect(0, 0, 0, 0));
        bitmap.Unlock();

        rgb_color drawn = bitmap_pixel(bitmap, 5, 5);
        EXPECT_RGB(drawn, kBar);
        EXPECT_EQ(drawn.alpha, 255);
        rgb_color blended = bitmap_pixel(bitmap, 0, 0);
        EXPECT_RGB(blended, (rgb_color{(250 + 90) / 2, (40 + 140) / 2, (40 + 220) / 2, 255}));
        EXPECT_EQ(bitmap_pixel(bitmap, 15, 5).alpha, 0);
    }
}
