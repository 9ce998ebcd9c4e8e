// Hand-made plans for the scheduling tests, in the workshop of
// OrderWorkshop: workers 1 and 2 work 8:00 Monday to Friday, 3 never;
// today is Monday 2002/12/09. Bars are given in grid units (10 pixels):
// jobs with the same right edge run in parallel, a job further left runs
// before the ones right of it.
#pragma once

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

#include "data/Order.h"
#include "data/OrderWorkshop.h"
#include "data/ProzBalken.h"
#include "data/STOrder.h"

struct PlanJob
{
    int32 worker;
    TInt hours;
    int left, right;
    uint8 status = 0;
};

// An order outside the list, checked (and so laid out) from plan.
inline std::unique_ptr<Order> MakeOrder(const char* plan, std::initializer_list<PlanJob> jobs,
                                        int32 status = 1)
{
    auto order = std::make_unique<Order>(false);
    order->ostat = status;
    for (const PlanJob& job : jobs) {
        order->jobs.push_back(
            std::make_unique<ProzBalken>(BRect(job.left * 10, 10, job.right * 10, 30), job.worker,
                                         job.status, job.hours, 0, "-"));
    }
    order->NewOPdl(plan);
    return order;
}

// The order file's lines of one order.
inline std::string PlanOrder(const std::string& name, const std::string& plan, int status,
                             std::initializer_list<PlanJob> jobs)
{
    std::string text = "; ---\n[IT][" + name + "][-][-][2003/06/30][" + plan + "][0][" +
                       std::to_string(status) + "][2]\n";
    for (const PlanJob& job : jobs) {
        text += "[PB][" + std::to_string(job.left) + "][" + std::to_string(job.right) + "][1][3][" +
                std::to_string(job.worker) + "][" + std::to_string(job.status) + "][" +
                TInt2str(job.hours) + "][0][-]\n";
    }
    return text;
}

// Writes the orders as the project's order file and opens the order list.
inline STOrder* OpenPlan(OrderWorkshop& shop, const std::string& orders)
{
    shop.folder.Write("defs/plan.vto", orders + "; ---");
    STOrder* list = nullptr;
    Printed([&] { list = STOrder::getSTOrder(); });
    return list;
}

// "name plan-date" of every order, sorted by name.
inline std::string PlanDates(STOrder* list)
{
    std::vector<std::string> lines;
    for (int32 i = 0; i <= list->GetOMax(); i++)
        lines.push_back(list->GetOrder(i)->oauft + " " + list->GetOrder(i)->opdl);
    std::sort(lines.begin(), lines.end());
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}
