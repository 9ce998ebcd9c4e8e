#include "app/AddressBook.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>

#include "kit/interface/Bitmap.h"
#include "kit/storage/PositionIO.h"
#include "kit/translation/TranslationUtils.h"

namespace {

// MARK: Text

bool same_word(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) ==
                      std::toupper(static_cast<unsigned char>(y));
           });
}

std::string upper(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

// Latin-1 to UTF-8, for values that say CHARSET=ISO-8859-1.
std::string latin1_to_utf8(std::string_view text)
{
    std::string out;
    for (unsigned char c : text) {
        if (c < 0x80) {
            out += char(c);
        } else {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        }
    }
    return out;
}

// Invalid UTF-8 bytes become '?', control characters (line ends of an
// escaped "\n" among them) spaces: entries end up in menu labels and record
// lines.
std::string clean_text(std::string_view text)
{
    std::string out;
    size_t i = 0;
    while (i < text.size()) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        size_t length = c < 0x80           ? 1
                        : (c >> 5) == 0x6  ? 2
                        : (c >> 4) == 0xE  ? 3
                        : (c >> 3) == 0x1E ? 4
                                           : 0;
        bool valid = length != 0 && i + length <= text.size();
        for (size_t k = 1; valid && k < length; k++)
            valid = (static_cast<unsigned char>(text[i + k]) & 0xC0) == 0x80;
        if (!valid) {
            out += '?';
            i++;
            continue;
        }
        if (length == 1 && (c < 0x20 || c == 0x7F))
            out += ' ';
        else
            out.append(text.substr(i, length));
        i += length;
    }
    // Surrounding blanks say nothing.
    const size_t first = out.find_first_not_of(' ');
    if (first == std::string::npos)
        return std::string();
    return out.substr(first, out.find_last_not_of(' ') - first + 1);
}

int hex_digit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    c = char(std::toupper(static_cast<unsigned char>(c)));
    return c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
}

