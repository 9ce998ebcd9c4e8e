// Print jobs: the dialogs' answers, PDF pages, "Save as PDF" and lp, the
// printer list, and that the printed picture is what the window shows.
#include "kit/print/PrintJob.h"

#include <gtest/gtest.h>

#include <cairo.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "kit/app/Message.h"
#include "kit/app/ProgramLauncher.h"
#include "kit/display/TestWindow.h"
#include "kit/print/PrintDialog.h"
#include "kit/print/Printers.h"
#include "kit/storage/SafeFile.h"
#include "support/ScopedTempFolder.h"

namespace fs = std::filesystem;

// fontconfig keeps a few blocks of its configuration parser unreachable for
// the life of the process; that is the system library's, not a leak of ours.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

namespace {

// Answers the dialogs as a test tells it and records the questions.
class ScriptedDialog : public PrintDialog
{
public:
    status_t Go(Kind kind, const char*, const std::vector<std::string>&,
                std::string* printer) override
    {
        asked.push_back(kind);
        if (answer != B_OK)
            return answer;
        *printer = choice;
        return B_OK;
    }

    status_t answer = B_OK;
    std::string choice; // "" is "Save as PDF"
    std::vector<Kind> asked;
};

class PrintJobTest : public ::testing::Test
{
protected:
    void SetUp() override { BPrintJob::SetDialogForTesting(&dialog); }

    void TearDown() override
    {
        BPrintJob::SetDialogForTesting(nullptr);
        ProgramLauncher::SetRecorder(nullptr);
    }

    std::vector<fs::path> Files() const
    {
        std::vector<fs::path> files;
        for (const auto& entry : fs::directory_iterator(folder))
            files.push_back(entry.path());
        return files;
    }

