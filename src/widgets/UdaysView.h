// The off-day card's view: a worker's off-days ("Urlaub").
#pragma once

#include "widgets/WorkerDaysView.h"

class UdaysView : public WorkerDaysView
{
public:
    explicit UdaysView(BRect frame);

    virtual void AddSelUDays() { AddSelDays(); }
    virtual void DelSelUDays() { DelSelDays(); }
    virtual void UdaysFromWorker(int32 id) { DaysFromWorker(id); }
};
