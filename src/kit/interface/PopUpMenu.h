// A menu opened at a point of the screen, usually under the pointer.
#pragma once

#include "kit/interface/Menu.h"

class BPopUpMenu : public BMenu
{
public:
    explicit BPopUpMenu(const char* name, bool radioMode = true, bool labelFromMarked = true,
                        menu_layout layout = B_ITEMS_IN_COLUMN);
    ~BPopUpMenu() override;

    // Opens the menu with its left top at screenWhere.
    //
    // Synchronous (async false): blocks the calling thread until the user
    // chooses an item or closes the menu and returns the item or null. The
    // item's message is sent only with deliversMessage. A window thread may
    // call it: see ModalWait.h for what that window does meanwhile.
    //
    // Asynchronous: returns null at once; a chosen item sends its message
    // (with deliversMessage) and, with SetAsyncAutoDestruct(true), the menu
    // deletes itself once it has closed.
    //
    // Items without a target send to the looper of the calling thread, else
    // be_app. openAnyway is accepted for the platform's signature: the menu
    // always opens, even when empty.
    BMenuItem* Go(BPoint screenWhere, bool deliversMessage = false, bool openAnyway = false,
                  bool async = false);

    void SetAsyncAutoDestruct(bool on) { fAutoDestruct = on; }
    bool AsyncAutoDestruct() const { return fAutoDestruct; }

private:
    bool fAutoDestruct = false;
};
