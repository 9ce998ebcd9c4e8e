// The SDL backend without a display: no backend, no crash, and a clear word
// for the program to exit with. Needs no display, which is the point.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "kit/app/Application.h"
#include "kit/display/DisplayBackend.h"
#include "kit/display/SdlBackend.h"

namespace {

// Puts an environment variable back when the test ends.
class EnvOverride
{
public:
    explicit EnvOverride(const char* name) : fName(name)
    {
        if (const char* value = std::getenv(name))
            fOld = value, fHad = true;
        unsetenv(name);
    }
    ~EnvOverride()
    {
        if (fHad)
            setenv(fName, fOld.c_str(), 1);
        else
            unsetenv(fName);
    }

private:
    const char* fName;
    std::string fOld;
    bool fHad = false;
};

} // namespace

TEST(SdlBackend, WithoutADisplayThereIsNoBackendAndTheProgramIsTold)
{
    EnvOverride display("DISPLAY");
    EnvOverride wayland("WAYLAND_DISPLAY");
    EnvOverride driver("SDL_VIDEODRIVER");
    EnvOverride backendName("VANTREL_BACKEND");

    EXPECT_EQ(DisplayBackend::Create("sdl"), nullptr);
    EXPECT_EQ(DisplayBackend::Create("no such backend"), nullptr);
    // Trying again after a failure is as safe as the first time.
    EXPECT_EQ(DisplayBackend::Create("sdl"), nullptr);

    DisplayBackend* before = DisplayBackend::Default();
    testing::internal::CaptureStderr();
    EXPECT_EQ(InstallDisplayBackend(nullptr), nullptr);
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("no display available (DISPLAY is not set)"), std::string::npos) << said;
    EXPECT_EQ(DisplayBackend::Default(), before);
    EXPECT_EQ(BApplication::CurrentDisplayPump(), nullptr);
}

TEST(SdlBackend, SdlsInvisibleDriversDoNotCountAsADisplay)
{
    EnvOverride display("DISPLAY");
    EnvOverride wayland("WAYLAND_DISPLAY");
    EnvOverride driver("SDL_VIDEODRIVER");
    for (const char* name : {"dummy", "offscreen"}) {
        setenv("SDL_VIDEODRIVER", name, 1);
        std::string whyNot;
        EXPECT_EQ(SdlBackend::Open(&whyNot), nullptr) << name;
        EXPECT_EQ(whyNot, "DISPLAY is not set") << name;
    }
}
