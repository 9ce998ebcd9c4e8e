#include "app/Settings.h"

#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "app/Utf8Text.h"
#include "kit/interface/InterfaceDefs.h"
#include "kit/storage/FindDirectory.h"
#include "kit/storage/Path.h"
#include "kit/storage/SafeSave.h"

std::atomic<int32> prefsdata{kDefaultPrefs};

std::atomic<float> CWin_X, CWin_Y, CWin_W, CWin_H;
std::atomic<float> OWin_X, OWin_Y, OWin_W, OWin_H;
std::atomic<float> WWin_X, WWin_Y, WWin_W, WWin_H;

rgb_color backcolor;
std::atomic<int32> PrevTime{3};
std::atomic<int32> DaStMode{1};

SharedText htm_form;
SharedText UserSNAP_IMG;

static constexpr std::array<rgb_color, kColorSlots> kDefaultColors = {{
    {250, 250, 249, 0},  // OR Preview
    {227, 227, 227, 0},  // OR Open
    {27, 227, 227, 0},   // OR Progress
    {200, 200, 200, 0},  // OR Closed
    {220, 220, 120, 0},  // OR Break
    {216, 216, 216, 0},  // OR Reserve
    {127, 197, 197, 0},  // PB Open
    {180, 180, 180, 0},  // PB Closed
    {250, 60, 60, 0},    // PB Grow
    {24, 20, 240, 0},    // KN Mark
    {250, 163, 163, 0},  // KN Alarm
    {32, 185, 32, 80},   // CL Illness
    {132, 132, 255, 80}, // CL Vacation
    {240, 240, 60, 0},   // CL Holiday
    {10, 10, 10, 0},     // CL Text
    {20, 255, 25, 0},    // CL Mouseover
    {255, 10, 10, 0},    // CL Errors
    {180, 180, 180, 0},  // Reserve 1
}};

// Drawing threads read the slots while the preferences card writes them:
// each slot is one atomic word.
static std::array<std::atomic<uint32>, kColorSlots> sColors;

static uint32 Pack(rgb_color c)
{
    return uint32(c.red) | uint32(c.green) << 8 | uint32(c.blue) << 16 | uint32(c.alpha) << 24;
}

static rgb_color Unpack(uint32 v)
{
    return {uint8(v), uint8(v >> 8), uint8(v >> 16), uint8(v >> 24)};
}

static const bool sColorsReady = [] {
    for (int32 i = 0; i < kColorSlots; i++)
        sColors[i] = Pack(kDefaultColors[i]);
    return true;
}();

rgb_color AskColor(int32 index)
{
    if (index < 1 || index > 17)
        index = 0;
    return Unpack(sColors[index].load(std::memory_order_relaxed));
}

void PokeColor(int32 index, rgb_color color)
{
    if (index < 0 || index > 16)
        index = 17;
    sColors[index].store(Pack(color), std::memory_order_relaxed);
}

void ResetSettings()
{
    prefsdata = kDefaultPrefs;
    CWin_X = 30;
    CWin_Y = 80;
    CWin_W = 600;
    CWin_H = 180;
    OWin_X = 90;
    OWin_Y = 50;
    OWin_W = 440;
    OWin_H = 282;
    WWin_X = 50;
    WWin_Y = 70;
    WWin_W = 330;
    WWin_H = 282;
    backcolor = {216, 216, 216, 0};
    PrevTime = 3;
    DaStMode = 1;
    htm_form = "012734";
    UserSNAP_IMG = "vtsnap.jpg";
    for (int32 i = 0; i < kColorSlots; i++)
        sColors[i] = Pack(kDefaultColors[i]);
}

static const bool sDefaultsReady = [] {
    ResetSettings();
    return sColorsReady;
}();

// MARK: Files

