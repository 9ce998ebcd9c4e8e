// The address book: the shipped example cards, the vCard reader's table
// (folding, escapes, encodings, several and broken cards), photos of both
// versions fitted into icons, the bounds of huge files, and the folders.
#include "app/AddressBook.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "kit/interface/Bitmap.h"
#include "kit/translation/ImageCodecs.h"
#include "support/ScopedTempFolder.h"

namespace {

std::string Summary(const std::vector<AddressBook::Entry>& entries)
{
    std::string out;
    for (const AddressBook::Entry& entry : entries)
        out +=
            entry.name + "|" + entry.mail + "|" + entry.group + (entry.icon ? "|icon" : "") + "\n";
    return out;
}

std::vector<AddressBook::Entry> Read(const std::string& text, std::string* printed = nullptr)
{
    testing::internal::CaptureStdout();
    std::vector<AddressBook::Entry> entries = AddressBook::ReadCards(text, "t.vcf");
    const std::string out = testing::internal::GetCapturedStdout();
    if (printed != nullptr)
        *printed = out;
    return entries;
}

std::string Base64(const std::vector<uint8>& bytes)
{
    static const char kDigits[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (size_t i = 0; i < bytes.size(); i += 3) {
        uint32 bits = uint32(bytes[i]) << 16;
        if (i + 1 < bytes.size())
            bits |= uint32(bytes[i + 1]) << 8;
        if (i + 2 < bytes.size())
            bits |= bytes[i + 2];
        for (size_t k = 0; k < 4; k++)
            out += i + k <= bytes.size() ? kDigits[(bits >> (18 - 6 * k)) & 63] : '=';
    }
    return out;
}

// A picture of one colour, as a PNG or JPEG file's bytes.
std::vector<uint8> Picture(int32 width, int32 height, rgb_color color, bool jpeg)
{
    BBitmap bitmap(BRect(0, 0, width - 1, height - 1), B_RGBA32);
    auto* bits = static_cast<uint8*>(bitmap.Bits());
    for (int32 i = 0; i < width * height; i++) {
        bits[i * 4 + 0] = color.blue;
        bits[i * 4 + 1] = color.green;
        bits[i * 4 + 2] = color.red;
        bits[i * 4 + 3] = 255;
    }
    std::vector<uint8> file;
    EXPECT_EQ(jpeg ? BPrivate::EncodeJpeg(&bitmap, &file) : BPrivate::EncodePng(&bitmap, &file),
              B_OK);
    return file;
}

std::string Card(const std::string& lines)
{
    return "BEGIN:VCARD\r\nVERSION:3.0\r\n" + lines + "END:VCARD\r\n";
}

// B, G, R, A of an icon pixel.
std::vector<int> IconPixel(const BBitmap& icon, int32 x, int32 y)
{
    const auto* bits = static_cast<const uint8*>(icon.Bits()) + y * icon.BytesPerRow() + x * 4;
    return {bits[0], bits[1], bits[2], bits[3]};
}

struct ScopedEnvironment
{
    ScopedEnvironment(const char* name, const char* value) : fName(name)
    {
        if (const char* old = getenv(name))
            fOld = old;
        if (value != nullptr)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~ScopedEnvironment()
    {
        if (fOld)
            setenv(fName, fOld->c_str(), 1);
        else
            unsetenv(fName);
    }
    const char* fName;
    std::optional<std::string> fOld;
};

} // namespace

TEST(AddressBook, ShippedCardsReadSortedWithTheirIcons)
{
    testing::internal::CaptureStdout();
    const std::vector<AddressBook::Entry> entries =
        AddressBook::Scan({VANTREL_SOURCE_DIR "/tests/app/people", "/no/such/folder"});
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(Summary(entries), "Anna Lind|anna.lind@example.org|Werkstatt Süd, Halle 2|icon\n"
                                "Bert Cramer|bert.cramer@example.org|Lackiererei|icon\n");
    ASSERT_EQ(entries.size(), 2u);
    // A 24 x 12 JPEG fills the middle rows; a 32 x 32 PNG all of them.
    const BBitmap& wide = *entries[0].icon;
    EXPECT_EQ(wide.Bounds(), BRect(0, 0, 15, 15));
    EXPECT_EQ(IconPixel(wide, 8, 0)[3], 0);
    const std::vector<int> blue = IconPixel(wide, 8, 8);
    EXPECT_NEAR(blue[0], 0xc0, 8);
    EXPECT_NEAR(blue[2], 0x20, 8);
    EXPECT_EQ(blue[3], 255);
    EXPECT_EQ(IconPixel(*entries[1].icon, 0, 0), (std::vector<int>{0x20, 0x20, 0xd0, 255}));
    EXPECT_EQ(IconPixel(*entries[1].icon, 15, 15), (std::vector<int>{0x20, 0x20, 0xd0, 255}));

    const BMessage message = entries[1].Message();
    EXPECT_EQ(message.what, uint32('L4PE'));
    EXPECT_STREQ(message.GetString("people"), "Bert Cramer");
    EXPECT_STREQ(message.GetString("mail"), "bert.cramer@example.org");
    EXPECT_STREQ(message.GetString("group"), "Lackiererei");
}

TEST(AddressBook, ReadsTheCardsOfAFile)
{
    const struct
    {
        const char* what;
        std::string text;
        std::string entries;
        std::string printed;
    } cases[] = {
        {"folded with a blank and a tab",
         Card("FN:Anna\r\n  Lind\r\nEMAIL:a@\r\n\texample.org\r\n"), "Anna Lind|a@example.org|-\n",
         ""},
        {"escapes", Card("FN:Lind\\, Anna \\; \\\\x\r\nORG:A\\;B;C\r\n"),
         "Lind, Anna ; \\x|-no mail-|A;B\n", ""},
        {"a line end inside becomes a blank", Card("FN:Anna\\nLind\r\n"), "Anna Lind|-no mail-|-\n",
         ""},
        {"several cards, bare line feeds",
         "BEGIN:VCARD\nFN:One\nEND:VCARD\nBEGIN:VCARD\nFN:Two\nEND:VCARD\n",
         "One|-no mail-|-\nTwo|-no mail-|-\n", ""},
        {"quoted-printable with a soft break",
         Card("FN;ENCODING=QUOTED-PRINTABLE;CHARSET=UTF-8:J=C3=BCrgen =\r\nM=C3=BCller\r\n"),
         "Jürgen Müller|-no mail-|-\n", ""},
        {"Latin-1", Card("FN;CHARSET=ISO-8859-1;ENCODING=QUOTED-PRINTABLE:J=FCrgen\r\n"),
         "Jürgen|-no mail-|-\n", ""},
        {"names in any case, groups before names",
         "begin:vcard\r\nfn:Anna\r\nitem1.email:a@b\r\nend:vcard\r\n", "Anna|a@b|-\n", ""},
        {"the first mail", Card("FN:A\r\nEMAIL:;\r\nEMAIL:first@x\r\nEMAIL:second@x\r\n"),
         "A|;|-\n", ""},
        {"the first organisation part with text", Card("FN:A\r\nORG:;Dept\r\n"),
         "A|-no mail-|Dept\n", ""},
        {"categories without an organisation", Card("FN:A\r\nCATEGORIES:Night,Day\r\n"),
         "A|-no mail-|Night\n", ""},
        {"an organisation before categories", Card("FN:A\r\nCATEGORIES:Night\r\nORG:Shop\r\n"),
         "A|-no mail-|Shop\n", ""},
        {"no name", Card("N:Lind;Anna\r\n") + Card("FN:B\r\n"), "B|-no mail-|-\n",
         "t.vcf: card 1 skipped: no name\n"},
        {"no end", "BEGIN:VCARD\r\nFN:Lost\r\n" + Card("FN:B\r\n") + "BEGIN:VCARD\r\nFN:Cut",
         "B|-no mail-|-\n", "t.vcf: card 1 skipped: no END\nt.vcf: card 3 skipped: no END\n"},
        {"stray lines", "FN:Outside\r\nEND:VCARD\r\n" + Card("FN:A\r\nno colon here\r\n"),
         "A|-no mail-|-\n", "t.vcf: card 1: line without ':' ignored\n"},
        {"bad UTF-8 and a byte-order mark", "\xEF\xBB\xBF" + Card("FN:A\xFF\xC3\r\n"),
         "A??|-no mail-|-\n", ""},
        {"nothing", "", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::string printed;
        EXPECT_EQ(Summary(Read(c.text, &printed)), c.entries);
        EXPECT_EQ(printed, c.printed);
    }
}

TEST(AddressBook, PhotosOfEveryVersionBecomeIcons)
{
    const std::string png = Base64(Picture(40, 40, {0, 200, 0, 255}, false));
    const std::string jpeg = Base64(Picture(8, 32, {0, 0, 250, 255}, true));
    const struct
    {
        const char* what;
        std::string photo;
        bool icon;
        std::string printed;
    } cases[] = {
        {"3.0 PNG", "PHOTO;ENCODING=b;TYPE=PNG:" + png, true, ""},
        {"3.0 JPEG, folded",
         "PHOTO;ENCODING=b;TYPE=JPEG:" + jpeg.substr(0, 40) + "\r\n " + jpeg.substr(40), true, ""},
        {"2.1 bare parameters", "PHOTO;JPEG;BASE64:" + jpeg, true, ""},
        {"4.0 data URI", "PHOTO:data:image/png;base64," + png, true, ""},
        {"4.0 link", "PHOTO;MEDIATYPE=image/png:http://example.org/a.png", false, ""},
        {"data URI without base64", "PHOTO:data:image/png," + png, false, ""},
        {"broken base64", "PHOTO;ENCODING=b:AAA*", false, ""},
        {"no picture", "PHOTO;ENCODING=b:" + Base64({'h', 'e', 'l', 'l', 'o'}), false,
         "t.vcf: card 1: photo is no picture\n"},
        {"too large",
         "PHOTO;ENCODING=b:" + std::string(AddressBook::kMaxPhotoBytes / 3 * 4 + 8, 'A'), false,
         "t.vcf: card 1: photo larger than 1048576 bytes left out\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::string printed;
        const std::vector<AddressBook::Entry> entries =
            Read(Card("FN:A\r\n" + c.photo + "\r\n"), &printed);
        ASSERT_EQ(entries.size(), 1u);
        EXPECT_EQ(entries[0].icon != nullptr, c.icon);
        EXPECT_EQ(printed, c.printed);
    }

    // A tall picture keeps its shape: 4 x 16 in the middle columns.
    const std::vector<AddressBook::Entry> tall =
        Read(Card("FN:A\r\nPHOTO;ENCODING=b:" + jpeg + "\r\n"));
    const BBitmap& icon = *tall.at(0).icon;
    EXPECT_EQ(IconPixel(icon, 5, 8)[3], 0);
    EXPECT_EQ(IconPixel(icon, 6, 8)[3], 255);
    EXPECT_EQ(IconPixel(icon, 9, 15)[3], 255);
    EXPECT_EQ(IconPixel(icon, 10, 8)[3], 0);
    EXPECT_NEAR(IconPixel(icon, 7, 0)[0], 250, 8);
}

TEST(AddressBook, HugeFilesAreReadUpToTheirBounds)
{
    std::string many;
    for (int i = 0; i < 1200; i++)
        many += Card("FN:P" + std::to_string(i) + "\r\n");
    std::string printed;
    const std::vector<AddressBook::Entry> entries = Read(many, &printed);
    EXPECT_EQ(entries.size(), AddressBook::kMaxCards);
    EXPECT_EQ(entries.back().name, "P999");
    EXPECT_EQ(printed, "t.vcf: only the first 1000 cards read\n");

    // Past 4 MiB nothing more is read: the card cut there is broken.
    ScopedTempFolder folder;
    const std::string path = (folder.Path() / "huge.vcf").string();
    std::string text = Card("FN:First\r\n") + "BEGIN:VCARD\r\nFN:Cut\r\n";
    while (text.size() < AddressBook::kMaxFileBytes)
        text += "NOTE:" + std::string(70, 'x') + "\r\n";
    text += "END:VCARD\r\n" + Card("FN:Beyond\r\n");
    FILE* file = fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    fwrite(text.data(), 1, text.size(), file);
    fclose(file);
    testing::internal::CaptureStdout();
    const std::vector<AddressBook::Entry> read = AddressBook::Scan({folder.Path().string()});
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              path + ": only the first 4194304 bytes read\n" + path + ": card 2 skipped: no END\n");
    EXPECT_EQ(Summary(read), "First|-no mail-|-\n");
}

TEST(AddressBook, FoldersFollowTheEnvironment)
{
    const struct
    {
        const char* home;
        const char* data;
        std::vector<std::string> folders;
    } cases[] = {
        {"/h", nullptr, {"/h/people", "/h/.local/share/vantrel/people"}},
        {"/h", "/d", {"/h/people", "/d/vantrel/people"}},
        {"/h", "relative", {"/h/people", "/h/.local/share/vantrel/people"}},
        {nullptr, "/d", {"/d/vantrel/people"}},
        {nullptr, nullptr, {}},
    };
    for (const auto& c : cases) {
        ScopedEnvironment home("HOME", c.home);
        ScopedEnvironment data("XDG_DATA_HOME", c.data);
        EXPECT_EQ(AddressBook::Folders(), c.folders);
    }
}

TEST(AddressBook, OnlyAGroupOfMoreThanFourCharactersIsACostCentre)
{
    const struct
    {
        const char* group;
        bool costCentre;
    } cases[] = {{"-", false}, {"1234", false}, {"Büro", false}, {"12345", true}, {"Lager", true}};
    for (const auto& c : cases) {
        AddressBook::Entry entry;
        entry.group = c.group;
        EXPECT_EQ(entry.GroupIsCostCentre(), c.costCentre) << c.group;
    }
}
