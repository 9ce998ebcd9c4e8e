#include "data/ChangeMark.h"

ChangeMark& ChangeMark::Orders()
{
    static ChangeMark sOrders;
    return sOrders;
}

ChangeMark& ChangeMark::Workers()
{
    static ChangeMark sWorkers;
    return sWorkers;
}

ChangeMark& ChangeMark::Holidays()
{
    static ChangeMark sHolidays;
    return sHolidays;
}
