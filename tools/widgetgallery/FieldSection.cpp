// Value fields edited in place.
#include "Gallery.h"
#include "kit/app/Message.h"
#include "widgets/TIOView.h"

namespace {

void fill_fields(BView* area)
{
    area->AddChild(
        new TIOView(BRect(0, 0, 150, 15), "hours", "Hours:", "8:00", new BMessage('TIOH')));
    area->AddChild(
        new TIOView(BRect(0, 26, 150, 41), "break", "Break:", "0:45", new BMessage('TIOB')));
}

GallerySection sFields(20, "Value fields", 160, 48, fill_fields);

} // namespace
