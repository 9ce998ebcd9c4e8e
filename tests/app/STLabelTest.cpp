// The label table: building it, the label file's sections, reloading and
// the shipped label file.
#include "app/STLabel.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "app/Settings.h"
#include "support/CorpusFiles.h"
#include "support/FileContents.h"
#include "support/ProgramFolder.h"

namespace {

const LabelArray* const kAll[] = {&butlab, &w_labs, &pb_lab, &o_stat, &o_typ,  &o_labs,
                                  &c_mons, &c_over, &wdaysn, &calmnu, &calbut, &pretxt,
                                  &htmtxt, &templn, &tmomnu, &usrmnu, &colvec};

// A program folder that is also the current folder, with no label table
// before or after the test.
class LabelTable : public testing::Test
{
protected:
    LabelTable() : fOldCwd(std::filesystem::current_path())
    {
        STLabel::DeleteMe();
        std::filesystem::current_path(fFolder.Root());
    }
    ~LabelTable() override
    {
        STLabel::DeleteMe();
        std::filesystem::current_path(fOldCwd);
    }

    // Builds the table with the label file in "templates".
    STLabel* Build(const std::string& labelFile, std::string* said = nullptr)
    {
        fFolder.Write("templates/language.html", labelFile);
        prefsdata = prefsdata | VTa_USE_LANGUAGE;
        testing::internal::CaptureStdout();
        STLabel* label = STLabel::getSTLabel();
        const std::string out = testing::internal::GetCapturedStdout();
        if (said != nullptr)
            *said = out;
        return label;
    }

    static std::vector<std::string> Texts(const LabelArray& array, bool builtIn = false)
    {
        std::vector<std::string> texts;
        for (int32 i = 0; i < array.CountItems(); i++)
            texts.push_back(builtIn ? array.BuiltInAt(i) : STLabel::getLabel(array, i));
        return texts;
    }

    ProgramFolder fFolder;
    std::filesystem::path fOldCwd;
};

std::string Table(const std::string& tag, const std::vector<std::string>& rows,
                  const std::string& heading = "")
{
    std::string text = "<h2>" + tag + "</h2>\n<table border=1 title=\"" + tag + "\">\n";
    if (!heading.empty())
        text += "<tr><th>" + heading + "</th><th>note</th></tr>\n";
    for (const std::string& row : rows)
        text += "<tr><td>" + row + "</td><td>note</td></tr>\n";
    return text + "</table>\n";
}

} // namespace

TEST_F(LabelTable, BuildingMakesTheFoldersAndSaysWhatItDid)
{
    std::filesystem::remove_all(fFolder.Root() / "defs");
    fFolder.Write("templates/language.html", Table("#TYP#", {"Fest"}));
    testing::internal::CaptureStdout();
    STLabel* label = STLabel::getSTLabel();
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              " ../templates OK\nmkdir"
              "missing: 'language.html'\n BUILD-STLabel-DONE\n");
    EXPECT_TRUE(fFolder.Exists("defs"));
    EXPECT_EQ(STLabel::getSTLabel(), label);
    // Without the option only the current folder counts.
    EXPECT_FALSE(label->LabelFilePresent());
    EXPECT_EQ(STLabel::getLabel(o_typ, 0), "Fix");
    EXPECT_EQ(label->TypeHeading(), "   Typ ");

    STLabel::DeleteMe();
    fFolder.Write("language.html", Table("#TYP#", {"Fest"}));
    testing::internal::CaptureStdout();
    label = STLabel::getSTLabel();
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(label->LabelFilePath(), "language.html");
    EXPECT_EQ(STLabel::getLabel(o_typ, 0), "Fest");
}

TEST_F(LabelTable, GetLabelOutsideAnArrayIsNotFound)
{
    EXPECT_EQ(STLabel::getLabel(wdaysn, 6), "Sun");
    EXPECT_EQ(STLabel::getLabel(wdaysn, 7), "-nf-");
    EXPECT_EQ(STLabel::getLabel(wdaysn, -1), "-nf-");
    EXPECT_EQ(STLabel::getLabel(o_labs, 5), "%U | %j");
    EXPECT_EQ(STLabel::getLabel(calmnu, 24), "--");
    const int32 sizes[] = {9, 15, 4, 5, 3, 9, 12, 7, 7, 26, 3, 11, 7, 7, 9, 16, 22};
    for (size_t i = 0; i < std::size(kAll); i++)
        EXPECT_EQ(kAll[i]->CountItems(), sizes[i]) << i;
}

