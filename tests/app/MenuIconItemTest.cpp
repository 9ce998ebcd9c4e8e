// Menu items with a picture: the status swatches, the page of a linked
// file, icons given as data, what fails, and the count of live items.
#include "app/MenuIconItem.h"

#include <gtest/gtest.h>

#include <vector>

#include "app/Settings.h"
#include "kit/display/HeadlessDriver.h"
#include "kit/interface/PopUpMenu.h"
#include "support/ProgramFolder.h"

namespace {

int count_pixels(const HeadlessDriver& driver, BWindow* window, BRect area, rgb_color color)
{
    int count = 0;
    for (float y = area.top; y <= area.bottom; y++) {
        for (float x = area.left; x <= area.right; x++) {
            rgb_color pixel = driver.Pixel(window, BPoint(x, y));
            if (pixel.red == color.red && pixel.green == color.green && pixel.blue == color.blue)
                count++;
        }
    }
    return count;
}

BMessage* link_message(const std::string& path)
{
    auto* message = new BMessage('LT_O');
    message->AddString("link_t", path);
    return message;
}

} // namespace

TEST(MenuIconItem, DrawsThePictureOfItsKind)
{
    ProgramFolder folder;
    folder.Write("defs/plan.txt", "plan");
    const rgb_color red = {255, 0, 0, 255};
    std::vector<uint8> redIcon(MenuIconItem::kIconDataSize);
    for (size_t i = 0; i < redIcon.size(); i += 4) {
        redIcon[i + 2] = 255; // B, G, R, A
        redIcon[i + 3] = 255;
    }

    const int32 before = MenuIconItem::mitC;
    HeadlessDriver driver;
    auto* menu = new BPopUpMenu("icons", false, false);
    const int32 kinds[] = {0, 1, 3, 4};
    for (int32 kind : kinds)
        menu->AddItem(new MenuIconItem("  order", new BMessage('OUIx'), kind));
    menu->AddItem(new MenuIconItem("  plan", link_message(folder.Path("defs/plan.txt")), 10));
    menu->AddItem(new MenuIconItem("  gone", link_message(folder.Path("defs/gone.txt")), 10));
    auto* own = new MenuIconItem("  person", new BMessage('L4PE'), -1);
    EXPECT_EQ(own->SetIconData(redIcon.data(), redIcon.size()), B_OK);
    menu->AddItem(own);
    EXPECT_EQ(MenuIconItem::mitC, before + 7);

    menu->Go(BPoint(50, 50), false, false, true);
    driver.WaitForIdle();
    BWindow* window = menu->Window();
    ASSERT_NE(window, nullptr);
    // The picture area: the item's left part, before its label.
    auto frame = [&](int32 i) {
        BRect item = menu->ItemAt(i)->Frame();
        item.right = item.left + 20 + MenuIconItem::kPictureSize + 1;
        return item;
    };

    struct Swatch
    {
        int32 item;
        rgb_color color;
        bool shown;
    };
    const Swatch swatches[] = {{0, AskColor(uc_PRE), true},  {1, AskColor(uc_PRE), false},
                               {1, AskColor(uc_PBc), false}, {1, AskColor(uc_BRE), false},
                               {2, AskColor(uc_PBc), true},  {3, AskColor(uc_BRE), true}};
    for (const Swatch& s : swatches) {
        SCOPED_TRACE(s.item);
        int count = count_pixels(driver, window, frame(s.item), s.color);
        if (s.shown)
            EXPECT_EQ(count, 9 * 9);
        else
            EXPECT_EQ(count, 0);
    }
    // A linked file is a white page; a missing one a grey page.
    EXPECT_GT(count_pixels(driver, window, frame(4), {255, 255, 255, 255}), 40);
    EXPECT_EQ(count_pixels(driver, window, frame(5), {255, 255, 255, 255}), 0);
    EXPECT_GT(count_pixels(driver, window, frame(5), {200, 200, 200, 255}), 40);
    EXPECT_EQ(count_pixels(driver, window, frame(6), red), 16 * 16);

    delete menu->RemoveItem(int32(0));
    EXPECT_EQ(MenuIconItem::mitC, before + 6);
    delete menu;
    driver.WaitForIdle();
    EXPECT_EQ(MenuIconItem::mitC, before);
}

TEST(MenuIconItem, IconsThatCannotBeHadAreReported)
{
    ProgramFolder folder;
    MenuIconItem item("  person", new BMessage('L4PE'), -1);
    std::vector<uint8> small(256);
    testing::internal::CaptureStdout();
    EXPECT_EQ(item.SetIconData(small.data(), small.size()), B_BAD_VALUE);
    EXPECT_EQ(item.SetIconMime("application/x-person"), B_ENTRY_NOT_FOUND);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "icon wrong size \nicon is uninitialized \n");
    EXPECT_FALSE(item.HasIcon());
}