namespace {

constexpr const char* kFolderName = "_LP_x-vnd.KS";
constexpr const char* kSettingsName = "VTZ_settings";
constexpr const char* kColorsName = "vtz.colors";
constexpr std::string_view kStamp = "20030823";

// A settings file is about a hundred bytes; no more than this is ever read,
// so a stored count can never ask for more memory than this.
constexpr size_t kMaxSettingsBytes = 64 * 1024;
constexpr size_t kColorBytes = 4 * kColorSlots;

// X11 coordinates are 16-bit; a window beyond this is lost to the user.
constexpr float kMaxCoordinate = 30000;

// The settings file's fields 2 to 15, read before any global changes.
struct StoredSettings
{
    std::string htmForm;
    float frame[8]; // WWin_X, WWin_Y, OWin_X, OWin_Y, CWin_X, CWin_Y, CWin_W, CWin_H
    rgb_color back;
    int32 prevTime;
    int32 daStMode;
    int32 prefs;
    std::string snapName;
};

bool ReadFile(const std::string& path, size_t limit, std::string& bytes)
{
    FILE* file = fopen(path.c_str(), "rb");
    if (file == nullptr)
        return false;
    bytes.resize(limit);
    const size_t got = fread(bytes.data(), 1, limit, file);
    const bool failed = ferror(file) != 0;
    fclose(file);
    bytes.resize(got);
    return !failed;
}

// A new file gets 0644 whatever the umask; a replaced one keeps its mode.
bool SaveSettingsFile(const std::string& path, std::string_view bytes)
{
    struct stat old;
    const bool existed = lstat(path.c_str(), &old) == 0;
    if (!SaveWholeFile(path, bytes))
        return false;
    if (!existed)
        chmod(path.c_str(), 0644);
    return true;
}

bool TakeBytes(std::string_view& in, size_t count, const char** bytes)
{
    if (count > in.size())
        return false;
    *bytes = in.data();
    in.remove_prefix(count);
    return true;
}

bool TakeUint32(std::string_view& in, uint32& value)
{
    const char* p;
    if (!TakeBytes(in, 4, &p))
        return false;
    const auto* b = reinterpret_cast<const unsigned char*>(p);
    value = uint32(b[0]) | uint32(b[1]) << 8 | uint32(b[2]) << 16 | uint32(b[3]) << 24;
    return true;
}

bool TakeInt32(std::string_view& in, int32& value)
{
    uint32 raw;
    if (!TakeUint32(in, raw))
        return false;
    value = int32(raw);
    return true;
}

bool TakeFloat(std::string_view& in, float& value)
{
    uint32 raw;
    if (!TakeUint32(in, raw))
        return false;
    memcpy(&value, &raw, sizeof value);
    return true;
}

bool TakeColor(std::string_view& in, rgb_color& color)
{
    const char* p;
    if (!TakeBytes(in, 4, &p))
        return false;
    color = {uint8(p[0]), uint8(p[1]), uint8(p[2]), uint8(p[3])};
    return true;
}

// A negative count or one beyond the rest of the file fails the read.
bool TakeText(std::string_view& in, std::string& text)
{
    int32 count;
    const char* p;
    if (!TakeInt32(in, count) || count < 0 || !TakeBytes(in, size_t(count), &p))
        return false;
    text.assign(p, size_t(count));
    return true;
}

bool TakeStoredSettings(std::string_view& in, StoredSettings& stored)
{
    if (!TakeText(in, stored.htmForm))
        return false;
    for (float& value : stored.frame) {
        if (!TakeFloat(in, value))
            return false;
    }
    return TakeColor(in, stored.back) && TakeInt32(in, stored.prevTime) &&
           TakeInt32(in, stored.daStMode) && TakeInt32(in, stored.prefs) &&
           TakeText(in, stored.snapName);
}

void PutUint32(std::string& out, uint32 value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out += char(uint8(value >> shift));
}

void PutFloat(std::string& out, float value)
{
    uint32 raw;
    memcpy(&raw, &value, sizeof raw);
    PutUint32(out, raw);
}

void PutColor(std::string& out, rgb_color color)
{
    out += char(color.red);
    out += char(color.green);
    out += char(color.blue);
    out += char(color.alpha);
}

void PutText(std::string& out, std::string_view text)
{
    PutUint32(out, uint32(text.size()));
    out += text;
}

// The program treats these as C texts of limited length: what a zero byte
// would hide is dropped, and so is what the limit would cut.
std::string Bounded(std::string_view text, size_t limit)
{
    return Utf8Cut(text.substr(0, text.find('\0')), limit);
}

void KeepSane(float stored, std::atomic<float>& global, float lowest)
{
    if (std::isfinite(stored) && stored >= lowest && stored <= kMaxCoordinate)
        global = stored;
}

void ApplyStoredSettings(const StoredSettings& stored)
{
    SetHtmForm(stored.htmForm);
    std::atomic<float>* const frame[8] = {&WWin_X, &WWin_Y, &OWin_X, &OWin_Y,
                                          &CWin_X, &CWin_Y, &CWin_W, &CWin_H};
    for (int i = 0; i < 8; i++)
        KeepSane(stored.frame[i], *frame[i], i < 6 ? -kMaxCoordinate : 1);
    backcolor = stored.back;
    switch (stored.prevTime) {
    case 1:
    case 2:
    case 3:
    case 6:
    case 12:
    case 24:
        PrevTime = stored.prevTime;
        break;
    default:
        PrevTime = 3;
    }
    DaStMode = stored.daStMode >= 0 && stored.daStMode <= 3 ? stored.daStMode : 1;
    prefsdata = stored.prefs;
    SetSnapshotName(stored.snapName);
}

std::string EncodeSettings()
{
    std::string out;
    PutText(out, kStamp);
    PutText(out, Bounded(htm_form.Get(), kHtmFormMax));
    for (const std::atomic<float>* value :
         {&WWin_X, &WWin_Y, &OWin_X, &OWin_Y, &CWin_X, &CWin_Y, &CWin_W, &CWin_H})
        PutFloat(out, value->load());
    PutColor(out, backcolor);
    PutUint32(out, uint32(PrevTime.load()));
    PutUint32(out, uint32(DaStMode.load()));
    PutUint32(out, uint32(prefsdata.load()));
    PutText(out, Bounded(UserSNAP_IMG.Get(), kSnapNameMax));
    return out;
}

void SetMenuShadeSlot()
{
    PokeColor(uc_MOC, MenuShadeColor());
}

} // namespace

