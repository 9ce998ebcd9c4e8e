// The calendar's one way to reach workers, orders and jobs: the order list
// and the worker list, each fetched and locked for one scope, always the
// order list first. Views keep ids and look records up through this each
// time they use them; a record that is gone is null here.
#pragma once

#include <unordered_map>

#include "kit/app/SupportDefs.h"

class Order;
class STOrder;
class STWorker;
class Worker;

class PlanLock
{
public:
    PlanLock();
    ~PlanLock();
    PlanLock(const PlanLock&) = delete;
    PlanLock& operator=(const PlanLock&) = delete;

    // Null while that list is closed.
    STOrder* Orders() const { return fOrders; }
    STWorker* Workers() const { return fWorkers; }

    Order* OrderWithID(int32 id);
    Worker* WorkerWithID(int32 id) const;
    // The orders by id, built on the first call: for views that look up
    // many orders in one scope.
    const std::unordered_map<int32, Order*>& OrdersByID();

private:
    STOrder* fOrders;
    STWorker* fWorkers;
    bool fIndexed = false;
    std::unordered_map<int32, Order*> fByID;
};