TEST_F(LabelTable, SectionsFollowTheFileRules)
{
    std::vector<std::string> fourteen;
    for (int i = 1; i <= 14; i++)
        fourteen.push_back("M" + std::to_string(i));
    const std::string x490(490, 'x');
    const struct
    {
        std::string file;
        const LabelArray& array;
        int32 count;
        std::vector<std::string> first; // the entries from index 0 on
    } cases[] = {
        {Table("#CNAMES#", {"Januar", "Februar"}), c_mons, 2, {"Januar", "Februar", "March"}},
        {Table("#CNAMES#", fourteen), c_mons, 12, {fourteen.begin(), fourteen.end() - 2}},
        // The tag and "<table" on different lines.
        {"<h2>#TYP#</h2>\n<table>\n<tr><td>Fest</td></tr>\n</table>\n", o_typ, 0, {"Fix"}},
        {"<table id=#CALBU#>\n<tr><td>A</td></tr>\n<tr><td>B</td></tr>", calbut, 2, {"A", "B"}},
        {Table("#TYP#", {"one"}) + Table("#TYP#", {"x", "y"}), o_typ, 1, {"one", "Repeat"}},
        // Leading tags, a row without a cell, a row over two lines.
        {"<table #TYP#>\n<tr class=a><td class=b><i>Fest</td></tr>\n<tr><th>x</th></tr>\n"
         "<tr><td>Serie\n</td></tr>\n<tr><td> ein mal </td></tr>\n</table>\n",
         o_typ,
         2,
         {"Fest", " ein mal ", "Single"}},
        {Table("#ONAMES#", {"Auftrag"}), o_labs, 1, {"Auftrag", "DNumber"}},
        // Pieces of 253 characters while searching, 511 inside a section.
        {"<table" + std::string(250, ' ') + "#TYP#>\n<tr><td>F</td></tr>", o_typ, 0, {"Fix"}},
        {"<table #TYP#>\n<tr><td>" + x490 + "</td></tr>\n</table>\n", o_typ, 1, {x490}},
    };
    for (size_t i = 0; i < std::size(cases); i++) {
        STLabel::DeleteMe();
        STLabel* label = Build(cases[i].file);
        EXPECT_EQ(label->SectionCount(cases[i].array), cases[i].count) << i;
        const auto texts = Texts(cases[i].array);
        for (size_t at = 0; at < cases[i].first.size(); at++)
            EXPECT_EQ(texts[at], cases[i].first[at]) << i << " " << at;
    }
}

// The fuzz target's seeds: each fills some sections, none beyond its array.
TEST_F(LabelTable, FuzzSeedsFillSectionsWithinTheirArrays)
{
    const auto seeds = CorpusFiles({"fuzz/corpus/label_file"});
    EXPECT_GE(seeds.size(), 2u);
    for (const CorpusFile& seed : seeds) {
        STLabel::DeleteMe();
        STLabel* label = Build(seed.bytes);
        int32 filled = 0;
        for (const LabelArray* array : kAll) {
            const int32 count = label->SectionCount(*array);
            EXPECT_TRUE(count >= 0 && count <= array->CountItems()) << seed.name;
            filled += count;
        }
        EXPECT_GT(filled, 0) << seed.name;
    }
}

TEST_F(LabelTable, HeadingsComeFromTheirTables)
{
    STLabel* label = Build(Table("#STATUS#", {"Vorschau"}, "Zustand") + Table("#TYP#", {"Fest"}));
    EXPECT_EQ(label->StatusHeading(), "Zustand");
    EXPECT_EQ(label->TypeHeading(), "-missing-");
    EXPECT_EQ(STLabel::getLabel(o_typ, 0), "Fest");
    EXPECT_EQ(STLabel::getLabel(o_stat, 0), "Vorschau");

    std::string heading;
    EXPECT_EQ(STLabel::GetNamesFromTable(fFolder.Path("templates/language.html"), "#STATUS#",
                                         o_stat, heading),
              1);
    EXPECT_EQ(heading, "Zustand");
    EXPECT_EQ(STLabel::FindLabel("<tr><td>a</td><td>b</td></tr>", 1), "a");
    EXPECT_EQ(STLabel::FindLabel("<tr><th>a</th></tr>", 1), std::nullopt);
}

TEST_F(LabelTable, ReloadReplacesEntriesAndForgetsRemovedOnes)
{
    STLabel* label = Build(Table("#CNAMES#", {"Januar", "Februar", "Maerz"}));
    fFolder.Write("templates/language.html", Table("#CNAMES#", {"Jan"}));
    reload_htm = 1;
    testing::internal::CaptureStdout();
    label->Reload();
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(reload_htm, 0);
    EXPECT_EQ(Texts(c_mons)[0], "Jan");
    EXPECT_EQ(Texts(c_mons)[1], "Februay");
    EXPECT_EQ(label->SectionCount(c_mons), 1);

    std::filesystem::remove(fFolder.Path("templates/language.html"));
    testing::internal::CaptureStdout();
    label->Reload();
    const std::string said = testing::internal::GetCapturedStdout();
    EXPECT_EQ(Texts(c_mons), Texts(c_mons, true));
    EXPECT_EQ(label->SectionCount(c_mons), 0);
    EXPECT_EQ(label->StatusHeading(), "-missing-");
    EXPECT_NE(
        said.find(" '" + fFolder.Path("templates/language.html") + "' Missing, using default !\n"),
        std::string::npos);

    testing::internal::CaptureStdout();
    label->listLabel(o_typ);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "[Fix][Repeat][Single]\n");
}

TEST_F(LabelTable, ShippedLabelFileRestatesEveryBuiltInText)
{
    const std::string shipped =
        ReadWholeFile(VANTREL_SOURCE_DIR "/resources/templates/language.html");
    ASSERT_FALSE(shipped.empty());
    STLabel* label = Build(shipped);
    for (const LabelArray* array : kAll) {
        EXPECT_EQ(label->SectionCount(*array), array->CountItems()) << array->BuiltInAt(0);
        EXPECT_EQ(Texts(*array), Texts(*array, true));
    }
    EXPECT_EQ(label->StatusHeading(), "Status ");
    EXPECT_EQ(label->TypeHeading(), "   Typ ");
}

// A picture that does not decode is no background at all.
TEST_F(LabelTable, BackgroundImageOnlyWhenItDecodes)
{
    prefsdata = prefsdata | VTa_USE_IMAGE;
    fFolder.Write("icons/back.jpg", "\xff\xd8\xff\xe0 broken");
    std::string said;
    STLabel* label = Build("", &said);
    EXPECT_FALSE(label->BackgroundImageLoaded());
    EXPECT_EQ(label->BackgroundImage(), nullptr);
    EXPECT_NE(said.find("\xc2\xa0"
                        "can't translate '" +
                        fFolder.Path("icons/back.jpg") + "'\n"),
              std::string::npos);
}
