// The user's preferences: option bits, window frames, display mode, zoom,
// report form, snapshot name and the eighteen colour slots, with the binary
// settings and colour files that keep them between runs.
#pragma once

#include <atomic>
#include <string>

#include "kit/app/GraphicsDefs.h"
#include "kit/app/SupportDefs.h"

// Option bits of prefsdata.
inline constexpr int32 VTa_SAVEONCLOSE = 0x1;
inline constexpr int32 VTa_HTML_BROWSER = 0x2;
inline constexpr int32 VTa_BORD_BUTT = 0x4;
inline constexpr int32 VTa_USE_IMAGE = 0x10;
inline constexpr int32 VTa_SHOWPROZINFO = 0x20;
inline constexpr int32 VTa_PB_READY_HIR = 0x40;
inline constexpr int32 VTa_SHOW_NAME = 0x80;
inline constexpr int32 VTa_USE_LANGUAGE = 0x100;
inline constexpr int32 VTa_USE_HOLIDAY = 0x200;
inline constexpr int32 VTa_RESERVE_1 = 0x400;
inline constexpr int32 VTa_RESERVE_0 = 0x800;
inline constexpr int32 VTa_USERMODE = 0x1000;

inline constexpr int32 kDefaultPrefs = 118;

// Read by every window's thread; the order check may clear a bit.
extern std::atomic<int32> prefsdata;

// Window frames in screen pixels.
extern float CWin_X, CWin_Y, CWin_W, CWin_H;
extern float OWin_X, OWin_Y, OWin_W, OWin_H;
extern float WWin_X, WWin_Y, WWin_W, WWin_H;

extern rgb_color backcolor;
extern std::atomic<int32> PrevTime; // months shown: 1, 2, 3, 6, 12 or 24
extern std::atomic<int32> DaStMode; // display mode 0..3; stored as at most 1

extern std::string htm_form;     // at most kHtmFormMax characters
extern std::string UserSNAP_IMG; // at most kSnapNameMax characters

inline constexpr size_t kHtmFormMax = 13;
inline constexpr size_t kSnapNameMax = 15;

// Fixed, not stored.
inline constexpr float FO_SIZE = 11;
inline constexpr float BU_breite = 50;
inline constexpr float BU_hoehe = 21;
inline constexpr float BU_fontsize = 10;

// Colour slots. The names are slot numbers: AskColor(uc_HDY) is the colour.
enum : int32
{
    uc_PRE = 0,
    uc_OPE,
    uc_PRO,
    uc_CLO,
    uc_BRE,
    uc_RES,
    uc_PBo,
    uc_PBc,
    uc_PBg,
    uc_KNM,
    uc_KNA,
    uc_ILL,
    uc_HOL,
    uc_HDY,
    uc_TXT,
    uc_MOC,
    uc_ERR,
    uc_R15,
    kColorSlots
};

// Slot index outside 1..17 reads slot 0.
rgb_color AskColor(int32 index);
// Slot index outside 0..16 writes slot 17.
void PokeColor(int32 index, rgb_color color);

// Puts every global above back to its built-in default (tests, start-up).
void ResetSettings();

// "<settings folder>/_LP_x-vnd.KS"; empty when there is no settings folder.
std::string SettingsFolder();

bool Getsettings();
void Setsettings();
void GetColors();
void SetColors();
void CSetts();
