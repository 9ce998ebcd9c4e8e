// Every alert the program shows, for tests and the headless backend
// (kit-private): tests read what was asked and answer it by clicking the
// button where it is drawn.
#pragma once

#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "kit/app/GraphicsDefs.h"
#include "kit/app/SupportDefs.h"

class BWindow;

struct AlertRecord
{
    BWindow* window; // for comparison and input only: it may be gone
    std::string title;
    std::string text;
    std::vector<std::string> buttons;
    std::vector<BRect> buttonFrames; // window coordinates
    bool open;
    int32 answer; // the pressed button, -1 while open
};

namespace BPrivate {

class AlertLog
{
public:
    static AlertLog& Default();

    void Opened(const AlertRecord& record);
    void Answered(BWindow* window, int32 button);
    // Oldest first.
    std::vector<AlertRecord> Records() const;
    void Clear();
    // Until an alert is open; false after timeout microseconds.
    bool WaitForOpen(bigtime_t timeout);

private:
    mutable std::mutex fLock;
    std::condition_variable fChanged;
    std::vector<AlertRecord> fRecords;
};

} // namespace BPrivate
