// The settings and colour files: their exact bytes, the start-up sequence,
// hostile files, and the colour slot accessors.
#include "app/Settings.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <bit>
#include <cmath>
#include <limits>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "support/CorpusFiles.h"
#include "support/ProgramFolder.h"

namespace {

const std::string kSettings = "config/_LP_x-vnd.KS/VTZ_settings";
const std::string kColors = "config/_LP_x-vnd.KS/vtz.colors";
const rgb_color kShade = {152, 152, 152, 255}; // menu grey 216 darkened by 1.295

// Every global the files touch, as one text that shows what differs.
std::string State()
{
    std::ostringstream s;
    s << prefsdata << ' ' << PrevTime << ' ' << DaStMode << " [" << htm_form.Get() << "] ["
      << UserSNAP_IMG.Get() << "] ";
    for (float f : {WWin_X.load(), WWin_Y.load(), OWin_X.load(), OWin_Y.load(), CWin_X.load(),
                    CWin_Y.load(), CWin_W.load(), CWin_H.load()})
        s << f << ' ';
    for (int32 i = -1; i < kColorSlots; i++) {
        const rgb_color c = i < 0 ? backcolor : AskColor(i);
        s << int(c.red) << ',' << int(c.green) << ',' << int(c.blue) << ',' << int(c.alpha) << ' ';
    }
    return s.str();
}

// A settings file field by field, little-endian, as the format has it.
struct FileImage
{
    std::string stamp = "20030823", htmForm = "012734", snap = "vtsnap.jpg";
    float frame[8] = {50, 70, 90, 50, 30, 80, 600, 180};
    int32 prevTime = 3, daStMode = 1, prefs = 118;
    std::optional<int32> htmCount, snapCount; // stored instead of the true length

    std::string Bytes() const
    {
        std::string out;
        auto word = [&](uint32 v) {
            for (int shift = 0; shift < 32; shift += 8)
                out += char(v >> shift);
        };
        auto text = [&](const std::string& t, std::optional<int32> count) {
            word(uint32(count.value_or(int32(t.size()))));
            out += t;
        };
        text(stamp, {});
        text(htmForm, htmCount);
        for (float f : frame)
            word(std::bit_cast<uint32>(f));
        out += "\xd8\xd8\xd8";
        out += '\0';
        for (int32 v : {prevTime, daStMode, prefs})
            word(uint32(v));
        text(snap, snapCount);
        return out;
    }
};

bool Quietly(bool (*call)(), std::string* said = nullptr)
{
    testing::internal::CaptureStdout();
    const bool result = call();
    const std::string out = testing::internal::GetCapturedStdout();
    if (said != nullptr)
        *said = out;
    return result;
}

} // namespace

