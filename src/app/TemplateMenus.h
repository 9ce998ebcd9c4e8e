// Filling the template menus and enabling menu items by label or command.
#pragma once

#include "kit/app/SupportDefs.h"

class BMenu;
class BMenuBar;

// Refills menu with one item per template file (extension ext) of the
// "templates" folder, in case-insensitive order, each labelled with the
// file's base name and sending code with "fname" = that name to the
// application. ".nix" only empties the menu. Nothing happens unless menu,
// ext and code are all given. The application is locked while the menu
// changes, so any window thread may call it.
void GScan4Templates(BMenu* menu, const char* ext, uint32 code);

// Enables or disables the item of bar found by label (when given) and then
// by code (when not 0; that lookup replaces the label's, even when it finds
// nothing), searching the submenus too. Nothing happens without an item.
void SetItemTo(BMenuBar* bar, uint32 code, const char* label, bool enabled);
