#include "kit/print/PrintDialogWindow.h"

#include <condition_variable>
#include <cstring>
#include <memory>
#include <mutex>

#include "kit/app/Message.h"
#include "kit/interface/Button.h"
#include "kit/interface/ListView.h"
#include "kit/interface/StringItem.h"

namespace {

constexpr float kWidth = 300;
constexpr float kHeight = 200;
const char* const kSaveAsPdf = "Save as PDF";

} // namespace

PrintDialogWindow::PrintDialogWindow(PrintDialog::Kind kind, const char* jobName,
                                     const std::vector<std::string>& printers,
                                     const std::string& current, Reply reply)
    : BWindow(BRect(200, 150, 200 + kWidth - 1, 150 + kHeight - 1),
              kind == PrintDialog::kPageSetup ? "Page Setup" : "Print", B_MODAL_WINDOW,
              B_NOT_RESIZABLE | B_NOT_ZOOMABLE),
      fPrinters(printers), fReply(std::move(reply))
{
    (void)jobName;
    auto* background = new BView(Bounds(), "background", B_FOLLOW_ALL_SIDES, B_WILL_DRAW);
    background->SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));
    AddChild(background);

    fList = new BListView(BRect(10, 10, kWidth - 11, kHeight - 51), "printers");
    for (const std::string& printer : fPrinters)
        fList->AddItem(new BStringItem(printer.c_str()));
    fList->AddItem(new BStringItem(kSaveAsPdf));
    fList->SetInvocationMessage(new BMessage(kChoose));
    background->AddChild(fList);

    int32 selected = static_cast<int32>(fPrinters.size());
    for (size_t i = 0; i < fPrinters.size(); i++) {
        if (fPrinters[i] == current)
            selected = static_cast<int32>(i);
    }
    fList->Select(selected);

    float top = kHeight - 36;
    auto* cancel = new BButton(BRect(kWidth - 190, top, kWidth - 106, top + 24), "cancel", "Cancel",
                               new BMessage(kCancel));
    auto* choose =
        new BButton(BRect(kWidth - 95, top, kWidth - 11, top + 24), "print",
                    kind == PrintDialog::kPageSetup ? "OK" : "Print", new BMessage(kChoose));
    background->AddChild(cancel);
    background->AddChild(choose);
    choose->MakeDefault(true);
    fList->MakeFocus(true);
}

PrintDialogWindow::~PrintDialogWindow()
{
    _Answer(B_ERROR);
}

void PrintDialogWindow::MessageReceived(BMessage* message)
{
    switch (message->what) {
    case kChoose:
        if (fList->CurrentSelection() < 0)
            return;
        _Answer(B_OK);
        return Quit();
    case kCancel:
        _Answer(B_ERROR);
        return Quit();
    case B_KEY_DOWN:
        if (std::strcmp(message->GetString("bytes", ""), "\x1b") == 0) {
            _Answer(B_ERROR);
            return Quit();
        }
        break;
    }
    BWindow::MessageReceived(message);
}

bool PrintDialogWindow::QuitRequested()
{
    _Answer(B_ERROR);
    return true;
}

void PrintDialogWindow::_Answer(status_t result)
{
    if (!fReply)
        return;
    Reply reply = std::move(fReply);
    fReply = nullptr;
    int32 index = fList->CurrentSelection();
    std::string printer;
    if (index >= 0 && index < static_cast<int32>(fPrinters.size()))
        printer = fPrinters[index];
    reply(result, printer);
}

// MARK: The blocking dialog

PrintDialog::~PrintDialog() = default;

namespace {

class WindowPrintDialog : public PrintDialog
{
public:
    status_t Go(Kind kind, const char* jobName, const std::vector<std::string>& printers,
                std::string* printer) override
    {
        struct Answer
        {
            std::mutex lock;
            std::condition_variable given;
            bool done = false;
            status_t result = B_ERROR;
            std::string printer;
        };
        auto answer = std::make_shared<Answer>();
        auto* window = new PrintDialogWindow(kind, jobName, printers, *printer,
                                             [answer](status_t result, const std::string& chosen) {
                                                 std::lock_guard<std::mutex> guard(answer->lock);
                                                 answer->result = result;
                                                 answer->printer = chosen;
                                                 answer->done = true;
                                                 answer->given.notify_all();
                                             });
        window->Show();

        std::unique_lock<std::mutex> guard(answer->lock);
        answer->given.wait(guard, [&] { return answer->done; });
        if (answer->result == B_OK)
            *printer = answer->printer;
        return answer->result;
    }
};

} // namespace

PrintDialog* PrintDialog::Default()
{
    static WindowPrintDialog dialog;
    return &dialog;
}
