// The link area of an order of a sample project: one with links, one
// without.
#include "Gallery.h"
#include "app/Globals.h"
#include "app/Paths.h"
#include "data/Order.h"
#include "data/STOrder.h"
#include "kit/app/Autolock.h"
#include "widgets/LinkTank.h"

namespace {

void fill_links(BView* area)
{
    auto* withLinks = new LinkTank(BRect(0, 0, 59, 31), "links");
    auto* empty = new LinkTank(BRect(70, 0, 129, 31), "empty");
    area->AddChild(withLinks);
    area->AddChild(empty);
    STOrder* orders = STOrder::getSTOrder();
    if (orders == nullptr)
        return;
    int32 id = -1;
    {
        BAutolock lock(orders->Lock());
        Order* order = orders->GetOrder(0);
        if (order == nullptr)
            return;
        id = order->onr;
        order->AddLink(BuildPath(path2app, kDefsFolder, "drawing 12.pdf"));
        order->AddLink(BuildPath(path2app, kDefsFolder, "offer; final.txt"));
    }
    withLinks->SetListPointer(id);
}

GallerySection sLinks(30, "Order links", 140, 48, fill_links);

} // namespace
