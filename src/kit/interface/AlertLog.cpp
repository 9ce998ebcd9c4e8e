#include "kit/interface/AlertLog.h"

#include <algorithm>
#include <chrono>

namespace BPrivate {

AlertLog& AlertLog::Default()
{
    static AlertLog sLog;
    return sLog;
}

void AlertLog::Opened(const AlertRecord& record)
{
    std::lock_guard lock(fLock);
    fRecords.push_back(record);
    fChanged.notify_all();
}

void AlertLog::Answered(BWindow* window, int32 button)
{
    std::lock_guard lock(fLock);
    for (AlertRecord& record : fRecords) {
        if (record.window == window && record.open) {
            record.open = false;
            record.answer = button;
        }
    }
    fChanged.notify_all();
}

std::vector<AlertRecord> AlertLog::Records() const
{
    std::lock_guard lock(fLock);
    return fRecords;
}

void AlertLog::Clear()
{
    std::lock_guard lock(fLock);
    std::erase_if(fRecords, [](const AlertRecord& record) { return !record.open; });
}

bool AlertLog::WaitForOpen(bigtime_t timeout)
{
    std::unique_lock lock(fLock);
    return fChanged.wait_for(lock, std::chrono::microseconds(timeout), [this] {
        return std::any_of(fRecords.begin(), fRecords.end(),
                           [](const AlertRecord& record) { return record.open; });
    });
}

} // namespace BPrivate
