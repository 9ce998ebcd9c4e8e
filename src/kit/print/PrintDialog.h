// The question a print job asks its user: which printer, or "Save as PDF".
// BPrintJob asks through this interface, so tests and headless runs can
// answer without a window; Default() is the modal dialog window.
#pragma once

#include <string>
#include <vector>

#include "kit/app/SupportDefs.h"

class PrintDialog
{
public:
    enum Kind
    {
        kPageSetup,
        kJobSetup,
    };

    virtual ~PrintDialog();

    // Offers the printers and "Save as PDF" and blocks until the user
    // decides. *printer is the current choice on entry and the new one on
    // B_OK; an empty name means "Save as PDF". B_ERROR when cancelled.
    virtual status_t Go(Kind kind, const char* jobName, const std::vector<std::string>& printers,
                        std::string* printer) = 0;

    // The modal dialog window; it lives as long as the program.
    static PrintDialog* Default();
};
