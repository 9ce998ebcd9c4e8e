#include "kit/print/PrintJob.h"

#include <cairo-pdf.h>
#include <cairo.h>
#include <unistd.h>

#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "kit/app/Message.h"
#include "kit/app/ProgramLauncher.h"
#include "kit/interface/View.h"
#include "kit/interface/Window.h"
#include "kit/print/PrintDialog.h"
#include "kit/print/Printers.h"
#include "kit/storage/DurableRename.h"

namespace {

constexpr float kPaperWidth = 595;
constexpr float kPaperHeight = 842;
constexpr float kMargin = 18;

std::atomic<PrintDialog*> sTestDialog{nullptr};

// A file that exists and is ours alone, from a mkstemps() pattern.
std::string make_unique_file(std::string pattern, int suffixLength)
{
    int fd = mkstemps(pattern.data(), suffixLength);
    if (fd < 0)
        return {};
    close(fd);
    return pattern;
}

} // namespace

BPrintJob::BPrintJob(const char* jobName) : fName(jobName != nullptr ? jobName : "") {}

BPrintJob::~BPrintJob()
{
    _Discard();
}

// MARK: Settings

status_t BPrintJob::ConfigPage()
{
    return _Ask(PrintDialog::kPageSetup);
}

status_t BPrintJob::ConfigJob()
{
    return _Ask(PrintDialog::kJobSetup);
}

status_t BPrintJob::_Ask(int kind)
{
    PrintDialog* dialog = sTestDialog.load();
    if (dialog == nullptr)
        dialog = PrintDialog::Default();
    std::string printer = fPrinter;
    status_t status = dialog->Go(static_cast<PrintDialog::Kind>(kind), fName.c_str(),
                                 BPrivate::list_printers(), &printer);
    if (status != B_OK)
        return B_ERROR;
    fPrinter = printer;
    fConfigured = true;
    return B_OK;
}

BMessage* BPrintJob::Settings() const
{
    if (!fConfigured)
        return nullptr;
    auto* settings = new BMessage(kSettingsWhat);
    settings->AddString("printer", fPrinter.c_str());
    settings->AddRect("paper", BRect(0, 0, kPaperWidth, kPaperHeight));
    return settings;
}

void BPrintJob::SetSettings(BMessage* settings)
{
    if (IsSettingsMessageValid(settings)) {
        fPrinter = settings->GetString("printer", "");
        fConfigured = true;
    }
    delete settings;
}

bool BPrintJob::IsSettingsMessageValid(const BMessage* settings) const
{
    return settings != nullptr && settings->what == kSettingsWhat && settings->HasString("printer");
}

void BPrintJob::SetPdfFolder(const char* path)
{
    fPdfFolder = path != nullptr ? path : "";
}

void BPrintJob::SetDialogForTesting(PrintDialog* dialog)
{
    sTestDialog.store(dialog);
}

// MARK: The job

void BPrintJob::BeginJob()
{
    _Discard();
    fStatus = B_OK;
    fPages = 0;
    if (!fConfigured) {
        // As on the platform: nothing is printed before the job dialog.
        fStatus = B_ERROR;
        return;
    }

    std::error_code error;
    if (fPrinter.empty()) {
        // Beside the target, renamed over it when committed.
        std::filesystem::path folder = fPdfFolder.empty()
                                           ? std::filesystem::temp_directory_path(error)
                                           : std::filesystem::path(fPdfFolder);
        fSpoolPath = make_unique_file((folder / ("." + _FileStem() + ".XXXXXX.pdf")).string(), 4);
    } else {
        std::filesystem::path folder = std::filesystem::temp_directory_path(error);
        fSpoolPath = make_unique_file((folder / "vantrel-print-XXXXXX.pdf").string(), 4);
    }
    if (fSpoolPath.empty()) {
        printf("BPrintJob: cannot create the spool file\n");
        fStatus = B_ERROR;
        return;
    }
    fSurface = cairo_pdf_surface_create(fSpoolPath.c_str(), kPaperWidth, kPaperHeight);
    fContext = cairo_create(fSurface);
    if (cairo_status(fContext) != CAIRO_STATUS_SUCCESS) {
        _Discard();
        fStatus = B_ERROR;
    }
}

