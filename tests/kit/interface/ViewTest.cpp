// Views in a window on the headless backend: the update cycle, clipping,
// geometry and drawing state.
#include "kit/interface/View.h"

#include <gtest/gtest.h>

#include "kit/display/TestWindow.h"
#include "kit/interface/Bitmap.h"
#include "kit/interface/StateGuard.h"

namespace {

constexpr rgb_color kBlack = {0, 0, 0, 255};
constexpr rgb_color kWhite = {255, 255, 255, 255};
constexpr rgb_color kRed = {250, 50, 50, 255};
constexpr rgb_color kGreen = {0, 200, 0, 255};

ProbeView* filled_view(BRect frame, rgb_color color, const char* name = "filled")
{
    auto* view = new ProbeView(frame, name);
    view->onDraw = [color](BView* self, BRect) {
        self->SetHighColor(color);
        self->FillRect(self->Bounds());
    };
    return view;
}

} // namespace

// MARK: Update cycle

TEST(ViewUpdate, DrawsTheViewInWindowPixels)
{
    TestWindow test;
    test.Add(filled_view(BRect(10, 10, 19, 19), kBlack));
    test.ShowAndWait();
    EXPECT_RGB(test.Pixel(10, 10), kBlack);
    EXPECT_RGB(test.Pixel(19, 19), kBlack);
    EXPECT_RGB(test.Pixel(9, 10), kWhite);
    EXPECT_RGB(test.Pixel(20, 19), kWhite);
}

TEST(ViewUpdate, ManyInvalidationsMakeOneDrawPerPass)
{
    TestWindow test;
    ProbeView* view = test.Add(new ProbeView(BRect(0, 0, 99, 99), "view"));
    test.ShowAndWait();
    int before = view->draws;
    test.Locked([&] {
        for (int i = 0; i < 50; i++)
            view->Invalidate(BRect(i, 2 * i, i + 1, 2 * i + 1));
    });
    EXPECT_EQ(view->draws, before + 1);
    EXPECT_EQ(view->updates.back(), BRect(0, 0, 50, 99));
}

TEST(ViewUpdate, ChildrenOutsideTheUpdateAreSkipped)
{
    TestWindow test;
    ProbeView* left = test.Add(new ProbeView(BRect(0, 0, 49, 49), "left"));
    ProbeView* right = test.Add(new ProbeView(BRect(100, 0, 149, 49), "right"));
    test.ShowAndWait();
    int leftDraws = left->draws, rightDraws = right->draws;
    test.Locked([&] { left->Invalidate(); });
    EXPECT_EQ(left->draws, leftDraws + 1);
    EXPECT_EQ(right->draws, rightDraws);
}

TEST(ViewUpdate, ClippedToTheViewAndItsParents)
{
    TestWindow test;
    ProbeView* parent = test.Add(new ProbeView(BRect(10, 10, 59, 59), "parent"));
    parent->SetViewColor(kRed);
    // The child reaches beyond its parent and draws far beyond itself.
    auto* child = new ProbeView(BRect(30, 30, 79, 79), "child");
    child->onDraw = [](BView* self, BRect) { self->FillRect(BRect(-100, -100, 500, 500)); };
    parent->AddChild(child);
    test.ShowAndWait();
    EXPECT_RGB(test.Pixel(39, 39), kRed);   // parent, outside the child
    EXPECT_RGB(test.Pixel(40, 40), kBlack); // child at parent (30, 30)
    EXPECT_RGB(test.Pixel(59, 59), kBlack); // last pixel of the parent
    EXPECT_RGB(test.Pixel(60, 60), kWhite); // child beyond the parent: clipped
    EXPECT_RGB(test.Pixel(5, 5), kWhite);
}

