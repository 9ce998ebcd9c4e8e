// Label buttons in their four modes and states, and icon buttons: with a
// picture where "icons" has one, with their text where not, and disabled.
#include "Gallery.h"
#include "app/Icons.h"
#include "kit/app/Message.h"
#include "widgets/XButton.h"
#include "widgets/clView.h"

namespace {

void fill_buttons(BView* area)
{
    const char* modes[] = {"Flash", "Hover", "Label", "Post"};
    for (int32 mode = 0; mode < 4; mode++) {
        float x = 78 * float(mode);
        area->AddChild(
            new clView(BRect(x, 0, x + 72, 17), modes[mode], new BMessage('CL_0' + mode), mode));
    }
    auto* lit = new clView(BRect(0, 24, 72, 41), "Lit", new BMessage('CLLT'), clView::kHover);
    lit->SetSpot(true, false);
    lit->SetDotted(true, false);
    auto* trouble = new clView(BRect(78, 24, 150, 41), "Trouble", new BMessage('CLTR'));
    trouble->SetTrouble(true);
    auto* prefixed = new clView(BRect(156, 24, 306, 41), "2003/02/28", new BMessage('CLDA'));
    prefixed->SetPrevText("from: ", false);
    area->AddChild(lit);
    area->AddChild(trouble);
    area->AddChild(prefixed);

    for (int32 index = 0; index < kIconCount; index++) {
        float x = 54 * float(index % 6), y = 52 + 26 * float(index / 6);
        auto* button = new XButton(BRect(x, y, x + 49, y + 20), IconName(index), IconName(index),
                                   new BMessage('XB00' + index));
        button->SetBitmap(index);
        if (index == 6 || index == 11)
            button->SetEnabled(false);
        area->AddChild(button);
    }
}

GallerySection sButtons(10, "Label and icon buttons", 320, 104, fill_buttons);

} // namespace