void BPrintJob::DrawView(BView* view, BRect rect, BPoint where)
{
    if (fContext == nullptr || view == nullptr || !rect.IsValid())
        return;
    int width = static_cast<int>(std::floor(rect.Width())) + 1;
    int height = static_cast<int>(std::floor(rect.Height())) + 1;
    cairo_surface_t* picture = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    if (cairo_surface_status(picture) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(picture);
        fStatus = B_NO_MEMORY;
        return;
    }
    cairo_t* white = cairo_create(picture);
    cairo_set_source_rgb(white, 1, 1, 1);
    cairo_paint(white);
    cairo_destroy(white);

    BWindow* window = view->Window();
    if (window != nullptr)
        window->Lock();
    view->_DrawInto(picture, rect);
    if (window != nullptr)
        window->Unlock();
    cairo_surface_flush(picture);

    BRect printable = PrintableRect();
    cairo_save(fContext);
    cairo_rectangle(fContext, printable.left, printable.top, printable.Width(), printable.Height());
    cairo_clip(fContext);
    cairo_set_source_surface(fContext, picture, printable.left + where.x, printable.top + where.y);
    // Pixels stay sharp squares when the page is printed larger.
    cairo_pattern_set_filter(cairo_get_source(fContext), CAIRO_FILTER_NEAREST);
    cairo_paint(fContext);
    cairo_restore(fContext);
    cairo_surface_destroy(picture);
}

void BPrintJob::SpoolPage()
{
    if (fContext == nullptr)
        return;
    cairo_show_page(fContext);
    fPages++;
}

void BPrintJob::CommitJob()
{
    if (fContext == nullptr)
        return;
    if (fPages == 0) {
        printf("BPrintJob: no pages to print\n");
        _Discard();
        fStatus = B_ERROR;
        return;
    }
    cairo_destroy(fContext);
    fContext = nullptr;
    cairo_surface_finish(fSurface);
    cairo_status_t written = cairo_surface_status(fSurface);
    cairo_surface_destroy(fSurface);
    fSurface = nullptr;
    if (written != CAIRO_STATUS_SUCCESS) {
        printf("BPrintJob: writing '%s' failed\n", fSpoolPath.c_str());
        _Discard();
        fStatus = B_ERROR;
        return;
    }

    if (fPrinter.empty()) {
        // Synced and renamed like every other save, so a crash leaves the
        // old PDF or the new one.
        std::string target =
            (std::filesystem::path(fSpoolPath).parent_path() / (_FileStem() + ".pdf")).string();
        if (BPrivate::durable_rename(fSpoolPath, target) != B_OK) {
            _Discard();
            fStatus = B_ERROR;
            return;
        }
        fDocumentPath = target;
    } else {
        // lp copies the file into the spool queue; the file itself is left
        // in the temporary folder because lp runs detached.
        fDocumentPath = fSpoolPath;
        if (ProgramLauncher::Launch({"lp", "-d", fPrinter, fSpoolPath}) != B_OK)
            fStatus = B_ERROR;
    }
    fSpoolPath.clear();
}

void BPrintJob::CancelJob()
{
    _Discard();
    fStatus = B_CANCELED;
}

bool BPrintJob::CanContinue()
{
    return fStatus == B_OK;
}

void BPrintJob::_Discard()
{
    if (fContext != nullptr)
        cairo_destroy(fContext);
    if (fSurface != nullptr) {
        cairo_surface_finish(fSurface);
        cairo_surface_destroy(fSurface);
    }
    fContext = nullptr;
    fSurface = nullptr;
    if (!fSpoolPath.empty())
        std::remove(fSpoolPath.c_str());
    fSpoolPath.clear();
}

// The job name as a file name that stays in its folder.
std::string BPrintJob::_FileStem() const
{
    std::string stem = fName.empty() ? "Untitled" : fName;
    for (char& c : stem) {
        if (c == '/')
            c = '_';
    }
    if (stem[0] == '.')
        stem[0] = '_';
    return stem;
}

// MARK: Paper

BRect BPrintJob::PaperRect()
{
    return BRect(0, 0, kPaperWidth, kPaperHeight);
}

BRect BPrintJob::PrintableRect()
{
    return BRect(kMargin, kMargin, kPaperWidth - kMargin, kPaperHeight - kMargin);
}

void BPrintJob::GetResolution(int32* xdpi, int32* ydpi)
{
    if (xdpi != nullptr)
        *xdpi = 72;
    if (ydpi != nullptr)
        *ydpi = 72;
}