TEST(ViewUpdate, ChildrenDrawOverParentsAndTransparentViewsShowWhatIsUnder)
{
    TestWindow test;
    ProbeView* parent = test.Add(filled_view(BRect(0, 0, 99, 99), kRed, "parent"));
    auto* opaque = new ProbeView(BRect(0, 0, 9, 9), "opaque");
    opaque->SetViewColor(kGreen);
    auto* clear = new ProbeView(BRect(20, 0, 29, 9), "clear");
    clear->SetViewColor(B_TRANSPARENT_COLOR);
    parent->AddChild(opaque);
    parent->AddChild(clear);
    test.ShowAndWait();
    EXPECT_RGB(test.Pixel(5, 5), kGreen);
    EXPECT_RGB(test.Pixel(25, 5), kRed);
    // Redrawing only the transparent child still shows the parent under it.
    test.Locked([&] { clear->Invalidate(); });
    EXPECT_RGB(test.Pixel(25, 5), kRed);
}

TEST(ViewUpdate, DrawingOutsideDrawAppearsAfterFlush)
{
    TestWindow test;
    ProbeView* view = test.Add(new ProbeView(BRect(0, 0, 99, 99), "view"));
    view->onMouseDown = [](BView* self, BPoint where) {
        self->SetHighColor(kRed);
        self->FillRect(BRect(where, where + BPoint(4, 4)));
        self->Flush();
    };
    test.ShowAndWait();
    test.driver.Click(test.window, BPoint(20, 30));
    test.driver.WaitForIdle();
    EXPECT_RGB(test.Pixel(20, 30), kRed);
    EXPECT_RGB(test.Pixel(24, 34), kRed);
    EXPECT_RGB(test.Pixel(25, 35), kWhite);
}

TEST(ViewUpdate, HiddenViewsAreNotDrawnAndLeaveTheirParentBehind)
{
    TestWindow test;
    ProbeView* view = test.Add(filled_view(BRect(0, 0, 9, 9), kBlack));
    test.ShowAndWait();
    EXPECT_RGB(test.Pixel(5, 5), kBlack);
    test.Locked([&] { view->Hide(); });
    EXPECT_RGB(test.Pixel(5, 5), kWhite);
    EXPECT_TRUE(view->IsHidden());
    test.Locked([&] { view->Show(); });
    EXPECT_RGB(test.Pixel(5, 5), kBlack);
}

TEST(ViewUpdate, ScrollingMovesTheContent)
{
    TestWindow test;
    ProbeView* view = test.Add(new ProbeView(BRect(10, 10, 59, 59), "view"));
    view->onDraw = [](BView* self, BRect) { self->FillRect(BRect(20, 0, 29, 9)); };
    test.ShowAndWait();
    EXPECT_RGB(test.Pixel(30, 10), kBlack);
    test.Locked([&] { view->ScrollBy(20, 0); });
    EXPECT_EQ(view->Bounds(), BRect(20, 0, 69, 49));
    EXPECT_RGB(test.Pixel(10, 10), kBlack);
    EXPECT_RGB(test.Pixel(30, 10), kWhite);
}

TEST(ViewUpdate, ViewBitmapIsDrawnUnderTheView)
{
    BBitmap picture(BRect(0, 0, 1, 1), B_RGB32);
    auto* bits = static_cast<uint32*>(picture.Bits());
    std::fill(bits, bits + 4, 0xff0000ffu); // blue
    TestWindow test;
    ProbeView* view = test.Add(new ProbeView(BRect(0, 0, 9, 9), "view"));
    view->SetViewBitmap(&picture, picture.Bounds(), BRect(2, 2, 3, 3), B_FOLLOW_NONE, 0);
    test.ShowAndWait();
    EXPECT_RGB(test.Pixel(2, 2), (rgb_color{0, 0, 255, 255}));
    EXPECT_RGB(test.Pixel(4, 4), kWhite);
}

// MARK: Geometry

