// The user's preferences: option bits, window frames, display mode, zoom,
// report form, snapshot name and the eighteen colour slots, with the binary
// settings and colour files that keep them between runs.
#pragma once

#include <atomic>
#include <string>
#include <string_view>

#include "app/SharedText.h"
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

// Window frames in screen pixels: each window keeps its own up to date from
// its thread, the application reads them to place windows and cards.
extern std::atomic<float> CWin_X, CWin_Y, CWin_W, CWin_H;
extern std::atomic<float> OWin_X, OWin_Y, OWin_W, OWin_H;
extern std::atomic<float> WWin_X, WWin_Y, WWin_W, WWin_H;

extern rgb_color backcolor;
extern std::atomic<int32> PrevTime; // months shown: 1, 2, 3, 6, 12 or 24
extern std::atomic<int32> DaStMode; // display mode 0..3; stored as at most 1

extern SharedText htm_form;     // set by SetHtmForm; windows and the application share it
extern SharedText UserSNAP_IMG; // set by SetSnapshotName

// Bytes the settings file keeps of the two texts.
inline constexpr size_t kHtmFormMax = 13;
inline constexpr size_t kSnapNameMax = 15;

// The texts as the settings file reads them back: cut at a zero byte and
// at the limit, never inside a UTF-8 character. A snapshot name is written
// into "defs": one that is empty, "." or "..", or holds a '/', is refused
// (false) and the name stays as it was.
void SetHtmForm(std::string_view form);
bool SetSnapshotName(std::string_view name);

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

// "<settings folder>/_LP_x-vnd.KS", made (0755) when missing; empty when
// there is no user settings folder.
std::string SettingsFolder();

// Reads "VTZ_settings" into the globals. A file that cannot be read whole,
// or carries another version stamp, changes no global and gives false.
// Stored texts are cut at a zero byte and at their length limit; a window
// coordinate that is not a number or far off any screen, a zoom or display
// mode out of range keep their previous value.
bool Getsettings();
// Writes the globals to "VTZ_settings" whole or not at all; DaStMode above
// 1 is set to 1 first. false (after a diagnostic) when nothing was written.
bool Setsettings();
// Reads "vtz.colors" into the slots; a missing or short file is written
// from the slots instead. Slot uc_MOC is the darkened menu colour after it.
bool GetColors();
bool SetColors();
// Prints one line for every set bit of prefsdata.
void CSetts();

// The slot uc_MOC always holds: the menu background darkened.
rgb_color MenuShadeColor();
