// Printing views. The page shows what the window shows: DrawView() draws the
// view and its children through the same drawing code as a window update and
// puts the picture on a PDF page made with cairo. CommitJob() then hands the
// document to the chosen printer with `lp -d <printer> <file>`, or, for
// "Save as PDF", saves it as "<job name>.pdf" in the PDF folder.
//
// The sequence is the platform's: ConfigPage() and/or ConfigJob() (a modal
// dialog; cancelling is B_ERROR and nothing is written), BeginJob(), for
// each page DrawView() and SpoolPage(), then CommitJob() or CancelJob().
// Pages are A4 at 72 dpi (595 x 842 points) with a margin of 18 points;
// DrawView()'s `where` is relative to the printable rectangle.
#pragma once

#include <string>

#include "kit/app/GraphicsDefs.h"
#include "kit/app/SupportDefs.h"

class BMessage;
class BView;
class PrintDialog;
typedef struct _cairo cairo_t;
typedef struct _cairo_surface cairo_surface_t;

class BPrintJob
{
public:
    explicit BPrintJob(const char* jobName);
    // Cancels a job that was begun and not committed.
    virtual ~BPrintJob();

    BPrintJob(const BPrintJob&) = delete;
    BPrintJob& operator=(const BPrintJob&) = delete;

    status_t ConfigPage();
    status_t ConfigJob();
    // The chosen printer as a message ("printer", empty for "Save as PDF");
    // the caller owns it. Null before anything was chosen.
    BMessage* Settings() const;
    // Takes the message; a settings message of another kind is ignored.
    void SetSettings(BMessage* settings);
    bool IsSettingsMessageValid(const BMessage* settings) const;

    void BeginJob();
    // rect in the view's coordinates; the view's window is locked meanwhile.
    void DrawView(BView* view, BRect rect, BPoint where);
    void SpoolPage();
    void CommitJob();
    void CancelJob();
    // False once something failed or the job was cancelled.
    bool CanContinue();

    BRect PaperRect();
    BRect PrintableRect();
    void GetResolution(int32* xdpi, int32* ydpi);
    int32 CountSpooledPages() const { return fPages; }

    // Where "Save as PDF" writes (the program passes its "defs" folder);
    // the system's temporary folder when unset.
    void SetPdfFolder(const char* path);
    // The file the last CommitJob() saved or handed to lp; empty before.
    const char* DocumentPath() const { return fDocumentPath.c_str(); }

    // Tests answer the dialogs themselves; null restores the window.
    static void SetDialogForTesting(PrintDialog* dialog);

    static constexpr uint32 kSettingsWhat = 'pjst';

private:
    status_t _Ask(int kind);
    std::string _FileStem() const;
    void _Discard();

    std::string fName;
    std::string fPrinter;
    bool fConfigured = false;
    std::string fPdfFolder;

    status_t fStatus = B_OK;
    cairo_surface_t* fSurface = nullptr;
    cairo_t* fContext = nullptr;
    std::string fSpoolPath;
    int32 fPages = 0;
    std::string fDocumentPath;
};
