// The report settings card on the built-in report form.
#include "Gallery.h"
#include "widgets/HtmSetView.h"

namespace {

void fill_report_settings(BView* area)
{
    area->AddChild(new HtmSetView(BRect(0, 0, 319, 149)));
}

GallerySection sReport(40, "Report settings", 320, 150, fill_report_settings);

} // namespace