void SetHtmForm(std::string_view form)
{
    htm_form = Bounded(form, kHtmFormMax);
}

bool SetSnapshotName(std::string_view name)
{
    const std::string bounded = Bounded(name, kSnapNameMax);
    if (bounded.empty() || bounded.find('/') != std::string::npos || bounded == "." ||
        bounded == "..")
        return false;
    UserSNAP_IMG = bounded;
    return true;
}

rgb_color MenuShadeColor()
{
    return tint_color(ui_color(B_MENU_BACKGROUND_COLOR), B_DARKEN_2_TINT);
}

std::string SettingsFolder()
{
    BPath settings;
    if (find_directory(B_USER_SETTINGS_DIRECTORY, &settings, true) != B_OK)
        return {};
    std::string folder = std::string(settings.Path()) + "/" + kFolderName;
    struct stat info;
    if (stat(folder.c_str(), &info) != 0 && mkdir(folder.c_str(), 0755) == 0)
        chmod(folder.c_str(), 0755); // whatever the umask
    return folder;
}

bool Getsettings()
{
    const std::string folder = SettingsFolder();
    if (folder.empty()) {
        fputs("can't find folder\n", stdout);
        return false;
    }
    std::string bytes;
    if (!ReadFile(folder + "/" + kSettingsName, kMaxSettingsBytes, bytes)) {
        fputs("can't read\n", stdout);
        return false;
    }
    std::string_view in = bytes;
    std::string stamp;
    if (!TakeText(in, stamp)) {
        fputs("can't read\n", stdout);
        return false;
    }
    if (stamp != kStamp) {
        printf("'%.*s'!='%s' UPDATE \n", int(stamp.size()), stamp.data(), kStamp.data());
        return false;
    }
    StoredSettings stored;
    if (!TakeStoredSettings(in, stored)) {
        fputs("can't read\n", stdout);
        return false;
    }
    ApplyStoredSettings(stored);
    SetMenuShadeSlot();
    return true;
}

bool Setsettings()
{
    if (DaStMode > 1)
        DaStMode = 1;
    const std::string folder = SettingsFolder();
    if (folder.empty()) {
        fputs("can't set(fn)!\n", stdout);
        return false;
    }
    if (!SaveSettingsFile(folder + "/" + kSettingsName, EncodeSettings())) {
        fputs("can't write(fn)\n", stdout);
        return false;
    }
    return true;
}

bool GetColors()
{
    const std::string folder = SettingsFolder();
    std::string bytes;
    const bool read = !folder.empty() && ReadFile(folder + "/" + kColorsName, kColorBytes, bytes) &&
                      bytes.size() == kColorBytes;
    if (read) {
        for (int32 i = 0; i < kColorSlots; i++) {
            const char* p = bytes.data() + 4 * i;
            sColors[i] = Pack({uint8(p[0]), uint8(p[1]), uint8(p[2]), uint8(p[3])});
        }
        fputs("read colors\n", stdout);
    } else {
        fputs("can't read colors\n", stdout);
        SetColors();
    }
    SetMenuShadeSlot();
    return read;
}

bool SetColors()
{
    std::string out;
    for (int32 i = 0; i < kColorSlots; i++)
        PutColor(out, Unpack(sColors[i].load(std::memory_order_relaxed)));
    const std::string folder = SettingsFolder();
    if (folder.empty() || !SaveSettingsFile(folder + "/" + kColorsName, out)) {
        fputs("can't write colors\n", stdout);
        return false;
    }
    return true;
}

void CSetts()
{
    static constexpr struct
    {
        int32 bit;
        const char* line;
    } kLines[] = {
        {VTa_SAVEONCLOSE, "VTa_SAVEONCLOSE\t %d \n"}, {VTa_HTML_BROWSER, "VTa_HTML_BROWSER %d \n"},
        {VTa_BORD_BUTT, "VTa_BORD_BUTT\t %d \n"},     {VTa_USE_IMAGE, "VTa_USE_IMAGE\t %d \n"},
        {VTa_SHOWPROZINFO, "VTa_SHOWPROZINFO %d \n"}, {VTa_PB_READY_HIR, "VTa_PB_READY_HIR %d \n"},
        {VTa_SHOW_NAME, "VTa_SHOW_NAME\t %d \n"},     {VTa_USE_LANGUAGE, "VTa_USE_LANGUAGE %d \n"},
        {VTa_USE_HOLIDAY, "VTa_USE_HOLIDAY\t %d \n"}, {VTa_RESERVE_1, "VTa_RESERVE_1\t %d \n"},
        {VTa_RESERVE_0, "VTa_RESERVE_0\t %d \n"},     {VTa_USERMODE, "VTa_USERMODE\t %d \n"},
    };
    const int32 prefs = prefsdata;
    for (const auto& entry : kLines) {
        if (prefs & entry.bit)
            printf(entry.line, int(prefs & entry.bit));
    }
}
