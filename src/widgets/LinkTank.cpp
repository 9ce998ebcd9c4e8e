#include "widgets/LinkTank.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>

#include "app/Bevels.h"
#include "app/Icons.h"
#include "app/MenuIconItem.h"
#include "app/Notices.h"
#include "app/Paths.h"
#include "calendar/TimeValue.h"
#include "data/Order.h"
#include "data/RecordText.h"
#include "data/STOrder.h"
#include "kit/app/Autolock.h"
#include "kit/app/Message.h"
#include "kit/interface/Bitmap.h"
#include "kit/interface/PopUpMenu.h"
#include "kit/interface/SeparatorItem.h"
#include "kit/interface/StateGuard.h"
#include "kit/interface/Window.h"

namespace {

const rgb_color kInk = {10, 10, 10, 255};

// Runs f on the order with that id under the order list's lock; false when
// there is no list or no such order.
template <typename F>
bool with_order(int32 id, F&& f)
{
    if (id < 0)
        return false;
    STOrder* list = STOrder::Existing();
    if (list == nullptr)
        return false;
    BAutolock lock(list->Lock());
    Order* order = list->GetOrderWithID(id);
    if (order == nullptr)
        return false;
    f(*order);
    return true;
}

} // namespace

LinkTank::LinkTank(BRect frame, const char* name, uint32 resizingMode)
    : BView(frame, name, resizingMode, B_WILL_DRAW)
{
    SetViewColor(ui_color(B_MENU_BACKGROUND_COLOR));
    AddToolTip(this, "Drag files on me");
    fBookmark = LoadIcon(kBookmarkIcon, frame.Height() + 1 >= 32 ? 32 : 16);
}

LinkTank::~LinkTank() = default;

std::vector<std::string> LinkTank::Links() const
{
    std::vector<std::string> links;
    with_order(fOrderId, [&](Order& order) { links = order.links; });
    return links;
}

void LinkTank::SetListPointer(int32 orderId)
{
    fOrderId = orderId;
    _Recount();
}

void LinkTank::_Recount()
{
    fCount = int32(Links().size());
    fHasLinks = fCount > 0;
    Invalidate();
}

// MARK: Drawing

void LinkTank::Draw(BRect)
{
    BStateGuard state(this);
    BRect bounds = Bounds();
    rgb_color face = ui_color(B_MENU_BACKGROUND_COLOR);
    SetDrawingMode(B_OP_COPY);
    SetHighColor(face);
    SetLowColor(face);
    FillRect(bounds);
    if (fBookmark != nullptr) {
        BRect picture = fBookmark->Bounds();
        float side = std::min(picture.Width() + 1, bounds.Height() + 1);
        float left = std::floor((bounds.Width() + 1 - side) / 2);
        float top = std::floor((bounds.Height() + 1 - side) / 2);
        SetDrawingMode(B_OP_ALPHA);
        DrawBitmap(fBookmark.get(), picture, BRect(left, top, left + side - 1, top + side - 1));
    }
    if (fHasLinks) {
        SetDrawingMode(B_OP_OVER);
        SetHighColor(kInk);
        std::string count = std::to_string(fCount) + " ";
        DrawString(count.c_str(), BPoint(20, std::ceil(0.74f * (bounds.Height() + 1))));
        BorderMe(this, nullptr, nullptr, B_OP_COPY);
    } else {
        BorderLB(this, nullptr, nullptr, 0);
    }
}

// MARK: Input

void LinkTank::MouseDown(BPoint)
{
    std::vector<std::string> links = Links();
    if (links.empty())
        return;
    int32 buttons = B_PRIMARY_MOUSE_BUTTON;
    if (Window() != nullptr && Window()->CurrentMessage() != nullptr)
        Window()->CurrentMessage()->FindInt32("buttons", &buttons);
    bool remove = (buttons & B_SECONDARY_MOUSE_BUTTON) != 0;

    auto* menu = new BPopUpMenu("sao", false, false);
    auto* heading =
        new BMenuItem(remove ? "       === Remove ===" : "       === Open ===", nullptr);
    heading->SetEnabled(false);
    menu->AddItem(heading);
    menu->AddItem(new BSeparatorItem());
    for (const std::string& link : links) {
        auto* message = new BMessage(kOpen);
        message->AddInt32("_mod", remove ? kModeRemove : kModeOpen);
        message->AddString("link_t", link);
        auto* item = new MenuIconItem(("       " + link).c_str(), message, MenuIconItem::kLinkKind);
        item->SetTarget(this);
        menu->AddItem(item);
    }
    menu->SetAsyncAutoDestruct(true);
    menu->Go(ConvertToScreen(BPoint(8, 8)), true, false, true);
}

void LinkTank::MessageReceived(BMessage* message)
{
    switch (message->what) {
    case B_SIMPLE_DATA:
        return AddDragged(message);
    case kOpen:
        return PleaseOpen(message);
    default:
        printf("LinkTank? '%s'\n", long2asc(message->what).c_str());
        BView::MessageReceived(message);
    }
}

void LinkTank::AddDragged(BMessage* message)
{
    entry_ref ref;
    if (fOrderId < 0 || message == nullptr || message->FindRef("refs", &ref) != B_OK ||
        ref.path.empty())
        return;
    std::error_code error;
    std::string path = std::filesystem::absolute(ref.path, error).lexically_normal().string();
    if (error)
        return;
    // A path the order file cannot hold as it is would come back as
    // another file's name.
    if (RecordText(path, Order::kLinkMax) != path) {
        printf("LinkTank: link not kept '%s'\n", path.c_str());
        return;
    }
    with_order(fOrderId, [&](Order& order) { order.AddLink(path); });
    _Recount();
}

void LinkTank::PleaseOpen(BMessage* message)
{
    if (message == nullptr)
        return;
    const char* path = message->GetString("link_t", "");
    int32 mode = message->GetInt32("_mod", 0);
    printf("[pleaseopen] '%s' _mod:%ld\n", path, long(mode));
    if (mode == kModeOpen && *path != '\0') {
        OpenFileWithTracker(path, 0);
    } else if (mode == kModeRemove) {
        with_order(fOrderId, [&](Order& order) { std::erase(order.links, std::string(path)); });
        _Recount();
    }
}
