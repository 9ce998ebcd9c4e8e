#include "app/STLabel.h"

#include <sys/stat.h>

#include <cstdio>
#include <vector>

#include "app/Globals.h"
#include "app/Paths.h"
#include "app/Settings.h"
#include "kit/interface/Bitmap.h"
#include "kit/storage/File.h"
#include "kit/translation/BitmapStream.h"
#include "kit/translation/TranslatorRoster.h"

LabelArray butlab{"Cal", "Wko", "Ord", "Prn", "HTM", "fwd", "bwd", "Hdy", "Snap"};
LabelArray w_labs{
    "Name",        "Aliasname",   "CostCenter", "Workingweek:", "Begintime: ",     "Aktivtime: ",
    "Breaktime: ", "from: ",      "   to: ",    "add Days",     "delete selected", "Close View",
    " stressless", "Illnessdays", "OffDays"};
LabelArray pb_lab{"open", "ready", "_Worker", "Delete"};
LabelArray o_stat{" Preview ", " Activ ", " Progress ", " Closed ", " Break "};
LabelArray o_typ{"Fix", "Repeat", "Single"};
LabelArray o_labs{"OrderNr", "DNumber",     "Unit",        "  Deadline ", "PlanDate ",
                  "%U | %j", "Job Hours: ", "Sum Hours: ", "rem : "};
LabelArray c_mons{"January", "Februay", "March",     "April",   "May",      "June",
                  "July",    "August",  "September", "October", "November", "December"};
LabelArray c_over{"General View", " 1 Month", " 2 Months", " 3 Months",
                  " 6 Months",    " 1 Year",  " 2 Year"};
