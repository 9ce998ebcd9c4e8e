#include "widgets/IdaysView.h"

IdaysView::IdaysView(BRect frame) : WorkerDaysView(frame, "idays", true) {}