TEST(ViewGeometry, ChildrenFollowTheirResizingModes)
{
    struct Case
    {
        uint32 mode;
        BRect expected;
    } cases[] = {
        {B_FOLLOW_NONE, BRect(10, 10, 29, 29)},
        {B_FOLLOW_LEFT | B_FOLLOW_TOP, BRect(10, 10, 29, 29)},
        {B_FOLLOW_RIGHT | B_FOLLOW_TOP, BRect(50, 10, 69, 29)},
        {B_FOLLOW_LEFT | B_FOLLOW_BOTTOM, BRect(10, 30, 29, 49)},
        {B_FOLLOW_ALL_SIDES, BRect(10, 10, 69, 49)},
        {B_FOLLOW_LEFT_RIGHT | B_FOLLOW_TOP, BRect(10, 10, 69, 29)},
        {B_FOLLOW_LEFT | B_FOLLOW_TOP_BOTTOM, BRect(10, 10, 29, 49)},
        {B_FOLLOW_H_CENTER | B_FOLLOW_V_CENTER, BRect(30, 20, 49, 39)},
    };
    for (const Case& test : cases) {
        BView parent(BRect(0, 0, 99, 99), "parent", B_FOLLOW_NONE, 0);
        auto* child = new BView(BRect(10, 10, 29, 29), "child", test.mode, 0);
        parent.AddChild(child);
        parent.ResizeBy(40, 20);
        EXPECT_EQ(child->Frame(), test.expected) << std::hex << test.mode;
    }
}

TEST(ViewGeometry, ResizingPropagatesThroughGenerations)
{
    BView parent(BRect(0, 0, 99, 99), "parent", B_FOLLOW_NONE, 0);
    auto* middle = new BView(BRect(0, 0, 99, 99), "middle", B_FOLLOW_ALL_SIDES, 0);
    auto* leaf = new BView(BRect(80, 0, 99, 9), "leaf", B_FOLLOW_RIGHT | B_FOLLOW_TOP, 0);
    parent.AddChild(middle);
    middle->AddChild(leaf);
    parent.ResizeTo(149, 99);
    EXPECT_EQ(middle->Frame(), BRect(0, 0, 149, 99));
    EXPECT_EQ(leaf->Frame(), BRect(130, 0, 149, 9));
}

TEST(ViewGeometry, CoordinatesConvertBetweenViewParentWindowAndScreen)
{
    TestWindow test("coords", BRect(100, 50, 399, 249));
    auto* outer = test.Add(new ProbeView(BRect(10, 20, 209, 179), "outer"));
    auto* inner = new ProbeView(BRect(5, 6, 54, 55), "inner");
    outer->AddChild(inner);
    EXPECT_EQ(inner->Parent(), outer);
    EXPECT_EQ(outer->Parent(), nullptr); // added to the window itself
    EXPECT_EQ(inner->ConvertToParent(BPoint(1, 2)), BPoint(6, 8));
    EXPECT_EQ(inner->ConvertFromParent(BPoint(6, 8)), BPoint(1, 2));
    EXPECT_EQ(inner->ConvertToScreen(BPoint(1, 2)), BPoint(116, 78));
    EXPECT_EQ(inner->ConvertFromScreen(BPoint(116, 78)), BPoint(1, 2));
    EXPECT_EQ(inner->ConvertToScreen(BRect(0, 0, 9, 9)), BRect(115, 76, 124, 85));
    outer->ScrollTo(BPoint(0, 10));
    EXPECT_EQ(inner->ConvertToScreen(BPoint(1, 2)), BPoint(116, 68));
}

TEST(ViewGeometry, TreeQueries)
{
    TestWindow test;
    auto* a = test.Add(new ProbeView(BRect(0, 0, 9, 9), "a"));
    auto* b = test.Add(new ProbeView(BRect(0, 0, 9, 9), "b"));
    auto* c = new ProbeView(BRect(0, 0, 9, 9), "c");
    b->AddChild(c);
    auto* first = new ProbeView(BRect(0, 0, 9, 9), "first");
    test.window->AddChild(first, a);
    EXPECT_EQ(test.window->CountChildren(), 3);
    EXPECT_EQ(test.window->ChildAt(0), first);
    EXPECT_EQ(test.window->FindView("c"), c);
    EXPECT_EQ(a->NextSibling(), b);
    EXPECT_EQ(a->PreviousSibling(), first);
    EXPECT_EQ(c->Window(), test.window);
    EXPECT_TRUE(b->RemoveChild(c));
    EXPECT_EQ(c->Window(), nullptr);
    EXPECT_EQ(test.window->FindView("c"), nullptr);
    delete c;
}

