#include "kit/display/DisplayBackend.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "kit/app/Application.h"
#include "kit/display/HeadlessBackend.h"
#include "kit/display/SdlBackend.h"

namespace {
std::atomic<DisplayBackend*> sDefault{nullptr};
std::mutex sDefaultLock;
} // namespace

DisplayBackend::~DisplayBackend() = default;

std::unique_ptr<DisplayBackend> DisplayBackend::Create(const char* name)
{
    if (name != nullptr && std::strcmp(name, "headless") == 0)
        return std::make_unique<HeadlessBackend>();
    if (name != nullptr && std::strcmp(name, "sdl") == 0)
        return SdlBackend::Open(nullptr);
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

namespace {
std::atomic<DisplayBackend::InputFilter*> sInputFilter{nullptr};
} // namespace

void DisplayBackend::SetInputFilter(InputFilter* filter)
{
    sInputFilter.store(filter, std::memory_order_release);
}

void DisplayBackend::FilterMouseDown(BWindow* window, BPoint where)
{
    if (InputFilter* filter = sInputFilter.load(std::memory_order_acquire))
        filter->MouseDown(window, where);
}

bool DisplayBackend::FilterKeyDown(BWindow* window, const BMessage& key)
{
    InputFilter* filter = sInputFilter.load(std::memory_order_acquire);
    return filter != nullptr && filter->KeyDown(window, key);
}

DisplayBackend* InstallDisplayBackend(const char* preferred)
{
    static std::unique_ptr<DisplayBackend> sInstalled;
    if (sInstalled != nullptr)
        return sInstalled.get();

    const char* name = preferred;
    if (name == nullptr || *name == '\0')
        name = std::getenv("VANTREL_BACKEND");
    if (name == nullptr || *name == '\0')
        name = "sdl";

    std::string whyNot;
    if (std::strcmp(name, "sdl") == 0)
        sInstalled = SdlBackend::Open(&whyNot);
    else
        sInstalled = DisplayBackend::Create(name);
    if (sInstalled == nullptr) {
        if (whyNot.empty())
            whyNot = std::string("unknown display backend \"") + name + "\"";
        std::fprintf(stderr, "vantrel: no display available (%s); %s\n", whyNot.c_str(),
                     "start it in a desktop session or set DISPLAY");
        return nullptr;
    }
    DisplayBackend::SetDefault(sInstalled.get());
    BApplication::SetDisplayPump(sInstalled->Pump());
    return sInstalled.get();
}

static bool is_modal(window_feel feel)
{
    return feel == B_MODAL_APP_WINDOW_FEEL || feel == B_MODAL_SUBSET_WINDOW_FEEL ||
           feel == B_MODAL_ALL_WINDOW_FEEL;
}

bool DisplayBackend::BlocksInput(const NativeWindowSpec& blocker, bool blockerVisible,
                                 int64 blockerOrder, const NativeWindowSpec& target,
                                 int64 targetOrder)
{
    if (!blockerVisible || !is_modal(blocker.feel) || (target.flags & B_AVOID_FOCUS) != 0)
        return false;
    return !is_modal(target.feel) || blockerOrder > targetOrder;
}