TEST(SettingsFile, DocumentedBytesAndEveryFieldRoundTrips)
{
    ProgramFolder folder;
    EXPECT_TRUE(Quietly(Setsettings));
    EXPECT_EQ(folder.Read(kSettings), FileImage().Bytes());
    struct stat info;
    ASSERT_EQ(stat(folder.Path(kSettings).c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0644u);

    prefsdata = 0x1fff;
    CWin_X = -12.5f, CWin_Y = 7, CWin_W = 1024, CWin_H = 333.25f;
    OWin_X = 1, OWin_Y = 2, WWin_X = 3, WWin_Y = 4;
    backcolor = {1, 2, 3, 4};
    PrevTime = 24;
    DaStMode = 0;
    htm_form = "0123456789abc";
    UserSNAP_IMG = "0123456789a.png";
    PokeColor(uc_MOC, kShade);
    ASSERT_TRUE(Quietly(Setsettings));
    const std::string saved = State();
    ResetSettings();
    EXPECT_TRUE(Quietly(Getsettings));
    EXPECT_EQ(State(), saved);
}

// The two texts are held as the file gives them back: whole characters up
// to their limit, nothing after a zero byte, no name that leaves "defs".
TEST(SettingsFile, TextsAtAndBeyondTheirLimitsRoundTrip)
{
    ProgramFolder folder;
    const std::string ae = "\xc3\xa4", euro = "\xe2\x82\xac", clef = "\xf0\x9d\x84\x9e";
    const struct
    {
        std::string form, formKept, snap, snapKept;
    } cases[] = {
        {std::string(13, 'f'), std::string(13, 'f'), std::string(15, 's'), std::string(15, 's')},
        {std::string(12, 'f') + ae, std::string(12, 'f'), std::string(13, 's') + ae,
         std::string(13, 's') + ae},
        {std::string(11, 'f') + euro, std::string(11, 'f'), std::string(12, 's') + euro + "x",
         std::string(12, 's') + euro},
        {std::string(10, 'f') + clef, std::string(10, 'f'), std::string(12, 's') + clef,
         std::string(12, 's')},
        {ae + ae + ae + ae + ae + ae + ae, ae + ae + ae + ae + ae + ae,
         euro + euro + euro + euro + euro + euro, euro + euro + euro + euro + euro},
        {std::string("ab\0cd", 5), "ab", std::string("x.png\0/etc", 10), "x.png"},
    };
    for (const auto& c : cases) {
        SetHtmForm(c.form);
        EXPECT_TRUE(SetSnapshotName(c.snap));
        EXPECT_EQ(htm_form, c.formKept);
        EXPECT_EQ(UserSNAP_IMG, c.snapKept);
        PokeColor(uc_MOC, kShade);
        ASSERT_TRUE(Quietly(Setsettings));
        const std::string saved = State();
        ResetSettings();
        EXPECT_TRUE(Quietly(Getsettings));
        EXPECT_EQ(State(), saved) << c.form;
        const std::string bytes = folder.Read(kSettings);
        ASSERT_TRUE(Quietly(Setsettings));
        EXPECT_EQ(folder.Read(kSettings), bytes) << "a second save changes no byte";
    }
    for (const std::string& escaping :
         std::vector<std::string>{"../x.png", "a/b", ".", "..", "", std::string("\0x", 2)}) {
        EXPECT_FALSE(SetSnapshotName(escaping));
        EXPECT_EQ(UserSNAP_IMG, cases[std::size(cases) - 1].snapKept) << escaping;
    }
}

TEST(SettingsFile, StartUpWithoutFolderCreatesItAndWritesDefaults)
{
    ProgramFolder folder;
    std::string said;
    EXPECT_FALSE(Quietly(Getsettings, &said));
    EXPECT_EQ(said, "can't read\n");
    struct stat info;
    ASSERT_EQ(stat(folder.Path("config/_LP_x-vnd.KS").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0755u);
    DaStMode = 2;
    EXPECT_TRUE(Quietly(Setsettings));
    EXPECT_EQ(DaStMode, 1);
    DaStMode = 3;
    EXPECT_TRUE(Quietly(Getsettings));
    EXPECT_EQ(DaStMode, 1);
    EXPECT_EQ(prefsdata, 118);
}

TEST(SettingsFile, AnotherVersionChangesNothingAndIsReplaced)
{
    ProgramFolder folder;
    Quietly(Setsettings);
    FileImage old;
    old.stamp = std::string("2002\0\xff", 6);
    old.prefs = 1;
    folder.Write(kSettings, old.Bytes());
    const std::string before = State();
    std::string said;
    EXPECT_FALSE(Quietly(Getsettings, &said));
    EXPECT_EQ(said, "'2002'!='20030823' UPDATE \n");
    EXPECT_EQ(State(), before);
    Quietly(Setsettings);
    EXPECT_EQ(folder.Read(kSettings), FileImage().Bytes());
}

// A file cut anywhere, or with counts that ask for more than is there,
// leaves every global (and the mouse-over slot) as it was.
TEST(SettingsFile, UnreadableFilesChangeNoGlobal)
{
    ProgramFolder folder;
    Quietly(Setsettings);
    FileImage other;
    other.prefs = 3, other.prevTime = 12, other.htmForm = "9";
    const std::string whole = other.Bytes();
    std::vector<std::string> bad;
    for (size_t cut = 0; cut < whole.size(); cut++)
        bad.push_back(whole.substr(0, cut));
    for (int32 count : {-1, int32(0x80000000), 0x7fffffff, 14}) {
        FileImage hostile = other;
        hostile.snapCount = count;
        bad.push_back(hostile.Bytes());
        hostile = other;
        hostile.htmCount = count;
        bad.push_back(hostile.Bytes());
    }
    PokeColor(uc_MOC, {1, 1, 1, 1});
    const std::string before = State();
    for (const std::string& bytes : bad) {
        folder.Write(kSettings, bytes);
        std::string said;
        EXPECT_FALSE(Quietly(Getsettings, &said)) << bytes.size();
        EXPECT_EQ(said, "can't read\n");
        EXPECT_EQ(State(), before) << bytes.size();
    }
}

TEST(SettingsFile, OddValuesAreBoundedOrKept)
{
    ProgramFolder folder;
    SettingsFolder();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    FileImage odd;
    odd.htmForm = std::string(200, 'h');
    odd.snap = std::string("shot\0../../x", 12);
    odd.frame[0] = nan, odd.frame[1] = -inf, odd.frame[2] = 1e30f, odd.frame[3] = 40;
    odd.frame[6] = 0, odd.frame[7] = -5;
    struct
    {
        int32 prevTime, daStMode, wantPrev, wantMode;
    } cases[] = {{6, 3, 6, 3}, {5, 4, 3, 1}, {0, -1, 3, 1}, {-24, 0, 3, 0}, {1, 2, 1, 2}};
    for (const auto& c : cases) {
        ResetSettings();
        odd.prevTime = c.prevTime, odd.daStMode = c.daStMode;
        folder.Write(kSettings, odd.Bytes() + "trailing bytes are ignored");
        EXPECT_TRUE(Quietly(Getsettings));
        EXPECT_EQ(PrevTime, c.wantPrev) << c.prevTime;
        EXPECT_EQ(DaStMode, c.wantMode) << c.daStMode;
    }
    EXPECT_EQ(htm_form, std::string(kHtmFormMax, 'h'));
    EXPECT_EQ(UserSNAP_IMG, "shot");
    // A snapshot name that would leave "defs" is not taken.
    for (const char* escaping : {"../../x.jpg", "/etc/x.png", "..", ""}) {
        UserSNAP_IMG = "vtsnap.gif";
        odd.snap = escaping;
        folder.Write(kSettings, odd.Bytes());
        EXPECT_TRUE(Quietly(Getsettings));
        EXPECT_EQ(UserSNAP_IMG, "vtsnap.gif") << escaping;
    }
    EXPECT_EQ((std::vector<float>{WWin_X, WWin_Y, OWin_X, OWin_Y, CWin_W, CWin_H}),
              (std::vector<float>{50, 70, 90, 40, 600, 180}));
}

// The fuzz target's seeds: settings files that read within the bounds, and
// one of a colour file's length that reads as colours.
TEST(SettingsFile, FuzzSeedsReadWithinTheBounds)
{
    const auto seeds = CorpusFiles({"fuzz/corpus/settings_file"});
    EXPECT_GE(seeds.size(), 3u);
    for (const CorpusFile& seed : seeds) {
        SCOPED_TRACE(seed.name);
        ProgramFolder folder;
        SettingsFolder();
        const bool colours = seed.bytes.size() == 4 * kColorSlots;
        folder.Write(kSettings, seed.bytes);
        EXPECT_EQ(Quietly(Getsettings), !colours);
        EXPECT_LE(htm_form.size(), kHtmFormMax);
        EXPECT_LE(UserSNAP_IMG.size(), kSnapNameMax);
        EXPECT_TRUE(PrevTime == 1 || PrevTime == 2 || PrevTime == 3 || PrevTime == 6 ||
                    PrevTime == 12 || PrevTime == 24);
        EXPECT_TRUE(DaStMode >= 0 && DaStMode <= 3);
        for (float value : {WWin_X.load(), WWin_Y.load(), OWin_X.load(), OWin_Y.load(),
                            CWin_X.load(), CWin_Y.load(), CWin_W.load(), CWin_H.load()})
            EXPECT_TRUE(std::isfinite(value));
        if (colours) {
            folder.Write(kColors, seed.bytes);
            EXPECT_TRUE(Quietly(GetColors));
        }
    }
}

TEST(ColorFile, RoundTripMouseOverSlotAndBounds)
{
    ProgramFolder folder;
    std::string said;
    EXPECT_FALSE(Quietly(GetColors, &said));
    EXPECT_EQ(said, "can't read colors\n");
    EXPECT_EQ(folder.Read(kColors).size(), 72u);
    EXPECT_EQ(AskColor(uc_MOC), kShade);

    for (int32 i = 0; i < kColorSlots; i++)
        PokeColor(i, {uint8(i), uint8(2 * i), uint8(3 * i), uint8(i + 100)});
    ASSERT_TRUE(SetColors());
    const std::string bytes = folder.Read(kColors);
    ASSERT_EQ(bytes.size(), 72u);
    EXPECT_EQ(bytes.substr(4 * 17, 4), std::string("\x11\x22\x33\x75"));
    ResetSettings();
    EXPECT_TRUE(Quietly(GetColors, &said));
    EXPECT_EQ(said, "read colors\n");
    EXPECT_EQ(AskColor(uc_R15), (rgb_color{17, 34, 51, 117}));
    EXPECT_EQ(AskColor(uc_MOC), kShade);

    folder.Write(kColors, bytes.substr(0, 71));
    ResetSettings();
    EXPECT_FALSE(Quietly(GetColors));
    EXPECT_EQ(AskColor(uc_R15), (rgb_color{180, 180, 180, 0}));
    EXPECT_EQ(folder.Read(kColors).size(), 72u);

    // Slot indices outside the table fall back to slot 17 (writing) and 0.
    const rgb_color c = {9, 8, 7, 6};
    for (int32 index : {17, 40, -1}) {
        ResetSettings();
        PokeColor(index, c);
        EXPECT_EQ(AskColor(17), c) << index;
    }
    PokeColor(0, c);
    for (int32 index : {18, -1, 99})
        EXPECT_EQ(AskColor(index), c) << index;
}

TEST(CSetts, PrintsOneLinePerSetBit)
{
    ProgramFolder folder;
    testing::internal::CaptureStdout();
    CSetts();
    prefsdata = 0x1901;
    CSetts();
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "VTa_HTML_BROWSER 2 \nVTa_BORD_BUTT\t 4 \nVTa_USE_IMAGE\t 16 \n"
              "VTa_SHOWPROZINFO 32 \nVTa_PB_READY_HIR 64 \n"
              "VTa_SAVEONCLOSE\t 1 \nVTa_USE_LANGUAGE 256 \nVTa_RESERVE_0\t 2048 \n"
              "VTa_USERMODE\t 4096 \n");
}