std::string quoted_printable(std::string_view text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); i++) {
        if (text[i] == '=' && i + 2 < text.size() && hex_digit(text[i + 1]) >= 0 &&
            hex_digit(text[i + 2]) >= 0) {
            out += char(hex_digit(text[i + 1]) * 16 + hex_digit(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

// The parts of a value split at unescaped separators, each unescaped
// ("\\", "\;", "\,", "\n", "\N").
std::vector<std::string> split_value(std::string_view value, char separator)
{
    std::vector<std::string> parts(1);
    for (size_t i = 0; i < value.size(); i++) {
        const char c = value[i];
        if (c == '\\' && i + 1 < value.size()) {
            const char next = value[++i];
            parts.back() += next == 'n' || next == 'N' ? '\n' : next;
        } else if (c == separator) {
            parts.emplace_back();
        } else {
            parts.back() += c;
        }
    }
    return parts;
}

std::optional<std::vector<uint8>> base64(std::string_view text)
{
    std::vector<uint8> out;
    out.reserve(text.size() / 4 * 3);
    uint32 bits = 0;
    int count = 0;
    for (char c : text) {
        int value;
        if (c >= 'A' && c <= 'Z')
            value = c - 'A';
        else if (c >= 'a' && c <= 'z')
            value = c - 'a' + 26;
        else if (c >= '0' && c <= '9')
            value = c - '0' + 52;
        else if (c == '+' || c == '-')
            value = 62;
        else if (c == '/' || c == '_')
            value = 63;
        else if (c == '=' || c == ' ' || c == '\t' || c == '\r' || c == '\n')
            continue;
        else
            return std::nullopt;
        bits = (bits << 6) | uint32(value);
        if (++count == 4) {
            out.push_back(uint8(bits >> 16));
            out.push_back(uint8(bits >> 8));
            out.push_back(uint8(bits));
            bits = 0;
            count = 0;
        }
    }
    if (count == 1)
        return std::nullopt;
    if (count >= 2)
        out.push_back(uint8(bits >> (count == 2 ? 4 : 10)));
    if (count == 3)
        out.push_back(uint8(bits >> 2));
    return out;
}

// MARK: Content lines

struct ContentLine
{
    std::string name;                                        // upper case, without a group prefix
    std::vector<std::pair<std::string, std::string>> params; // names upper case
    std::string value;

    // The parameter holds the value among its comma-separated items; 2.1
    // writes some bare ("PHOTO;JPEG;BASE64:").
    bool Has(const char* param, const char* value) const
    {
        for (const auto& [key, text] : params) {
            if (!key.empty() && key != param)
                continue;
            for (const std::string& item : split_value(text, ','))
                if (same_word(item, value))
                    return true;
        }
        return false;
    }
};

// "[group.]name *(;param[=value]):value", quotes around parameter values
// allowed; nothing for a line without a colon outside quotes.
std::optional<ContentLine> parse_line(std::string_view text)
{
    size_t colon = std::string_view::npos;
    bool quoted = false;
    for (size_t i = 0; i < text.size(); i++) {
        if (text[i] == '"')
            quoted = !quoted;
        else if (text[i] == ':' && !quoted) {
            colon = i;
            break;
        }
    }
    if (colon == std::string_view::npos)
        return std::nullopt;
    ContentLine line;
    line.value = std::string(text.substr(colon + 1));
    std::vector<std::string> pieces(1);
    quoted = false;
    for (char c : text.substr(0, colon)) {
        if (c == '"')
            quoted = !quoted;
        else if (c == ';' && !quoted)
            pieces.emplace_back();
        else
            pieces.back() += c;
    }
    std::string name = upper(pieces[0]);
    if (const size_t dot = name.rfind('.'); dot != std::string::npos)
        name.erase(0, dot + 1);
    line.name = name;
    for (size_t i = 1; i < pieces.size(); i++) {
        const size_t equals = pieces[i].find('=');
        if (equals == std::string::npos)
            line.params.emplace_back("", pieces[i]);
        else
            line.params.emplace_back(upper(pieces[i].substr(0, equals)),
                                     pieces[i].substr(equals + 1));
    }
    return line;
}

// The text of a value: quoted-printable decoded, Latin-1 made UTF-8.
std::string text_value(const ContentLine& line, std::string_view raw)
{
    std::string text(raw);
    if (line.Has("ENCODING", "QUOTED-PRINTABLE"))
        text = quoted_printable(text);
    if (line.Has("CHARSET", "ISO-8859-1") || line.Has("CHARSET", "WINDOWS-1252"))
        text = latin1_to_utf8(text);
    return text;
}

// Unfolded logical lines: a line that begins with a blank or a tab goes on
// the one before; a quoted-printable line that ends with '=' goes on in
// the next.
std::vector<std::string> logical_lines(std::string_view text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    bool softBreak = false;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view piece = text.substr(start, end - start);
        start = end;
        if (start < text.size() && text[start] == '\r')
            start++;
        if (start < text.size() && text[start] == '\n')
            start++;
        if (softBreak && !lines.empty()) {
            lines.back() += piece;
        } else if (!piece.empty() && (piece[0] == ' ' || piece[0] == '\t') && !lines.empty()) {
            lines.back() += piece.substr(1);
        } else {
            lines.emplace_back(piece);
        }
        const std::string& last = lines.back();
        softBreak =
            !last.empty() && last.back() == '=' &&
            upper(last.substr(0, last.find(':'))).find("QUOTED-PRINTABLE") != std::string::npos;
        if (softBreak)
            lines.back().pop_back();
    }
    return lines;
}

// MARK: Photos

class MemoryIO : public BPositionIO
{
public:
    explicit MemoryIO(const std::vector<uint8>& bytes) : fBytes(bytes) {}

    ssize_t ReadAt(off_t position, void* buffer, size_t size) override
    {
        if (position < 0)
            return B_BAD_VALUE;
        if (size_t(position) >= fBytes.size())
            return 0;
        const size_t count = std::min(size, fBytes.size() - size_t(position));
        std::memcpy(buffer, fBytes.data() + position, count);
        return ssize_t(count);
    }
    ssize_t WriteAt(off_t, const void*, size_t) override { return B_NOT_ALLOWED; }
    off_t Seek(off_t position, uint32 mode) override
    {
        const off_t base = mode == SEEK_CUR   ? fPosition
                           : mode == SEEK_END ? off_t(fBytes.size())
                                              : 0;
        if (base + position < 0)
            return B_BAD_VALUE;
        fPosition = base + position;
        return fPosition;
    }
    off_t Position() const override { return fPosition; }

private:
    const std::vector<uint8>& fBytes;
    off_t fPosition = 0;
};

// The picture fitted into the icon square, centred, its aspect kept; each
// icon pixel is the alpha-weighted mean of the picture pixels under it.
std::shared_ptr<BBitmap> icon_from(const BBitmap& picture)
{
    const int32 width = picture.Bounds().IntegerWidth() + 1;
    const int32 height = picture.Bounds().IntegerHeight() + 1;
    constexpr int32 side = AddressBook::kIconSize;
    auto icon = std::make_shared<BBitmap>(BRect(0, 0, side - 1, side - 1), B_RGBA32);
    if (!icon->IsValid() || width <= 0 || height <= 0)
        return nullptr;
    const int32 longer = std::max(width, height);
    const int32 outWidth = std::max<int32>(1, int32(int64(width) * side / longer));
    const int32 outHeight = std::max<int32>(1, int32(int64(height) * side / longer));
    const int32 left = (side - outWidth) / 2;
    const int32 top = (side - outHeight) / 2;
    const auto* source = static_cast<const uint8*>(picture.Bits());
    auto* target = static_cast<uint8*>(icon->Bits());
    for (int32 y = 0; y < outHeight; y++) {
        const int32 y0 = int32(int64(y) * height / outHeight);
        const int32 y1 = std::max(y0 + 1, int32(int64(y + 1) * height / outHeight));
        for (int32 x = 0; x < outWidth; x++) {
            const int32 x0 = int32(int64(x) * width / outWidth);
            const int32 x1 = std::max(x0 + 1, int32(int64(x + 1) * width / outWidth));
            uint64 sum[4] = {0, 0, 0, 0};
            for (int32 sy = y0; sy < y1; sy++) {
                const uint8* row = source + size_t(sy) * size_t(picture.BytesPerRow());
                for (int32 sx = x0; sx < x1; sx++) {
                    const uint8* pixel = row + size_t(sx) * 4;
                    for (int c = 0; c < 3; c++)
                        sum[c] += uint64(pixel[c]) * pixel[3];
                    sum[3] += pixel[3];
                }
            }
            const uint64 count = uint64(y1 - y0) * uint64(x1 - x0);
            uint8* out =
                target + size_t(top + y) * size_t(icon->BytesPerRow()) + size_t(left + x) * 4;
            for (int c = 0; c < 3; c++)
                out[c] = sum[3] == 0 ? 0 : uint8((sum[c] + sum[3] / 2) / sum[3]);
            out[3] = uint8((sum[3] + count / 2) / count);
        }
    }
    return icon;
}

// The photo's bytes: "ENCODING=b"/"BASE64" (2.1, 3.0) or a "data:" URI
// with ";base64" (4.0). Nothing for a link to elsewhere.
std::optional<std::vector<uint8>> photo_bytes(const ContentLine& line)
{
    std::string_view value = line.value;
    if (value.size() > 5 && same_word(value.substr(0, 5), "data:")) {
        const size_t comma = value.find(',');
        if (comma == std::string_view::npos ||
            upper(value.substr(0, comma)).find(";BASE64") == std::string::npos)
            return std::nullopt;
        return base64(value.substr(comma + 1));
    }
    if (line.Has("ENCODING", "B") || line.Has("ENCODING", "BASE64"))
        return base64(value);
    return std::nullopt;
}

std::shared_ptr<BBitmap> photo_icon(const ContentLine& line, const std::string& where)
{
    if (line.value.size() / 4 * 3 > AddressBook::kMaxPhotoBytes) {
        printf("%s: photo larger than %zu bytes left out\n", where.c_str(),
               AddressBook::kMaxPhotoBytes);
        return nullptr;
    }
    std::optional<std::vector<uint8>> bytes = photo_bytes(line);
    if (!bytes || bytes->empty())
        return nullptr;
    MemoryIO stream(*bytes);
    std::unique_ptr<BBitmap> picture(BTranslationUtils::GetBitmap(&stream));
    if (!picture) {
        printf("%s: photo is no picture\n", where.c_str());
        return nullptr;
    }
    return icon_from(*picture);
}

// MARK: Cards

struct CardReader
{
    const std::string& source;
    std::vector<AddressBook::Entry> entries;
    std::optional<AddressBook::Entry> card;
    bool hasMail = false;
    bool hasOrg = false;
    bool hasCategory = false;
    size_t number = 0; // cards begun

    std::string Where() const { return source + ": card " + std::to_string(number); }

    void Begin()
    {
        if (card)
            printf("%s skipped: no END\n", Where().c_str());
        number++;
        card.emplace();
        hasMail = hasOrg = hasCategory = false;
    }

    void End()
    {
        if (!card)
            return;
        if (card->name.empty())
            printf("%s skipped: no name\n", Where().c_str());
        else
            entries.push_back(std::move(*card));
        card.reset();
    }

    void Take(const ContentLine& line)
    {
        AddressBook::Entry& entry = *card;
        if (line.name == "FN") {
            entry.name = clean_text(split_value(text_value(line, line.value), '\0')[0]);
        } else if (line.name == "EMAIL" && !hasMail) {
            std::string mail = clean_text(split_value(text_value(line, line.value), '\0')[0]);
            if (!mail.empty()) {
                entry.mail = mail;
                hasMail = true;
            }
        } else if (line.name == "ORG" && !hasOrg) {
            for (const std::string& part : split_value(text_value(line, line.value), ';')) {
                std::string group = clean_text(part);
                if (!group.empty()) {
                    entry.group = group;
                    hasOrg = true;
                    break;
                }
            }
        } else if (line.name == "CATEGORIES" && !hasOrg && !hasCategory) {
            for (const std::string& part : split_value(text_value(line, line.value), ',')) {
                std::string group = clean_text(part);
                if (!group.empty()) {
                    entry.group = group;
                    hasCategory = true;
                    break;
                }
            }
        } else if (line.name == "PHOTO" && !entry.icon) {
            entry.icon = photo_icon(line, Where());
        }
    }
};

} // namespace

// MARK: -

BMessage AddressBook::Entry::Message() const
{
    BMessage message('L4PE');
    message.AddString("people", name.c_str());
    message.AddString("mail", mail.c_str());
    message.AddString("group", group.c_str());
    return message;
}

bool AddressBook::Entry::GroupIsCostCentre() const
{
    size_t characters = 0;
    for (unsigned char c : group)
        characters += (c & 0xC0) != 0x80;
    return characters > 4;
}

std::vector<AddressBook::Entry> AddressBook::ReadCards(std::string_view text,
                                                       const std::string& source)
{
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    CardReader reader{source, {}, {}};
    for (const std::string& raw : logical_lines(text)) {
        std::optional<ContentLine> line = parse_line(raw);
        if (!line) {
            if (reader.card && !raw.empty())
                printf("%s: line without ':' ignored\n", reader.Where().c_str());
            continue;
        }
        if (line->name == "BEGIN" && same_word(line->value, "VCARD")) {
            if (reader.number >= kMaxCards) {
                printf("%s: only the first %zu cards read\n", source.c_str(), kMaxCards);
                reader.card.reset();
                break;
            }
            reader.Begin();
        } else if (line->name == "END" && same_word(line->value, "VCARD")) {
            reader.End();
        } else if (reader.card) {
            reader.Take(*line);
        }
    }
    if (reader.card)
        printf("%s skipped: no END\n", reader.Where().c_str());
    return std::move(reader.entries);
}

std::vector<AddressBook::Entry> AddressBook::ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        printf("%s: cannot be read\n", path.c_str());
        return {};
    }
    std::string bytes(kMaxFileBytes, '\0');
    file.read(bytes.data(), std::streamsize(bytes.size()));
    bytes.resize(size_t(file.gcount()));
    if (bytes.size() == kMaxFileBytes && file.peek() != std::ifstream::traits_type::eof())
        printf("%s: only the first %zu bytes read\n", path.c_str(), kMaxFileBytes);
    return ReadCards(bytes, path);
}

