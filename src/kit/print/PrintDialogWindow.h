// The print dialog: the printers of the print service with "Save as PDF"
// last, and "Cancel" and "Print" ("OK" when setting up the page). Enter, a
// double click or the button chooses; Escape, Cancel or closing the window
// cancels. The reply comes once, on the window's thread, and the window
// then quits.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "kit/interface/Window.h"
#include "kit/print/PrintDialog.h"

class BListView;

class PrintDialogWindow : public BWindow
{
public:
    // printer: "" for "Save as PDF".
    typedef std::function<void(status_t result, const std::string& printer)> Reply;

    PrintDialogWindow(PrintDialog::Kind kind, const char* jobName,
                      const std::vector<std::string>& printers, const std::string& current,
                      Reply reply);
    ~PrintDialogWindow() override;

    void MessageReceived(BMessage* message) override;
    bool QuitRequested() override;

    static constexpr uint32 kChoose = 'PDok';
    static constexpr uint32 kCancel = 'PDca';

private:
    void _Answer(status_t result);

    std::vector<std::string> fPrinters;
    BListView* fList;
    Reply fReply;
};