TEST(ViewGeometry, FramesStayOnWholePixels)
{
    BView view(BRect(10.4f, 10.6f, 20.2f, 30.5f), "view", B_FOLLOW_NONE, 0);
    EXPECT_EQ(view.Frame(), BRect(10, 11, 20, 31));
    view.MoveTo(3.7f, 4.2f);
    EXPECT_EQ(view.Frame().LeftTop(), BPoint(4, 4));
}

// MARK: Drawing state

TEST(ViewState, PushAndPopRestoreTheState)
{
    BView view(BRect(0, 0, 9, 9), "view", B_FOLLOW_NONE, 0);
    view.SetHighColor(kRed);
    view.SetDrawingMode(B_OP_BLEND);
    view.SetFontSize(20);
    view.PushState();
    view.SetHighColor(kGreen);
    view.SetDrawingMode(B_OP_COPY);
    view.SetFontSize(9);
    view.SetPenSize(3);
    view.PopState();
    EXPECT_EQ(view.HighColor(), kRed);
    EXPECT_EQ(view.DrawingMode(), B_OP_BLEND);
    BFont font;
    view.GetFont(&font);
    EXPECT_EQ(font.Size(), 20);
    EXPECT_EQ(view.PenSize(), 1);
}

TEST(ViewState, GuardRestoresOnEveryWayOutAndNests)
{
    BView view(BRect(0, 0, 9, 9), "view", B_FOLLOW_NONE, 0);
    view.SetHighColor(kRed);
    auto drawAndLeaveEarly = [&](bool early) {
        BStateGuard outer(&view);
        view.SetHighColor(kGreen);
        {
            BStateGuard inner(&view);
            view.SetDrawingMode(B_OP_BLEND);
        }
        EXPECT_EQ(view.DrawingMode(), B_OP_COPY);
        EXPECT_EQ(view.HighColor(), kGreen);
        if (early)
            return;
        view.SetPenSize(4);
    };
    for (bool early : {true, false}) {
        drawAndLeaveEarly(early);
        EXPECT_EQ(view.HighColor(), kRed);
        EXPECT_EQ(view.PenSize(), 1);
    }
}

#ifndef NDEBUG
TEST(ViewStateDeathTest, UnbalancedPopStateStops)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    BView view(BRect(0, 0, 9, 9), "view", B_FOLLOW_NONE, 0);
    EXPECT_DEATH(view.PopState(), "PopState");
}
#endif

TEST(ViewState, PenMovesWithLinesAndText)
{
    TestWindow test;
    auto* view = test.Add(new ProbeView(BRect(0, 0, 99, 99), "view"));
    view->MovePenTo(5, 5);
    view->StrokeLine(BPoint(20, 5));
    EXPECT_EQ(view->PenLocation(), BPoint(20, 5));
    view->DrawString("abc", BPoint(10, 50));
    EXPECT_FLOAT_EQ(view->PenLocation().x, 10 + view->StringWidth("abc"));
    EXPECT_FLOAT_EQ(view->PenLocation().y, 50);
}

TEST(ViewState, BlendModeOnAView)
{
    TestWindow test;
    auto* view = test.Add(new ProbeView(BRect(0, 0, 99, 99), "view"));
    view->SetViewColor(rgb_color{100, 100, 100, 255});
    view->onDraw = [](BView* self, BRect) {
        self->SetDrawingMode(B_OP_BLEND);
        self->SetHighColor(rgb_color{201, 0, 255, 255});
        self->FillRect(BRect(0, 0, 9, 9));
        self->SetDrawingMode(B_OP_COPY);
    };
    test.ShowAndWait();
    EXPECT_RGB(test.Pixel(0, 0), (rgb_color{150, 50, 177, 255}));
    EXPECT_RGB(test.Pixel(10, 10), (rgb_color{100, 100, 100, 255}));
}
