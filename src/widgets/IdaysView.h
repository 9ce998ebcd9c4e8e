// The illness card's view: a worker's days of illness ("Krank").
#pragma once

#include "widgets/WorkerDaysView.h"

class IdaysView : public WorkerDaysView
{
public:
    explicit IdaysView(BRect frame);

    virtual void AddSelIDays() { AddSelDays(); }
    virtual void DelSelIDays() { DelSelDays(); }
    virtual void IdaysFromWorker(int32 id) { DaysFromWorker(id); }
};
