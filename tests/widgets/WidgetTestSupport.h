// What the widget tests share: a recording window with a view in it, icon
// files written into the program folder, and colour checks with a margin.
#pragma once

#include <cairo.h>

#include <cstdlib>
#include <string>

#include "kit/interface/MenuTestSupport.h"

// A window at (100, 100) that records what it is sent; quit at the end.
// Views go into a white background view that fills it, as in the program's
// windows (bevels are drawn only for views inside another view).
struct RecordingTest
{
    RecordingTest() : window(new RecordingWindow("widgets")), quitter{window}
    {
        background = new BView(window->Bounds(), "background", B_FOLLOW_ALL, B_WILL_DRAW);
        window->AddChild(background);
    }

    template <typename View>
    View* Add(View* view)
    {
        background->AddChild(view);
        return view;
    }

    void ShowAndWait()
    {
        window->Show();
        driver.WaitForIdle();
    }

    template <typename Function>
    void Locked(Function&& f)
    {
        window->Lock();
        f();
        window->Unlock();
        driver.WaitForIdle();
    }

    rgb_color Pixel(float x, float y) const { return driver.Pixel(window, BPoint(x, y)); }

    HeadlessDriver driver;
    RecordingWindow* window;
    WindowQuitter quitter;
    BView* background;
};

// An opaque square PNG of one colour.
inline void WriteSquarePng(const std::string& path, int side, rgb_color color)
{
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, side, side);
    cairo_t* context = cairo_create(surface);
    cairo_set_source_rgb(context, color.red / 255.0, color.green / 255.0, color.blue / 255.0);
    cairo_paint(context);
    cairo_destroy(context);
    cairo_surface_write_to_png(surface, path.c_str());
    cairo_surface_destroy(surface);
}

inline bool near_rgb(rgb_color a, rgb_color b)
{
    return std::abs(a.red - b.red) <= 2 && std::abs(a.green - b.green) <= 2 &&
           std::abs(a.blue - b.blue) <= 2;
}

#define EXPECT_NEAR_RGB(actual, expected)                                                          \
    EXPECT_PRED2(near_rgb, actual, expected) << describe(actual) << " != " << describe(expected)

// The darkest pixel's green in a rectangle of the window: text shows as dark.
inline int DarkestGreen(const HeadlessDriver& driver, BWindow* window, BRect area)
{
    int darkest = 255;
    for (float y = area.top; y <= area.bottom; y++) {
        for (float x = area.left; x <= area.right; x++)
            darkest = std::min<int>(darkest, driver.Pixel(window, BPoint(x, y)).green);
    }
    return darkest;
}
