#include "kit/interface/PopUpMenu.h"

#include "kit/app/Application.h"
#include "kit/app/OS.h"
#include "kit/interface/MenuTracking.h"
#include "kit/interface/ModalWait.h"

using BPrivate::MenuTracking;

BPopUpMenu::BPopUpMenu(const char* name, bool radioMode, bool labelFromMarked, menu_layout layout)
    : BMenu(name, layout)
{
    SetRadioMode(radioMode);
    if (labelFromMarked)
        SetLabelFromMarked(true);
}

BPopUpMenu::~BPopUpMenu() = default;

BMenuItem* BPopUpMenu::Go(BPoint screenWhere, bool deliversMessage, bool, bool async)
{
    if (!_DefaultTarget().IsValid()) {
        BLooper* looper = BLooper::LooperForThread(find_thread(nullptr));
        if (looper == nullptr)
            looper = be_app;
        if (looper != nullptr)
            _SetDefaultTarget(BMessenger(looper));
    }

    BPrivate::MenuOpening opening;
    opening.root = this;
    opening.where = screenWhere;
    opening.deliver = deliversMessage;
    if (async) {
        opening.autoDestruct = fAutoDestruct;
        MenuTracking::Default().Open(opening);
        return nullptr;
    }

    auto result = std::make_shared<BPrivate::MenuResult>();
    opening.result = result;
    MenuTracking::Default().Open(opening);
    result->wait.Wait();
    return result->item;
}
