// Printing a view through a scripted dialog, and snapshots written as PNG,
// JPEG and GIF without ever losing the previous one.
#include "widgets/ViewPrint.h"

#include <gtest/gtest.h>

#include <memory>

#include "app/Paths.h"
#include "kit/display/TestWindow.h"
#include "kit/interface/Bitmap.h"
#include "kit/print/PrintDialog.h"
#include "kit/print/PrintJob.h"
#include "kit/storage/SafeFile.h"
#include "kit/translation/TranslationUtils.h"
#include "support/ProgramFolder.h"

// fontconfig keeps a few blocks of its configuration parser unreachable for
// the life of the process; that is the system library's, not a leak of ours.
// Weak: other test files of this program may say the same.
extern "C" __attribute__((weak)) const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

namespace {

// Answers "Save as PDF" unless told to cancel a kind of question.
class ScriptedDialog : public PrintDialog
{
public:
    status_t Go(Kind kind, const char* jobName, const std::vector<std::string>&,
                std::string* printer) override
    {
        asked.push_back(std::string(kind == kPageSetup ? "page " : "job ") + jobName);
        if (kind == cancel)
            return B_ERROR;
        *printer = "";
        return B_OK;
    }

    int cancel = -1;
    std::vector<std::string> asked;
};

int count_pages(const std::string& pdf)
{
    int count = 0;
    for (size_t at = pdf.find("/Type /Page"); at != std::string::npos;
         at = pdf.find("/Type /Page", at + 1))
        count += pdf.compare(at, 12, "/Type /Pages") != 0;
    return count;
}

} // namespace

TEST(ViewPrint, CancelGivesMinusOneSuccessOnePageUnderANewName)
{
    ProgramFolder program;
    ScriptedDialog dialog;
    BPrintJob::SetDialogForTesting(&dialog);
    TestWindow test;
    auto* view = test.Add(new ProbeView(BRect(10, 10, 109, 59), "printed"));
    test.ShowAndWait();
    auto print = [&](BView* target, std::string* out) {
        dialog.asked.clear();
        testing::internal::CaptureStdout();
        int32 result = ViewPrint(target);
        *out = testing::internal::GetCapturedStdout();
        return result;
    };
    std::string out;

    dialog.cancel = PrintDialog::kPageSetup;
    EXPECT_EQ(print(view, &out), -1);
    EXPECT_EQ(out, "\nnew printing...\n<1>result not B_OK\n");
    dialog.cancel = PrintDialog::kJobSetup;
    EXPECT_EQ(print(view, &out), -1);
    EXPECT_EQ(out, "\nnew printing...\n<2>result not B_OK\n");
    EXPECT_EQ(program.CountFiles("defs"), 0);

    dialog.cancel = -1;
    ASSERT_EQ(print(view, &out), 0);
    ASSERT_EQ(dialog.asked.size(), 2u);
    int number = std::stoi(dialog.asked[0].substr(std::string("page VantrelSpool").size()));
    // The page set-up is asked again: nothing is remembered between prints.
    ASSERT_EQ(print(view, &out), 0);
    std::string next = "VantrelSpool" + std::to_string(number + 1);
    EXPECT_EQ(dialog.asked, (std::vector<std::string>{"page " + next, "job " + next}));
    EXPECT_EQ(count_pages(program.Read("defs/" + next + ".pdf")), 1);
    EXPECT_EQ(print(nullptr, &out), -1);
    BPrintJob::SetDialogForTesting(nullptr);
}

namespace {

std::unique_ptr<BBitmap> sample_bitmap()
{
    auto bitmap = std::make_unique<BBitmap>(BRect(0, 0, 39, 29), B_RGB32);
    auto* pixels = static_cast<uint8*>(bitmap->Bits());
    for (int32 i = 0; i < bitmap->BitsLength(); i++)
        pixels[i] = static_cast<uint8>(i * 7);
    return bitmap;
}

int32 save(const std::string& path, BBitmap* bitmap, std::string* out)
{
    testing::internal::CaptureStdout();
    int32 result = LocalImageSave(path.c_str(), bitmap);
    *out = testing::internal::GetCapturedStdout();
    return result;
}

} // namespace

TEST(LocalImageSave, WritesTheFormatTheNameAsksFor)
{
    ProgramFolder program;
    auto bitmap = sample_bitmap();
    for (auto [name, type] : {std::pair{"a.png", "image/png"}, std::pair{"b.jpg", "image/jpeg"},
                              std::pair{"c.gif", "image/gif"}, std::pair{"d", "image/png"}}) {
        std::string path = program.Path(std::string("defs/") + name);
        program.Write(std::string("defs/") + name, "older");
        std::string out;
        ASSERT_EQ(save(path, bitmap.get(), &out), 0) << name;
        EXPECT_EQ(out, "LocalImageSave :\n\t'" + path + "'\nLocalImageSave : done\n");
        EXPECT_EQ(SniffFileType(path.c_str()), type);
        std::unique_ptr<BBitmap> back(BTranslationUtils::GetBitmap(path.c_str()));
        ASSERT_NE(back, nullptr) << name;
        EXPECT_EQ(back->Bounds(), bitmap->Bounds());
    }
    EXPECT_EQ(static_cast<uint8*>(bitmap->Bits())[1], 7) << "the bitmap stays the caller's";
    EXPECT_EQ(program.CountFiles("defs"), 4) << "no temporary file left";
}

TEST(LocalImageSave, KeepsThePreviousSnapshotWhenItCannotWrite)
{
    ProgramFolder program;
    auto bitmap = sample_bitmap();
    std::string out;
    const std::string missing = program.Path("nowhere/vtsnap.png");
    EXPECT_EQ(save(missing, bitmap.get(), &out), -1);
    EXPECT_EQ(out, "LocalImageSave :\n\t'" + missing + "'\nError creat ofile");

    std::filesystem::create_directory(program.Path("defs/folder.png"));
    EXPECT_EQ(save(program.Path("defs/folder.png"), bitmap.get(), &out), -1);
    EXPECT_TRUE(std::filesystem::is_directory(program.Path("defs/folder.png")));

    // A full disk while writing, and no bitmap: the old file stays.
    program.Write("defs/vtsnap.jpg", "older");
    BSafeFile::FailNthStep(1);
    EXPECT_EQ(save(program.Path("defs/vtsnap.jpg"), bitmap.get(), &out), -1);
    BSafeFile::FailNthStep(0);
    EXPECT_NE(out.find("Error writing ofile"), std::string::npos);
    EXPECT_EQ(save(program.Path("defs/vtsnap.jpg"), nullptr, &out), -1);
    EXPECT_EQ(program.Read("defs/vtsnap.jpg"), "older");
    EXPECT_EQ(program.CountFiles("defs"), 2);
}