    ScopedTempFolder temp;
    const fs::path& folder = temp.Path();
    ScriptedDialog dialog;
};

std::string read_file(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Page objects, not the page tree ("/Type /Pages").
int count_pages(const std::string& pdf)
{
    int count = 0;
    for (size_t at = pdf.find("/Type"); at != std::string::npos; at = pdf.find("/Type", at + 1)) {
        size_t name = pdf.find_first_not_of(" \r\n\t", at + 5);
        if (name != std::string::npos && pdf.compare(name, 5, "/Page") == 0 &&
            (name + 5 >= pdf.size() || pdf[name + 5] != 's'))
            count++;
    }
    return count;
}

ProbeView* sample_view(BRect frame)
{
    auto* view = new ProbeView(frame, "sample");
    view->SetViewColor(216, 216, 216);
    view->onDraw = [](BView* self, BRect) {
        self->SetHighColor(30, 80, 200);
        self->FillRect(BRect(5, 5, 60, 25));
        self->SetHighColor(255, 255, 255);
        self->StrokeLine(BPoint(5, 5), BPoint(60, 5));
        self->SetHighColor(0, 0, 0);
        self->DrawString("Printed", BPoint(8, 40));
    };
    auto* child = new ProbeView(BRect(70, 10, 89, 29), "child");
    child->SetViewColor(200, 40, 40);
    view->AddChild(child);
    return view;
}

} // namespace

TEST_F(PrintJobTest, SaveAsPdfWritesOnePagePerSpool)
{
    TestWindow test;
    ProbeView* view = test.Add(sample_view(BRect(10, 10, 109, 59)));
    test.ShowAndWait();

    BPrintJob job("VantrelSpool1");
    job.SetPdfFolder(folder.c_str());
    ASSERT_EQ(job.ConfigPage(), B_OK);
    ASSERT_EQ(job.ConfigJob(), B_OK);
    EXPECT_EQ(dialog.asked,
              (std::vector<PrintDialog::Kind>{PrintDialog::kPageSetup, PrintDialog::kJobSetup}));
    job.BeginJob();
    ASSERT_TRUE(job.CanContinue());
    for (int page = 0; page < 2; page++) {
        job.DrawView(view, view->Bounds(), BPoint(31, 31));
        job.SpoolPage();
    }
    job.CommitJob();
    EXPECT_TRUE(job.CanContinue());
    EXPECT_EQ(job.CountSpooledPages(), 2);

    // Only the finished file is left: the spool file was renamed over it.
    fs::path saved = folder / "VantrelSpool1.pdf";
    EXPECT_EQ(Files(), std::vector<fs::path>{saved});
    EXPECT_EQ(fs::path(job.DocumentPath()), saved);
    std::string pdf = read_file(saved);
    EXPECT_EQ(pdf.rfind("%PDF-", 0), 0u);
    EXPECT_EQ(count_pages(pdf), 2);
    // The page is A4 in points.
    EXPECT_NE(pdf.find("/MediaBox [ 0 0 595 842 ]"), std::string::npos);
}

// The spool file is synced and renamed over the PDF saved before: when the
// sync or the rename fails, that PDF stays whole and no spool file is left.
TEST_F(PrintJobTest, FailedSaveAsPdfKeepsTheOldFile)
{
    TestWindow test;
    ProbeView* view = test.Add(sample_view(BRect(0, 0, 99, 49)));
    test.ShowAndWait();
    const fs::path saved = folder / "Plan.pdf";
    std::ofstream(saved) << "old pdf";
    auto save = [&] {
        BPrintJob job("Plan");
        job.SetPdfFolder(folder.c_str());
        EXPECT_EQ(job.ConfigJob(), B_OK);
        job.BeginJob();
        job.DrawView(view, view->Bounds(), B_ORIGIN);
        job.SpoolPage();
        job.CommitJob();
        return job.CanContinue();
    };
    for (int step : {1, 2}) {
        BSafeFile::FailNthStep(step);
        EXPECT_FALSE(save()) << step;
        EXPECT_EQ(read_file(saved), "old pdf") << step;
        EXPECT_EQ(Files(), std::vector<fs::path>{saved}) << step;
    }
    BSafeFile::FailNthStep(0);
    EXPECT_TRUE(save());
    EXPECT_EQ(read_file(saved).rfind("%PDF-", 0), 0u);
    EXPECT_EQ(Files(), std::vector<fs::path>{saved});
}

TEST_F(PrintJobTest, CancelledDialogOrJobWritesNothing)
{
    TestWindow test;
    ProbeView* view = test.Add(sample_view(BRect(0, 0, 99, 49)));
    test.ShowAndWait();

    dialog.answer = B_ERROR;
    BPrintJob refused("refused");
    refused.SetPdfFolder(folder.c_str());
    EXPECT_NE(refused.ConfigJob(), B_OK);
    EXPECT_EQ(refused.Settings(), nullptr);
    // A program that carries on anyway prints nothing.
    refused.BeginJob();
    EXPECT_FALSE(refused.CanContinue());
    refused.DrawView(view, view->Bounds(), B_ORIGIN);
    refused.SpoolPage();
    refused.CommitJob();

    dialog.answer = B_OK;
    BPrintJob cancelled("cancelled");
    cancelled.SetPdfFolder(folder.c_str());
    ASSERT_EQ(cancelled.ConfigJob(), B_OK);
    cancelled.BeginJob();
    cancelled.DrawView(view, view->Bounds(), B_ORIGIN);
    cancelled.SpoolPage();
    cancelled.CancelJob();
    EXPECT_FALSE(cancelled.CanContinue());
    cancelled.CommitJob();

    {
        // Dropped without a commit: the spool file goes with the job.
        BPrintJob dropped("dropped");
        dropped.SetPdfFolder(folder.c_str());
        ASSERT_EQ(dropped.ConfigJob(), B_OK);
        dropped.BeginJob();
        dropped.SpoolPage();
    }
    EXPECT_TRUE(Files().empty());
}

TEST_F(PrintJobTest, PrinterGetsTheFileThroughLp)
{
    std::vector<std::vector<std::string>> launched;
    ProgramLauncher::SetRecorder(
        [&](const std::vector<std::string>& argv) { launched.push_back(argv); });
    dialog.choice = "Office Laser;2";

    TestWindow test;
    ProbeView* view = test.Add(sample_view(BRect(0, 0, 99, 49)));
    test.ShowAndWait();
    BPrintJob job("VantrelSpool2");
    job.SetPdfFolder(folder.c_str());
    ASSERT_EQ(job.ConfigJob(), B_OK);
    job.BeginJob();
    job.DrawView(view, view->Bounds(), BPoint(31, 31));
    job.SpoolPage();
    job.CommitJob();
    EXPECT_TRUE(job.CanContinue());

    ASSERT_EQ(launched.size(), 1u);
    std::string spooled = job.DocumentPath();
    EXPECT_EQ(launched[0], (std::vector<std::string>{"lp", "-d", "Office Laser;2", spooled}));
    EXPECT_EQ(count_pages(read_file(spooled)), 1);
    EXPECT_TRUE(Files().empty()); // nothing saved as PDF
    fs::remove(spooled);
}

TEST_F(PrintJobTest, RememberedSettingsSkipTheDialogs)
{
    dialog.choice = "Laser";
    BPrintJob first("first");
    ASSERT_EQ(first.ConfigPage(), B_OK);
    std::unique_ptr<BMessage> settings(first.Settings());
    ASSERT_NE(settings, nullptr);
    EXPECT_STREQ(settings->GetString("printer", "?"), "Laser");

    BPrintJob second("second");
    second.SetSettings(new BMessage(*settings));
    std::unique_ptr<BMessage> copied(second.Settings());
    ASSERT_NE(copied, nullptr);
    EXPECT_STREQ(copied->GetString("printer", "?"), "Laser");
    EXPECT_EQ(dialog.asked.size(), 1u);

    BPrintJob third("third");
    third.SetSettings(new BMessage('what'));
    EXPECT_EQ(third.Settings(), nullptr);
    EXPECT_FALSE(third.IsSettingsMessageValid(nullptr));

    EXPECT_EQ(first.PaperRect(), BRect(0, 0, 595, 842));
    BRect printable = first.PrintableRect();
    EXPECT_TRUE(first.PaperRect().Contains(printable));
    EXPECT_GT(printable.left, 0);
    EXPECT_LT(printable.right, 595);
}

// The picture put on the page is drawn by the same code as the window.
TEST(PrintPicture, EqualsTheWindowPixels)
{
    TestWindow test;
    const BRect frame(20, 30, 119, 79);
    ProbeView* view = test.Add(sample_view(frame));
    test.ShowAndWait();

    // A part of the view, so the rectangle's origin must be honoured.
    const BRect part(3, 4, 94, 44);
    int width = int(part.Width()) + 1, height = int(part.Height()) + 1;
    cairo_surface_t* picture = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    test.window->Lock();
    view->_DrawInto(picture, part);
    test.window->Unlock();
    cairo_surface_flush(picture);

    const uint8* data = cairo_image_surface_get_data(picture);
    int stride = cairo_image_surface_get_stride(picture);
    int differences = 0;
    for (int y = 0; y < height; y++) {
        for (int x = 0; x < width; x++) {
            const uint8* pixel = data + y * stride + x * 4;
            rgb_color printed{pixel[2], pixel[1], pixel[0], 255};
            rgb_color shown = test.Pixel(frame.left + part.left + x, frame.top + part.top + y);
            if (!same_rgb(printed, shown) && differences++ < 5)
                ADD_FAILURE() << x << ", " << y << ": " << describe(printed)
                              << " != " << describe(shown);
        }
    }
    EXPECT_EQ(differences, 0);
    cairo_surface_destroy(picture);
}

TEST(Printers, ListParsedFromLpstat)
{
    struct
    {
        const char* output;
        std::vector<std::string> printers;
    } cases[] = {
        {"", {}},
        {"Office_Laser accepting requests since Mon 01 Jan 2024 10:00:00 CET\n", {"Office_Laser"}},
        {"a accepting requests since x\nb-2 accepting requests since y", {"a", "b-2"}},
        // Indented detail lines and blank lines are no printers.
        {"pdf accepting\n\tDescription: x\n\n  more\nlast\r\n", {"pdf", "last"}},
    };
    for (const auto& each : cases)
        EXPECT_EQ(BPrivate::parse_printer_list(each.output), each.printers) << each.output;
}

TEST(Printers, CaptureRunsArgvWithoutShell)
{
    std::string output;
    EXPECT_EQ(BPrivate::capture_output({"printf", "%s|", "a b;c", "$HOME `x`"}, &output), B_OK);
    EXPECT_EQ(output, "a b;c|$HOME `x`|");
    EXPECT_EQ(BPrivate::capture_output({"false"}, &output), B_ERROR);
    EXPECT_EQ(BPrivate::capture_output({"vantrel-no-such-program"}, &output), B_ERROR);
    EXPECT_EQ(BPrivate::capture_output({}, &output), B_BAD_VALUE);
}
