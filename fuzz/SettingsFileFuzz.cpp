// Arbitrary bytes as the settings file and as the colour file: reading
// never fails loudly, and what is read stays within the documented bounds.
#include <stdlib.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "app/Settings.h"

namespace {

const std::string& SettingsFolderForFuzzing()
{
    static const std::string folder = [] {
        setenv("XDG_CONFIG_HOME", (FuzzProgramFolder() + "/config").c_str(), 1);
        return SettingsFolder();
    }();
    return folder;
}

void CheckBounds()
{
    const int32 prev = PrevTime;
    if (htm_form.size() > kHtmFormMax || UserSNAP_IMG.size() > kSnapNameMax ||
        htm_form.find('\0') != std::string::npos || DaStMode < 0 || DaStMode > 3 ||
        (prev != 1 && prev != 2 && prev != 3 && prev != 6 && prev != 12 && prev != 24))
        abort();
    for (float value : {WWin_X, WWin_Y, OWin_X, OWin_Y, CWin_X, CWin_Y, CWin_W, CWin_H}) {
        if (!std::isfinite(value))
            abort();
    }
    if (CWin_W < 1 || CWin_H < 1)
        abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string& folder = SettingsFolderForFuzzing();
    ResetSettings();
    WriteFuzzFile(folder, "VTZ_settings", data, size);
    Getsettings();
    CheckBounds();
    // A short colour file is rewritten with a synced save; that path is left
    // to the tests so that runs stay fast.
    if (size >= 4 * kColorSlots) {
        WriteFuzzFile(folder, "vtz.colors", data, size);
        if (!GetColors())
            abort();
    }
    return 0;
}
