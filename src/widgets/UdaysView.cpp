#include "widgets/UdaysView.h"

UdaysView::UdaysView(BRect frame) : WorkerDaysView(frame, "udays", false) {}
