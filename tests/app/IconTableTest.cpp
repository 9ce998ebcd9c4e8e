// The shipped icons: every name of the icon table has a readable picture at
// both sizes, drawn (not empty), with a transparent surround, and the path
// function finds the copy beside the built program.
#include "app/IconTable.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/Globals.h"
#include "kit/interface/Bitmap.h"
#include "kit/translation/TranslationUtils.h"

namespace {

std::vector<std::string> AllIcons()
{
    std::vector<std::string> names(kIconTable.begin(), kIconTable.end());
    names.push_back(kBookmarkIcon);
    return names;
}

struct Coverage
{
    int opaque = 0;
    int transparentCorners = 0;
};

Coverage Measure(const BBitmap& bitmap)
{
    Coverage coverage;
    const int width = bitmap.Bounds().IntegerWidth() + 1;
    const int height = bitmap.Bounds().IntegerHeight() + 1;
    const auto* bits = static_cast<const uint8*>(bitmap.Bits());
    auto alpha = [&](int x, int y) { return bits[y * bitmap.BytesPerRow() + x * 4 + 3]; };
    for (int y = 0; y < height; y++) {
        for (int x = 0; x < width; x++)
            coverage.opaque += alpha(x, y) > 200;
    }
    for (auto [x, y] : {std::pair{0, 0}, {width - 1, 0}, {0, height - 1}, {width - 1, height - 1}})
        coverage.transparentCorners += alpha(x, y) == 0;
    return coverage;
}

} // namespace

TEST(IconTable, EveryIconIsShippedAtBothSizes)
{
    const std::string folder = std::string(VANTREL_SOURCE_DIR) + "/resources/icons/";
    for (const std::string& name : AllIcons()) {
        for (auto [suffix, size] : {std::pair{"", 32}, {"-16", 16}}) {
            SCOPED_TRACE(name + suffix);
            std::unique_ptr<BBitmap> bitmap(
                BTranslationUtils::GetBitmap((folder + name + suffix + ".png").c_str()));
            ASSERT_NE(bitmap, nullptr);
            EXPECT_EQ(bitmap->ColorSpace(), B_RGBA32);
            EXPECT_EQ(bitmap->Bounds(), BRect(0, 0, size - 1, size - 1));
            // A picture, not a blank or a filled square: a good part is
            // drawn and the background around it stays see-through.
            Coverage coverage = Measure(*bitmap);
            EXPECT_GT(coverage.opaque, size * size / 6);
            EXPECT_LT(coverage.opaque, size * size * 9 / 10);
            EXPECT_GE(coverage.transparentCorners, 2);
        }
    }
}

TEST(IconTable, NamesByIndexAndPathsBesideTheProgram)
{
    EXPECT_STREQ(IconName(0), "Wko");
    EXPECT_STREQ(IconName(8), "TeaCup");
    EXPECT_STREQ(IconName(11), "snaps");
    EXPECT_EQ(IconName(12), nullptr);
    EXPECT_EQ(IconName(-1), nullptr);

    std::string old = path2app;
    path2app = VANTREL_PROGRAM;
    const std::string large = IconPath("Prn");
    const std::string small = IconPath("Prn", IconSize::kSmall);
    path2app = old;
    const std::string program = VANTREL_PROGRAM;
    const std::string folder = program.substr(0, program.rfind('/') + 1) + "icons/";
    EXPECT_EQ(large, folder + "Prn.png");
    EXPECT_EQ(small, folder + "Prn-16.png");
    // The build copies the icons beside the program.
    std::unique_ptr<BBitmap> copied(BTranslationUtils::GetBitmap(large.c_str()));
    EXPECT_NE(copied, nullptr);
}
