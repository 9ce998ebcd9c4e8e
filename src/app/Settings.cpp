#include "app/Settings.h"

#include <array>

std::atomic<int32> prefsdata{kDefaultPrefs};

float CWin_X, CWin_Y, CWin_W, CWin_H;
float OWin_X, OWin_Y, OWin_W, OWin_H;
float WWin_X, WWin_Y, WWin_W, WWin_H;

rgb_color backcolor;
std::atomic<int32> PrevTime{3};
std::atomic<int32> DaStMode{1};

std::string htm_form;
std::string UserSNAP_IMG;

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
