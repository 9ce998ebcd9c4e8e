#include "planner/PlanLock.h"

#include "data/Order.h"
#include "data/STOrder.h"
#include "data/STWorker.h"

PlanLock::PlanLock() : fOrders(STOrder::Existing()), fWorkers(STWorker::Existing())
{
    // The application thread's commands take them in this order too.
    if (fOrders != nullptr)
        fOrders->Lock().Lock();
    if (fWorkers != nullptr)
        fWorkers->Lock().Lock();
}

PlanLock::~PlanLock()
{
    if (fWorkers != nullptr)
        fWorkers->Lock().Unlock();
    if (fOrders != nullptr)
        fOrders->Lock().Unlock();
}

Order* PlanLock::OrderWithID(int32 id)
{
    if (fOrders == nullptr)
        return nullptr;
    if (fIndexed) {
        auto found = fByID.find(id);
        return found != fByID.end() ? found->second : nullptr;
    }
    return fOrders->GetOrderWithID(id);
}

Worker* PlanLock::WorkerWithID(int32 id) const
{
    return fWorkers != nullptr ? fWorkers->GetWorkerWithID(id) : nullptr;
}

const std::unordered_map<int32, Order*>& PlanLock::OrdersByID()
{
    if (!fIndexed && fOrders != nullptr) {
        for (int32 i = 0; i <= fOrders->GetOMax(); i++) {
            if (Order* order = fOrders->GetOrder(i))
                fByID.emplace(order->onr, order);
        }
    }
    fIndexed = true;
    return fByID;
}