LabelArray wdaysn{"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
// Entry 24 is used by no menu; it holds a visible placeholder so that the
// entries after it keep their places.
LabelArray calmnu{"File",
                  "Open",
                  "Save",
                  "Close",
                  "New",
                  "About...",
                  "Preferences",
                  "Quit",
                  "Worker",
                  "Add WTemplate",
                  "Add Worker",
                  "Off-Days",
                  "Days of illness",
                  "Order",
                  "Add OTemplate",
                  "Add Order",
                  "sort Deadline",
                  "sort Targetdate",
                  "Holidays",
                  "Edit",
                  "Save ",
                  "Reload",
                  "Show as HTML",
                  "Save as",
                  "--",
                  "Optional"};
LabelArray calbut{"All in Row", "Worker List", "Order List"};
LabelArray pretxt{"Undo",
                  "Save & Close",
                  "Save Datas by Close-Window ",
                  "Border for IconButtons",
                  "Use Backgroundimage (Restart)",
                  "ProzessInfo instead Ordername",
                  "SubProzess no Ready-Hole",
                  "SubProzess Name instead Aliase",
                  "Use Language-File (Restart)",
                  "Use Default-Holidays '/defs/holiday.vth'",
                  " ? ? ? ? "};
LabelArray htmtxt{"with Sub-Prozesses", "Default",          "New",          "Cancel",
                  "Open HTML",          "Deadline overrun", "with Snapshot"};
LabelArray templn{"Cancel",
                  "OK",
                  "new Projectname:",
                  "Workertemplate Name:",
                  "Ordertemplate Name:",
                  "Save data",
                  "Save as template"};
LabelArray tmomnu{"Optimize ",
                  "Fix this Targetday (why?)",
                  "[F5] Undo",
                  "[F1] move 1 Day left",
                  "[F2] check the best..",
                  "[F3] include long distanz jobs",
                  "[F4] rock to previus jobs",
                  "--",
                  "--"};
LabelArray usrmnu{"Administration", "Logout",      "Close",        "Name:",
                  "Password:",      "Retry:",      "unknown",      "Single",
                  "Group",          "Admin",       "new Password", "add new User",
                  "edit Group",     "delete User", "add Worker",   "--"};
LabelArray colvec{"OR Preview",   "OR Open",    "OR Progress", "OR Closed",  "OR Break",
                  "OR Reserve",   "PB Open",    "PB Closed",   "PB Grow",    "KN Mark",
                  "KN Alarm",     "CL Illness", "CL Vacation", "CL Holiday", "CL Text",
                  "CL Mouseover", "CL Errors",  "Reserve 1",   "Reserve 2",  "Reserve 3",
                  "Reserve 4",    "Reserve 5"};

namespace {

struct Section
{
    const char* tag;
    LabelArray* array;
};

// In the order in which they are read. "#ONAMES" has no closing '#'; tags
// are looked for as parts of a line, so "#ONAMES#" matches as well.
const Section kSections[STLabel::kSectionCount] = {
    {"#GLOBALS#", &butlab}, {"#WNAMES#", &w_labs}, {"#PB_POP#", &pb_lab}, {"#STATUS#", &o_stat},
    {"#TYP#", &o_typ},      {"#ONAMES", &o_labs},  {"#CNAMES#", &c_mons}, {"#CXVIEW#", &c_over},
    {"#WDAYN#", &wdaysn},   {"#CALMN#", &calmnu},  {"#CALBU#", &calbut},  {"#PREFTX#", &pretxt},
    {"#HTMCFG#", &htmtxt},  {"#TENAME#", &templn}, {"#CRUNCH#", &tmomnu}, {"#USERN#", &usrmnu},
    {"#COLOR#", &colvec},
};

constexpr const char* kNotFound = "-nf-";
constexpr const char* kMissingHeading = "-missing-";
constexpr const char* kLabelFileName = "language.html";

// Longer lines are read as several lines.
constexpr size_t kSearchPiece = 253;
constexpr size_t kSectionPiece = 511;

bool Contains(const std::string& line, const char* part)
{
    return part != nullptr && line.find(part) != std::string::npos;
}

// The next piece of the file: up to the line end (dropped) or max
// characters, whichever comes first. A line of exactly max characters
// does not leave an empty piece behind.
bool NextPiece(FILE* file, size_t max, std::string& piece)
{
    piece.clear();
    int c;
    // The file is this thread's alone: no locking per character.
    while ((c = getc_unlocked(file)) != EOF) {
        if (c == '\n')
            return true;
        piece += char(c);
        if (piece.size() == max) {
            const int next = getc_unlocked(file);
            if (next != '\n' && next != EOF)
                ungetc(next, file);
            return true;
        }
    }
    return !piece.empty();
}

// The text between the last '>' before the first close and that close;
// from the start of the line when no '>' comes before it.
std::string CellText(const std::string& line, const char* close)
{
    const size_t end = line.find(close);
    if (end == std::string::npos)
        return {};
    const size_t gt = end == 0 ? std::string::npos : line.rfind('>', end - 1);
    const size_t begin = gt == std::string::npos ? 0 : gt + 1;
    return line.substr(begin, end - begin);
}

// The entries of one section and its heading; nothing when the file cannot
// be opened.
std::optional<std::vector<std::string>> ReadSection(const std::string& path, const char* tag,
                                                    size_t capacity, std::string& heading)
{
    heading = kMissingHeading;
    FILE* file = fopen(path.c_str(), "rb");
    if (file == nullptr) {
        printf(" '%s' Missing, using default !\n", path.c_str());
        return std::nullopt;
    }
    std::vector<std::string> entries;
    std::string line;
    bool inside = false;
    while (entries.size() < capacity &&
           NextPiece(file, inside ? kSectionPiece : kSearchPiece, line)) {
        if (!inside) {
            inside = Contains(line, tag) && Contains(line, "<table");
            continue;
        }
        if (Contains(line, "<th") && Contains(line, "</th>"))
            heading = CellText(line, "</th>");
        if (Contains(line, "<tr") && Contains(line, "</tr>")) {
            if (auto entry = STLabel::FindLabel(line, 1))
                entries.push_back(std::move(*entry));
        }
        if (Contains(line, "</table>"))
            break;
    }
    fclose(file);
    return entries;
}

} // namespace

std::atomic<STLabel*> STLabel::labelZgr{nullptr};
std::mutex STLabel::sCreateLock;

STLabel* STLabel::getSTLabel()
{
    if (STLabel* label = labelZgr.load())
        return label;
    std::lock_guard lock(sCreateLock);
    if (labelZgr.load() == nullptr)
        labelZgr = new STLabel();
    return labelZgr.load();
}

STLabel* STLabel::Existing()
{
    return labelZgr.load();
}

void STLabel::DeleteMe()
{
    std::lock_guard lock(sCreateLock);
    delete labelZgr.exchange(nullptr);
}

STLabel::STLabel() : fLabelFilePresent(false), fImageLoaded(false)
{
    for (auto& count : fCounts)
        count = 0;
    _MakeFolder(kTemplatesFolder);
    _MakeFolder(kDefsFolder);

    if (prefsdata & VTa_USE_IMAGE) {
        const std::string path = BuildPath(path2app, kIconsFolder, "back.jpg");
        if (IsNodeTypeOk(path.c_str(), "image/")) {
            fImage = GetImage(path.c_str());
            // A picture that could not be decoded is no background at all.
            fImageLoaded = fImage != nullptr;
        }
    }

    if (prefsdata & VTa_USE_LANGUAGE)
        fLabelFile = BuildPath(path2app, kTemplatesFolder, kLabelFileName);
    else
        fLabelFile = kLabelFileName;
    fLabelFilePresent = IfExist(fLabelFile.c_str());
    fStatusHeading = "Status ";
    fTypeHeading = "   Typ ";

    if (!fLabelFilePresent)
        printf("missing: '%s'\n", fLabelFile.c_str());
    else
        Reload();
    fputs(" BUILD-STLabel-DONE\n", stdout);
}

STLabel::~STLabel()
{
    for (const Section& section : kSections)
        section.array->RestoreBuiltIn();
}

void STLabel::_MakeFolder(const char* name)
{
    const std::string path = BuildPath(path2app, name);
    struct stat info;
    if (stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
        printf(" ../%s OK\n", name);
        return;
    }
    mkdir(path.c_str(), 0755);
    fputs("mkdir", stdout);
}

void STLabel::Reload()
{
    fputs("STLabel::Reload\n", stdout);
    if (!fLabelFilePresent) {
        printf("missing: '%s'\n", fLabelFile.c_str());
    } else {
        for (int32 i = 0; i < kSectionCount; i++) {
            const Section& section = kSections[i];
            std::string heading;
            const auto entries =
                ReadSection(fLabelFile, section.tag, size_t(section.array->CountItems()), heading);
            section.array->Replace(entries ? *entries : std::vector<std::string>());
            fCounts[i] = entries ? int32(entries->size()) : 0;
            std::lock_guard lock(fHeadingLock);
            if (section.array == &o_stat)
                fStatusHeading = heading;
            else if (section.array == &o_typ)
                fTypeHeading = heading;
        }
    }
    reload_htm = 0;
}

void STLabel::listLabel(const LabelArray& array)
{
    for (int32 i = 0; i < array.CountItems(); i++)
        printf("[%s]", getLabel(array, i).c_str());
    fputs("\n", stdout);
}

std::string STLabel::getLabel(const LabelArray& array, int32 index)
{
    return array.ItemAt(index).value_or(kNotFound);
}

int32 STLabel::GetNamesFromTable(const std::string& path, const char* tag, LabelArray& array,
                                 std::string& heading)
{
    const auto entries = ReadSection(path, tag, size_t(array.CountItems()), heading);
    if (!entries)
        return 0;
    for (size_t i = 0; i < entries->size(); i++)
        array.SetItem(int32(i), (*entries)[i]);
    return int32(entries->size());
}

std::optional<std::string> STLabel::FindLabel(const std::string& line, int32 mode)
{
    if (mode != 1 || !Contains(line, "<td") || !Contains(line, "</td>"))
        return std::nullopt;
    return CellText(line, "</td>");
}

std::unique_ptr<BBitmap> STLabel::GetImage(const char* path)
{
    if (path == nullptr)
        return nullptr;
    BFile file(path, B_READ_ONLY);
    if (file.InitCheck() != B_OK)
        return nullptr;
    BBitmapStream stream;
    if (BTranslatorRoster::Default()->Translate(&file, nullptr, nullptr, &stream,
                                                B_TRANSLATOR_BITMAP) != B_OK) {
        printf("\xc2\xa0"
               "can't translate '%s'\n",
               path);
        return nullptr;
    }
    BBitmap* bitmap = nullptr;
    stream.DetachBitmap(&bitmap);
    return std::unique_ptr<BBitmap>(bitmap);
}

std::string STLabel::StatusHeading() const
{
    std::lock_guard lock(fHeadingLock);
    return fStatusHeading;
}

std::string STLabel::TypeHeading() const
{
    std::lock_guard lock(fHeadingLock);
    return fTypeHeading;
}

int32 STLabel::SectionCount(const LabelArray& array) const
{
    for (int32 i = 0; i < kSectionCount; i++) {
        if (kSections[i].array == &array)
            return fCounts[i];
    }
    return -1;
}
