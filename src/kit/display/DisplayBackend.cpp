#include "kit/display/DisplayBackend.h"

#include <atomic>
#include <cstring>
#include <mutex>

#include "kit/display/HeadlessBackend.h"

namespace {
std::atomic<DisplayBackend*> sDefault{nullptr};
std::mutex sDefaultLock;
} // namespace

DisplayBackend::~DisplayBackend() = default;

std::unique_ptr<DisplayBackend> DisplayBackend::Create(const char* name)
{
    if (name != nullptr && std::strcmp(name, "headless") == 0)
        return std::make_unique<HeadlessBackend>();
    // The SDL backend is not built yet.
    return nullptr;
}

DisplayBackend* DisplayBackend::Default()
{
    if (DisplayBackend* backend = sDefault.load(std::memory_order_acquire))
        return backend;
    std::lock_guard lock(sDefaultLock);
    if (sDefault.load() == nullptr)
        sDefault.store(new HeadlessBackend, std::memory_order_release);
    return sDefault.load();
}

void DisplayBackend::SetDefault(DisplayBackend* backend)
{
    std::lock_guard lock(sDefaultLock);
    sDefault.store(backend, std::memory_order_release);
}
