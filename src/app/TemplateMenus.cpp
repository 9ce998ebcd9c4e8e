#include "app/TemplateMenus.h"

#include <string>
#include <vector>

#include "app/AppLock.h"
#include "app/Globals.h"
#include "app/Paths.h"
#include "kit/app/Application.h"
#include "kit/app/Message.h"
#include "kit/interface/MenuBar.h"
#include "kit/interface/MenuItem.h"

void GScan4Templates(BMenu* menu, const char* ext, uint32 code)
{
    if (menu == nullptr || ext == nullptr || code == 0)
        return;
    std::string folder = BuildPath(path2app, kTemplatesFolder);
    BMessage itemMessage(code);
    itemMessage.AddString("fname", "----");

    {
        AppLock lock;
        for (int32 i = menu->CountItems() - 1; i >= 0; i--)
            delete menu->RemoveItem(i);
    }
    if (std::string(ext) == ".nix")
        return;

    std::vector<std::string> names;
    SortVerz(names, folder.c_str(), ext, true);
    AppLock lock;
    for (const std::string& name : names) {
        auto* message = new BMessage(itemMessage);
        message->ReplaceString("fname", name.c_str());
        auto* item = new BMenuItem(name.c_str(), message);
        if (be_app != nullptr)
            item->SetTarget(be_app);
        menu->AddItem(item);
    }
}

void SetItemTo(BMenuBar* bar, uint32 code, const char* label, bool enabled)
{
    if (bar == nullptr)
        return;
    BMenuItem* item = nullptr;
    if (label != nullptr)
        item = bar->FindItem(label);
    // As written: a code replaces what the label found, even with nothing.
    if (code != 0)
        item = bar->FindItem(code);
    if (item != nullptr)
        item->SetEnabled(enabled);
}