std::vector<std::string> AddressBook::Folders()
{
    std::string home;
    if (const char* value = getenv("HOME"); value != nullptr && *value != '\0')
        home = value;
    std::vector<std::string> folders;
    if (!home.empty())
        folders.push_back(home + "/people");
    const char* data = getenv("XDG_DATA_HOME");
    // A relative XDG_DATA_HOME is ignored, as the desktop rules say.
    if (data != nullptr && data[0] == '/')
        folders.push_back(std::string(data) + "/vantrel/people");
    else if (!home.empty())
        folders.push_back(home + "/.local/share/vantrel/people");
    return folders;
}

std::vector<AddressBook::Entry> AddressBook::Scan()
{
    return Scan(Folders());
}

std::vector<AddressBook::Entry> AddressBook::Scan(const std::vector<std::string>& folders)
{
    std::vector<Entry> entries;
    for (const std::string& folder : folders) {
        std::vector<std::filesystem::path> files;
        std::error_code error;
        for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
             it.increment(error)) {
            const std::filesystem::path& path = it->path();
            if (it->is_regular_file(error) && same_word(path.extension().string(), ".vcf"))
                files.push_back(path);
        }
        std::sort(files.begin(), files.end(), [](const auto& a, const auto& b) {
            return upper(a.filename().string()) < upper(b.filename().string());
        });
        for (const std::filesystem::path& file : files) {
            std::vector<Entry> read = ReadFile(file.string());
            std::move(read.begin(), read.end(), std::back_inserter(entries));
        }
    }
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Entry& a, const Entry& b) { return upper(a.name) < upper(b.name); });
    return entries;
}
