// The order editor on a small project, worked like a user would: the
// workshop of OrderWorkshop (workers 1 and 2 work Monday to Friday, 3 never;
// today is Monday 2002/12/09), the orders given as order-file lines, and an
// application stand-in that hands the editor what the application object
// forwards to it (the canvas and the job bars post to the application).
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/AppPost.h"
#include "app/STLabel.h"
#include "data/Order.h"
#include "data/OrderWorkshop.h"
#include "data/ProzBalken.h"
#include "data/STOrder.h"
#include "editors/OrderWindow.h"
#include "kit/app/Autolock.h"
#include "kit/app/Message.h"
#include "kit/display/HeadlessDriver.h"
#include "kit/display/TestWindow.h"
#include "kit/interface/TextControl.h"
#include "kit/interface/Window.h"
#include "widgets/CalCard.h"

extern "C" __attribute__((weak)) const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

// The orders "Alpha", "Bravo" and "Charly" with jobs of workers 1 and 2.
inline const char* kThreeOrders = "; ---\n[IT][Alpha][Z-1][U1][2003/01/31][2003/01/20][0][1][0]\n"
                                  "[PB][1][7][1][3][1][0][16:30][0][Saw]\n"
                                  "[PB][8][13][1][3][2][0][8:00][1][Weld]\n"
                                  "; ---\n[IT][Bravo][Z-2][U2][2003/02/28][2003/02/10][0][1][0]\n"
                                  "[PB][1][7][1][3][2][0][4:00][0][Cut]\n"
                                  "; ---\n[IT][Charly][Z-3][U3][2003/03/31][2003/03/10][0][0][2]\n"
                                  "[PB][1][7][1][3][1][0][2:00][0][Paint]\n";

struct OrderEditor
{
    // The codes the application object hands on to the order editor.
    static bool Forwarded(uint32 what)
    {
        static const uint32 codes[] = {'ORPR', '2000', '2123', 'OCHK', 'OBWD', 'OADW',
                                       'ODel', 'OFWD', 'ONA_', 'PBIF', 'OUIx', 'OSAM',
                                       'OSUM', 'OUPU', 'OxSS', 'PB00', 'PBRU'};
        return std::find(std::begin(codes), std::end(codes), what) != std::end(codes);
    }

    explicit OrderEditor(const std::string& orders = kThreeOrders, const char* workers = nullptr)
    {
        CloseAlerts();
        if (workers != nullptr) {
            if (STWorker* list = STWorker::Existing())
                list->DeleteMe();
            shop.folder.Write("defs/plan.vtw", workers);
            STWorker::getSTWorker();
        }
        shop.folder.Write("defs/plan.vto", orders + "; ---");
        OrderWindow::o_ptr = 0;
        Printed([&] {
            list = STOrder::getSTOrder();
            window = new OrderWindow(BRect(90, 50, 90 + 439, 50 + 281));
            Relay();
        });
    }

    ~OrderEditor()
    {
        Quit();
        CloseAlerts();
        CalCard::DeleteMe();
        driver.WaitForIdle();
    }

    // Answers every open alert and forgets them all.
    void CloseAlerts()
    {
        for (int i = 0; i < 50 && driver.AnswerAlert(0) == B_OK; i++)
            driver.WaitForIdle();
        driver.ClearAlerts();
    }

    void Quit()
    {
        if (window != nullptr && window->Lock())
            window->Quit();
        window = nullptr;
        driver.WaitForIdle();
    }

    // Waits, then hands the editor what it posted to the application, as
    // long as there is something to hand on. Every post is kept in seen.
    void Relay()
    {
        for (int round = 0; round < 20; round++) {
            driver.WaitForIdle();
            std::vector<BMessage> messages = posts.Messages();
            posts.Clear();
            bool handed = false;
            for (BMessage& message : messages) {
                seen.push_back(message.what);
                if (window != nullptr && Forwarded(message.what)) {
                    window->PostMessage(&message);
                    handed = true;
                }
            }
            if (!handed)
                break;
        }
        driver.WaitForIdle();
    }

    bool Seen(uint32 what) const { return std::find(seen.begin(), seen.end(), what) != seen.end(); }

    // Sends a message to the editor as the application would.
    void Send(const BMessage& message)
    {
        BMessage copy(message);
        window->PostMessage(&copy);
        Relay();
    }

    template <typename T = BView>
    T* View(const char* name)
    {
        window->Lock();
        T* view = dynamic_cast<T*>(window->FindView(name));
        window->Unlock();
        return view;
    }

    // A point of view in window coordinates: at (dx, dy) from its left top,
    // or from its right bottom where negative.
    BPoint At(BView* view, float dx, float dy)
    {
        window->Lock();
        const BRect bounds = view->Bounds();
        BPoint point(dx >= 0 ? bounds.left + dx : bounds.right + dx,
                     dy >= 0 ? bounds.top + dy : bounds.bottom + dy);
        point = window->ConvertFromScreen(view->ConvertToScreen(point));
        window->Unlock();
        return point;
    }

    void ClickButton(const char* name)
    {
        BView* button = View(name);
        ASSERT_NE(button, nullptr) << name;
        driver.Click(window, At(button, 10, 8));
        Relay();
    }

    // Clicks into the field, selects all, types text and ends with key
    // (B_ENTER_KEY, B_TAB_KEY, or 0 to leave it typed only).
    void Type(const char* field, const std::string& text, int32 key = B_ENTER_KEY)
    {
        BView* view = View(field);
        ASSERT_NE(view, nullptr) << field;
        driver.Click(window, At(view, -6, 8));
        driver.PressShortcut(window, 'a');
        driver.TypeText(window, text);
        if (key != 0)
            driver.PressKey(window, key);
        Relay();
    }

    std::string Text(const char* field)
    {
        window->Lock();
        std::string text = static_cast<BTextControl*>(window->FindView(field))->Text();
        window->Unlock();
        return text;
    }

    // The shown order, looked up under the list's lock by the test thread.
    template <typename F>
    void WithShown(F&& f)
    {
        window->Lock();
        const int32 id = window->ShownOrderId();
        window->Unlock();
        BAutolock lock(list->Lock());
        Order* order = list->GetOrderWithID(id);
        ASSERT_NE(order, nullptr);
        f(*order);
    }

    std::string ShownName()
    {
        std::string name;
        WithShown([&](Order& order) { name = order.oauft; });
        return name;
    }

    std::vector<std::string> AlertTexts() const
    {
        std::vector<std::string> texts;
        for (const AlertRecord& alert : driver.Alerts())
            texts.push_back(alert.text);
        return texts;
    }

    OrderWorkshop shop;
    AppPostRecorder posts;
    HeadlessDriver driver;
    STOrder* list = nullptr;
    OrderWindow* window = nullptr;
    std::vector<uint32> seen;
};
