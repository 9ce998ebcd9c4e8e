#include "widgets/ViewHelpers.h"

#include <array>
#include <cstdio>

#include "app/ColorHelpers.h"
#include "app/Settings.h"
#include "kit/app/Application.h"
#include "kit/app/Looper.h"
#include "kit/app/Messenger.h"
#include "kit/app/OS.h"
#include "kit/interface/Alert.h"
#include "kit/interface/Box.h"
#include "kit/interface/CheckBox.h"
#include "kit/interface/Cursor.h"
#include "kit/interface/Font.h"
#include "kit/interface/ListView.h"
#include "kit/interface/ScrollBar.h"
#include "kit/interface/ScrollView.h"
#include "kit/interface/StringView.h"
#include "kit/interface/TextControl.h"
#include "kit/interface/View.h"

// MARK: Transparent children

namespace {

constexpr rgb_color kListColor = {127, 246, 237, 255};

void keep_only_drawing_flag(BView* view)
{
    view->SetFlags((view->Flags() & B_WILL_DRAW) | B_FRAME_EVENTS);
}

void set_bold_font(BView* view, const BFont* font)
{
    BFont bold(font != nullptr ? font : be_plain_font);
    bold.SetFace(B_BOLD_FACE);
    bold.SetSize(FO_SIZE);
    view->SetFont(&bold, B_FONT_SIZE | B_FONT_FACE);
}

// The program's own views join this chain, ahead of the kit classes they
// derive from, once they exist:
//   date field (clView): view and low colour := tint_color(color, 0.75);
//   order knob mover: only prints "MoverView* movitem dedect\n".
void make_readable(BView* child, [[maybe_unused]] rgb_color color, const BFont* font, int32 flag)
{
    if (auto* box = dynamic_cast<BBox*>(child)) {
        box->SetViewColor(flag != 0 ? kListColor : B_TRANSPARENT_COLOR);
        printf("BBox dedect %s\n", box->Label() != nullptr ? box->Label() : "");
    } else if (dynamic_cast<BCheckBox*>(child) != nullptr ||
               dynamic_cast<BStringView*>(child) != nullptr) {
        child->SetViewColor(B_TRANSPARENT_COLOR);
        set_bold_font(child, font);
    } else if (dynamic_cast<BTextControl*>(child) != nullptr) {
        child->SetViewColor(B_TRANSPARENT_COLOR);
    } else if (dynamic_cast<BScrollView*>(child) != nullptr) {
        child->SetViewColor(kListColor);
        printf("BScrollView dedect\n");
    } else if (dynamic_cast<BListView*>(child) != nullptr) {
        child->SetViewColor(kListColor);
        keep_only_drawing_flag(child);
        printf("BListView dedect\n");
    } else if (dynamic_cast<BScrollBar*>(child) != nullptr) {
        child->SetViewColor(kListColor);
        keep_only_drawing_flag(child);
        printf("BScrollBar dedect\n");
    }
}

// Lists and bars sit inside scroll views and boxes, so the whole tree is
// visited, children last to first as on the platform.
void make_children_readable(BView* view, rgb_color color, const BFont* font, int32 flag)
{
    for (int32 i = view->CountChildren() - 1; i >= 0; i--) {
        BView* child = view->ChildAt(i);
        if (child == nullptr)
            continue;
        make_readable(child, color, font, flag);
        make_children_readable(child, color, font, flag);
    }
}

} // namespace

void Childs2Transparent(BView* view, rgb_color color, const BFont* font, int32 flag)
{
    if (view != nullptr) {
        make_children_readable(view, color, font, flag);
        view->Invalidate();
    }
    printf("\nund weiter \n");
}
