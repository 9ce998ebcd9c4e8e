// Template menus filled from the templates folder, and enabling menu items
// by label and command.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/Globals.h"
#include "app/TemplateMenus.h"
#include "kit/app/Message.h"
#include "kit/interface/MenuBar.h"
#include "kit/interface/MenuItem.h"
#include "support/ProgramFolder.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> labels(BMenu& menu)
{
    std::vector<std::string> result;
    for (int32 i = 0; i < menu.CountItems(); i++)
        result.push_back(menu.ItemAt(i)->Label());
    return result;
}

} // namespace

TEST(TemplateMenus, ListsTemplatesSortedWithoutExtension)
{
    ProgramFolder folder;
    for (const char* name : {"B.otp", "a.otp", "C.otp", "x.txt", ".otp"})
        folder.Write(std::string("templates/") + name, "; ---\n");
    fs::create_directory(folder.Root() / "templates" / "d.otp");

    BMenu menu("templates");
    menu.AddItem(new BMenuItem("old", nullptr));
    GScan4Templates(&menu, ".otp", 'O+TF');
    ASSERT_EQ(labels(menu), (std::vector<std::string>{"a", "B", "C"}));
    for (int32 i = 0; i < menu.CountItems(); i++) {
        BMessage* message = menu.ItemAt(i)->Message();
        ASSERT_NE(message, nullptr);
        EXPECT_EQ(message->what, uint32('O+TF'));
        EXPECT_STREQ(message->GetString("fname", ""), menu.ItemAt(i)->Label());
    }

    GScan4Templates(&menu, ".nix", 'O+TF');
    EXPECT_EQ(menu.CountItems(), 0);
    menu.AddItem(new BMenuItem("kept", nullptr));
    GScan4Templates(&menu, ".otp", 0);
    GScan4Templates(&menu, nullptr, 'O+TF');
    GScan4Templates(nullptr, ".otp", 'O+TF');
    EXPECT_EQ(labels(menu), (std::vector<std::string>{"kept"})) << "missing arguments: no change";
}

TEST(TemplateMenus, SetItemToFindsByLabelThenByCode)
{
    BMenuBar bar(BRect(0, 0, 99, 19), "bar");
    auto* file = new BMenu("File");
    auto* save = new BMenuItem("Save", new BMessage('S_DA'));
    auto* close = new BMenuItem("Close", new BMessage('X_OW'));
    file->AddItem(save);
    file->AddItem(close);
    bar.AddItem(file);

    SetItemTo(&bar, 0, "Save", false);
    EXPECT_FALSE(save->IsEnabled());
    SetItemTo(&bar, 'X_OW', "Save", false);
    EXPECT_FALSE(close->IsEnabled()) << "the code wins over the label";
    SetItemTo(&bar, 'S_DA', nullptr, true);
    EXPECT_TRUE(save->IsEnabled());
    SetItemTo(&bar, 'NONE', "Close", true);
    EXPECT_FALSE(close->IsEnabled()) << "an unknown code finds nothing, whatever the label";
    SetItemTo(&bar, 0, "missing", true);
    SetItemTo(nullptr, 'S_DA', "Save", false);
    EXPECT_TRUE(save->IsEnabled());
}
