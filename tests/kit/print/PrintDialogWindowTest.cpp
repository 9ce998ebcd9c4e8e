// The print dialog window, worked like a user on the headless backend.
#include "kit/print/PrintDialogWindow.h"

#include <gtest/gtest.h>

#include "kit/display/HeadlessDriver.h"
#include "kit/interface/ListView.h"

namespace {

struct Reply
{
    int count = 0;
    status_t result = B_NO_INIT;
    std::string printer = "?";
};

PrintDialogWindow* open_dialog(Reply* reply, const std::string& current)
{
    auto* window = new PrintDialogWindow(PrintDialog::kJobSetup, "job", {"Laser", "Ink"}, current,
                                         [reply](status_t result, const std::string& printer) {
                                             reply->count++;
                                             reply->result = result;
                                             reply->printer = printer;
                                         });
    window->Show();
    return window;
}

} // namespace

TEST(PrintDialogWindow, EnterTakesTheCurrentChoiceEscapeCancels)
{
    HeadlessDriver driver;
    Reply chosen;
    PrintDialogWindow* window = open_dialog(&chosen, "Ink");
    driver.WaitForIdle();
    ASSERT_EQ(driver.FindWindow("Print"), window);
    driver.PressKey(window, B_ENTER_KEY);
    driver.WaitForIdle();
    EXPECT_EQ(chosen.count, 1);
    EXPECT_EQ(chosen.result, B_OK);
    EXPECT_EQ(chosen.printer, "Ink");
    EXPECT_EQ(driver.FindWindow("Print"), nullptr);

    Reply cancelled;
    window = open_dialog(&cancelled, "Laser");
    driver.WaitForIdle();
    driver.PressKey(window, B_ESCAPE_KEY);
    driver.WaitForIdle();
    EXPECT_EQ(cancelled.count, 1);
    EXPECT_EQ(cancelled.result, B_ERROR);
    EXPECT_EQ(driver.FindWindow("Print"), nullptr);
}

TEST(PrintDialogWindow, ClickingSaveAsPdfAndPrint)
{
    HeadlessDriver driver;
    Reply reply;
    PrintDialogWindow* window = open_dialog(&reply, "Laser");
    driver.WaitForIdle();

    window->Lock();
    auto* list = static_cast<BListView*>(window->FindView("printers"));
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->CountItems(), 3);
    EXPECT_EQ(list->CurrentSelection(), 0);
    BPoint pdfRow = window->ConvertFromScreen(
        list->ConvertToScreen(list->ItemFrame(2).LeftTop() + BPoint(5, 3)));
    BView* print = window->FindView("print");
    BPoint printButton = window->ConvertFromScreen(
        print->ConvertToScreen(print->Bounds().LeftTop() + BPoint(10, 10)));
    window->Unlock();

    driver.Click(window, pdfRow);
    driver.WaitForIdle();
    EXPECT_EQ(reply.count, 0);
    driver.Click(window, printButton);
    driver.WaitForIdle();
    EXPECT_EQ(reply.count, 1);
    EXPECT_EQ(reply.result, B_OK);
    EXPECT_EQ(reply.printer, "");
}
